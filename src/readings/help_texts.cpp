// The hint and help texts of the Windows program besides the help index:
// the fairy's hints, the support and printing texts, the dialogs' fairy
// help, the wizard's pages, the greeting, quotation and version boxes and
// the house-system explanations.
#include "readings/help_texts.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "base/shift_jis.h"

// ---------------------------------------------------------------------------
// Fairy hints

namespace {

const char* const kFairyTitles[kFairySituationCount] = {
    "ホロミラの やさしい使い方", "ヒント", "ヒント", "ヒント", "ヒント", "ヒント", "ヒント", "ヒント",
};

const char* const kFairyTexts[kFairySituationCount] = {
    // 0: the default person's charts.
    "  星占いをするには 誕生日などのデータが必要です...\r\n"
    "\r\n"
    "  いま表示されているのは、デフォルトの出生データのチャートです。"
    "内側が出生図、外側がいま現在の星の配置(トランジット)です。\r\n"
    "  新しい人のデータを入力するには[Insert]キーを、"
    "ファイルしてあるデータを呼び出すには[BackSpace]キーを押してください。\r\n"
    "  あなた自身の誕生日をメニューの「デフォルトの出生データ」に登録しておくと、"
    "[F5]キーひとつで あなたのきょうの運勢が分かります。",

    // 1: a solar return.
    "  現在 ソーラーリターンモードになっています\r\n"
    "\r\n"
    "  表示されているのは、太陽が出生時と同じ位置に戻った瞬間のチャートです。"
    "その年齢の1年間の傾向を読むのに使います。\r\n"
    "  ほかの年齢を計算するには もう一度[Ctrl]+[R]を押します。"
    "そこで[いいえ]を選ぶと出生図に戻ります。",

    // 2: a harmonic chart.
    "  現在 倍音計算が選択されています\r\n"
    "\r\n"
    "  天体とアセンダント、ＭＣの黄経に倍音の次数を掛けたチャートです(ハウスのカスプには掛けません)。\r\n"
    "  ふつうのチャート(基音)に戻るには、もう一度[Ctrl]+[H]を押すか、"
    "ツールバーの[倍音]ボタンをクリックしてください。",

    // 3: a progressed or transit chart.
    "  現在 出生図以外のチャートが選択されています ...\r\n"
    "\r\n"
    "  表示されているのはプログレス(進行図)かトランジット(経過図)です。"
    "出生図に戻るには[Shift]+[N]を押します。\r\n"
    "  計算の時点を変えるには[Shift]+[↓]を、少しずつ時刻を動かすには[Shift]+[→]、[Shift]+[←]を押します"
    "(プログレスは1日、トランジットは1分ずつ動きます)。",

    // 4: view 0, the wheel and its summary panel.
    "R＝逆行   SD,SR＝留\r\n"
    "\r\n"
    "  概略データで天体の位置のうしろにつく R は逆行中の印、SD と SR は留(ほとんど止まって見える状態)の印です。"
    "SD はわずかに順行しているとき、SR は止まっているか わずかに逆行しているときです。\r\n"
    "  Ｄﾍｯﾄﾞ、Ｄﾃｲﾙは月の交点(ドラゴンヘッド、ドラゴンテイル)です。\r\n"
    "  位置を秒まで見るには[Shift]+[D]を、時刻を進めるには[F7]～[F10]を押してください。",

    // 5: the double circle.
    "  現在2重円モードになっています\r\n"
    "\r\n"
    "  ２つのチャートを内側と外側に重ねて表示しています。"
    "内側と外側の天体がどこで重なり、どう向き合っているかをくらべてみてください。\r\n"
    "  1重円に戻るには[Shift]+[C]を押します。"
    "相性を見るモード([Ctrl]+[2])では、[Shift]+[Tab]で内側と外側のデータを入れ替えられます。",

    // 6: view 1, the detailed positions.
    "  専門的情報を表示するには[Ｅ]ボタンをクリックします\r\n"
    "  キーボードでは[Shift]+[E]を押します。\r\n"
    "\r\n"
    "  いまの詳細データでは、それぞれのポイントの星座と度・分・秒、おひつじ座0度から測った黄経、"
    "逆行や留の状態が分かります。チャートに戻るには[Shift]+[C]を押してください。",

    // 7: view 2, geodesy and time: the closing text alone.
    "",
};

}  // namespace

const char kFairyClosingText[] =
    "\r\n\r\n  ほかに知りたいことがありますか？  必要なら詳しい情報の さくいんを出しますので "
    "下にある[さくいん]ボタンをクリックするか 文字キーの[Ｔ]を押してください";
const char kFairyRepeatNotice[] = " ...さきほどと同じメッセージです... \r\n\r\n";
const char kNoMoreInformation[] = "追加情報なし";

const char* FairyHintTitle(int iSituation) {
  return iSituation >= 0 && iSituation < kFairySituationCount ? kFairyTitles[iSituation] : nullptr;
}

const char* FairyHintText(int iSituation) {
  return iSituation >= 0 && iSituation < kFairySituationCount ? kFairyTexts[iSituation] : nullptr;
}

// ---------------------------------------------------------------------------
// Support and printing

const char kSupportTitle[] = "最新版とサポートについて";
const char kSupportText[] =
    "ホロミラの最新版と修正情報は、ホロミラを入手された配布元でご案内しています。\n"
    "\n"
    "お問い合わせの際は、次のことをお知らせください。\n"
    "  ・「バージョン情報」に表示される内容\n"
    "  ・どんな操作をしたときに起きたか\n"
    "  ・表示されたメッセージの文面\n"
    "\n"
    "新しい版に入れ替えるときは、念のため出生データファイル(.bd5)をバックアップしてください。"
    "設定はホロミラのフォルダのシステムファイル(Horom.sii)に記録されています。";

const char kPrintingTitle[] = "印刷について";
const char kPrintingButton[] = "ヘルプ [B]";
const char kPrintingText[] =
    "\r\n"
    "  チャートの図は、「ファイル」メニューから印刷したり、画像ファイルに保存したりできます。\r\n"
    "\r\n"
    "■チャートの図を印刷する\r\n"
    "  1. 印刷したいチャート（または詳細データ）を表示します。\r\n"
    "  2. 「ファイル」→「図を印刷」を選びます。\r\n"
    "  3. 背景を白にするかどうかを答えます。[いいえ] なら画面と同じ背景色で印刷します。\r\n"
    "  4. プリンターを選んで [OK] を押します。図は用紙に合わせて縦横の比を変えずに拡大され、"
    "下の余白にプログラムの名前と版、印刷した日付が入ります。\r\n"
    "\r\n"
    "■チャートの図を保存する\r\n"
    "  「ファイル」→「図を保存」で、ファイルの種類を選んで保存します。\r\n"
    "  ・PNG 画像 - 画面と同じ大きさ：画面のチャートそのままの画像です。\r\n"
    "  ・PNG 画像 - 2倍の大きさ：縦横２倍の、印刷に向いた画像です。\r\n"
    "  ・SVG 画像：拡大してもきれいな図です。Linux の horomira chart --svg と同じ形式です。\r\n"
    "\r\n"
    "■ほかのソフトに貼り付ける\r\n"
    "  [Ctrl]+[C]（「ファイル」→「クリップボードへ送る」）で、チャートのデータ（名前、日時、場所と、"
    "すべての天体とポイントの位置）と図の両方がクリップボードへ送られます。"
    "ワープロに [Ctrl]+[V] で貼り付けると図が、メモ帳に貼り付けるとデータの文字が入ります。"
    "データを印刷するときは、等幅のフォントを選ぶと列がそろいます。\r\n"
    "\r\n"
    "■占いやリストを印刷する\r\n"
    "  ポップアップウィンドウの文章は、範囲を選んで右クリックし「コピー」を選ぶと、"
    "同じように貼り付けて印刷できます。\r\n";

// ---------------------------------------------------------------------------
// Fairy help of the dialogs

const FairyHelp kTimeNameHelp = {
    "誕生日と生まれた時間",
    "\r\n誕生日はいつですか？\r\n生まれた時間は分かりますか？\r\n"
    "\r\n"
    "  年・月・日と、時・分を、日本時間の24時間制で入力してください。"
    "[Tab]キーで次の欄へ移ります。"
    "海外で生まれた人や、日本の夏時間の時計で記録された時刻は、右の「時計」で選ぶと日本時間に直して記録します。\r\n"
    "  年は西暦で、-4000年から8000年まで入力できます。"
    "紀元前は0年が紀元前1年、-1年が紀元前2年という数え方です。\r\n"
    "  生まれた時間がまったく分からないときは「時間は分からない」をチェックします。"
    "仮の時刻として日本時間の正午を使い、チャートは太陽の位置を第1カスプとして表示します。\r\n"
    "  秒まで分かっているときは「秒を指定」をチェックして、秒を小数で入力できます。\r\n"
    "  名前は半角30文字(全角15文字)までです。"
    "名前を入れると、出生データがいまひらいているファイルに保存されます。\r\n"
    "  入力がすんだら[入力完了]を押してください。"
    "新しいデータのときは、次の画面で生まれた場所を指定します。",
};

const FairyHelp kTimeZoneHelp = {
    "出生時刻の時計",
    "\r\n  ホロミラは時刻を日本時間で記録します。生まれた時刻が日本時間でないときは、その時計を選んでください。"
    "入力した時刻を日本時間に直して記録します。\r\n"
    "  外国で生まれた人は、その土地の都市を選び、現地の時計の時刻を入力します。"
    "その時刻に夏時間だったかどうかは、その土地の規則で判定します。\r\n"
    "  一覧にない土地は「UTC との時差」を選び、世界時からの時差を -05:00 のように入力します。"
    "その時計が夏時間だったときは「夏時間で記録された時刻」をチェックします。\r\n"
    "  日本の夏時間（1948年から1951年の夏）の時計は日本時間より１時間進んでいました。"
    "その時計で記録された時刻（出生証明書の時刻など）は、「日本時間」のまま「夏時間で記録された時刻」をチェックします。\r\n"
    "  時計が進められて飛ばされた時刻は入力できません。時計が戻されて２度あった時刻は、どちらの時刻かをたずねます。",
};

const FairyHelp kSecondsHelp = {
    "\"秒を指定\"",
    "時刻を秒まで指定するには、「秒を指定」ﾁｪｯｸﾎﾞｯｸｽをﾁｪｯｸします。",
};

const FairyHelp kUnknownTimeHelp = {
    "\"時間は分からない\"",
    "日付は分かっても時刻はまったく分からない場合、このﾁｪｯｸﾎﾞｯｸｽをﾁｪｯｸすると、仮の出生時刻が日本時間正午に設定されます。",
};

const FairyHelp kPlaceHelp = {
    "場所の指定",
    "\r\n  ふつうのホロスコープ(出生図)を作るときは出生地を指定します\r\n"
    "  ソーラーリターンやプログレス  トランジットなどの計算をするときは その瞬間にいる(いた)場所を指定します\r\n"
    "  ホーラリーチャートを作る場合は 今いる場所を指定します",
};

const FairyHelp kFiledDataHelp = {
    "ファイルのデータ",
    "\r\n  ファイルされている出生データがリストアップされています\r\n"
    "\r\n"
    "  呼び出したい人を選んで[え ら ぶ]を押すか、名前の上でダブルクリックしてください。"
    "[↑][↓]キーで選んで[Enter]キーを押してもかまいません。\r\n"
    "  一覧には、いまひらいている出生データファイル(.bd5)のデータが、登録した順に1000件まで並んでいます。"
    "時刻は日本時間です。\r\n"
    "  ほかのファイルのデータを使うときは、[キャンセル]してから[Ctrl]+[O]でファイルをひらいてください。",
};

const FairyHelp kHarmonicHelp = {
    "倍音図",
    "\r\n  第何倍音を計算するか指定してください。小数や負数でもかまいません。",
};

const FairyHelp kSeasonHelp = {
    "春分図,etc.",
    "\r\n  春分の瞬間のホロスコープが春分図です　夏至図以下も同様です西暦何年のどの図を作るか指定してください",
};

const FairyHelp kSolarReturnHelp = {
    "ソーラーリターン",
    "\r\n  ソーラーリターンの時刻が日本標準時で示されています  常用期間では ±数秒の精度があります  "
    "何歳のリターンを計算するか指定してください",
};

const FairyHelp kEphemerisHelp = {
    "ホロミラ精密天体暦",
    "\r\n  ホロミラは1万年ぶんの精密占星暦を仮想内蔵しています\r\n"
    "\r\n"
    "  紀元前4000年から西暦8000年までのどの時点でも、天体の位置をその場で計算してこよみを作ります。\r\n"
    "  リストから天体を選び、「こよみの間隔」で1秒、1分、1時間、1日のどれかを選んで[え ら ぶ]を押してください。"
    "次の画面で計算を始める日時を指定すると、64行のこよみが表示されます。\r\n"
    "  「きりのいい時刻」をチェックすると、1日間隔では0時0分から、1時間間隔では0分から始まります。"
    "1秒間隔のときは秒まで指定できます。\r\n"
    "  位置は地球の中心から見た視黄経で、逆行と留の印がつきます。冥王星は扱いません。",
};

const FairyHelp kConfirmHelp = {
    "確認",
    "\r\n  入力したデータを確かめてください。名前、生まれた日時(日本時間)、生まれた場所が表示されています。\r\n"
    "  外国などの時計で入力したときは、入力した時刻とその時計、記録する日本時間の両方が表示されます。\r\n"
    "  よければ[は い]を押します。チャートが表示され、名前のあるデータはいまひらいているファイルに追加されます。\r\n"
    "  日時や名前を直すには[訂正]を押します。入力の画面がもう一度ひらきます。\r\n"
    "  [キャンセル]を押すと、このデータは使わずに終わります。",
};

const FairyHelp kPopupListHelp = {
    "\r\n  ポップアップウィンドウのリスト",
    "\r\n  ポップアップウィンドウに表示できる項目の一覧です。\r\n"
    "  最近のこよみ、エフェメリス、星座の境目や節入りの時刻、月が星座を変わる時刻、"
    "占い、アスペクトの解読、きょうの運勢、記憶している7つのチャートの詳細データ、"
    "春分図などの季節の図、拡張データを選べます。\r\n"
    "  項目を選んで[えらぶ]を押すか、ダブルクリックしてください。",
};

// ---------------------------------------------------------------------------
// Default-person wizard

const char kWizardIntroPage[] =
    "\r\n  デフォルトの出生データ（例えばこのソフトのユーザ自身の生年月日）を登録しましょう  "
    "プログラムの起動時 メニューの「きょうの運勢」を選択すると ワンタッチであなたの運勢状況が表示されるようになります\r\n\r\n";
const char kWizardTimeNamePage[] =
    "\r\n  では 初めに誕生日 / 生まれた時間 / 名前 を入力してください\r\n"
    "[次へ]をｸﾘｯｸすると 入力用の画面が出ます ...\r\n";
const char kWizardBirthPlacePage[] =
    "次に 生まれた場所を指定してください  リストが表示されますので そのなかからいちばん近い都市を選びます\r\n"
    "もし分かれば 緯度・経度で登録してもかまいません";
const char kWizardCurrentPlacePage[] =
    "最後に 現在いる場所を指定してください\r\n今度は出生地ではなく「いまいる場所」...";
const char kWizardReplaceQuestion[] =
    "すでにデフォルトの出生データ、および現在地は登録されています。\n\n%s\n\n%s生まれ\n\n"
    "出生地   %s\n\n現在地   %s\n\n別の出生データに変更しますか？";
const char kWizardConfirmPage[] = "%s\r\n%s生まれ\r\n出生地 %s\r\n現在地 %s";
const char kWizardConfirmPageZoned[] =
    "%s\r\n%s生まれ（日本時間）\r\n入力した時刻%s\r\n            %s\r\n出生地 %s\r\n現在地 %s";
const char kWizardConfirmTitle[] = "確認してください";
const char kWizardConfirmButton[] = "ＯＫ [A]";

// ---------------------------------------------------------------------------
// Greeting, quotation and version boxes

const char* const kNoButtonLines[3] = {
    "ホロミラ",
    "西洋占星術のための精密天体計算",
    "しばらくお待ちください ...",
};
const char* const kTitlePageLines[3] = {"こはウラニアに至る門", "低き憂いは さげすまる", "  H o r o M i r a"};
const char kAutoSetupLine[] = "    自動設定中 ...";

const char kQuotationTitle[] = "ホロミラによせて";
const char* const kQuotationTexts[kQuotationCount] = {
    "星は人を傾けるが、強いはしない。\r\n"
    "            ― ラテン語の古い言葉",

    "上なるものは下なるもののごとく、\r\n"
    "下なるものは上なるもののごとし。\r\n"
    "            ― 古い錬金術の言葉",

    "  ホロミラは、天体の動きを正確に計算し、そこに古くから読みとられてきた意味をたずねるための道具です。"
    "星が示すのは、進む道の傾きと季節の移り変わりです。"
    "占いの結果は、よりよく生きるためのヒントとしてお使いください。"
    "道を選ぶのは星ではなく、あなた自身です。",
};

const char kVersionOsLabel[] = "オペレーティングシステム : ";
const char* const kVersionOsNames[4] = {"Windows 95", "Windows NT", "Windows 98 or Newer", "認識できない"};
const char kVersionFolderFormat[] = "作業フォルダ : %s";
const char kVersionFreeSpaceFormat[] = "このドライブ[%s]には %.1f MBの";
const char kVersionFreeSpaceLine2[] = "空きが認識されます。";

int FormatBuildDate(char* szBuf, int iCapacity, const char* szDate, const char* szTime) {
  if (!szBuf || iCapacity <= 0) return 0;
  static const char kMonths[] = "JanFebMarAprMayJunJulAugSepOctNovDec";
  const char* szD = szDate ? szDate : "";
  const char* szT = szTime ? szTime : "";
  int iMonth = 0;
  if (strlen(szD) == 11) {
    for (int m = 0; m < 12; ++m)
      if (strncmp(szD, kMonths + 3 * m, 3) == 0) iMonth = m + 1;
  }
  // The stamps are a dozen bytes each; longer ones are cut at 40.
  char szWork[128];
  if (iMonth > 0) {
    snprintf(szWork, sizeof szWork, "作成日 : %d年%d月%d日 %.40s", atoi(szD + 7), iMonth, atoi(szD + 4), szT);
  } else {
    snprintf(szWork, sizeof szWork, "作成日 : %.40s %.40s", szD, szT);
  }
  CutDoubleByteSafe(szWork, iCapacity - 1);
  memcpy(szBuf, szWork, strlen(szWork) + 1);
  return static_cast<int>(strlen(szBuf));
}

// ---------------------------------------------------------------------------
// House systems

const char kHouseSystemHeading[] = "ハウスシステム";
const char* const kHouseSystemLines[kHouseSystemCount][3] = {
    {"イコール：アセンダントを第1カスプとして、", "黄道を30度ずつ12の室に等分します。",
     "ホロミラの標準の方式です。"},
    {"プラシーダス：黄道の各点が地平線からＭＣへ", "昇る時間を3等分して室を分けます。",
     "北緯60度までの土地で使えます。"},
    {"太陽=第1カスプ：太陽の位置を第1カスプとし、", "30度ずつ12の室に等分します。",
     "出生時刻が分からないときに向いています。"},
    {"おひつじ0度=第1カスプ：おひつじ座0度から", "30度ずつ12の室とし、星座とハウスを",
     "一致させます(ナチュラルハウス)。"},
};

// The help and hint texts of the Windows program: counts, exact titles and
// beginnings, byte lengths (Shift-JIS), well-formed CP932 with the line ends
// of their window, balanced brackets, and distinctness.
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "readings/help_texts.h"
#include "readings/readings.h"
#include "test_support.h"

namespace {

enum LineEnds { kOneLine, kCrLf, kLf };

// Decodes a Shift-JIS text and returns a description of its first fault, or
// "" when every character is a printable single byte, a half-width kana or
// a valid double-byte pair, the only control characters are the line ends
// allowed, and the brackets 「」 （） () [] ［］ are balanced and nested.
std::string Cp932Fault(const char* sz, LineEnds ends) {
  const auto* p = reinterpret_cast<const unsigned char*>(sz);
  const size_t n = strlen(sz);
  std::vector<std::string> open;
  static const char* const kPairs[][2] = {{"「", "」"}, {"（", "）"}, {"(", ")"}, {"[", "]"}, {"［", "］"}};
  for (size_t i = 0; i < n;) {
    const unsigned char c = p[i];
    std::string ch;
    if ((c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC)) {
      const unsigned char t = i + 1 < n ? p[i + 1] : 0;
      if (t < 0x40 || t == 0x7F || t > 0xFC) return "bad trail byte at " + std::to_string(i);
      ch.assign(sz + i, 2);
      i += 2;
    } else if (c == '\r') {
      if (ends != kCrLf || i + 1 >= n || p[i + 1] != '\n') return "stray CR at " + std::to_string(i);
      i += 2;
      continue;
    } else if (c == '\n') {
      if (ends != kLf) return "stray LF at " + std::to_string(i);
      ++i;
      continue;
    } else if ((c >= 0x20 && c <= 0x7E) || (c >= 0xA1 && c <= 0xDF)) {
      ch.assign(sz + i, 1);
      ++i;
    } else {
      return "stray byte " + std::to_string(c) + " at " + std::to_string(i);
    }
    for (const auto& pair : kPairs) {
      if (ch == pair[0]) open.push_back(pair[1]);
      if (ch == pair[1]) {
        if (open.empty() || open.back() != ch) return "unbalanced " + ch + " at " + std::to_string(i);
        open.pop_back();
      }
    }
  }
  return open.empty() ? "" : "unclosed bracket";
}

bool StartsWith(const char* sz, const std::string& sPrefix) {
  return std::string(sz).compare(0, sPrefix.size(), sPrefix) == 0;
}

int Len(const char* sz) { return static_cast<int>(strlen(sz)); }

TEST(HelpTexts, HelpIndexTitlesTextsAndLengths) {
  const char* const titles[kHelpTopicCount] = {
      "  もっと高速に起動したい", "  高速にファイルをひらく", "  ほかのデータをポップアップ !",
      "  データをメモ帳などに貼り付ける", "  エフェメリス（占星暦）機能", "  最近のこよみ",
      "  ２つの別々なチャートを２重円表示 !", "  時刻を修正しながらチャートの様子を見る",
      "うるう秒とは？  ( 時刻とはなにか )", "13星座とは？", "ドラゴンヘッド／テイルとは？",
      "アスペクトとは？", "オーブとは？", "ソーラーリターンとは？", "倍音図とは？",
      "月のミーンノードとトゥルーノード", "  \"簡単メニュー\"", "  詳細データを表示する",
      "星座の境目の時刻", "月が星座を変わる時刻", "24節気の時刻", "新月や満月の時刻",
      "いま現在の星の位置を知りたい", "  占いの進め方", "  データをファイルする",
      "  ファイルしたデータを呼び出す", "  いらないデータをファイルから削除", "  背景色を変える",
      "暦法について", "ハウスシステムについて",
  };
  // A word each text must hold, so that a text filed under the wrong title
  // shows at once.
  const char* const keywords[kHelpTopicCount] = {
      "タイトルページを出さずに高速起動", "[Ctrl]+[O]", "[Shift]+[L]", "[Ctrl]+[C]", "[Ctrl]+[E]",
      "[スペース]キーを押したまま[↓]", "[Ctrl]+[2]", "[F11]", "8時59分60秒", "へびつかい座",
      "昇交点", "オーブ", "オーブ", "[Ctrl]+[R]", "[Ctrl]+[H]", "約173日", "[1]～[4]", "[Shift]+[D]",
      "[Ctrl]+[I]", "[Ctrl]+[L]", "[Ctrl]+[M]", "新月・上弦・満月・下弦", "[Shift]+[T]", "[Insert]",
      "1000件", "[BackSpace]", "[Ctrl]+[Delete]", "うすいピンク", "1582年10月15日", "北緯60度",
  };
  std::set<std::string> seen;
  for (int i = 0; i < kHelpTopicCount; ++i) {
    ASSERT_NE(HelpTopicTitle(i), nullptr) << i;
    ASSERT_NE(HelpTopicText(i), nullptr) << i;
    EXPECT_STREQ(HelpTopicTitle(i), titles[i]) << i;
    EXPECT_EQ(Cp932Fault(HelpTopicTitle(i), kOneLine), "") << i;
    EXPECT_TRUE(Contains(HelpTopicText(i), keywords[i])) << i << " lacks " << keywords[i];
    if (i == 11 || i == 12) {
      EXPECT_EQ(HelpTopicText(i), kAspectHelpText) << i;
      continue;
    }
    EXPECT_GE(Len(HelpTopicText(i)), 41) << i;
    EXPECT_LE(Len(HelpTopicText(i)), 2206) << i;
    EXPECT_EQ(Cp932Fault(HelpTopicText(i), kCrLf), "") << i;
    EXPECT_TRUE(StartsWith(HelpTopicText(i), "\r\n  ")) << i;
    EXPECT_TRUE(seen.insert(HelpTopicText(i)).second) << i << " repeats a text";
  }
  EXPECT_EQ(seen.size(), 28u);
  for (int i : {-1, kHelpTopicCount}) {
    EXPECT_EQ(HelpTopicTitle(i), nullptr) << i;
    EXPECT_EQ(HelpTopicText(i), nullptr) << i;
  }
  EXPECT_STREQ(kHelpIndexTitle, "ﾎﾛﾐﾗのﾍﾙﾌﾟ - さくいん");
  EXPECT_STREQ(kHelpIndexF1Text, "表示したい項目のうえでダブルクリックしてください");
}

TEST(HelpTexts, FairyHintsTitlesBeginningsAndClosing) {
  struct Hint {
    int iSituation;
    const char* szTitle;
    const char* szBegins;
  };
  const Hint hints[kFairySituationCount] = {
      {kFairyDefaultPerson, "ホロミラの やさしい使い方", "  星占いをするには 誕生日などのデータが必要です..."},
      {kFairySolarReturn, "ヒント", "  現在 ソーラーリターンモードになっています"},
      {kFairyHarmonic, "ヒント", "  現在 倍音計算が選択されています"},
      {kFairyDerivedChart, "ヒント", "  現在 出生図以外のチャートが選択されています ..."},
      {kFairyChartView, "ヒント", "R＝逆行   SD,SR＝留"},
      {kFairyDoubleCircle, "ヒント", "  現在2重円モードになっています"},
      {kFairyDetailView, "ヒント", "  専門的情報を表示するには[Ｅ]ボタンをクリックします"},
      {kFairyTimeView, "ヒント", ""},
  };
  std::set<std::string> seen;
  for (const Hint& h : hints) {
    ASSERT_NE(FairyHintText(h.iSituation), nullptr) << h.iSituation;
    EXPECT_STREQ(FairyHintTitle(h.iSituation), h.szTitle) << h.iSituation;
    const char* sz = FairyHintText(h.iSituation);
    EXPECT_TRUE(StartsWith(sz, h.szBegins)) << h.iSituation;
    EXPECT_EQ(Cp932Fault(sz, kCrLf), "") << h.iSituation;
    if (h.iSituation == kFairyTimeView) {
      EXPECT_STREQ(sz, "");
      continue;
    }
    // The fairy window is small: a situation text stays under 600 bytes
    // and adds to its fixed beginning.
    EXPECT_GT(Len(sz), Len(h.szBegins) + 40) << h.iSituation;
    EXPECT_LT(Len(sz), 600) << h.iSituation;
    EXPECT_TRUE(seen.insert(sz).second) << h.iSituation;
  }
  for (int i : {-1, kFairySituationCount}) {
    EXPECT_EQ(FairyHintTitle(i), nullptr);
    EXPECT_EQ(FairyHintText(i), nullptr);
  }
  EXPECT_STREQ(kFairyClosingText,
               "\r\n\r\n  ほかに知りたいことがありますか？  必要なら詳しい情報の さくいんを出しますので "
               "下にある[さくいん]ボタンをクリックするか 文字キーの[Ｔ]を押してください");
  EXPECT_STREQ(kFairyRepeatNotice, " ...さきほどと同じメッセージです... \r\n\r\n");
  EXPECT_STREQ(kNoMoreInformation, "追加情報なし");
}

TEST(HelpTexts, DialogHelpSupportPrintingAndBoxes) {
  struct Help {
    const FairyHelp* pHelp;
    const char* szTitle;
    const char* szBegins;
    bool bExact;  // the whole text is fixed
  };
  const Help helps[] = {
      {&kTimeNameHelp, "誕生日と生まれた時間", "\r\n誕生日はいつですか？\r\n生まれた時間は分かりますか？", false},
      {&kTimeZoneHelp, "出生時刻の時計", "\r\n  ホロミラは時刻を日本時間で記録します。", false},
      {&kSecondsHelp, "\"秒を指定\"", "時刻を秒まで指定するには、「秒を指定」ﾁｪｯｸﾎﾞｯｸｽをﾁｪｯｸします。", true},
      {&kUnknownTimeHelp, "\"時間は分からない\"",
       "日付は分かっても時刻はまったく分からない場合、このﾁｪｯｸﾎﾞｯｸｽをﾁｪｯｸすると、"
       "仮の出生時刻が日本時間正午に設定されます。",
       true},
      {&kPlaceHelp, "場所の指定",
       "\r\n  ふつうのホロスコープ(出生図)を作るときは出生地を指定します\r\n"
       "  ソーラーリターンやプログレス  トランジットなどの計算をするときは その瞬間にいる(いた)場所を指定します\r\n"
       "  ホーラリーチャートを作る場合は 今いる場所を指定します",
       true},
      {&kFiledDataHelp, "ファイルのデータ", "\r\n  ファイルされている出生データがリストアップされています", false},
      {&kHarmonicHelp, "倍音図", "\r\n  第何倍音を計算するか指定してください。小数や負数でもかまいません。", true},
      {&kSeasonHelp, "春分図,etc.",
       "\r\n  春分の瞬間のホロスコープが春分図です　夏至図以下も同様です西暦何年のどの図を作るか指定してください", true},
      {&kSolarReturnHelp, "ソーラーリターン",
       "\r\n  ソーラーリターンの時刻が日本標準時で示されています  常用期間では ±数秒の精度があります  "
       "何歳のリターンを計算するか指定してください",
       true},
      {&kEphemerisHelp, "ホロミラ精密天体暦", "\r\n  ホロミラは1万年ぶんの精密占星暦を仮想内蔵しています", false},
      {&kConfirmHelp, "確認", "\r\n  ", false},
      {&kPopupListHelp, "\r\n  ポップアップウィンドウのリスト", "\r\n  ", false},
  };
  std::set<std::string> seen;
  for (const Help& h : helps) {
    EXPECT_STREQ(h.pHelp->szTitle, h.szTitle);
    EXPECT_EQ(Cp932Fault(h.pHelp->szTitle, kCrLf), "") << h.szTitle;
    EXPECT_EQ(Cp932Fault(h.pHelp->szText, kCrLf), "") << h.szTitle;
    if (h.bExact) {
      EXPECT_STREQ(h.pHelp->szText, h.szBegins);
    } else {
      EXPECT_TRUE(StartsWith(h.pHelp->szText, h.szBegins)) << h.szTitle;
      EXPECT_GT(Len(h.pHelp->szText), Len(h.szBegins) + 100) << h.szTitle;
      EXPECT_LT(Len(h.pHelp->szText), 1024) << h.szTitle;
    }
    EXPECT_TRUE(seen.insert(h.pHelp->szText).second) << h.szTitle;
  }

  // Support: a message box; printing: the popup window.
  EXPECT_STREQ(kSupportTitle, "最新版とサポートについて");
  EXPECT_EQ(Cp932Fault(kSupportText, kLf), "");
  EXPECT_STREQ(kPrintingTitle, "印刷について");
  EXPECT_STREQ(kPrintingButton, "ヘルプ [B]");
  EXPECT_EQ(Cp932Fault(kPrintingText, kCrLf), "");
  EXPECT_TRUE(Contains(kPrintingText, "クリップボード"));
  EXPECT_TRUE(Contains(kPrintingText, "「ファイル」→「図を印刷」"));
  EXPECT_TRUE(Contains(kPrintingText, "「ファイル」→「図を保存」"));
  for (const char* sz : {kSupportText, kPrintingText}) {
    EXPECT_GT(Len(sz), 200);
    EXPECT_LT(Len(sz), 2206);
    EXPECT_TRUE(seen.insert(sz).second);
  }

  // Wizard pages: CR LF in its window, LF in the question box.
  for (const char* sz : {kWizardIntroPage, kWizardTimeNamePage, kWizardBirthPlacePage, kWizardCurrentPlacePage,
                         kWizardConfirmPage})
    EXPECT_EQ(Cp932Fault(sz, kCrLf), "") << sz;
  EXPECT_EQ(Cp932Fault(kWizardReplaceQuestion, kLf), "");
  EXPECT_TRUE(StartsWith(kWizardIntroPage, "\r\n  デフォルトの出生データ（例えばこのソフトのユーザ自身の生年月日）を登録しましょう"));
  EXPECT_STREQ(kWizardCurrentPlacePage, "最後に 現在いる場所を指定してください\r\n今度は出生地ではなく「いまいる場所」...");
  EXPECT_STREQ(kWizardConfirmPage, "%s\r\n%s生まれ\r\n出生地 %s\r\n現在地 %s");
  EXPECT_STREQ(kWizardConfirmTitle, "確認してください");
  EXPECT_STREQ(kWizardConfirmButton, "ＯＫ [A]");

  // Greeting, quotation and version boxes: one line per static except the
  // quotations, which break with CR LF.
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(Cp932Fault(kNoButtonLines[i], kOneLine), "") << i;
    EXPECT_GT(Len(kNoButtonLines[i]), 0) << i;
  }
  EXPECT_STREQ(kTitlePageLines[0], "こはウラニアに至る門");
  EXPECT_STREQ(kTitlePageLines[1], "低き憂いは さげすまる");
  EXPECT_STREQ(kTitlePageLines[2], "  H o r o M i r a");
  EXPECT_STREQ(kAutoSetupLine, "    自動設定中 ...");
  EXPECT_STREQ(kQuotationTitle, "ホロミラによせて");
  for (int i = 0; i < kQuotationCount; ++i) {
    EXPECT_EQ(Cp932Fault(kQuotationTexts[i], kCrLf), "") << i;
    EXPECT_GT(Len(kQuotationTexts[i]), 20) << i;
  }
  EXPECT_STREQ(kVersionOsNames[2], "Windows 98 or Newer");
  EXPECT_STREQ(kVersionOsNames[3], "認識できない");
  EXPECT_STREQ(kVersionFreeSpaceFormat, "このドライブ[%s]には %.1f MBの");
}

TEST(HelpTexts, HouseSystemLinesFitTheMessageBox) {
  EXPECT_STREQ(kHouseSystemHeading, "ハウスシステム");
  const char* const names[kHouseSystemCount] = {"イコール", "プラシーダス", "太陽=第1カスプ", "おひつじ0度=第1カスプ"};
  std::set<std::string> seen;
  for (int i = 0; i < kHouseSystemCount; ++i) {
    EXPECT_TRUE(StartsWith(kHouseSystemLines[i][0], names[i])) << i;
    for (int j = 0; j < 3; ++j) {
      const char* sz = kHouseSystemLines[i][j];
      EXPECT_EQ(Cp932Fault(sz, kOneLine), "") << i << " " << j;
      // About 33 full-width characters fit the frame of the box.
      EXPECT_GT(Len(sz), 0) << i << " " << j;
      EXPECT_LE(Len(sz), 46) << i << " " << j;
      EXPECT_TRUE(seen.insert(sz).second) << i << " " << j;
    }
  }
}

TEST(HelpTexts, BuildDateLineAndItsCut) {
  struct Case {
    const char* szDate;
    const char* szTime;
    int iCapacity;
    const char* szExpected;
  };
  const Case cases[] = {
      {"Mar  5 2024", "12:34:56", 64, "作成日 : 2024年3月5日 12:34:56"},
      {"Dec 31 1999", "23:59:59", 64, "作成日 : 1999年12月31日 23:59:59"},
      {"Foo 31 1999", "23:59:59", 64, "作成日 : Foo 31 1999 23:59:59"},
      {"", "", 64, "作成日 :  "},
      {"Mar  5 2024", "12:34:56", 7, "作成日"},    // 6 bytes fit
      {"Mar  5 2024", "12:34:56", 6, "作成 "},     // a lone lead byte becomes a blank
      {"Mar  5 2024", "12:34:56", 1, ""},
  };
  for (const Case& c : cases) {
    char szBuf[64];
    memset(szBuf, 'x', sizeof szBuf);
    const int n = FormatBuildDate(szBuf, c.iCapacity, c.szDate, c.szTime);
    EXPECT_STREQ(szBuf, c.szExpected) << c.szDate << " / " << c.iCapacity;
    EXPECT_EQ(n, Len(c.szExpected)) << c.szDate << " / " << c.iCapacity;
    EXPECT_EQ(Cp932Fault(szBuf, kOneLine), "") << c.szDate << " / " << c.iCapacity;
  }
  EXPECT_EQ(FormatBuildDate(nullptr, 10, "Mar  5 2024", "12:34:56"), 0);
  char szOne[4] = "abc";
  EXPECT_EQ(FormatBuildDate(szOne, 0, "Mar  5 2024", "12:34:56"), 0);
  EXPECT_STREQ(szOne, "abc");
}

}  // namespace

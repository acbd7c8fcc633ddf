// The program's own message boxes, shown by the real AppOkMsg, AppMsgBox and
// AppOkCancelMsg with the dialog resources linked in.  A second thread
// finds each box, reads its caption, texts and buttons byte for byte and
// answers it.  Also checks that long double prints with %Lf.
//
// Usage (as run.sh calls every test): test_appbox HOROMAP_EXE WORK_DIR SHOT_DIR
// Only SHOT_DIR is used.
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "platform/reports.h"
#include "platform/resource_ids.h"
#include "wine_common.h"

namespace {

constexpr DWORD kBoxTimeoutMs = 20000;
constexpr DWORD kShotTimeoutMs = 15000;
constexpr int kPressClose = 0;  // answer by closing the box (WM_CLOSE)

// "ΩΡΟΜΙΡΑ" in code page 932, spelt out.
const char kCaptionCp932[] = "\x83\xb6\x83\xaf\x83\xad\x83\xaa\x83\xa7\x83\xaf\x83\x9f";

using Buttons = std::vector<std::pair<int, std::string>>;

// One box: what it must show and how the second thread answers it.
struct BoxCase {
  const char* szName;
  std::string texts[4];  // heading, lines 1..3
  Buttons buttons;       // push buttons expected, in order
  int iPress;            // id of the button to press, or kPressClose
  const char* szShotDir;  // non-null: offer a screenshot of this box
};

// The second thread: checks the box of the current case and answers it.
DWORD WINAPI AnswerBox(LPVOID lpParam) {
  const BoxCase& c = *static_cast<const BoxCase*>(lpParam);
  HWND hDlg = WaitForWindow("#32770", kCaptionCp932, GetCurrentProcessId(), kBoxTimeoutMs);
  if (!hDlg) Abandon((std::string(c.szName) + ": no box with the caption ΩΡΟΜΙΡΑ").c_str());
  ExpectTrue((std::string(c.szName) + ": box found by its CP932 caption").c_str(), true);

  static const int kTextIds[4] = {IDC_APPBOX_HEADING, IDC_APPBOX_LINE1, IDC_APPBOX_LINE2, IDC_APPBOX_LINE3};
  static const char* const kTextNames[4] = {"heading", "line 1", "line 2", "line 3"};
  for (int i = 0; i < 4; ++i) {
    const std::string sWhat = std::string(c.szName) + ": " + kTextNames[i] + " (" + std::to_string(kTextIds[i]) + ")";
    ExpectBytes(sWhat.c_str(), ControlText(hDlg, kTextIds[i]), c.texts[i]);
  }
  const Buttons shown = PushButtons(hDlg);
  ExpectEqual((std::string(c.szName) + ": number of buttons").c_str(), shown.size(), c.buttons.size());
  for (size_t i = 0; i < shown.size() && i < c.buttons.size(); ++i) {
    const std::string sWhat = std::string(c.szName) + ": button " + std::to_string(c.buttons[i].first);
    ExpectEqual((sWhat + " id").c_str(), shown[i].first, c.buttons[i].first);
    ExpectBytes((sWhat + " label").c_str(), shown[i].second, c.buttons[i].second);
  }
  ExpectTrue((std::string(c.szName) + ": shows an icon").c_str(), HasIcon(hDlg));

  AwaitScreenshot(c.szShotDir, "appbox", kShotTimeoutMs);
  if (c.iPress == kPressClose) {
    PostMessageA(hDlg, WM_CLOSE, 0, 0);
  } else {
    PostMessageA(hDlg, WM_COMMAND, MAKEWPARAM(c.iPress, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(hDlg, c.iPress)));
  }
  const DWORD dwStart = GetTickCount();
  while (IsWindow(hDlg)) {
    if (GetTickCount() - dwStart > kBoxTimeoutMs) Abandon((std::string(c.szName) + ": box stays open").c_str());
    Sleep(20);
  }
  return 0;
}

// Runs one box on this thread while the second thread answers it; returns
// what the box function returned.
template <typename ShowBox>
int RunCase(const BoxCase& c, ShowBox show) {
  HANDLE hThread = CreateThread(nullptr, 0, AnswerBox, const_cast<BoxCase*>(&c), 0, nullptr);
  if (!hThread) Abandon("cannot start the answering thread");
  const int iResult = show(c);
  WaitForSingleObject(hThread, kBoxTimeoutMs);
  CloseHandle(hThread);
  return iResult;
}

void CheckLongDoublePrinting() {
  const long double ldJde = 2451545.00074287L;
  char szBuf[64];
  snprintf(szBuf, sizeof szBuf, "%.8Lf", ldJde);
  printf("long double printed with %%.8Lf: %.8Lf\n", ldJde);
  ExpectBytes("%Lf prints a long double", szBuf, "2451545.00074287");
}

}  // namespace

int main(int argc, char** argv) {
  const char* szShotDir = argc > 3 ? argv[3] : nullptr;
  ExpectEqual("the ANSI code page of this run", GetACP(), ExpectedAnsiCodePage());
  CheckLongDoublePrinting();

  // A line that fills its 128-byte slot: 127 bytes.
  std::string sFullLine = "x";
  for (int i = 0; i < 63; ++i) sFullLine += "あ";
  ExpectEqual("full line is 127 bytes", sFullLine.size(), 127);

  const BoxCase okBox{"AppOkMsg",
                      {"新規ファイル", "ファイル名を付けてください。", "A&B 100%", sFullLine},
                      {{6, "確  認 (&K)"}},
                      6,
                      szShotDir};
  RunCase(okBox, [](const BoxCase& c) {
    AppOkMsg(nullptr, c.texts[0].c_str(), c.texts[1].c_str(), c.texts[2].c_str(), c.texts[3].c_str());
    return 0;
  });
  ExpectTrue("AppOkMsg returned after its button was pressed", true);

  const BoxCase yesNoBox{"AppMsgBox",
                         {"出生データファイルを読み込めません ...", "自分でファイルの場所を指定しますか？",
                          "   [いいえ]      →  ファイルを新規作成", "   [キャンセル]  →  読み込みを中止"},
                         {{6, "は い (&Y)"}, {7, "いいえ (&N)"}, {2, "キャンセル(&C)"}},
                         7,
                         nullptr};
  const auto showYesNo = [](const BoxCase& c) {
    return AppMsgBox(nullptr, c.texts[0].c_str(), c.texts[1].c_str(), c.texts[2].c_str(), c.texts[3].c_str());
  };
  ExpectEqual("AppMsgBox answered with No returns 7", RunCase(yesNoBox, showYesNo), 7);

  const auto showOkCancel = [](const BoxCase& c) {
    return AppOkCancelMsg(nullptr, c.texts[0].c_str(), c.texts[1].c_str(), c.texts[2].c_str(),
                          c.texts[3].c_str());
  };
  BoxCase okCancelBox{"AppOkCancelMsg",
                      {"登録データのないファイル", "下記のファイルは保存しません", "無題.bd5", ""},
                      {{6, "Ｏ Ｋ (&K)"}, {2, "キャンセル(&C)"}},
                      6,
                      nullptr};
  ExpectEqual("AppOkCancelMsg answered with OK returns 1", RunCase(okCancelBox, showOkCancel), 1);

  okCancelBox.szName = "AppOkCancelMsg closed";
  okCancelBox.iPress = kPressClose;
  ExpectEqual("AppOkCancelMsg closed with its close box returns 2", RunCase(okCancelBox, showOkCancel), 2);

  BoxCase closedYesNo = yesNoBox;
  closedYesNo.szName = "AppMsgBox closed";
  closedYesNo.iPress = kPressClose;
  ExpectEqual("AppMsgBox closed with its close box returns 2", RunCase(closedYesNo, showYesNo), 2);

  return Finish("test_appbox");
}

// The hidden commands (3199, 23456) and the information boxes: support
// (50001), quotation (50003), version (53290) and printing (55000).
#include <cstdio>
#include <cstring>

#include "dialogs/dialogs.h"
#include "platform/reports.h"
#include "readings/help_texts.h"
#include "shell/aux_windows.h"
#include "shell/report_commands.h"

namespace {

// The help topic on pasting a chart into another program, which is how a
// chart is printed.
constexpr int kPastingHelpTopic = 3;

}  // namespace

// 3199 (F15).
int HiddenCommandB(const CommandContext& c) {
  char szLine[64];
  snprintf(szLine, sizeof szLine, "lstrlen = %d",
           static_cast<int>(strnlen(MessageText(c.lpAb), kMessageTextCapacity)));
  AppOkMsg(c.hWnd, "隠しコマンドＢ", szLine, "", "");
  return 1;
}

// 23456 (Shift+/).
int HiddenCommandA(const CommandContext& c) {
  char szLine[64];
  snprintf(szLine, sizeof szLine, "HouseType=%d", c.lpAb->view.HouseType);
  AppOkMsg(c.hWnd, "隠しコマンドＡ", szLine, "", "");
  return 1;
}

// 50001.
int SupportCommand(const CommandContext& c) {
  PlatformMessageBox(c.hWnd, kSupportText, kSupportTitle, kMbOk | kMbIconInformation);
  return 1;
}

// 50003.
int QuotationCommand(const CommandContext& c) {
  ClosePopupWindow();
  ShowQuotationBox(c.hWnd);
  return 1;
}

// 53290.
int VersionCommand(const CommandContext& c) {
  ShowVersionBox(c.hWnd);
  return 1;
}

// 55000; sent again by the popup's "ヘルプ [B]" (lParam -2000), the topic
// on pasting a chart.
int PrintingCommand(const CommandContext& c) {
  if (c.lParam == kParamFromPopup) {
    return SetPopupWindow(c.hWnd, IDM_HELP_INDEX, HelpTopicTitle(kPastingHelpTopic), HelpTopicText(kPastingHelpTopic),
                          nullptr, 0);
  }
  return SetPopupWindow(c.hWnd, IDM_PRINTING, kPrintingTitle, kPrintingText, kPrintingButton, 1);
}

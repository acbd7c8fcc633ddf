// The program's own message boxes: the dialog resources "AppMessageBox",
// "AppOkCancelDB" and "AppOkMessageBox" run with their four texts.
#include <cstring>
#include <string>

#include "platform/platform.h"
#include "platform/reports.h"
#include "platform/resource_ids.h"
#include "platform/win32/win32_platform.h"
#include "platform/win32/win32_text.h"

namespace {

// The text block travels to the dialog as a movable local block of 516 bytes:
// four 128-byte zero-terminated slots (heading, lines 1..3) and 4 spare bytes.
constexpr SIZE_T kAppBoxBlockBytes = 516;
static_assert(sizeof(AppBoxTexts) <= kAppBoxBlockBytes, "text slots must fit the block");

// Controls of the texts: the heading and the three lines, numbered on from
// IDC_APPBOX_HEADING.
constexpr int kAppBoxTextCount = 4;
static_assert(IDC_APPBOX_LINE3 == IDC_APPBOX_HEADING + kAppBoxTextCount - 1, "text controls in a row");

const char* TemplateName(AppBoxKind kind) {
  switch (kind) {
    case kAppBoxYesNoCancel: return "AppMessageBox";
    case kAppBoxOkCancel: return "AppOkCancelDB";
    default: return "AppOkMessageBox";
  }
}

// Puts the texts into a new movable block; null when it cannot be had.
HLOCAL NewTextBlock(const AppBoxTexts& texts) {
  HLOCAL hMem = LocalAlloc(LMEM_MOVEABLE | LMEM_ZEROINIT, kAppBoxBlockBytes);
  if (!hMem) return nullptr;
  char* lpBlock = static_cast<char*>(LocalLock(hMem));
  if (!lpBlock) {
    LocalFree(hMem);
    return nullptr;
  }
  for (int i = 0; i < kAppBoxTextCount; ++i) {
    char* lpSlot = lpBlock + i * kAppBoxSlotSize;
    memcpy(lpSlot, texts.sz[i], kAppBoxSlotSize);
    lpSlot[kAppBoxSlotSize - 1] = '\0';
  }
  LocalUnlock(hMem);
  return hMem;
}

// When the dialog itself cannot be created (its template missing, no window
// resources left) the question is still asked, in a system box with the same
// buttons, so that the caller gets a real answer instead of a false one.
int AskWithSystemBox(AppBoxKind kind, HWND hOwner, const AppBoxTexts& texts) {
  std::string sText = texts.sz[0];
  for (int i = 1; i < kAppBoxTextCount; ++i) (sText += "\n") += texts.sz[i];
  UINT uStyle = MB_OK | MB_ICONINFORMATION;
  if (kind == kAppBoxYesNoCancel) uStyle = MB_YESNOCANCEL | MB_ICONQUESTION;
  if (kind == kAppBoxOkCancel) uStyle = MB_OKCANCEL | MB_ICONQUESTION;
  const int iAnswer = MessageBoxSjis(hOwner, sText.c_str(), kProgramTitle, uStyle);
  return iAnswer == IDOK ? IDYES : iAnswer;  // the own boxes' OK button is 6
}

}  // namespace

INT_PTR CALLBACK AppMsgBoxDFunc(HWND hDlg, UINT uMsg, WPARAM wParam, LPARAM lParam) {
  switch (uMsg) {
    case WM_INITDIALOG: {
      HLOCAL hMem = reinterpret_cast<HLOCAL>(lParam);
      const char* lpBlock = static_cast<const char*>(LocalLock(hMem));
      if (lpBlock) {
        for (int i = 0; i < kAppBoxTextCount; ++i) {
          SetDlgItemTextSjis(hDlg, IDC_APPBOX_HEADING + i, lpBlock + i * kAppBoxSlotSize);
        }
        LocalUnlock(hMem);
      }
      return TRUE;  // the focus goes to the first button
    }
    case WM_COMMAND:
      // Esc and the close box arrive as IDCANCEL (2), also in the box that
      // has no Cancel button.
      switch (LOWORD(wParam)) {
        case IDYES:
        case IDNO:
        case IDCANCEL: EndDialog(hDlg, LOWORD(wParam)); return TRUE;
      }
      break;
  }
  return FALSE;
}

int PlatformAppBox(AppBoxKind kind, WindowRef hOwner, const AppBoxTexts& texts) {
  HLOCAL hMem = NewTextBlock(texts);
  if (!hMem) return kAppBoxNoTextBlock;
  HWND hOwnerWnd = static_cast<HWND>(hOwner);
  INT_PTR iAnswer = DialogBoxParamW(GetModuleHandleW(nullptr), WideFromSjis(TemplateName(kind)).c_str(), hOwnerWnd,
                                    AppMsgBoxDFunc, reinterpret_cast<LPARAM>(hMem));
  LocalFree(hMem);
  if (iAnswer != IDYES && iAnswer != IDNO && iAnswer != IDCANCEL) {
    return AskWithSystemBox(kind, hOwnerWnd, texts);
  }
  return static_cast<int>(iAnswer);
}

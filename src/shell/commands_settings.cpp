// The settings menu, the default-person wizard and uninstall.
#include "shell/commands_settings.h"

#include <cstdio>

#include "dialogs/dialogs.h"
#include "entry/entry_rules.h"
#include "persistence/association.h"
#include "platform/platform.h"
#include "readings/help_texts.h"
#include "shell/logic/command_rules.h"
#include "shell/main_window.h"
#include "shell/shell.h"

int BackgroundCommand(const CommandContext& c) {
  SystemIniInf* pSii = c.pSii;
  const int iColour = c.iCommand - IDM_BACK_FIRST;
  if (iColour == pSii->bBackColor) return 1;
  const uint8_t bOld = pSii->bBackColor;
  pSii->bBackColor = static_cast<uint8_t>(iColour);
  if (!BuildPalette(c.hWnd, pSii, c.lpAb)) {
    pSii->bBackColor = bOld;
    BuildPalette(c.hWnd, pSii, c.lpAb);
    return 0;
  }
  CheckMenuRadioItem(c.lpAb->hMenu, IDM_BACK_FIRST, IDM_BACK_LAST, c.iCommand, MF_BYCOMMAND);
  InvalidateRect(c.hWnd, &c.lpAb->rcChart, FALSE);
  return 1;
}

int OrbCommand(const CommandContext& c) {
  const int iOrb = OrbOfCommand(c.iCommand);
  if (iOrb == 0) return 0;
  char szLine[32];
  snprintf(szLine, sizeof szLine, "    %d度のオーブ", iOrb);
  if (AppOkCancelMsg(c.hWnd, "確認", "次の設定を記憶します。", szLine, "よろしいですか？") != kIdOk) return 0;
  c.pSii->bOrb = static_cast<uint8_t>(iOrb);
  c.lpAb->fOrb = static_cast<float>(iOrb);
  CheckMenuRadioItem(c.lpAb->hMenu, IDM_ORB_FIRST, IDM_ORB_LAST, c.iCommand, MF_BYCOMMAND);
  return 1;
}

int HouseSystemCommand(const CommandContext& c) {
  const ChartRecord& shown = ShownChart(c);
  if (c.iCommand == IDM_HOUSE_PLACIDUS && HasChart(shown) && shown.iHouseMode == 0) {
    PlatformMessageBox(c.hWnd, "緯度が60度を超える場合、プラシーダス・ハウス・システムはサポートされません。", "高緯度の特例",
                       kMbOk | kMbIconWarning);
    return 0;
  }
  const int i = c.iCommand - IDM_HOUSE_EQUAL;
  if (AppOkCancelMsg(c.hWnd, kHouseSystemHeading, kHouseSystemLines[i][0], kHouseSystemLines[i][1],
                     kHouseSystemLines[i][2]) != kIdOk) {
    return 0;
  }
  CheckMenuRadioItem(c.lpAb->hMenu, IDM_HOUSE_EQUAL, IDM_HOUSE_ARIES, c.iCommand, MF_BYCOMMAND);
  c.lpAb->view.HouseType = HouseTypeOfCommand(c.iCommand);
  InvalidateRect(c.hWnd, &c.lpAb->rcChart, FALSE);
  return 1;
}

int StartupCommand(const CommandContext& c) {
  const bool bTitlePage = c.iCommand == IDM_TITLE_PAGE;
  if (AppOkCancelMsg(c.hWnd, "起動速度の設定", bTitlePage ? "タイトルページを出す" : "タイトルページを出さずに高速起動",
                     "上記の設定でよろしいですか？", "") != kIdOk) {
    return 0;
  }
  if (bTitlePage) {
    c.pSii->bFlags |= kSiiFlagTitlePage;
  } else {
    c.pSii->bFlags &= static_cast<uint8_t>(~kSiiFlagTitlePage);
  }
  CheckMenuRadioItem(c.lpAb->hMenu, IDM_TITLE_PAGE, IDM_FAST_START, c.iCommand, MF_BYCOMMAND);
  return 1;
}

int WizardCommand(const CommandContext& c) {
  const int iStep = c.iCommand == IDM_DEFAULT_PERSON ? kWizardStart : static_cast<int>(c.lParam);
  const int iResult = RunDefaultDataWizard(c.hWnd, 0, iStep, c.pSii, c.pSlots, WizardBlocksOf(c.lpAb));
  if (iResult == kWizardFinished) c.lpAb->bState0 |= kState0DefaultPerson;
  return iResult ? 1 : 0;
}

int UninstallProgram(const CommandContext& c) {
  if (!UninstallCommand(c.pSii)) return 0;
  c.lpAb->bState2 |= kState2Uninstalled;
  PlatformDestroyMainWindow();
  return 1;
}

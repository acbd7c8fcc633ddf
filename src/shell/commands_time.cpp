// The chart's time: steps, the return to the first time, the animation.
#include "shell/commands_time.h"

#include "chart/chart_driver.h"
#include "shell/aux_windows.h"
#include "shell/logic/command_rules.h"
#include "shell/logic/shell_logic.h"
#include "shell/main_window.h"
#include "shell/shell.h"
#include "time/calendar.h"

int TimeStep(const CommandContext& c) {
  ChartSlots* pSlots = c.pSlots;
  AppState* lpAb = c.lpAb;
  const int iSlot = ShownSlotIndex(*pSlots);
  // A first step, or a step of another chart than the one stepped before:
  // the chart as it is now is kept for "初めの時刻に戻す".
  if (!(lpAb->bState1 & kState1Stepped) || lpAb->iSteppedSlot != iSlot) {
    pSlots->charts[kSlotBackup] = pSlots->charts[iSlot];
    lpAb->iSteppedSlot = iSlot;
    lpAb->bState1 |= kState1Stepped;
  }
  // The moment is moved on a copy: the working chart of the application
  // state may hold a new person waiting in the confirmation box.
  const ChartRecord from = pSlots->charts[iSlot];
  BirthRecord target = from.target;
  JdToDate(DateToJd(target.time, 0.0f) + StepCodeToSeconds(c.iCommand) / 86400.0L, &target.time);
  HoromiraMain(target, from.natal, &pSlots->charts[iSlot], from.wKind, from.iReturnAge, from.fHarmonic,
               kOriginOrdinary);
  RedrawChart(c.hWnd);
  return 1;
}

int RestoreTime(const CommandContext& c) {
  AppState* lpAb = c.lpAb;
  ChartSlots* pSlots = c.pSlots;
  if (!(lpAb->bState1 & kState1Stepped)) return 0;
  const int iSlot = lpAb->iSteppedSlot >= 0 && lpAb->iSteppedSlot < kSlotBackup ? lpAb->iSteppedSlot : kSlotNatal;
  pSlots->charts[iSlot] = pSlots->charts[kSlotBackup];
  lpAb->bState1 &= static_cast<uint8_t>(~kState1Stepped);
  // The chart put back is the one shown (another may have been put on view
  // since it was stepped).
  if (ShownSlotIndex(*pSlots) != iSlot) {
    pSlots->bCurSlot = static_cast<uint8_t>(iSlot);
    pSlots->iCurKind = pSlots->charts[iSlot].wKind;
    if (pSlots->iViewMode == kViewDouble) {
      pSlots->bInnerSlot = static_cast<uint8_t>(DoubleCircleInnerSlot(*pSlots, InDoubleChartMode(lpAb)));
    }
  }
  RedrawChart(c.hWnd);
  return 1;
}

int StartAnimation(const CommandContext& c) {
  if (AppOkCancelMsg(c.hWnd, "アニメーション", "10分間の星の動きを1コマに短縮して次々と", "表示します。終了するには、どれかのキーを",
                     "押すかマウスをクリックしてください") != kIdOk) {
    return 0;
  }
  AppState* lpAb = c.lpAb;
  ChartSlots* pSlots = c.pSlots;
  // Enter held from the confirmation must not stop the animation: its mark
  // is set only once Enter is up (now, or at its release, WM_KEYUP).
  if (GetKeyState(VK_RETURN) >= 0) lpAb->bState1 |= kState1EnterReleased;
  else lpAb->bState1 &= static_cast<uint8_t>(~kState1EnterReleased);
  ClosePopupWindow();
  CloseFairyWindow();
  if (pSlots->iCurKind == kChartProgressed) {
    pSlots->bCurSlot = kSlotTransit;
    pSlots->iCurKind = kChartTransit;
  }
  if (pSlots->iViewMode == kViewDouble) pSlots->iViewMode = kViewChart;
  lpAb->bState1 |= kState1Animating;
  lpAb->nAnimFrames = 0;
  SetTimer(c.hWnd, kAnimationTimer, kAnimationPeriodMs, nullptr);
  InvalidateRect(c.hWnd, nullptr, FALSE);
  return 1;
}

int RightButtonMenu(const CommandContext& c) {
  POINT pt;
  GetCursorPos(&pt);
  ShowRightButtonMenu(c.hWnd, pt.x, pt.y);
  return 1;
}

int OneStep(const CommandContext& c) {
  PostCommand(c.hWnd, OneStepCommand(c.pSlots->iCurKind, c.iCommand == IDM_STEP_FORWARD));
  return 1;
}

// The window-free rules of the main window's commands.
#include "shell/logic/command_rules.h"

#include <utility>

#include "chart/houses.h"
#include "platform/resource_ids.h"

namespace {

constexpr int kPersonSlots = 3;  // natal, progressed, transit of one person

bool InFirstHalf(int iSlot) { return iSlot >= kSlotNatal && iSlot < kSlotPrevNatal; }
bool InSecondHalf(int iSlot) { return iSlot >= kSlotPrevNatal && iSlot < kSlotBackup; }

}  // namespace

int DoubleCircleInnerSlot(const ChartSlots& s, bool bDoubleChartMode) {
  if (bDoubleChartMode) return InFirstHalf(s.bCurSlot) ? kSlotPrevNatal : kSlotNatal;
  if (!s.bDerived) return s.bCurSlot;
  return s.bCurSlot == kSlotNatal ? kSlotTransit : kSlotNatal;
}

int DecideChartKind(const ChartSlots& s, int iKind) {
  const bool bNatalShown = s.bCurSlot == kSlotNatal && s.iCurKind == kChartNatal;
  if (iKind == kChartNatal || iKind == s.iCurKind) {
    if (s.iViewMode == kViewDouble) return kKindNatalSingle;
    return bNatalShown ? kKindNothing : kKindNatal;
  }
  return s.bDerived ? kKindShowDerived : kKindMakeDerived;
}

void ShowChartOfKind(ChartSlots* pSlots, int iKind, bool bDoubleChartMode) {
  pSlots->iCurKind = iKind;
  pSlots->bCurSlot = static_cast<uint8_t>(kSlotNatal + iKind);
  if (pSlots->iViewMode == kViewDouble) {
    pSlots->bInnerSlot = static_cast<uint8_t>(DoubleCircleInnerSlot(*pSlots, bDoubleChartMode));
  }
}

int OneStepCommand(int iCurKind, bool bForward) {
  if (iCurKind == kChartProgressed) return bForward ? IDM_STEP_DAY_FWD1 : IDM_STEP_DAY_BACK1;
  return bForward ? IDM_STEP_MIN_FWD1 : IDM_STEP_MIN_BACK1;
}

int MomentKind(long lParam, int iCurKind) {
  if (lParam == IDM_CTRL_P) return kChartProgressed;
  if (lParam == IDM_CTRL_T) return kChartTransit;
  return iCurKind;
}

void SwapPersons(ChartSlots* pSlots) {
  for (int i = 0; i < kPersonSlots; ++i) std::swap(pSlots->charts[kSlotNatal + i], pSlots->charts[kSlotPrevNatal + i]);
}

void UndoSlots(ChartSlots* pSlots) {
  SwapPersons(pSlots);
  pSlots->iViewMode = kViewChart;
  pSlots->iCurKind = kChartNatal;
  pSlots->bCurSlot = kSlotNatal;
  pSlots->bInnerSlot = kSlotNatal;
  pSlots->bDerived = 0;
}

int SwitchDataSlots(ChartSlots* pSlots) {
  int iSound = 1;
  if (!InFirstHalf(pSlots->bCurSlot) || !InSecondHalf(pSlots->bInnerSlot)) {
    pSlots->bCurSlot = kSlotNatal;
    pSlots->bInnerSlot = kSlotPrevNatal;
    iSound = 0;
  }
  SwapPersons(pSlots);
  // The person that was inside is now in the first half and shown outside.
  const uint8_t bOuter = pSlots->bCurSlot;
  pSlots->bCurSlot = static_cast<uint8_t>(pSlots->bInnerSlot - kPersonSlots);
  pSlots->bInnerSlot = static_cast<uint8_t>(bOuter + kPersonSlots);
  pSlots->iCurKind = pSlots->charts[pSlots->bCurSlot].wKind;
  return iSound;
}

void EnterDoubleChartSlots(ChartSlots* pSlots) {
  for (int i = 0; i < kPersonSlots; ++i) pSlots->charts[kSlotPrevNatal + i] = pSlots->charts[kSlotNatal + i];
  const int iShown = InFirstHalf(pSlots->bCurSlot) ? pSlots->bCurSlot : static_cast<int>(kSlotNatal);
  pSlots->bInnerSlot = static_cast<uint8_t>(iShown + kPersonSlots);
  pSlots->iViewMode = kViewDouble;
  pSlots->iCurKind = kChartNatal;
  pSlots->bDerived = 0;
  pSlots->bCurSlot = kSlotBackup;
}

void LeaveDoubleChartSlots(ChartSlots* pSlots) {
  const int iInner = InSecondHalf(pSlots->bInnerSlot) ? pSlots->bInnerSlot : static_cast<int>(kSlotPrevNatal);
  SwapPersons(pSlots);
  pSlots->iViewMode = kViewChart;
  pSlots->bCurSlot = static_cast<uint8_t>(iInner - kPersonSlots);
  pSlots->bInnerSlot = pSlots->bCurSlot;
  pSlots->iCurKind = pSlots->charts[pSlots->bCurSlot].wKind;
  pSlots->bDerived = 0;
}

int OrbOfCommand(int iCommand) {
  switch (iCommand) {
    case IDM_ORB_3: return 3;
    case IDM_ORB_4: return 4;
    case IDM_ORB_5: return 5;
    case IDM_ORB_6: return 6;
    case IDM_ORB_8: return 8;
    case IDM_ORB_10: return 10;
  }
  return 0;
}

int HouseTypeOfCommand(int iCommand) {
  switch (iCommand) {
    case IDM_HOUSE_PLACIDUS: return kHouseTypePlacidus;
    case IDM_HOUSE_SUN: return kHouseTypeEqualSun;
    case IDM_HOUSE_ARIES: return kHouseTypeEqualAries;
  }
  return kHouseTypeEqualAsc;
}

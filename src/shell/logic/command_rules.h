// The rules of the main window's commands that need no window: which chart
// a view or chart-kind command shows, how the persons move between the
// halves of the chart-slot block (undo, switch data, double-chart mode),
// which command a one-step button sends, and the numbers of the settings
// commands.  Portable, so the unit tests check them natively; the command
// handlers in shell/commands_*.cpp apply what they decide.
#pragma once

#include <cstdint>

#include "base/chart_record.h"

// DoubleCircleInnerSlot: the inner chart of the double circle.  In
// double-chart mode the other person (slot 3 when the shown slot is one of
// 0..2, else slot 0); otherwise, with derived charts, the natal chart
// inside a derived one (and the transit chart inside the natal one); without
// them the shown chart itself.
int DoubleCircleInnerSlot(const ChartSlots& slots, bool bDoubleChartMode);

// What a natal / progressed / transit command (kind 0, 1, 2) does.
enum ChartKindAction : int {
  kKindNothing = 0,       // the natal chart is already shown alone
  kKindNatalSingle,       // the natal chart alone in the chart view (from the double circle)
  kKindNatal,             // the natal chart in the view shown
  kKindShowDerived,       // the derived chart of that kind at once
  kKindMakeDerived,       // the progressed and transit charts are made first
};

// DecideChartKind: in the double circle, kind 0 or the kind shown returns
// to the natal chart alone; elsewhere it shows the natal chart (nothing
// when it is shown).  Otherwise an existing derived chart is shown at once,
// or the derived charts are made.
int DecideChartKind(const ChartSlots& slots, int iKind);

// ShowChartOfKind: puts the chart of kind iKind (0 natal, 1 progressed, 2
// transit: slots 0, 1, 2) on view; in the double circle the inner chart
// follows (DoubleCircleInnerSlot).
void ShowChartOfKind(ChartSlots* pSlots, int iKind, bool bDoubleChartMode);

// OneStepCommand: the time step that the buttons 10017 (backward) and 10018
// (forward) send: one day while the progressed chart is shown (401 / 1401),
// one minute otherwise (201 / 1201).
int OneStepCommand(int iCurKind, bool bForward);

// MomentKind: the chart kind that the calculation-moment command (10016)
// sets: 1 when sent by Ctrl+P (lParam 12002), 2 by Ctrl+T (12003), the kind
// shown otherwise.
int MomentKind(long lParam, int iCurKind);

// SwapPersons: slots 0..2 and 3..5 change places (the shown person and the
// previous one, or the outer and the inner person).
void SwapPersons(ChartSlots* pSlots);

// UndoSlots ("元に戻す"): the previous person comes back: the halves swap
// and the natal chart is shown in view 0 (derived charts no longer count as
// belonging to it).
void UndoSlots(ChartSlots* pSlots);

// SwitchDataSlots ("データ切替"): the outer and the inner person exchange
// places: the halves swap and the shown and inner indexes move across.  A
// pair outside 0..2 (shown) and 3..5 (inner) is first repaired to 0 and 3.
// Returns 1, or 0 when the pair had to be repaired (the caller reports
// "!ChangeData;Hearts").
int SwitchDataSlots(ChartSlots* pSlots);

// EnterDoubleChartSlots: double-chart mode begins: the shown person becomes
// the inner one (slots 3..5, the shown chart inside), the outer place waits
// in slot 6 for the second person (view 3, kind 0, no derived charts).  The
// caller gives slot 6 its "ﾃﾞｰﾀが未指定" record.
void EnterDoubleChartSlots(ChartSlots* pSlots);

// LeaveDoubleChartSlots: double-chart mode ends keeping the inner person:
// it comes back to slots 0..2 (the outer one goes to 3..5, where undo finds
// it) and its inner chart is shown in view 0.
void LeaveDoubleChartSlots(ChartSlots* pSlots);

// OrbOfCommand: the orb of an orb command, degrees: 41003..41006, 41008 and
// 41010 give 3, 4, 5, 6, 8 and 10; any other number 0 (no such orb).
int OrbOfCommand(int iCommand);

// HouseTypeOfCommand: the house type of 44401..44404: 1 (equal from the
// ASC), 32 (Placidus), 0 (equal from the Sun), -1 (equal from 0 Aries).
int HouseTypeOfCommand(int iCommand);

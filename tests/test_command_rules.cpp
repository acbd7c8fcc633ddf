// The window-free rules of the main window's commands: the inner chart of
// the double circle, what the natal / progressed / transit commands do,
// the persons moving between the halves of the chart-slot block (undo,
// switch data, double-chart mode on and off), the one-step buttons, the
// calculation moment's kind, the orbs and the house types.
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>

#include "shell/logic/command_rules.h"

namespace {

// A chart-slot block whose slots are told apart by their titles ("P0"..
// "P6") and their kinds (slots 1 and 4 progressed, 2 and 5 transit).
std::unique_ptr<ChartSlots> Slots(int iView, int iCurSlot, int iCurKind, int bDerived, int iInner = 0) {
  std::unique_ptr<ChartSlots> s(new ChartSlots());
  for (int i = 0; i < kNumChartSlots; ++i) {
    snprintf(s->charts[i].szTitle, sizeof s->charts[i].szTitle, "P%d", i);
    s->charts[i].wKind = static_cast<uint16_t>(i < kSlotBackup ? i % 3 : 0);
  }
  s->iViewMode = iView;
  s->bCurSlot = static_cast<uint8_t>(iCurSlot);
  s->iCurKind = iCurKind;
  s->bDerived = bDerived;
  s->bInnerSlot = static_cast<uint8_t>(iInner);
  return s;
}

// The titles of slots 0..6, to see where the persons went.
std::string Titles(const ChartSlots& s) {
  std::string out;
  for (const ChartRecord& c : s.charts) out += std::string(c.szTitle) + " ";
  return out;
}

TEST(CommandRules, DoubleCircleInnerSlot) {
  const struct {
    const char* szWhat;
    int iCur, bDerived;
    bool bDoubleMode;
    int iInner;
  } kCases[] = {
      {"double-chart mode, outer person's natal", 0, 0, true, kSlotPrevNatal},
      {"double-chart mode, outer person's transit", 2, 1, true, kSlotPrevNatal},
      {"double-chart mode, the outer place not chosen yet", 6, 0, true, kSlotNatal},
      {"derived charts, natal shown: the transit chart inside", 0, 1, false, kSlotTransit},
      {"derived charts, progressed shown: the natal chart inside", 1, 1, false, kSlotNatal},
      {"no derived charts: the chart itself", 2, 0, false, kSlotTransit},
  };
  for (const auto& c : kCases) {
    const auto s = Slots(kViewDouble, c.iCur, 0, c.bDerived);
    EXPECT_EQ(DoubleCircleInnerSlot(*s, c.bDoubleMode), c.iInner) << c.szWhat;
  }
}

TEST(CommandRules, ChartKindCommands) {
  const struct {
    const char* szWhat;
    int iView, iCur, iCurKind, bDerived, iKind;
    int iAction;
  } kCases[] = {
      {"double circle, Shift+N", kViewDouble, 2, kChartTransit, 1, kChartNatal, kKindNatalSingle},
      {"double circle, the kind shown again", kViewDouble, 2, kChartTransit, 1, kChartTransit, kKindNatalSingle},
      {"double circle, another derived kind", kViewDouble, 2, kChartTransit, 1, kChartProgressed, kKindShowDerived},
      {"double circle without derived charts", kViewDouble, 0, kChartNatal, 0, kChartProgressed, kKindMakeDerived},
      {"chart view, natal shown, Shift+N", kViewChart, 0, kChartNatal, 0, kChartNatal, kKindNothing},
      {"detail view, natal shown, Shift+N", kViewDetail, 0, kChartNatal, 1, kChartNatal, kKindNothing},
      {"chart view, transit shown, Shift+T", kViewChart, 2, kChartTransit, 1, kChartTransit, kKindNatal},
      {"time view, progressed shown, Shift+N", kViewTime, 1, kChartProgressed, 1, kChartNatal, kKindNatal},
      {"chart view, derived charts exist", kViewChart, 0, kChartNatal, 1, kChartTransit, kKindShowDerived},
      {"chart view, none yet", kViewChart, 0, kChartNatal, 0, kChartProgressed, kKindMakeDerived},
      {"a horary chart shown, Shift+P", kViewChart, 2, kChartTransit, 0, kChartProgressed, kKindMakeDerived},
  };
  for (const auto& c : kCases) {
    const auto s = Slots(c.iView, c.iCur, c.iCurKind, c.bDerived);
    EXPECT_EQ(DecideChartKind(*s, c.iKind), c.iAction) << c.szWhat;
  }
}

TEST(CommandRules, ShowChartOfKindFollowsWithTheInnerChart) {
  auto s = Slots(kViewDouble, 0, kChartNatal, 1, 2);
  ShowChartOfKind(s.get(), kChartProgressed, false);
  EXPECT_EQ(s->bCurSlot, kSlotProgressed);
  EXPECT_EQ(s->iCurKind, kChartProgressed);
  EXPECT_EQ(s->bInnerSlot, kSlotNatal) << "the natal chart inside the progressed one";
  s = Slots(kViewChart, 2, kChartTransit, 1, 5);
  ShowChartOfKind(s.get(), kChartNatal, false);
  EXPECT_EQ(s->bCurSlot, kSlotNatal);
  EXPECT_EQ(s->bInnerSlot, 5) << "outside the double circle the inner slot is left alone";
}

TEST(CommandRules, OneStepAndMomentKind) {
  EXPECT_EQ(OneStepCommand(kChartProgressed, false), 401);
  EXPECT_EQ(OneStepCommand(kChartProgressed, true), 1401);
  EXPECT_EQ(OneStepCommand(kChartNatal, false), 201);
  EXPECT_EQ(OneStepCommand(kChartTransit, true), 1201);
  EXPECT_EQ(MomentKind(12002, kChartTransit), kChartProgressed);
  EXPECT_EQ(MomentKind(12003, kChartNatal), kChartTransit);
  EXPECT_EQ(MomentKind(0, kChartNatal), kChartNatal) << "from the toolbar: the kind shown";
  EXPECT_EQ(MomentKind(-2000, kChartProgressed), kChartProgressed);
}

TEST(CommandRules, UndoSwapsThePersonsAndShowsTheNatalChart) {
  auto s = Slots(kViewDouble, 2, kChartTransit, 1, 0);
  UndoSlots(s.get());
  EXPECT_EQ(Titles(*s), "P3 P4 P5 P0 P1 P2 P6 ");
  EXPECT_EQ(s->iViewMode, kViewChart);
  EXPECT_EQ(s->bCurSlot, kSlotNatal);
  EXPECT_EQ(s->iCurKind, kChartNatal);
  EXPECT_EQ(s->bDerived, 0);
  UndoSlots(s.get());
  EXPECT_EQ(Titles(*s), "P0 P1 P2 P3 P4 P5 P6 ") << "undo twice is the start again";
}

TEST(CommandRules, SwitchData) {
  const struct {
    const char* szWhat;
    int iCur, iInner;
    int iSound, iNewCur, iNewInner;
  } kCases[] = {
      {"natal outside, natal inside", 0, 3, 1, 0, 3},
      {"transit outside, progressed inside", 2, 4, 1, 1, 5},
      {"progressed outside, natal inside", 1, 3, 1, 0, 4},
      {"the outer place not chosen: repaired", 6, 3, 0, 0, 3},
      {"an inner slot in the first half: repaired", 0, 1, 0, 0, 3},
  };
  for (const auto& c : kCases) {
    auto s = Slots(kViewDouble, c.iCur, 0, 0, c.iInner);
    EXPECT_EQ(SwitchDataSlots(s.get()), c.iSound) << c.szWhat;
    EXPECT_EQ(Titles(*s), "P3 P4 P5 P0 P1 P2 P6 ") << c.szWhat;
    EXPECT_EQ(s->bCurSlot, c.iNewCur) << c.szWhat;
    EXPECT_EQ(s->bInnerSlot, c.iNewInner) << c.szWhat;
    EXPECT_EQ(s->iCurKind, s->charts[s->bCurSlot].wKind) << c.szWhat << ": the kind of the chart now outside";
  }
}

TEST(CommandRules, DoubleChartModeOnAndOff) {
  // The progressed chart of the person on view becomes the inner chart.
  auto s = Slots(kViewChart, 1, kChartProgressed, 1, 0);
  EnterDoubleChartSlots(s.get());
  EXPECT_EQ(Titles(*s), "P0 P1 P2 P0 P1 P2 P6 ");
  EXPECT_EQ(s->iViewMode, kViewDouble);
  EXPECT_EQ(s->bCurSlot, kSlotBackup) << "the outer place waits in slot 6";
  EXPECT_EQ(s->bInnerSlot, 4);
  EXPECT_EQ(s->iCurKind, kChartNatal);
  EXPECT_EQ(s->bDerived, 0);

  // A second person arrives outside; leaving keeps the inner person, the
  // outer one goes where undo finds it.
  for (int i = 0; i < 3; ++i) snprintf(s->charts[i].szTitle, sizeof s->charts[i].szTitle, "Q%d", i);
  s->bCurSlot = kSlotNatal;
  LeaveDoubleChartSlots(s.get());
  EXPECT_EQ(Titles(*s), "P0 P1 P2 Q0 Q1 Q2 P6 ");
  EXPECT_EQ(s->iViewMode, kViewChart);
  EXPECT_EQ(s->bCurSlot, kSlotProgressed) << "the inner chart is shown";
  EXPECT_EQ(s->iCurKind, kChartProgressed);
  EXPECT_EQ(s->bDerived, 0);
}

TEST(CommandRules, OrbsAndHouseTypes) {
  const int kOrbs[][2] = {{41002, 0}, {41003, 3}, {41004, 4}, {41005, 5}, {41006, 6}, {41007, 0},
                          {41008, 8}, {41009, 0}, {41010, 10}, {41011, 0}};
  for (const auto& o : kOrbs) EXPECT_EQ(OrbOfCommand(o[0]), o[1]) << o[0];
  EXPECT_EQ(HouseTypeOfCommand(44401), 1);
  EXPECT_EQ(HouseTypeOfCommand(44402), 32);
  EXPECT_EQ(HouseTypeOfCommand(44403), 0);
  EXPECT_EQ(HouseTypeOfCommand(44404), -1);
}

}  // namespace

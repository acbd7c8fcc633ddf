// Filling the chart-slot block: the default person's double circle at start
// and the previous person kept for undo.
#include <cmath>
#include <cstring>
#include <memory>

#include "chart/chart_slots.h"
#include "chart/chart_text.h"
#include "persistence/settings.h"
#include "test_support.h"

namespace {

class ChartSlotsTest : public BoxTest {
 protected:
  void SetUp() override {
    BoxTest::SetUp();
    slots.reset(new ChartSlots());
    ResetChartSlots(slots.get());
  }
  std::unique_ptr<ChartSlots> slots;
};

TEST_F(ChartSlotsTest, DefaultPersonDoubleCircleForTheClock) {
  const LocalClock now{2024, 3, 15, 21, 30, 15, 500};
  NativeSetClock(&now);
  BirthRecord person;
  MakeDefaultPerson(&person, "Jul 14 2024", "09:08:07");
  snprintf(person.szCurrentPlace, sizeof person.szCurrentPlace, "%s", "札幌");
  person.dCurrentLat = 43.06;
  person.dCurrentLong = 141.35;
  ComputeDefaultPersonCharts(person, slots.get());

  EXPECT_EQ(slots->iViewMode, kViewDouble);
  EXPECT_EQ(slots->iCurKind, kChartTransit);
  EXPECT_EQ(slots->bCurSlot, kSlotTransit);
  EXPECT_EQ(slots->bInnerSlot, kSlotNatal);
  EXPECT_NE(slots->bDerived, 0);
  const ChartRecord& natal = slots->charts[kSlotNatal];
  const ChartRecord& progressed = slots->charts[kSlotProgressed];
  const ChartRecord& transit = slots->charts[kSlotTransit];
  EXPECT_EQ(natal.wKind, kChartNatal);
  EXPECT_EQ(progressed.wKind, kChartProgressed);
  EXPECT_EQ(transit.wKind, kChartTransit);
  EXPECT_EQ(natal.target.time.year, 2000);
  EXPECT_EQ(natal.target.time.day, 14);
  // The derived charts are cast for the clock's moment at the current place.
  for (const ChartRecord* c : {&progressed, &transit}) {
    EXPECT_EQ(c->target.time.year, 2024);
    EXPECT_EQ(c->target.time.hour, 21);
    EXPECT_DOUBLE_EQ(c->target.time.second, 15.5);
    EXPECT_DOUBLE_EQ(c->target.dBirthLat, 43.06);
    EXPECT_STREQ(c->target.szBirthPlace, "札幌");
    EXPECT_STREQ(c->natal.szName, person.szName);
    EXPECT_NE(c->ldJde, 0);
  }
  EXPECT_GT(transit.ldJd, natal.ldJd + 365.0L * 23);
  // The progressed chart moves one day for each year of life.
  EXPECT_NEAR(static_cast<double>(progressed.ldJd - natal.ldJd), 23.7, 0.1);
}

TEST_F(ChartSlotsTest, PreviousPersonKeptOutsideDoubleChartMode) {
  for (int i = 0; i < kNumChartSlots; ++i) slots->charts[i].iReturnAge = 100 + i;
  KeepPreviousPerson(slots.get(), true);
  for (int i = 3; i < 6; ++i) EXPECT_EQ(slots->charts[i].iReturnAge, 100 + i) << "double-chart mode keeps the inner person";
  KeepPreviousPerson(slots.get(), false);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(slots->charts[3 + i].iReturnAge, 100 + i);
    EXPECT_EQ(memcmp(&slots->charts[3 + i], &slots->charts[i], sizeof(ChartRecord)), 0);
  }
  EXPECT_EQ(slots->charts[kSlotBackup].iReturnAge, 106);
}

}  // namespace

// The default person's charts and the previous person's slots.
#include "chart/chart_slots.h"

#include <cstring>

#include "chart/chart_driver.h"
#include "time/calendar.h"

void ComputeDefaultPersonCharts(const BirthRecord& person, ChartSlots* pSlots) {
  HoromiraMain(person, person, &pSlots->charts[kSlotNatal], kChartNatal, 0, 1.0, kOriginOrdinary);
  BirthRecord now = person;
  FillWithPresentMoment(&now, person.dCurrentLat, person.dCurrentLong);
  memcpy(now.szBirthPlace, person.szCurrentPlace, sizeof now.szBirthPlace);  // the chart is cast where the person lives
  HoromiraMain(now, person, &pSlots->charts[kSlotProgressed], kChartProgressed, 0, 1.0, kOriginOrdinary);
  HoromiraMain(now, person, &pSlots->charts[kSlotTransit], kChartTransit, 0, 1.0, kOriginOrdinary);
  pSlots->iViewMode = kViewDouble;
  pSlots->iCurKind = kChartTransit;
  pSlots->bCurSlot = kSlotTransit;
  pSlots->bInnerSlot = kSlotNatal;
  pSlots->bDerived = 1;
}

void KeepPreviousPerson(ChartSlots* pSlots, bool bDoubleChartMode) {
  if (bDoubleChartMode) return;
  for (int i = 0; i < 3; ++i) pSlots->charts[kSlotPrevNatal + i] = pSlots->charts[kSlotNatal + i];
}

// Filling the chart-slot block: the default person's charts shown at start
// and the previous person kept before another person's charts arrive.
#pragma once

#include "base/chart_record.h"

// ComputeDefaultPersonCharts: the default person's double circle: the natal
// chart in slot 0; the progressed chart (slot 1) and the transit chart
// (slot 2) for the present moment at the person's current place.  The
// transit chart is shown outside, the natal chart inside (view 3, kind 2,
// slots 2 and 0, derived charts marked).
void ComputeDefaultPersonCharts(const BirthRecord& person, ChartSlots* pSlots);

// KeepPreviousPerson: slots 0..2 are copied to 3..5 (for undo), except in
// double-chart mode, where 3..5 hold the inner person.
void KeepPreviousPerson(ChartSlots* pSlots, bool bDoubleChartMode);

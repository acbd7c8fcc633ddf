// A computed chart for the tests of the chart view and its pictures: the
// fourteen longitudes given, equal cusps from the ASC, recognisable texts.
#pragma once

#include <cstdio>

#include "base/chart_record.h"
#include "chart/chart_text.h"

// Longitudes of the fourteen points, all at least 10° apart.
inline const double kSpread[kNumChartPoints] = {100, 200, 250, 130, 160, 300, 20, 40, 60, 80, 220, 320, 140, 180};

inline void MakeChart(ChartRecord* c, const double dLong[kNumChartPoints], int bTimeKnown = 1) {
  ResetChartRecord(c);
  c->ldJde = 2451545.0L;
  c->target.time = DateTime{2000, 7, 1, 12, 0, 0.0};
  c->target.bTimeKnown = static_cast<uint8_t>(bTimeKnown);
  snprintf(c->szTitle, sizeof c->szTitle, "テスト: 出生図 ");
  snprintf(c->szSubtitle, sizeof c->szSubtitle, "出生図 基音");
  snprintf(c->szTimeLine, sizeof c->szTimeLine, "2000年 7月 1日 12時 0分 0秒");
  snprintf(c->szPlaceLine, sizeof c->szPlaceLine, " 出生地  東京都");
  for (int i = 0; i < kNumChartPoints; ++i) {
    c->dLong[i] = dLong[i];
    snprintf(c->szShort[i], sizeof c->szShort[i], "short%d", i);
  }
  c->iHouseMode = 1;
  for (int k = 0; k < 12; ++k) c->dCusp[k] = dLong[Asc] + 30.0 * k;
}

// The slots of one natal chart (one static set: the views keep pointers).
inline ChartSlots& NatalSlots(const double dLong[kNumChartPoints], int bTimeKnown = 1) {
  static ChartSlots s;
  ResetChartSlots(&s);
  MakeChart(&s.charts[kSlotNatal], dLong, bTimeKnown);
  return s;
}

// The chart driver: one complete chart record from a target record (the
// chart's moment and place) and the person's natal record.
#pragma once

#include "base/chart_record.h"

// Origin codes: what kind of chart a caller asks for beyond its kind.
// Other codes (123, 24000 ...) are ordinary charts.
enum ChartOrigin : int {
  kOriginOrdinary = 0,
  kOriginHorary = 38242,
  kOriginVernal = 38243,   // Sun at 0°
  kOriginSummer = 38244,   // Sun at 90°
  kOriginAutumnal = 38245, // Sun at 180°
  kOriginWinter = 38246,   // Sun at 270°
};

// Days of life per day of progressed chart time (one tropical year).
constexpr double kTropicalYearDays = 365.24219;

// HoromiraMain: computes a chart into *pChart.
//   target      the chart's moment (JST) and place (dBirthLat, dBirthLong,
//               Tokyo datum; szBirthPlace)
//   natal       the person's natal record (may be the same as target)
//   iKind       0 natal, 1 progressed (one day of chart time for each
//               tropical year of life), 2 transit, solar return, horary and
//               ingress charts; only its low byte is stored
//   iReturnAge  the age of a solar return chart, else 0
//   dHarmonic   harmonic number multiplying every chart point (1 = the
//               ordinary chart); cusps are not multiplied
//   iOrigin     a ChartOrigin: the ingress charts put the Sun at exactly
//               0°, 90°, 180° or 270°; horary and ingress charts show no age
//   pPositions  when not null, receives the position block of the chart
//               (longitudes before the harmonic, motion codes)
// Computes JD(UT) and JDE, sidereal time, angles and houses (GetAscEx), the
// apparent places of the Sun, planets and Pluto (GetPositionData), the Moon
// and the true node (GetMoonData), and writes every text line of the
// record.  Pluto is shown only for target years 1885..2099 (dLong -1.0
// outside).  Failures are shown in boxes and the chart is completed with
// what could be computed; an exception is reported in the failure box.
// Returns 0.
int HoromiraMain(const BirthRecord& target, const BirthRecord& natal, ChartRecord* pChart, int iKind,
                 int iReturnAge, double dHarmonic, int iOrigin, PositionData* pPositions = nullptr);

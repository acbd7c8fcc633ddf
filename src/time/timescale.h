// Time scales (UT, TD, Delta T with leap seconds) and the text forms of
// dates and times.
#pragma once

#include "time/calendar.h"

struct ChartRecord;

// GetDeltaT: Delta T = TD - UT, in days.
//   utDate  the UT civil date (year, and month for 1972..2007, select the model)
//   ldJd    the JD(UT) of that date (used by the 1800..1929 polynomials)
// Models: a parabola outside 1800..2099, polynomials in centuries from
// 1900 January 0.5 for 1800..1929, a yearly table 1930..1971, the leap-second
// count + 32.184 s for 1972..2007, and INT(66 + 0.6 (y - 2007)) s to 2099.
double GetDeltaT(const DateTime& utDate, long double ldJd);

// JdToJde: JDE of a JD(UT): JD + Delta T of the UT date.
long double JdToJde(long double ldJd);

// JstToJde: JDE of a JST date-time (no leap-second adjustment).
long double JstToJde(const DateTime& jst);

// JdeToJst: JST date-time of a JDE, the inverse of JstToJde: Delta T is
// that of the UT date, as JstToJde takes it, so that a JST moment comes
// back as it was also next to a step of the model (a New Year, a leap
// second).  Where the model steps back (before 1800, some years of the
// table) two moments a step apart share one JDE; one of them is returned.
// A JDE that falls in the gap of a forward step gives the moment at the
// step plus the JDE's distance into the gap.  Returns 1.
int JdeToJst(long double ldJde, DateTime* pJst);

// SetChartTimeScales: the time-scale step of the chart driver.  Sets the
// chart's ldJde from its JD(UT) (one second more when the target record's
// seconds are a leap second) and the UT and TD lines 2..5 of szTime.
// Returns 1.
//   dTargetSeconds  the seconds of the chart's target record, in full
//                   precision (60 and more: a leap second)
int SetChartTimeScales(long double ldJd, double dTargetSeconds, ChartRecord* pChart);

// Text forms of a date-time; each returns its own 128-byte buffer, valid
// until the next call of the same function.
//   TimeToStr    "yyyy年mm月dd日 hh時mm分ss秒", rounded to the second (carries)
//   TimeToStrP1  seconds with tenths, never carried into the minute
//   TimeToStrP2  seconds with hundredths, never carried into the minute
//   TimeToStrL   "  日本時間" + the TimeToStrP1 text
// A null record gives an error text in place of the time.
const char* TimeToStr(const DateTime* pTime);
const char* TimeToStrP1(const DateTime* pTime);
const char* TimeToStrP2(const DateTime* pTime);
const char* TimeToStrL(const DateTime* pTime);

// The texts of a chart record: detailed position lines, the plain-text form
// of a chart, the extended Placidus and lunar report, and the initial texts
// of chart records and of the chart-slot block.
#pragma once

#include <cstddef>

#include "base/chart_record.h"

// Room for the plain-text form of one chart: the banner, four header lines
// of up to 200 bytes and fourteen detailed lines of up to 100 bytes, each
// with its line end.
constexpr size_t kChartTextSize = 2400;
// Room for the extended report of one chart (it is about 1.5 KB).
constexpr size_t kExtendedReportSize = 4096;

// The pop-up window of the extended report (command 12345).
constexpr int kExtendedReportId = 10013;
extern const char kExtendedReportTitle[];   // "プラシーダス・ハウスシステム / 月に関する拡張データ"
extern const char kExtendedReportButton[];  // "リスト [B]"
extern const char kExtendedReportNoData[];  // "拡張データⅡ", caption of the no-data prompt

// Motion marks of the short lines (2 bytes) and motion words of the detailed
// lines (10 bytes), by motion code 0..3.
extern const char* const kMotionMarks[4];
extern const char* const kMotionWords[4];

// RoundAngleForDisplay: rounds the seconds of an Angle to the precision a
// text shows (iDecimals 0, 1 or 2), carrying into the minute and the degree
// but never into the next sign (29°59′59.97″ stays 29°59′59.9″), so that
// no text shows 60 seconds and the sign stays the sign of the longitude.
void RoundAngleForDisplay(Angle* pAngle, int iDecimals);

// FormatPositionText: a longitude split into an Angle as the reports show
// it, "%s  %2d°%2d′%04.1f″= %10.6f°": the sign name (SignName), degree,
// minute, seconds rounded to the tenth (RoundAngleForDisplay) and the
// reduced longitude.  The text of the detailed lines and of the cusp lists.
// Returns the length written.
int FormatPositionText(char* szText, size_t nText, const Angle& angle);

// SetDataStringD: one detailed position line,
// " %s  %s  %2d°%2d′%04.1f″= %10.6f°%s" with the point label, the sign name,
// degree, minute, second, the reduced longitude and the motion word.  A
// sign outside 0..11 is reported in the error box and printed as "<異常値>".
// Returns 1.
int SetDataStringD(char* szText, size_t nText, const char* szLabel, const Angle& angle,
                   const char* szMotionWord);

// SetShortDataString: one short position line, " %s %2d°%02d′%02.0f″%s"
// with the sign name, degree, minute, second and the motion mark, of an
// angle rounded for display to whole seconds; a sign outside 0..11 prints
// as "<異常値>".
void SetShortDataString(char* szText, size_t nText, const Angle& shown, const char* szMark);

// MakeChartText: the plain-text form of a chart for the clipboard and the
// pop-up list: the banner, szHeader[0..3], a blank line and
// szDetail[0..13], lines ended by "\r\n", taken as the record holds them.
// Returns the length of the text (cut, without splitting a double-byte
// character, when nText is smaller than kChartTextSize).
int MakeChartText(char* szText, size_t nText, const ChartRecord& chart);

// MakeExtendedReport: the text of command 12345 for a chart: the Placidus
// cusps with latitude and sidereal time (or the high-latitude sentence),
// then the lunar block (true and mean node, apparent and geometric place,
// rates in degrees per day) from GetMoonData at the chart's JDE.  The time
// shown is the summary panel's szPanel[2], or szTimeLine when the chart has
// not been painted.  Returns the length, or 0 (and no text) when the chart
// is absent (ldJde 0): the command then shows the no-data prompt.
int MakeExtendedReport(char* szText, size_t nText, const ChartRecord& chart);

// ResetChartRecord: zeroes a chart record and gives it its initial texts:
// natal name "新規データ", title and header line 0
// "< ﾃﾞｰﾀが設定されていません >", the footers of the detailed and the time
// views, the heading of the time view, and the check word.
void ResetChartRecord(ChartRecord* pChart);

// ResetChartSlots: zeroes the chart-slot block and resets its seven chart
// records.
void ResetChartSlots(ChartSlots* pSlots);

// ChartRecordIntact: whether a chart record still carries its check word
// (a text that ran past its field would have overwritten it).
bool ChartRecordIntact(const ChartRecord& chart);

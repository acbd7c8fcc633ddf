// A computed chart and the points it shows.
//
// A ChartRecord holds one chart: its moment and place, kind, Julian Days,
// the longitudes of the fourteen chart points, the house cusps and every
// text line the chart views, reports and the printout show.  Only the chart
// driver fills it; everybody else reads it.
#pragma once

#include <cstdint>

#include "base/birth_record.h"

// Index of a chart point in every per-point array.
enum ChartPoint : int {
  Sun = 0,
  Asc = 1,
  Moon = 2,
  Mercury = 3,
  Venus = 4,
  Mars = 5,
  Jupiter = 6,
  Saturn = 7,
  Uranus = 8,
  Neptune = 9,
  Pluto = 10,
  DragonH = 11,  // ascending lunar node
  DragonT = 12,  // descending lunar node
  MC = 13,
};
constexpr int kNumChartPoints = 14;

// English names of the chart points, as the code and scripts use them.
extern const char* const kChartPointNames[kNumChartPoints];

// Report labels of the chart points, 6 bytes each ("太　陽", "ＡＳＣ", ...).
extern const char* const kChartPointLabels[kNumChartPoints];

// Sign names, 8 bytes each, index = INT(longitude / 30); entry 12 is
// "<異常値>" for tables that may be indexed with a bad sign.
extern const char* const kSignNames[13];
constexpr int kNumSigns = 12;

// SignName: the name of sign iSign (0..11), or "<異常値>" for any other
// number (a longitude that was not one).
const char* SignName(int iSign);

// Motion codes of a body.
enum MotionCode : uint8_t {
  kMotionDirect = 0,
  kMotionRetrograde = 1,
  kMotionStationaryDirect = 2,      // stationary, slight direct motion
  kMotionStationaryRetrograde = 3,  // stationary, no or slight retrograde motion
};

// Position block of one chart, filled by the ephemeris dispatcher: 20
// longitudes in degrees and 20 motion codes, indexed by ChartPoint (slots
// 14..19 unused).
constexpr int kNumPositionSlots = 20;
#pragma pack(push, 1)
struct PositionData {
  double dLong[kNumPositionSlots];
  uint8_t mv[kNumPositionSlots];
};
#pragma pack(pop)
static_assert(sizeof(PositionData) == 180, "position block is 180 bytes");

// A longitude split into sign, degree, minute and second.
struct Angle {
  double lon;  // 0 <= lon < 360
  int32_t sign;  // 0..11
  int32_t deg;   // 0..29
  int32_t min;   // 0..59
  float sec;     // seconds with fraction
};

// Chart kinds.
enum ChartKind : uint16_t {
  kChartNatal = 0,
  kChartProgressed = 1,
  kChartTransit = 2,  // also solar returns, horary and ingress charts
};

// Widths of the text lines of a chart record.
constexpr int kLineLong = 200;
constexpr int kLineShort = 50;
constexpr int kLineDetail = 100;
constexpr int kNumDetailLines = 15;
constexpr int kNumTimeLines = 15;

struct ChartRecord {
  uint16_t wKind;          // ChartKind
  int32_t iReturnAge;      // age of a solar-return chart, else 0
  float fHarmonic;         // 1 = the ordinary chart
  BirthRecord target;      // the chart's moment and place
  BirthRecord natal;       // the natal record
  char szBornLine[kLineLong];  // "%s %s 生まれ"
  char szTitle[kLineLong];
  long double ldJd;        // JD(UT) of the chart moment
  long double ldJde;       // JDE of the chart moment; 0 = no chart
  double dLong[kNumChartPoints];  // degrees x harmonic, [0, 360); -1 = out of period
  int32_t iHouseMode;      // 1 = Placidus, 0 = equal houses from the ASC
  double dCusp[12];        // cusps of houses 1..12, degrees
  char szPanel[4][kLineLong];
  char szShort[kNumChartPoints][kLineShort];
  char szHeader[4][kLineLong];
  char szDetail[kNumDetailLines][kLineDetail];
  char szTime[kNumTimeLines][kLineDetail];
  char szSubtitle[kLineLong];
  char szTimeLine[kLineLong];
  char szPlaceLine[kLineLong];
  uint32_t dwCheck;        // kRecordMagic
};

// Slots of the chart-slot block.
enum ChartSlot : int {
  kSlotNatal = 0,
  kSlotProgressed = 1,
  kSlotTransit = 2,
  kSlotPrevNatal = 3,
  kSlotPrevProgressed = 4,
  kSlotPrevTransit = 5,
  kSlotBackup = 6,
  kNumChartSlots = 7,
};

// View modes of the chart window.
enum ViewMode : int32_t {
  kViewChart = 0,
  kViewDetail = 1,
  kViewTime = 2,
  kViewDouble = 3,
};

struct ChartSlots {
  int32_t iCurKind;    // kind of the chart on view
  int32_t iViewMode;   // ViewMode
  uint8_t bCurSlot;    // slot on view (outer chart of a double circle)
  uint8_t bInnerSlot;  // inner chart of a double circle
  ChartRecord charts[kNumChartSlots];
  int32_t bDerived;    // slots 1 and 2 belong to the natal chart in slot 0
};

// LongitudeToAngle: splits a longitude (degrees, any value) into the
// reduced longitude, sign, degree, minute and second.
void LongitudeToAngle(double dLongitude, Angle* pAngle);

// GetAge: whole years from the natal date to the target date.
int GetAge(const BirthRecord& natal, const BirthRecord& target);

// FitText: makes szText exactly iWidth bytes: a longer text is cut at
// iWidth - 3 bytes without splitting a double-byte character and filled
// with "."; a shorter one is filled with blanks.  The buffer must hold
// iWidth + 1 bytes.  Returns the resulting length.
int FitText(char* szText, int iWidth);

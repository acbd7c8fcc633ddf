// Readings: the aspects of a chart, their interpretation, the character
// reading and today's fortune.
//
// Every routine reads computed chart records and writes Shift-JIS texts
// into caller-supplied buffers.  The wording of the readings lives in
// constant tables, one table per source file beside the code that uses it.
#pragma once

#include <cstdint>

#include "base/chart_record.h"

// ---------------------------------------------------------------------------
// Aspects

// Kind of an aspect; the exact angle of code c is (c - 1) x 30 degrees.
enum AspectCode : uint8_t {
  kAspectNone = 0,
  kAspectConjunction = 1,  //   0 deg
  kAspectSemiSextile = 2,  //  30 deg, never detected
  kAspectSextile = 3,      //  60 deg
  kAspectSquare = 4,       //  90 deg
  kAspectTrine = 5,        // 120 deg
  kAspectQuincunx = 6,     // 150 deg
  kAspectOpposition = 7,   // 180 deg
  kAspectUnknown = 8,      // "?"
};
constexpr int kNumAspectNames = 9;

// One detected aspect.  The entry moves as a whole when the list is sorted.
#pragma pack(push, 1)
struct AspectEntry {
  uint8_t bFirst;      // ChartPoint of the body first in chart-point order
  uint8_t bSecond;     // ChartPoint of the other body (greater than bFirst)
  uint8_t bCode;       // AspectCode: 1 or 3..7
  uint8_t bStrength;   // floor of the deviation in whole degrees
  float fDeviation;    // |distance - exact angle|, degrees (the "orb" of the list)
};
#pragma pack(pop)
static_assert(sizeof(AspectEntry) == 8, "an aspect entry is 8 bytes");

// Capacity of the entry arrays of the aspect commands.
constexpr int kAspectCapacity = 50;
// Orb used when the stored one is not positive, degrees.
constexpr float kFallbackOrb = 3.0f;

// Aspect names indexed by AspectCode ("", "合", ... "衝", "?").
extern const char* const kAspectNames[kNumAspectNames];
// Strength words indexed by the strength class 0..4 (4 stands for 4 or more).
extern const char* const kStrengthWords[5];
// Names of the chart points in aspect lines, indexed by ChartPoint.
extern const char* const kAspectPointNames[kNumChartPoints];

// GetAspectCode: classifies an angular distance between two bodies.
//   fDistance     separation, degrees, 0..180
//   fOrb          allowed deviation from the exact angle, degrees
//   pfDeviation   out: |fDistance - exact angle|, degrees (set on a match)
//   pbStrength    out: the deviation rounded down to whole degrees
// The angles 0, 60, 90, 120, 150 and 180 are tried in this order, bounds
// included; the first match wins and 30 degrees is never tried.  Returns
// the AspectCode, or kAspectNone when no angle matches.  A distance outside
// 0..180 is reported (place-and-kind box "OOR/distance") and gives none.
uint8_t GetAspectCode(float fDistance, float fOrb, float* pfDeviation, uint8_t* pbStrength);

// DetectAspects: the aspects among the ten bodies Sun, Moon, Mercury ...
// Pluto of one chart, pairs in chart-point order.
//   chart       computed chart (dLong in degrees; ldJde 0 = no chart)
//   pEntries    out: at least iCapacity entries
//   iCapacity   size of pEntries (at most 255 are used)
//   fOrb        orb in degrees; not positive means 3
// Pluto outside its period (negative longitude) forms no aspect.  Returns
// the number of entries written, 0 without a chart.  When the array is full
// a message box says so and capacity - 1 is returned.
uint8_t DetectAspects(const ChartRecord& chart, AspectEntry* pEntries, int iCapacity, float fOrb);

// SortAspectsByOrb: exchange sort of the entries by ascending deviation;
// entries move whole.
void SortAspectsByOrb(AspectEntry* pEntries, int iCount);

// FormatAspectLine: the list line of one aspect,
// "太陽と月がトライン (オーブ 2.25)\r\n".  Returns a static buffer that the
// next call overwrites.
const char* FormatAspectLine(const AspectEntry& entry);

// ListAspects: the aspect list text.
//   pEntries, iCount   the (sorted) entries
//   szBuf, iCapacity   output buffer and its size in bytes
// Returns 1 with the complete list, 0 when szBuf is null or the text ran
// out of room (place-and-kind box; the lines written so far are kept).
int ListAspects(const AspectEntry* pEntries, int iCount, char* szBuf, int iCapacity);

// ---------------------------------------------------------------------------
// Aspect interpretation

constexpr int kNumAspectTexts = 138;
// Interpretation texts: 0 every quincunx; 1 + 3p, 2 + 3p, 3 + 3p the
// harmonious, tense and conjunction texts of body pair p (0..44);
// 136 and 137 placeholders.
extern const char* const kAspectTexts[kNumAspectTexts];
// The help text on aspects and orbs.
extern const char kAspectHelpText[];
// The separator between the readings of two aspects (33 characters).
extern const char kAspectSeparator[];

// AspectTextNumber: index into kAspectTexts for one aspect entry.
// Returns 0 for a quincunx, 3p + 1 (trine, sextile), 3p + 2 (square,
// opposition) or 3p + 3 (conjunction) for the body pair p, or -1 after a
// place-and-kind report ("OOR") when the entry names no valid pair.
int AspectTextNumber(const AspectEntry& entry);

// MakeAspectText: the aspect reading, each aspect's list line followed by
// its interpretation and a separator, in the order given.
//   szBuf, iCapacity   output buffer and its size in bytes
// Returns 1 when complete; 0 for a null buffer (fatal report) or when the
// text had to be cut (information box; the text so far is kept).
int MakeAspectText(const AspectEntry* pEntries, int iCount, char* szBuf, int iCapacity);

// ---------------------------------------------------------------------------
// Character reading

// Sign names without the "座" suffix and without padding, by sign number.
extern const char* const kPlainSignNames[12];

constexpr int kNumSunAscTexts = 144;
extern const char* const kSunSignTexts[12];           // by Sun sign
extern const char* const kSunAscTexts[kNumSunAscTexts];  // Sun sign x 12 + Asc sign
extern const char* const kMoonSignTexts[13];          // by Moon sign; 12 placeholder
extern const char* const kSunMoonTexts[13];           // by (Moon - Sun) mod 12; 12 placeholder

// Space a character reading needs at most, bytes (it stays near 2.5 kB).
constexpr int kReadingTextSize = 4096;

// GetSignNumber: sign number 0 (Aries) .. 11 (Pisces) of an ecliptic
// longitude in degrees, any value; 360 counts as 0.  Returns 12 for a value
// that is not a finite number.
int GetSignNumber(double dLongitude);

// GetSunAscText: the character reading of a natal chart: the nature from
// the Sun sign, how it shows from the Sun and Ascendant signs, and the
// sensitivity from the Moon sign and its distance from the Sun sign.
//   szBuf   output buffer of at least kReadingTextSize bytes
//   chart   the natal chart (dLong, fHarmonic, natal record)
// With the birth time unknown the reading stops before the Ascendant.
// Returns 1, or 0 after a place-and-kind report when a sign is out of range.
int GetSunAscText(char* szBuf, const ChartRecord& chart);

// ---------------------------------------------------------------------------
// Today's fortune

extern const char* const kFortuneSunTexts[12];      // by distance natal Sun -> Sun
extern const char* const kFortuneMoonClauses[12];   // by distance natal Sun -> Moon
extern const char* const kFortuneMoonKeywords[12];  // by distance natal Moon -> Moon
extern const char* const kFortuneMarsKeywords[12];  // by distance natal Sun -> Mars

// Smallest buffer MakeText accepts, bytes.
constexpr int kFortuneTextMin = 4000;

// GetSignDistance: how many signs sign a lies after sign b, 0..11.
// A result outside 0..11 (a bad sign number) is reported ("OOR") and
// gives 0.
int GetSignDistance(int iSignA, int iSignB);

// GetDayNumber: the day of life of a target date, the birthday being day
// 1.  Both dates are taken at 12:00 of their civil day (JST dates, zone 0
// for the arithmetic).
int GetDayNumber(const DateTime& natal, const DateTime& target);

// MakeText: today's fortune from a natal chart and a transit chart.
//   szBuf, iCapacity   output buffer and its size in bytes, at least 4000
//   natal              the person's natal chart
//   transit            the chart of the present moment at the current place
// Returns 1, or 0 after a place-and-kind report ("iMaxStrlen<4000") with
// nothing written when the buffer is too small.
int MakeText(char* szBuf, int iCapacity, const ChartRecord& natal, const ChartRecord& transit);

// ---------------------------------------------------------------------------
// Text building

// The notices of a text cut short.
extern const char kTextTooLongNotice[];  // "テキストが長すぎるので途中で打ち切ります"
extern const char kNoRoomNotice[];       // "データ格納領域が不足"

// AppendText: appends szPiece to the zero-terminated text in szBuf when
// the whole piece and the terminator fit in iCapacity bytes.  Returns true
// when appended; false leaves the text unchanged.
bool AppendText(char* szBuf, int iCapacity, const char* szPiece);

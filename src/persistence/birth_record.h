// One person's birth data: the 312-byte record stored in .bd5 files, in the
// settings file and in every chart.  Its image is fixed; records are copied
// whole and never converted.
#pragma once

#include <cstddef>
#include <cstdint>

#include "time/calendar.h"

// Magic word of a valid record (bytes 00 05 AA 0A), also the check word of
// a chart record.
constexpr uint32_t kRecordMagic = 0x0AAA0500u;

// Width of the name and place fields.
constexpr int kNameFieldSize = 54;
// Longest name a file row may carry; entry keeps at most 30 bytes.
constexpr int kMaxFileNameBytes = 50;

// iDataNo values of records that are not rows of the birth-data table.
constexpr int32_t kDataNoBuiltinDefault = -3;  // the built-in default person
constexpr int32_t kDataNoNewDefault = -8;      // default person set in this run
constexpr int32_t kDataNoOldDefault = -2;      // default person set in an earlier run

#pragma pack(push, 1)
struct BirthRecord {
  int32_t iDataNo;                      // row in the birth-data table, or a negative mark
  DateTime time;                        // birth date and time, JST
  char szName[kNameFieldSize];          // name
  char szBirthPlace[kNameFieldSize];    // place of birth
  char szCurrentPlace[kNameFieldSize];  // current place of residence
  double dBirthLat;                     // degrees, north positive (Tokyo datum)
  double dBirthLong;                    // degrees, east positive (Tokyo datum)
  uint8_t reserved1[16];
  char szListLine[kNameFieldSize];      // " name....  yyyy年mm月dd日" for list boxes
  double dCurrentLat;                   // degrees, north positive
  double dCurrentLong;                  // degrees, east positive
  uint8_t bSave;                        // 1 = append the entered record to the open table
  uint8_t reserved2[2];
  uint8_t bTimeKnown;                   // 0 = time unknown, provisionally 12:00 JST
  uint8_t bSecondsGiven;                // 1 = seconds were entered
  uint8_t reserved3;
  uint32_t dwMagic;                     // kRecordMagic
  uint8_t reserved4[2];
  int32_t iMarker;                      // 1 = current place filled by the program
};
#pragma pack(pop)

static_assert(sizeof(BirthRecord) == 312, "BirthRecord image is 312 bytes");
static_assert(offsetof(BirthRecord, iDataNo) == 0, "BirthRecord layout");
static_assert(offsetof(BirthRecord, time) == 4, "BirthRecord layout");
static_assert(offsetof(BirthRecord, time) + offsetof(DateTime, month) == 8, "BirthRecord layout");
static_assert(offsetof(BirthRecord, time) + offsetof(DateTime, day) == 12, "BirthRecord layout");
static_assert(offsetof(BirthRecord, time) + offsetof(DateTime, hour) == 16, "BirthRecord layout");
static_assert(offsetof(BirthRecord, time) + offsetof(DateTime, minute) == 20, "BirthRecord layout");
static_assert(offsetof(BirthRecord, time) + offsetof(DateTime, second) == 24, "BirthRecord layout");
static_assert(offsetof(BirthRecord, szName) == 32, "BirthRecord layout");
static_assert(offsetof(BirthRecord, szBirthPlace) == 86, "BirthRecord layout");
static_assert(offsetof(BirthRecord, szCurrentPlace) == 140, "BirthRecord layout");
static_assert(offsetof(BirthRecord, dBirthLat) == 194, "BirthRecord layout");
static_assert(offsetof(BirthRecord, dBirthLong) == 202, "BirthRecord layout");
static_assert(offsetof(BirthRecord, reserved1) == 210, "BirthRecord layout");
static_assert(offsetof(BirthRecord, szListLine) == 226, "BirthRecord layout");
static_assert(offsetof(BirthRecord, dCurrentLat) == 280, "BirthRecord layout");
static_assert(offsetof(BirthRecord, dCurrentLong) == 288, "BirthRecord layout");
static_assert(offsetof(BirthRecord, bSave) == 296, "BirthRecord layout");
static_assert(offsetof(BirthRecord, reserved2) == 297, "BirthRecord layout");
static_assert(offsetof(BirthRecord, bTimeKnown) == 299, "BirthRecord layout");
static_assert(offsetof(BirthRecord, bSecondsGiven) == 300, "BirthRecord layout");
static_assert(offsetof(BirthRecord, reserved3) == 301, "BirthRecord layout");
static_assert(offsetof(BirthRecord, dwMagic) == 302, "BirthRecord layout");
static_assert(offsetof(BirthRecord, reserved4) == 306, "BirthRecord layout");
static_assert(offsetof(BirthRecord, iMarker) == 308, "BirthRecord layout");

// CutDoubleByteSafe: cuts a Shift-JIS text to at most n bytes without
// splitting a double-byte character; a lead byte that would be left alone at
// the last position becomes a blank.  The buffer must hold n + 1 bytes.
// Returns szText.
char* CutDoubleByteSafe(char* szText, int n);

// HasControlCharacter: whether a Shift-JIS text holds a control character
// (0x01..0x1F or 0x7F: a line break, a tab, an escape ...).  A name with
// one would break the one-line lists and could steer a terminal.  Trail
// bytes of double-byte characters are 0x40 or above, so every such byte is
// a character of its own.
bool HasControlCharacter(const char* szText);

// BuildListLine: rebuilds szListLine from the name and the birth date: the
// name cut to 22 bytes and padded with "." to 24, then the date.
void BuildListLine(BirthRecord* pRec);

// FillWithPresentMoment: sets the birthplace coordinates and the time from
// the local clock (JST, seconds with milliseconds), time and seconds known.
void FillWithPresentMoment(BirthRecord* pRec, double dLat, double dLong);

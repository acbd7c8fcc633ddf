// A broken-down civil date and time: the time of every record of the
// system.  Japan Standard Time (UT + 9 h) unless a caller says otherwise;
// years are astronomical (0 = 1 B.C.).  The routines on dates live in
// time/calendar.h.
#pragma once

#include <cstddef>
#include <cstdint>

#pragma pack(push, 1)
struct DateTime {
  int32_t year;    // astronomical year, 0 = 1 B.C.
  int32_t month;   // 1..12
  int32_t day;     // 1..31
  int32_t hour;    // 0..23
  int32_t minute;  // 0..59
  double second;   // 0 <= s < 61; 60 and above is a leap second
};
#pragma pack(pop)
static_assert(sizeof(DateTime) == 28, "DateTime is stored in files");
static_assert(offsetof(DateTime, second) == 20, "DateTime is stored in files");

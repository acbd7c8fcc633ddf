// Civil dates and Julian Days.
//
// A DateTime is a broken-down civil date and time, Japan Standard Time
// (UT + 9 h) unless a caller says otherwise.  Years are astronomical
// (0 = 1 B.C.); the calendar is Julian up to 1582-10-04 and Gregorian from
// 1582-10-15.  Julian Days are carried as long double (80-bit extended).
#pragma once

#include <cstddef>
#include <cstdint>

#include "base/birth_record.h"
#include "base/date_time.h"
#include "platform/platform.h"

// Zone of every time the user reads or types: JST = UT + 9 h.
constexpr float kJstZoneHours = 9.0f;
// The same zone as a fraction of a day, added to a JD(UT) to read JST.
constexpr long double kJstZoneDays = 0.375L;

// DateToJd: Julian Day of a civil date and time.
//   dt        date and time (not checked)
//   fZoneHours zone of dt in hours (9 for JST, 0 for UT or date arithmetic)
// Returns the JD on the scale of dt minus the zone (JD(UT) for JST input).
// The calendar is Gregorian from 1582-10-15, Julian before; a leap second
// (60.x) simply counts, so 08:59:60 equals 09:00:00.
// Source: Meeus, Astronomical Algorithms, 2nd ed., ch. 7.
long double DateToJd(const DateTime& dt, float fZoneHours);

// JdToDate: civil date and time of a Julian Day, written in full.
//   ld  Julian Day; add the zone first (0.375 for JST) to read local time
// Seconds of 59.999 or more are rolled into the next minute by stepping
// 0.0001 s later until they fall below, so the result never shows 60 s.
void JdToDate(long double ld, DateTime* dt);

// ValidateDateTime: checks a date-time entered by the user or read from a
// file and shows at most one message box over hOwner.
//   szDataName  name of the person or data set, shown in the message
//   bFromFile   non-zero when the record came from a file (a warning box
//               precedes the message)
// Returns 0 when the record may be used (also after the warning about an
// unconfirmed leap second), otherwise the failed message number plus one
// (1..11).  The record is never changed.
int ValidateDateTime(WindowRef hOwner, const char* szDataName, const DateTime& dt, int bFromFile);

// StepCodeToSeconds: the signed time step, in seconds, of a time-correction
// command code (1101 = one second later, 405 = five days earlier, ...; 2000
// returns to the initial time).  Every step carries an extra 0.0001 s so that
// the stepped moment never lands on a rounding edge of the displays.
double StepCodeToSeconds(int iCode);

// Leap-year rule of the record check: Julian (divisible by 4, signed) up to
// 1582, Gregorian after.
bool IsLeapYear(int iYear);

// True for the civil dates 1582-10-05 .. 1582-10-14, which the Gregorian
// reform skipped.
bool IsSkippedGregorianDate(const DateTime& dt);

// PresentMoment: the local clock (JST) as a date-time, seconds with
// milliseconds.
DateTime PresentMoment();

// FillWithPresentMoment: sets the birthplace coordinates and the time from
// the local clock (JST, seconds with milliseconds), time and seconds known.
void FillWithPresentMoment(BirthRecord* pRec, double dLat, double dLong);

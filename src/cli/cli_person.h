// Options of the commands that take a person or a place:
//   --name NAME --date DATE [--unknown-time]
//   --place NAME | --lat DEG --lon DEG   (Tokyo datum, north and east positive)
// Each function removes its options from the arguments, reports bad input
// with the program's message and returns 0 on success or the exit code.
#pragma once

#include <cstdint>
#include <string>

#include "base/birth_record.h"
#include "cli/cli.h"
#include "time/zones.h"

// TakeMomentArg: a JST moment "YYYY-MM-DD[THH:MM[:SS]]" or "now" (the
// local clock), checked by CheckMoment.  *pParts (when given) tells whether
// a time and seconds were written.
int TakeMomentArg(const std::string& sText, const char* szDataName, DateTime* pTime, MomentParts* pParts);

// CheckMoment: a JST moment checked like the time-entry dialog does (year
// -4000..8000, then the calendar check); sText names it in the message.
// Returns 0, or the exit code after the message.
int CheckMoment(const DateTime& t, const char* szDataName, const std::string& sText);

// CheckName: a person's name as the CLI accepts it: no control character.
// Returns 0, or the exit code after the message.
int CheckName(const std::string& sName);

// TakePlaceOptions: the birthplace fields of pRec from --place or
// --lat/--lon; without either, the place list's first choice "東京都".
// *piRow (when given) receives the row of the place list, or kNoPlace for
// typed coordinates.
int TakePlaceOptions(CliArgs& a, BirthRecord* pRec, int* piRow = nullptr);

// The clock a birth's --date was read on:
//   --zone NAME     a zone of the zone table, by tz name or Japanese name
//                   ('horomira zones'); Asia/Tokyo applies Japan's summer
//                   time of 1948..1951
//   --zone ±HH:MM   a fixed offset from UT; --summer-time: that clock kept
//                   summer time, one hour more
//   --zone place    the zone of the --place row (time/place_zones)
//   --earlier, --later  which moment a reading shown twice is (default the
//                   earlier, with a note on stderr)
// Without --zone, --date is JST as it always was.
struct ZoneOptions {
  bool bGiven = false;       // --zone was given
  bool bFromPlace = false;   // --zone place
  int iZone = kNoZone;       // a zone of the table; kNoZone for a fixed offset
  int32_t lOffset = 0;       // the fixed offset, seconds east of UT
  bool bSummerTime = false;  // --summer-time
  int iOccurrence = kZoneEarlier;  // or kZoneLater
  bool bOccurrenceGiven = false;
};

// The usage and the help lines of the zone options, shared by the commands
// that take a person.
extern const char kZoneUsage[];
extern const char kZoneHelp[];

// TakeZoneOptions: removes and checks the zone options.  Returns 0 (also
// when --zone lacks its value: a.bValueMissing tells) or the exit code after
// the message.
int TakeZoneOptions(CliArgs& a, ZoneOptions* pZone);

// TakeBirthMoment: a birth's --date.  Without a zone, TakeMomentArg.  With
// one, a clock reading of that zone ("now", a moment rather than a reading,
// is refused), checked against the calendar; it becomes JST in ReadInZone.
int TakeBirthMoment(const std::string& sText, const ZoneOptions& zone, const char* szDataName, DateTime* pTime,
                    MomentParts* pParts);

// ReadInZone: the JST moment of the reading TakeBirthMoment read, in the
// zone of the options (nothing to do without --zone).  iPlaceRow is the
// --place row (kNoPlace for none), for --zone place.  A reading the clocks
// skipped is refused; one they showed twice takes the moment of --earlier or
// --later, and without either the earlier with a note.  The JST moment is
// checked as TakeMomentArg checks one.  Returns 0, or the exit code after
// the message.
int ReadInZone(const ZoneOptions& zone, int iPlaceRow, const std::string& sText, const char* szDataName,
               DateTime* pTime);

// TakePersonOptions: a complete natal record from --name, --date,
// --unknown-time, the zone options and the place options.  Without --name
// the program's "(No Name)"; a name is kept to 30 bytes.  --unknown-time
// puts the birth at 12:00 JST with bTimeKnown 0 (and takes no --zone).
// --default-person alone gives the program's built-in default person
// instead.
int TakePersonOptions(CliArgs& a, BirthRecord* pRec);

// A record ready to be charted: magic word, current place = birthplace,
// list line.
void FinishRecord(BirthRecord* pRec);

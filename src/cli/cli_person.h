// Options of the commands that take a person or a place:
//   --name NAME --date DATE [--unknown-time]
//   --place NAME | --lat DEG --lon DEG   (Tokyo datum, north and east positive)
// Each function removes its options from the arguments, reports bad input
// with the program's message and returns 0 on success or the exit code.
#pragma once

#include "base/birth_record.h"
#include "cli/cli.h"

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
int TakePlaceOptions(CliArgs& a, BirthRecord* pRec);

// TakePersonOptions: a complete natal record from --name, --date,
// --unknown-time and the place options.  Without --name the program's
// "(No Name)"; a name is kept to 30 bytes.  --unknown-time puts the birth
// at 12:00 JST with bTimeKnown 0.  --default-person alone gives the
// program's built-in default person instead.
int TakePersonOptions(CliArgs& a, BirthRecord* pRec);

// A record ready to be charted: magic word, current place = birthplace,
// list line.
void FinishRecord(BirthRecord* pRec);

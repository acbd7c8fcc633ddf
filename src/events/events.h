// Astronomical event searches and the listings built on them: the moments
// at which the Sun or the Moon reach given longitudes (sign ingresses, solar
// terms, solar returns, lunar phases, the Moon's sign changes) and the
// 64-line ephemeris of one body.
//
// Searches run on Julian Days in dynamical time (JDE); every time the texts
// show is Japan Standard Time (UT + 9 h).  Longitudes are apparent geocentric
// ecliptic longitudes of date, degrees.  Texts are CP932, lines end in CR LF.
#pragma once

#include <cstdint>

#include "base/chart_record.h"
#include "platform/resource_ids.h"
#include "time/calendar.h"

// Command ids that select a listing of GetSunIngressT.
constexpr int kCmdSunIngressList = IDM_INGRESS;    // the Sun's sign ingresses of a year
constexpr int kCmdSolarTermList = IDM_SOLAR_TERMS;  // the mid-sign crossings (sectional terms) of a year
constexpr int kCmdAlmanac = IDM_ALMANAC;            // the solar terms around a moment
// Command ids of the other listings, also the popup ids of their windows.
constexpr int kCmdMakeEphem = IDM_EPHEMERIS;
constexpr int kCmdMoonIngressList = IDM_MOON_SIGNS;
constexpr int kCmdMoonPhaseList = IDM_MOON_PHASES;

// Names used by the texts, indexed by sign number floor(lon / 30), 0 = Aries.
extern const char* const kSignHiragana[12];    // "おひつじ" .. "うお"
extern const char* const kPrincipalTerms[12];  // Sun at 0° of the sign: "春分" ..
extern const char* const kSectionalTerms[12];  // Sun at 15° of the sign: "清明" ..
// Lunar phase names by phase number 0..3 (new, first quarter, full, last
// quarter): as the phase list prints them ("● 新月", "   上弦", ...) and
// as plain words ("新月", ...).
extern const char* const kMoonPhaseNames[4];
extern const char* const kMoonPhaseWords[4];

// ---------------------------------------------------------------------------
// The contact search

// within180: an angle difference (degrees) brought into [-180, 180].
// A difference beyond +-360 degrees is a sign of a failed longitude
// upstream: the error line box ("within180", "DegToGo?") is shown and the
// angle reduced to [0, 360) is returned.
double within180(double dDegrees);

// A quantity that runs forward through 360 degrees with time: a longitude or
// an elongation at a JDE, degrees.
typedef double (*ContactQuantity)(double dJde);

// FindContactJde: the secant search shared by every event search.
//   dStartJde      start, JDE
//   dTarget        target value, degrees (any value; reduced to [0, 360))
//   Quantity       the quantity searched
//   dMeanRate      its mean rate, degrees per day (the first step is the
//                  forward distance divided by it)
//   szErrorText    fatal report shown on failure
// Returns the JDE of the first moment at or after the start at which the
// quantity equals the target to within 2e-8 degrees; 0 when a step or a
// rate became 0 or 20 corrections did not converge (after the fatal report).
// The change of the quantity over a step is unwrapped around the mean motion
// of that step, so a first step of more than half a turn (a target just
// behind the start) still gives the right rate.
double FindContactJde(double dStartJde, double dTarget, ContactQuantity Quantity,
                      double dMeanRate, const char* szErrorText);

// ---------------------------------------------------------------------------
// Sun contacts

// SunLongitude: the Sun's apparent longitude at a JDE (the position
// dispatcher, chart point 0), degrees [0, 360).
double SunLongitude(double dJde);

// GetNextSunContactJde: the first moment at or after dStartJde (JDE), within
// one solar year, at which the Sun's apparent longitude equals dTarget
// (degrees, any value).  Returns the JDE; 0 after the fatal report
// "!GetNextSunContactJde" when the search does not converge.
double GetNextSunContactJde(double dStartJde, double dTarget);

// GetSunIngressT: writes one of the Sun's listings into szOut.
//   pTime      JST; 38250 and 38251 use only its year, 39077 the moment
//   szOut      output buffer of cbOut bytes
//   iCommand   38250 sign ingresses, 38251 mid-sign crossings, 39077 the
//              last and next two ingress / mid-sign moments around pTime
// Before each entry the room left is compared with 128 bytes; when short
// the text ends there after the box "テキストが長すぎるので途中で打ち切ります".
// Returns 1 (also when cut short), 0 after a failed search (the lines so far
// stay) or on a null argument ("GetSunIngressT.Arg?").  An unknown command id
// is reported ("GetSunIngressT", "OOR/iCommand") and gives 0.
int GetSunIngressT(const DateTime* pTime, char* szOut, int cbOut, int iCommand);

// GetSolarReturnJde: the moment (JDE) at which the Sun's apparent longitude
// returns, iAge years after the natal moment, to its natal value.
//   ldNatalJde  natal moment, JDE
//   iAge        whole years; 0 gives the natal moment itself
// The Sun is computed directly from the Earth's heliocentric longitude and
// radius vector (VSOP87 D), the FK5 correction (-0.09033"), the annual
// aberration (-20.4898" / R) and the nutation in longitude (IAU 1980).  At
// most twelve evaluations of the Sun; longitude differences are wrapped in
// every pass, so a natal Sun near 0° Aries converges.
long double GetSolarReturnJde(long double ldNatalJde, int iAge);

// GetSolarReturnJd: the same moment as a Julian Day in UT (the JDE less
// Delta T for that date).
long double GetSolarReturnJd(long double ldNatalJde, int iAge);

// The solar-return list of the solar-return dialog: ages 0..100.
constexpr int kNumSolarReturns = 101;
// SolarReturnMoments: the JST moment of the solar return of every age
// 0..100 of the person whose natal chart has ldNatalJde.  Returns 1.
int SolarReturnMoments(long double ldNatalJde, DateTime pReturns[kNumSolarReturns]);
// SolarReturnLine: the list line "%3d歳 ...%s" of one age (TimeToStr of its
// moment) into szLine of cbLine bytes.  Returns the length written.
int SolarReturnLine(int iAge, const DateTime& jstReturn, char* szLine, int cbLine);
// SolarReturnDefaultAge: the age the list preselects: this year's age
// (iCurrentYear - iBirthYear), or 50 when that is below 0 or above 100.
int SolarReturnDefaultAge(int iBirthYear, int iCurrentYear);
// ChooseSolarReturn: accepts the age chosen in the list (-1 = nothing
// chosen).  Age 0 or no choice shows "0歳は指定できません" over hOwner and
// gives 0; otherwise *pWorking becomes a copy of natal whose time is the
// return moment of that age, and the age is returned.
int ChooseSolarReturn(WindowRef hOwner, int iAge, const BirthRecord& natal,
                      const DateTime pReturns[kNumSolarReturns], BirthRecord* pWorking);

// ---------------------------------------------------------------------------
// Moon events

// MoonLongitude: the Moon's apparent longitude at a JDE, degrees [0, 360).
double MoonLongitude(double dJde);

// GetMoonSunElongation: the Moon's longitude less the Sun's, reduced to
// [0, 360): 0 new moon, 90 first quarter, 180 full moon, 270 last quarter.
double GetMoonSunElongation(double dJde);

// GetMoonIngressJde: the first moment at or after dStartJde (JDE) at which
// the Moon's longitude equals dTarget (degrees).  Returns the JDE; 0 after
// the fatal report "!GetMoonIngressJde".
double GetMoonIngressJde(double dStartJde, double dTarget);

// GetNextMoonPhaseJde: the next moment at or after dStartJde (JDE) at which
// the elongation equals dTarget (degrees).  Returns the JDE; 0 after the
// fatal report "!GetNextMoonPhaseJde".
double GetNextMoonPhaseJde(double dStartJde, double dTarget);

// Largest text ListMoonIngresses writes (20 entries at most), and the
// smallest buffer it may be given.
constexpr int kMoonIngressTextSize = 2048;
// ListMoonIngresses: the Moon's sign changes of the month of jst (only year
// and month are used) and the first one of the next month, into szOut,
// which must hold kMoonIngressTextSize bytes.  Returns 1; 0 after a failed
// search (the lines so far stay) or for a null buffer ("!lpStr:MoonIng").
int ListMoonIngresses(const DateTime& jst, char* szOut);

// MoonPhaseCalendarText: nine lunar phases from the new moon before jst to
// the second new moon after it, into szOut of cbOut bytes.  Before each line
// the room left is compared with 100 bytes; when short the box captioned
// "月のこよみ" ends the text.  Returns 1 (also when cut short); 0 after a
// failed search or for a null buffer ("!lpStr:GetMoonC.").
int MoonPhaseCalendarText(const DateTime& jst, char* szOut, int cbOut);

// Largest text MoonNextIngressText writes, and the smallest buffer it may be
// given.
constexpr int kMoonNextIngressTextSize = 256;
// MoonNextIngressText: the Moon's next sign change after *pTime (JST), into
// szOut (kMoonNextIngressTextSize bytes).  *pTime becomes the ingress moment.
// Returns 1; 0 after a failed search or for a null buffer
// ("!lpStr:GetMoonNextI.").
int MoonNextIngressText(DateTime* pTime, char* szOut);

// MakeAlmanacText: the recent almanac for a moment (JST, whole seconds): the
// Moon's next sign change, the phases around the moment and the solar terms
// around it, into szOut of cbOut bytes.  The phase and term texts are each
// built in a 1024-byte buffer and appended as far as szOut has room.
// Returns 1; 0 when one of the parts failed (what was built stays).
int MakeAlmanacText(const DateTime& jst, char* szOut, int cbOut);
// MakeAlmanacTitle: the popup title "最近のこよみ - 現在時刻:%s".
int MakeAlmanacTitle(const DateTime& jst, char* szOut, int cbOut);

// ---------------------------------------------------------------------------
// Events as records, for scripts: the moments a listing holds, in its order.

enum EventKind : int32_t {
  kEventSunIngress = 0,  // the Sun enters sign iSign (from iFrom)
  kEventSunMidSign = 1,  // the Sun crosses 15° of sign iSign
  kEventMoonIngress = 2, // the Moon enters sign iSign
  kEventMoonPhase = 3,   // lunar phase iSign (0 new .. 3 last quarter)
};

struct EventEntry {
  double dJde;     // moment, JDE
  int32_t iKind;   // EventKind
  int32_t iSign;   // sign number, or phase number
  int32_t iFrom;   // sign left by an ingress of the Sun, else -1
};

// Largest number of entries of one listing.
constexpr int kMaxEventEntries = 20;

// CollectSunContacts: the entries of listing iCommand (38250, 38251: 12;
// 39077: 4) for jst.  Returns the number found; *pbFailed is set when a
// search failed (the entries before it are kept).
int CollectSunContacts(const DateTime& jst, int iCommand, EventEntry* pEntries, int iMax,
                       bool* pbFailed);
// CollectMoonIngresses: the Moon's sign changes of a month and the first of
// the next (at most 20).
int CollectMoonIngresses(int iYear, int iMonth, EventEntry* pEntries, int iMax, bool* pbFailed);
// CollectMoonNextIngress: the Moon's next sign change after jst, as
// MoonNextIngressText finds it.  Returns 1; 0 when the search failed.
int CollectMoonNextIngress(const DateTime& jst, EventEntry* pEntry);
// CollectMoonPhases: the nine phases of the phase list of jst.
int CollectMoonPhases(const DateTime& jst, EventEntry* pEntries, int iMax, bool* pbFailed);
// EventLabel: a short label of an entry ("春分: 太陽が おひつじ座に入る",
// "おうし座へのイングレス", "新月"), CP932, into szLabel of cbLabel bytes.
int EventLabel(const EventEntry& entry, char* szLabel, int cbLabel);

// ---------------------------------------------------------------------------
// Ephemeris listing

constexpr int kNumEphemBodies = 9;
constexpr int kNumEphemLines = 64;
// Bodies of the listing by list index: "太陽", "月", "水星" .. "海王星".
extern const char* const kEphemBodyNames[kNumEphemBodies];

// Step codes of the listing.
enum EphemStep : int {
  kEphemStepSecond = 100,
  kEphemStepMinute = 200,
  kEphemStepHour = 300,
  kEphemStepDay = 400,
};
// Label of a step code in the confirmation ("1秒", "1分", "1時間", "1日").
const char* EphemStepLabel(int iStep);
// Length of one step in days; any code other than 100, 200, 300 is a day.
double EphemStepDays(int iStep);

// The ephemeris dialog's choice.
struct EphemChoice {
  int iBody;     // list index 0..8
  int iStep;     // step code 100..400
  int bAligned;  // "きりのいい時刻" was checked
};
// DecodeEphemChoice: splits the dialog result (list index + step code,
// + 1000 when aligned).  Returns 0 for a cancelled dialog (negative result).
int DecodeEphemChoice(int iResult, EphemChoice* pChoice);
// EphemConfirmText: "%sの%sごとのこよみ : %s" (body, step label, and
// "きりのいい時刻" or "時刻を詳細設定").  Returns the length written.
int EphemConfirmText(const EphemChoice& choice, char* szOut, int cbOut);
// EphemTimeEntryMode: the sub-mode of the time-and-name dialog:
// kEphemEntrySeconds for a one-second step (seconds may be typed), the step
// code when aligned, else kEphemEntryFree.
constexpr int kEphemEntrySeconds = -1;
constexpr int kEphemEntryFree = 0;
int EphemTimeEntryMode(const EphemChoice& choice);

// EphemPosition: one body's longitude (degrees) and motion code at a JDE,
// as the listing computes it (the Moon has no motion code: 0).  Returns 1;
// 0 for an index outside 0..8 (reported, "MakeEphem", "OOR/iBody") or a
// motion code above 3 (fatal report "MakeEphem:mv?").
int EphemPosition(int iBody, long double ldJde, double* pdLong, int* piMotion);

// EphemLineMoment: line i (0..63) of a listing from start (JST) at step
// iStep: its JST moment and its JDE.  The lines are whole steps of civil
// time (JD(UT)) apart, each turned into a JDE by itself, so that they stand
// on whole steps of JST also across a step of the Delta T model (a New
// Year, a leap second).
void EphemLineMoment(const DateTime& start, int iStep, int i, DateTime* pWhen, long double* pldJde);

// Largest text MakeEphem writes, and the smallest buffer it may be given.
constexpr int kEphemTextSize = 8192;
// MakeEphem: 64 positions of body iBody from start (JST) at step iStep into
// szOut (kEphemTextSize bytes): the time, the padded sign name, degrees,
// minutes, seconds and the motion mark of each.  Returns 1; 0 for a null
// buffer ("!str:MakeEphem") or a failed position (the lines so far stay).
int MakeEphem(const DateTime& start, int iBody, int iStep, char* szOut);

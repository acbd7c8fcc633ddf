// The window-free rules of the commands that build a text and show it: the
// listings that ask for a moment (the Sun's ingresses and terms of a year,
// the Moon's sign changes and phases), the season charts, and whose reading
// the character reading and today's fortune give, with the fortune person's
// current place.  Portable (no <windows.h>): the unit tests check them
// natively; the command handlers of the shell run the dialogs and boxes
// around them.
#pragma once

#include <cstddef>

#include "base/chart_record.h"
#include "persistence/data_file.h"
#include "time/calendar.h"

// --- Listings of a moment ------------------------------------------------------------

// Bytes of szText (from its byte 4096) that a listing may fill.
constexpr int kListingTextSize = 32768;

// A listing that asks for its moment in the time-and-name dialog (in the
// mode of its own command) and shows its text in the popup window under its
// own command: 38250, 38251, 38300 and 38310.
struct MomentListing {
  int iCommand;
  const char* szHeading;  // the question before the dialog (AppOkCancelMsg)
  const char* szLines[3];
  const char* szPopupTitle;
};

// FindMomentListing: the listing of a command, or null.
const MomentListing* FindMomentListing(int iCommand);

// MakeMomentListing: the text of listing iCommand for the moment entered
// (JST; the Sun's listings use its year, the Moon's sign changes its year
// and month) into szOut of cbOut bytes (at least kMoonIngressTextSize).
// Returns what the listing returned: 1, or 0 after a failed search (the
// lines written so far stay) or for a command that is no such listing.
int MakeMomentListing(int iCommand, const DateTime& when, char* szOut, int cbOut);

// --- Season charts ----------------------------------------------------------------------

// SeasonQuestionHeading: the heading of the question after the season
// dialog, "  %s - %5d年" with the chart name of the kind and the year.
int SeasonQuestionHeading(int iKind, int iYear, char* szOut, size_t cbOut);

// MakeSeasonChart: the season chart of kind iKind (0 vernal, 1 summer,
// 2 autumnal, 3 winter) of a year at the place of *pRec (szBirthPlace,
// dBirthLat, dBirthLong).  *pRec is named after the chart ("春分図" ..)
// and gets the moment the Sun reaches 90 x kind degrees after 1 January
// of the year, 00:00 JST (time and seconds known); the chart is computed
// into *pChart with *pRec as target and natal, kind 2, harmonic 1 and the
// origin of the season (38243 + kind), and "/ " and the chart name end its
// title.  Returns 1; 0 when the search failed (after its report; nothing
// computed).
int MakeSeasonChart(int iKind, int iYear, BirthRecord* pRec, ChartRecord* pChart);

// --- Readings: whose reading ------------------------------------------------------------

enum ReadingPerson : int {
  kReadingShownPerson = 0,  // the natal record of the chart on view
  kReadingDefaultPerson,    // the default person of the settings
  kReadingAskSelf,          // ask "あなたについての占いを しますか？": Yes the wizard,
                            // No another person
  kReadingOtherPerson,      // ask "... ほかの人について": a filed or a new person
};

// ChooseReadingPerson: whose character reading or fortune the command gives.
//   bFromPopup          the command came from the popup's "ほかの人 [B]"
//   bStartupDataShown   the charts on view are still those of start-up
//   bDefaultRegistered  the settings hold the user's own default person
int ChooseReadingPerson(bool bFromPopup, bool bStartupDataShown, bool bDefaultRegistered);

// SamePerson: two records name the same person: same name, birth moment
// and birthplace coordinates.
bool SamePerson(const BirthRecord& a, const BirthRecord& b);

// --- Today's fortune: the current place ------------------------------------------------

// iDataNo of a fortune person entered on the spot and not kept.
constexpr int32_t kDataNoFortuneOnly = -10;

enum FortunePlaceStep : int {
  kFortunePlaceAsk = 0,  // ask "現在地は下記でよろしいですか？"
  kFortunePlaceChoose,   // choose it in the place dialog ("いまどこにいますか？")
  kFortunePlaceKeep,     // keep the current place of the record
};

// ChooseFortunePlaceStep: a person of the birth-data table (iDataNo >= 0)
// with a confirmed current place (iMarker) is asked, without one chooses
// it; a person entered on the spot (iDataNo -1) chooses it every time; the
// default persons and a person whose place was just chosen (other negative
// numbers) keep theirs.
int ChooseFortunePlaceStep(const BirthRecord& person);

// ShownFortunePerson: the fortune person taken from the chart on view: its
// natal record, with the mark of a person not kept (-10) turned into -1 so
// that the current place is asked again.
BirthRecord ShownFortunePerson(const BirthRecord& natal);

// SetCurrentPlace: the place chosen in the place dialog (the birthplace
// fields of `place`) becomes the person's current place (szCurrentPlace,
// dCurrentLat, dCurrentLong), confirmed (iMarker 1).
void SetCurrentPlace(const BirthRecord& place, BirthRecord* pPerson);

// StoreCurrentPlaceInTable: the person's current place and mark written
// into its row of the birth-data table (iDataNo 0..999).  Only a row that
// still holds this person is written: rows move when one is deleted, and
// another person's row must not take the place.  Returns 1 when written.
int StoreCurrentPlaceInTable(const BirthRecord& person, BirthTable* pTable);

// FortuneNewPersonText: the box after a new person's data was entered for
// the fortune: "%s\n\n%s\n\n出生地：%s\n\nこれで良ければ次にその人が今いる
// 場所を指定してください" (name, TimeToStr of the time, birthplace).
int FortuneNewPersonText(const BirthRecord& person, char* szOut, size_t cbOut);


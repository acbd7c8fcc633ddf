// The window-free rules of the listing, season and reading commands.
#include "shell/logic/report_rules.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "chart/chart_driver.h"
#include "entry/entry_rules.h"
#include "events/events.h"
#include "time/timescale.h"

namespace {

const MomentListing kMomentListings[] = {
    {IDM_INGRESS,
     "12星座の さかい目",
     {"何年について計算しますか？", "次のボックスで指定してください", "年数の欄だけ入力すればかまいません"},
     "星座の境界 ( 日本時間 )"},
    {IDM_SOLAR_TERMS,
     "節入り",
     {"何年について計算しますか？", "次のボックスで指定してください", "年数の欄だけ入力すればかまいません"},
     "節入り ( 日本時間 )"},
    {IDM_MOON_SIGNS,
     "月が星座を変わる時刻",
     {"何年何月について計算しますか？", "次のボックスで指定してください", "年と月の欄だけ入力すればかまいません"},
     "月が星座を変わる時刻 (日本時間)"},
    {IDM_MOON_PHASES,
     "新月・上弦・満月・下弦の時刻",
     {"次のボックスで計算時点を指定してください", "  指定時点の前回の新月から次々回の新月", "  までの時刻をリストアップします"},
     "月のこよみ (日本時間)"},
};

// Writes a text that may be cut to the buffer; returns its length.
int Format(char* szOut, size_t cbOut, const char* szFormat, ...) __attribute__((format(printf, 3, 4)));
int Format(char* szOut, size_t cbOut, const char* szFormat, ...) {
  if (!szOut || cbOut == 0) return 0;
  va_list args;
  va_start(args, szFormat);
  const int n = vsnprintf(szOut, cbOut, szFormat, args);
  va_end(args);
  if (n < 0) {
    szOut[0] = '\0';
    return 0;
  }
  return static_cast<size_t>(n) < cbOut ? n : static_cast<int>(cbOut - 1);
}

}  // namespace

const MomentListing* FindMomentListing(int iCommand) {
  for (const MomentListing& l : kMomentListings) {
    if (l.iCommand == iCommand) return &l;
  }
  return nullptr;
}

int MakeMomentListing(int iCommand, const DateTime& when, char* szOut, int cbOut) {
  if (!szOut || cbOut < kMoonIngressTextSize) return 0;
  szOut[0] = '\0';
  switch (iCommand) {
    case IDM_INGRESS:
    case IDM_SOLAR_TERMS: return GetSunIngressT(&when, szOut, cbOut, iCommand);
    case IDM_MOON_SIGNS: return ListMoonIngresses(when, szOut);
    case IDM_MOON_PHASES: return MoonPhaseCalendarText(when, szOut, cbOut);
  }
  return 0;
}

int SeasonQuestionHeading(int iKind, int iYear, char* szOut, size_t cbOut) {
  if (iKind < 0 || iKind >= kNumSeasonKinds) return Format(szOut, cbOut, "%s", "");
  return Format(szOut, cbOut, "  %s - %5d年", kSeasonChartNames[iKind], iYear);
}

int MakeSeasonChart(int iKind, int iYear, BirthRecord* pRec, ChartRecord* pChart) {
  if (iKind < 0 || iKind >= kNumSeasonKinds || !pRec || !pChart) return 0;
  const char* szName = kSeasonChartNames[iKind];
  memset(pRec->szName, 0, sizeof pRec->szName);
  snprintf(pRec->szName, sizeof pRec->szName, "%s", szName);
  const DateTime newYear{iYear, 1, 1, 0, 0, 0.0};
  const double dJde = GetNextSunContactJde(static_cast<double>(JstToJde(newYear)), 90.0 * iKind);
  if (dJde == 0.0) return 0;
  JdeToJst(dJde, &pRec->time);
  pRec->bTimeKnown = 1;
  pRec->bSecondsGiven = 1;
  HoromiraMain(*pRec, *pRec, pChart, kChartTransit, 0, 1.0, kOriginVernal + iKind);
  const size_t n = strnlen(pChart->szTitle, sizeof pChart->szTitle);
  Format(pChart->szTitle + n, sizeof pChart->szTitle - n, "/ %s", szName);
  return 1;
}

int ChooseReadingPerson(bool bFromPopup, bool bStartupDataShown, bool bDefaultRegistered) {
  if (bFromPopup) return kReadingOtherPerson;
  if (!bStartupDataShown) return kReadingShownPerson;
  return bDefaultRegistered ? kReadingDefaultPerson : kReadingAskSelf;
}

bool SamePerson(const BirthRecord& a, const BirthRecord& b) {
  return strncmp(a.szName, b.szName, sizeof a.szName) == 0 && a.time.year == b.time.year &&
         a.time.month == b.time.month && a.time.day == b.time.day && a.time.hour == b.time.hour &&
         a.time.minute == b.time.minute && a.time.second == b.time.second && a.dBirthLat == b.dBirthLat &&
         a.dBirthLong == b.dBirthLong;
}

int ChooseFortunePlaceStep(const BirthRecord& person) {
  if (person.iDataNo >= 0) return person.iMarker ? kFortunePlaceAsk : kFortunePlaceChoose;
  if (person.iDataNo == -1) return kFortunePlaceChoose;
  return kFortunePlaceKeep;
}

BirthRecord ShownFortunePerson(const BirthRecord& natal) {
  BirthRecord person = natal;
  if (person.iDataNo == kDataNoFortuneOnly) person.iDataNo = -1;
  return person;
}

void SetCurrentPlace(const BirthRecord& place, BirthRecord* pPerson) {
  memcpy(pPerson->szCurrentPlace, place.szBirthPlace, sizeof pPerson->szCurrentPlace);
  pPerson->szCurrentPlace[sizeof pPerson->szCurrentPlace - 1] = '\0';
  pPerson->dCurrentLat = place.dBirthLat;
  pPerson->dCurrentLong = place.dBirthLong;
  pPerson->iMarker = 1;
}

int StoreCurrentPlaceInTable(const BirthRecord& person, BirthTable* pTable) {
  const int i = person.iDataNo;
  if (!pTable || i < 0 || i >= kFiledListRows || i >= pTable->iNumData) return 0;
  BirthRecord& row = pTable->rows[i];
  if (!SamePerson(row, person)) return 0;
  memcpy(row.szCurrentPlace, person.szCurrentPlace, sizeof row.szCurrentPlace);
  row.dCurrentLat = person.dCurrentLat;
  row.dCurrentLong = person.dCurrentLong;
  row.iMarker = person.iMarker;
  return 1;
}

int FortuneNewPersonText(const BirthRecord& person, char* szOut, size_t cbOut) {
  char szName[kNameFieldSize + 1], szPlace[kNameFieldSize + 1];
  snprintf(szName, sizeof szName, "%.*s", kNameFieldSize, person.szName);
  snprintf(szPlace, sizeof szPlace, "%.*s", kNameFieldSize, person.szBirthPlace);
  return Format(szOut, cbOut, "%s\n\n%s\n\n出生地：%s\n\nこれで良ければ次にその人が今いる場所を指定してください", szName,
                TimeToStr(&person.time), szPlace);
}

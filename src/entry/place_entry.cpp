// The place dialog: its title and the two ways a place is accepted.
#include <cstdio>

#include "chart/places.h"
#include "entry/entry_rules.h"
#include "platform/reports.h"

const char kDefaultLatitudeText[] = "35.6500";
const char kDefaultLongitudeText[] = "139.7500";

int PlaceEntryTitle(int iMode, const char* szName, char* szOut, int cbOut) {
  const char* szQuestion = "どこで生まれましたか？";
  if (iMode == kPlaceEntryNow) szQuestion = "いまどこにいますか？";
  if (iMode == kPlaceEntryThen) szQuestion = "そのときどこにいる(いた)か？";
  if (iMode == kPlaceEntrySeason) szQuestion = "場所の指定";
  const int n = snprintf(szOut, cbOut, "%s  (%s)", szQuestion, szName ? szName : "");
  return n < cbOut ? n : cbOut - 1;
}

int AcceptTypedPlace(WindowRef hOwner, const char* szLat, const char* szLong, BirthRecord* pRec) {
  return SetTypedPlace(hOwner, pRec, DecimalPrefix(szLat), DecimalPrefix(szLong));
}

int AcceptListedPlace(int iRow, BirthRecord* pRec) {
  if (iRow < 0 || iRow >= kNumPlaces) return ReportPlaceKind("PlaceInputDFunc", "OOR/iRow", 0);
  SetPlaceFromRow(pRec, iRow);
  return 1;
}

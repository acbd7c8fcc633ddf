// Person, moment and place options of horomira.
#include "cli/cli_person.h"

#include <cmath>
#include <cstdlib>
#include <cstring>

#include "base/shift_jis.h"
#include "chart/places.h"
#include "persistence/settings.h"

namespace {

// The time-entry dialog accepts these years (the span of the lunar theory).
constexpr int kFirstYear = -4000;
constexpr int kLastYear = 8000;
// Names are kept to this many bytes, as the time-entry dialog does.
constexpr int kMaxNameBytes = 30;

int MissingValue(const CliArgs& a) { return Fail(a.sMissingOption + " には値が必要です"); }

}  // namespace

int TakeMomentArg(const std::string& sText, const char* szDataName, DateTime* pTime, MomentParts* pParts) {
  if (sText == "now") {
    *pTime = PresentMoment();
    if (pParts) *pParts = MomentParts{true, true};
    return 0;
  }
  if (!ParseMoment(sText, pTime, pParts)) return Fail("日時の形式が正しくありません: " + sText);
  return CheckMoment(*pTime, szDataName, sText);
}

int CheckMoment(const DateTime& t, const char* szDataName, const std::string& sText) {
  if (t.year < kFirstYear || t.year > kLastYear) {
    return Fail("年数を確認！ " + sText +
                " : 入力が未完了か、正しくないか、または計算可能期間(4000 B.C. - 8000 A.D.)の外です。");
  }
  if (ValidateDateTime(nullptr, szDataName, t, 0) != 0) return kExitBadInput;
  return 0;
}

int CheckName(const std::string& sName) {
  if (HasControlCharacter(sName.c_str())) return Fail("名前に制御文字 (改行やエスケープなど) は使えません");
  return 0;
}

int TakePlaceOptions(CliArgs& a, BirthRecord* pRec) {
  std::string sPlace, sLat, sLon;
  const bool bPlace = a.TakeOption("--place", &sPlace);
  const bool bLat = a.TakeOption("--lat", &sLat);
  const bool bLon = a.TakeOption("--lon", &sLon);
  if (a.bValueMissing) return MissingValue(a);
  if (bPlace && (bLat || bLon)) return Fail("--place と --lat/--lon は同時に指定できません");
  if (bPlace) {
    const int iRow = FindPlace(sPlace.c_str());
    if (iRow == kNoPlace) return Fail("地名一覧にない場所です: " + sPlace + " (horomira places で一覧を表示します)");
    SetPlaceFromRow(pRec, iRow);
    return 0;
  }
  if (bLat != bLon) return Fail("--lat と --lon は両方指定してください");
  if (!bLat) {
    SetPlaceFromRow(pRec, kDefaultPlaceRow);
    return 0;
  }
  double dLat, dLon;
  if (!ParseDecimalNumber(sLat, &dLat) || !ParseDecimalNumber(sLon, &dLon)) {
    return Fail("経緯度は10進数の度で指定してください: " + sLat + " " + sLon);
  }
  return SetTypedPlace(nullptr, pRec, dLat, dLon) ? 0 : kExitBadInput;
}

int TakePersonOptions(CliArgs& a, BirthRecord* pRec) {
  if (a.TakeFlag("--default-person")) {
    // The program's built-in default person, dated by this build.
    MakeDefaultPerson(pRec, __DATE__, __TIME__);
    BuildListLine(pRec);
    return 0;
  }
  memset(pRec, 0, sizeof *pRec);
  pRec->iDataNo = -1;
  std::string sName = "(No Name)", sDate;
  a.TakeOption("--name", &sName);
  const bool bDate = a.TakeOption("--date", &sDate);
  const bool bUnknownTime = a.TakeFlag("--unknown-time");
  if (a.bValueMissing) return MissingValue(a);
  if (!bDate) return Fail("--date で生年月日を指定してください (YYYY-MM-DDTHH:MM)");
  if (sName.empty()) sName = "(No Name)";
  if (const int r = CheckName(sName)) return r;
  snprintf(pRec->szName, sizeof pRec->szName, "%s", sName.c_str());
  if (strlen(pRec->szName) > kMaxNameBytes) CutDoubleByteSafe(pRec->szName, kMaxNameBytes);

  MomentParts parts{false, false};
  if (const int r = TakeMomentArg(sDate, pRec->szName, &pRec->time, &parts)) return r;
  pRec->bTimeKnown = 1;
  pRec->bSecondsGiven = pRec->time.second != 0.0;
  if (bUnknownTime) {
    if (parts.bHasTime) return Fail("--unknown-time のときは日付だけを指定してください: " + sDate);
    // The program's rule for an unknown birth time: provisionally noon.
    pRec->time.hour = 12;
    pRec->bTimeKnown = 0;
  }
  if (const int r = TakePlaceOptions(a, pRec)) return r;
  FinishRecord(pRec);
  return 0;
}

void FinishRecord(BirthRecord* pRec) {
  pRec->dwMagic = kRecordMagic;
  memcpy(pRec->szCurrentPlace, pRec->szBirthPlace, sizeof pRec->szCurrentPlace);
  pRec->dCurrentLat = pRec->dBirthLat;
  pRec->dCurrentLong = pRec->dBirthLong;
  BuildListLine(pRec);
}

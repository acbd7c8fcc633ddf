// Person, moment and place options of horomira.
#include "cli/cli_person.h"

#include <cmath>
#include <cstdlib>
#include <cstring>

#include "base/shift_jis.h"
#include "chart/place_zones.h"
#include "chart/places.h"
#include "persistence/settings.h"
#include "time/zones.h"

namespace {

// The time-entry dialog accepts these years (the span of the lunar theory).
constexpr int kFirstYear = -4000;
constexpr int kLastYear = 8000;
// Names are kept to this many bytes, as the time-entry dialog does.
constexpr int kMaxNameBytes = 30;

int MissingValue(const CliArgs& a) { return Fail(a.sMissingOption + " には値が必要です"); }

// "1990-04-01 02:00" (seconds only when there are some) of a clock reading.
std::string ReadingText(const DateTime& t) {
  char sz[64];
  if (t.second != 0.0) {
    snprintf(sz, sizeof sz, "%04d-%02d-%02d %02d:%02d:%02.0f", t.year, t.month, t.day, t.hour, t.minute,
             std::floor(t.second));
  } else {
    snprintf(sz, sizeof sz, "%04d-%02d-%02d %02d:%02d", t.year, t.month, t.day, t.hour, t.minute);
  }
  return sz;
}

// The reading the clocks showed after a change: its time, or all of it
// when the date is another than before.
std::string ReadingAfterText(const DateTime& before, const DateTime& after) {
  const std::string s = ReadingText(after);
  const bool bSameDay = before.year == after.year && before.month == after.month && before.day == after.day;
  return bSameDay ? s.substr(11) : s;
}

std::string OffsetLabel(const ZoneOffset& offset) {
  char sz[kZoneTextSize];
  FormatZoneLabel(kNoZone, offset, sz, sizeof sz);
  return sz;
}

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

int TakePlaceOptions(CliArgs& a, BirthRecord* pRec, int* piRow) {
  if (piRow) *piRow = kNoPlace;
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
    if (piRow) *piRow = iRow;
    return 0;
  }
  if (bLat != bLon) return Fail("--lat と --lon は両方指定してください");
  if (!bLat) {
    SetPlaceFromRow(pRec, kDefaultPlaceRow);
    if (piRow) *piRow = kDefaultPlaceRow;
    return 0;
  }
  double dLat, dLon;
  if (!ParseDecimalNumber(sLat, &dLat) || !ParseDecimalNumber(sLon, &dLon)) {
    return Fail("経緯度は10進数の度で指定してください: " + sLat + " " + sLon);
  }
  return SetTypedPlace(nullptr, pRec, dLat, dLon) ? 0 : kExitBadInput;
}

const char kZoneUsage[] = "[--zone NAME|±HH:MM|place [--summer-time] [--earlier|--later]]";
const char kZoneHelp[] =
    "  --zone NAME             --date is a clock reading of a zone, read as JST by the\n"
    "                          zone's rules: a tz name or Japanese name that\n"
    "                          'horomira zones' lists (Asia/Tokyo: Japan's summer time\n"
    "                          of 1948-1951).  Without --zone, --date is JST\n"
    "  --zone ±HH:MM           --date is a clock reading at that offset from UT\n"
    "  --summer-time           with --zone ±HH:MM: that clock kept summer time (one\n"
    "                          hour more)\n"
    "  --zone place            the zone of the --place row (Asia/Tokyo in Japan)\n"
    "  --earlier, --later      a --date the clocks showed twice (summer time ending):\n"
    "                          the first moment (the default, with a note on stderr)\n"
    "                          or the second.  A --date the clocks skipped (summer\n"
    "                          time beginning) is refused\n";

int TakeZoneOptions(CliArgs& a, ZoneOptions* pZone) {
  *pZone = ZoneOptions();
  std::string sZone;
  pZone->bGiven = a.TakeOption("--zone", &sZone);
  pZone->bSummerTime = a.TakeFlag("--summer-time");
  const bool bEarlier = a.TakeFlag("--earlier");
  const bool bLater = a.TakeFlag("--later");
  if (a.bValueMissing) return 0;  // the caller reports it with the other options
  if (!pZone->bGiven) {
    if (pZone->bSummerTime || bEarlier || bLater) return Fail("--summer-time, --earlier, --later は --zone と一緒に指定します");
    return 0;
  }
  if (bEarlier && bLater) return Fail("--earlier と --later はどちらか一方だけ指定できます");
  pZone->bOccurrenceGiven = bEarlier || bLater;
  pZone->iOccurrence = bLater ? kZoneLater : kZoneEarlier;
  if (sZone == "place") {
    pZone->bFromPlace = true;
  } else if (!ParseUtcOffset(sZone.c_str(), &pZone->lOffset)) {
    pZone->iZone = FindZone(sZone.c_str());
    if (pZone->iZone == kNoZone) {
      return Fail("タイムゾーンが分かりません: " + sZone +
                  " (horomira zones で一覧を表示します。UT からの時差なら +09:00 のように指定します)");
    }
  }
  if (pZone->bSummerTime && (pZone->iZone != kNoZone || pZone->bFromPlace)) {
    return Fail("--summer-time は --zone ±HH:MM (UT からの時差) と一緒に指定します: "
                "タイムゾーンの夏時間は自動で判定します");
  }
  return 0;
}

int TakeBirthMoment(const std::string& sText, const ZoneOptions& zone, const char* szDataName, DateTime* pTime,
                    MomentParts* pParts) {
  if (!zone.bGiven) return TakeMomentArg(sText, szDataName, pTime, pParts);
  if (sText == "now") return Fail("--date now (いまの瞬間) には --zone を指定できません");
  if (!ParseMoment(sText, pTime, pParts)) return Fail("日時の形式が正しくありません: " + sText);
  // A leap second is checked once the reading is JST: here it stands in the
  // last second of its minute.
  DateTime reading = *pTime;
  if (reading.second >= 60.0) reading.second = 59.0;
  return CheckMoment(reading, szDataName, sText);
}

int ReadInZone(const ZoneOptions& zone, int iPlaceRow, const std::string& sText, const char* szDataName,
               DateTime* pTime) {
  if (!zone.bGiven) return 0;
  int iZone = zone.iZone;
  if (zone.bFromPlace) {
    iZone = iPlaceRow == kNoPlace ? kNoZone : PlaceZone(iPlaceRow);
    if (iZone == kNoZone) return Fail("--zone place は地名一覧の場所 (--place) の出生にだけ指定できます");
  }
  ZoneConversion c;
  if (iZone == kNoZone) {
    OffsetToJst(*pTime, zone.lOffset, zone.bSummerTime, &c);
  } else {
    LocalToJst(iZone, *pTime, zone.iOccurrence, &c);
  }
  const std::string sWhere = iZone == kNoZone ? std::string("") : std::string(" (") + ZoneAt(iZone)->szName + ")";
  if (c.iStatus == kZoneTimeNonexistent) {
    const char* szWhy = c.later.bDst && !c.earlier.bDst ? " (夏時間の始まり)" : "";
    return Fail("存在しない時刻です: " + sText + sWhere + ": 時計が " + ReadingText(c.clockBefore) + " に " +
                ReadingAfterText(c.clockBefore, c.clockAfter) + " へ進められたため、この時刻はありません" + szWhy);
  }
  if (c.iStatus == kZoneTimeAmbiguous && !zone.bOccurrenceGiven) {
    const char* szWhy = c.earlier.bDst && !c.later.bDst ? " (夏時間の終わり)" : "";
    Note("注意: " + sText + sWhere + " は2度ありました: 時計が " + ReadingText(c.clockBefore) + " に " +
         ReadingAfterText(c.clockBefore, c.clockAfter) + " へ戻されました" + szWhy + "。早いほう (" +
         OffsetLabel(c.earlier) + ") として計算します。遅いほう (" + OffsetLabel(c.later) +
         ") は --later で、早いほうは --earlier で指定すると、この注意は出ません");
  }
  *pTime = c.jst;
  return CheckMoment(c.jst, szDataName, sText);
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
  ZoneOptions zone;
  const int iZoneExit = TakeZoneOptions(a, &zone);
  if (a.bValueMissing) return MissingValue(a);
  if (iZoneExit) return iZoneExit;
  if (!bDate) return Fail("--date で生年月日を指定してください (YYYY-MM-DDTHH:MM)");
  if (bUnknownTime && zone.bGiven) {
    return Fail("--unknown-time のときは --zone を指定できません (時刻の分からない出生は日本時間の正午として計算します)");
  }
  if (sName.empty()) sName = "(No Name)";
  if (const int r = CheckName(sName)) return r;
  snprintf(pRec->szName, sizeof pRec->szName, "%s", sName.c_str());
  if (strlen(pRec->szName) > kMaxNameBytes) CutDoubleByteSafe(pRec->szName, kMaxNameBytes);

  MomentParts parts{false, false};
  if (const int r = TakeBirthMoment(sDate, zone, pRec->szName, &pRec->time, &parts)) return r;
  pRec->bTimeKnown = 1;
  pRec->bSecondsGiven = pRec->time.second != 0.0;
  if (bUnknownTime) {
    if (parts.bHasTime) return Fail("--unknown-time のときは日付だけを指定してください: " + sDate);
    // The program's rule for an unknown birth time: provisionally noon.
    pRec->time.hour = 12;
    pRec->bTimeKnown = 0;
  }
  int iRow = kNoPlace;
  if (const int r = TakePlaceOptions(a, pRec, &iRow)) return r;
  if (zone.bGiven) {
    if (const int r = ReadInZone(zone, iRow, sDate, pRec->szName, &pRec->time)) return r;
    pRec->bSecondsGiven = pRec->time.second != 0.0;
  }
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

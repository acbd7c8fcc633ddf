// The clock a birth time was read on: the chooser of the time-and-name
// dialog, the reading read as JST, and the lines of the confirmation box.
#include <cstdio>
#include <cstring>

#include "base/text_sink.h"
#include "chart/place_zones.h"
#include "entry/entry_rules.h"
#include "platform/reports.h"
#include "time/calendar.h"
#include "time/timescale.h"

namespace {

const char kJapanRowText[] = "日本時間";
const char kOffsetRowText[] = "UTC との時差（±時:分）";

const char kJapanGroup[] = "日本時間（24時間制）";
const char kLocalGroup[] = "現地の時計（24時間制）";

const char kNoChooserNotice[] = "この時刻は日本時間で入力します";
const char kUnknownTimeNotice[] = "時間が分からないときは、日本時間の正午で計算します";
const char kZoneRowNotice[] = "夏時間はその土地の規則で判定します";
const char kOffsetRowNotice[] = "UTC との時差を -05:00 のように入力します。その時計が夏時間だったときはチェックします";
const char kFromPlaceNotice[] = "出生地の時計を選びました。日本時間で入力した時刻なら「日本時間」に戻してください";

// The offset JST had on a summer-time clock of Japan.
constexpr ZoneOffset kJapanSummerOffset = {kJstOffsetSeconds + kSummerTimeStep, 1};
constexpr ZoneOffset kJstOffset = {kJstOffsetSeconds, 0};

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// A complete reading of the typed texts (year to minute), checked only as
// far as a notice needs: integers in their ranges.
bool ReadingOfTexts(const TimeEntryTexts& t, DateTime* pReading) {
  int32_t v[5];
  const char* const psz[5] = {t.szYear, t.szMonth, t.szDay, t.szHour, t.szMinute};
  for (int i = 0; i < 5; ++i) {
    if (!ParseIntegerText(psz[i], &v[i])) return false;
  }
  if (v[0] < kFirstEntryYear || v[0] > kLastEntryYear) return false;
  if (v[1] < 1 || v[1] > 12 || v[2] < 1 || v[2] > 31 || v[3] < 0 || v[3] > 23 || v[4] < 0 || v[4] > 59) {
    return false;
  }
  *pReading = DateTime{v[0], v[1], v[2], v[3], v[4], 0.0};
  return true;
}

// "4月 1日  2時00分", or only "3時00分" when the date is that of `before`.
void ClockText(const DateTime& t, const DateTime* pBefore, char* szOut, int cbOut) {
  if (pBefore && pBefore->year == t.year && pBefore->month == t.month && pBefore->day == t.day) {
    PrintField(szOut, cbOut, "%d時%02d分", t.hour, t.minute);
  } else {
    PrintField(szOut, cbOut, "%d月%d日 %d時%02d分", t.month, t.day, t.hour, t.minute);
  }
}

// The refusal of a reading the clocks skipped.
void RefuseSkippedReading(WindowRef hOwner, int iZone, const ZoneConversion& c) {
  char szBefore[48], szAfter[48], szLine1[128], szLine2[128];
  ClockText(c.clockBefore, nullptr, szBefore, sizeof szBefore);
  ClockText(c.clockAfter, &c.clockBefore, szAfter, sizeof szAfter);
  PrintField(szLine1, sizeof szLine1, "時計が %s に %s へ進められ、", szBefore, szAfter);
  const ZoneInfo* z = ZoneAt(iZone);
  PrintField(szLine2, sizeof szLine2, "%sでは、この時刻はありませんでした。", z ? z->szName : "");
  const bool bSummerStarts = c.later.bDst && !c.earlier.bDst;
  AppOkMsg(hOwner, bSummerStarts ? "存在しない時刻です（夏時間の始まり）" : "存在しない時刻です", szLine1, szLine2,
           "時刻を確かめてください。");
}

// The question of a reading the clocks showed twice: kIdYes (the earlier),
// kIdNo (the later) or kIdCancel.
int AskDoubledReading(WindowRef hOwner, int iZone, const ZoneConversion& c) {
  char szBefore[48], szAfter[48], szLine1[128], szEarlier[kZoneTextSize], szLater[kZoneTextSize];
  char szLine2[128], szLine3[128];
  ClockText(c.clockBefore, nullptr, szBefore, sizeof szBefore);
  ClockText(c.clockAfter, &c.clockBefore, szAfter, sizeof szAfter);
  PrintField(szLine1, sizeof szLine1, "時計が %s に %s へ戻されました。", szBefore, szAfter);
  FormatZoneLabel(iZone, c.earlier, szEarlier, sizeof szEarlier);
  FormatZoneLabel(iZone, c.later, szLater, sizeof szLater);
  PrintField(szLine2, sizeof szLine2, "［は い］早いほう：%s", szEarlier);
  PrintField(szLine3, sizeof szLine3, "［いいえ］遅いほう：%s", szLater);
  const bool bSummerEnds = c.earlier.bDst && !c.later.bDst;
  return AppMsgBox(hOwner, bSummerEnds ? "この時刻は２度ありました（夏時間の終わり）" : "この時刻は２度ありました",
                   szLine1, szLine2, szLine3);
}

// The offset edit's text, blanks around it ignored.
bool ParseOffsetText(const char* szText, int32_t* plOffset) {
  char sz[kUtcOffsetTextChars + 1];
  while (IsBlank(*szText)) ++szText;
  PrintField(sz, sizeof sz, "%s", szText);
  size_t n = strlen(sz);
  while (n > 0 && IsBlank(sz[n - 1])) sz[--n] = '\0';
  return ParseUtcOffset(sz, plOffset) != 0;
}

// "+05:30" of an offset (FormatUtcOffset without its "UTC").
void OffsetText(int32_t lOffset, char* szOut, int cbOut) {
  char sz[kZoneTextSize];
  FormatUtcOffset(lOffset, sz, sizeof sz);
  PrintField(szOut, cbOut, "%s", sz + 3);
}

bool IsTableZone(int iZone) { return iZone > kZoneJapan && iZone < ZoneCount(); }

}  // namespace

int ZoneChoiceCount() { return ZoneCount() + 1; }

int ZoneChoiceOffsetRow() { return ZoneCount(); }

int ZoneChoiceText(int iRow, char* szOut, int cbOut) {
  if (iRow == kZoneChoiceJapan) return PrintField(szOut, cbOut, "%s", kJapanRowText);
  if (iRow == ZoneChoiceOffsetRow()) return PrintField(szOut, cbOut, "%s", kOffsetRowText);
  const ZoneInfo* z = IsTableZone(iRow) ? ZoneAt(iRow) : nullptr;
  if (!z) return PrintField(szOut, cbOut, "%s", "");
  // As the place list writes its foreign rows: country－city, the city
  // alone where they are one.
  if (strcmp(z->szCountry, z->szName) == 0) return PrintField(szOut, cbOut, "%s", z->szName);
  return PrintField(szOut, cbOut, "%s－%s", z->szCountry, z->szName);
}

int ZoneOfChoice(int iRow) {
  if (iRow == ZoneChoiceOffsetRow()) return kNoZone;
  return IsTableZone(iRow) ? iRow : kZoneJapan;
}

int ChoiceOfZone(int iZone) {
  if (iZone == kNoZone) return ZoneChoiceOffsetRow();
  return IsTableZone(iZone) ? iZone : kZoneChoiceJapan;
}

bool TimeEntryHasZone(int iMode) { return iMode == kTimeEntryNewData || iMode == kTimeEntryDefaultPerson; }

void MakeZonedTimeEntryForm(int iMode, int iSubMode, BirthRecord* pRec, const TimeZoneEntry& held,
                            const LocalClock& now, TimeEntryForm* pForm, ZoneEntryForm* pZoneForm) {
  ZoneEntryForm& zf = *pZoneForm;
  memset(&zf, 0, sizeof zf);
  zf.iRow = kZoneChoiceJapan;
  zf.iSource = kZoneSourceDefault;
  if (!TimeEntryHasZone(iMode)) {
    MakeTimeEntryForm(iMode, iSubMode, pRec, now, pForm);
    return;
  }
  if (iSubMode == kTimeEntryEditRecord && held.bConverted) {
    // The fields show the reading as the user typed it, not its JST.
    BirthRecord shown = *pRec;
    shown.time = held.local;
    MakeTimeEntryForm(iMode, iSubMode, &shown, now, pForm);
  } else {
    MakeTimeEntryForm(iMode, iSubMode, pRec, now, pForm);
  }
  zf.iRow = ChoiceOfZone(held.iZone);
  zf.iSource = held.iSource;
  if (held.iZone == kNoZone) OffsetText(held.lOffset, zf.szOffset, sizeof zf.szOffset);
  zf.bSummerChecked = held.bSummerTime && (held.iZone == kZoneJapan || held.iZone == kNoZone);
  // A row the user did not choose follows the birthplace.
  const bool bPlaceKnown = held.iPlaceZone == kZoneJapan || IsTableZone(held.iPlaceZone);
  if (held.iSource != kZoneSourceUser && bPlaceKnown) {
    zf.iRow = ChoiceOfZone(held.iPlaceZone);
    zf.bFromPlace = held.iPlaceZone != kZoneJapan;
    zf.iSource = zf.bFromPlace ? kZoneSourcePlace : kZoneSourceDefault;
    zf.bSummerChecked = false;
  }
}

void ZoneEntryLiveState(int iMode, int iRow, bool bFromPlace, bool bTimeKnown, const TimeEntryTexts& texts,
                        ZoneEntryLive* pLive) {
  ZoneEntryLive& l = *pLive;
  l = ZoneEntryLive{false, false, false, kJapanGroup, ""};
  if (!TimeEntryHasZone(iMode)) {
    l.szNotice = kNoChooserNotice;
    return;
  }
  if (!bTimeKnown) {
    l.szNotice = kUnknownTimeNotice;
    return;
  }
  l.bChooserEnabled = true;
  const int iZone = ZoneOfChoice(iRow);
  if (iZone == kNoZone) {
    l.bOffsetEnabled = l.bSummerEnabled = true;
    l.szTimeGroup = kLocalGroup;
    l.szNotice = kOffsetRowNotice;
    return;
  }
  if (iZone != kZoneJapan) {
    l.szTimeGroup = kLocalGroup;
    l.szNotice = bFromPlace ? kFromPlaceNotice : kZoneRowNotice;
    return;
  }
  DateTime reading;
  if (!ReadingOfTexts(texts, &reading)) return;
  const int iClock = JapanSummerTimeAt(reading);
  if (iClock == kJapanStandardTime) return;
  l.bSummerEnabled = true;
  l.szNotice = JapanSummerTimeNotice(iClock);
}

bool ZoneChoiceMayConvert(const ZoneEntryChoice& choice) {
  return !(ZoneOfChoice(choice.iRow) == kZoneJapan && !choice.bSummerTime);
}

int ReadBirthClock(WindowRef hOwner, const char* szDataName, const DateTime& reading, const ZoneEntryChoice& choice,
                   DateTime* pJst, TimeZoneEntry* pZone, int* piFocus) {
  TimeZoneEntry z = *pZone;
  z.iZone = ZoneOfChoice(choice.iRow);
  z.iSource = choice.iSource;
  z.bSummerTime = choice.bSummerTime && (z.iZone == kZoneJapan || z.iZone == kNoZone);
  z.iOccurrence = kZoneEarlier;
  z.bConverted = 0;
  z.local = reading;
  z.applied = kJstOffset;

  ZoneConversion c{};
  bool bConverted = true;
  if (z.iZone == kNoZone) {
    int32_t lOffset = 0;
    if (!ParseOffsetText(choice.szOffset, &lOffset)) {
      AppOkMsg(hOwner, "UTC との時差を確認！", choice.szOffset, "+09:00 や -05:00 のように、符号と時:分で",
               "入力してください（14時間まで）。");
      *piFocus = kFieldUtcOffset;
      return 0;
    }
    z.lOffset = lOffset;
    OffsetToJst(reading, lOffset, z.bSummerTime, &c);
  } else if (z.iZone == kZoneJapan) {
    // 「日本時間」: the tick says the clock kept Japan's summer time; it
    // counts only at a reading of those summers.
    const int iClock = z.bSummerTime ? JapanSummerTimeAt(reading) : kJapanStandardTime;
    if (iClock == kJapanClockSkipped) {
      LocalToJst(kZoneJapan, reading, kZoneEarlier, &c);
      RefuseSkippedReading(hOwner, kZoneJapan, c);
      *piFocus = kFieldHour;
      return 0;
    }
    bConverted = iClock == kJapanSummerTime || iClock == kJapanClockTwice;
    if (bConverted) {
      c.applied = kJapanSummerOffset;
      JapanSummerClockToJst(reading, &c.jst);
    }
  } else {
    LocalToJst(z.iZone, reading, kZoneEarlier, &c);
    if (c.iStatus == kZoneTimeNonexistent) {
      RefuseSkippedReading(hOwner, z.iZone, c);
      *piFocus = kFieldHour;
      return 0;
    }
    if (c.iStatus == kZoneTimeAmbiguous) {
      const int iAnswer = AskDoubledReading(hOwner, z.iZone, c);
      if (iAnswer != kIdYes && iAnswer != kIdNo) {
        *piFocus = kFieldHour;
        return 0;
      }
      if (iAnswer == kIdNo) {
        z.iOccurrence = kZoneLater;
        LocalToJst(z.iZone, reading, kZoneLater, &c);
      }
    }
  }

  DateTime jst = reading;
  if (bConverted) {
    jst = c.jst;
    z.applied = c.applied;
    z.bConverted = 1;
    // The moment stored must lie in the computable years and pass the
    // calendar check (a leap second is one of JST).
    if (jst.year < kFirstEntryYear || jst.year > kLastEntryYear) {
      AppOkMsg(hOwner, "年数を確認！", TimeToStr(&jst), "日本時間に直すと計算", "可能期間(4000 B.C. - 8000 A.D.)の外です。");
      *piFocus = kFieldYear;
      return 0;
    }
  }
  if (bConverted || (reading.second >= 60.0 && ZoneChoiceMayConvert(choice))) {
    if (ValidateDateTime(hOwner, szDataName, jst, 0) != 0) {
      *piFocus = kFieldSeconds;
      return 0;
    }
  }
  *pJst = jst;
  *pZone = z;
  return 1;
}

void NoteBirthplaceZone(int iPlaceMode, int iRow, TimeZoneEntry* pZone) {
  if (iPlaceMode != kPlaceEntryBirth) return;
  pZone->iPlaceZone = iRow >= 0 ? PlaceZone(iRow) : kNoZone;
}

int ZoneConfirmLines(const BirthRecord& rec, const TimeZoneEntry& zone, char* szLocal, int cbLocal, char* szJst,
                     int cbJst) {
  if (!zone.bConverted) return 0;
  char szReading[64], szLabel[kZoneTextSize];
  PrintField(szReading, sizeof szReading, "%s", TimeToStr(&zone.local));
  FormatZoneLabel(zone.iZone, zone.applied, szLabel, sizeof szLabel);
  PrintField(szLocal, cbLocal, "%s  %s", szReading, szLabel);
  PrintField(szJst, cbJst, "%s  日本時間（記録する時刻）", TimeToStr(&rec.time));
  return 1;
}

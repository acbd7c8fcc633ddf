// The time-and-name dialog: its presets by mode and its accepting steps.
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "base/shift_jis.h"
#include "base/text_sink.h"
#include "entry/entry_rules.h"
#include "platform/reports.h"
#include "time/calendar.h"

namespace {

const char kNoNameNeeded[] = "( 名前の入力は不要 )";
const char kNoName[] = "(No Name)";
const char kProgressedMark[] = "ﾌﾟﾛｸﾞﾚｽ";
const char kTransitMark[] = "ﾄﾗﾝｼﾞｯﾄ";

// How a mode presets and locks the fields of a fresh entry.
struct ModeRule {
  int iMode;
  const char* szTitle;
  bool bFirstOfYear;   // month = day = 1, hour = minute = 0, all but the year locked
  bool bFirstOfMonth;  // day = 1, hour = minute = 0, day, hour and minute locked
  const char* szNameMark;  // "%s(%s)" with this mark and the record's name, locked
  bool bNoName;        // "( 名前の入力は不要 )", locked
};

const ModeRule kModeRules[] = {
    {kTimeEntryNewData, "誕生日と生まれた時間を指定してください", false, false, nullptr, false},
    {kTimeEntryDefaultPerson, "デフォルトの出生データ登録", false, false, nullptr, false},
    {kTimeEntrySunIngress, "星座境界時刻リスト：年の指定", true, false, nullptr, true},
    {kTimeEntrySolarTerms, "節入り：年の指定", true, false, nullptr, true},
    {kTimeEntryMoonPhases, "月のこよみ：計算基準点の指定", false, false, nullptr, true},
    {kTimeEntryMoonIngress, "月の星座境界リスト：年と月の指定", false, true, nullptr, true},
    {kTimeEntrySeason, "春分図：年の指定", true, false, nullptr, true},
    {kTimeEntryEphemeris, "エフェメリス：初めの時刻の指定", false, false, nullptr, true},
    {kTimeEntryProgressed, "プログレス：時刻の指定", false, false, kProgressedMark, false},
    {kTimeEntryTransit, "トランジット：時刻の指定", false, false, kTransitMark, false},
};
// Any other mode: the transit mark and the title "(11)".
const ModeRule kOtherMode = {-1, "(11)", false, false, kTransitMark, false};

const ModeRule& RuleOf(int iMode) {
  for (const ModeRule& r : kModeRules) {
    if (r.iMode == iMode) return r;
  }
  return kOtherMode;
}

// Writes one field's text through the bounded printf (cut, if ever, without
// splitting a double-byte character).
void SetText(TimeEntryForm* f, int iField, const char* szFormat, ...) HORO_PRINTF_LIKE(3, 4);
void SetText(TimeEntryForm* f, int iField, const char* szFormat, ...) {
  TextSink sink;
  SinkStart(&sink, f->szText[iField], static_cast<int>(sizeof f->szText[iField]));
  va_list args;
  va_start(args, szFormat);
  SinkVPrintf(&sink, szFormat, args);
  va_end(args);
}

// Seconds of a record shown for editing: "%04.1f", with more decimals
// (up to six) when the record holds them, so that accepting the dialog
// unchanged keeps the seconds as they were.
void FormatRecordSeconds(double dSeconds, char* szOut, size_t cbOut) {
  snprintf(szOut, cbOut, "%09.6f", dSeconds);
  size_t n = strlen(szOut);
  const char* pPoint = strchr(szOut, '.');
  if (!pPoint) return;
  const size_t iKeep = static_cast<size_t>(pPoint - szOut) + 2;  // one decimal at least
  while (n > iKeep && szOut[n - 1] == '0') szOut[--n] = '\0';
}

void FillDateFields(TimeEntryForm* f, const DateTime& t) {
  SetText(f, kFieldYear, "%d", t.year);
  SetText(f, kFieldMonth, "%d", t.month);
  SetText(f, kFieldDay, "%d", t.day);
  SetText(f, kFieldHour, "%d", t.hour);
  SetText(f, kFieldMinute, "%d", t.minute);
}

// Sub-mode 101: the working record as it stands.
void FormFromRecord(const BirthRecord& rec, TimeEntryForm* f) {
  FillDateFields(f, rec.time);
  FormatRecordSeconds(rec.time.second, f->szText[kFieldSeconds], sizeof f->szText[kFieldSeconds]);
  SetText(f, kFieldName, "%s", rec.bSave ? rec.szName : "");
  const bool bKnown = rec.bTimeKnown != 0;
  const bool bSeconds = rec.bSecondsGiven == 1;
  f->bUnknownTimeChecked = !bKnown;
  f->bUnknownTimeEnabled = !bSeconds;
  f->bSecondsChecked = bSeconds;
  f->bSecondsEnabled = bKnown;
  f->bEnabled[kFieldSeconds] = bSeconds;
  f->bEnabled[kFieldHour] = bKnown;
  f->bEnabled[kFieldMinute] = bKnown;
}

// Any other sub-mode: the local time with the presets of the mode.
void FormFromClock(int iMode, int iSubMode, BirthRecord* pRec, const LocalClock& now, TimeEntryForm* f) {
  const ModeRule& rule = RuleOf(iMode);
  DateTime t{now.year, now.month, now.day, now.hour, now.minute, 0.0};
  bool bLocked[kNumTimeEntryFields] = {};
  if (rule.bFirstOfYear) {
    t.month = t.day = 1;
    t.hour = t.minute = 0;
    bLocked[kFieldMonth] = bLocked[kFieldDay] = bLocked[kFieldHour] = bLocked[kFieldMinute] = true;
  }
  if (rule.bFirstOfMonth) {
    t.day = 1;
    t.hour = t.minute = 0;
    bLocked[kFieldDay] = bLocked[kFieldHour] = bLocked[kFieldMinute] = true;
  }
  // The ephemeris step: whole days start at 00:00, whole hours at :00.
  if (iMode == kTimeEntryEphemeris && iSubMode > 300) {
    t.hour = t.minute = 0;
    bLocked[kFieldHour] = bLocked[kFieldMinute] = true;
  } else if (iMode == kTimeEntryEphemeris && iSubMode > 200) {
    t.minute = 0;
    bLocked[kFieldMinute] = true;
  }
  pRec->bTimeKnown = 1;
  pRec->bSecondsGiven = (iMode == kTimeEntryEphemeris && iSubMode < 0) ? 1 : 0;

  FillDateFields(f, t);
  SetText(f, kFieldSeconds, "00.0");
  if (rule.bNoName) {
    SetText(f, kFieldName, "%s", kNoNameNeeded);
    bLocked[kFieldName] = true;
  } else if (rule.szNameMark) {
    SetText(f, kFieldName, "%s(%s)", rule.szNameMark, pRec->szName);
    bLocked[kFieldName] = true;
  }
  for (int i = 0; i < kNumTimeEntryFields; ++i) f->bEnabled[i] = !bLocked[i];
  const bool bSeconds = pRec->bSecondsGiven == 1;
  f->bSecondsChecked = bSeconds;
  f->bEnabled[kFieldSeconds] = bSeconds;
  // A locked minute locks both check boxes.
  f->bUnknownTimeEnabled = !bSeconds && !bLocked[kFieldMinute];
  f->bSecondsEnabled = !bLocked[kFieldMinute];
}

// Field to focus after ValidateDateTime refused with result r (message + 1).
int FieldOfDateMessage(int r) {
  switch (r - 1) {
    case 0: return kFieldYear;
    case 1: return kFieldMonth;
    case 7: return kFieldHour;
    case 8: return kFieldMinute;
    case 9:
    case 10: return kFieldSeconds;
    default: return kFieldDay;
  }
}

bool ParseYear(const char* szText, int32_t* piYear) {
  double d = 0.0;
  if (!ParseDecimalText(szText, &d) || d != std::floor(d)) return false;
  if (d < kFirstEntryYear || d > kLastEntryYear) return false;
  *piYear = static_cast<int32_t>(d);
  return true;
}

void StoreName(BirthRecord* pRec, const char* szName) {
  memset(pRec->szName, 0, sizeof pRec->szName);
  snprintf(pRec->szName, sizeof pRec->szName, "%s", szName);
}

// Step 8, modes 0 and 60001.  Returns 1 when the name is settled.
int AcceptName(WindowRef hOwner, int iMode, const char* szTyped, BirthRecord* pRec) {
  char szName[kNameTextBytes + 1];
  snprintf(szName, sizeof szName, "%s", szTyped);
  if (strlen(szName) > static_cast<size_t>(kMaxEntryNameBytes)) {
    if (AppOkCancelMsg(hOwner, "とても長い名前！", szName, "  ファイリングの都合上、31文字めより",
                       "あとはカットして記録します。") != 1) {
      return 0;
    }
    // Cut between characters: a double-byte character that would straddle
    // the 30th byte is not split (a lone lead byte would spoil the name).
    CutDoubleByteSafe(szName, kMaxEntryNameBytes);
  }
  if (szName[0]) {
    StoreName(pRec, szName);
    pRec->bSave = 1;
    return 1;
  }
  if (iMode == kTimeEntryDefaultPerson) {
    PlatformMessageBox(hOwner, "名前を入力してください", "デフォルトの出生データ", kMbOk | kMbIconWarning);
    return 0;
  }
  StoreName(pRec, kNoName);
  pRec->bSave = 0;
  return 1;
}

}  // namespace

const char* TimeEntryTitle(int iMode) { return RuleOf(iMode).szTitle; }

void MakeTimeEntryForm(int iMode, int iSubMode, BirthRecord* pRec, const LocalClock& now,
                       TimeEntryForm* pForm) {
  memset(pForm, 0, sizeof *pForm);
  for (bool& b : pForm->bEnabled) b = true;
  if (iSubMode == kTimeEntryEditRecord) {
    FormFromRecord(*pRec, pForm);
  } else {
    FormFromClock(iMode, iSubMode, pRec, now, pForm);
  }
}

namespace {

// The accepting steps; with a choice of clock (pChoice, pZone) the reading
// is read on it between the calendar check and the provisional noon.
int AcceptSteps(WindowRef hOwner, int iMode, const TimeEntryTexts& texts, const ZoneEntryChoice* pChoice,
                BirthRecord* pRec, TimeZoneEntry* pZone, int* piFocus) {
  BirthRecord r = *pRec;
  *piFocus = kFieldYear;

  // Step 2: the year.
  if (!ParseYear(texts.szYear, &r.time.year)) {
    AppOkMsg(hOwner, "年数を確認！", texts.szYear, "入力が未完了か、正しくないか、または計算",
             "可能期間(4000 B.C. - 8000 A.D.)の外です。");
    return 0;
  }
  if (r.time.year == 0 &&
      AppMsgBox(hOwner, "確認", "年数はゼロ ( = 紀元前 1年 )で", "よろしいですか？", "") != kIdYes) {
    return 0;
  }

  // Step 3: month, day, hour and minute.
  const char* const pszInts[4] = {texts.szMonth, texts.szDay, texts.szHour, texts.szMinute};
  int32_t* const piInts[4] = {&r.time.month, &r.time.day, &r.time.hour, &r.time.minute};
  int iMissing = -1;
  for (int i = 3; i >= 0; --i) {
    if (!ParseIntegerText(pszInts[i], piInts[i])) iMissing = kFieldMonth + i;
  }

  // Step 4: the seconds.
  r.time.second = 0.0;
  if (r.bSecondsGiven == 1 && !ParseDecimalText(texts.szSeconds, &r.time.second)) {
    AppOkMsg(hOwner, "秒を確認！", texts.szSeconds, "「秒を指定」をチェックしているのに",
             "秒が未入力、または秒の入力が不正");
    *piFocus = kFieldSeconds;
    return 0;
  }

  // Step 5: a missing integer.
  if (iMissing >= 0) {
    AppOkMsg(hOwner, "入力が不足！", "  月、日、時、分のなかに指定されて", "いない項目があります。",
             "  指定してください。");
    *piFocus = iMissing;
    return 0;
  }

  // An unknown time stands at noon JST, whatever the locked fields show.
  if (!r.bTimeKnown) {
    r.time.hour = 12;
    r.time.minute = 0;
    r.time.second = 0.0;
  }

  // Step 6: the calendar check.  A reading of another clock stands a leap
  // second in the last second of its minute: it is checked once JST.
  const bool bOnClock = pChoice && r.bTimeKnown;
  DateTime checked = r.time;
  if (bOnClock && ZoneChoiceMayConvert(*pChoice) && checked.second >= 60.0) checked.second = 59.0;
  const int iRefused = ValidateDateTime(hOwner, r.szName, checked, 0);
  if (iRefused != 0) {
    *piFocus = FieldOfDateMessage(iRefused);
    return 0;
  }

  // The clock of the reading: its JST moment.  An unknown time is JST noon.
  TimeZoneEntry zone{};
  if (pChoice) {
    zone = *pZone;
    if (bOnClock) {
      if (!ReadBirthClock(hOwner, r.szName, r.time, *pChoice, &r.time, &zone, piFocus)) return 0;
    } else {
      zone.iZone = ZoneOfChoice(pChoice->iRow);
      zone.iSource = pChoice->iSource;
      zone.bSummerTime = pChoice->bSummerTime;
      zone.bConverted = 0;
    }
  }

  // Step 7: the provisional noon.
  if (!r.bTimeKnown) {
    AppOkMsg(hOwner, "仮の出生時刻を日本時間正午にします", "  このチャートは太陽位置を第１カスプとして",
             "表示します。アセンダント、ＭＣは、仮の時刻", "に対する仮のものです。");
  }

  // Step 8: the name.
  if (iMode == kTimeEntryNewData || iMode == kTimeEntryDefaultPerson) {
    if (!AcceptName(hOwner, iMode, texts.szName, &r)) {
      *piFocus = kFieldName;
      return 0;
    }
  } else if (iMode == kTimeEntrySeason) {
    StoreName(&r, "春分図");
  }

  *pRec = r;
  if (pChoice) *pZone = zone;
  return 1;
}

}  // namespace

int AcceptTimeEntry(WindowRef hOwner, int iMode, const TimeEntryTexts& texts, BirthRecord* pRec,
                    int* piFocus) {
  return AcceptSteps(hOwner, iMode, texts, nullptr, pRec, nullptr, piFocus);
}

int AcceptZonedTimeEntry(WindowRef hOwner, int iMode, const TimeEntryTexts& texts, const ZoneEntryChoice& choice,
                         BirthRecord* pRec, TimeZoneEntry* pZone, int* piFocus) {
  if (!TimeEntryHasZone(iMode)) return AcceptTimeEntry(hOwner, iMode, texts, pRec, piFocus);
  return AcceptSteps(hOwner, iMode, texts, &choice, pRec, pZone, piFocus);
}

// HoromiraMain, the chart driver, in its named steps.
#include "chart/chart_driver.h"

#include <cmath>
#include <cstdlib>
#include <cstring>

#include "base/angles.h"
#include "base/text_sink.h"
#include "chart/chart_text.h"
#include "chart/houses.h"
#include "ephemeris/ephemeris.h"
#include "platform/reports.h"
#include "time/timescale.h"

namespace {

// 1 / 365.24219: progressed days per elapsed day.
constexpr double kProgressionRate = 0.0027379093307922614;
// Width of the header and time lines once the chart is complete, bytes.
constexpr int kFittedLineWidth = 70;
// Pluto's series is valid for these target years only.
constexpr int kPlutoFirstYear = 1885;
constexpr int kPlutoLastYear = 2099;
// Ages of this size or more are not shown.
constexpr int kAgeLimit = 10000;

// Everything a step needs to know about the call.
struct ChartRequest {
  const BirthRecord& target;
  const BirthRecord& natal;
  int iKind;  // 0, 1, 2
  int iReturnAge;
  double dHarmonic;
  int iOrigin;
};

// The moment of a chart: civil time (JST) and, for progressed charts, the
// figures of the progression report.
struct ChartMoment {
  DateTime civil;
  long double ldJdBirth;   // JDb
  long double ldJdTarget;  // JDt
  double dElapsedDays;
  double dProgressedDays;
};

struct ChartLabels {
  char szHarmonic[64];
  char szAge[32];
};

// Writes a text into a fixed field, or appends one; a text too long for the
// field is cut without splitting a double-byte character.
#define SET_TEXT(field, ...) PrintField(field, static_cast<int>(sizeof(field)), __VA_ARGS__)

void AppendText(char* szField, int cbField, const char* szText) {
  TextSink sink;
  SinkResume(&sink, szField, cbField);
  SinkAppend(&sink, szText);
}
#define APPEND_TEXT(field, text) AppendText(field, static_cast<int>(sizeof(field)), text)

// Name fields of a record read from a file need not end inside the field.
#define FIELD(sz) static_cast<int>(sizeof(sz)), sz

bool IsSeasonChart(int iOrigin) { return iOrigin >= kOriginVernal && iOrigin <= kOriginWinter; }

void MakeLabels(const ChartRequest& r, ChartLabels* pLabels) {
  if (r.dHarmonic == 1.0) {
    SET_TEXT(pLabels->szHarmonic, "基音");
  } else if (r.dHarmonic == std::floor(r.dHarmonic)) {
    SET_TEXT(pLabels->szHarmonic, "第%.0f倍音", r.dHarmonic);
  } else {
    SET_TEXT(pLabels->szHarmonic, "第%+f倍音", r.dHarmonic);
  }
  pLabels->szAge[0] = '\0';
  if (r.iOrigin == kOriginHorary || IsSeasonChart(r.iOrigin)) return;
  const int iAge = GetAge(r.natal, r.target);
  if (std::abs(iAge) < kAgeLimit) SET_TEXT(pLabels->szAge, "(%d歳)", iAge);
}

// Steps 2 and 4: title, subtitle and header line 0.
void WriteKindTexts(const ChartRequest& r, const ChartLabels& l, ChartRecord* c) {
  static const char* const kKindNames[3] = {"ネイタル", "プログレス", "トランジット"};
  const bool bReturn = r.iReturnAge != 0;
  c->szTitle[0] = '\0';
  if (r.iKind != kChartTransit || bReturn) SET_TEXT(c->szTitle, "%.*s: ", FIELD(r.natal.szName));
  if (r.iKind == kChartNatal) {
    SET_TEXT(c->szSubtitle, "出生図 %s", l.szHarmonic);
    APPEND_TEXT(c->szTitle, "出生図 ");
  } else {
    APPEND_TEXT(c->szTitle, r.iKind == kChartProgressed ? "ﾌﾟﾛｸﾞﾚｽ " : bReturn ? "ﾘﾀｰﾝ " : "ﾄﾗﾝｼﾞｯﾄ ");
    if (bReturn) {
      SET_TEXT(c->szSubtitle, "★%3d歳のｿｰﾗｰﾘﾀｰﾝ図 : %s", r.iReturnAge, l.szHarmonic);
    } else {
      SET_TEXT(c->szSubtitle, "下記時刻に対する%s%s", l.szHarmonic, l.szAge);
    }
  }
  if (r.dHarmonic != 1.0) APPEND_TEXT(c->szTitle, l.szHarmonic);
  if (bReturn) {
    SET_TEXT(c->szHeader[0], "%.*s － ソーラーリターン : %d.0歳(回帰年)", FIELD(r.natal.szName), r.iReturnAge);
  } else {
    SET_TEXT(c->szHeader[0], "%.*s － %s%s%s", FIELD(r.natal.szName), kKindNames[r.iKind], l.szHarmonic,
             l.szAge);
  }
}

// Step 5: the time lines, the born line and the place lines.
void WriteTimeAndPlaceTexts(const ChartRequest& r, ChartRecord* c) {
  SET_TEXT(c->szTimeLine, "%s", TimeToStr(&r.target.time));
  SET_TEXT(c->szHeader[1], "%s", TimeToStrL(&r.target.time));
  SET_TEXT(c->szBornLine, "%s %.*s 生まれ", TimeToStr(&r.natal.time), FIELD(r.natal.szBirthPlace));
  static const char* const kPlaceLabels[3] = {"出生", "進行", "経過"};
  const char* szLabel = r.iReturnAge != 0 ? "回帰" : kPlaceLabels[r.iKind];
  SET_TEXT(c->szPlaceLine, " %s地  %.*s", szLabel, FIELD(r.target.szBirthPlace));
  SET_TEXT(c->szHeader[2], "  %s地  %.*s", szLabel, FIELD(r.target.szBirthPlace));
}

// Step 6: JD(UT) of the chart and its civil time.  A progressed chart
// stands one day after birth for every tropical year lived.
ChartMoment SetChartMoment(const ChartRequest& r, ChartRecord* c) {
  ChartMoment m{};
  if (r.iKind == kChartProgressed) {
    m.ldJdTarget = DateToJd(r.target.time, kJstZoneHours);
    m.ldJdBirth = DateToJd(r.natal.time, kJstZoneHours);
    const long double ldElapsed = m.ldJdTarget - m.ldJdBirth;
    m.dElapsedDays = static_cast<double>(ldElapsed);
    m.dProgressedDays = static_cast<double>(ldElapsed * static_cast<long double>(kProgressionRate));
    c->ldJd = m.ldJdBirth + static_cast<long double>(m.dProgressedDays);
    JdToDate(c->ldJd + kJstZoneDays, &m.civil);
  } else {
    m.civil = r.target.time;
    SET_TEXT(c->szTime[1], "タイムゾーン :  UT%+7.3f時間", static_cast<double>(kJstZoneHours));
    c->ldJd = DateToJd(r.target.time, kJstZoneHours);
  }
  return m;
}

// Step 8: sidereal time, angles and houses; a failure is shown and the
// chart goes on (an angle not computed stays at 0).
void ComputeAngles(const ChartRequest& r, const ChartMoment& m, PositionData* pd, ChartRecord* c) {
  const int iResult = GetAscEx(m.civil, kJstZoneHours, r.target.dBirthLat, r.target.dBirthLong, 1, pd, c);
  if (iResult == kAscExOk) return;
  char sz[64];
  if (iResult == kAscExPole) {
    SET_TEXT(sz, "極点でのｱｾﾝﾀﾞﾝﾄを求めようとした");
  } else {
    SET_TEXT(sz, "!GetAscEx ErrorCode=%d", iResult);
  }
  PlatformMessageBox(nullptr, sz, nullptr, kMbOk | kMbIconWarning);
}

// Step 9: the Sun, planets, Pluto, Moon and nodes.
void ComputeBodies(const ChartRequest& r, long double ldJde, PositionData* pd) {
  GetPositionData(ldJde, pd, -1);
  if (IsSeasonChart(r.iOrigin)) pd->dLong[Sun] = (r.iOrigin - kOriginVernal) * 90.0;
  double dNode = 0.0;
  pd->dLong[Moon] = GetMoonData(static_cast<double>(ldJde), &dNode, nullptr);
  pd->dLong[DragonH] = dNode;
  pd->dLong[DragonT] = dNode - 180.0;
}

void WriteOutOfPeriod(int i, ChartRecord* c) {
  SET_TEXT(c->szShort[i], " 計算可能期間外");
  FitText(c->szShort[i], static_cast<int>(strlen(c->szShort[0])));
  SET_TEXT(c->szDetail[i], " %s 計算可能期間外", kChartPointLabels[i]);
  FitText(c->szDetail[i], static_cast<int>(strlen(c->szDetail[0])));
  c->dLong[i] = -1.0;
}

// Step 10: longitudes times the harmonic, short and detailed lines.
void WritePointLines(const ChartRequest& r, PositionData* pd, ChartRecord* c) {
  const int iYear = r.target.time.year;
  const bool bPluto = iYear >= kPlutoFirstYear && iYear <= kPlutoLastYear;
  for (int i = 0; i < kNumChartPoints; ++i) {
    if (i == Pluto && !bPluto) {
      WriteOutOfPeriod(i, c);
      continue;
    }
    Angle a;
    LongitudeToAngle(Normalize360(pd->dLong[i] * r.dHarmonic), &a);
    c->dLong[i] = a.lon;
    if (pd->mv[i] > kMotionStationaryRetrograde) {
      ReportPlaceKind("HoromiraMain", "OOR/pd.mv[i]", 0);
      pd->mv[i] = kMotionDirect;
    }
    Angle shown = a;
    RoundAngleForDisplay(&shown, 0);
    SetShortDataString(c->szShort[i], sizeof c->szShort[i], shown, kMotionMarks[pd->mv[i]]);
    SetDataStringD(c->szDetail[i], kLineDetail, kChartPointLabels[i], a, kMotionWords[pd->mv[i]]);
  }
}

// Step 11: a progressed chart's time view shows how it was progressed.
void WriteProgressionReport(const ChartRequest& r, const ChartMoment& m, ChartRecord* c) {
  char(*t)[kLineDetail] = c->szTime;
  SET_TEXT(t[1], "★ 1太陽日 for 1回帰年 (厳密な1日1年法)");
  SET_TEXT(t[2], "出生時刻           %s", TimeToStrL(&r.natal.time));
  SET_TEXT(t[3], "ユリウス日 (UT) %20Lf", m.ldJdBirth);
  t[4][0] = '\0';
  SET_TEXT(t[5], "ﾌﾟﾛｸﾞﾚｽ計算の実時刻%s", c->szHeader[1]);
  SET_TEXT(t[6], "ユリウス日 (UT) %20Lf", m.ldJdTarget);
  t[7][0] = '\0';
  SET_TEXT(t[8], "経過した実時間  %+20f日 = %+f回帰年", m.dElapsedDays, m.dProgressedDays);
  SET_TEXT(t[9], "    ★ 生まれてから何日たったかです");
  t[10][0] = '\0';
  SET_TEXT(t[11], "ﾁｬｰﾄ上の進行時間%+20f日", m.dProgressedDays);
  SET_TEXT(t[12], "対応する仮想時刻   %s", TimeToStrL(&m.civil));
  SET_TEXT(t[13], "ユリウス日 (UT) %20Lf", c->ldJd);
}

// Step 12: header and time lines are shown at one width.
void FitChartLines(ChartRecord* c) {
  for (int i = 0; i < 4; ++i) FitText(c->szHeader[i], kFittedLineWidth);
  for (int i = 0; i < 14; ++i) FitText(c->szTime[i], kFittedLineWidth);
}

void ComputeChart(const ChartRequest& r, ChartRecord* c, PositionData* pd) {
  memset(pd, 0, sizeof *pd);
  c->iReturnAge = r.iReturnAge;
  c->fHarmonic = static_cast<float>(r.dHarmonic);
  ChartLabels labels;
  MakeLabels(r, &labels);
  WriteKindTexts(r, labels, c);
  WriteTimeAndPlaceTexts(r, c);
  const ChartMoment m = SetChartMoment(r, c);
  SetChartTimeScales(c->ldJd, r.target.time.second, c);
  ComputeAngles(r, m, pd, c);
  ComputeBodies(r, c->ldJde, pd);
  WritePointLines(r, pd, c);
  if (r.iKind == kChartProgressed) WriteProgressionReport(r, m, c);
  FitChartLines(c);
}

}  // namespace

int HoromiraMain(const BirthRecord& target, const BirthRecord& natal, ChartRecord* pChart, int iKind,
                 int iReturnAge, double dHarmonic, int iOrigin, PositionData* pPositions) {
  // The records may live inside *pChart (a chart recomputed from its own
  // copies): work from copies taken before anything is written.
  const BirthRecord targetCopy = target;
  const BirthRecord natalCopy = natal;
  try {
    pChart->wKind = static_cast<uint16_t>(iKind & 0xFF);
    pChart->target = targetCopy;
    pChart->natal = natalCopy;
    // Only the low byte of the kind is kept; the texts know kinds 0..2 and
    // read any other kind as a transit chart.
    int iStoredKind = iKind & 0xFF;
    if (iStoredKind > kChartTransit) iStoredKind = kChartTransit;
    const ChartRequest r{targetCopy, natalCopy, iStoredKind, iReturnAge, dHarmonic, iOrigin};
    PositionData pd;
    ComputeChart(r, pChart, &pd);
    if (pPositions) *pPositions = pd;
  } catch (...) {
    // Nothing the steps call throws today: they compute and write bounded
    // texts into fixed fields.  The handler keeps the driver's promise for a
    // step that may throw later (an allocation, say): the failure box, and
    // the chart keeps what was written.  Processor exceptions are no C++
    // exceptions and never reach this handler.
    ReportFailure(nullptr, "exception in HoromiraMain");
  }
  return 0;
}

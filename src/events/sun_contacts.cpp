// The Sun's contacts with given longitudes: sign ingresses, solar terms and
// the listings of the ingresses of a year and of the terms around a moment.
#include <cmath>

#include "base/text_sink.h"
#include "ephemeris/ephemeris.h"
#include "events/events.h"
#include "platform/reports.h"
#include "time/timescale.h"

namespace {

// Mean rate assumed for the first step of the Sun's search, degrees per day.
constexpr double kSunFirstRate = 1.0;
// Room an entry of a Sun listing needs, bytes.
constexpr int kSunEntryRoom = 128;
// Each search of the term listing starts this many days before the previous
// result, so that the first one, up to a month in the past, is found.
constexpr double kTermLookBackDays = 60.0;

int SignOf(double dLong) {
  const int s = static_cast<int>(std::floor(dLong / 30.0));
  return s < 0 ? 0 : (s > 11 ? 11 : s);
}

bool IsSunListing(int iCommand) {
  return iCommand == kCmdSunIngressList || iCommand == kCmdSolarTermList ||
         iCommand == kCmdAlmanac;
}

// A Sun listing being built: the command and what the term listing fixes
// at its start.
struct SunListing {
  int iCommand;
  int iYear;     // year of the yearly listings
  double dJde;   // the moment of the term listing, JDE
  int iSign;     // the Sun's sign at that moment
};

void SunListingStart(const DateTime& jst, int iCommand, SunListing* pList) {
  pList->iCommand = iCommand;
  pList->iYear = jst.year;
  pList->dJde = 0.0;
  pList->iSign = 0;
  if (iCommand == kCmdAlmanac) {
    pList->dJde = static_cast<double>(JstToJde(jst));
    pList->iSign = SignOf(SunLongitude(pList->dJde));
  }
}

int SunListingCount(const SunListing& list) { return list.iCommand == kCmdAlmanac ? 4 : 12; }

// What entry i of a listing searches: its kind and sign go to pEntry, the
// start and the target longitude to pdFrom and pdTarget.  pPrev is entry
// i - 1 with its moment (null for the first): the term listing chains its
// searches, and in a yearly listing no term comes twice.
void SunListingTarget(const SunListing& list, int i, const EventEntry* pPrev, EventEntry* pEntry,
                      double* pdFrom, double* pdTarget) {
  const double dPrevJde = pPrev ? pPrev->dJde : 0.0;
  pEntry->dJde = 0.0;
  if (list.iCommand == kCmdAlmanac) {
    // The last ingress, the mid-sign crossing after it, the next ingress
    // and the mid-sign crossing after that.
    const int s = list.iSign;
    const int k = i < 2 ? s : (s + 1) % 12;
    pEntry->iKind = i % 2 == 0 ? kEventSunIngress : kEventSunMidSign;
    pEntry->iSign = k;
    pEntry->iFrom = i % 2 == 0 ? (k + 11) % 12 : -1;
    *pdTarget = 30.0 * s + 15.0 * i;
    *pdFrom = (i == 0 ? list.dJde : dPrevJde) - kTermLookBackDays;
    return;
  }
  // The yearly listings search from 00:00 JST on the first of each month.
  const DateTime first = {list.iYear, i + 1, 1, 0, 0, 0.0};
  *pdFrom = static_cast<double>(JstToJde(first));
  const double dLong = SunLongitude(*pdFrom);
  const int s = SignOf(dLong);
  const int n = (s + 1) % 12;
  // Past the 15° point of its sign the Sun next crosses that of the
  // following sign.
  int k = list.iCommand == kCmdSunIngressList || dLong - 30.0 * s >= 15.0 ? n : s;
  if (pPrev && k != (pPrev->iSign + 1) % 12) {
    // Where a month holds no term or two (the calendar reform of 1582
    // skips ten days; far from our era the terms drift to the first and
    // last days of the months), the first day of a month would find a
    // term again or pass one by: the term after the previous one follows
    // instead, searched from that one's moment, so that every term comes
    // once and in order.
    k = (pPrev->iSign + 1) % 12;
    *pdFrom = dPrevJde;
  }
  if (list.iCommand == kCmdSunIngressList) {
    pEntry->iKind = kEventSunIngress;
    pEntry->iSign = k;
    pEntry->iFrom = (k + 11) % 12;
    *pdTarget = 30.0 * k;
  } else {
    pEntry->iKind = kEventSunMidSign;
    pEntry->iSign = k;
    pEntry->iFrom = -1;
    *pdTarget = 30.0 * k + 15.0;
  }
}

// The text of an entry of a yearly listing that precedes its time.
void AppendYearlyEntryHead(TextSink* pSink, const SunListing& list, int iMonth,
                           const EventEntry& e) {
  if (list.iCommand == kCmdSunIngressList) {
    SinkPrintf(pSink, "%5d年%2d月の イングレス <%s>\r\n  太陽が %s から %s へ移動\r\n    ",
               list.iYear, iMonth, kPrincipalTerms[e.iSign], kSignHiragana[e.iFrom],
               kSignHiragana[e.iSign]);
  } else {
    SinkPrintf(pSink, "  %s ( 太陽が %s 15.0度を通過 )\r\n    ", kSectionalTerms[e.iSign],
               kSignHiragana[e.iSign]);
  }
}

}  // namespace

double SunLongitude(double dJde) {
  return GetPositionData(static_cast<long double>(dJde), nullptr, 0);
}

double GetNextSunContactJde(double dStartJde, double dTarget) {
  return FindContactJde(dStartJde, dTarget, SunLongitude, kSunFirstRate, "!GetNextSunContactJde");
}

int CollectSunContacts(const DateTime& jst, int iCommand, EventEntry* pEntries, int iMax,
                       bool* pbFailed) {
  *pbFailed = false;
  if (!IsSunListing(iCommand)) return ReportPlaceKind("CollectSunContacts", "OOR/iCommand", 0);
  SunListing list;
  SunListingStart(jst, iCommand, &list);
  int i = 0;
  for (; i < SunListingCount(list) && i < iMax; ++i) {
    double dFrom, dTarget;
    SunListingTarget(list, i, i > 0 ? &pEntries[i - 1] : nullptr, &pEntries[i], &dFrom, &dTarget);
    pEntries[i].dJde = GetNextSunContactJde(dFrom, dTarget);
    if (pEntries[i].dJde == 0.0) {
      *pbFailed = true;
      return i;
    }
  }
  return i;
}

int GetSunIngressT(const DateTime* pTime, char* szOut, int cbOut, int iCommand) {
  if (!pTime || !szOut || cbOut <= 0) return ReportFatal("GetSunIngressT.Arg?");
  if (!IsSunListing(iCommand)) return ReportPlaceKind("GetSunIngressT", "OOR/iCommand", 0);
  TextSink sink;
  SinkStart(&sink, szOut, cbOut);
  SinkAppend(&sink, "\r\n");
  SunListing list;
  SunListingStart(*pTime, iCommand, &list);
  EventEntry prev{};
  for (int i = 0; i < SunListingCount(list); ++i) {
    if (SinkRoom(sink) < kSunEntryRoom) {
      ReportBox(nullptr, "テキストが長すぎるので途中で打ち切ります", kMbOk | kMbIconInformation);
      return 1;
    }
    EventEntry e;
    double dFrom, dTarget;
    SunListingTarget(list, i, i > 0 ? &prev : nullptr, &e, &dFrom, &dTarget);
    if (iCommand != kCmdAlmanac) AppendYearlyEntryHead(&sink, list, i + 1, e);
    e.dJde = GetNextSunContactJde(dFrom, dTarget);
    if (e.dJde == 0.0) return 0;
    DateTime when;
    JdeToJst(e.dJde, &when);
    if (iCommand == kCmdAlmanac) {
      const bool bIngress = e.iKind == kEventSunIngress;
      SinkPrintf(&sink, "  %s: 太陽が %s座%s\r\n    %s\r\n",
                 bIngress ? kPrincipalTerms[e.iSign] : kSectionalTerms[e.iSign],
                 kSignHiragana[e.iSign], bIngress ? "に入る" : "15.0度を通過", TimeToStrP1(&when));
    } else {
      SinkPrintf(&sink, "%s\r\n", TimeToStrP1(&when));
    }
    prev = e;
  }
  return 1;
}

// zone_probe: the zone routines of the engine on readings given on stdin,
// for tests/check_zones.py, which compares its answers with Python's
// zoneinfo.
//
//   zone_probe --zones   the tz database version, then "INDEX TZNAME" a line
//   zone_probe           reads queries, one a line, and answers each:
//     L ZONE Y M D h m s OCCURRENCE   LocalToJst: "STATUS APPLIED_OFFSET DST
//                                     EARLIER_OFFSET DST LATER_OFFSET DST
//                                     JST CLOCK_BEFORE CLOCK_AFTER"
//     J ZONE Y M D h m s              JstToZoneTime: "LOCAL OFFSET DST"
//     U ZONE UTC_SECONDS              ZoneOffsetAtUtc: "OFFSET DST"
// Readings are written "Y M D h m s" with whole seconds.
#include <cmath>
#include <cstdio>
#include <cstring>

#include "time/zones.h"

namespace {

void PrintReading(const DateTime& t) {
  printf(" %d %d %d %d %d %.0f", t.year, t.month, t.day, t.hour, t.minute, std::floor(t.second));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc > 1 && strcmp(argv[1], "--zones") == 0) {
    printf("%s\n", kZoneDataVersion);
    for (int i = 0; i < ZoneCount(); ++i) printf("%d %s\n", i, ZoneAt(i)->szTzName);
    return 0;
  }
  char szKind[4];
  while (scanf("%3s", szKind) == 1) {
    int iZone;
    if (scanf("%d", &iZone) != 1) return 2;
    if (szKind[0] == 'U') {
      long long llUtc;
      if (scanf("%lld", &llUtc) != 1) return 2;
      const ZoneOffset o = ZoneOffsetAtUtc(iZone, llUtc);
      printf("%d %d\n", o.lOffset, o.bDst);
      continue;
    }
    DateTime t{};
    if (scanf("%d %d %d %d %d %lf", &t.year, &t.month, &t.day, &t.hour, &t.minute, &t.second) != 6) return 2;
    if (szKind[0] == 'J') {
      DateTime local;
      ZoneOffset o;
      if (!JstToZoneTime(iZone, t, &local, &o)) return 2;
      PrintReading(local);
      printf(" %d %d\n", o.lOffset, o.bDst);
      continue;
    }
    int iOccurrence;
    if (scanf("%d", &iOccurrence) != 1) return 2;
    ZoneConversion c;
    if (!LocalToJst(iZone, t, iOccurrence, &c)) return 2;
    printf("%d %d %d %d %d %d %d", c.iStatus, c.applied.lOffset, c.applied.bDst, c.earlier.lOffset, c.earlier.bDst,
           c.later.lOffset, c.later.bDst);
    PrintReading(c.jst);
    PrintReading(c.clockBefore);
    PrintReading(c.clockAfter);
    printf("\n");
  }
  return 0;
}

// horomira zones: the zones --zone accepts, from the zone table.
#include <cstdio>
#include <string>

#include "cli/cli.h"
#include "time/zones.h"

namespace {

int RunZones(CliArgs& a) {
  if (!a.args.empty()) return Fail("不明な引数です: " + a.args[0]);
  for (int i = 0; i < ZoneCount(); ++i) {
    const ZoneInfo& z = *ZoneAt(i);
    char szStandard[kZoneTextSize], szSummer[kZoneTextSize] = "";
    FormatUtcOffset(z.lStandardOffset, szStandard, sizeof szStandard);
    if (z.iRuleFirstYear) FormatZoneLabel(kNoZone, ZoneOffset{z.lSummerOffset, 1}, szSummer, sizeof szSummer);
    // Shift-JIS bytes are as wide as the characters on a terminal: the
    // columns line up.
    char sz[256];
    snprintf(sz, sizeof sz, "%-31s %-9s  %-16s  %s－%s", z.szTzName, szStandard, szSummer, z.szCountry, z.szName);
    std::string s = sz;
    while (!s.empty() && s.back() == ' ') s.pop_back();
    PrintLine(s);
  }
  return 0;
}

const std::string kZonesHelp =
    std::string("Lists the time zones --zone accepts, with their rules from 1900 to 2100 from\n"
                "the tz database (tzdata ") +
    kZoneDataVersion +
    "): tz name, standard offset from UT, the summer-time\n"
    "offset where the zone keeps summer time every year, country and city.  --zone\n"
    "takes the tz name (letters in either case) or the Japanese city name, or a\n"
    "fixed offset ±HH:MM.  Before 1900 a zone keeps the offset it had in 1900; after\n"
    "the summer time that begins in 2100, its standard offset.";

}  // namespace

const CliCommand kZonesCommand = {"zones", "zones", kZonesHelp.c_str(), RunZones};

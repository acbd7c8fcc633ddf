#!/usr/bin/env python3
"""Compares the engine's zone routines (src/time/zones.cpp with the table
src/time/zone_table.cpp) with Python's zoneinfo reading Debian's tzdata,
for every zone of the table from 1900 to 2100.

usage: tests/check_zones.py ZONE_PROBE [ZONEINFO_DIR]

ZONE_PROBE is the test program tests/zones/zone_probe.cpp; ZONEINFO_DIR
defaults to /usr/share/zoneinfo.  The changes of offset are found in
zoneinfo itself (a scan in steps of two days, each change bisected to the second); around
each change, and on a grid of readings, these are compared:

- a local clock reading read as JST (LocalToJst): ok, nonexistent (in the
  gap of a forward change) or ambiguous (in the doubled span of a backward
  one) as zoneinfo's two folds say; the offsets and summer-time flags of
  both moments; the JST reading of the chosen one, earlier or later;
- a JST reading as the zone's clock (JstToZoneTime) and the offset at an
  instant (ZoneOffsetAtUtc).

The table is written from one version of tzdata and records it; another
installed version may differ in any zone, so the comparison is skipped (exit
77, which ctest reports as skipped) when the installed version is not the
table's: tools/gen_zone_table.py then writes the table anew.
"""
import datetime
import os
import re
import subprocess
import sys
import zoneinfo

UTC = datetime.timezone.utc
JST = datetime.timedelta(hours=9)
SCAN_START = datetime.datetime(1900, 1, 1, tzinfo=UTC)
SCAN_END = datetime.datetime(2101, 1, 1, tzinfo=UTC)
SKIPPED = 77


def installed_version(zoneinfo_dir):
    with open(os.path.join(zoneinfo_dir, "tzdata.zi"), encoding="utf-8") as f:
        m = re.match(r"# version (\S+)$", f.readline().strip())
    return m.group(1) if m else None


def state(zone, when):
    """(offset seconds, summer time 0/1) of a zone at a UTC datetime."""
    local = when.astimezone(zone)
    return int(local.utcoffset().total_seconds()), 1 if local.dst() else 0


def changes(zone):
    """Every change of offset or summer-time flag from 1900 to 2100, as
    (UTC seconds, state before, state after), found by a scan in steps of two
    days (no zone ever changed and changed back within them)."""
    found = []
    step = datetime.timedelta(days=2)
    when, before = SCAN_START, state(zone, SCAN_START)
    while when < SCAN_END:
        nxt = when + step
        after = state(zone, nxt)
        if after != before:
            lo, hi = int(when.timestamp()), int(nxt.timestamp())  # before at lo, after at hi
            while hi - lo > 1:
                mid = (lo + hi) // 2
                if state(zone, datetime.datetime.fromtimestamp(mid, UTC)) == before:
                    lo = mid
                else:
                    hi = mid
            found.append((hi, before, state(zone, datetime.datetime.fromtimestamp(hi, UTC))))
            before = after
        when = nxt
    return found


def naive(seconds):
    return datetime.datetime(1970, 1, 1) + datetime.timedelta(seconds=seconds)


def seconds_of(reading):
    return int((reading - datetime.datetime(1970, 1, 1)).total_seconds())


def text(reading):
    return "%d %d %d %d %d %d" % (reading.year, reading.month, reading.day, reading.hour, reading.minute,
                                  reading.second)


def expected_local(zone, reading):
    """What zoneinfo makes of a local reading: (status, earlier, later), each
    moment as (offset, dst); status 0 ok, 1 nonexistent, 2 ambiguous."""
    moments = []
    for fold in (0, 1):
        aware = reading.replace(tzinfo=zone, fold=fold)
        back = aware.astimezone(UTC).astimezone(zone).replace(tzinfo=None)
        moments.append(((int(aware.utcoffset().total_seconds()), 1 if aware.dst() else 0), back == reading))
    (first, first_ok), (second, second_ok) = moments
    if not first_ok and not second_ok:
        return 1, first, second  # fold 0 takes the offset before the change
    if first != second and first_ok and second_ok:
        return 2, first, second
    assert first_ok, reading
    return 0, first, first


def main():
    probe = sys.argv[1]
    zoneinfo_dir = sys.argv[2] if len(sys.argv) > 2 else "/usr/share/zoneinfo"
    listing = subprocess.run([probe, "--zones"], check=True, capture_output=True, text=True).stdout.split("\n")
    table_version = listing[0]
    zones = [line.split(" ", 1)[1] for line in listing[1:] if line]
    installed = installed_version(zoneinfo_dir)
    if installed != table_version:
        print("check_zones: skipped: the zone table was written from tzdata %s, the installed tzdata is %s; "
              "run tools/gen_zone_table.py to write it from the installed one" % (table_version, installed))
        return SKIPPED

    queries, wanted = [], []
    n_changes = 0
    for index, tz in enumerate(zones):
        with open(os.path.join(zoneinfo_dir, tz), "rb") as f:
            zone = zoneinfo.ZoneInfo.from_file(f, key=tz)
        found = changes(zone)
        n_changes += len(found)
        readings = set()
        for t, (a, _), (b, _) in found:
            readings.update(t + x for x in (a - 1, a, b - 1, b, (a + b) // 2, min(a, b) - 1, max(a, b), a - 3600))
            for u in (t - 1, t):
                queries.append("U %d %d" % (index, u))
                wanted.append(("U", tz, u, "%d %d" % state(zone, datetime.datetime.fromtimestamp(u, UTC))))
        # A grid of local readings over the whole span, at shifting hours.
        local = datetime.datetime(1900, 1, 2, 0, 0, 0)
        while local.year <= 2100:
            readings.add(seconds_of(local))
            local += datetime.timedelta(days=41, hours=5, minutes=7, seconds=11)
        for s in sorted(readings):
            reading = naive(s)
            if not datetime.datetime(1900, 1, 2) <= reading < datetime.datetime(2101, 1, 1):
                continue
            status, earlier, later = expected_local(zone, reading)
            for occurrence in (0, 1):
                chosen = later if status == 2 and occurrence == 1 else earlier
                jst = reading - datetime.timedelta(seconds=chosen[0]) + JST
                queries.append("L %d %s %d" % (index, text(reading), occurrence))
                wanted.append(("L", tz, text(reading), (status, chosen, earlier, later, text(jst), s)))
            # The same moment from the JST side.
            moment = reading.replace(tzinfo=zone).astimezone(UTC)
            shown = moment.astimezone(zone)
            queries.append("J %d %s" % (index, text((moment + JST).replace(tzinfo=None))))
            wanted.append(("J", tz, text(reading), "%s %d %d" % (
                text(shown.replace(tzinfo=None)), int(shown.utcoffset().total_seconds()), 1 if shown.dst() else 0)))
        # Outside the table: the offset of 1900 before it, the standard offset
        # (that of January or July 2101 which is not summer time) after 2100.
        start = state(zone, SCAN_START)
        standard = [x for x in (state(zone, datetime.datetime(2101, m, 15, tzinfo=UTC)) for m in (1, 7)) if not x[1]]
        for when, want in ((-3155673600, start), (5364662400, standard[0]), (5380300800, standard[0])):
            queries.append("U %d %d" % (index, when))  # 1870-01-01, 2140-01-01, 2140-07-01
            wanted.append(("U", tz, when, "%d %d" % want))

    out = subprocess.run([probe], input="\n".join(queries) + "\n", check=True, capture_output=True,
                         text=True).stdout.split("\n")
    problems = []
    for (kind, tz, key, want), got in zip(wanted, out):
        got = got.strip()
        fields = got.split()
        if kind == "U":
            if got != want:
                problems.append("%s ZoneOffsetAtUtc(%d): %s, zoneinfo %s" % (tz, key, got, want))
        elif kind == "J":
            if got != want:
                problems.append("%s JstToZoneTime of the moment shown %s: %s, zoneinfo %s" % (tz, key, got, want))
        else:
            status, chosen, earlier, later, jst, s = want
            v = [int(x) for x in fields]
            got_status, got_applied, got_earlier, got_later = v[0], tuple(v[1:3]), tuple(v[3:5]), tuple(v[5:7])
            got_jst = " ".join(fields[7:13])
            if (got_status, got_applied, got_earlier, got_later, got_jst) != (status, chosen, earlier, later, jst):
                problems.append("%s LocalToJst(%s): %s; zoneinfo: status %d, offset %r, earlier %r, later %r, JST %s"
                                % (tz, key, got, status, chosen, earlier, later, jst))
                continue
            if status:
                # The clocks' readings at the change enclose the reading.
                before = seconds_of(datetime.datetime(*v[13:19]))
                after = seconds_of(datetime.datetime(*v[19:25]))
                lo, hi = (before, after) if status == 1 else (after, before)
                if not (lo <= s < hi and after - before == later[0] - earlier[0]):
                    problems.append("%s LocalToJst(%s): the change %s -> %s does not enclose it" % (tz, key,
                                    " ".join(fields[13:19]), " ".join(fields[19:25])))
    if len(out) < len(wanted):
        problems.append("zone_probe answered %d of %d queries" % (len(out), len(wanted)))
    for line in problems[:30]:
        print(line)
    if problems:
        print("check_zones: %d of %d answers differ from zoneinfo" % (len(problems), len(wanted)))
        return 1
    print("check_zones: %d zones, %d changes, %d answers agree with zoneinfo (tzdata %s)"
          % (len(zones), n_changes, len(wanted), installed))
    return 0


if __name__ == "__main__":
    sys.exit(main())

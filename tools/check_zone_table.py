#!/usr/bin/env python3
"""Regenerates the zone table (src/time/zone_table.cpp) from the zone list
(tools/data/zones.tsv) and the installed tzdata into a scratch folder and
compares it byte for byte with the committed one.

usage: tools/check_zone_table.py [ROOT [ZONEINFO_DIR]]

The table records the tzdata version it was written from.  When the
installed tzdata is another version, the table cannot be expected to
regenerate (a new release changes rules and history), and the check is
skipped with exit code 77, which ctest reports as skipped: the committed
table stays valid for the version it names, and is brought up to date on
purpose, by running tools/gen_zone_table.py and committing the table.
"""
import filecmp
import os
import re
import subprocess
import sys
import tempfile

SKIPPED = 77


def version_of_table(path):
    with open(path, encoding="utf-8") as f:
        for line in f:
            m = re.match(r"// tzdata version: (\S+)$", line.strip())
            if m:
                return m.group(1)
    return None


def installed_version(zoneinfo_dir):
    try:
        with open(os.path.join(zoneinfo_dir, "tzdata.zi"), encoding="utf-8") as f:
            m = re.match(r"# version (\S+)$", f.readline().strip())
    except OSError:
        return None
    return m.group(1) if m else None


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(os.path.abspath(__file__)), "..")
    zoneinfo_dir = sys.argv[2] if len(sys.argv) > 2 else "/usr/share/zoneinfo"
    committed = os.path.join(root, "src", "time", "zone_table.cpp")
    table_version = version_of_table(committed)
    if table_version is None:
        print("check_zone_table: src/time/zone_table.cpp names no tzdata version")
        return 1
    installed = installed_version(zoneinfo_dir) or "not found"
    if installed != table_version:
        print("check_zone_table: skipped: src/time/zone_table.cpp was written from tzdata %s, the installed "
              "tzdata is %s; run tools/gen_zone_table.py and commit the table to move to it"
              % (table_version, installed))
        return SKIPPED
    with tempfile.TemporaryDirectory() as scratch:
        subprocess.run([sys.executable, os.path.join(root, "tools", "gen_zone_table.py"),
                        os.path.join(root, "tools", "data", "zones.tsv"), scratch, zoneinfo_dir],
                       check=True, stdout=subprocess.DEVNULL)
        if not filecmp.cmp(os.path.join(scratch, "zone_table.cpp"), committed, shallow=False):
            print("src/time/zone_table.cpp: differs from what the generator writes")
            print("check_zone_table: run tools/gen_zone_table.py and commit the table with its zone list")
            return 1
    print("check_zone_table: src/time/zone_table.cpp regenerates byte for byte from tzdata %s" % installed)
    return 0


if __name__ == "__main__":
    sys.exit(main())

#!/usr/bin/env python3
"""Regenerates every coefficient table of the ephemeris from the committed
inputs (tools/data) into a scratch folder and compares each byte for byte
with the committed source in src/ephemeris.  Fails when one differs, when a
table file of src/ephemeris is not written by the generator, or when the
generator writes one that is not committed.

usage: tools/check_ephemeris_tables.py [ROOT]
"""
import filecmp
import glob
import os
import subprocess
import sys
import tempfile


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(os.path.abspath(__file__)), "..")
    src = os.path.join(root, "src", "ephemeris")
    committed = sorted(os.path.basename(p) for p in
                       glob.glob(os.path.join(src, "*_table.cpp")) + glob.glob(os.path.join(src, "*_tables.cpp")))
    problems = []
    with tempfile.TemporaryDirectory() as scratch:
        subprocess.run([sys.executable, os.path.join(root, "tools", "gen_ephemeris_tables.py"),
                        os.path.join(root, "tools", "data"), scratch], check=True, stdout=subprocess.DEVNULL)
        generated = sorted(os.listdir(scratch))
        for name in generated:
            if name not in committed:
                problems.append("src/ephemeris/%s: generated but not committed" % name)
            elif not filecmp.cmp(os.path.join(scratch, name), os.path.join(src, name), shallow=False):
                problems.append("src/ephemeris/%s: differs from what the generator writes" % name)
        for name in committed:
            if name not in generated:
                problems.append("src/ephemeris/%s: not written by the generator" % name)
    for line in problems:
        print(line)
    if problems:
        print("check_ephemeris_tables: run tools/gen_ephemeris_tables.py and commit the tables with their inputs")
        return 1
    print("check_ephemeris_tables: %d tables regenerate byte for byte" % len(generated))
    return 0


if __name__ == "__main__":
    sys.exit(main())

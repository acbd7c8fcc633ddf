#!/usr/bin/env python3
"""Lists every include that points up the layers of src/ and fails when
there is one.

usage: tools/check_layers.py [ROOT]

A file may include headers of its own floor and of the floors below it,
never of a floor above.  The floors, bottom up, are written here and in the
layout table of README.md; the check also fails when the two disagree or
when a folder of src/ has no floor.  Below the front ends, includes must
not go round in a circle on one floor either: a unit (a header with the
source of the same name) of the engine may not reach itself through the
units it includes.
"""
import os
import re
import sys

# Floors, bottom up.  A folder is named by its path under src/; the longest
# listed prefix of a file's folder gives its floor.  chart/win32 is built
# into Horomap.exe with the shell, so it stands on the shell's floor.
FLOORS = [
    ["base"],                                # shared records and small helpers
    ["platform"],                            # the seam to the user and the OS
    ["time"],
    ["ephemeris"],
    ["chart"],
    ["events", "readings", "persistence", "entry"],
    ["dialogs"],                             # the dialogs the Windows program runs
    ["cli", "shell", "chart/win32"],         # the front ends
]

INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"')
SOURCE_SUFFIXES = (".h", ".cpp", ".rc")


def floor_of(folder):
    """Floor of a folder under src/, or None when no listed prefix fits."""
    best, best_len = None, -1
    for i, names in enumerate(FLOORS):
        for name in names:
            if (folder == name or folder.startswith(name + "/")) and len(name) > best_len:
                best, best_len = i, len(name)
    return best


def violations(root):
    src = os.path.join(root, "src")
    found = []
    for dirpath, _, files in os.walk(src):
        folder = os.path.relpath(dirpath, src).replace(os.sep, "/")
        for name in sorted(files):
            if not name.endswith(SOURCE_SUFFIXES):
                continue
            path = os.path.join(dirpath, name)
            rel = os.path.relpath(path, root)
            mine = floor_of(folder)
            if mine is None:
                found.append("%s: folder src/%s stands on no floor" % (rel, folder))
                continue
            with open(path, encoding="utf-8") as f:
                for number, line in enumerate(f, 1):
                    m = INCLUDE.match(line)
                    if not m:
                        continue
                    target = m.group(1)
                    theirs = floor_of(os.path.dirname(target))
                    if theirs is None:
                        found.append('%s:%d: "%s" is in no folder of src/' % (rel, number, target))
                    elif theirs > mine:
                        found.append('%s:%d: floor %d (%s) includes "%s" of floor %d' %
                                     (rel, number, mine, folder, target, theirs))
    return found


def unit_circles(root):
    """Circles of the include graph of the engine's units (a unit is a
    header and its source of the same name; the front ends' floor is left
    out), each reported once."""
    src = os.path.join(root, "src")
    edges = {}
    for dirpath, _, files in os.walk(src):
        for name in files:
            if not name.endswith(SOURCE_SUFFIXES):
                continue
            path = os.path.join(dirpath, name)
            unit = os.path.splitext(os.path.relpath(path, src).replace(os.sep, "/"))[0]
            if floor_of(os.path.dirname(unit)) in (None, len(FLOORS) - 1):
                continue
            with open(path, encoding="utf-8") as f:
                for line in f:
                    m = INCLUDE.match(line)
                    if m and os.path.splitext(m.group(1))[0] != unit:
                        edges.setdefault(unit, set()).add(os.path.splitext(m.group(1))[0])
    found = []
    for start in sorted(edges):
        # A way back to start through units that sort after it, so that a
        # circle is reported from its first unit only.
        way = {start: [start]}
        todo = [start]
        while todo and len(found) < 100:
            unit = todo.pop(0)
            for nxt in sorted(edges.get(unit, ())):
                if nxt == start:
                    found.append("include circle: " + " -> ".join(way[unit] + [start]))
                    todo = []
                    break
                if nxt > start and nxt not in way:
                    way[nxt] = way[unit] + [nxt]
                    todo.append(nxt)
    return found


def readme_disagreements(root):
    """Rows of the README layout table are `| floor | `src/x/` ... | what |`:
    every folder listed here must stand there on the same floor."""
    table = {}
    row = re.compile(r"^\|\s*(\d+)\s*\|(.*?)\|")
    with open(os.path.join(root, "README.md"), encoding="utf-8") as f:
        for line in f:
            m = row.match(line)
            if not m:
                continue
            for folder in re.findall(r"`src/([a-z0-9_/]+?)/?`", m.group(2)):
                table[folder] = int(m.group(1))
    found = []
    for i, names in enumerate(FLOORS):
        for name in names:
            if table.get(name) != i:
                found.append("README.md: src/%s/ should stand on floor %d (table says %s)" %
                             (name, i, table.get(name)))
    return found


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(os.path.abspath(__file__)), "..")
    found = violations(root) + unit_circles(root) + readme_disagreements(root)
    for line in found:
        print(line)
    if found:
        print("check_layers: %d finding(s): includes must point down, without circles" % len(found))
        return 1
    print("check_layers: every include points down, and none goes round in a circle")
    return 0


if __name__ == "__main__":
    sys.exit(main())

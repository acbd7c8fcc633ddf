#!/usr/bin/env python3
"""The pictures of `horomira chart --svg`, read back as XML and rendered.

Usage: check_svg.py HOROMIRA OUT_DIR

Draws the default person's natal chart, a double circle, a wheel too small
for its points and a too-small window; checks that each is well-formed
XML whose every element carries the class of what it is, with the counts
the wheel must have; renders each to PNG with rsvg-convert into OUT_DIR
(where a person can look at them).  Exits non-zero on the first failure.
"""
import collections
import os
import struct
import subprocess
import sys
import xml.etree.ElementTree as ET

SVG = "{http://www.w3.org/2000/svg}"
POINTS = ["Sun", "Asc", "Moon", "Mercury", "Venus", "Mars", "Jupiter", "Saturn", "Uranus",
          "Neptune", "Pluto", "DragonH", "DragonT", "MC"]
failures = []


def check(what, ok):
    print(("ok   " if ok else "FAIL ") + what)
    if not ok:
        failures.append(what)
    return ok


def draw(horomira, out_dir, name, args):
    path = os.path.join(out_dir, name + ".svg")
    if os.path.exists(path):
        os.remove(path)
    run = subprocess.run([horomira, "chart", "--default-person"] + args + ["--svg", path],
                         capture_output=True, text=True)
    check(f"{name}: horomira exits 0 ({run.stderr.strip()})", run.returncode == 0)
    root = ET.parse(path).getroot()
    elements = list(root.iter())[1:]
    check(f"{name}: root is an svg picture", root.tag == SVG + "svg")
    check(f"{name}: every element has a class",
          all(e.get("class") for e in elements))
    classes = collections.Counter(e.get("class") for e in elements)
    return path, root, elements, classes


def render(path, want_w, want_h):
    png = path[:-4] + ".png"
    run = subprocess.run(["rsvg-convert", path, "-o", png], capture_output=True, text=True)
    if not check(f"{os.path.basename(png)}: rendered ({run.stderr.strip()})", run.returncode == 0):
        return
    with open(png, "rb") as f:
        head = f.read(24)
    w, h = struct.unpack(">II", head[16:24])
    check(f"{os.path.basename(png)}: {w}x{h} pixels", head[:8] == b"\x89PNG\r\n\x1a\n" and (w, h) == (want_w, want_h))


def points(elements, ring):
    return [e.get("data-point") for e in elements
            if e.get("class") == "point-glyph" and e.get("data-ring") == ring]


def wheel_counts(name, classes):
    for cls, n in (("wheel-outer", 1), ("wheel-inner", 1), ("sign-line", 12), ("sign-glyph", 12),
                   ("house-line", 12), ("house-number", 12), ("panel-line", 4)):
        check(f"{name}: {n} x {cls}", classes[cls] == n)


def main():
    horomira, out_dir = sys.argv[1], sys.argv[2]
    os.makedirs(out_dir, exist_ok=True)

    path, root, elements, classes = draw(horomira, out_dir, "natal", [])
    check("natal: 800 x 560 by default", (root.get("width"), root.get("height")) == ("800", "560"))
    wheel_counts("natal", classes)
    check("natal: no middle circle", classes["wheel-middle"] == 0)
    check("natal: every point once, outside", sorted(points(elements, "outer")) == sorted(POINTS))
    check("natal: nothing inside", points(elements, "inner") == [])
    check("natal: no overflow list", classes["overflow"] == 0)
    texts = "".join(e.text or "" for e in elements if e.get("class") == "panel-line")
    check("natal: the panel names the default person", "HoroMira 5.4.0.2: 出生図" in texts)
    render(path, 800, 560)

    path, root, elements, classes = draw(horomira, out_dir, "double",
                                         ["--transit", "2024-01-01T12:00", "--view", "3",
                                          "--size", "1000x700", "--background", "3"])
    check("double: the size asked for", (root.get("width"), root.get("height")) == ("1000", "700"))
    wheel_counts("double", classes)
    check("double: one middle circle", classes["wheel-middle"] == 1)
    check("double: every point outside", sorted(points(elements, "outer")) == sorted(POINTS))
    check("double: every point inside", sorted(points(elements, "inner")) == sorted(POINTS))
    background = [e for e in elements if e.get("class") == "background"]
    check("double: the pink background", len(background) == 1 and background[0].get("fill") == "#c8aaaa")
    check("double: the panel shows the outer chart",
          any((e.text or "").startswith("外側: ") for e in elements if e.get("class") == "panel-line"))
    render(path, 1000, 700)

    path, root, elements, classes = draw(horomira, out_dir, "crowded", ["--size", "800x140"])
    check("crowded: points left out are listed", classes["overflow"] > 0)
    listed = "".join(e.text or "" for e in elements if e.get("class") == "overflow")
    check("crowded: the list's heading", "次のデータがチャートに描ききれません" in listed)
    check("crowded: a listed point", "も合: " in listed)
    render(path, 800, 140)

    path, root, elements, classes = draw(horomira, out_dir, "too-small", ["--size", "240x100"])
    check("too-small: only the black area and the notice", set(classes) == {"too-small"})
    check("too-small: its text", any(e.text == "小さすぎるｳｲﾝﾄﾞｳ" for e in elements))
    render(path, 240, 100)

    for view in ("1", "2"):
        path, root, elements, classes = draw(horomira, out_dir, "view" + view, ["--view", view])
        check(f"view {view}: no wheel", classes["wheel-outer"] == 0)
        check(f"view {view}: 3 header lines and 15 lines",
              classes["text-header"] == 3 and classes["text-line"] == 15)

    if failures:
        print(f"check_svg: {len(failures)} failed")
        return 1
    print("check_svg: all passed; pictures in " + out_dir)
    return 0


if __name__ == "__main__":
    sys.exit(main())

#!/usr/bin/env python3
"""Static check of the 32-bit Horomap.exe, beside the Wine tests that run it.

    check_win32_exe.py OBJDUMP HOROMAP_EXE

Reads the program's headers, imports and resource directory from
`OBJDUMP -p` and checks that it is
  - a PE32 program (i386) for the Windows GUI subsystem,
  - importing only DLLs that every Windows has,
  - carrying its resources: the menu and the accelerator table "HOROMIRA5",
    the dialogs of the shell, the icons 999 and 1000, the bitmaps of the
    wheel (700..713, 3101..3112), the tool bar (1280) and the title (5000),
    the version resource (1; its contents are checked by make test-dist)
    and the application manifest (1), whose contents are read from the file:
    run as the invoking user, Windows 7 to 11 supported, GDI scaling on,
    no newer common controls, the version of src/base/version.h.
Prints one line per check and exits 1 when any failed.
"""
import os
import re
import struct
import subprocess
import sys
import xml.etree.ElementTree as ET

SYSTEM_DLLS = {"KERNEL32.DLL", "USER32.DLL", "GDI32.DLL", "COMCTL32.DLL", "COMDLG32.DLL", "ADVAPI32.DLL", "OLE32.DLL",
               "WINSPOOL.DRV",
               "MSVCRT.DLL"}
RT_BITMAP, RT_MENU, RT_DIALOG, RT_ACCELERATOR, RT_GROUP_ICON, RT_VERSION, RT_MANIFEST = 2, 4, 5, 9, 14, 16, 24
WANTED = {
    RT_MENU: {"HOROMIRA5"},
    RT_ACCELERATOR: {"HOROMIRA5"},
    RT_DIALOG: {"APPMESSAGEBOX", "APPOKCANCELDB", "APPOKMESSAGEBOX", "FAIRYDB", "HELPDB", "HELPLISTDB",
                "NOBUTTONDB", "ZONECONFIRMBOX"},
    RT_GROUP_ICON: {999, 1000},
    RT_BITMAP: set(range(700, 714)) | set(range(3101, 3113)) | {1280, 5000},
    RT_VERSION: {1},
    RT_MANIFEST: {1},
}
TYPE_NAMES = {RT_BITMAP: "bitmaps", RT_MENU: "menu", RT_DIALOG: "dialogs", RT_ACCELERATOR: "accelerators",
              RT_GROUP_ICON: "icons", RT_VERSION: "version", RT_MANIFEST: "manifest"}

# The operating systems the manifest names: Windows 7, 8, 8.1 and 10/11.
SUPPORTED_OS = {"{35138b9a-5d96-4fbd-8e2d-a2440225f93a}", "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}",
                "{1f676c76-80e1-4239-95bb-83d0f6d0da78}", "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"}


def resources(text):
    """{type: set of names or ids} from the resource directory listing."""
    found = {}
    section = text.split("Resource Directory section", 1)
    if len(section) < 2:
        return found
    rtype = None
    for line in section[1].splitlines():
        m = re.match(r"^[0-9a-f]+( +)Entry: (ID: 0x([0-9a-f]+)|name: \[[^]]*\]: (\S+)),", line)
        if not m:
            continue
        depth = len(m.group(1))
        key = int(m.group(3), 16) if m.group(3) else m.group(4)
        if depth == 3:  # the type level
            rtype = key
            found.setdefault(rtype, set())
        elif depth == 5 and rtype is not None:  # the name level
            found[rtype].add(key)
    return found


def resource_data(exe, rtype, rid):
    """The bytes of resource rtype/rid (first language) of a PE file, or None."""
    data = open(exe, "rb").read()
    pe = struct.unpack_from("<I", data, 0x3C)[0]
    sections, optional_size = struct.unpack_from("<H", data, pe + 6)[0], struct.unpack_from("<H", data, pe + 20)[0]
    magic = struct.unpack_from("<H", data, pe + 24)[0]
    directories = pe + 24 + (96 if magic == 0x10B else 112)
    rsrc_rva = struct.unpack_from("<I", data, directories + 2 * 8)[0]
    table = pe + 24 + optional_size
    for i in range(sections):
        _, vsize, va, _, raw = struct.unpack_from("<8sIIII", data, table + 40 * i)
        if va <= rsrc_rva < va + vsize:
            base = raw + rsrc_rva - va
            break
    else:
        return None

    def entries(offset):
        named, ids = struct.unpack_from("<HH", data, base + offset + 12)
        for k in range(named + ids):
            name, target = struct.unpack_from("<II", data, base + offset + 16 + 8 * k)
            yield name, target

    def find(offset, wanted):
        for name, target in entries(offset):
            if wanted is None or name == wanted:
                return target
        return None

    level = base_offset = 0
    for wanted in (rtype, rid, None):
        target = find(base_offset, wanted)
        if target is None or (level < 2 and not target & 0x80000000):
            return None
        base_offset = target & 0x7FFFFFFF
        level += 1
    rva, size = struct.unpack_from("<II", data, base + base_offset)
    return data[base + rva - rsrc_rva:base + rva - rsrc_rva + size]


def version_h():
    """The four numbers of src/base/version.h as "a.b.c.d"."""
    path = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "src", "base", "version.h")
    text = open(path, encoding="utf-8").read()
    return ".".join(re.search(r"#define HORO_VERSION_%s (\d+)" % part, text).group(1)
                    for part in ("MAJOR", "MINOR", "PATCH", "BUILD"))


def check_manifest(exe, check):
    raw = resource_data(exe, RT_MANIFEST, 1)
    if raw is None:
        check("manifest: readable", False, "no data")
        return
    try:
        root = ET.fromstring(raw)
    except ET.ParseError as e:
        check("manifest: well-formed XML", False, str(e))
        return
    levels = [e.get("level") for e in root.iter() if e.tag.endswith("requestedExecutionLevel")]
    check("manifest: runs as the invoking user (asInvoker)", levels == ["asInvoker"], str(levels))
    os_ids = {e.get("Id") for e in root.iter() if e.tag.endswith("supportedOS")}
    check("manifest: Windows 7 to 11 supported", os_ids == SUPPORTED_OS, str(sorted(os_ids)))
    scaling = [e.text for e in root.iter() if e.tag.endswith("}gdiScaling")]
    check("manifest: GDI scaling on", scaling == ["true"], str(scaling))
    dpi = [e.tag for e in root.iter() if e.tag.endswith("}dpiAware") or e.tag.endswith("}dpiAwareness")]
    check("manifest: the program stays DPI-unaware", not dpi, str(dpi))
    dependencies = [e.get("name") for e in root.iter() if e.tag.endswith("assemblyIdentity")][1:]
    check("manifest: common controls of version 5 (no dependency)", not dependencies, str(dependencies))
    versions = [e.get("version") for e in root.iter() if e.tag.endswith("assemblyIdentity")][:1]
    check("manifest: the program's version", versions == [version_h()], str(versions))


def main():
    objdump, exe = sys.argv[1], sys.argv[2]
    text = subprocess.run([objdump, "-p", exe], check=True, capture_output=True, text=True).stdout
    failures = 0

    def check(what, ok, detail=""):
        nonlocal failures
        print(("ok   " if ok else "FAIL ") + what + ("" if ok or not detail else ": " + detail))
        failures += 0 if ok else 1

    check("PE32 for i386", "file format pei-i386" in text and re.search(r"Magic\s+010b", text) is not None)
    check("Windows GUI subsystem", re.search(r"Subsystem\s+00000002", text) is not None)
    dlls = {d.upper() for d in re.findall(r"DLL Name: (\S+)", text)}
    check("imports only Windows system DLLs", bool(dlls) and dlls <= SYSTEM_DLLS,
          ", ".join(sorted(dlls - SYSTEM_DLLS)) or "no imports")
    found = resources(text)
    for rtype, names in WANTED.items():
        missing = names - found.get(rtype, set())
        check("resources: " + TYPE_NAMES[rtype], not missing, "missing " + ", ".join(str(n) for n in sorted(missing, key=str)))
    check_manifest(exe, check)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())

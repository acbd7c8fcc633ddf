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
    and the version resource (1; its contents are checked by make test-dist).
Prints one line per check and exits 1 when any failed.
"""
import re
import subprocess
import sys

SYSTEM_DLLS = {"KERNEL32.DLL", "USER32.DLL", "GDI32.DLL", "COMCTL32.DLL", "COMDLG32.DLL", "ADVAPI32.DLL", "OLE32.DLL",
               "WINSPOOL.DRV",
               "MSVCRT.DLL"}
RT_BITMAP, RT_MENU, RT_DIALOG, RT_ACCELERATOR, RT_GROUP_ICON, RT_VERSION = 2, 4, 5, 9, 14, 16
WANTED = {
    RT_MENU: {"HOROMIRA5"},
    RT_ACCELERATOR: {"HOROMIRA5"},
    RT_DIALOG: {"APPMESSAGEBOX", "APPOKCANCELDB", "APPOKMESSAGEBOX", "FAIRYDB", "HELPDB", "HELPLISTDB",
                "NOBUTTONDB", "ZONECONFIRMBOX"},
    RT_GROUP_ICON: {999, 1000},
    RT_BITMAP: set(range(700, 714)) | set(range(3101, 3113)) | {1280, 5000},
    RT_VERSION: {1},
}
TYPE_NAMES = {RT_BITMAP: "bitmaps", RT_MENU: "menu", RT_DIALOG: "dialogs", RT_ACCELERATOR: "accelerators",
              RT_GROUP_ICON: "icons", RT_VERSION: "version"}


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
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())

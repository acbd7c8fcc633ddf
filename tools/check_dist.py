#!/usr/bin/env python3
"""Checks the packages of `make dist` (make test-dist).

    check_dist.py ROOT

In ROOT/dist, for the version of src/base/version.h:
  - the installer Horomira-<v>-setup.exe: a 32-bit program whose version
    resource names <v>; opened with 7z, it holds the package folder, whose
    Horomap.exe is a PE32 Windows GUI program with the version resource of
    <v>, byte for byte the one of build/win32;
  - the zip Horomira-<v>-win32.zip: the same files under Horomira-<v>/,
    the read-me in Shift-JIS with CRLF line ends, the guide with its pictures;
  - horomira_<v>_<arch>.deb: installed with dpkg into a scratch root, its
    horomira --version prints "horomira <v>" as the one built does; its manual
    page renders with man -l without a warning and documents every command;
    its bash completion completes commands, options and the words of data;
    removed again, nothing of it is left;
  - SHA256SUMS matches the three;
and `make install PREFIX=... DESTDIR=...` puts the program, its manual page
and its completion under DESTDIR/PREFIX.
Prints one line per check and exits 1 when any failed.
"""
import hashlib
import os
import re
import shutil
import struct
import subprocess
import sys
import zipfile

failures = 0


def check(what, ok, detail=""):
    global failures
    print(("ok   " if ok else "FAIL ") + what + ("" if ok or not detail else ": " + str(detail)))
    failures += 0 if ok else 1
    return ok


def run(args, **kw):
    return subprocess.run(args, capture_output=True, text=True, **kw)


# --- Portable executables -----------------------------------------------------

RT_VERSION = 16


def align4(n):
    return (n + 3) & ~3


def pe_facts(data):
    """(machine, optional-header magic, subsystem, version resource bytes or None)."""
    if data[:2] != b"MZ":
        return None
    pe = struct.unpack_from("<I", data, 0x3C)[0]
    if data[pe:pe + 4] != b"PE\0\0":
        return None
    machine, nsect = struct.unpack_from("<HH", data, pe + 4)
    optsize = struct.unpack_from("<H", data, pe + 20)[0]
    opt = pe + 24
    magic, = struct.unpack_from("<H", data, opt)
    subsystem, = struct.unpack_from("<H", data, opt + 68)
    dirs = opt + (96 if magic == 0x10B else 112)
    res_rva, _ = struct.unpack_from("<II", data, dirs + 8 * 2)
    sections = []
    for i in range(nsect):
        s = opt + optsize + 40 * i
        vsize, va, rawsize, rawptr = struct.unpack_from("<IIII", data, s + 8)
        sections.append((va, max(vsize, rawsize), rawptr))

    def offset(rva):
        for va, size, raw in sections:
            if va <= rva < va + size:
                return rva - va + raw
        raise ValueError("RVA outside the sections")

    version = None
    if res_rva:
        base = offset(res_rva)

        def entries(at):
            named, ids = struct.unpack_from("<HH", data, at + 12)
            for i in range(named + ids):
                name, target = struct.unpack_from("<II", data, at + 16 + 8 * i)
                yield name, target

        for name, target in entries(base):
            if name == RT_VERSION and target & 0x80000000:
                level = base + (target & 0x7FFFFFFF)
                _, target = next(entries(level))                  # the first name
                _, target = next(entries(base + (target & 0x7FFFFFFF)))  # its first language
                rva, size = struct.unpack_from("<II", data, base + target)
                version = data[offset(rva):offset(rva) + size]
    return machine, magic, subsystem, version


def version_block(buf, at=0):
    """(key, value, children) of a VS_VERSIONINFO block and its children."""
    length, vlen, vtype = struct.unpack_from("<HHH", buf, at)
    end = at + length
    p = at + 6
    key_end = p
    while buf[key_end:key_end + 2] != b"\0\0":
        key_end += 2
    key = buf[p:key_end].decode("utf-16-le")
    p = align4(key_end + 2)
    value = None
    if vlen and vtype == 1:  # a text: the rest of the block
        value = buf[p:end].decode("utf-16-le").split("\0")[0]
        p = end
    elif vlen:
        value = buf[p:p + vlen]
        p = align4(p + vlen)
    children = []
    while p < end:
        child, p = version_block(buf, p)
        children.append(child)
        p = align4(p)
    return (key, value, children), end


def version_resource(raw):
    """(fixed file version "a.b.c.d", fixed product version, {string: value})."""
    (key, fixed, children), _ = version_block(raw)
    if key != "VS_VERSION_INFO" or not fixed or struct.unpack_from("<I", fixed)[0] != 0xFEEF04BD:
        return None
    fms, fls, pms, pls = struct.unpack_from("<IIII", fixed, 8)

    def dotted(ms, ls):
        return "%d.%d.%d.%d" % (ms >> 16, ms & 0xFFFF, ls >> 16, ls & 0xFFFF)

    strings = {}
    for k, _, tables in children:
        if k == "StringFileInfo":
            for _, _, pairs in tables:
                for name, value, _ in pairs:
                    strings[name] = value
    return dotted(fms, fls), dotted(pms, pls), strings


def check_program(what, data, version, reference=None):
    facts = pe_facts(data)
    if not check(what + ": a portable executable", facts is not None):
        return
    machine, magic, subsystem, raw = facts
    check(what + ": PE32 for i386", machine == 0x14C and magic == 0x10B, "machine %#x magic %#x" % (machine, magic))
    check(what + ": Windows GUI program", subsystem == 2, "subsystem %d" % subsystem)
    info = version_resource(raw) if raw else None
    if check(what + ": has a version resource", info is not None):
        fixed, product, strings = info
        check(what + ": file version " + version, fixed == version, fixed)
        check(what + ": product version " + version, product == version, product)
        for name in ("FileVersion", "ProductVersion"):
            check("%s: %s text %s" % (what, name, version), strings.get(name) == version, strings.get(name))
    if reference is not None:
        check(what + ": the program of build/win32", data == reference)


# --- The packages --------------------------------------------------------------

def files_below(folder):
    found = {}
    for here, _, names in os.walk(folder):
        for name in names:
            path = os.path.join(here, name)
            found[os.path.relpath(path, folder).replace(os.sep, "/")] = open(path, "rb").read()
    return found


def check_windows(root, dist, scratch, version):
    reference = open(os.path.join(root, "build/win32/Horomap.exe"), "rb").read()
    setup = os.path.join(dist, "Horomira-%s-setup.exe" % version)
    data = open(setup, "rb").read()
    facts = pe_facts(data)
    check("installer: a 32-bit program", facts is not None and facts[0] == 0x14C)
    info = version_resource(facts[3]) if facts and facts[3] else None
    check("installer: its version resource names " + version, info is not None and info[1] == version
          and info[2].get("ProductVersion") == version, info)

    out = os.path.join(scratch, "setup")
    r = run(["7z", "x", "-y", "-o" + out, setup])
    check("installer: 7z opens it", r.returncode == 0, r.stderr.strip())
    payload = {k: v for k, v in files_below(out).items() if not k.startswith("$")}
    # The uninstaller is written at installation; 7z shows its stub as a file.
    check("installer: writes an uninstaller", payload.pop("Uninstall.exe", None) is not None)
    check_program("installer's Horomap.exe", payload.get("Horomap.exe", b""), version, reference)

    zpath = os.path.join(dist, "Horomira-%s-win32.zip" % version)
    with zipfile.ZipFile(zpath) as z:
        check("zip: intact", z.testzip() is None)
        top = "Horomira-%s/" % version
        names = z.namelist()
        check("zip: everything in " + top, all(n.startswith(top) for n in names))
        content = {n[len(top):]: z.read(n) for n in names if n.startswith(top)}
    check_program("zip's Horomap.exe", content.get("Horomap.exe", b""), version, reference)
    check("zip and installer hold the same files", content == payload,
          sorted(set(content) ^ set(payload)) or "contents differ")

    readme = content.get("README-ja.txt", b"")
    try:
        text = readme.decode("cp932")
    except UnicodeDecodeError as e:
        text = ""
        check("read-me: Shift-JIS", False, e)
    check("read-me: Japanese, CRLF line ends", "ホロミラ" in text and "\r\n" in text
          and text.count("\n") == text.count("\r\n"))
    check("read-me: names the version", version in text)
    guide = content.get("guide-ja.html", b"").decode("utf-8", "replace")
    check("guide: the Japanese user's guide", "<html lang=\"ja\">" in guide and "アンインストール" in guide)
    # The guide names the packages and the default person by version: a new
    # version must not leave the old names in it.
    stale = sorted(set(re.findall(r"\b\d+\.\d+\.\d+\.\d+\b", guide)) - {version})
    check("guide: names no other version", not stale, stale)
    pictures = re.findall(r'<img [^>]*src="([^"]+)"', guide)
    check("guide: the wheel and two screenshots",
          sum(p.endswith(".svg") for p in pictures) >= 1 and sum(p.endswith(".png") for p in pictures) >= 2,
          pictures)
    check("guide: every picture it shows is packed", pictures and all(p in content for p in pictures),
          [p for p in pictures if p not in content])


def check_deb(root, dist, scratch, version, built):
    arch = run(["dpkg", "--print-architecture"]).stdout.strip()
    deb = os.path.join(dist, "horomira_%s_%s.deb" % (version, arch))
    fields = run(["dpkg-deb", "--field", deb, "Package", "Version", "Architecture", "Depends"]).stdout
    check("deb: package horomira " + version, "Package: horomira" in fields and "Version: " + version in fields,
          fields)
    check("deb: depends on the C and C++ libraries", "libc6" in fields and "libstdc++6" in fields, fields)

    # A scratch root with an empty package database; its dependencies are
    # those of this machine, which built the program.
    target = os.path.join(scratch, "root")
    os.makedirs(os.path.join(target, "var/lib/dpkg/info"))
    os.makedirs(os.path.join(target, "var/lib/dpkg/updates"))
    open(os.path.join(target, "var/lib/dpkg/status"), "w").close()
    dpkg = ["dpkg", "--root=" + target, "--force-not-root", "--force-depends", "--log=/dev/null"]
    r = run(dpkg + ["-i", deb])
    check("deb: installs into a scratch root", r.returncode == 0, r.stderr.strip())
    listed = run(dpkg + ["-L", "horomira"]).stdout.split()
    cli = os.path.join(target, "usr/bin/horomira")
    man = os.path.join(target, "usr/share/man/man1/horomira.1.gz")
    completion = os.path.join(target, "usr/share/bash-completion/completions/horomira")
    for path in (cli, man, completion):
        check("deb: installs /" + os.path.relpath(path, target), "/" + os.path.relpath(path, target) in listed)
    r = run(dpkg + ["--verify", "horomira"])
    check("deb: its installed files match the package's checksums",
          r.returncode == 0 and r.stdout == "" and os.path.exists(os.path.join(target, "var/lib/dpkg/info/horomira.md5sums")),
          r.stdout.strip() + r.stderr.strip())
    r = run([cli, "--version"])
    check("deb: its horomira --version prints 'horomira %s'" % version,
          r.returncode == 0 and r.stdout == "horomira %s\n" % version and r.stdout == built, r.stdout)

    env = dict(os.environ, MANWIDTH="80", LC_ALL="C.UTF-8", MAN_DISABLE_SECCOMP="1")
    r = run(["man", "--warnings", "-l", man], env=env)
    page = re.sub(r".\x08", "", r.stdout)
    check("man page: renders with man -l", r.returncode == 0 and "horomira" in page, r.stderr.strip())
    check("man page: no warning from groff", r.stderr.strip() == "", r.stderr.strip())
    commands = re.findall(r"^  ([a-z][a-z-]*)", run([cli, "--help"]).stdout, re.M)
    for section in ("NAME", "SYNOPSIS", "DESCRIPTION", "COMMANDS", "EXAMPLES"):
        check("man page: section " + section, re.search("^" + section + "$", page, re.M) is not None)
    check("man page: every command of --help", commands and all("horomira " + c in page or
                                                                 re.search(r"^\s+" + re.escape(c) + r"\b", page, re.M)
                                                                 for c in commands),
          [c for c in commands if "horomira " + c not in page])
    check("man page: the version", version in page)

    # Completion as bash asks for it: words typed so far, the word to complete.
    def complete(*words):
        script = ('source "$1"; shift; COMP_WORDS=("$@"); COMP_CWORD=$(($# - 1)); '
                  '_horomira horomira "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD-1]}"; '
                  'printf "%s\\n" "${COMPREPLY[@]}"')
        env = dict(os.environ, PATH=os.path.dirname(cli) + os.pathsep + os.environ["PATH"])
        r = run(["bash", "-c", script, "bash", completion, "horomira"] + list(words), env=env, cwd=scratch)
        return sorted(w for w in r.stdout.split("\n") if w)

    for words, want in ((("",), commands + ["--help", "--version"]),
                        (("ch",), ["chart"]),
                        (("mo",), ["moon-ingress"]),
                        (("chart", "--sv"), ["--svg"]),
                        (("fortune", "--current-l"), ["--current-lat", "--current-lon"]),
                        (("data", ""), ["add", "delete", "list", "show"])):
        got = complete(*words)
        check("completion: horomira %s<Tab>" % " ".join(words), got == sorted(want), got)
    check("completion: --place offers the built-in places", "札幌" in complete("chart", "--place", ""))
    check("completion: --zone offers the zones", complete("chart", "--zone", "America/New") == ["America/New_York"],
          complete("chart", "--zone", "America/New"))

    r = run(dpkg + ["-r", "horomira"])
    left = [p for p in (cli, man, completion) if os.path.exists(p)]
    check("deb: removes cleanly", r.returncode == 0 and not left, r.stderr.strip() or left)


def check_make_install(root, scratch, built):
    """make install PREFIX=... DESTDIR=...: the three files under DESTDIR/PREFIX."""
    destdir = os.path.join(scratch, "destdir")
    r = run(["make", "-s", "--no-print-directory", "-C", root, "install", "PREFIX=/opt/horomira",
             "DESTDIR=" + destdir])
    check("make install PREFIX DESTDIR", r.returncode == 0, r.stderr.strip())
    prefix = os.path.join(destdir, "opt/horomira")
    for rel in ("bin/horomira", "share/man/man1/horomira.1", "share/bash-completion/completions/horomira"):
        check("make install: PREFIX/" + rel, os.path.isfile(os.path.join(prefix, rel)))
    r = run([os.path.join(prefix, "bin/horomira"), "--version"])
    check("make install: the installed horomira runs", r.stdout == built, r.stdout)


def main():
    root = os.path.abspath(sys.argv[1])
    version = run(["bash", "-c", 'source "$1/tools/dist_common.sh"; horo_version', "bash", root]).stdout.strip()
    dist = os.path.join(root, "dist")
    arch = run(["dpkg", "--print-architecture"]).stdout.strip()
    want = {"Horomira-%s-setup.exe" % version, "Horomira-%s-win32.zip" % version,
            "horomira_%s_%s.deb" % (version, arch), "SHA256SUMS"}
    check("dist holds the packages of version " + version, set(os.listdir(dist)) == want, sorted(os.listdir(dist)))
    sums = {}
    for line in open(os.path.join(dist, "SHA256SUMS")):
        digest, name = line.split(None, 1)
        sums[name.strip()] = digest
    check("SHA256SUMS matches", sums and all(
        hashlib.sha256(open(os.path.join(dist, n), "rb").read()).hexdigest() == d for n, d in sums.items()))
    built = run([os.path.join(root, "build/native/horomira"), "--version"]).stdout
    check("horomira --version names the version of src/base/version.h", built == "horomira %s\n" % version, built)

    scratch = os.path.join(root, "build/dist-check")
    shutil.rmtree(scratch, ignore_errors=True)
    os.makedirs(scratch)
    check_windows(root, dist, scratch, version)
    check_deb(root, dist, scratch, version, built)
    check_make_install(root, scratch, built)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())

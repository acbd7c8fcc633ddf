#!/usr/bin/env bash
# make dist: the four things a user receives, in dist/:
#
#   Horomira-<version>-setup.exe   the installer of the 32-bit Horomap.exe
#   Horomira-<version>-win32.zip   the same program as a portable folder
#   horomira_<version>_<arch>.deb  the command-line tool horomira for Debian
#   SHA256SUMS                     their checksums
#
# from the trees build/win32 (program, package folder and installer, built
# by its `setup` target) and build/native (horomira, its manual page).  The
# version is the one of src/base/version.h.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
# shellcheck source=dist_common.sh
source "$root/tools/dist_common.sh"
cd "$root"

version=$(horo_version)
arch=$(dpkg --print-architecture)
win=build/win32 native=build/native dist=dist
stage=build/dist

rm -rf "$dist" "$stage"
mkdir -p "$dist" "$stage"

# Reproducible archives: every file dated by the last commit.
export SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct 2>/dev/null || date +%s)}

# --- Windows: the installer and the portable zip of the same package folder.
setup=$win/Horomira-$version-setup.exe
[ -f "$setup" ] || { echo "make dist: $setup was not built (is nsis installed?)" >&2; exit 1; }
cp "$setup" "$dist/"
python3 - "$win/package" "$dist/Horomira-$version-win32.zip" "Horomira-$version" <<'PY'
import os, sys, time, zipfile
src, out, top = sys.argv[1:4]
stamp = time.gmtime(max(int(os.environ["SOURCE_DATE_EPOCH"]), 315532800))[:6]
with zipfile.ZipFile(out, "w", zipfile.ZIP_DEFLATED, compresslevel=9) as z:
    for folder, dirs, files in os.walk(src):
        dirs.sort()
        rel = os.path.relpath(folder, src)
        for name in sorted(files):
            arc = os.path.normpath(os.path.join(top, rel, name)).replace(os.sep, "/")
            info = zipfile.ZipInfo(arc, stamp)
            info.compress_type = zipfile.ZIP_DEFLATED
            info.external_attr = 0o644 << 16
            with open(os.path.join(folder, name), "rb") as f:
                z.writestr(info, f.read())
PY

# --- Linux: the command-line tool as a Debian package.
deb=$stage/deb
DESTDIR=$deb cmake --install "$native" --prefix /usr --strip >/dev/null
gzip -9n "$deb/usr/share/man/man1/horomira.1"
doc=$deb/usr/share/doc/horomira
mkdir -p "$doc" "$deb/DEBIAN"
printf 'horomira (%s) unstable; urgency=medium\n\n  * Release %s.\n\n -- %s  %s\n' \
  "$version" "$version" "$(horo_maintainer)" "$(date -u -R -d "@$SOURCE_DATE_EPOCH")" | gzip -9n >"$doc/changelog.gz"
# The libraries horomira needs, as dpkg-shlibdeps finds them.
shlibs=$stage/shlibs
mkdir -p "$shlibs/debian"
printf 'Source: horomira\n\nPackage: horomira\nArchitecture: any\n' >"$shlibs/debian/control"
depends=$(cd "$shlibs" && dpkg-shlibdeps -O "$root/$deb/usr/bin/horomira" 2>/dev/null | sed -n 's/^shlibs:Depends=//p')
sed -e "s/@VERSION@/$version/" -e "s/@ARCH@/$arch/" -e "s/@DEPENDS@/$depends/" \
    -e "s/@SIZE@/$(du -sk --exclude=DEBIAN "$deb" | cut -f1)/" -e "s/@MAINTAINER@/$(horo_maintainer)/" \
    "$root/packaging/deb-control" >"$deb/DEBIAN/control"
# The checksums dpkg --verify compares the installed files with.
(cd "$deb" && find usr -type f -print0 | LC_ALL=C sort -z | xargs -0 md5sum >DEBIAN/md5sums)
find "$deb" -exec touch -h -d "@$SOURCE_DATE_EPOCH" {} +
dpkg-deb --root-owner-group -Zxz --build "$deb" "$dist/horomira_${version}_${arch}.deb" >/dev/null

(cd "$dist" && sha256sum -- * >SHA256SUMS)
echo "make dist: $(ls "$dist" | tr '\n' ' ')"

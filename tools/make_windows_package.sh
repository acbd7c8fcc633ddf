#!/usr/bin/env bash
# The Windows program's package folder and its installer, in a Windows build
# tree (the `setup` target of CMakeLists.txt):
#
#   make_windows_package.sh HOROMAP_EXE NSIS_TARGET PACKAGE_DIR SETUP_EXE VERSION
#
# PACKAGE_DIR gets what a user receives: Horomap.exe, README-ja.txt (Shift-JIS,
# CRLF line ends, for Notepad on any Windows), guide-ja.html and the guide's
# pictures in docs/.  It is the content of the portable zip (tools/make_dist.sh)
# and the payload of packaging/horomira.nsi, which makensis builds for
# NSIS_TARGET (x86-unicode for the shipped i686 program, amd64-unicode for the
# x86-64 program, which the Wine tests use where the i686 one cannot run) as
# SETUP_EXE.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
exe=$1 target=$2 pkg=$3 setup=$4 version=$5

rm -rf "$pkg"
mkdir -p "$pkg"
cp "$exe" "$pkg/Horomap.exe"
sed -e "s/@VERSION@/$version/g" -e 's/$/\r/' "$root/packaging/README-ja.txt" \
  | iconv -f UTF-8 -t CP932 >"$pkg/README-ja.txt"
python3 "$root/tools/make_guide.py" "$root/README.md" "$pkg" "$version"

# The guide's pictures, whatever they are: the installer installs and its
# uninstaller removes each one by name (an include of the script, beside the
# package folder, not in it).
docs_nsh=$(dirname "$pkg")/package-docs.nsh
{
  echo '!macro InstallDocs'
  for f in "$pkg"/docs/*; do echo "  File \"\${PAYLOAD}\\docs\\$(basename "$f")\""; done
  echo '!macroend'
  echo '!macro RemoveDocs'
  for f in "$pkg"/docs/*; do echo "  Delete \"\$INSTDIR\\docs\\$(basename "$f")\""; done
  echo '!macroend'
} >"$docs_nsh"

# -V2: warnings and errors only; a warning fails the build (-WX).
makensis -V2 -WX -INPUTCHARSET UTF8 -DVERSION="$version" -DTARGET="$target" -DPAYLOAD="$pkg" \
  -DICON="$root/resources/horomira.ico" -DOUTFILE="$setup" -DDOCS_NSH="$docs_nsh" "$root/packaging/horomira.nsi"

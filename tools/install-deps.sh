#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, when they are
# missing.  Needs root for apt; without root it only says what is missing.
set -euo pipefail

packages=(cmake g++ make python3 libgtest-dev libbenchmark-dev zlib1g-dev
          g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix
          xvfb xauth xdotool imagemagick fonts-ipafont-gothic locales
          # The SVG pictures: read back by a Python check, rendered by
          # rsvg-convert; Liberation fonts stand in for Times New Roman and
          # Courier New there and under Wine.
          python3 librsvg2-bin fonts-liberation
          wine wine64 wine32:i386
          # The trap-number fix preloaded into 32-bit Wine under qemu-i386
          # (tools/i386_trapno.c): a cross compiler for i386 Linux that
          # installs beside the MinGW ones (gcc-multilib would remove them).
          gcc-i686-linux-gnu libc6-dev-i386-cross
          # Wine's own fonts (caption buttons, dialog font) and the X
          # extensions its display driver uses: only recommended by Wine.
          fonts-wine libxrender1 libxrandr2 libxi6 libxcursor1
          # make dist and its checks: the installer (NSIS, with its
          # amd64-unicode stubs for the Wine test of the x86-64 build), the
          # manual page, the Debian package, opening the installer (7z),
          # rendering the page.
          nsis help2man dpkg-dev p7zip-full man-db
          # A printer for the Wine test of 図を印刷: a CUPS server of the test
          # run alone, reached by 64-bit and 32-bit Wine through libcups;
          # Ghostscript renders the printed page for people to see.
          cups-daemon cups-client libcups2 libcups2:i386 ghostscript)
# `make fuzz` also needs clang with its libFuzzer runtime.
if [ "${1:-}" = fuzz ]; then
  packages+=(clang libclang-rt-14-dev)
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

# The Wine tests run in Japanese and, once more, in a Western locale.
locales=(ja_JP en_US)
has_locale() { locale -a 2>/dev/null | grep -qi "^$1\.utf-\?8\$"; }
missing_locales=()
for l in "${locales[@]}"; do
  has_locale "$l" || missing_locales+=("$l")
done

if [ "$(id -u)" -ne 0 ]; then
  [ ${#missing[@]} -gt 0 ] && echo "install-deps: missing (run as root to install): ${missing[*]}" >&2
  [ ${#missing_locales[@]} -gt 0 ] && echo "install-deps: missing locales: ${missing_locales[*]} (UTF-8)" >&2
  exit 0
fi

export DEBIAN_FRONTEND=noninteractive
if [ ${#missing[@]} -gt 0 ]; then
  echo "install-deps: installing ${missing[*]}"
  dpkg --print-foreign-architectures | grep -qx i386 || dpkg --add-architecture i386
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
for l in "${missing_locales[@]}"; do
  localedef -i "$l" -f UTF-8 "$l.UTF-8"
done
# 32-bit Wine under qemu-i386, so that the Wine tests run the shipped i686
# program here too (checked at every run: the binfmt_misc mount does not
# survive a restart).
bash "$(dirname "$0")/i386_route.sh"

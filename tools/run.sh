#!/usr/bin/env bash
# make run: starts Horomap.exe under Wine when a display is available and
# Wine can run it here (the i686 build, emulated by qemu-i386 where the
# kernel refuses 32-bit code; the x86-64 build where neither runs); otherwise
# prints through horomira what the program shows first.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
# shellcheck source=wine_env.sh
source "$root/tools/wine_env.sh"

# Starts the Windows program; returns only when it cannot be started.
start_windows_program() {
  [ -n "${DISPLAY:-}" ] || return 1
  horo_wine_choose "$root" || return 1
  if [ "$HORO_WINE_MODE" = win64 ]; then
    make -C "$root" --no-print-directory win64 >/dev/null || return 1
  fi
  horo_wine_prefix run-prefix || return 1
  echo "make run: Horomap.exe under Wine ($HORO_WINE_MODE build)"
  exec "$HORO_WINE" "$HORO_WIN_TREE/Horomap.exe"
}

# Headless: what the program would show, printed by the command-line tool.
print_through_horomira() {
  local cli=$root/build/native/horomira
  echo "make run: no display or no Wine; printing through horomira"
  echo
  # The present moment in JST.
  "$cli" time "$(TZ=Asia/Tokyo date +%Y-%m-%dT%H:%M:%S)"
  # Today's almanac: the Moon's next sign change, the phases, the solar terms.
  echo
  "$cli" almanac
  # The chart of the built-in default person, as the program opens with it.
  echo
  "$cli" chart --default-person
}

start_windows_program || print_through_horomira

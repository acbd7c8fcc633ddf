#!/usr/bin/env bash
# Runs the Wine tests: every tests/wine/test_*.cpp is a small Windows program
# (built in the Windows tree) that drives Horomap.exe or the program's boxes
# under Wine on a virtual display.  Exits non-zero when a test fails.
#
# Each test is called as  TEST.exe HOROMAP_EXE WORK_DIR SHOT_DIR  with an
# empty WORK_DIR of its own.  When a test writes SHOT_DIR\NAME.ready, a
# screenshot of the display is kept as build/<tree>/wine/NAME.png and
# SHOT_DIR\NAME.done tells the test to go on.
#
# The mode (tools/wine_env.sh) is win32 where the shipped i686 programs can
# run, natively or emulated by qemu-i386, and win64 elsewhere.  In mode
# win32 one test runs in both builds: test_typical_road again in build/win64,
# and the files and clipboard text it leaves must be the same bytes
# (cross_check).  HORO_WINE_MODE=win64 forces the x86-64 build.
#
# WINE_TEST=name runs that test alone, TEST_TIMEOUT=seconds gives it longer.
# The environment reaches the tests: test_session reads HORO_SESSION_SEED,
# HORO_SESSION_STEPS, HORO_SESSION_ONLY and HORO_SESSION_GO_ON (`make soak`
# sets them), e.g.  WINE_TEST=test_session HORO_SESSION_SEED=7
# HORO_SESSION_STEPS=40 bash tests/wine/run.sh

set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
# shellcheck source=../../tools/wine_env.sh
source "$root/tools/wine_env.sh"

TEST_TIMEOUT=${TEST_TIMEOUT:-240}   # seconds for one test program
SHOT_TIMEOUT=60    # seconds a test may take to reach its screenshot

# Windows path of a Unix path (drive Z: is the Unix root in every prefix).
winpath() { printf 'Z:%s' "${1//\//\\}"; }

now_ms() { date +%s%3N; }

# Takes the screenshots a running test asks for, until it ends (NAME.png, or
# NAME<suffix>.png for the run in another locale).
serve_screenshots() {
  local pid=$1 shots=$2 out=$3 suffix=${4:-} ready name
  while kill -0 "$pid" 2>/dev/null; do
    for ready in "$shots"/*.ready; do
      [ -e "$ready" ] || continue
      name=$(basename "$ready" .ready)
      import -window root "$out/$name$suffix.png" 2>/dev/null || echo "note: screenshot $name failed"
      rm -f "$ready"
      : >"$shots/$name.done"
    done
    sleep 0.1
  done
}

# Runs one test program; its output goes to the terminal and to its log.
# A suffix names the run in another locale: its work folder, log and
# screenshots get it.
run_one() {
  local name=$1 suffix=${2:-} out=$HORO_WIN_TREE/wine
  local work=$out/work/$name$suffix shots=$out/shots
  rm -rf "$work" && mkdir -p "$work" "$shots"
  rm -f "$shots"/*.ready "$shots"/*.done
  local start rc=0
  start=$(now_ms)
  timeout -k 5 "$TEST_TIMEOUT" "$HORO_WINE" "$HORO_WIN_TREE/$name.exe" \
    "$(winpath "$HORO_WIN_TREE/Horomap.exe")" "$(winpath "$work")" "$(winpath "$shots")" \
    >"$out/$name$suffix.log" 2>&1 &
  local pid=$!
  serve_screenshots "$pid" "$shots" "$out" "$suffix"
  wait "$pid" || rc=$?
  # A test passes only when it ran to its own summary line: a test process
  # ended from outside (a wineserver shut down under it) can exit with 0.
  if [ "$rc" -eq 0 ] && ! grep -aq "^$name: [0-9]* checks, 0 failed" "$out/$name$suffix.log"; then
    echo "  $name ended without its summary line"
    rc=1
  fi
  # The tests print CP932 (their texts are the program's).
  iconv -f CP932 -t UTF-8 -c "$out/$name$suffix.log" | sed 's/^/  /'
  local secs
  secs=$(awk -v ms=$(($(now_ms) - start)) 'BEGIN { printf "%.1f", ms / 1000 }')
  if [ "$rc" -eq 0 ]; then
    echo "PASS $name$suffix (${secs} s)"
  else
    [ "$rc" -eq 124 ] && echo "  (killed after ${TEST_TIMEOUT} s)"
    echo "FAIL $name$suffix (exit $rc, ${secs} s)"
  fi
  return "$rc"
}

# A printer for test_picture: a CUPS server of this run alone (its files
# in a folder of its own, a socket there and no network port), with one
# queue whose backend writes each job into a file.  Wine finds the queue
# through CUPS_SERVER and prints to it with its PostScript driver.  Sets
# HOROMIRA_TEST_PRINT_OUT (the file, a Windows path) when the queue is
# ready; without root or CUPS the test sees no printer.
PRINTER_DIR= PRINTER_PID=
start_printer() {
  local out=$1 dir i
  if [ "$(id -u)" -ne 0 ] || [ ! -x /usr/sbin/cupsd ] || ! command -v lpadmin >/dev/null; then
    echo "note: no printer for the tests (CUPS needs root and cups-daemon, cups-client)"
    return 0
  fi
  dir=$(mktemp -d /tmp/horomira-cups.XXXXXX) || return 0
  mkdir -p "$dir/conf" "$dir/spool" "$dir/cache" "$dir/state" "$dir/tmp" "$dir/log" "$dir/bin/backend"
  ln -s /usr/lib/cups/daemon "$dir/bin/daemon"
  ln -s /usr/lib/cups/notifier "$dir/bin/notifier"
  printf '%s\n' "Listen $dir/cups.sock" "LogLevel warn" "WebInterface No" "Browsing No" \
    "<Location />" "  Order allow,deny" "  Allow all" "</Location>" \
    "<Policy default>" "  <Limit All>" "    Order deny,allow" "  </Limit>" "</Policy>" >"$dir/conf/cupsd.conf"
  printf '%s\n' "ServerRoot $dir/conf" "ServerBin $dir/bin" "RequestRoot $dir/spool" "CacheDir $dir/cache" \
    "StateDir $dir/state" "TempDir $dir/tmp" "Printcap $dir/state/printcap" "ErrorLog $dir/log/error_log" \
    "AccessLog $dir/log/access_log" "PageLog $dir/log/page_log" >"$dir/conf/cups-files.conf"
  # The backend (run as root: mode 0700) copies the job's document into
  # the file named by the queue's device URI, whole or not at all.
  printf '%s\n' '#!/bin/sh' \
    '[ $# -eq 0 ] && { echo '\''file horofile "Unknown" "Horomira test file"'\''; exit 0; }' \
    'out=${DEVICE_URI#horofile:}' \
    'if [ -n "$6" ]; then cat "$6" >"$out.part"; else cat >"$out.part"; fi && mv "$out.part" "$out"' \
    >"$dir/bin/backend/horofile"
  chmod 0700 "$dir/bin/backend/horofile"
  /usr/sbin/cupsd -f -c "$dir/conf/cupsd.conf" -s "$dir/conf/cups-files.conf" >"$dir/log/stdout" 2>&1 &
  PRINTER_PID=$! PRINTER_DIR=$dir
  export CUPS_SERVER=$dir/cups.sock
  for i in $(seq 50); do
    lpstat -r >/dev/null 2>&1 && break
    sleep 0.2
  done
  if ! lpadmin -p HoromiraFile -E -v "horofile:$out" >/dev/null 2>&1 || ! lpadmin -d HoromiraFile >/dev/null 2>&1; then
    echo "note: the test printer could not be set up (CUPS: $dir/log)"
    return 0
  fi
  HOROMIRA_TEST_PRINT_OUT=$(winpath "$out")
  export HOROMIRA_TEST_PRINT_OUT
}
stop_printer() {
  if [ -n "$PRINTER_PID" ]; then
    kill "$PRINTER_PID" 2>/dev/null || true
    wait "$PRINTER_PID" 2>/dev/null || true
  fi
  if [ -n "$PRINTER_DIR" ]; then rm -rf "$PRINTER_DIR"; fi
  PRINTER_PID= PRINTER_DIR=
}

# The test that lists the commands no test reached: it reads the log that
# every Horomap.exe started by the tests appends its commands to, so it
# runs after all the others.
COVERAGE_TEST=test_command_coverage

# The test run in both builds, and what it leaves in its WORK_DIR that must
# be the same bytes in both: the birth-data files it wrote and the text the
# program put on the clipboard.
CROSS_TEST=test_typical_road
CROSS_FILES=("出生ﾃﾞｰﾀ.Bd5" "家族.bd5" clipboard.txt)

# The x86-64 build against the i686 build: CROSS_TEST in build/win64 (its
# log and screenshots there), then its files compared with those of the
# run in build/win32.
cross_check() (
  local i686_work=$HORO_WIN_TREE/wine/work/$CROSS_TEST file failed=0
  echo "cross-check: $CROSS_TEST again in the x86-64 build"
  horo_wine_use win64 "$root"
  horo_wine_prefix prefix unmanaged || return 1
  mkdir -p "$HORO_WIN_TREE/wine"
  HOROMAP_COMMAND_LOG=$(winpath "$HORO_WIN_TREE/wine/commands.log")
  run_one "$CROSS_TEST" || failed=1
  timeout -k 5 30 "$HORO_WINESERVER" -k 2>/dev/null || true
  for file in "${CROSS_FILES[@]}"; do
    if cmp "$i686_work/$file" "$HORO_WIN_TREE/wine/work/$CROSS_TEST/$file"; then
      echo "  ok   $file: the same bytes in both builds"
    else
      echo "  FAIL $file differs between build/win32 and build/win64"
      failed=1
    fi
  done
  if [ "$failed" -eq 0 ]; then
    echo "PASS cross-check of build/win32 and build/win64"
  else
    echo "FAIL cross-check of build/win32 and build/win64"
  fi
  return "$failed"
)

# The tests run again in a Western locale: Wine takes the system's code page
# from it (1252), where the program must still show and keep Japanese.  On
# disk the sample file must bear its Japanese name.
LOCALE_TESTS=(test_startup test_typical_road)
OTHER_LOCALE=en_US.UTF-8
OTHER_ACP=1252

run_in_other_locale() (
  local failed=0 name
  export LANG=$OTHER_LOCALE LC_ALL=$OTHER_LOCALE HORO_EXPECT_ACP=$OTHER_ACP
  for name in "${LOCALE_TESTS[@]}"; do
    [ -n "${WINE_TEST:-}" ] && [ "$name" != "$WINE_TEST" ] && continue
    run_one "$name" ".$OTHER_ACP" || failed=1
  done
  local sample="$HORO_WIN_TREE/wine/work/test_typical_road.$OTHER_ACP/出生ﾃﾞｰﾀ.Bd5"
  if [ -z "${WINE_TEST:-}" ] || [ "$WINE_TEST" = test_typical_road ]; then
    if [ -s "$sample" ]; then
      echo "  ok   code page $OTHER_ACP: the sample file is on disk as 出生ﾃﾞｰﾀ.Bd5"
    else
      echo "  FAIL code page $OTHER_ACP: no file 出生ﾃﾞｰﾀ.Bd5 on disk"
      failed=1
    fi
  fi
  timeout -k 5 30 "$HORO_WINESERVER" -k 2>/dev/null || true
  return "$failed"
)

# Inside the virtual display: every test, then the prefix's Wine processes
# are ended; the tests of the other locale follow, and in mode win32 the
# cross-check.
run_all() {
  local failed=0 src name
  # A Wine left from an interrupted run would still talk to its old display.
  timeout -k 5 30 "$HORO_WINESERVER" -k 2>/dev/null || true
  rm -f "$HORO_WIN_TREE"/wine/*.png
  mkdir -p "$HORO_WIN_TREE/wine"
  local log=$HORO_WIN_TREE/wine/commands.log
  # A full run starts a new log; a single test adds to the last one.
  [ -z "${WINE_TEST:-}" ] && rm -f "$log"
  # test_picture compares the SVG picture Horomap.exe saves with the one
  # horomira writes of the same person (the one the test enters) and the
  # same size (the test's chart area).
  local ref=$HORO_WIN_TREE/wine/reference-picture.svg
  rm -f "$ref"
  "$root/build/native/horomira" chart --name 山田花子 --date 1985-04-12T09:30 --place 札幌 \
    --size 800x560 --svg "$ref" >/dev/null || echo "note: horomira wrote no reference picture"
  HOROMIRA_REFERENCE_SVG=$(winpath "$ref")
  export HOROMIRA_REFERENCE_SVG
  local printed=$HORO_WIN_TREE/wine/printed-page.ps
  rm -f "$printed" "${printed%.ps}.png"
  start_printer "$printed"
  trap stop_printer EXIT
  # The program keeps the log only in a test process (HOROMAP_TEST_HOOKS=1).
  HOROMAP_COMMAND_LOG=$(winpath "$log")
  HOROMAP_TEST_HOOKS=1
  export HOROMAP_COMMAND_LOG HOROMAP_TEST_HOOKS
  for src in "$root"/tests/wine/test_*.cpp; do
    name=$(basename "$src" .cpp)
    [ "$name" = "$COVERAGE_TEST" ] && continue
    # WINE_TEST=name runs that test alone.
    [ -n "${WINE_TEST:-}" ] && [ "$name" != "$WINE_TEST" ] && continue
    run_one "$name" || failed=$((failed + 1))
  done
  if [ -z "${WINE_TEST:-}" ] || [ "$WINE_TEST" = "$COVERAGE_TEST" ]; then
    run_one "$COVERAGE_TEST" || failed=$((failed + 1))
  fi
  timeout -k 5 30 "$HORO_WINESERVER" -k 2>/dev/null || true
  stop_printer
  # The printed page as it comes on paper (Ghostscript, 100 dpi).
  if [ -s "$printed" ] && command -v gs >/dev/null; then
    gs -q -dSAFER -dBATCH -dNOPAUSE -sDEVICE=png16m -r100 -sOutputFile="${printed%.ps}.png" "$printed" \
      || echo "note: the printed page could not be rendered"
  fi
  run_in_other_locale || failed=$((failed + 1))
  if [ "$HORO_WINE_MODE" = win32 ] && { [ -z "${WINE_TEST:-}" ] || [ "$WINE_TEST" = "$CROSS_TEST" ]; }; then
    cross_check || failed=$((failed + 1))
  fi
  local png
  for png in "$HORO_WIN_TREE"/wine/*.png; do
    [ -e "$png" ] && echo "screenshot: $png"
  done
  if [ "$failed" -ne 0 ]; then
    echo "wine tests: $failed failed"
    return 1
  fi
  echo "wine tests: all passed"
}

# The second half runs inside the virtual display, in the mode chosen by the
# first.
if [ "${1:-}" = "--inside-display" ]; then
  horo_wine_prefix prefix unmanaged
  run_all
  exit
fi

t0=$(now_ms)
if ! horo_wine_choose "$root"; then
  echo "wine tests: no working Wine (install wine64, or wine32 where 32-bit code runs)" >&2
  exit 1
fi
echo "wine tests: $HORO_WINE_HOW"
export HORO_WINE_MODE HORO_WINE HORO_WINESERVER HORO_WIN_TREE
if [ "$HORO_WINE_MODE" = win32 ]; then
  # build/win64 for the cross-check.
  make -C "$root" --no-print-directory win32 win64
  (horo_wine_use win64 "$root" && horo_wine_prefix prefix unmanaged)
else
  make -C "$root" --no-print-directory win64
fi
# horomira writes the reference picture of test_picture.
make -C "$root" --no-print-directory native
horo_wine_prefix prefix unmanaged
xvfb-run -a -s "-screen 0 1024x768x24" bash "$0" --inside-display
echo "wine tests: $(awk -v ms=$(($(now_ms) - t0)) 'BEGIN { printf "%.1f", ms / 1000 }') s in all"

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

# Takes the screenshots a running test asks for, until it ends.
serve_screenshots() {
  local pid=$1 shots=$2 out=$3 ready name
  while kill -0 "$pid" 2>/dev/null; do
    for ready in "$shots"/*.ready; do
      [ -e "$ready" ] || continue
      name=$(basename "$ready" .ready)
      import -window root "$out/$name.png" 2>/dev/null || echo "note: screenshot $name failed"
      rm -f "$ready"
      : >"$shots/$name.done"
    done
    sleep 0.1
  done
}

# Runs one test program; its output goes to the terminal and to its log.
run_one() {
  local name=$1 out=$HORO_WIN_TREE/wine
  local work=$out/work/$name shots=$out/shots
  rm -rf "$work" && mkdir -p "$work" "$shots"
  rm -f "$shots"/*.ready "$shots"/*.done
  local start rc=0
  start=$(now_ms)
  timeout -k 5 "$TEST_TIMEOUT" "$HORO_WINE" "$HORO_WIN_TREE/$name.exe" \
    "$(winpath "$HORO_WIN_TREE/Horomap.exe")" "$(winpath "$work")" "$(winpath "$shots")" \
    >"$out/$name.log" 2>&1 &
  local pid=$!
  serve_screenshots "$pid" "$shots" "$out"
  wait "$pid" || rc=$?
  # The tests print CP932 (their texts are the program's).
  iconv -f CP932 -t UTF-8 -c "$out/$name.log" | sed 's/^/  /'
  local secs
  secs=$(awk -v ms=$(($(now_ms) - start)) 'BEGIN { printf "%.1f", ms / 1000 }')
  if [ "$rc" -eq 0 ]; then
    echo "PASS $name (${secs} s)"
  else
    [ "$rc" -eq 124 ] && echo "  (killed after ${TEST_TIMEOUT} s)"
    echo "FAIL $name (exit $rc, ${secs} s)"
  fi
  return "$rc"
}

# The test that lists the commands no test reached: it reads the log that
# every Horomap.exe started by the tests appends its commands to, so it
# runs after all the others.
COVERAGE_TEST=test_command_coverage

# Inside the virtual display: every test, then the prefix's Wine processes
# are ended.
run_all() {
  local failed=0 src name
  # A Wine left from an interrupted run would still talk to its old display.
  timeout -k 5 30 "$HORO_WINESERVER" -k 2>/dev/null || true
  rm -f "$HORO_WIN_TREE"/wine/*.png
  mkdir -p "$HORO_WIN_TREE/wine"
  local log=$HORO_WIN_TREE/wine/commands.log
  # A full run starts a new log; a single test adds to the last one.
  [ -z "${WINE_TEST:-}" ] && rm -f "$log"
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
if [ "$HORO_WINE_MODE" = win32 ]; then
  echo "wine tests: mode win32 (i686 programs of build/win32, 32-bit Wine)"
else
  echo "wine tests: mode win64 (32-bit code cannot execute here: x86-64 programs of build/win64, 64-bit Wine)"
fi
export HORO_WINE_MODE HORO_WINE HORO_WINESERVER HORO_WIN_TREE
make -C "$root" --no-print-directory "$HORO_WINE_MODE"
horo_wine_prefix prefix unmanaged
xvfb-run -a -s "-screen 0 1024x768x24" bash "$0" --inside-display
echo "wine tests: $(awk -v ms=$(($(now_ms) - t0)) 'BEGIN { printf "%.1f", ms / 1000 }') s in all"

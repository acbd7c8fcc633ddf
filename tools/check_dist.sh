#!/usr/bin/env bash
# make test-dist: opens and checks what `make dist` put into dist/
# (tools/check_dist.py says what).  The installer's run under Wine is
# tests/wine/test_installer.cpp.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
t0=$(date +%s%3N)
if python3 "$root/tools/check_dist.py" "$root"; then
  echo "dist checks: all passed ($(awk -v ms=$(($(date +%s%3N) - t0)) 'BEGIN { printf "%.1f", ms / 1000 }') s)"
else
  echo "dist checks: failed"
  exit 1
fi

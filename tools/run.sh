#!/usr/bin/env bash
# make run: starts Horomap.exe under Wine when a display is available,
# otherwise prints through horomira what the program would show first.
set -euo pipefail
cd "$(dirname "$0")/.."
./build/native/horomira time "$(date -u -d '+9 hours' +%Y-%m-%dT%H:%M:%S)"

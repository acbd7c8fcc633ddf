#!/usr/bin/env bash
# make fuzz: builds the libFuzzer target of the stored files (.bd5 and
# settings) with clang, runs it for FUZZ_TIME seconds (default 600) from the
# committed corpus, and with FUZZ_MERGE=1 minimizes what it found back into
# tests/fuzz/corpus.
set -euo pipefail
cd "$(dirname "$0")/.."
out=build/fuzz
mkdir -p "$out/corpus"
# The portable engine, the shared records and the native platform layer, as
# horocore, horobase and horoplatform hold them.
sources=$(find src/base src/time src/ephemeris src/chart src/events src/readings src/persistence src/entry src/platform \
  -maxdepth 1 -name '*.cpp' 2>/dev/null; ls src/platform/native/*.cpp)
clang++ -std=c++17 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
  -finput-charset=UTF-8 -Isrc $sources tests/fuzz/fuzz_persistence.cpp -o "$out/fuzz_persistence"
"$out/fuzz_persistence" -max_total_time="${FUZZ_TIME:-600}" -max_len=8192 -print_final_stats=1 \
  "$out/corpus" tests/fuzz/corpus
if [ "${FUZZ_MERGE:-0}" = 1 ]; then
  rm -rf "$out/merged" && mkdir -p "$out/merged"
  "$out/fuzz_persistence" -merge=1 "$out/merged" tests/fuzz/corpus "$out/corpus"
  rm -f tests/fuzz/corpus/* && cp "$out"/merged/* tests/fuzz/corpus/
fi

#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Runs the catalogue fuzzer under ASan and UBSan (clang's libFuzzer) for a
# bounded time, starting from the seed corpus, without changing it.
#   scripts/fuzz.sh [SECONDS]        (default 60; CI runs 60)
# New inputs go to build-fuzz/corpus; a crash leaves its input in
# build-fuzz/artifacts/ and makes the script fail. Keep such an input as
# tests/fuzz/corpus/catalogue/regression-<what> once it is fixed.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"

scripts/ensure-deps.sh
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz

mkdir -p build-fuzz/corpus build-fuzz/artifacts
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
status=0
build-fuzz/tests/fuzz/catalogue_fuzzer -max_total_time="$seconds" -max_len=16384 \
  -print_final_stats=1 -artifact_prefix=build-fuzz/artifacts/ \
  build-fuzz/corpus tests/fuzz/corpus/catalogue >build-fuzz/fuzz.log 2>&1 || status=$?
# The progress lines are many; the summary and any report are what matter.
grep -v -E '^#[0-9]+[[:space:]]+(NEW|REDUCE|pulse|RELOAD)' build-fuzz/fuzz.log | tail -n 60
exit "$status"

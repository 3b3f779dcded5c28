#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The whole test suite: a release build with warnings as errors, the same
# suite under AddressSanitizer and UndefinedBehaviorSanitizer, then the unit
# and integration suites under ThreadSanitizer.
# Installs the Debian packages first when any is missing (needs root).
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/ensure-deps.sh

for preset in default sanitize tsan; do
  echo "== ${preset}: configure and build"
  cmake --preset "${preset}" >/dev/null
  cmake --build --preset "${preset}"
  echo "== ${preset}: test"
  ctest --preset "${preset}"
done

#!/usr/bin/env bash
# The whole test suite: a release build with warnings as errors, then the
# same suite under AddressSanitizer and UndefinedBehaviorSanitizer.
# Installs the Debian packages first when any is missing (needs root).
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/ensure-deps.sh

for preset in default sanitize; do
  echo "== ${preset}: configure and build"
  cmake --preset "${preset}" >/dev/null
  cmake --build --preset "${preset}"
  echo "== ${preset}: test"
  ctest --preset "${preset}"
done

#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The build's catalogue step, as the build runs it: good catalogues enter the
# bundle, and a catalogue with errors stops it with the checker's lines.
#   catalogue-gate.sh CHECKER
set -euo pipefail
checker="$1"
here="$(cd "$(dirname "$0")" && pwd)"
script="$here/../../cmake/BundleCatalogues.cmake"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
fail() { echo "catalogue-gate: $*" >&2; exit 1; }

examples="$here/../../resources"
cmake -DCHECKER="$checker" -DWIFI="$examples/wifiDevices.plist" -DOTHER="$examples/otherDevices.plist" \
  -DDESTINATION="$work/good" -P "$script" >/dev/null 2>&1 || fail "the example catalogues were refused"
cmp -s "$work/good/wifiDevices.plist" "$examples/wifiDevices.plist" || fail "the Wi-Fi catalogue was not bundled"
cmp -s "$work/good/otherDevices.plist" "$examples/otherDevices.plist" || fail "the other catalogue was not bundled"

# A model with no product id can never match: an error.
sed 's#<key>pid</key>#<key>pdi</key>#' "$examples/otherDevices.plist" > "$work/other.plist"
if cmake -DCHECKER="$checker" -DWIFI="$examples/wifiDevices.plist" -DOTHER="$work/other.plist" \
    -DDESTINATION="$work/bad" -P "$script" > "$work/output" 2>&1; then
  fail "a catalogue with errors was accepted"
fi
grep -q "other.plist.*: error: " "$work/output" || fail "no checker line: $(cat "$work/output")"
grep -q "The device catalogues have errors" "$work/output" || fail "no explanation: $(cat "$work/output")"
[ ! -e "$work/bad/otherDevices.plist" ] || fail "the refused catalogue was bundled"

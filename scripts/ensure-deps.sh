#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Runs install-deps.sh GROUP when a package of that group is not installed yet.
#   ensure-deps.sh [run|demo|all]      (default: all)
set -euo pipefail
here="$(dirname "$0")"
group="${1:-all}"
missing=$("$here/install-deps.sh" --list "$group" | tr ' ' '\n' | grep . \
  | while read -r p; do dpkg-query -W -f='${Status}\n' "$p" 2>/dev/null | grep -q 'install ok installed' || echo "$p"; done)
if [ -n "$missing" ]; then
  echo "Installing missing packages: $(echo $missing)"
  if [ "$(id -u)" -eq 0 ]; then
    "$here/install-deps.sh" "$group"
  else
    sudo "$here/install-deps.sh" "$group"
  fi
fi

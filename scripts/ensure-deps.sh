#!/usr/bin/env bash
# Runs install-deps.sh when a package it lists is not installed yet.
set -euo pipefail
here="$(dirname "$0")"
missing=$(sed -n '/^packages=(/,/^)/p' "$here/install-deps.sh" | grep -v '^\s*#' | tr -s ' ()' '\n' \
  | grep -E '^[a-z0-9][a-z0-9.+-]+$' | grep -v '^packages$' \
  | while read -r p; do dpkg-query -W -f='${Status}\n' "$p" 2>/dev/null | grep -q 'install ok installed' || echo "$p"; done)
if [ -n "$missing" ]; then
  echo "Installing missing packages: $(echo $missing)"
  if [ "$(id -u)" -eq 0 ]; then
    "$here/install-deps.sh"
  else
    sudo "$here/install-deps.sh"
  fi
fi

#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Tries the assistant without a printer: an emulated one (umockdev), a
# stand-in for the maker's Wi-Fi setup tool, and no agents in the catalogue,
# so that neither the user's systemd nor any driver file is touched.
#   scripts/demo.sh [wifi|usb|plug|none]     (default: wifi)
# wifi, usb: a listed printer of that kind is attached at start.
# plug: none at start; the Wi-Fi printer is plugged in after 3 s.
# none: no printer; the assistant waits for one.
# On a display the real windows open. Without one it runs on a virtual
# display and saves screenshots under build/demo/.
set -euo pipefail
cd "$(dirname "$0")/.."
mode="${1:-wifi}"
case "$mode" in wifi|usb|plug|none) ;; *) sed -n '3,11p' "$0" >&2; exit 2 ;; esac

. scripts/demo/stand-in-bundle.sh
build_stand_in_bundle demo

if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  exec umockdev-wrapper /usr/bin/python3 scripts/demo/drive.py "$mode" "$bundle"
fi

. scripts/desktop.sh
start_virtual_display 1024x700
mkdir -p build/demo
DISPLAY="$display" umockdev-wrapper /usr/bin/python3 scripts/demo/drive.py "$mode" "$bundle" \
  "$PWD/build/demo/$mode"
echo "No display here: the assistant ran on a virtual one; the screenshots are above."

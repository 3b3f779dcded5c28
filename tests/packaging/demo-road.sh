#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The demo as scripts/demo.sh runs it without a display, on the built bundle:
# a prepared copy whose Wi-Fi tool is the stand-in and whose catalogue lists
# no agents (the user's systemd is never asked), and screenshots of what the
# emulated printers bring.
#   demo-road.sh BUNDLE_DIR
set -euo pipefail
bundle="$(cd "$1" && pwd)"
root="$(cd "$(dirname "$0")/../.." && pwd)"
work="$(mktemp -d)"
cd "$root"
. scripts/desktop.sh
on_exit 'rm -rf "$work"'
start_virtual_display 1024x700
fail() { echo "demo-road: $*" >&2; exit 1; }

/usr/bin/python3 scripts/demo/prepare.py "$bundle" "$work/bundle" 2> "$work/prepare.log"
grep -q "scripts/demo/example-wifi-setup" "$work/bundle/share/runNetlume/wifiDevices.plist" \
  || fail "the prepared Wi-Fi catalogue does not name the stand-in tool"
grep -q "demo: not reloaded: /" "$work/prepare.log" || fail "the maker's agents were not named"
! grep -q "LaunchAgentPath" "$work/bundle/share/runNetlume/wifiDevices.plist" \
  || fail "the prepared Wi-Fi catalogue still lists agents"
export PATH="$root/scripts/demo/bin:$PATH"
for mode in usb plug; do
  DISPLAY="$display" "$root/tests/umockdev-wrapper.sh" /usr/bin/python3 scripts/demo/drive.py \
    "$mode" "$work/bundle" "$work/$mode" > "$work/$mode.log" 2>&1 || fail "$mode: $(cat "$work/$mode.log")"
  ! grep -q "agent" "$work/$mode.log" || fail "$mode: agents were reloaded: $(cat "$work/$mode.log")"
done
grep -q "found f055 101" "$work/usb.log" || fail "usb: the printer was not found: $(cat "$work/usb.log")"
[ "$(grep -c DeviceAttach "$work/plug.log")" -ge 2 ] || fail "plug: no plug came: $(cat "$work/plug.log")"
for shot in usb-1 plug-1 plug-2; do
  [ -s "$work/$shot.png" ] || fail "no screenshot $shot"
done
# The plugged Wi-Fi printer changed what is shown.
cmp -s "$work/plug-1.png" "$work/plug-2.png" && fail "the screen did not change after the plug"
exit 0

#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Counts how often the assistant's threads wake up while it waits on the
# connect screen: context switches of every thread over an idle interval.
# On X it counts again once the window is minimized (unmapped, as a window
# manager does it), when nothing of it shows.
#   bench/idle-wakeups.sh [BUNDLE_DIR] [SECONDS] [QT_PLATFORM]
# QT_PLATFORM is offscreen (default) or xcb (a virtual X display).
set -euo pipefail
bundle="${1:-build/bundle}"
seconds="${2:-10}"
qpa="${3:-offscreen}"

work="$(mktemp -d)"
trap 'kill "${app:-}" "${xvfb:-}" 2>/dev/null || true; rm -rf "$work"' EXIT
cp -a "$bundle" "$work/bundle"
# Catalogues that list nothing attached, so that the connect screen shows.
for name in wifiDevices otherDevices; do
  printf '<?xml version="1.0"?><plist version="1.0"><dict><key>devices</key><array/></dict></plist>\n' \
    > "$work/bundle/share/runNetlume/$name.plist"
done

if [ "$qpa" = xcb ]; then
  Xvfb :187 -screen 0 1280x800x24 -nolisten tcp -noreset >/dev/null 2>&1 &
  xvfb=$!
  export DISPLAY=:187
  for _ in $(seq 100); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.05; done
fi

export UMOCKDEV_DIR="$work/testbed"
mkdir -p "$UMOCKDEV_DIR/sys/devices" "$UMOCKDEV_DIR/sys/bus/usb/devices"
QT_QPA_PLATFORM="$qpa" umockdev-wrapper "$work/bundle/bin/runNetlume" 2>"$work/log" &
app=$!
for _ in $(seq 100); do grep -q 'DeviceAttach' "$work/log" 2>/dev/null && break; sleep 0.05; done
sleep 1 # let start-up settle before counting

switches() {
  local total=0
  for status in /proc/"$app"/task/*/status; do
    while read -r key value; do
      case "$key" in voluntary_ctxt_switches:|nonvoluntary_ctxt_switches:) total=$((total + value));; esac
    done < "$status"
  done
  echo "$total"
}
count() {
  local before after
  before=$(switches)
  sleep "$seconds"
  after=$(switches)
  echo "platform=$qpa window=$1 threads=$(ls /proc/"$app"/task | wc -l) idle_seconds=$seconds" \
    "wakeups=$((after - before))"
}
count shown
if [ "$qpa" = xcb ]; then
  xdotool search --sync --onlyvisible --pid "$app" | while read -r window; do
    xdotool windowminimize "$window" 2>/dev/null || true
    xdotool windowunmap "$window"
  done
  sleep 1
  count minimized
fi

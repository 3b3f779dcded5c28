#!/usr/bin/env bash
# Installs what is missing, builds the bundle and starts the assistant.
# Without a display it runs on a virtual one (Xvfb), saves a screenshot of
# what the assistant shows and says where; then it ends the assistant.
# Arguments are passed to the assistant (Qt's own options, such as -platform).
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/ensure-deps.sh
cmake --preset default >/dev/null
cmake --build --preset default --target runNetlume

app=build/bundle/bin/runNetlume
if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  exec "$app" "$@"
fi

display=":$((90 + RANDOM % 100))"
Xvfb "$display" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill "$xvfb" 2>/dev/null || true' EXIT
for _ in $(seq 50); do xdpyinfo -display "$display" >/dev/null 2>&1 && break; sleep 0.1; done

DISPLAY="$display" "$app" "$@" &
assistant=$!
# Wait until one of the assistant's windows is mapped and painted.
for _ in $(seq 100); do
  if DISPLAY="$display" xwininfo -root -tree 2>/dev/null | grep -q -E '"(Printer Setup Assistant|Add Printer)"'; then
    break
  fi
  kill -0 "$assistant" 2>/dev/null || break
  sleep 0.1
done
sleep 0.5

mkdir -p build/screenshots
shot="build/screenshots/runNetlume-$(date +%Y%m%d-%H%M%S).png"
DISPLAY="$display" import -window root "$shot"
kill -TERM "$assistant" 2>/dev/null || true
wait "$assistant" || true
echo "No display here: the assistant ran on a virtual one. Screenshot: $(pwd)/$shot"

#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs what running needs (not the test tools), builds the bundle and
# starts the assistant with the example catalogues. A stand-in takes the
# place of the maker's Wi-Fi setup tool, and the agents are left out of the
# catalogue, so the user's own systemd is never asked to reload anything; to
# try it with an emulated printer, use scripts/demo.sh.
# Without a display it runs on a virtual one (Xvfb), saves a screenshot of
# what the assistant shows and says where; then it ends the assistant.
# Arguments are passed to the assistant (Qt's own options, such as -platform).
set -euo pipefail
cd "$(dirname "$0")/.."

. scripts/demo/stand-in-bundle.sh
build_stand_in_bundle run

app="$bundle/bin/runNetlume"
if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  exec "$app" "$@"
fi

. scripts/desktop.sh
start_virtual_display 1280x800

DISPLAY="$display" "$app" "$@" &
assistant=$!
on_exit "kill -TERM $assistant 2>/dev/null; wait $assistant"
mkdir -p build/screenshots
shot="build/screenshots/runNetlume-$(date +%Y%m%d-%H%M%S).png"
screenshot_once_shown "$assistant" "$shot"
echo "No display here: the assistant ran on a virtual one. Screenshot: $(pwd)/$shot"

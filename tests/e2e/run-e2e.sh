#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Runs the end-to-end suite against a built bundle: a virtual display, a
# D-Bus session with the accessibility bus, and the suite driving the
# assistant from outside as a screen reader would.
#   run-e2e.sh BUNDLE_DIR WRITE_SAMPLES_PROGRAM [TEST_NAME...]
set -euo pipefail
bundle="$(cd "$1" && pwd)"
here="$(cd "$(dirname "$0")" && pwd)"

if [ -z "${RUNNETLUME_E2E_INNER:-}" ]; then
  export RUNNETLUME_E2E_INNER=1
  exec dbus-run-session -- "$0" "$@"
fi

. "$here/../../scripts/desktop.sh"
start_virtual_display 1280x800
/usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
on_exit "kill $! 2>/dev/null"

export DISPLAY="$display" QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 NO_AT_BRIDGE=0
export RUNNETLUME_BUNDLE="$bundle" RUNNETLUME_STANDINS="$here/../standins"
export RUNNETLUME_WRITE_SAMPLES="$2"
# The suite itself runs under the preload: umockdev sends a uevent only from a
# process that sees the emulated /sys.
"$here/../umockdev-wrapper.sh" /usr/bin/python3 "$here/assistant_e2e.py" -v "${@:3}" 2>&1

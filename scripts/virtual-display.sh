# SPDX-License-Identifier: MIT
# Sourced by the scripts that show the assistant where there is no display:
#   start_virtual_display WIDTHxHEIGHT
# starts Xvfb on a free display number, waits until it takes clients, sets
# $display and $xvfb, and ends the server when the script exits.
# -noreset: a server resets when its last client leaves, and refuses anyone
# connecting meanwhile (the assistant right after the readiness probe).
start_virtual_display() {
  display=""
  for n in $(seq 90 189); do
    if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then display=":$n"; break; fi
  done
  [ -n "$display" ] || { echo "no free X display number" >&2; return 1; }
  Xvfb "$display" -screen 0 "$1x24" -nolisten tcp -noreset >/dev/null 2>&1 &
  xvfb=$!
  trap 'kill "$xvfb" 2>/dev/null || true' EXIT
  for _ in $(seq 100); do xdpyinfo -display "$display" >/dev/null 2>&1 && return 0; sleep 0.05; done
  echo "Xvfb did not start on $display" >&2
  return 1
}

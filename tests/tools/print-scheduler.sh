#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# A real CUPS scheduler of the tests' own, on a socket in a folder of theirs,
# with no queue but the ones a test adds:
#   eval "$(tests/tools/print-scheduler.sh start FOLDER)"   # sets CUPS_SERVER
#   lpadmin -p NAME -E -v "usb://Maker/Model?serial=X"       # asks that scheduler
#   tests/tools/print-scheduler.sh stop FOLDER
# With a PORT after FOLDER it also listens on localhost:PORT, as a network
# printer (or an IPP-over-USB port) would.
# The scheduler takes a queue only for a device scheme it has a backend for;
# its backends are the system's, plus a usb one of the tests': the real one,
# which Debian ships with the whole print system, cannot see an emulated
# USB printer. Asked for its devices, it lists the lines of FOLDER/usb-devices
# (as "direct URI "MAKE MODEL" "INFO" "DEVICE-ID" """); it prints no job.
# A scheduler that misbehaves, as users' sometimes do, answers on a socket
# in FOLDER (or, with a PORT, as an IPP-over-USB port would, on that port):
#   eval "$(tests/tools/print-scheduler.sh misbehave silent|trickle|endless|busy|ipp-usb FOLDER [PORT])"
# silent takes the connection and never answers, trickle sends a whole answer
# a byte a second, endless sends ever new queues as fast as they are read,
# busy refuses at once with IPP's server-error-busy and a message.
# Exits 2, with the reason on one line, where no scheduler can be started.
set -euo pipefail
command=${1:-}
if [ "$command" = misbehave ]; then
  mode=${2:-}
  shift
fi
folder=${2:-}
port=${3:-}

fail() { echo "print-scheduler.sh: $*" >&2; exit 2; }

[ -n "$folder" ] || fail "usage: print-scheduler.sh start|stop FOLDER, or misbehave MODE FOLDER"
[ "$command" = misbehave ] || [ -x /usr/sbin/cupsd ] || fail "cupsd is not installed (Debian's cups-daemon)"

case "$command" in
misbehave)
  mkdir -p "$folder"
  folder=$(cd "$folder" && pwd)
  address=${port:-$folder/cups.sock}
  /usr/bin/python3 "$(dirname "$0")/misbehaving-ipp.py" "$mode" "$address" >"$folder/misbehaving.out" 2>&1 &
  echo $! >"$folder/cupsd.pid"
  for _ in $(seq 100); do
    if grep -q ready "$folder/misbehaving.out" 2>/dev/null; then
      echo "export CUPS_SERVER=$folder/cups.sock"
      exit 0
    fi
    kill -0 "$(cat "$folder/cupsd.pid")" 2>/dev/null || fail "the $mode scheduler ended: $(tr '\n' ' ' <"$folder/misbehaving.out")"
    sleep 0.1
  done
  fail "the $mode scheduler did not listen within 10 s"
  ;;
start)
  mkdir -p "$folder"/{conf,spool,tmp,cache,state,log,bin/backend}
  folder=$(cd "$folder" && pwd)
  socket="$folder/cups.sock"
  # The driver list and other helpers run as the print system's own user.
  if id lp >/dev/null 2>&1 && ! runuser -u lp -- test -x "$folder"; then
    fail "the print system's user (lp) cannot reach $folder; let it search the folders above"
  fi
  for part in /usr/lib/cups/*; do
    [ "$(basename "$part")" = backend ] || ln -sfn "$part" "$folder/bin/"
  done
  for backend in /usr/lib/cups/backend/*; do
    [ "$(basename "$backend")" = usb ] || ln -sfn "$backend" "$folder/bin/backend/"
  done
  printf '#!/bin/sh\n[ $# -eq 0 ] || exit 1\ncat "%s/usb-devices" 2>/dev/null\nexit 0\n' "$folder" \
      >"$folder/bin/backend/usb"
  # Run as root, as the real one is: it reads a file of the test folder.
  chmod 700 "$folder/bin/backend/usb"
  cat >"$folder/conf/cupsd.conf" <<CONF
Listen $socket
${port:+Listen localhost:$port}
LogLevel warn
WebInterface No
Browsing Off
<Location />
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
CONF
  cat >"$folder/conf/cups-files.conf" <<CONF
ServerRoot $folder/conf
RequestRoot $folder/spool
TempDir $folder/tmp
CacheDir $folder/cache
StateDir $folder/state
ErrorLog $folder/log/error_log
AccessLog $folder/log/access_log
PageLog $folder/log/page_log
ServerBin $folder/bin
DataDir /usr/share/cups
CONF
  # A system service, seen by no test's emulated devices (the suite runs under
  # umockdev's preload, which the driver daemon's helpers fail under).
  env -u LD_PRELOAD -u UMOCKDEV_DIR /usr/sbin/cupsd -f -c "$folder/conf/cupsd.conf" -s "$folder/conf/cups-files.conf" \
    >"$folder/log/cupsd.out" 2>&1 &
  echo $! >"$folder/cupsd.pid"
  # Ready once it answers on its socket.
  for _ in $(seq 100); do
    if CUPS_SERVER="$socket" lpstat -r >/dev/null 2>&1; then
      echo "export CUPS_SERVER=$socket"
      exit 0
    fi
    kill -0 "$(cat "$folder/cupsd.pid")" 2>/dev/null ||
      fail "cupsd ended: $(tail -n 3 "$folder/log/cupsd.out" "$folder/log/error_log" 2>/dev/null | tr '\n' ' ')"
    sleep 0.1
  done
  fail "cupsd did not answer on $socket within 10 s"
  ;;
stop)
  if [ -f "$folder/cupsd.pid" ]; then
    pid=$(cat "$folder/cupsd.pid")
    kill "$pid" 2>/dev/null || true
    while kill -0 "$pid" 2>/dev/null; do sleep 0.05; done
    rm -f "$folder/cupsd.pid"
  fi
  ;;
*)
  fail "usage: print-scheduler.sh start|stop FOLDER"
  ;;
esac

#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# A real systemd user manager for the tests and benchmarks that are about
# systemd, on a machine (or container) that was not booted with it. As root:
#   eval "$(tests/tools/user-manager.sh start [USER])"   # sets RN_USER, XDG_RUNTIME_DIR
#   runuser -u "$RN_USER" -- env XDG_RUNTIME_DIR="$XDG_RUNTIME_DIR" systemctl --user ...
#   tests/tools/user-manager.sh stop [USER]
# USER (runnetlume-agents unless given) is created when missing. The manager
# runs as that user in a cgroup v2 folder delegated to it, with its runtime
# folder at /run/user/UID; /run/systemd/system exists while it starts, since
# systemd only runs as a user manager on a system it believes it booted.
# Exits 2, with the reason on one line, where no manager can be started here.
set -euo pipefail
command=${1:-}
user=${2:-runnetlume-agents}

fail() { echo "user-manager.sh: $*" >&2; exit 2; }

[ "$(id -u)" -eq 0 ] || fail "needs root"
[ -x /lib/systemd/systemd ] || fail "systemd is not installed"

cgroups() {
  if [ -f /sys/fs/cgroup/cgroup.controllers ]; then echo /sys/fs/cgroup
  elif [ -d /sys/fs/cgroup/unified ]; then echo /sys/fs/cgroup/unified
  else fail "no cgroup v2 hierarchy to delegate"; fi
}

stop_manager() {
  local uid runtime pid
  uid=$(id -u "$user" 2>/dev/null) || return 0
  runtime=/run/user/$uid
  if [ -f "$runtime/manager.pid" ]; then
    pid=$(cat "$runtime/manager.pid")
    kill "$pid" 2>/dev/null || true
    for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.05; done
    rm -f "$runtime/manager.pid"
  fi
  # Its cgroup folders, deepest first; each is empty once its processes ended.
  find "$(cgroups)" -maxdepth 1 -type d -name "$user-manager-*" -print0 |
    xargs -0 -r -I{} find {} -depth -type d -exec rmdir {} + 2>/dev/null || true
  rm -rf "$runtime/systemd" "$runtime/bus"
}

start_manager() {
  id "$user" >/dev/null 2>&1 || useradd --create-home "$user"
  stop_manager
  local uid group runtime cgroup made=""
  uid=$(id -u "$user")
  group=$(id -gn "$user")
  runtime=/run/user/$uid
  cgroup="$(cgroups)/$user-manager-$$"
  install -d -m 700 -o "$user" -g "$group" "$runtime"
  mkdir "$cgroup"
  chown -R "$user" "$cgroup"
  if [ ! -d /run/systemd/system ]; then mkdir -p /run/systemd/system; made=1; fi
  # The shell moves itself into the delegated cgroup, then becomes the
  # manager under the user's identity and a clean environment.
  setsid sh -c 'echo $$ > "$1/cgroup.procs" && exec setpriv --reuid="$2" --regid="$3" \
      --init-groups env -i HOME="$(getent passwd "$2" | cut -d: -f6)" USER="$2" \
      XDG_RUNTIME_DIR="$4" PATH=/usr/bin:/bin /lib/systemd/systemd --user' \
    sh "$cgroup" "$user" "$group" "$runtime" </dev/null >"$runtime/manager.log" 2>&1 &
  local pid=$!
  echo "$pid" >"$runtime/manager.pid"
  for _ in $(seq 200); do
    [ -S "$runtime/systemd/private" ] && break
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.05
  done
  [ -z "$made" ] || rmdir /run/systemd/system
  if [ ! -S "$runtime/systemd/private" ]; then
    stop_manager
    fail "the manager did not start ($(tail -n 1 "$runtime/manager.log" 2>/dev/null))"
  fi
  echo "export RN_USER=$user XDG_RUNTIME_DIR=$runtime"
}

case "$command" in
start) start_manager ;;
stop) stop_manager ;;
*) echo "usage: user-manager.sh start|stop [USER]" >&2; exit 2 ;;
esac

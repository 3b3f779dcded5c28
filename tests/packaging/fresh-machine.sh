#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The README's first command on a fresh machine: a minimal Debian 12 root
# (debootstrap --variant=minbase) gets the project's tracked files, and
# scripts/run.sh runs there as root, with nothing installed but what the
# script installs itself. It must build, show the assistant on a virtual
# display and leave its screenshot; a tool that its package group forgets
# makes it fail here, which a machine that has every test package cannot show.
# As root on Debian 12, from the package mirror that the host's apt uses.
#   fresh-machine.sh [FOLDER]          (default: a new folder under /var/tmp)
set -euo pipefail
repository="$(cd "$(dirname "$0")/../.." && pwd)"

if [ "$(id -u)" -ne 0 ]; then
  echo "fresh-machine.sh: run as root" >&2
  exit 1
fi
command -v debootstrap >/dev/null || { echo "fresh-machine.sh: debootstrap is not installed" >&2; exit 1; }

# The mirror the host already reaches, as apt itself reports it.
mirror="$(apt-cache policy | awk '$3 ~ /^bookworm\/main$/ && $2 ~ /^https?:/ { print $2; exit }')"
if [ -z "$mirror" ]; then
  echo "fresh-machine.sh: the host's apt names no mirror for bookworm/main (run apt-get update)" >&2
  exit 1
fi

keep="${1:-}"
root="${keep:-$(mktemp -d /var/tmp/runnetlume-fresh.XXXXXX)}"
mounted=()
cleanup() {
  local i
  for ((i = ${#mounted[@]} - 1; i >= 0; i--)); do umount -l "${mounted[i]}" 2>/dev/null || true; done
  # Only a folder of our own making goes; one that was named stays for a look.
  if [ -z "$keep" ]; then rm -rf --one-file-system "$root"; fi
}
trap cleanup EXIT

started=$(date +%s)
echo "== fresh machine: debootstrap --variant=minbase bookworm ($mirror)"
debootstrap --variant=minbase bookworm "$root" "$mirror" >"$root.debootstrap.log" 2>&1 || {
  tail -n 30 "$root.debootstrap.log" >&2
  exit 1
}
rm -f "$root.debootstrap.log"
# The host's apt settings (a proxy, date checks) hold for the copy too; its
# sources stay the ones debootstrap wrote.
cp -a /etc/apt/apt.conf.d/. "$root/etc/apt/apt.conf.d/" 2>/dev/null || true
cp -L /etc/resolv.conf "$root/etc/resolv.conf" 2>/dev/null || true
for fs in proc sys dev dev/pts; do
  mount --bind "/$fs" "$root/$fs"
  mounted+=("$root/$fs")
done

mkdir -p "$root/src"
git -C "$repository" ls-files -z --cached --others --exclude-standard | (cd "$repository" && tar --null -T - -cf -) | tar -xf - -C "$root/src"
echo "== fresh machine: scripts/run.sh, as a new user's first command"
log="$root/run.log"
status=0
env -i HOME=/root LANG=C.UTF-8 TERM=dumb PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
  chroot "$root" /bin/bash -c 'apt-get update -q >/dev/null && cd /src && scripts/run.sh' >"$log" 2>&1 || status=$?
shot="$(sed -n 's/^No display here: .* Screenshot: //p' "$log" | tail -n 1)"
if [ "$status" -ne 0 ] || [ -z "$shot" ] || [ ! -s "$root$shot" ]; then
  tail -n 40 "$log" >&2
  echo "fresh-machine.sh: scripts/run.sh did not end well on a fresh Debian 12 (status $status)" >&2
  exit 1
fi
echo "fresh machine: scripts/run.sh ended well in $(($(date +%s) - started)) s; screenshot $root$shot"

#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The build installed as a package would install it: into a DESTDIR under
# /usr, checked by the desktop's validators, asked for --help and --version
# (which must touch nothing), its checker run on its own catalogues, then
# moved elsewhere (as under /opt/<driver>) and run through one road.
#   installed-tree.sh BUILD_DIR WRITE_SAMPLES_PROGRAM
set -euo pipefail
build="$(cd "$1" && pwd)"
here="$(cd "$(dirname "$0")" && pwd)"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
fail() { echo "installed-tree: $*" >&2; exit 1; }

DESTDIR="$work/root" cmake --install "$build" --prefix /usr >/dev/null
usr="$work/root/usr"
for file in bin/runNetlume bin/runNetlume-check \
    share/runNetlume/wifiDevices.plist share/runNetlume/otherDevices.plist \
    share/runNetlume/ui/MainWindow.ui share/runNetlume/translations/runNetlume_ja.qm \
    share/runNetlume/org.runnetlume.Assistant.svg \
    share/applications/org.runnetlume.Assistant.desktop \
    share/metainfo/org.runnetlume.Assistant.metainfo.xml \
    share/icons/hicolor/scalable/apps/org.runnetlume.Assistant.svg \
    share/man/man1/runNetlume.1.gz share/man/man1/runNetlume-check.1.gz \
    share/doc/runnetlume/copyright share/doc/runnetlume/changelog.gz; do
  [ -f "$usr/$file" ] || fail "not installed: /usr/$file"
done
[ ! -e "$usr/Resources" ] && [ ! -e "$work/root/usr/share/runNetlume/Resources" ] \
  || fail "a Resources folder was installed"

desktop-file-validate "$usr/share/applications/org.runnetlume.Assistant.desktop"
appstreamcli validate --no-net "$usr/share/metainfo/org.runnetlume.Assistant.metainfo.xml"
for page in runNetlume runNetlume-check; do
  warnings="$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$usr/share/man/man1/$page.1.gz" 2>&1 >/dev/null)"
  [ -z "$warnings" ] || fail "$page.1: $warnings"
done

# --help and --version: printed, status 0, no display needed, and nothing
# else happens (the stand-in settings would record a start; an agent reload
# would write its line).
export RUNNETLUME_RECORD="$work/record"
for argument in --help -h --version; do
  output="$(env -u DISPLAY -u WAYLAND_DISPLAY PATH="$here/../standins:$PATH" \
    "$usr/bin/runNetlume" "$argument" 2>"$work/stderr")" || fail "$argument: status $?"
  [ ! -s "$work/stderr" ] || fail "$argument wrote: $(cat "$work/stderr")"
  case "$argument" in
    --version) [ "$output" = "runNetlume $(sed -n 's/^project(runNetlume VERSION \([0-9.]*\).*/\1/p' "$here/../../CMakeLists.txt")" ] \
      || fail "--version printed: $output" ;;
    *) grep -q '^Usage: runNetlume' <<< "$output" || fail "$argument printed: $output" ;;
  esac
done
[ ! -e "$RUNNETLUME_RECORD" ] || fail "--help or --version ran: $(cat "$RUNNETLUME_RECORD")"

# The checker finds the catalogues beside it (the driver is not installed
# here: --build makes its paths warnings).
"$usr/bin/runNetlume-check" --build >/dev/null || fail "the installed catalogues do not check"

# Moved as a whole, it still finds its own resources.
mkdir -p "$work/opt"
mv "$usr" "$work/opt/example-driver"
RUNNETLUME_INSTALLED=1 "$here/../e2e/run-e2e.sh" "$work/opt/example-driver" "$2" InstalledRoad

#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# After `apt-get install ./runnetlume_*.deb`: the package's files pass the
# desktop's validators, and the installed assistant, in place under /usr,
# goes through one road with an emulated printer of its own catalogues.
#   installed-package.sh WRITE_SAMPLES_PROGRAM
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
dpkg-query -W -f='${Package} ${Version} ${Status}\n' runnetlume | grep -q 'install ok installed'
desktop-file-validate /usr/share/applications/org.runnetlume.Assistant.desktop
appstreamcli validate --no-net /usr/share/metainfo/org.runnetlume.Assistant.metainfo.xml
/usr/bin/runNetlume --version
/usr/bin/runNetlume-check --build
RUNNETLUME_INSTALLED=1 "$here/../e2e/run-e2e.sh" /usr "$1" InstalledRoad

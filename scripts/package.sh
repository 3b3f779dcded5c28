#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds the Debian package from a build folder of its own, with Debian's
# hardening flags, then has lintian check it.
#   scripts/package.sh [-DRUNNETLUME_WIFI_CATALOGUE=FILE -DRUNNETLUME_OTHER_CATALOGUE=FILE ...]
# Extra arguments go to CMake: the maker's catalogues, maintainer, home page.
# Prints the package's path last.
set -euo pipefail
cd "$(dirname "$0")/.."
build=build-package

# Debian's hardening (fortify, stack protector, relro, bindnow) as dpkg sets it.
export DEB_BUILD_MAINT_OPTIONS="hardening=+all"
CFLAGS="$(dpkg-buildflags --get CFLAGS) $(dpkg-buildflags --get CPPFLAGS)"
CXXFLAGS="$(dpkg-buildflags --get CXXFLAGS) $(dpkg-buildflags --get CPPFLAGS)"
LDFLAGS="$(dpkg-buildflags --get LDFLAGS)"
export CFLAGS CXXFLAGS LDFLAGS

cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_INSTALL_PREFIX=/usr \
  -DRUNNETLUME_TESTS=OFF -DRUNNETLUME_BENCHMARKS=OFF -DRUNNETLUME_WERROR=ON "$@" >/dev/null
cmake --build "$build"
(cd "$build" && cpack -G DEB >/dev/null)
package="$(ls -t "$build"/runnetlume_*.deb | head -n 1)"

# Errors fail the build; warnings are shown.
lintian --fail-on error --tag-display-limit 0 "$package"
echo "$package"

# SPDX-License-Identifier: MIT
# Sourced by run.sh and demo.sh, from the repository's root:
#   build_stand_in_bundle GROUP
# installs what GROUP of install-deps.sh lists (when missing), builds the
# assistant without the test suite in build-run/, prepares
# build-run/demo-bundle with the stand-in Wi-Fi tool, puts the stand-in
# printer settings first on PATH, and sets $bundle.
build_stand_in_bundle() {
  scripts/ensure-deps.sh "$1"
  local build=build-run
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DRUNNETLUME_TESTS=OFF -DRUNNETLUME_BENCHMARKS=OFF >/dev/null
  cmake --build "$build" --target runNetlume
  bundle="$build/demo-bundle"
  /usr/bin/python3 scripts/demo/prepare.py "$build/bundle" "$bundle"
  export PATH="$PWD/scripts/demo/bin:$PATH"
}

#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs the Debian packages runNetlume needs. Run as root on Debian 12;
# safe to run again.
#   install-deps.sh [run|demo|all]      (default: all)
#   install-deps.sh --list [run|demo|all]
# run: building and running the assistant; demo: adds emulated printers;
# all: adds everything the tests, packaging and screenshots use.
set -euo pipefail

run_packages=(
  cmake ninja-build g++ pkg-config python3
  qt6-base-dev qt6-tools-dev qt6-tools-dev-tools qt6-l10n-tools libqt6opengl6-dev qt6-svg-dev
  libudev-dev libsystemd-dev libcups2-dev libpugixml-dev libxcb1-dev
  # a virtual display and a screenshot when there is no display (xdotool
  # finds the assistant's window)
  xvfb xauth x11-utils imagemagick fonts-dejavu-core xdotool
)
demo_packages=(
  umockdev python3-gi gir1.2-umockdev-1.0
)
all_packages=(
  # tests and benchmarks
  googletest libgtest-dev libgmock-dev libbenchmark-dev libumockdev-dev libplist-dev
  dbus at-spi2-core python3-pyatspi time
  openbox metacity xfwm4 mutter weston qt6-wayland fonts-wqy-zenhei
  # a print scheduler of the tests' own, and the command that adds its queues
  cups-daemon cups-client
  # the whole print system (its driver list) and the printer settings' dialog service
  cups system-config-printer
  # the screen reader the end-to-end suite listens to, speaking to no sound card
  orca speech-dispatcher
  # fuzzing
  clang libclang-rt-14-dev
  # formatting
  clang-format clang-tidy
  # packaging and its validators
  dpkg-dev lintian desktop-file-utils appstream
  # a fresh minimal Debian root for the README's first command
  debootstrap
)

packages_of() {
  case "$1" in
    run) echo "${run_packages[@]}" ;;
    demo) echo "${run_packages[@]}" "${demo_packages[@]}" ;;
    all) echo "${run_packages[@]}" "${demo_packages[@]}" "${all_packages[@]}" ;;
    *) echo "install-deps.sh: unknown group '$1' (run, demo or all)" >&2; exit 2 ;;
  esac
}

if [ "${1:-}" = "--list" ]; then
  packages_of "${2:-all}"
  exit 0
fi
group="${1:-all}"
read -r -a packages <<< "$(packages_of "$group")"

if [ "$(id -u)" -ne 0 ]; then
  echo "install-deps.sh: run as root (or through sudo)" >&2
  exit 1
fi

export DEBIAN_FRONTEND=noninteractive
apt-get update -q
apt-get install -y -q --no-install-recommends "${packages[@]}"

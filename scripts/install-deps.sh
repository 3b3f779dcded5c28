#!/usr/bin/env bash
# Installs every Debian package that building, testing and screenshotting
# runNetlume needs. Run as root on Debian 12; safe to run again.
set -euo pipefail

packages=(
  # build
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-tools-dev qt6-tools-dev-tools qt6-l10n-tools libqt6opengl6-dev
  libplist-dev libudev-dev libpugixml-dev
  # tests and benchmarks
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  umockdev libumockdev-dev
  xvfb xauth dbus at-spi2-core python3-pyatspi python3-gi gir1.2-umockdev-1.0 time
  openbox metacity xdotool libxcb1-dev weston qt6-wayland
  # fuzzing
  clang libclang-rt-14-dev
  # formatting, screenshots
  clang-format clang-tidy x11-utils imagemagick fonts-dejavu-core fonts-wqy-zenhei
)

if [ "$(id -u)" -ne 0 ]; then
  echo "install-deps.sh: run as root (or through sudo)" >&2
  exit 1
fi

export DEBIAN_FRONTEND=noninteractive
apt-get update -q
apt-get install -y -q --no-install-recommends "${packages[@]}"

#!/usr/bin/env bash
# Installs the Debian packages that building, testing and running need.
# Idempotent: a machine that has them all is left alone.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(cmake ninja-build g++ pkg-config libgtest-dev libgmock-dev libbenchmark-dev
          qt6-base-dev qt6-charts-dev libqt6opengl6-dev libgl-dev fonts-ipafont-gothic xvfb xauth
          qt6-translations-l10n ccache)
# The Windows JV-Link host: the mingw-w64 cross compiler (its -posix variant has std::thread)
# and 32-bit Wine to run the host and the stand-in control in the tests.
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  sudo=""
  if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
  $sudo dpkg --add-architecture i386
  $sudo apt-get update -q
fi
packages+=(g++-mingw-w64-i686-posix wine wine32:i386)
scripts/install-packages.sh "${packages[@]}"

#!/usr/bin/env bash
# Installs the Debian packages that building, testing and running need.
# Idempotent: a machine that has them all is left alone.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(cmake ninja-build g++ pkg-config libgtest-dev libgmock-dev libbenchmark-dev
          qt6-base-dev qt6-charts-dev libqt6opengl6-dev libgl-dev fonts-ipafont-gothic xvfb xauth
          qt6-translations-l10n)
scripts/install-packages.sh "${packages[@]}"

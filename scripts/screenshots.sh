#!/usr/bin/env bash
# Draws the main window off screen (a race with its bets, and its result page) into
# docs/screenshots/ through the window's own tests.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh
mkdir -p docs/screenshots
QT_QPA_PLATFORM=offscreen QUORVANE_SCREENSHOT_DIR="$PWD/docs/screenshots" \
  build/tests/ui/main_window/bet_page_test screenshots
ls docs/screenshots/main-window*.png

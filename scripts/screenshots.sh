#!/usr/bin/env bash
# Draws the main window off screen (a race with its bets, and its result page) into
# docs/ through the window's own tests (the manual shows docs/main_window.png).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh
QT_QPA_PLATFORM=offscreen QUORVANE_SCREENSHOT_DIR="$PWD/docs" \
  build/tests/ui/main_window/bet_page_test screenshots
ls docs/main_window*.png

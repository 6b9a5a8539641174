#!/usr/bin/env bash
# Draws the main window off screen (a race with its bets, and its result page) into
# docs/ through the window's own tests (the manual shows docs/main_window.png), and the
# window at the two smallest sizes it is made for, 800 × 600 and 1024 × 768.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh
QT_QPA_PLATFORM=offscreen QUORVANE_SCREENSHOT_DIR="$PWD/docs" \
  build/tests/ui/main_window/bet_page_test screenshots
QT_QPA_PLATFORM=offscreen QUORVANE_SCREENSHOT_DIR="$PWD/docs" \
  build/tests/ui/main_window/window_fit_test theWindowKeepsItsSizeWithARaceShown \
  theResultPageShowsEveryBetTypeAt1024x768
ls docs/main_window*.png

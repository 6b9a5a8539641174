#!/usr/bin/env bash
# Fresh machine to green tests: install, build, run every test.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
ctest --test-dir build --output-on-failure -j "$(nproc)"

#!/usr/bin/env bash
# Installs what the sanitized build and the fuzz targets need beyond scripts/install-deps.sh:
# clang 14 with libFuzzer. Idempotent: a machine that has them is left alone.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/install-packages.sh clang-14 libfuzzer-14-dev

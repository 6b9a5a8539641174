#!/usr/bin/env bash
# Configures and builds everything into build/ (warnings are errors).
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/ccache-env.sh
launcher=()
# a compiler cache, where the machine has one, makes rebuilds of unchanged files free
if command -v ccache >/dev/null; then launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache); fi
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUORVANE_WERROR=ON \
      "${launcher[@]}" >/dev/null
cmake --build build -j "$(nproc)"

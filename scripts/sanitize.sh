#!/usr/bin/env bash
# Builds every test with AddressSanitizer and UndefinedBehaviorSanitizer into build-asan/
# (benchmarks off) and runs them all; the first report stops the test that made it.
# The desktop program's tests run without leak detection: Qt keeps its own allocations
# for the life of the process, which LeakSanitizer would report as leaks.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/ccache-env.sh
scripts/install-fuzz-deps.sh
launcher=()
if command -v ccache >/dev/null; then launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache); fi
flags="-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer"
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g" \
      -DCMAKE_CXX_FLAGS="$flags" -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" \
      -DQUORVANE_BENCH=OFF -DQUORVANE_WINDOWS_HOST=OFF "${launcher[@]}" >/dev/null
cmake --build build-asan -j "$(nproc)"

export ASAN_OPTIONS=halt_on_error=1:detect_leaks=1:abort_on_error=0:strict_string_checks=1
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
ctest --test-dir build-asan/tests --output-on-failure -j "$(nproc)"
if [ -d build-asan/tests/ui ]; then
  ASAN_OPTIONS=halt_on_error=1:detect_leaks=0 \
    ctest --test-dir build-asan/tests/ui --output-on-failure -j "$(nproc)"
fi

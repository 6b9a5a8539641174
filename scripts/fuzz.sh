#!/usr/bin/env bash
# Builds the libFuzzer targets of tests/fuzz/ with clang 14 (address and undefined-behaviour
# sanitizers) into build-fuzz/ and runs each for SECONDS (default 30) on its seed corpus
# tests/fuzz/seeds/NAME; new inputs collect in build-fuzz/corpus/NAME, crashes in
# build-fuzz/crashes/. Prints each target's executions and their total; exits 1 on a crash.
# Usage: scripts/fuzz.sh [SECONDS] [NAME…]
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/ccache-env.sh
scripts/install-fuzz-deps.sh
seconds=${1:-30}
shift || true
launcher=()
if command -v ccache >/dev/null; then launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache); fi
cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DCMAKE_CXX_COMPILER=clang++-14 \
      -DCMAKE_CXX_FLAGS="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all" \
      -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" \
      -DQUORVANE_FUZZ=ON -DQUORVANE_TESTS=OFF -DQUORVANE_UI=OFF -DQUORVANE_BENCH=OFF \
      -DQUORVANE_WINDOWS_HOST=OFF \
      "${launcher[@]}" >/dev/null
names=("$@")
if [ ${#names[@]} -eq 0 ]; then names=(fixed_records settings_file feed_record odds_text verify_csv host_frames); fi
cmake --build build-fuzz -j "$(nproc)" --target "${names[@]/#/fuzz_}"

export ASAN_OPTIONS=halt_on_error=1:detect_leaks=1
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
mkdir -p build-fuzz/crashes
total=0
status=0
for name in "${names[@]}"; do
  corpus=build-fuzz/corpus/$name
  mkdir -p "$corpus"
  log=build-fuzz/$name.log
  echo "== fuzz_$name for ${seconds}s" >&2
  if ! "build-fuzz/tests/fuzz/fuzz_$name" -max_total_time="$seconds" -max_len=100000 \
       -timeout=10 -rss_limit_mb=2048 -artifact_prefix="build-fuzz/crashes/$name-" \
       "$corpus" "tests/fuzz/seeds/$name" >"$log" 2>&1; then
    echo "fuzz_$name found a crash (build-fuzz/crashes/, log $log):" >&2
    tail -n 40 "$log" >&2
    status=1
  fi
  runs=$(sed -n 's/^Done \([0-9]*\) runs.*/\1/p' "$log" | tail -n 1)
  echo "fuzz_$name: ${runs:-0} executions" >&2
  total=$((total + ${runs:-0}))
done
echo "fuzz: $total executions in total" >&2
exit $status

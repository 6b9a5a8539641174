#!/usr/bin/env bash
# Builds the benchmarks (Release) into build-bench/ and runs them, one core each, except
# those that measure the use of every core (export).
# Usage: scripts/bench.sh [NAME…]   (NAME: pull, engine, export; default every bench_* program)
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUORVANE_TESTS=OFF \
      -DQUORVANE_BENCH=ON >/dev/null
names=("$@")
if [ ${#names[@]} -eq 0 ]; then
  names=($(sed -n 's/^add_executable(bench_\([a-z_]*\).*/\1/p' bench/CMakeLists.txt))
fi
for name in "${names[@]}"; do
  cmake --build build-bench --target "bench_$name" -j "$(nproc)"
  echo "== bench_$name" >&2
  if command -v taskset >/dev/null && [ "$name" != export ]; then
    taskset -c 0 "build-bench/bench/bench_$name"
  else
    "build-bench/bench/bench_$name"
  fi
done

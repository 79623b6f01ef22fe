#!/usr/bin/env bash
# Builds the benchmarks in release and runs them; arguments go to Google Benchmark.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup-debian.sh
cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DVELMORA_BUILD_TESTS=OFF -DVELMORA_BUILD_BENCH=ON >/dev/null
cmake --build build-bench --target bench_computation
./build-bench/bench/bench_computation "$@"

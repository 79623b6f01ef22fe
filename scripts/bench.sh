#!/usr/bin/env bash
# Builds the benchmarks in release and runs them offscreen; arguments go to
# Google Benchmark. Last, the time from process start to the first painted
# window, as the median of 15 whole-process runs.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup-debian.sh
cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DVELMORA_BUILD_TESTS=OFF -DVELMORA_BUILD_BENCH=ON >/dev/null
cmake --build build-bench --target bench_computation bench_refresh bench_exports startup_probe >/dev/null

export QT_QPA_PLATFORM=offscreen
settings=$(mktemp -d)
trap 'rm -rf "$settings"' EXIT
export XDG_CONFIG_HOME="$settings"

./build-bench/bench/bench_computation "$@"
./build-bench/bench/bench_refresh "$@"
./build-bench/bench/bench_exports "$@"

times=()
for _ in $(seq 15); do
    start=$(date +%s%N)
    ./build-bench/bench/startup_probe
    end=$(date +%s%N)
    times+=($(( (end - start) / 1000000 )))
done
sorted=($(printf '%s\n' "${times[@]}" | sort -n))
echo "start to first painted window: median ${sorted[7]} ms (runs: ${times[*]})"

#!/usr/bin/env bash
# Builds the benchmarks in release and runs them offscreen; arguments go to
# Google Benchmark. Last, the time from process start to the first painted
# window, as the median of 15 whole-process runs.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup-debian.sh
cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DVELMORA_BUILD_TESTS=OFF -DVELMORA_BUILD_BENCH=ON >/dev/null
cmake --build build-bench --target bench_computation bench_refresh bench_exports startup_probe bare_window_probe >/dev/null

export QT_QPA_PLATFORM=offscreen
settings=$(mktemp -d)
trap 'rm -rf "$settings"' EXIT
export XDG_CONFIG_HOME="$settings"

./build-bench/bench/bench_computation "$@"
./build-bench/bench/bench_refresh "$@"
./build-bench/bench/bench_exports "$@"

# Whole processes, the program and a bare Qt main window in turn, on the
# same display: the medians of 15 each and their ratio.
median() { printf '%s\n' "$@" | sort -n | sed -n 8p; }
program=() bare=()
for _ in $(seq 15); do
    for probe in startup_probe bare_window_probe; do
        start=$(date +%s%N)
        ./build-bench/bench/$probe
        end=$(date +%s%N)
        if [ $probe = startup_probe ]; then program+=($(( (end - start) / 1000000 ))); else bare+=($(( (end - start) / 1000000 ))); fi
    done
done
p=$(median "${program[@]}") b=$(median "${bare[@]}")
echo "start to first painted window: median ${p} ms (runs: ${program[*]})"
echo "bare Qt main window: median ${b} ms (runs: ${bare[*]})"
awk -v p="$p" -v b="$b" 'BEGIN { printf "ratio: %.2f\n", p / b }'

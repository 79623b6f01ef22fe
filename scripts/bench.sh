#!/usr/bin/env bash
# Builds the benchmarks in release and runs them offscreen; arguments go to
# Google Benchmark. Last, the time from process start to the end of the
# window's first paint and to the process's end, beside a bare Qt window, on
# an X server (the display given, or a virtual one).
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup-debian.sh xvfb xauth
cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DVELMORA_BUILD_TESTS=OFF -DVELMORA_BUILD_BENCH=ON >/dev/null
cmake --build build-bench --target bench_computation bench_refresh bench_exports bench_analysis bench_swmm_model startup_probe bare_window_probe >/dev/null

settings=$(mktemp -d)
trap 'rm -rf "$settings"' EXIT
export XDG_CONFIG_HOME="$settings"

QT_QPA_PLATFORM=offscreen ./build-bench/bench/bench_computation "$@"
QT_QPA_PLATFORM=offscreen ./build-bench/bench/bench_refresh "$@"
QT_QPA_PLATFORM=offscreen ./build-bench/bench/bench_exports "$@"
./build-bench/bench/bench_analysis "$@"
./build-bench/bench/bench_swmm_model "$@"

# Whole processes, the program and a bare Qt main window in turn, on the
# same X server, 31 each: the medians from the start to the end of the first
# paint (as the probes print it), and to the end of the process, with their
# ratios. Qt's offscreen platform would leave out what a real display costs
# both alike, and so overstate the ratio.
startup_ratio() {
    median() { printf '%s\n' "$@" | sort -n | sed -n "$((($# + 1) / 2))p"; }
    declare -A painted whole
    for _ in $(seq 31); do
        for probe in startup_probe bare_window_probe; do
            start=${EPOCHREALTIME/./}
            painted[$probe]+=" $(VELMORA_PROBE_START_US=$start ./build-bench/bench/$probe 2>/dev/null)"
            end=${EPOCHREALTIME/./}
            whole[$probe]+=" $(( (end - start) / 1000 ))"
        done
    done
    for measure in painted whole; do
        declare -n runs=$measure
        p=$(median ${runs[startup_probe]}) b=$(median ${runs[bare_window_probe]})
        label=$([ $measure = painted ] && echo "to the first paint" || echo "whole process")
        echo "$label: program median ${p} ms (${runs[startup_probe]} ), bare Qt window ${b} ms (${runs[bare_window_probe]} )"
        awk -v p="$p" -v b="$b" 'BEGIN { printf "ratio: %.2f\n", p / b }'
    done
}
if [ -n "${DISPLAY:-}" ]; then
    startup_ratio
else
    xvfb-run -a -s "-screen 0 1280x1024x24" bash -c "$(declare -f startup_ratio); startup_ratio"
fi

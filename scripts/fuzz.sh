#!/usr/bin/env bash
# Builds the libFuzzer targets of tests/fuzz with clang (AddressSanitizer and
# UndefinedBehaviorSanitizer, build-fuzz) and runs each for a fixed number of
# executions, one after the other, starting from the seed corpus in
# tests/fuzz/corpus/<target>. New inputs go to build-fuzz/corpus/<target>,
# findings to build-fuzz/findings/. Not part of the test suite.
#
#   bash scripts/fuzz.sh [RUNS|SECONDSs] [TARGET...]     (default: 20000 runs)
#   bash scripts/fuzz.sh 1000000 fuzz_storm_file
#   bash scripts/fuzz.sh 30s                       (30 seconds each, as CI does)
set -euo pipefail
cd "$(dirname "$0")/.."

runs=${1:-20000}
[ $# -gt 0 ] && shift
if [[ $runs == *s ]]; then
    budget=(-max_total_time="${runs%s}")
    runs="${runs%s} seconds"
else
    budget=(-runs="$runs")
    runs="$runs runs"
fi
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
    targets=(fuzz_storm_file fuzz_options_file fuzz_font_text fuzz_number_text
             fuzz_zip_archive fuzz_office_package fuzz_cli_arguments
             fuzz_update_answer fuzz_rain_tables fuzz_swmm_model)
fi

bash scripts/setup-debian.sh clang libfuzzer-14-dev
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DVELMORA_FUZZ=ON -DVELMORA_BUILD_TESTS=OFF -DVELMORA_BUILD_BENCH=OFF >/dev/null
cmake --build build-fuzz --target "${targets[@]}"

export ASAN_OPTIONS="detect_leaks=1:halt_on_error=1:strict_string_checks=1"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp:print_suppressions=0"
export QT_QPA_PLATFORM=offscreen

mkdir -p build-fuzz/findings
failed=()
for target in "${targets[@]}"; do
    corpus=build-fuzz/corpus/$target
    mkdir -p "$corpus"
    # Text files of these kinds are a few hundred bytes: longer inputs only
    # slow the run down. Archives keep the length of their seeds; the package
    # editing works on a small Word table and parts named in the input.
    limit=()
    case $target in
        fuzz_zip_archive) ;;
        fuzz_office_package) limit=(-max_len=8192) ;;
        *) limit=(-max_len=2048) ;;
    esac
    echo "== $target: $runs" >&2
    if ! ./build-fuzz/tests/fuzz/"$target" "${budget[@]}" -print_final_stats=1 "${limit[@]}" \
            -artifact_prefix="build-fuzz/findings/$target-" \
            "$corpus" "tests/fuzz/corpus/$target"; then
        failed+=("$target")
    fi
done

if [ ${#failed[@]} -gt 0 ]; then
    echo "findings in: ${failed[*]} (inputs in build-fuzz/findings/)" >&2
    exit 1
fi
echo "no findings in ${#targets[@]} targets, $runs each" >&2

#!/usr/bin/env bash
# Sets up, builds with AddressSanitizer and UndefinedBehaviorSanitizer and runs
# every test through CTest. Any sanitizer report fails the run.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup-debian.sh
cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug \
    -DVELMORA_SANITIZE=ON -DVELMORA_BUILD_TESTS=ON -DVELMORA_BUILD_BENCH=ON \
    -DVELMORA_WERROR="${VELMORA_WERROR:-OFF}" >/dev/null
cmake --build build-sanitize

export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0:halt_on_error=1:strict_string_checks=1"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp:print_suppressions=0"
export QT_QPA_PLATFORM=offscreen
ctest --test-dir build-sanitize --output-on-failure --timeout 600

#!/usr/bin/env bash
# Sets up, builds (release) and runs velmora-cli; arguments are passed on.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup-debian.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DVELMORA_BUILD_TESTS=OFF -DVELMORA_BUILD_BENCH=OFF >&2
cmake --build build --target velmora-cli >&2
exec ./build/src/app/cli/velmora-cli "$@"

#!/usr/bin/env bash
# Sets up, builds (release) and starts the Velmora window.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup-debian.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DVELMORA_BUILD_TESTS=OFF -DVELMORA_BUILD_BENCH=OFF >&2
cmake --build build --target velmora velmora-cli >&2

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
    cat >&2 <<'TXT'
No display was found, so the window cannot open here. On a machine without a
display, run it in a virtual X server:
    apt-get install xvfb xauth        (once, as root or with sudo)
    xvfb-run -a bash scripts/run.sh
The command-line front needs no display: bash scripts/cli.sh --help
TXT
    exit 1
fi
exec ./build/src/app/velmora/velmora "$@"

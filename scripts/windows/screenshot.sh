#!/usr/bin/env bash
# Starts a Windows velmora.exe under Wine on a virtual X display, waits for its
# window, takes a picture of the screen and closes the program:
#   screenshot.sh VELMORA.exe WINE_PREFIX PICTURE.png [SECONDS]
# Fails when no window titled with the program's caption appears. The
# picture is for a person to look at (it is kept out of git).
set -euo pipefail
if [ -z "${VELMORA_ON_XVFB:-}" ]; then
    exec env VELMORA_ON_XVFB=1 xvfb-run -a -s "-screen 0 1280x800x24" bash "$0" "$@"
fi
program="$1" picture="$3" seconds="${4:-60}"
export WINEPREFIX="$2"
mkdir -p "$(dirname "$picture")"

/usr/lib/wine/wine64 "$program" >/dev/null 2>&1 &
running=$!
window=""
for _ in $(seq "$seconds"); do
    sleep 1
    window=$(xdotool search --onlyvisible --name 'Velmora|雨型' 2>/dev/null | head -1 || true)
    [ -n "$window" ] && break
done
if [ -z "$window" ]; then
    import -window root "$picture"
    kill "$running" 2>/dev/null || true
    echo "No Velmora window appeared within $seconds s (screen: $picture)" >&2
    exit 1
fi
sleep 5 # the first paint
echo "Window: $(xdotool getwindowname "$window")" >&2
import -window root "$picture"
echo "Screenshot: $picture" >&2
kill "$running" 2>/dev/null || true
/usr/lib/wine/wineserver64 -k 2>/dev/null || true

#!/usr/bin/env bash
# Installs the Windows installer silently into a fresh Wine prefix, starts the
# installed program, asks it for its manual (帮助 → 帮助), uninstalls silently
# and checks that only the user's options are left:
#   install-cycle.sh SETUP.exe WINE_PREFIX PICTURE.png
set -euo pipefail
if [ -z "${VELMORA_ON_XVFB:-}" ]; then
    exec env VELMORA_ON_XVFB=1 xvfb-run -a -s "-screen 0 1280x800x24" bash "$0" "$@"
fi
setup="$1" picture="$3"
export WINEPREFIX="$2"
wine64=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver64
rm -rf "$WINEPREFIX"
mkdir -p "$(dirname "$picture")"
$wine64 wineboot.exe --init >/dev/null 2>&1 || true
$wineserver -w

drive_c="$WINEPREFIX/drive_c"
installed="$drive_c/Program Files/Velmora"
shortcut="$drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Velmora.lnk"
uninstall_key='Software\\\\Microsoft\\\\Windows\\\\CurrentVersion\\\\Uninstall\\\\Velmora'
fail() { echo "install-cycle: $*" >&2; exit 1; }

before="$(mktemp)"
(cd "$drive_c" && find . | sort) >"$before"

$wine64 "$setup" /S
$wineserver -w
for file in velmora.exe velmora-cli.exe 软件说明书.pdf uninstall.exe qt.conf \
            plugins/platforms/qwindows.dll translations/qtbase_zh_CN.qm; do
    [ -f "$installed/$file" ] || fail "not installed: $file"
done
[ -f "$shortcut" ] || fail "no Start-menu entry"
grep -q "^\[$uninstall_key\]" "$WINEPREFIX/system.reg" || fail "not under Add/Remove Programs"
echo "Installed: $(du -sh "$installed" | cut -f1) in Program Files\\Velmora, Start-menu entry, uninstall entry" >&2

# A PDF "opens" by writing its name into a file: what Help hands to the desktop.
opened='C:\opened-manual.txt'
$wine64 reg.exe add 'HKCR\.pdf' /ve /d VelmoraTest.pdf /f >/dev/null
$wine64 reg.exe add 'HKCR\VelmoraTest.pdf\shell\open\command' /ve \
    /d "cmd.exe /c echo %1> $opened" /f >/dev/null
$wineserver -w

$wine64 "C:\\Program Files\\Velmora\\velmora.exe" >/dev/null 2>&1 &
window=""
for _ in $(seq 60); do
    sleep 1
    window=$(xdotool search --onlyvisible --name Velmora 2>/dev/null | head -1 || true)
    [ -n "$window" ] && break
done
[ -n "$window" ] || fail "the installed program shows no window"
sleep 5
xdotool windowactivate --sync "$window" 2>/dev/null || xdotool windowfocus "$window"
xdotool key --window "$window" alt+h
sleep 2
xdotool key --window "$window" Return
for _ in $(seq 20); do
    [ -s "$drive_c/opened-manual.txt" ] && break
    sleep 1
done
import -window root "$picture"
[ -s "$drive_c/opened-manual.txt" ] || fail "帮助 opened no manual (screen: $picture)"
echo "帮助 opened: $(tr -d '\r' <"$drive_c/opened-manual.txt")" >&2
grep -q 'Program Files\\Velmora\\.*\.pdf' "$drive_c/opened-manual.txt" || fail "帮助 opened another file"
# Closed as a user closes it, so that it writes its options.
xdotool key --window "$window" alt+F4
for _ in $(seq 20); do
    xdotool search --onlyvisible --name Velmora >/dev/null 2>&1 || break
    sleep 1
done
$wineserver -k 2>/dev/null || true
$wineserver -w
rm -f "$drive_c/opened-manual.txt"

options="$(find "$drive_c/users" -path '*AppData/Roaming/Kestrova/Quorvel' -type d | head -1)"
[ -n "$options" ] || fail "no settings folder in the roaming application-data folder"
echo "Settings folder: ${options#"$drive_c/"} ($(ls "$options" | tr '\n' ' '))" >&2

$wine64 "C:\\Program Files\\Velmora\\uninstall.exe" /S
sleep 5
$wineserver -w
[ ! -e "$installed" ] || fail "left behind: $(cd "$installed" && find . | head -5 | tr '\n' ' ')"
[ ! -e "$shortcut" ] || fail "the Start-menu entry is left"
! grep -q "^\[$uninstall_key\]" "$WINEPREFIX/system.reg" || fail "the uninstall entry is left"
# Besides the options, whatever Wine itself keeps (its temporary files, the
# fonts cache) may differ: compared below Program Files and ProgramData only.
after="$(mktemp)"
(cd "$drive_c" && find . | sort) >"$after"
new=$(comm -13 "$before" "$after" | grep -E '^\./(Program Files|ProgramData)/' || true)
[ -z "$new" ] || fail "left behind: $new"
[ -d "$options" ] || fail "the user's options were removed"
echo "Uninstalled: nothing left but the user's options" >&2
rm -f "$before" "$after"

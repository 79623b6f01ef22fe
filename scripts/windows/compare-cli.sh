#!/usr/bin/env bash
# Runs the Linux and the Windows velmora-cli on the same storms and compares
# what they write, byte for byte:
#   compare-cli.sh LINUX_CLI WINDOWS_CLI.exe FOLDER WINE_PREFIX
# The text files (CSV, SWMM, storm files, the printed tables and summaries)
# must be identical; Word and Excel files are compared part by part, except
# the report's chart picture, which is drawn with the fonts of each system.
set -euo pipefail
linux_cli="$1" windows_cli="$2" folder="$3"
export WINEPREFIX="$4"
rm -rf "$folder"
mkdir -p "$folder/linux" "$folder/windows"

several="--P 1,2,5,10,50 --T 60,120,1440"
cases=(
    ""
    "--totals --unit mm/h --time hm --decimals 2"
    "--flow --a1 1602.8827 --qi-ratio 167 --step 5 --interval-average"
    "--ln --c 0.9 --b 12.5 --n 0.71 --r 0.35 --format swmm"
    "$several"
    "$several --format csv --out-dir csv"
    "$several --format swmm --out-dir swmm"
    "$several --step 5 --format storm --out-dir storms"
    "--T 1440 --step 5 --write-storm day.txt"
    "--P 3 --T 180 --r 0.35 --step 5 --unit mm/h --decimals 2 --format docx --out table.docx"
    "--P 3 --T 180 --format xlsx --out workbook.xlsx"
    "--P 3 --T 180 --format report --out report.docx"
    "--P 1,2 --T 60,120 --format report --out-dir reports"
)

run_both() {
    local number="$1" arguments="$2"
    # Relative paths: the same words mean the same files on both systems; the
    # folders --out-dir names are there. A failing run is compared too.
    local side
    for side in linux windows; do
        mkdir -p "$folder/$side/$number"/{csv,swmm,storms,reports}
    done
    # shellcheck disable=SC2086
    (cd "$folder/linux/$number" && { "$linux_cli" $arguments >stdout 2>stderr && echo 0 || echo "$?"; } >exit-code)
    # shellcheck disable=SC2086
    (cd "$folder/windows/$number" &&
        { /usr/lib/wine/wine64 "$windows_cli" $arguments >stdout 2>stderr && echo 0 || echo "$?"; } >exit-code)
}

number=0
for arguments in "${cases[@]}"; do
    number=$((number + 1))
    run_both "$number" "$arguments"
done
/usr/lib/wine/wineserver64 -w

# Office files unpacked, so that a difference names its part.
for side in linux windows; do
    find "$folder/$side" \( -name '*.docx' -o -name '*.xlsx' \) | while read -r package; do
        mkdir -p "$package.parts"
        unzip -q -o "$package" -d "$package.parts"
        rm "$package"
    done
done
# The chart picture of the report is the one part drawn with each system's fonts.
different=$(diff -r -q -x 'image*.png' "$folder/linux" "$folder/windows" || true)
if [ -n "$different" ]; then
    echo "velmora-cli.exe writes differently:" >&2
    echo "$different" >&2
    exit 1
fi
files=$(find "$folder/linux" -type f | wc -l)
echo "velmora-cli: ${#cases[@]} runs, $files files and parts identical on Linux and Windows" >&2

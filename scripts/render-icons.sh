#!/usr/bin/env bash
# Renders the hand-drawn icon resources/desktop/velmora.svg into the PNG sizes
# of the hicolor theme (resources/desktop/icons/SIZExSIZE/velmora.png) and the
# Windows icon. Run it after changing the SVG and commit the pictures with it.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup-debian.sh librsvg2-bin
for size in 16 22 24 32 48 64 128 256; do
    mkdir -p "resources/desktop/icons/${size}x${size}"
    rsvg-convert --width "$size" --height "$size" resources/desktop/velmora.svg \
        --output "resources/desktop/icons/${size}x${size}/velmora.png"
done

# The Windows icon (resources/windows/velmora.ico, used by the programs'
# resource) holds the same pictures.
bash scripts/setup-debian.sh imagemagick
/usr/bin/convert $(for size in 16 24 32 48 64 128 256; do echo "resources/desktop/icons/${size}x${size}/velmora.png"; done) \
    resources/windows/velmora.ico

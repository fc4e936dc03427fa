#!/bin/sh
# Renders every bundled lens flare library with "quorix.exe render" into
# docs/presets/NAME.png, the pictures the README shows. Builds the Windows
# artifacts first; runs under Wine with the null graphics driver.
#   scripts/render-presets.sh [WIDTHxHEIGHT]      (default 320x180)
set -eu
cd "$(dirname "$0")/.."
size=${1:-320x180}
cmake --preset windows >/dev/null
cmake --build --preset windows >/dev/null

. scripts/wine-env.sh
dist="$PWD/build/windows/dist"
prefix="$PWD/build/windows/wineprefix"
out="$PWD/docs/presets"
wine_prefix "$prefix" null
mkdir -p "$out"

for preset in "$dist"/lensfx/*.lnz; do
    name=$(basename "$preset" .lnz)
    (cd "$dist" && WINEPREFIX="$prefix" wine quorix.exe render --size "$size" \
        --library "lensfx/$name.lnz" --out "Z:$out/$name.png" 2>/dev/null </dev/null)
    echo "$out/$name.png"
done

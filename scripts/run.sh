#!/bin/sh
# The main job: installs what is missing, builds the Windows artifacts and
# runs the host with the Lens Flare Editor open on its default flare.
# With a display ($DISPLAY) the editor opens there. Headless, the host runs
# under Xvfb: the script saves a screenshot of the editor, closes it the way
# the user would, renders the default flare to a picture with
# "quorix.exe render", and prints the paths of both pictures.
set -eu
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake --preset windows >/dev/null
cmake --build --preset windows >/dev/null

. scripts/wine-env.sh
dist="$PWD/build/windows/dist"
prefix="$PWD/build/windows/wineprefix-x11"
out="$PWD/build/screenshots"
wine_prefix "$prefix" x11

if [ -n "${DISPLAY:-}" ] && [ "${LF_HEADLESS:-0}" != 1 ]; then
    cd "$dist"
    WINEPREFIX="$prefix" exec wine quorix.exe edit "$@"
fi

display=:$(( 90 + $$ % 100 ))
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
export DISPLAY="$display"
trap 'WINEPREFIX="$prefix" wineserver -k 2>/dev/null; kill $xvfb 2>/dev/null' EXIT INT TERM
sleep 1

mkdir -p "$out"
(cd "$dist" && WINEPREFIX="$prefix" wine quorix.exe edit "$@") &
host=$!
desktop=$(timeout 60 xdotool search --sync --onlyvisible --name 'Wine desktop$' | head -n 1)
sleep 4
# The editor is the only window on the Wine desktop: trimming the desktop's
# plain background leaves exactly the editor's frame.
import -window "$desktop" -trim +repage "$out/editor.png"
echo "editor screenshot: $out/editor.png"

# Close the editor with Alt+F4 (its close box, which acts as Ok) and wait
# for the host to exit.
xdotool windowfocus --sync "$desktop" key --clearmodifiers alt+F4
wait $host

(cd "$dist" && WINEPREFIX="$prefix" wine quorix.exe render --size 960x540 --out "$out/flare.png")
echo "flare picture: $out/flare.png"

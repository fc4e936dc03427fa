#!/bin/sh
# The main job: installs what is missing, builds the Windows artifacts and
# runs quorix.exe, the host's main window with the scene and its flare; the
# Lens Flare Editor opens from its Edit menu (Ctrl+E).
# With a display ($DISPLAY) the window opens there. Headless, the program
# runs under Xvfb and is driven as a person would: the script saves
# pictures of the main window and of the editor opened with Ctrl+E on each
# of its three pages, closes the editor with Ok and the window with Alt+F4,
# and prints the pictures' paths (build/screenshots/).
set -eu
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake --preset windows >/dev/null
cmake --build --preset windows >/dev/null

. scripts/wine-env.sh
build="$PWD/build/windows"
# A prefix of its own, so that a run never stops the tests' Wine services.
prefix="$build/wineprefix-desktop"

if [ -n "${DISPLAY:-}" ] && [ "${LF_HEADLESS:-0}" != 1 ]; then
    wine_prefix "$prefix" x11
    cd "$build/dist"
    WINEPREFIX="$prefix" exec wine quorix.exe "$@"
fi

. tests/e2e/e2e_lib.sh
out="$PWD/build/screenshots"
mkdir -p "$out"
e2e_begin "$PWD" "$build" "$prefix"

# window_shot NAME FILE: the window NAME, cropped to its frame.
window_shot() {
    window_box "$1"
    shot "$out/$2" "${WIN_W}x${WIN_H}+${WIN_X}+${WIN_Y}"
    echo "$out/$2"
}

host_start "$@"
window_wait Quorix
xdotool windowfocus --sync "$(window_id 'Default - Wine desktop')"
settle
window_shot Quorix main-window.png

keys ctrl+e
window_wait "Lens Flare Editor"
settle
dialog_units "Lens Flare Editor"
window_shot "Lens Flare Editor" editor-element-parameters.png
tab 2
window_shot "Lens Flare Editor" editor-global-parameters.png
tab 3
window_shot "Lens Flare Editor" editor-global-fading-parameters.png

click_at 250 8 50 14
window_gone "Lens Flare Editor"
keys alt+F4
window_gone Quorix
host_exit

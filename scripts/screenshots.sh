#!/bin/sh
# Pictures of the program for the README and the docs, taken from the
# running quorix.exe under Xvfb and driven as a person would (pointer and
# keyboard), each cropped to its window and written to docs/:
#   main-window.png                       the host's main window
#   editor-*.png                          the editor on each of its three pages
#   editor-slider-focus.png               the editor with the focus on a page slider
#   colour-selector.png, named-colour-selector.png, system-colour-dialog.png
#   gradient-menu.png, gradient-file-requester.png, gradient-large-dialog.png
#   library-requester.png                 the library requester previewing a preset
#   preset-browser.png                    the preset browser with the bundled presets
#   panels/TYPE.png                       the element panel of each element type
#   add-element.png                       the "Select Element" dialog
#   editor-undo-menu.png                  the editor's system menu with its undo entry
#   editor-element-list.png               the element list: pictures, enable boxes
#   editor-solo.png, editor-element-menu.png   Solo on; the element list's menu
#   editor-150-percent.png                the editor on a screen scaled to 150 % (144 DPI)
#   editor-maximised.png                  the editor maximised on a 1920x1080 screen
#                                         (alone with --maximised)
# A picture whose part of the program is not there yet is skipped with a
# message. Builds the Windows artifacts first.
set -eu
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake --preset windows >/dev/null
cmake --build --preset windows >/dev/null

build="$PWD/build/windows"
docs="$PWD/docs"
. tests/e2e/e2e_lib.sh

# The editor maximised on a 1920x1080 screen: a session of its own, on a
# screen and a Wine desktop of that size, with the editor's kept placement
# saying "maximised".
if [ "${1:-}" = --maximised ]; then
    E2E_SCREEN=1920x1080
    prefix="$build/wineprefix-desktop-1080"
    e2e_begin "$PWD" "$build" "$prefix"
    WINEPREFIX="$prefix" wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default \
        /d 1920x1080 /f </dev/null >/dev/null 2>&1
    WINEPREFIX="$prefix" wineserver -w
    printf '[Lens-Flare-UI]\r\nWindow-Placement=200,100,1000,700,1\r\n' \
        >"$e2e_settings/quorix.ini"
    host_start
    window_wait Quorix
    settle
    keys ctrl+e
    window_wait "Lens Flare Editor"
    settle
    window_box "Lens Flare Editor"
    shot "$e2e_tmp/keep.png" "${WIN_W}x${WIN_H}+${WIN_X}+${WIN_Y}"
    convert "$e2e_tmp/keep.png" -strip -define png:compression-level=9 \
        "$docs/editor-maximised.png"
    echo "$docs/editor-maximised.png (${WIN_W}x${WIN_H})"
    keys Escape
    window_gone "Lens Flare Editor"
    keys alt+F4
    window_gone Quorix
    host_exit
    exit 0
fi

# Room for the editor at 150 % beside Wine's desktop of 1024 by 768.
E2E_SCREEN=1280x1024
e2e_begin "$PWD" "$build" "$build/wineprefix-desktop"
t=$e2e_tmp
mkdir -p "$docs/panels"

# keep FILE GEOMETRY: the screen's part, as a small PNG under docs/.
keep() {
    shot "$t/keep.png" "$2"
    convert "$t/keep.png" -strip -define png:compression-level=9 "$docs/$1"
    echo "$docs/$1"
}

keep_window() {
    window_box "$1"
    keep "$2" "${WIN_W}x${WIN_H}+${WIN_X}+${WIN_Y}"
}

skip() {
    echo "skipped $1: $2"
}

# appears NAME [SECONDS]: whether a window NAME shows up (without failing).
appears() {
    wait_for "${2:-4}" window_shown "$1"
}

# keep_menu FILE BEFORE: the editor with the popup menu that opened over
# it since the picture BEFORE of the screen (the part of the screen that
# changed, joined to the editor's frame).
keep_menu() {
    shot "$t/after.png"
    set -- "$1" $(convert "$2" "$t/after.png" -compose difference -composite \
                  -threshold 0 -trim -format '%w %h %X %Y' info:)
    window_box "Lens Flare Editor"
    x0=$WIN_X y0=$WIN_Y x1=$(( WIN_X + WIN_W )) y1=$(( WIN_Y + WIN_H ))
    mx=${4#+} my=${5#+}
    [ "$mx" -ge "$x0" ] || x0=$mx
    [ "$my" -ge "$y0" ] || y0=$my
    [ $(( mx + $2 )) -le "$x1" ] || x1=$(( mx + $2 ))
    [ $(( my + $3 )) -le "$y1" ] || y1=$(( my + $3 ))
    keep "$1" "$(( x1 - x0 ))x$(( y1 - y0 ))+${x0}+${y0}"
}

open_editor() {
    keys ctrl+e
    window_wait "Lens Flare Editor"
    settle
    dialog_units "Lens Flare Editor"
    E2E_TAB=1
    unset TAB1_L TAB2_L TAB3_L
}

close_editor() {
    click_at 250 8 50 14
    window_gone "Lens Flare Editor"
}

# The colour selector from the Base Color swatch of the Global Parameters
# page, the named colour selector and the system colour dialog from it.
colour_dialogs() {
    tab 2
    click_at 228 274 91 11
    window_wait "Interactive Color Selector"
    settle
    keep_window "Interactive Color Selector" colour-selector.png
    keys alt+n
    window_wait "Named Color Selector"
    settle
    keep_window "Named Color Selector" named-colour-selector.png
    keys Escape
    window_gone "Named Color Selector"
    keys alt+p
    window_wait Color
    settle
    keep_window Color system-colour-dialog.png
    keys Escape
    window_gone Color
    keys Escape
    window_gone "Interactive Color Selector"
    tab 1
}

# The selected element's panel: the page area with the tab strip above it.
panel_box() {
    at 9 202
    x0=$AT_X y0=$(( AT_Y - 26 ))
    at 350 332
    echo "$(( AT_X - x0 + 1 ))x$(( AT_Y - y0 + 1 ))+${x0}+${y0}"
}

# Selects item N (from 0) of the element list with the keyboard.
select_element() {
    click_at 252 60 99 71
    keys Home
    downs=0
    while [ $downs -lt "$1" ]; do
        keys Down
        downs=$(( downs + 1 ))
    done
    settle
}

# One picture per element type: a library with one element of each type,
# in the catalogue's order, is loaded from the main window's File menu.
element_panels() {
    types=$(sed -n 's/^| `\([a-z]*\)` | .* | [0-9]* |$/\1/p' "$docs/catalogue.md")
    {
        echo "quorix-lensflare 1.0"
        printf 'globals\nend\nelements %d\n' "$(echo "$types" | wc -l)"
        for type in $types; do printf 'element %s\nend\n' "$type"; done
    } >"$t/each-type.lnz"
    keys alt+f l
    window_wait "Load Library"
    settle
    type_text "$(winpath "$t/each-type.lnz")"
    keys Return
    window_gone "Load Library"
    open_editor
    # A panel that has not landed leaves the page area empty.
    shot "$t/empty.png" "$(box 12 205 335 124)"
    if [ "$(convert "$t/empty.png" -format '%[fx:standard_deviation]' info:)" = 0 ]; then
        skip "panels/*.png" "the element page shows no panel"
    else
        index=0
        for type in $types; do
            select_element $index
            keep "panels/$type.png" "$(panel_box)"
            index=$(( index + 1 ))
        done
    fi
    gradient_pictures
    close_editor
}

# The yellow menu button at the right end of a gradient control: the first
# element type (a glow) has a gradient of radial colours.
gradient_pictures() {
    select_element 0
    shot "$t/page.png" "$(box 10 203 339 128)"
    set -- $(convert "$t/page.png" -fx '(r > 0.9 && g > 0.9 && b < 0.1) ? 0 : 1' \
             -trim -format '%w %h %X %Y' info: 2>/dev/null)
    if [ "${1:-1}" -lt 3 ]; then
        skip "gradient-*.png" "no gradient control on the panel"
        return
    fi
    at 10 203
    menu_x=$(( AT_X + ${3#+} + $1 / 2 )) menu_y=$(( AT_Y + ${4#+} + $2 / 2 ))
    shot "$t/before.png"
    click "$menu_x" "$menu_y"
    settle
    keep_menu gradient-menu.png "$t/before.png"
    keys Escape
    click "$menu_x" "$menu_y"
    sleep 0.5
    keys l
    if appears "Load Color Gradient File"; then
        settle
        # A gradient selected in the file list shows in the preview strip.
        keys alt+n shift+Tab
        type_text sunset
        settle
        keep_window "Load Color Gradient File" gradient-file-requester.png
        keys Escape
        window_gone "Load Color Gradient File"
    else
        skip gradient-file-requester.png "no requester from the gradient menu"
    fi
    click "$menu_x" "$menu_y"
    sleep 0.5
    keys e
    if appears "Gradient Edit"; then
        settle
        keep_window "Gradient Edit" gradient-large-dialog.png
        keys Escape
        window_gone "Gradient Edit"
    else
        skip gradient-large-dialog.png "no large dialog from the gradient menu"
    fi
}

# Library Load opens the requester in the working folder's lensfx; a
# preset is selected in the file list by typing its name, and previewed.
library_requester() {
    keys alt+y
    if ! appears "Select Lens Flare Effect File"; then
        skip library-requester.png "Library Load opened no requester"
        return
    fi
    settle
    keys alt+n shift+Tab
    type_text sun
    settle
    keep_window "Select Lens Flare Effect File" library-requester.png
    keys Escape
    window_gone "Select Lens Flare Effect File"
}

# "Presets..." opens the browser on the bundled presets; its pictures are
# made while it is open.
preset_browser() {
    click_at 304 45 50 13
    if ! appears "Lens Flare Presets"; then
        skip preset-browser.png "Presets... opened no browser"
        return
    fi
    sleep 2
    settle
    keep_window "Lens Flare Presets" preset-browser.png
    keys Escape
    window_gone "Lens Flare Presets"
}

add_element_dialog() {
    keys alt+a
    if ! appears "Select Element"; then
        skip add-element.png "Add opened no dialog"
        return
    fi
    settle
    keep_window "Select Element" add-element.png
    keys Escape
    window_gone "Select Element"
}

# The editor's system menu with its Undo and Redo entries, after an edit
# (the selected element switched off), which Ctrl+Z then takes back.
undo_menu() {
    keys alt+m
    settle
    shot "$t/before.png"
    keys alt+space
    settle
    shot "$t/after.png"
    if [ "$(differing_pixels "$t/before.png" "$t/after.png")" = 0 ]; then
        skip editor-undo-menu.png "the editor's system menu did not open"
    else
        keep_menu editor-undo-menu.png "$t/before.png"
        keys Escape
    fi
    keys ctrl+z
    settle
}

# The element list with its rows' pictures and enable boxes (the second
# element switched off with Space), the editor with Solo on for the first
# element, and the list's menu from a right click on the third row.
element_stack() {
    select_element 1
    keys space
    settle
    keep editor-element-list.png "$(box 246 45 110 141)"
    keys space
    select_element 0
    keys alt+o
    settle
    keep_window "Lens Flare Editor" editor-solo.png
    keys alt+o
    settle
    at 252 60
    shot "$t/before.png"
    click $(( AT_X + 60 )) $(( AT_Y + 2 + 22 * 2 + 11 )) 3
    settle
    if [ "$(differing_pixels "$t/before.png" "$(shot "$t/after.png"; echo "$t/after.png")")" = 0 ]; then
        skip editor-element-menu.png "no menu opened over the element list"
    else
        keep_menu editor-element-menu.png "$t/before.png"
        keys Escape
        settle
    fi
}

# desktop_scale DPI SIZE: Wine's DPI and desktop size for the programs
# started from now on (Wine reads both when its desktop and a program start).
desktop_scale() {
    wineserver -k 2>/dev/null || true
    wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d "$2" /f >/dev/null 2>&1
    wineserver -w
}

# The editor as `quorix.exe edit` opens it on a screen scaled to 150 %.
editor_at_150_percent() {
    desktop_scale 144 1280x1024
    host_start edit
    window_wait "Lens Flare Editor"
    settle
    keep_window "Lens Flare Editor" editor-150-percent.png
    keys Escape
    host_exit
    desktop_scale 96 1024x768
}

desktop_scale 96 1024x768
host_start
window_wait Quorix
xdotool windowfocus --sync "$(window_id 'Default - Wine desktop')"
settle
keep_window Quorix main-window.png

open_editor
keep_window "Lens Flare Editor" editor-element-parameters.png
tab 2
keep_window "Lens Flare Editor" editor-global-parameters.png
# Alt+I: the focus on Global Intensity, a step up with the arrow key.
keys alt+i Right
settle
keep_window "Lens Flare Editor" editor-slider-focus.png
keys Left
settle
tab 3
keep_window "Lens Flare Editor" editor-global-fading-parameters.png
tab 1
colour_dialogs
library_requester
preset_browser
add_element_dialog
undo_menu
element_stack
close_editor

element_panels
keys alt+F4
window_gone Quorix
host_exit

editor_at_150_percent
"$0" --maximised

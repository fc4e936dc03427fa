#!/bin/sh
# The editor as a person uses it, end to end under Xvfb: quorix.exe's main
# window, the editor opened from its menu, the three tabs, a global slider
# dragged with the preview following, the base colour chosen in the colour
# selector, an element removed, one added through the "Select Element"
# dialog and moved up, the flare saved as a library, changed, and loaded
# back through the previewing requester, realtime updates switched off and
# Redraw Now, Ok; the editor grown by its corner and opened again at that size;
# then the host's flare saved from the main window's menu, checked in the
# file and in a render, and the settings file read after the window has
# closed. Only the pointer and the keyboard drive the program; the screen's
# pixels and the files it writes are what is checked.
#   editor_e2e.sh SOURCE_DIR BUILD_DIR
set -eu
src=$1
build=$2
. "$src/tests/e2e/e2e_lib.sh"
e2e_begin "$src" "$build" "$build/wineprefix-x11"
t=$e2e_tmp

host_start
window_wait Quorix
xdotool windowfocus --sync "$(window_id 'Default - Wine desktop')"
settle
window_box Quorix
main_view="$(( WIN_W - 20 ))x$(( WIN_H - 100 ))+$(( WIN_X + 10 ))+$(( WIN_Y + 50 ))"
shot "$t/main-before.png" "$main_view"

# save_library FILE: File > Save Library, the path typed into the dialog.
save_library() {
    keys alt+f s
    window_wait "Save Library"
    settle
    type_text "$(winpath "$1")"
    keys Return
    wait_for 10 test -s "$1" || fail "Save Library wrote no $1"
    window_gone "Save Library"
}

element_types() {
    sed -n 's/^element \([a-z]*\)$/\1/p' "$1" | tr '\n' ' '
}

note "File > Save Library writes the default flare"
save_library "$t/default.lnz"
set -- $(element_types "$t/default.lnz")
[ $# -ge 4 ] || fail "the default flare has only $# elements"

note "the editor opens from the Edit menu"
keys alt+e l
window_wait "Lens Flare Editor"
settle
dialog_units "Lens Flare Editor"
editor_x=$WIN_X editor_y=$WIN_Y
shot "$t/preview-0.png" "$PREVIEW"
above "$(brightness "$t/preview-0.png")" 0.01 || fail "the preview shows no flare"

note "the three tabs switch the page"
page="$(box 10 203 339 128)"
shot "$t/page-element.png" "$page"
tab 2
shot "$t/page-global.png" "$page"
tab 3
shot "$t/page-fading.png" "$page"
tab 1
shot "$t/page-element-again.png" "$page"
[ "$(differing_pixels "$t/page-element.png" "$t/page-global.png")" -gt 500 ] ||
    fail "the Global Parameters page looks like the Element Parameters page"
[ "$(differing_pixels "$t/page-global.png" "$t/page-fading.png")" -gt 500 ] ||
    fail "the Global Fading Parameters page looks like the Global Parameters page"
[ "$(differing_pixels "$t/page-element.png" "$t/page-element-again.png")" = 0 ] ||
    fail "the Element Parameters page changed after a round of the tabs"
tab 2

# The global sliders fill their places on the Global Parameters page; a
# press anywhere in a slider and a move take the thumb along, and a move
# past either end of the track gives the end's value.
# A flare in pure red: its core is bright red, and nothing is bright green
# (the default flare's core is white).
red_flare() {
    above "$(convert "$1" -format '%[fx:maxima.r]' info:)" 0.9 &&
        ! above "$(convert "$1" -format '%[fx:maxima.g]' info:)" 0.5
}

slider_drag() {
    at "$1" "$2"
    left=$AT_X top=$AT_Y
    at $(( $1 + 135 )) $(( $2 + 18 ))
    right=$AT_X y=$(( top + (AT_Y - top) * 3 / 4 ))
    if [ "$3" = right ]; then
        drag $(( left + 6 )) "$y" $(( right + 40 )) "$y"
    else
        drag $(( right - 6 )) "$y" $(( left - 40 )) "$y"
    fi
    settle
}

note "dragging Global Intensity to its end brightens the preview"
slider_drag 33 242 right
shot "$t/preview-1.png" "$PREVIEW"
above "$(brightness "$t/preview-1.png")" "$(brightness "$t/preview-0.png")" ||
    fail "the preview did not brighten with the intensity"

note "the base colour is chosen in the colour selector"
click_at 228 274 91 11
window_wait "Interactive Color Selector"
settle
# The red channel's bar has the focus: keep red, take green and blue to 0.
keys Tab Home Tab Home Return
window_gone "Interactive Color Selector"
settle
shot "$t/swatch.png" "$(box 230 276 87 7)"
above "$(channel_mean "$t/swatch.png" r)" 0.95 &&
    ! above "$(channel_mean "$t/swatch.png" g)" 0.05 ||
    fail "the base colour swatch does not show red"
shot "$t/preview-2.png" "$PREVIEW"
above "$(channel_mean "$t/preview-2.png" r)" 0.01 ||
    fail "the preview went dark"
above "$(channel_mean "$t/preview-2.png" r)" \
      "$(awk "BEGIN { print 4 * $(channel_mean "$t/preview-2.png" g) }")" ||
    fail "the preview did not turn red with the base colour"

note "an element is removed, one added through Select Element and moved up"
third_type=$(sed -n 's/^| `\([a-z]*\)` | .* | [0-9]* |$/\1/p' "$src/docs/catalogue.md" | sed -n 3p)
preview_changes() {
    settle
    shot "$t/preview-new.png" "$PREVIEW"
    [ "$(differing_pixels "$t/preview-2.png" "$t/preview-new.png")" -gt 50 ] ||
        fail "the preview did not change: $1"
    mv "$t/preview-new.png" "$t/preview-2.png"
}
click_at 252 60 99 71
keys Home
settle
click_at 309 151 38 14
preview_changes "the first element was removed"
click_at 255 151 22 14
window_wait "Select Element"
settle
# The list fills the dialog's top (its client area starts where the editor's
# does, below a frame of the same kind): the third type, at the end.
window_box "Select Element"
click $(( WIN_X + DLG_X - editor_x + 30 )) $(( WIN_Y + DLG_Y - editor_y + 6 ))
keys Down Down alt+o
window_gone "Select Element"
preview_changes "an element was added"
# The flare's elements add up, so their order shows in the list alone: the
# selected item moves up.
list_changes() {
    settle
    shot "$t/list-new.png" "$(box 252 60 99 71)"
    [ "$(differing_pixels "$t/list.png" "$t/list-new.png")" -gt 50 ] ||
        fail "the element list did not change: $1"
    mv "$t/list-new.png" "$t/list.png"
}
shot "$t/list.png" "$(box 252 60 99 71)"
click_at 309 168 38 14
list_changes "the new element was moved up"
click_at 309 168 38 14
list_changes "the new element was moved up again"
# The first element went, the third type was added at the end and moved up
# twice.
shift
expected=""
n=$#
i=0
for type in "$@"; do
    [ $i != $(( n - 2 )) ] || expected="$expected $third_type"
    expected="$expected $type"
    i=$(( i + 1 ))
done
expected="${expected# } "

note "Library Save writes the flare, the requester previews it and Library Load brings it back"
keys alt+s
window_wait "Save a Lens Effect File"
settle
type_text "e2e-saved"
keys Return
window_gone "Save a Lens Effect File"
saved="$e2e_work/lensfx/e2e-saved.lnz"
wait_for 10 test -s "$saved" || fail "Library Save wrote no lensfx\\e2e-saved.lnz"
[ "$(element_types "$saved")" = "$expected" ] ||
    fail "the saved library holds $(element_types "$saved"), expected $expected"
click_at 309 151 38 14
preview_changes "the selected element was removed"
shot "$t/list.png" "$(box 252 60 99 71)"

# red_pixels FILE: how many pixels are pure bright red, as the flare now is.
red_pixels() {
    convert "$1" -fx '(r > 0.6 && g < 0.25 && b < 0.25) ? 1 : 0' \
        -format '%[fx:round(mean*w*h)]' info:
}
keys alt+y
window_wait "Select Lens Flare Effect File"
settle
window_box "Select Lens Flare Effect File"
requester="${WIN_W}x${WIN_H}+${WIN_X}+${WIN_Y}"
# To the file name (Alt+N) and back to the file list, where typing selects
# by name: a bundled preset, then the saved library (the list forgets what
# was typed after a pause).
keys alt+n shift+Tab
type_text "sun"
settle
shot "$t/requester-sun.png" "$requester"
sleep 1.5
type_text "e2e-"
settle
shot "$t/requester-saved.png" "$requester"
[ "$(red_pixels "$t/requester-saved.png")" -gt \
  $(( $(red_pixels "$t/requester-sun.png") + 100 )) ] ||
    fail "the requester does not preview the red flare of the selected library"
keys Return
window_gone "Select Lens Flare Effect File"
preview_changes "the library was loaded"
list_changes "the library's elements are listed"

note "with realtime updates off, a slider waits for Redraw Now"
click_at 20 169 71 12
settle
slider_drag 33 268 left
shot "$t/preview-3.png" "$PREVIEW"
[ "$(differing_pixels "$t/preview-2.png" "$t/preview-3.png")" = 0 ] ||
    fail "the preview changed while realtime updates were off"
click_at 179 169 55 12
settle
shot "$t/preview-4.png" "$PREVIEW"
above "$(brightness "$t/preview-3.png")" "$(brightness "$t/preview-4.png")" ||
    fail "Redraw Now did not show the smaller flare"

note "Ok closes the editor and the main window shows the edited flare"
click_at 250 8 50 14
window_gone "Lens Flare Editor"
settle
shot "$t/main-after.png" "$main_view"
red_flare "$t/main-after.png" || fail "the main window does not show the red flare"

note "File > Save Library writes the edited flare"
save_library "$t/edited.lnz"
[ "$(element_types "$t/edited.lnz")" = "$expected" ] ||
    fail "elements after the edits: $(element_types "$t/edited.lnz"), expected:$expected"
globals=$(sed -n '/^globals/,/^end/p' "$t/edited.lnz")
for line in "intensity 4" "scale 0.1" "color 1 0 0"; do
    echo "$globals" | grep -qx "    $line" || fail "the saved flare lacks \"$line\":
$globals"
done

note "the editor grows by its corner, its preview with it, and opens again at that size"
keys alt+e l
window_wait "Lens Flare Editor"
settle
dialog_units "Lens Flare Editor"
w0=$WIN_W h0=$WIN_H
at 250 8 50 14
ok_x=$AT_X ok_y=$AT_Y
grown="$(box 250 60 99 100)"
shot "$t/grown-before.png" "$grown"
drag $(( WIN_X + WIN_W - 2 )) $(( WIN_Y + WIN_H - 2 )) $(( WIN_X + WIN_W + 160 )) \
     $(( WIN_Y + WIN_H + 90 ))
settle
window_box "Lens Flare Editor"
[ "$WIN_W" -gt $(( w0 + 100 )) ] && [ "$WIN_H" -gt $(( h0 + 50 )) ] ||
    fail "dragging the corner did not make the editor larger (${w0}x${h0} to ${WIN_W}x${WIN_H})"
w1=$WIN_W h1=$WIN_H
shot "$t/grown-after.png" "$grown"
# Where the element list stood, the preview now shows its own pixels: dark,
# with the flare's reflections in them.
above "$(brightness "$t/grown-before.png")" 0.4 && above 0.3 "$(brightness "$t/grown-after.png")" &&
    above "$(brightness "$t/grown-after.png")" 0.001 ||
    fail "the preview did not grow into the freed place"
click $(( ok_x + w1 - w0 )) "$ok_y"
window_gone "Lens Flare Editor"
keys alt+e l
window_wait "Lens Flare Editor"
settle
window_box "Lens Flare Editor"
[ "$WIN_W" = "$w1" ] && [ "$WIN_H" = "$h1" ] ||
    fail "the editor opened at ${WIN_W}x${WIN_H}, not at the kept ${w1}x${h1}"
click $(( ok_x + w1 - w0 )) "$ok_y"
window_gone "Lens Flare Editor"

note "closing the main window keeps the settings"
keys alt+F4
window_gone Quorix
host_exit
ini="$e2e_settings/quorix.ini"
tr -d '\r' <"$ini" >"$t/quorix.ini"
grep -qx 'Realtime-Updates=0' "$t/quorix.ini" || fail "the realtime switch was not kept"
grep -qix 'Last-Library-SaveTo-Filename=.*\\lensfx\\e2e-saved\.lnz' "$t/quorix.ini" ||
    fail "the library last loaded was not kept: $(grep Last-Library "$t/quorix.ini")"
grep -qx '\[Quorix-Window\]' "$t/quorix.ini" || fail "the window's place was not kept"
grep -q '^Window-Placement=' "$t/quorix.ini" || fail "the editor's size was not kept"

note "a render of the saved library shows the red flare"
(cd "$build/dist" && wine quorix.exe render --library "$(winpath "$t/edited.lnz")" --size 320x240 \
    --out "$(winpath "$t/edited.png")" </dev/null >/dev/null 2>"$t/render.log") ||
    fail "quorix.exe render failed: $(cat "$t/render.log")"
red_flare "$t/edited.png" || fail "the render of the saved library is not red"
echo ok

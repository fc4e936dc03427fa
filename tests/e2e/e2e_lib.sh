# Shell functions for driving the real quorix.exe under Xvfb as a person
# does: a pointer and a keyboard (xdotool), eyes (ImageMagick on the
# screen's pixels) and the files the program writes. Sourced by the
# end-to-end scripts and by scripts/run.sh and scripts/screenshots.sh.
#
#   e2e_begin SOURCE_DIR BUILD_DIR PREFIX   Xvfb, Wine's X11 prefix, scratch folders
#   host_start [ARGS...]                    quorix.exe in the background
#   window_wait NAME / window_gone NAME     a top-level window by its exact caption
#   window_box NAME                         its place: WIN_X WIN_Y WIN_W WIN_H
#   dialog_units NAME                       the editor's dialog units, from its preview
#   at X Y [W H]                            screen point of a place in dialog units
#   click X Y / drag X1 Y1 X2 Y2 / keys K.. the pointer and the keyboard
#   shot FILE [GEOMETRY] / settle           the screen, once it has stopped changing
#
# Wine runs with one virtual desktop (scripts/wine-env.sh), in which every
# top-level window is an X child window of the desktop named by its caption.

E2E_SCREEN=1024x768

e2e_begin() {
    e2e_src=$1
    e2e_build=$2
    . "$e2e_src/scripts/wine-env.sh"
    wine_prefix "$3" x11
    export WINEPREFIX="$3"
    e2e_tmp=$(mktemp -d)
    e2e_xvfb=""
    e2e_host=""
    trap e2e_end EXIT
    trap 'exit 1' INT TERM
    start_xvfb
    # The program's settings and working folders are the test's own: the
    # working folder holds copies of the bundled libraries and gradients.
    e2e_settings="$e2e_tmp/settings"
    e2e_work="$e2e_tmp/work"
    mkdir -p "$e2e_settings" "$e2e_work"
    cp -r "$e2e_build/dist/lensfx" "$e2e_build/dist/colormap" "$e2e_work/"
}

# The functions share the script's variables: each keeps its own names.

# An X server of our own on a free display among 250..349 (clear of the
# other scripts' 90.. and 150.. ranges); a display another server holds is
# never used, since the test would drive that server's windows.
start_xvfb() {
    xvfb_try=0
    while [ $xvfb_try -lt 100 ]; do
        xvfb_display=$(( 250 + ($$ + xvfb_try) % 100 ))
        xvfb_try=$(( xvfb_try + 1 ))
        [ ! -e "/tmp/.X$xvfb_display-lock" ] || continue
        export DISPLAY=":$xvfb_display"
        Xvfb "$DISPLAY" -screen 0 "${E2E_SCREEN}x24" -nolisten tcp >"$e2e_tmp/xvfb.log" 2>&1 &
        e2e_xvfb=$!
        if wait_for 10 xvfb_ready; then
            return 0
        fi
        wait "$e2e_xvfb" 2>/dev/null || true
        e2e_xvfb=""
    done
    fail "no X server could be started"
}

# Ready: our server answers (and is still the one running).
xvfb_ready() {
    kill -0 "$e2e_xvfb" 2>/dev/null && xdpyinfo >/dev/null 2>&1
}

# Stops whatever e2e_begin and host_start started, on every way out.
e2e_end() {
    status=$?
    wineserver -k 2>/dev/null || true
    [ -z "$e2e_host" ] || wait "$e2e_host" 2>/dev/null || true
    [ -z "$e2e_xvfb" ] || kill "$e2e_xvfb" 2>/dev/null || true
    [ -z "$e2e_xvfb" ] || wait "$e2e_xvfb" 2>/dev/null || true
    if [ "$status" != 0 ] && [ -n "${E2E_KEEP:-}" ]; then
        echo "scratch folder kept: $e2e_tmp" >&2
    else
        rm -rf "$e2e_tmp"
    fi
    exit "$status"
}

# The screen at a failure is kept in the build folder, named after the script.
fail() {
    echo "FAIL: $*" >&2
    if [ -n "${e2e_xvfb:-}" ]; then
        picture="$e2e_build/$(basename "$0" .sh)-failure.png"
        import -window root "$picture" 2>/dev/null &&
            echo "screen at the failure: $picture" >&2
    fi
    if [ -s "${e2e_tmp:-/nonexistent}/host.log" ]; then
        echo "quorix.exe said:" >&2
        grep -v 'FS volume label' "$e2e_tmp/host.log" >&2 || true
    fi
    exit 1
}

note() {
    echo "$*"
}

# wait_for SECONDS COMMAND...: runs COMMAND every 0.1 s until it succeeds.
wait_for() {
    tries=$(( $1 * 10 ))
    shift
    while ! "$@"; do
        tries=$(( tries - 1 ))
        [ "$tries" -gt 0 ] || return 1
        sleep 0.1
    done
}

winpath() {
    winepath -w "$1" 2>/dev/null
}

# quorix.exe with the test's settings and working folders; its output goes
# to host.log, and host_exit waits for it to end.
host_start() {
    (cd "$e2e_build/dist" &&
        QX_SETTINGS_DIR="$(winpath "$e2e_settings")" QX_WORKING_DIR="$(winpath "$e2e_work")" \
            exec wine quorix.exe "$@" >"$e2e_tmp/host.log" 2>&1 </dev/null) &
    e2e_host=$!
}

host_exit() {
    wait_for "${1:-20}" host_ended || fail "quorix.exe did not end"
    wait "$e2e_host" || fail "quorix.exe ended with status $?"
    e2e_host=""
}

host_ended() {
    ! kill -0 "$e2e_host" 2>/dev/null
}

window_id() {
    xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1
}

window_shown() {
    [ -n "$(window_id "$1")" ]
}

window_wait() {
    wait_for "${2:-30}" window_shown "$1" || fail "no window \"$1\" appeared"
}

window_gone() {
    wait_for "${2:-20}" sh -c "! xdotool search --onlyvisible --name '^$1\$' >/dev/null 2>&1" ||
        fail "the window \"$1\" did not close"
}

# WIN_X WIN_Y WIN_W WIN_H: the window's frame on the screen.
window_box() {
    id=$(window_id "$1")
    [ -n "$id" ] || fail "no window \"$1\""
    eval "$(xwininfo -id "$id" | awk -F: '
        /Absolute upper-left X/ { print "WIN_X=" $2+0 }
        /Absolute upper-left Y/ { print "WIN_Y=" $2+0 }
        /Width/ { print "WIN_W=" $2+0 }
        /Height/ { print "WIN_H=" $2+0 }')"
}

# shot FILE [GEOMETRY]: the screen, or a part of it (WxH+X+Y).
shot() {
    if [ -n "${2:-}" ]; then
        import -window root -crop "$2" +repage "$1"
    else
        import -window root "$1"
    fi
}

# Waits until two pictures of the screen 0.2 s apart are the same: the
# program has finished drawing what the last action asked for. The pictures
# are compared by their digests (raw pixels, no file, no image compare).
settle() {
    settle_tries=0
    settle_a=$(screen_digest)
    while [ $settle_tries -lt 50 ]; do
        sleep 0.2
        settle_b=$(screen_digest)
        [ "$settle_a" != "$settle_b" ] || return 0
        settle_a=$settle_b
        settle_tries=$(( settle_tries + 1 ))
    done
    fail "the screen kept changing"
}

screen_digest() {
    import -window root -depth 8 rgb:- | md5sum
}

differing_pixels() {
    compare -metric AE "$1" "$2" null: 2>&1 | sed 's/ .*//'
}

# The pointer and the keyboard. Wine takes a move, then the button.
click() {
    xdotool mousemove "$1" "$2"
    sleep 0.1
    xdotool click "${3:-1}"
}

double_click() {
    xdotool mousemove "$1" "$2"
    sleep 0.1
    xdotool click --repeat 2 --delay 80 1
}

# drag X1 Y1 X2 Y2: press at the first point, move there in steps, release.
drag() {
    xdotool mousemove "$1" "$2"
    sleep 0.1
    xdotool mousedown 1
    for step in 1 2 3 4; do
        xdotool mousemove $(( $1 + ($3 - $1) * step / 4 )) $(( $2 + ($4 - $2) * step / 4 ))
        sleep 0.05
    done
    xdotool mouseup 1
}

keys() {
    xdotool key --clearmodifiers --delay 60 "$@"
}

type_text() {
    xdotool type --delay 30 "$1"
}

# dialog_units NAME: finds the editor's preview (the control at 18,16 of
# size 217x149 in dialog units, a dark picture) inside the window NAME and
# derives from it the dialog's base units and the screen position of its
# client origin: DLG_X DLG_Y DLG_BX DLG_BY. Dialog units scale with the
# dialog's font, so nothing here assumes a font or a frame size.
dialog_units() {
    window_box "$1"
    shot "$e2e_tmp/units.png" "${WIN_W}x${WIN_H}+${WIN_X}+${WIN_Y}"
    # Everything not nearly black turns white; widening the white by one
    # pixel removes text strokes and frame lines and leaves the picture,
    # one pixel smaller on each side. Only the window's left part is looked
    # at: the element list right of the preview shows dark pictures too.
    set -- $(convert "$e2e_tmp/units.png" -crop "$(( WIN_W * 68 / 100 ))x${WIN_H}+0+0" +repage \
             -fuzz 10% -fill white +opaque black \
             -morphology Dilate Square:1 -trim -format '%w %h %X %Y' info:)
    pw=$(( $1 + 2 )) ph=$(( $2 + 2 ))
    px=$(( WIN_X + ${3#+} - 1 )) py=$(( WIN_Y + ${4#+} - 1 ))
    DLG_BX=$(( (pw * 4 + 108) / 217 ))
    DLG_BY=$(( (ph * 8 + 74) / 149 ))
    DLG_X=$(( px - (18 * DLG_BX + 2) / 4 ))
    DLG_Y=$(( py - (16 * DLG_BY + 4) / 8 ))
    PREVIEW="$(( (217 * DLG_BX + 2) / 4 ))x$(( (149 * DLG_BY + 4) / 8 ))+${px}+${py}"
    [ "$DLG_BX" -ge 4 ] && [ "$DLG_BY" -ge 8 ] && [ "$px" -gt "$WIN_X" ] ||
        fail "the editor's preview is not on the screen (found ${pw}x${ph}+${px}+${py})"
}

# at X Y [W H]: AT_X AT_Y, the screen point of the dialog unit X,Y, or the
# middle of the rectangle X,Y,W,H (rounded as the dialog manager does).
at() {
    x=$1 y=$2
    if [ $# -ge 4 ]; then
        AT_X=$(( DLG_X + ((x * 2 + $3) * DLG_BX + 4) / 8 ))
        AT_Y=$(( DLG_Y + ((y * 2 + $4) * DLG_BY + 8) / 16 ))
    else
        AT_X=$(( DLG_X + (x * DLG_BX + 2) / 4 ))
        AT_Y=$(( DLG_Y + (y * DLG_BY + 4) / 8 ))
    fi
}

click_at() {
    at "$@"
    click "$AT_X" "$AT_Y"
}

# box X Y W H: the screen geometry (WxH+X+Y) of a dialog rectangle.
box() {
    at "$1" "$2"
    x0=$AT_X y0=$AT_Y
    at $(( $1 + $3 )) $(( $2 + $4 ))
    echo "$(( AT_X - x0 ))x$(( AT_Y - y0 ))+${x0}+${y0}"
}

# Mean brightness (0..1) of a picture, and of one channel.
brightness() {
    convert "$1" -colorspace gray -format '%[fx:mean]' info:
}

channel_mean() {
    convert "$1" -format "%[fx:mean.$2]" info:
}

# above A B: A > B for decimal numbers.
above() {
    awk "BEGIN { exit !($1 > $2) }"
}

# The editor's tab strip sits on the top edge of the page area (9,202 in
# dialog units) and draws the selected tab's label in red. red_label sets
# RED_L RED_R (screen x) to that label's ends, or fails.
red_label() {
    at 9 202
    strip_x=$AT_X strip_y=$(( AT_Y - 30 ))
    at 350 202
    shot "$e2e_tmp/strip.png" "$(( AT_X - strip_x ))x30+${strip_x}+${strip_y}"
    set -- $(convert "$e2e_tmp/strip.png" -fx '(r - g > 0.3) ? 0 : 1' \
             -trim -format '%w %h %X %Y' info: 2>/dev/null)
    [ "${1:-1}" -gt 10 ] || fail "no tab of the editor shows a red label"
    RED_L=$(( strip_x + ${3#+} ))
    RED_R=$(( RED_L + $1 - 1 ))
}

# tab N: clicks the editor's tab N (1 "Element Parameters", 2 "Global
# Parameters", 3 "Global Fading Parameters") and checks that its label
# turned red. Each tab is 13 pixels wider than its label, so the next tab's
# label begins 13 pixels after the selected one's ends: the first time,
# tabs are found from left to right (1 is selected when the editor opens).
tab() {
    red_label
    y=$(( strip_y + 22 ))
    eval "tab_l=\${TAB$1_L:-}"
    if [ -z "$tab_l" ]; then
        eval "TAB${E2E_TAB:-1}_L=$RED_L TAB${E2E_TAB:-1}_R=$RED_R"
        [ "$1" = $(( ${E2E_TAB:-1} + 1 )) ] || fail "tab $1 before the tabs left of it"
        click $(( RED_R + 13 + 12 )) "$y"
    else
        eval "click \$(( (TAB$1_L + TAB$1_R) / 2 )) $y"
    fi
    settle
    old_l=$RED_L
    red_label
    eval "tab_l=\${TAB$1_L:-}"
    if [ -z "$tab_l" ]; then
        [ "$RED_L" -gt "$old_l" ] || fail "tab $1 did not turn red"
        eval "TAB$1_L=$RED_L TAB$1_R=$RED_R"
    else
        [ "$RED_L" = "$tab_l" ] || fail "tab $1 did not turn red"
    fi
    E2E_TAB=$1
}

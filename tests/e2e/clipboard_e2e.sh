#!/bin/sh
# End to end, under Xvfb: the real quorix.exe opens the editor, a right click
# on its preview copies the flare, and a plain X program reads the picture
# back from the clipboard as a 120 x 90 BMP.
#   clipboard_e2e.sh SOURCE_DIR BUILD_DIR
set -eu
src=$1
build=$2
. "$src/scripts/wine-env.sh"
prefix="$build/wineprefix-x11"
wine_prefix "$prefix" x11

tmp=$(mktemp -d)
display=:$(( 150 + $$ % 100 ))
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
export DISPLAY="$display" WINEPREFIX="$prefix"
cleanup() {
    wineserver -k 2>/dev/null || true
    kill "$xvfb" 2>/dev/null || true
    rm -rf "$tmp"
}
trap cleanup EXIT INT TERM
sleep 1

# The program's output goes to a file: a Wine service that inherited CTest's
# pipe would keep CTest waiting after a failure.
(cd "$build/dist" && QX_SETTINGS_DIR="$(winepath -w "$tmp" 2>/dev/null)" \
    exec wine quorix.exe edit >"$tmp/host.log" 2>&1 </dev/null) &
host=$!
# The preview is the editor's large dark area: make everything else white,
# widen the white so that dark text strokes vanish, and take the box that
# is left. A loaded machine may take a while to show the editor, and Wine
# may make its desktop window anew meanwhile, so both are looked for again
# until the box is there.
preview_box() {
    width=0 height=0
    desktop=$(xdotool search --onlyvisible --name 'Wine desktop$' 2>/dev/null | head -n 1)
    [ -n "$desktop" ] && import -window "$desktop" "$tmp/shot.png" 2>/dev/null || return 1
    set -- $(convert "$tmp/shot.png" -fuzz 12% -fill white +opaque black \
             -morphology Dilate Square:3 -trim -format '%w %h %X %Y' info:)
    width=${1:-0} height=${2:-0} left=${3:-+0} top=${4:-+0}
    left=${left#+} top=${top#+}
    [ "$width" -ge 100 ] && [ "$height" -ge 80 ]
}
deadline=$(( $(date +%s) + 90 ))
until preview_box; do
    if [ "$(date +%s)" -ge "$deadline" ]; then
        echo "preview not found on screen (box ${width}x${height})"
        cat "$tmp/host.log"
        exit 1
    fi
    sleep 0.5
done
x=$(( left + width / 2 ))
y=$(( top + height / 2 ))
xdotool mousemove --window "$desktop" "$x" "$y" click 3

deadline=$(( $(date +%s) + 30 ))
until xclip -selection clipboard -t TARGETS -o > "$tmp/targets" 2>/dev/null &&
      grep -q 'image/bmp' "$tmp/targets"; do
    [ "$(date +%s)" -lt "$deadline" ] || break
    sleep 0.5
done
if ! grep -q 'image/bmp' "$tmp/targets"; then
    echo "the clipboard offers no image/bmp:"; cat "$tmp/targets"
    exit 1
fi
xclip -selection clipboard -t image/bmp -o > "$tmp/clip.bmp"
set -- $(identify -format '%w %h %[fx:maxima]' "$tmp/clip.bmp")
echo "clipboard picture: ${1}x${2}, brightest channel $3"
[ "$1" = 120 ] && [ "$2" = 90 ] || { echo "expected 120x90"; exit 1; }
awk "BEGIN { exit !($3 > 0.5) }" || { echo "the picture holds no flare"; exit 1; }

xdotool windowfocus --sync "$desktop" key --clearmodifiers alt+F4
wait "$host"

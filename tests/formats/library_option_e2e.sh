#!/bin/sh
# quorix.exe's --library option end to end, under Wine: "render" draws a
# bundled preset named by its file name; "edit" and "render" stop with exit
# code 1 and say why when the library does not load.
#   library_option_e2e.sh SOURCE_DIR BUILD_DIR
set -eu
. "$1/scripts/wine-env.sh"
export WINEPREFIX="$2/wineprefix"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT INT TERM
cd "$2/dist"

wine quorix.exe render --size 64x48 --library sun.lnz --out "Z:$tmp/sun.png" \
    </dev/null >/dev/null 2>"$tmp/render.txt"
test -s "$tmp/sun.png" || { echo "render --library wrote no picture"; cat "$tmp/render.txt"; exit 1; }

# refused NAME ARGS...: quorix.exe ARGS exits with 1 and names the library.
refused() {
    name=$1
    shift
    status=0
    wine quorix.exe "$@" </dev/null >/dev/null 2>"$tmp/$name.txt" || status=$?
    [ "$status" = 1 ] || { echo "$name exited with $status"; cat "$tmp/$name.txt"; exit 1; }
    grep -q "cannot load the library file" "$tmp/$name.txt" ||
        { echo "$name gave no reason:"; cat "$tmp/$name.txt"; exit 1; }
}
refused edit edit --library missing.lnz
refused render render --library missing.lnz --out "Z:$tmp/never.png"
test ! -e "$tmp/never.png"
echo ok

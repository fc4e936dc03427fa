#!/bin/sh
# Runs a Windows program under Wine with the project's prefix: the prefix of
# the build tree the program lives in, the null graphics driver set up by
# scripts/wine-env.sh, and dist/ on the search path so that test executables
# find the shipped DLLs.
#
# A program that ends in failure without having printed a single byte never
# reached its own code (every test program prints as it starts): Wine itself
# could not start it, which happens now and then on a loaded machine. Such a
# start is said on stderr and made once more.
set -e
build_dir=${LF_BUILD_DIR:-$(cd "$(dirname "$1")" && while [ ! -f CMakeCache.txt ] && [ "$PWD" != / ]; do cd ..; done; pwd)}
export WINEPREFIX="${WINEPREFIX:-$build_dir/wineprefix}"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
export WINEPATH="Z:$(printf '%s' "$build_dir/dist" | tr / '\\')"

output=$(mktemp)
trap 'rm -f "$output"' EXIT
status=0
wine "$@" >"$output" 2>&1 || status=$?
if [ "$status" != 0 ] && [ ! -s "$output" ]; then
    echo "wine-run: $1 ended with status $status before printing anything; starting it again" >&2
    status=0
    wine "$@" >"$output" 2>&1 || status=$?
fi
cat "$output"
exit "$status"

#!/bin/sh
# Runs a Windows program under Wine with the project's prefix: the prefix of
# the build tree the program lives in, the null graphics driver set up by
# scripts/wine-env.sh, and dist/ on the search path so that test executables
# find the shipped DLLs.
set -e
build_dir=${LF_BUILD_DIR:-$(cd "$(dirname "$1")" && while [ ! -f CMakeCache.txt ] && [ "$PWD" != / ]; do cd ..; done; pwd)}
export WINEPREFIX="${WINEPREFIX:-$build_dir/wineprefix}"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
export WINEPATH="Z:$(printf '%s' "$build_dir/dist" | tr / '\\')"
exec wine "$@"

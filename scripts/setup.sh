#!/bin/sh
# Installs from Debian's archive whatever the build and the tests need and is
# not there yet. Safe to run again: it does nothing when all is installed.
set -eu

packages="cmake ninja-build g++ clang libclang-rt-14-dev
 g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 wine64 wine fonts-wine
 googletest libbenchmark-dev libstb-dev
 xvfb xauth x11-utils imagemagick xdotool xclip cmark-gfm"

missing=""
for p in $packages; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing="$missing $p"
done
[ -z "$missing" ] && exit 0

echo "setup: installing$missing" >&2
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -q >/dev/null
$sudo apt-get install -y -q --no-install-recommends $missing >/dev/null

#!/bin/sh
# The project's test command: installs what is missing, builds both trees and
# runs every test (the Windows build under Wine, the native build with
# sanitizers), then prints CTest's summaries. Exits nonzero when a test fails.
set -eu
cd "$(dirname "$0")/.."
scripts/setup.sh

cmake --preset windows >/dev/null
cmake --build --preset windows
cmake --preset native >/dev/null
cmake --build --preset native

. scripts/wine-env.sh
prefix="$PWD/build/windows/wineprefix"
wine_prefix "$prefix" null
wine_services_start "$prefix"
trap 'wine_services_stop "$prefix"' EXIT INT TERM

status=0
echo "== Windows build (under Wine) =="
ctest --preset windows || status=1
echo "== Native build (ASan, UBSan, libFuzzer) =="
ctest --preset native || status=1
exit $status

#!/bin/sh
# Builds the shipped (Windows, -O3) renderer, the plug-in's preview and their
# benchmarks and runs them under Wine: the median time of the default flare
# at 330x250, 1920x1080 and 3840x2160, the time per pixel and whether the
# targets are met; then the preview's conversions and cycle, the render of
# quorix.exe's main window at 1280x720 and 1920x1080, the gradient control's
# redraw, the library requester's preview per selection change, the preset
# browser's opening (on the bundled presets, and on 500 presets without and
# with its picture cache), and the editor in the main window (its opening
# from the menu, a light drag step, a slider drag step, the live drag steps
# of a global and an element slider and a selection change, with the
# default flare and with 16 elements). Arguments
# go to the benchmark (for example --iterations 101). The benchmark has its
# own Wine prefix, so that it never stops the services of a test run.
set -eu
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake --preset windows >/dev/null
cmake --build --preset windows --target benchmarks desktop_keeper >/dev/null

. scripts/wine-env.sh
prefix="$PWD/build/windows/wineprefix-bench"
wine_prefix "$prefix" null
wine_services_start "$prefix"
wine_desktop_keep "$prefix" "$PWD/build/windows/tests/desktop_keeper.exe"
trap 'wine_services_stop "$prefix"' EXIT INT TERM
WINEPREFIX="$prefix" cmake/wine-run.sh build/windows/bench/flare_bench.exe "$@"
echo
WINEPREFIX="$prefix" cmake/wine-run.sh build/windows/bench/preview_bench.exe "$@"
echo
WINEPREFIX="$prefix" cmake/wine-run.sh build/windows/bench/scene_view_bench.exe "$@"
echo
WINEPREFIX="$prefix" cmake/wine-run.sh build/windows/bench/gradient_bench.exe "$@"
echo
WINEPREFIX="$prefix" cmake/wine-run.sh build/windows/bench/requester_bench.exe "$@"
echo
WINEPREFIX="$prefix" cmake/wine-run.sh build/windows/bench/preset_browser_bench.exe "$@"
echo
WINEPREFIX="$prefix" cmake/wine-run.sh build/windows/bench/editor_bench.exe "$@"

#!/bin/sh
# The project's test command: installs what is missing, builds both trees and
# runs every test (the Windows build under Wine, the native build with
# sanitizers), then prints CTest's reports. Exits nonzero when a test fails.
#
# Independent parts run side by side, each with what it needs to itself:
#  - the Windows tests in two shards, each in a Wine prefix (and so a
#    wineserver and desktop) of its own, one test at a time within a shard,
#    because dialog tests in one desktop would take each other's focus;
#  - in a third prefix, the editor's 500 open/close cycles (label cycles);
#  - the end-to-end tests under Xvfb (label xserver), one at a time in an X11
#    prefix of their own;
#  - the native build and its tests.
# The prefixes are made (on the first run) while the Windows build compiles.
set -eu
cd "$(dirname "$0")/.."
began=$(date +%s)
scripts/setup.sh
. scripts/wine-env.sh

build="$PWD/build/windows"
logs="$PWD/build/test-logs"
shard1="$build/wineprefix"
shard2="$build/wineprefix-2"
shard3="$build/wineprefix-3"
mkdir -p "$logs"
rm -f "$logs"/*

make_prefixes() {
    wine_prefix "$shard1" null
    wine_prefix "$shard2" null "$shard1"
    wine_prefix "$shard3" null "$shard1"
    wine_prefix "$build/wineprefix-x11" x11 "$shard1"
}
make_prefixes >"$logs/prefixes.log" 2>&1 &
prefixes=$!

# On every way out: Wine's services stopped in every prefix (a prefix still
# being made is made again next time).
cleanup() {
    kill ${prefixes:-} ${streams:-} 2>/dev/null || true
    for p in "$shard1" "$shard2" "$shard3"; do
        wine_services_stop "$p"
    done
}
trap cleanup EXIT
trap 'exit 1' INT TERM

cmake --preset windows >/dev/null
cmake --build --preset windows
# (The jobs' ids are forgotten once they have been waited for.)
prefixes_made=0
wait "$prefixes" || prefixes_made=$?
prefixes=""
if [ "$prefixes_made" != 0 ]; then
    cat "$logs/prefixes.log"
    echo "the Wine prefixes could not be made"
    exit 1
fi

for p in "$shard1" "$shard2" "$shard3"; do
    wine_services_start "$p"
    wine_desktop_keep "$p" "$build/tests/desktop_keeper.exe"
done

# Every test program lists its cases once, before the shards share them out.
WINEPREFIX="$shard1" ctest --preset windows -N >"$logs/windows-list.log"

# stream NAME COMMAND...: runs the command in the background, its output
# and exit status kept under build/test-logs.
stream() {
    name=$1
    shift
    (
        start=$(date +%s)
        status=0
        "$@" >"$logs/$name.log" 2>&1 || status=$?
        echo "$status" >"$logs/$name.status"
        echo "$name: $(($(date +%s) - start)) s" >"$logs/$name.time"
    ) &
    streams="$streams $!"
}
streams=""
tests_start=$(date +%s)

native() {
    cmake --preset native >/dev/null
    cmake --build --preset native
    ctest --preset native
}

stream windows-1 env WINEPREFIX="$shard1" ctest --preset windows -LE 'xserver|cycles' -I 1,,2
stream windows-2 env WINEPREFIX="$shard2" ctest --preset windows -LE 'xserver|cycles' -I 2,,2
stream windows-3 env WINEPREFIX="$shard3" ctest --preset windows -L cycles
stream windows-xserver ctest --preset windows -L xserver
stream native native
for pid in $streams; do
    wait "$pid" || true
done
streams=""

status=0
for name in windows-1 windows-2 windows-3 windows-xserver native; do
    echo "== $name =="
    cat "$logs/$name.log"
    [ "$(cat "$logs/$name.status")" = 0 ] || status=1
done
echo "== summary =="
grep -h 'tests passed' "$logs"/windows-*.log "$logs/native.log" || true
echo "set-up and Windows build: $((tests_start - began)) s; then side by side: $(cat "$logs"/*.time | tr '\n' ' ')"
[ $status = 0 ] && echo "all tests passed" || echo "SOME TESTS FAILED (logs in $logs)"
exit $status

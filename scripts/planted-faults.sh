#!/bin/sh
# Runs the planted faults listed in tests/README.md: for each fault (or each
# number given), applies tests/faults/NN-*.patch to the clean tree, builds the
# test program its row names, runs the row's tests and expects them to fail,
# then takes the patch back. Prints one line per fault (caught, NOT CAUGHT,
# does not apply, does not build, test not found) and exits nonzero unless
# every fault was caught. Slow (a build per fault): run by hand, not by
# scripts/test.sh. The output of each fault is kept in build/planted-faults/.
#
#   scripts/planted-faults.sh          every fault
#   scripts/planted-faults.sh 07 12    faults 07 and 12
set -eu
cd "$(dirname "$0")/.."
. scripts/wine-env.sh

prefix="$PWD/build/windows/wineprefix"
logs="$PWD/build/planted-faults"
applied=""      # the patch in the tree, taken back on every way out
wine_running=""

cleanup() {
    if [ -n "$applied" ] && ! git apply -R "$applied"; then
        echo "could not take back $applied: see git status" >&2
    fi
    if [ -n "$wine_running" ]; then
        wine_services_stop "$prefix"
    fi
}
trap cleanup EXIT
trap 'exit 1' INT TERM HUP

tree_is_clean() {
    git diff --quiet HEAD
}

# configure BUILD: the preset's tree, configured once.
configure() {
    [ -f "build/$1/build.ninja" ] || cmake --preset "$1" >/dev/null </dev/null
}

# Wine's services and the desktop keeper, started before the first Windows
# test (scripts/test.sh does the same for its shards).
start_wine() {
    [ -z "$wine_running" ] || return 0
    configure windows
    cmake --build --preset windows --target desktop_keeper >/dev/null </dev/null
    wine_prefix "$prefix" null
    wine_services_start "$prefix"
    wine_desktop_keep "$prefix" "$PWD/build/windows/tests/desktop_keeper.exe"
    wine_running=1
}

# ctest_regex BUILD TEST...: the CTest names of the tests, and nothing else.
ctest_regex() {
    case $1 in windows) tag=win ;; *) tag=$1 ;; esac
    shift
    names=$(printf '%s\n' "$@" | sed 's/\./\\./g' | paste -sd '|' -)
    printf '^%s\\.(%s)$' "$tag" "$names"
}

# run_fault NN BUILD PROGRAM TEST...: sets name and verdict. It runs in this
# shell, not in a subshell, so that the trap sees what it applied.
run_fault() {
    number=$1 build=$2 program=$3
    shift 3
    for patch in tests/faults/"$number"-*.patch; do break; done
    [ -f "$patch" ] || patch=""
    name=$(basename "${patch:-$number}" .patch)
    log="$logs/$name.log"
    if [ -z "$patch" ] || ! git apply --check "$patch" >"$log" 2>&1; then
        verdict="does not apply"
        return
    fi
    configure "$build"
    [ "$build" != windows ] || start_wine
    git apply "$patch"
    applied=$patch
    regex=$(ctest_regex "$build" "$@")
    if ! cmake --build --preset "$build" --target "$program" >>"$log" 2>&1 </dev/null; then
        verdict="does not build"
    elif [ "$(ctest --preset "$build" -N -R "$regex" </dev/null |
              sed -n 's/^Total Tests: //p')" != $# ]; then
        verdict="test not found"
    elif ctest --preset "$build" -R "$regex" >>"$log" 2>&1 </dev/null; then
        verdict="NOT CAUGHT"
    else
        verdict="caught"
    fi
    git apply -R "$patch"
    applied=""
}

if ! tree_is_clean; then
    echo "the tree has changes: commit or stash them first" >&2
    exit 1
fi
mkdir -p "$logs"

# The table's rows: | NN | file | fault | build | program | tests |
rows="$logs/rows"
sed -n 's/^| *\([0-9][0-9]\) *|/\1|/p' tests/README.md | tr -d '`' >"$rows"
for wanted in "$@"; do
    grep -q "^$wanted|" "$rows" || { echo "no fault $wanted in tests/README.md" >&2; exit 1; }
done

total=0
failed=0
while IFS='|' read -r number _ _ build program tests _ <&3; do
    if [ $# -gt 0 ] && ! printf '%s\n' "$@" | grep -qx "$number"; then
        continue
    fi
    # (build, program and tests are split into words on purpose)
    # shellcheck disable=SC2086
    run_fault "$number" $build $program $tests
    echo "$name: $verdict"
    total=$((total + 1))
    [ "$verdict" = caught ] || failed=$((failed + 1))
    if ! tree_is_clean; then
        echo "the tree was not restored after fault $number" >&2
        exit 1
    fi
done 3<"$rows"

echo "$total faults, $((total - failed)) caught"
[ "$failed" = 0 ]

#!/usr/bin/env bash
# Checks that two builds of vettle give the same bytes: console, standard
# error, exit code, both reports and whether vettletemp.tmp stays, on N
# generated inputs of every kind (realistic, adversarial, output-heavy and
# hostile ones, a few KB to a few hundred KB each), and on any folders of
# inputs named after them (the benchmark's 100 MB ones, say).
#
#   bash bench/compare.sh <old vettle> <new vettle> [N] [input folder...]
#
# Builds the generator and the stand-in emulator with the bench preset when
# they are missing. Prints "N passed, M failed" and exits 1 on any failure.
set -euo pipefail
old=$(realpath "$1") new=$(realpath "$2")
count=${3:-500}
shift $(( $# < 3 ? $# : 3 ))
top=$(cd "$(dirname "$0")/.." && pwd)
bench=$top/build/bench
if [ ! -x "$bench/bench/makeinputs" ] || [ ! -x "$bench/mame.exe" ]; then
    cmake --preset bench >/dev/null
    cmake --build "$bench" --target makeinputs standin >/dev/null
fi
work=$bench/compare
rm -rf "$work"
mkdir -p "$work"

passed=0 failed=0
# Runs both builds on the inputs in $1 and compares what they leave.
check() {
    local inputs=$1 label=$2 side
    for side in old new; do
        rm -rf "$work/$side"
        mkdir -p "$work/$side"
        cp "$inputs/cheat.dat" "$inputs/listfull.txt" "$work/$side/"
        cp "$bench/mame.exe" "$work/$side/"
        local binary=$old
        [ "$side" = new ] && binary=$new
        (cd "$work/$side" && { "$binary" > console.out 2> stderr.out; echo "exit $?" > outcome; } &&
            { [ -e vettletemp.tmp ] && echo "temp remains" || echo "temp deleted"; } >> outcome)
    done
    local file differs=""
    for file in console.out stderr.out outcome cheatscanresults.txt cheatscanwarnings.txt; do
        if [ -e "$work/old/$file" ] || [ -e "$work/new/$file" ]; then
            cmp -s "$work/old/$file" "$work/new/$file" || differs="$differs $file"
        fi
    done
    if [ -z "$differs" ]; then
        passed=$((passed + 1))
    else
        failed=$((failed + 1))
        echo "differs: $label:$differs"
        mkdir -p "$work/failed/$label" && cp "$inputs/cheat.dat" "$inputs/listfull.txt" "$work/failed/$label/"
    fi
}

kinds=(hostile realistic adversarial output-heavy)
for ((i = 1; i <= count; i++)); do
    kind=${kinds[i % 4]}
    # Sizes from 1 KB up: hostile inputs stay small, the others reach a
    # few hundred KB so that blocks and the game walk get exercised.
    if [ "$kind" = hostile ]; then megabytes=$(awk -v s=$i 'BEGIN { printf "%.3f", 0.001 + (s * 7919 % 200) / 1000 }')
    else megabytes=$(awk -v s=$i 'BEGIN { printf "%.3f", 0.01 + (s * 104729 % 400) / 1000 }'); fi
    rm -rf "$work/input"
    mkdir -p "$work/input"
    "$bench/bench/makeinputs" "$kind" "$work/input" "$megabytes" "$i"
    check "$work/input" "$kind-$i"
done
for folder in "$@"; do
    check "$folder" "$(basename "$folder")"
done
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]

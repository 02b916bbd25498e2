#!/usr/bin/env bash
# Times vettle on generated inputs against three `wc -l` passes over the same
# cheat file, measured in the same run. Called by the bench target:
#   run.sh <vettle> <stand-in mame.exe> <makeinputs> <measure> <work folder> <makelistxml>
# BENCH_MEGABYTES (default 100) and BENCH_RUNS (default 5) change the size
# of the cheat files and the number of timed runs.
set -euo pipefail
vettle=$1 standin=$2 makeinputs=$3 measure=$4 work=$5 makelistxml=$6
megabytes=${BENCH_MEGABYTES:-100}
runs=${BENCH_RUNS:-5}

declare -A seconds
printf '\n%-13s %8s %10s %8s %9s %10s %7s\n' input "MB" "vettle s" "MB/s" "peak KB" "3x wc -l s" ratio
for input in realistic output-heavy adversarial; do
    folder=$work/$input
    mkdir -p "$folder"
    stamp="$folder/made-$megabytes"
    if [ ! -f "$stamp" ]; then
        rm -f "$folder"/made-*
        "$makeinputs" "$input" "$folder" "$megabytes"
        touch "$stamp"
    fi
    cp "$standin" "$folder/mame.exe"
    read -r toolseconds peakkb < <("$measure" "$runs" "$folder" "$vettle")
    read -r wcseconds _ < <("$measure" "$runs" "$folder" sh -c \
        'wc -l cheat.dat >/dev/null; wc -l cheat.dat >/dev/null; wc -l cheat.dat >/dev/null')
    bytes=$(stat -c %s "$folder/cheat.dat")
    seconds[$input]=$toolseconds
    awk -v name="$input" -v bytes="$bytes" -v t="$toolseconds" -v kb="$peakkb" -v wc="$wcseconds" 'BEGIN {
        printf "%-13s %8.1f %10.3f %8.0f %9d %10.3f %7.1f\n", name, bytes / 1e6, t, bytes / 1e6 / t, kb, wc, t / wc
    }'
done
read -r diagnosticseconds _ < <("$measure" "$runs" "$work/output-heavy" "$vettle" --diagnostics)
# vettle check with its default checks (--exit-zero: the findings are no
# failure of the measurement).
read -r checkseconds _ < <("$measure" "$runs" "$work/output-heavy" "$vettle" check --game-list listfull.txt --exit-zero)
awk -v r="${seconds[realistic]}" -v a="${seconds[adversarial]}" -v o="${seconds[output-heavy]}" \
    -v d="$diagnosticseconds" -v c="$checkseconds" 'BEGIN {
    printf "\nadversarial / realistic: %.2f\n", a / r
    printf "output-heavy with --diagnostics: %.3f s, %.2f times the run without\n", d, d / o
    printf "output-heavy with vettle check: %.3f s, %.2f times the bare run\n", c, c / o
}'
# vettle check with every check on the output-heavy file: json-lines, which
# waits for each line's fixes, against concise (the bound: 2 times).
read -r conciseseconds _ < <("$measure" "$runs" "$work/output-heavy" "$vettle" check --game-list listfull.txt \
    --select ALL --exit-zero --output-format concise cheat.dat)
read -r jsonlinesseconds _ < <("$measure" "$runs" "$work/output-heavy" "$vettle" check --game-list listfull.txt \
    --select ALL --exit-zero --output-format json-lines cheat.dat)
awk -v c="$conciseseconds" -v j="$jsonlinesseconds" 'BEGIN {
    printf "output-heavy, vettle check --select ALL: concise %.3f s, json-lines %.3f s, %.2f times\n", c, j, j / c
}'
# vettle check on the realistic file, as FinalBurn Neo reads it against the
# classic way: the dialect's own rules must cost little.
check=(check --exit-zero --game-list listfull.txt cheat.dat)
read -r classicseconds _ < <("$measure" "$runs" "$work/realistic" "$vettle" "${check[@]}")
read -r fbneoseconds _ < <("$measure" "$runs" "$work/realistic" "$vettle" "${check[@]}" --dialect fbneo)
# The same with --silent: the dialect's rules alone, without writing the
# findings (to FinalBurn Neo, most of that file's lines are findings).
read -r classicsilent _ < <("$measure" "$runs" "$work/realistic" "$vettle" "${check[@]}" --silent)
read -r fbneosilent _ < <("$measure" "$runs" "$work/realistic" "$vettle" "${check[@]}" --silent --dialect fbneo)
awk -v c="$classicseconds" -v f="$fbneoseconds" -v cs="$classicsilent" -v fs="$fbneosilent" 'BEGIN {
    printf "vettle check --dialect fbneo on realistic: %.3f s, %.2f times classic (%.3f s)\n", f, f / c, c
    printf "  the same with --silent: %.3f s, %.2f times classic (%.3f s)\n", fs, fs / cs, cs
}'
echo "(median of $runs runs each; reports and the console run in $work/<input>)"

# Reading a -listxml of today's size against expat's own checker, xmlwf.
if command -v xmlwf >/dev/null; then
    folder=$work/listxml
    mkdir -p "$folder"
    [ -f "$folder/made" ] || { "$makelistxml" "$folder" 48000 && touch "$folder/made"; }
    read -r toolseconds peakkb < <("$measure" "$runs" "$folder" "$vettle" --game-list games.xml)
    read -r xmlwfseconds xmlwfkb < <("$measure" "$runs" "$folder" xmlwf games.xml)
    bytes=$(stat -c %s "$folder/games.xml")
    awk -v bytes="$bytes" -v t="$toolseconds" -v kb="$peakkb" -v x="$xmlwfseconds" -v xkb="$xmlwfkb" 'BEGIN {
        printf "\n-listxml of 48000 machines, %.1f MB: vettle %.3f s, %d KB; xmlwf %.3f s, %d KB; ratio %.2f\n",
            bytes / 1e6, t, kb, x, xkb, t / x
    }'
else
    echo "xmlwf not found (Debian: apt-get install expat): the -listxml case is left out"
fi

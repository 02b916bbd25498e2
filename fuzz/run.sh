#!/usr/bin/env bash
# Builds the fuzz harnesses and runs each for FUZZ_SECONDS (default 30),
# seeded from the end-to-end inputs. Any finding fails the run and leaves
# the input that caused it in build/fuzz/findings.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${FUZZ_SECONDS:-30}

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz

out=build/fuzz
seeds=$out/seeds
rm -rf "$seeds"
mkdir -p "$seeds"/{cheatline_fuzz,listfull_fuzz,listxml_fuzz,clrmamepro_fuzz,wholerun_fuzz} "$out/findings"
for list in tests/e2e/cases/game-list-formats/*; do
    name=$(basename "$list")
    case "$name" in
        *.xml|logiqx.dat) cp "$list" "$seeds/listxml_fuzz/$name" ;;
        clrmamepro.dat|listinfo.txt) cp "$list" "$seeds/clrmamepro_fuzz/$name" ;;
    esac
done
for case in tests/e2e/cases/*/; do
    name=$(basename "$case")
    [ -f "$case/cheat.dat" ] && cp "$case/cheat.dat" "$seeds/cheatline_fuzz/$name"
    [ -f "$case/listfull.txt" ] && cp "$case/listfull.txt" "$seeds/listfull_fuzz/$name"
    if [ -f "$case/cheat.dat" ] && [ -f "$case/listfull.txt" ]; then
        { cat "$case/listfull.txt"; printf '\n@@cheat.dat@@\n'; cat "$case/cheat.dat"; } > "$seeds/wholerun_fuzz/$name"
    fi
done

for harness in cheatline_fuzz listfull_fuzz listxml_fuzz clrmamepro_fuzz wholerun_fuzz; do
    corpus=$out/corpus/$harness
    mkdir -p "$corpus"
    echo "== $harness: ${seconds}s"
    log=$out/$harness.log
    status=0
    "$out/fuzz/$harness" -max_total_time="$seconds" -max_len=8192 -timeout=10 -rss_limit_mb=2048 \
        -print_final_stats=1 -artifact_prefix="$out/findings/$harness-" "$corpus" "$seeds/$harness" \
        >"$log" 2>&1 || status=$?
    grep -E '^(Done|stat::number_of_executed_units|stat::peak_rss_mb)' "$log" || true
    if [ "$status" -ne 0 ]; then
        tail -n 40 "$log"
        echo "$harness found a fault (exit $status); see $log"
        exit 1
    fi
done

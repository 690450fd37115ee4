#!/usr/bin/env bash
# Every speed and memory figure of Namori in one table: the judgement core, the dictionary load,
# the command-line batch, the window's start-up and memory against a bare Qt window, and the
# click on "占う" to the painted result. Needs the release build and a display (it starts its own
# Xvfb when there is none).
#   usage: bench/run-all.sh [BUILD_DIR]
set -euo pipefail
source_folder=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$source_folder/build/release}" && pwd)
if [ -z "${DISPLAY:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$build"
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$source_folder"/assets/data/* "$work"

row() { printf '| %-58s | %s |\n' "$1" "$2"; }
median() { sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }

echo "| what | figure |"
echo "|---|---|"

# CPU time of the median of five repetitions: ns for the judgements, µs for the load.
core=$("$build/bench/namori_bench" --benchmark_repetitions=5 \
    --benchmark_report_aggregates_only=true --benchmark_format=csv 2>/dev/null | grep '_median')
indexed_ns=$(echo "$core" | grep JudgementIndexed | cut -d, -f4)
scan_ns=$(echo "$core" | grep JudgementLiteralScan | cut -d, -f4)
load_ns=$(echo "$core" | grep LoadDictionary2000 | cut -d, -f4 | awk '{print $1 * 1000}')
row "core judgement, 2000-entry dictionary (one core)" \
    "$(awk -v n="$indexed_ns" 'BEGIN {printf "%.1f million per second (%.0f ns)", 1000 / n, n}')"
row "the same with the literal scan of every entry" \
    "$(awk -v n="$scan_ns" -v i="$indexed_ns" 'BEGIN {printf "%.0f thousand per second: index %.0f times faster", 1e6 / n, n / i}')"
row "loading a 2000-entry dictionary" "$(awk -v n="$load_ns" 'BEGIN {printf "%.2f ms", n / 1e6}')"
naming=$(echo "$core" | grep 'NamingSatoHaruto/0')
row "name-choosing aid, 佐藤 / はると: generate, judge and rank" \
    "$(echo "$naming" | awk -F, '{printf "%.1f ms for %s", $4, $8}' | tr -d '"')"
naming=$(echo "$core" | grep 'NamingSatoHaruto/1')
row "the same with --all" "$(echo "$naming" | awk -F, '{printf "%.1f ms for %s", $4, $8}' | tr -d '"')"
for characters in 1 2 3; do
    lucky=$(echo "$core" | grep "LuckyStrokesSato/$characters")
    row "吉数表 of 佐藤, given names of $characters characters" \
        "$(echo "$lucky" | awk -F, '{printf "%.2f ms, %s", $4, $8}' | tr -d '"')"
done

# Process start to the last line, median of 100 runs each, alternated: the name-choosing query
# beside a plain judgement.
declare -A process
for _ in $(seq 100); do
    for query in reading plain; do
        if [ $query = reading ]; then set -- --reading はると 佐藤; else set -- 白鳥 杏奈; fi
        s=$(date +%s%N); "$build/src/namori-judge" --data "$work" "$@" >/dev/null; e=$(date +%s%N)
        process[$query]+="$(( (e - s) / 1000 )) "
    done
done
row "namori-judge --reading はると 佐藤 / namori-judge 白鳥 杏奈, process start to end (median of 100)" \
    "$(printf '%s\n' ${process[reading]} | median | awk '{printf "%.1f", $1 / 1000}') / $(printf '%s\n' ${process[plain]} | median | awk '{printf "%.1f ms", $1 / 1000}')"

# A million varied names drawn from the dictionary (fixed seed), not a few names repeated.
python3 "$(dirname "$0")/make-varied-names.py" --count 1000000 > "$work/names.tsv"
start=$(date +%s%N)
"$build/src/namori-judge" --data "$work" --batch < "$work/names.tsv" > /dev/null
end=$(date +%s%N)
row "namori-judge --batch, 1,000,000 varied names end to end (output discarded)" \
    "$(awk -v t=$(( end - start )) 'BEGIN {printf "%.0f thousand names per second", 1e6 / (t / 1e9) / 1000}')"

cd "$work"
programs=(namori bare text)
for program in "${programs[@]}"; do
    "$build/bench/${program}_until_shown" >/dev/null 2>&1  # warm the caches
done
declare -A times memory
for _ in $(seq 30); do
    for program in "${programs[@]}"; do
        s=$(date +%s%N); "$build/bench/${program}_until_shown" >/dev/null 2>&1; e=$(date +%s%N)
        times[$program]+="$(( (e - s) / 1000 )) "
    done
done
for program in "${programs[@]}"; do
    times[$program]=$(printf '%s\n' ${times[$program]} | median)
    memory[$program]=$("$build/bench/${program}_until_shown" --memory | tail -1)
    memory[$program]=${memory[$program]% kB}
done
# ratio NAMORI OTHER: Namori's figure against another window's.
ratio() { awk -v n="$1" -v o="$2" 'BEGIN {printf "%.2f", n / o}'; }
row "launch to window shown (median of 30): Namori / bare Qt window / Qt window with text" \
    "$(awk -v n="${times[namori]}" -v b="${times[bare]}" -v t="${times[text]}" 'BEGIN {printf "%.1f / %.1f / %.1f ms", n / 1000, b / 1000, t / 1000}'): $(ratio "${times[namori]}" "${times[bare]}") times the bare window, $(ratio "${times[namori]}" "${times[text]}") the window with text"
row "peak memory at window shown: Namori / bare Qt window / Qt window with text" \
    "$(awk -v n="${memory[namori]}" -v b="${memory[bare]}" -v t="${memory[text]}" 'BEGIN {printf "%.1f / %.1f / %.1f MiB", n / 1024, b / 1024, t / 1024}'): $(ratio "${memory[namori]}" "${memory[bare]}") times the bare window, $(ratio "${memory[namori]}" "${memory[text]}") the window with text"
row "click on 占う to the painted result" "$("$build/bench/click_to_result" | sed 's/click to painted result: //')"
row "click on the luck table to the painted 鑑定書 (five names in turn, 100 clicks)" \
    "$("$build/bench/click_to_reading" 2>/dev/null | sed 's/click to painted reading: //')"
"$build/bench/naming_search" 2>/dev/null | while IFS= read -r line; do
    row "${line%%:*}" "${line#*: }"
done

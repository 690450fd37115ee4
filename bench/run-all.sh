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
naming=$(echo "$core" | grep NamingSatoHaruto)
row "name-choosing aid, 佐藤 / はると: generate, judge and rank" \
    "$(echo "$naming" | awk -F, '{printf "%.1f ms for %s", $4, $8}' | tr -d '"')"

python3 - "$work/names.tsv" <<'PYTHON'
import itertools, sys
surnames = ['白鳥', '佐藤', '鈴木', '高橋', '田中', '林', '佐々木', '長谷川', '渡辺', '森']
given = ['杏奈', '陽翔', '結菜', '大輔', '由美子', '翔', 'さくら', '凛', '美咲', '健太']
lines = [f'{a}\t{b}' for a, b in itertools.product(surnames, given)]
open(sys.argv[1], 'w').write('\n'.join(lines * 10000) + '\n')
PYTHON
start=$(date +%s%N)
"$build/src/namori-judge" --data "$work" --batch < "$work/names.tsv" > "$work/out.jsonl"
end=$(date +%s%N)
row "namori-judge --batch, 1,000,000 names end to end" \
    "$(awk -v t=$(( end - start )) 'BEGIN {printf "%.0f thousand names per second", 1e6 / (t / 1e9) / 1000}')"

cd "$work"
"$build/bench/namori_until_shown" >/dev/null 2>&1 && "$build/bench/bare_until_shown" >/dev/null 2>&1
namori_times=() bare_times=()
for _ in $(seq 30); do
    s=$(date +%s%N); "$build/bench/namori_until_shown" >/dev/null 2>&1; e=$(date +%s%N)
    namori_times+=($(( (e - s) / 1000 )))
    s=$(date +%s%N); "$build/bench/bare_until_shown" >/dev/null 2>&1; e=$(date +%s%N)
    bare_times+=($(( (e - s) / 1000 )))
done
namori_start=$(printf '%s\n' "${namori_times[@]}" | median)
bare_start=$(printf '%s\n' "${bare_times[@]}" | median)
row "launch to window shown (median of 30): Namori / bare Qt window" \
    "$(awk -v n="$namori_start" -v b="$bare_start" 'BEGIN {printf "%.1f ms / %.1f ms: %.2f times", n / 1000, b / 1000, n / b}')"
namori_memory=$("$build/bench/namori_until_shown" --memory | tail -1)
bare_memory=$("$build/bench/bare_until_shown" --memory | tail -1)
row "peak memory at window shown: Namori / bare Qt window" \
    "$(awk -v n="${namori_memory% kB}" -v b="${bare_memory% kB}" 'BEGIN {printf "%.1f MiB / %.1f MiB: %.2f times", n / 1024, b / 1024, n / b}')"
row "click on 占う to the painted result" "$("$build/bench/click_to_result" | sed 's/click to painted result: //')"

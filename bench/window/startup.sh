#!/usr/bin/env bash
# Start-up of the window program against a bare Qt window and against a Qt window that only shows
# a line of text in each of Namori's two fonts, all from process launch to the window painted on
# the screen, alternated in one run. Needs a display; run it under
# xvfb-run -a -s "-screen 0 1280x1024x24" where there is none.
#   usage: bench/window/startup.sh BUILD_DIR [RUNS]
set -euo pipefail
build=$(cd "$1" && pwd)
runs=${2:-30}
data=$(mktemp -d)
trap 'rm -rf "$data"' EXIT
cp "$(dirname "$0")"/../../assets/data/* "$data"
cd "$data"

time_once() {
    local start end
    start=$(date +%s%N)
    "$1" >/dev/null 2>&1
    end=$(date +%s%N)
    echo $(( (end - start) / 1000 ))
}

median() { sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }

programs=(namori bare text)
for program in "${programs[@]}"; do
    "$build/bench/${program}_until_shown" >/dev/null 2>&1  # warm the caches
done
declare -A times
for _ in $(seq "$runs"); do
    for program in "${programs[@]}"; do
        times[$program]+="$(time_once "$build/bench/${program}_until_shown") "
    done
done
for program in "${programs[@]}"; do
    declare "${program}_median=$(printf '%s\n' ${times[$program]} | median)"
done
ms() { awk -v t="$1" 'BEGIN {printf "%.1f ms", t / 1000}'; }
echo "launch to window shown, median of $runs runs:"
echo "  bare Qt window        $(ms "$bare_median")"
echo "  Qt window with text   $(ms "$text_median")"
echo "  Namori                $(ms "$namori_median")"
awk -v n="$namori_median" -v b="$bare_median" -v t="$text_median" \
    'BEGIN {printf "  ratio to bare %.2f, to the window with text %.2f\n", n / b, n / t}'

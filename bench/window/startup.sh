#!/usr/bin/env bash
# Start-up of the window program against a bare Qt window, both from process launch to the
# window painted on the screen, alternated in one run. Needs a display; run it under
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

"$build/bench/namori_until_shown" && "$build/bench/bare_until_shown"  # warm the caches
namori=() bare=()
for _ in $(seq "$runs"); do
    namori+=("$(time_once "$build/bench/namori_until_shown")")
    bare+=("$(time_once "$build/bench/bare_until_shown")")
done
namori_median=$(printf '%s\n' "${namori[@]}" | median)
bare_median=$(printf '%s\n' "${bare[@]}" | median)
echo "launch to window shown, median of $runs runs:"
echo "  bare Qt window   $(( bare_median / 1000 )).$(( bare_median % 1000 / 100 )) ms"
echo "  Namori           $(( namori_median / 1000 )).$(( namori_median % 1000 / 100 )) ms"
awk -v n="$namori_median" -v b="$bare_median" 'BEGIN {printf "  ratio            %.2f\n", n / b}'

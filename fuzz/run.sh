#!/usr/bin/env bash
# Builds the fuzz targets and runs each for a given time on its seed corpus, then prints one
# line per target: executions, executions per second, coverage (cov: edges, ft: features),
# corpus size and whether an input made it fail (with the saved input's path).
#   fuzz/run.sh SECONDS [TARGET...]        all targets when none is named
# Environment:
#   NAMORI_FUZZ_JOBS=N      targets run N at a time (default 1)
#   NAMORI_FUZZ_ARGS="..."  further libFuzzer options for every target
# The inputs a run finds are kept in build/fuzz/work/TARGET/corpus and used again by the next run; the
# seeds in fuzz/corpus are only read. Failing inputs go to build/fuzz/work/TARGET/artifacts. The exit
# status is 1 when any target found a failing input, 2 for a usage or build error.
set -uo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
all_targets=(fuzz_field_reader fuzz_spirit_table fuzz_kanji_dictionary fuzz_name_list
             fuzz_judgement fuzz_naming_index)

usage() {
    echo "usage: $0 SECONDS [TARGET...]   targets: ${all_targets[*]}" >&2
    exit 2
}
[[ $# -ge 1 && $1 =~ ^[0-9]+$ && $1 -gt 0 ]] || usage
seconds=$1
shift
targets=("$@")
[[ ${#targets[@]} -gt 0 ]] || targets=("${all_targets[@]}")
for target in "${targets[@]}"; do
    [[ " ${all_targets[*]} " == *" $target "* ]] || usage
done
jobs=${NAMORI_FUZZ_JOBS:-1}
build=$root/build/fuzz

# The largest input worth trying: room for the shipped spirit file (30 KB) and a dictionary of
# 2001 entries (17 KB); names and single fields are short.
max_len() {
    case $1 in
        fuzz_spirit_table) echo 32768 ;;
        fuzz_kanji_dictionary) echo 20480 ;;
        fuzz_name_list) echo 1024 ;;
        *) echo 4096 ;;
    esac
}

# --- build -----------------------------------------------------------------------------------
# Clang and its libFuzzer runtime, where missing, then the fuzz preset's build.
fuzz_packages=(clang libclang-rt-14-dev)
missing=()
for package in "${fuzz_packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
        missing+=("$package")
done
if [[ ${#missing[@]} -gt 0 ]]; then
    bash "$root/tools/install-deps.sh" || exit 2
    as_root=()
    [[ $(id -u) -eq 0 ]] || as_root=(sudo)
    "${as_root[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}" || exit 2
fi
(cd "$root" && cmake --preset fuzz >"$build.configure.log" 2>&1) || {
    cat "$build.configure.log" >&2
    exit 2
}
cmake --build "$build" --target "${targets[@]}" || exit 2

# --- run -------------------------------------------------------------------------------------
executable() { find "$build" -maxdepth 2 -type f -name "$1" -perm -u+x | head -n 1; }

run_target() {
    local target=$1 work=$build/work/$1
    mkdir -p "$work/corpus" "$work/artifacts"
    rm -f "$work/artifacts/"* "$work/status"
    # shellcheck disable=SC2086  # NAMORI_FUZZ_ARGS is a list of options
    "$(executable "$target")" -max_total_time="$seconds" -max_len="$(max_len "$target")" \
        -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
        -artifact_prefix="$work/artifacts/" ${NAMORI_FUZZ_ARGS:-} \
        "$work/corpus" "$root/fuzz/corpus/$target" >"$work/log" 2>&1
    echo $? >"$work/status"
}

for target in "${targets[@]}"; do
    executable=$(executable "$target")
    [[ -n $executable ]] || { echo "$target was not built" >&2; exit 2; }
done
echo "running ${targets[*]} for ${seconds} s each, $jobs at a time; logs in $build/work/"
for target in "${targets[@]}"; do
    while [[ $(jobs -rp | wc -l) -ge $jobs ]]; do
        wait -n
    done
    run_target "$target" &
done
wait

# --- report ----------------------------------------------------------------------------------
stat() { sed -n "s/^stat::$2: *//p" "$1" | tail -n 1; }
found=0
printf '%-22s %7s %12s %9s %7s %7s %7s  %s\n' target seconds executions exec/s cov ft corpus \
    finding
for target in "${targets[@]}"; do
    work=$build/work/$target
    log=$work/log
    status=$(cat "$work/status" 2>/dev/null || echo 1)
    progress=$(grep -E '^#[0-9]+' "$log" | grep 'cov:' | tail -n 1)
    cov=$(sed -n 's/.* cov: \([0-9]*\).*/\1/p' <<<"$progress")
    ft=$(sed -n 's/.* ft: \([0-9]*\).*/\1/p' <<<"$progress")
    corpus=$(sed -n 's/.* corp: \([0-9]*\).*/\1/p' <<<"$progress")
    artifact=$(sed -n 's/.*Test unit written to \(.*\)/\1/p' "$log" | tail -n 1)
    finding=none
    if [[ $status != 0 || -n $artifact ]]; then
        found=1
        finding="exit $status ${artifact:-(no input saved; see $log)}"
    fi
    printf '%-22s %7s %12s %9s %7s %7s %7s  %s\n' "$target" "$seconds" \
        "$(stat "$log" number_of_executed_units)" "$(stat "$log" average_exec_per_sec)" \
        "${cov:-?}" "${ft:-?}" "${corpus:-?}" "$finding"
done
exit $found

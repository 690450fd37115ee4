#!/usr/bin/env bash
# Checks that the manual pages (English and Japanese) and the bash completion name exactly the
# options the programs' own --help lists: none missing, none that does not exist.
# Usage: check-option-docs.sh NAMORI_JUDGE NAMORI SOURCE_DIR   (NAMORI may be "" without windows)
set -uo pipefail
judge=$1 window=$2 packaging=$3/packaging
failed=0
# The long options at the start of --help's lines, one per line, sorted.
help_options() { "$1" --help | sed -nE 's/^ +(-h, ?)?(--[a-z][a-z-]*).*/\2/p' | sort -u; }
# Every long option a document names, its roff escapes removed.
named_options() { sed 's/\\//g' "$1" | grep -oE -- '--[a-z][a-z-]*[a-z]' | sort -u; }
compare() {
    local differences
    differences=$(diff <(printf '%s\n' "$1") <(named_options "$2") | grep '^[<>]')
    [ -z "$differences" ] && return
    printf '%s (< missing, > no such option):\n%s\n' "${2#"$3"/}" "$differences" >&2
    failed=1
}
options=$(help_options "$judge")
[ "$(wc -l <<<"$options")" -ge 10 ] || { echo "cannot read $judge --help" >&2; exit 1; }
for document in namori-judge.1 ja/namori-judge.1 namori-judge.bash-completion; do
    compare "$options" "$packaging/$document" "$packaging"
done
if [ -n "$window" ]; then
    options=$(help_options "$window")
    for document in namori.1 ja/namori.1; do
        compare "$options" "$packaging/$document" "$packaging"
    done
fi
exit $failed

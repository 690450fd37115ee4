#!/bin/sh
# Writes assets/shipped-versions.txt: the SHA-256, size and name of every version of every file
# under assets/data and assets/naming that the git history holds, one "sha256 size name" a line.
# The programs remove a copy in the user's data folder that is byte-equal to one of them (an
# earlier version copied it there), so run this before changing a shipped file is released.
set -eu
cd "$(dirname "$0")/.."
git log --format=%H -- assets/data assets/naming | while read -r commit; do
    git -c core.quotePath=off ls-tree -r "$commit" -- assets/data assets/naming
done | sort -u | while read -r _mode _type blob path; do
    hash=$(git cat-file blob "$blob" | sha256sum | cut -d ' ' -f 1)
    printf '%s %s %s\n' "$hash" "$(git cat-file -s "$blob")" "${path##*/}"
done | sort -u -k 3,3 -k 1,1 >assets/shipped-versions.txt

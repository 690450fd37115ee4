#!/usr/bin/env bash
# The upgrade from Namori 0.1.0, the single package "namori", to the three packages of this
# version, as a user of 0.1.0 would make it, in a bare Debian 12 root (tests/support/debian-root.sh):
# 0.1.0 is installed with apt and used by a user, who registers a kanji and adds a given name;
# then one apt-get install of the three new packages must upgrade it. Checked: apt succeeds and
# leaves every package configured; the user's files are byte-identical after the upgrade and after
# the new namori-judge has run; the registration still counts; the new namori-judge reads the
# newly installed tables, not the copies 0.1.0 left in the user's folder.
#
# 0.1.0 is built once from the repository's history (the commit before the split) with CPack,
# as it was released, and kept as NAMORI_E2E_BASE.previous/namori_0.1.0_*.deb.
#
# Usage: upgrade-from-0.1.0.sh SOURCE_DIR DEB_DIR
#   SOURCE_DIR: Namori's git checkout; DEB_DIR: holds namori_*.deb, namori-judge_*.deb and
#   namori-data_*.deb of this version.
# Exits 0 when the upgrade works, 77 when this machine cannot run it, 1 on a failure.
set -uo pipefail
export LC_ALL=C.UTF-8

previous_commit=3418aa5859737520c76b41d66ee3b79983bb5e90
user=taro
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=../support/script-helpers.sh
. "$here/../support/script-helpers.sh"
# shellcheck source=../support/debian-root.sh
. "$here/../support/debian-root.sh"

[ $# -eq 2 ] || { say "usage: $0 SOURCE_DIR DEB_DIR" >&2; exit 2; }
source_dir=$1
new_debs=()
for package in namori namori-judge namori-data; do
    deb=$(ls "$2/${package}"_*.deb 2>/dev/null | head -n 1)
    [ -n "$deb" ] || fail "no ${package}_*.deb in $2"
    new_debs+=("$deb")
done
root_requirements
work=$(mktemp -d /tmp/namori-upgrade.XXXXXX)
trap 'root_cleanup; remove_work' EXIT
trap 'exit 1' INT TERM HUP

say "== namori 0.1.0, built from $previous_commit"
previous=$base.previous
old_deb=$(ls "$previous"/namori_0.1.0_*.deb 2>/dev/null | head -n 1)
if [ -z "$old_deb" ]; then
    git -C "$source_dir" cat-file -e "$previous_commit^{commit}" 2>/dev/null ||
        skip "$source_dir has no commit $previous_commit (not a full git clone)"
    mkdir -p "$work/old" && git -C "$source_dir" archive "$previous_commit" | tar -x -C "$work/old" ||
        fail "git archive $previous_commit"
    { cmake -S "$work/old" -B "$work/old/build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DNAMORI_BUILD_TESTS=OFF -DNAMORI_BUILD_BENCHMARKS=OFF &&
        cmake --build "$work/old/build" -j 2 &&
        (cd "$work/old/build" && cpack -G DEB); } >"$work/old-build.log" 2>&1 ||
        { show_log "$work/old-build.log"; fail "building 0.1.0"; }
    mkdir -p "$previous" && cp "$work/old/build"/namori_0.1.0_*.deb "$previous/" || fail "no 0.1.0 package"
    old_deb=$(ls "$previous"/namori_0.1.0_*.deb | head -n 1)
fi
pass "${old_deb##*/}"

say "== installed and used as $user"
make_root "$work/root"
install_packages "$work/apt-old.log" "$old_deb"
add_user "$user"
user_data=$root$home/.local/share/namori
"${as_user[@]}" namori-judge --html 白鳥 杏奈 >"$work/old.html" 2>"$work/old.err" ||
    { show_log "$work/old.err"; fail "namori-judge 0.1.0 exited with $?"; }
# As the window does it: a kanji registered with its strokes, a given name added to the list.
cp932() { iconv -f UTF-8 -t CP932; }
printf '"蝋",14\r\n' | cp932 >>"$user_data/漢字辞書.txt"
printf '蘭丸\r\n' | cp932 >>"$user_data/名前.txt"
"${as_user[@]}" namori-judge 蝋山 蘭丸 >/dev/null 2>"$work/old-registered.err" ||
    { show_log "$work/old-registered.err"; fail "0.1.0 does not judge 蝋山 蘭丸 after the registration"; }
(cd "$user_data" && sha256sum -- *) >"$work/user-files.sha256"
pass "0.1.0 filled $home/.local/share/namori: $(cd "$user_data" && echo *)"

say "== one apt-get install of ${new_debs[*]##*/}"
install_packages "$work/apt-new.log" "${new_debs[@]}"
grep -E '^(Unpacking|Setting up|Removing) ' "$work/apt-new.log" | sed 's/^/   /'
in_root dpkg --audit >"$work/audit.log" 2>&1 && [ ! -s "$work/audit.log" ] ||
    { show_log "$work/audit.log"; fail "dpkg --audit reports half-installed packages"; }
for package in namori namori-judge namori-data; do
    [ "$(in_root dpkg-query -W -f '${db:Status-Abbrev}${Version}' "$package")" = \
        "ii $(dpkg-deb -f "$2/${package}"_*.deb Version)" ] || fail "$package is not installed and configured"
done
(cd "$user_data" && sha256sum --quiet -c "$work/user-files.sha256") || fail "the upgrade changed the user's files"
pass "all three packages configured at the new version, the user's files untouched"

say "== the new namori-judge as $user"
"${as_user[@]}" namori-judge --html 白鳥 杏奈 >"$work/new.html" 2>"$work/new.err" ||
    { show_log "$work/new.err"; fail "the new namori-judge exited with $?"; }
sed 's/^/   stderr: /' "$work/new.err"
for name in 漢字辞書.txt 名字.txt 名前.txt; do
    grep -F " $name" "$work/user-files.sha256" | (cd "$user_data" && sha256sum --quiet -c) ||
        fail "the new namori-judge changed the user's $name"
done
"${as_user[@]}" namori-judge 蝋山 蘭丸 >/dev/null 2>"$work/registered.err" ||
    { show_log "$work/registered.err"; fail "the registration of 蝋 no longer counts"; }
pass "the dictionary with the registration and the name lists are byte-identical and still used"
# The reading from the installed tables alone (the user's additions do not touch 白鳥 杏奈).
"${as_user[@]}" namori-judge --data /usr/share/namori/data --html 白鳥 杏奈 >"$work/tables.html" ||
    fail "namori-judge --data /usr/share/namori/data"
cmp -s "$work/tables.html" "$work/new.html" || fail "the user's reading does not come from the installed tables"
! cmp -s "$work/old.html" "$work/new.html" || fail "the reading is 0.1.0's: the new tables are not used"
pass "the reading comes from the new installed tables (it differs from 0.1.0's)"
say "PASSED"

#!/usr/bin/env bash
# Builds Namori's three Debian packages from debian/ with dpkg-buildpackage, checks them with
# lintian (no error, no warning), checks the upgrade from the previous release's single package
# (upgrade-from-0.1.0.sh), then installs them with apt into a bare Debian 12 root and uses them
# there as a new user would: namori-judge alone (no Qt pulled in) judging 白鳥 杏奈, --reading
# はると 佐藤, --html 白鳥 杏奈; an update to version B (the next version, with a corrected
# phrase in 霊数.txt and one more dictionary entry) reaching the user; namori (the main window,
# with no start-up message).
#
# The bare root is made as tests/support/debian-root.sh describes. The window is shown on an Xvfb
# of this machine, which the root reaches through its abstract socket; the window is checked
# from outside with xdotool and xprop: a visible top-level window "ナモリ" of the normal type, no
# dialog (a start-up error would be a message box titled "ナモリ" too), and the process still
# running.
#
# Usage: e2e-package.sh BUILD_DIR   (a configured and built build folder of Namori, whose tests
# have run: the package build here skips them)
# Needs root (debootstrap, chroot, mounting /proc), debootstrap (installed with apt-get when
# missing), network to the Debian mirror, the build dependencies of debian/control, and the
# Debian packages xvfb, xdotool, x11-utils, lintian and dpkg-dev.
# Exits 0 when everything works, 77 when this machine cannot run the test (a skip for CTest),
# 1 on any other failure.
set -uo pipefail
export LC_ALL=C.UTF-8

user=hanako
window_wait=60
alive_seconds=3
here=$(cd "$(dirname "$0")" && pwd)

# shellcheck source=../support/script-helpers.sh
. "$here/../support/script-helpers.sh"
# shellcheck source=../support/debian-root.sh
. "$here/../support/debian-root.sh"

if [ $# -ne 1 ] || [ ! -f "$1/CMakeCache.txt" ]; then
    say "usage: $0 BUILD_DIR (a configured and built build folder of Namori)" >&2
    exit 2
fi
build=$(cd "$1" && pwd)
source_dir=$(sed -n 's/^namori_SOURCE_DIR:STATIC=//p' "$build/CMakeCache.txt")
started=$SECONDS

for tool in Xvfb xdotool xprop dpkg-buildpackage dpkg-checkbuilddeps flock lintian iconv; do
    command -v "$tool" >/dev/null ||
        fail "$tool is missing (Debian packages xvfb, xdotool, x11-utils, dpkg-dev, lintian)"
done
root_requirements

# ---------------------------------------------------------------------------------------------
# The packages

work=$(mktemp -d /tmp/namori-e2e-package.XXXXXX)
xvfb_pid=
namori_pid=
cleanup() {
    [ -n "$namori_pid" ] && kill "$namori_pid" 2>/dev/null
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
    root_cleanup
    remove_work
}
trap cleanup EXIT
trap 'exit 1' INT TERM HUP

say "== dpkg-buildpackage -us -uc -b"
(cd "$source_dir" && dpkg-checkbuilddeps) >"$work/builddeps.log" 2>&1 ||
    { show_log "$work/builddeps.log"; fail "build dependencies missing (bash tools/install-deps.sh)"; }
# A copy of the sources without build folders: the package is built inside its source tree.
mkdir -p "$work/source/namori"
(cd "$source_dir" && find . -mindepth 1 -maxdepth 1 ! -name build ! -name '.git' ! -name 'obj-*' \
    -exec cp -a {} "$work/source/namori/" \;) || fail "copying the sources"
rm -rf "$work/source/namori/debian/.debhelper" "$work/source/namori/debian/tmp"
# The tests of this build have run already (ctest), so the package build does not repeat them.
(cd "$work/source/namori" && DEB_BUILD_OPTIONS="nocheck parallel=2" dpkg-buildpackage -us -uc -b) \
    >"$work/dpkg-buildpackage.log" 2>&1 ||
    { show_log "$work/dpkg-buildpackage.log" 40; fail "dpkg-buildpackage -us -uc -b"; }
declare -A deb_a deb_b
for package in namori-judge namori-data namori; do
    deb_a[$package]=$(ls "$work/source/${package}"_*.deb) || fail "no ${package}_*.deb was made"
done
pass "${deb_a[*]##*/}"

say "== lintian on the .changes, default profile"
lintian "$work/source/"namori_*.changes 2>&1 | tee "$work/lintian.log" | sed 's/^/   /'
! grep -qE '^[EW]: ' "$work/lintian.log" || fail "lintian reports errors or warnings"
pass "lintian: 0 errors, 0 warnings"

say "== the upgrade from the previous release"
bash "$here/upgrade-from-0.1.0.sh" "$source_dir" "$work/source" 2>&1 | sed 's/^/   /'
status=${PIPESTATUS[0]}
[ "$status" -eq 0 ] || [ "$status" -eq 77 ] || fail "upgrade-from-0.1.0.sh"

# Version B: the next version, with a corrected phrase in 霊数.txt and one more dictionary entry.
version_a=$(dpkg-deb -f "${deb_a[namori]}" Version) && version_b=$version_a.1
cp932() { iconv -f UTF-8 -t CP932; }
for package in namori-judge namori-data namori; do
    tree=$work/b/$package && mkdir -p "$work/b" && dpkg-deb -R "${deb_a[$package]}" "$tree" || fail "dpkg-deb -R"
    sed -i "s/(= $version_a)/(= $version_b)/g; s/^Version: $version_a\$/Version: $version_b/" \
        "$tree/DEBIAN/control"
    if [ "$package" = namori-data ]; then
        data=$tree/usr/share/namori/data
        { iconv -f CP932 -t UTF-8 "$data/霊数.txt" | sed 's/鉄志成功/鉄志大成/' | cp932; } >"$work/b/霊数"
        mv "$work/b/霊数" "$data/霊数.txt" && printf '"鴎",16\r\n' | cp932 >>"$data/漢字辞書.txt"
        (cd "$tree" && find usr -type f -exec md5sum {} + >DEBIAN/md5sums)
    fi
    dpkg-deb --root-owner-group -b "$tree" "$work/b/" >/dev/null || fail "dpkg-deb -b $package"
    deb_b[$package]=$(ls "$work/b/${package}_${version_b}"_*.deb)
done
pass "version B ($version_b): 鉄志成功 reads 鉄志大成 in 霊数.txt, 鴎 added to 漢字辞書.txt"

# ---------------------------------------------------------------------------------------------
# The bare Debian 12 root

say "== a bare Debian 12 root"
make_root "$work/root"
pass "copied $base"

say "== apt-get install ./namori-judge_*.deb ./namori-data_*.deb (version A)"
install_packages "$work/apt-judge.log" "${deb_a[namori-judge]}" "${deb_a[namori-data]}"
newly=$(sed -n 's/.* \([0-9]*\) newly installed.*/\1/p' "$work/apt-judge.log")
space=$(sed -n 's/^After this operation, \(.*\) of additional disk space will be used.*/\1/p' "$work/apt-judge.log")
qt=$(in_root dpkg-query -W -f '${Package}\n' | grep -iE 'qt|mesa|libgl' | tr '\n' ' ')
[ -z "$qt" ] || fail "installing namori-judge pulled in: $qt"
pass "namori-judge installed: $newly packages newly installed, $space, no Qt, Mesa or GL package"

add_user "$user"
user_data="$root$home/.local/share/namori"
# Succeeds when the user's data folder holds exactly the user's own copies of the shipped
# dictionary and lists; the tables stay where they are installed.
data_filled() {
    local name
    for name in 漢字辞書.txt 名字.txt 名前.txt; do
        cmp -s "$root/usr/share/namori/data/$name" "$user_data/$name" ||
            { say "   $name differs or is missing" >&2; return 1; }
        [ "$(stat -c %u "$user_data/$name")" = "$uid" ] || { say "   $name is not the user's" >&2; return 1; }
    done
    [ "$(find "$user_data" -mindepth 1 | wc -l)" -eq 3 ]
}

# ---------------------------------------------------------------------------------------------
# The command-line judge

say "== as $user in $home: namori-judge"
"${as_user[@]}" namori-judge 白鳥 杏奈 >"$work/judge.out" 2>"$work/judge.err" ||
    { show_log "$work/judge.err"; fail "namori-judge 白鳥 杏奈 exited with $?"; }
for expected in "氏名　白鳥　杏奈" "総運　 31" "５運 良"; do
    grep -qF "$expected" "$work/judge.out" ||
        { show_log "$work/judge.out"; fail "namori-judge 白鳥 杏奈 does not show \"$expected\""; }
done
pass "namori-judge 白鳥 杏奈 exits 0 with the judgement"
data_filled || fail "namori-judge did not fill $home/.local/share/namori as expected"
pass "namori-judge gave ~/.local/share/namori the dictionary and the lists, and no table"

"${as_user[@]}" namori-judge --reading はると 佐藤 >"$work/reading.out" 2>"$work/reading.err" ||
    { show_log "$work/reading.err"; fail "namori-judge --reading はると 佐藤 exited with $?"; }
candidates=$(wc -l <"$work/reading.out")
[ "$candidates" -ge 100 ] && sed -n 2p "$work/reading.out" | grep -q $'^1\t' ||
    { show_log "$work/reading.out" 5; fail "namori-judge --reading はると 佐藤: no ranked list"; }
pass "namori-judge --reading はると 佐藤 exits 0 with $candidates ranked candidates"

"${as_user[@]}" namori-judge --html 白鳥 杏奈 >"$work/reading.html" 2>"$work/html.err" ||
    { show_log "$work/html.err"; fail "namori-judge --html 白鳥 杏奈 exited with $?"; }
for expected in "鉄志成功" "災難陰陽" "総合鑑定" "</html>"; do
    grep -qF "$expected" "$work/reading.html" ||
        { show_log "$work/reading.html" 5; fail "namori-judge --html 白鳥 杏奈 lacks \"$expected\""; }
done
pass "namori-judge --html 白鳥 杏奈 writes the detailed reading"

say "== update from $version_a to $version_b"
# After version A: an earlier release's untouched copy of 霊数.txt, and a registration.
install -o "$uid" -g "$gid" "$root/usr/share/namori/data/霊数.txt" "$user_data/霊数.txt"
printf '"蝋",14\r\n' | cp932 >>"$user_data/漢字辞書.txt"
install_packages "$work/apt-b.log" "${deb_b[namori-judge]}" "${deb_b[namori-data]}"
"${as_user[@]}" namori-judge --html 白鳥 杏奈 >"$work/b.html" 2>"$work/b.err" ||
    { show_log "$work/b.err"; fail "namori-judge after the update exited with $?"; }
sed 's/^/   stderr: /' "$work/b.err"
grep -qF 鉄志大成 "$work/b.html" || fail "the corrected phrase of version B does not reach the user"
[ ! -e "$user_data/霊数.txt" ] || fail "the untouched copy of 霊数.txt was not removed"
grep -q "霊数.txt" "$work/b.err" || fail "the removal was not said on standard error"
cmp -s <(cat "$root/usr/share/namori/data/漢字辞書.txt"; printf '"蝋",14\r\n' | cp932) \
    "$user_data/漢字辞書.txt" || fail "the dictionary is not version B's with the registration after it"
"${as_user[@]}" namori-judge 白鳥 杏奈 >/dev/null 2>"$work/b2.err" || fail "second run after the update"
[ ! -s "$work/b2.err" ] || { show_log "$work/b2.err"; fail "the second run after the update said something"; }
pass "the corrected phrase reaches the user, the stale copy is gone, the registration is kept"

# ---------------------------------------------------------------------------------------------
# The window

say "== apt-get install ./namori_*.deb (version B)"
install_packages "$work/apt-window.log" "${deb_b[namori]}"

say "== as $user in $home: namori, on an X server"
rm -rf --one-file-system "$user_data"
# -displayfd picks a free display and writes its number once the server accepts clients.
start_xvfb "$work/display" "$work/xvfb.log"

"${as_user[@]}" env DISPLAY="$DISPLAY" namori >"$work/namori.out" 2>&1 &
namori_pid=$!
window=$(timeout "$window_wait" xdotool search --sync --onlyvisible --name '^ナモリ$' 2>/dev/null |
    head -n 1)
if [ -z "$window" ]; then
    show_log "$work/namori.out"
    kill -0 "$namori_pid" 2>/dev/null || fail "namori ended without a window"
    fail "no window named ナモリ appeared in $window_wait s"
fi
sleep "$alive_seconds"
dialogs=0
normal=0
for shown in $(xdotool search --onlyvisible --name '.' 2>/dev/null); do
    type=$(xprop -id "$shown" _NET_WM_WINDOW_TYPE 2>/dev/null)
    case $type in
        *_NET_WM_WINDOW_TYPE_DIALOG*) dialogs=$((dialogs + 1)) ;;
        *_NET_WM_WINDOW_TYPE_NORMAL*)
            [ "$(xdotool getwindowname "$shown")" = ナモリ ] && normal=$((normal + 1)) ;;
    esac
done
if [ "$dialogs" -gt 0 ]; then
    # A start-up message: Return closes it, and namori then writes the message to its output.
    xdotool key --clearmodifiers Return 2>/dev/null
    sleep 1
    show_log "$work/namori.out"
    fail "namori shows a message box at start-up"
fi
[ "$normal" -eq 1 ] || fail "expected one main window ナモリ, found $normal"
kill -0 "$namori_pid" 2>/dev/null || { show_log "$work/namori.out"; fail "namori ended"; }
pass "the main window ナモリ is shown, no message box, namori still running after $alive_seconds s"
data_filled || fail "namori did not fill $home/.local/share/namori as expected"
pass "namori gave ~/.local/share/namori the dictionary and the lists"
kill "$namori_pid"
wait "$namori_pid" 2>/dev/null
namori_pid=

say "PASSED in $((SECONDS - started)) s"

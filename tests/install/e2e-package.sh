#!/usr/bin/env bash
# Builds Namori's three Debian packages from debian/ (dpkg-buildpackage), checks them with lintian
# (no error, no warning), installs them with apt into a bare Debian 12 root and uses them there as
# a new user would: namori-judge alone (no Qt pulled in) judging 白鳥 杏奈, --reading はると 佐藤,
# --html 白鳥 杏奈; an update to version B (the next version, with a corrected phrase in 霊数.txt
# and one more dictionary entry) reaching the user; namori (the main window, with no start-up
# message). Then, in the same root with those packages purged, the upgrade from 0.1.0 (the single
# package "namori", built once from the repository's history and kept as
# NAMORI_E2E_BASE.previous/*.deb): a user of 0.1.0 registers a kanji and adds a given name, one
# apt-get install of the three packages upgrades it, the user's files stay byte-identical and the
# new tables are used.
#
# The bare root is debootstrap's minbase variant of bookworm: nothing of ours and no desktop. It
# is made once and kept under /tmp (NAMORI_E2E_BASE), then copied for each run, so a run needs
# the network only for the packages that Namori's packages pull in (kept in
# NAMORI_E2E_BASE.archives between runs). The window is shown on an Xvfb of this machine, which
# the root reaches through its abstract socket; the window is checked from outside with xdotool
# and xprop: a visible top-level window "ナモリ" of the normal type, no dialog (a start-up error
# would be a message box titled "ナモリ" too), and the process still running.
#
# Usage: e2e-package.sh BUILD_DIR   (a configured and built build folder of Namori, whose tests
# have run: the package build here leaves them out). NAMORI_E2E_PACKAGES=DIR takes the packages
# and .changes that dpkg-buildpackage made in DIR from these sources instead of building them.
# Needs root (debootstrap, chroot, mounting /proc), debootstrap (installed with apt-get when
# missing), network to the Debian mirror, and the Debian packages xvfb, xdotool, x11-utils,
# lintian and dpkg-dev, the build dependencies of debian/control, and for 0.1.0 a git checkout.
# Exits 0 when everything works, 77 when this machine cannot run the test (a skip for CTest),
# 1 on any other failure.
set -uo pipefail
export LC_ALL=C.UTF-8

base=${NAMORI_E2E_BASE:-/tmp/namori-e2e-debian12}
archives=$base.archives
user=hanako
window_wait=60
alive_seconds=3

# shellcheck source=../support/script-helpers.sh
. "$(dirname "$0")/../support/script-helpers.sh"
show_log() {
    [ -s "$1" ] && { say "--- ${1##*/}:" >&2; tail -n "${2:-20}" "$1" >&2; }
    return 0
}

if [ $# -ne 1 ] || [ ! -f "$1/CMakeCache.txt" ]; then
    say "usage: $0 BUILD_DIR (a configured and built build folder of Namori)" >&2
    exit 2
fi
build=$(cd "$1" && pwd)
source_dir=$(sed -n 's/^namori_SOURCE_DIR:STATIC=//p' "$build/CMakeCache.txt")
started=$SECONDS

[ "$(id -u)" -eq 0 ] || skip "needs root: debootstrap, chroot and mounting /proc"
for tool in Xvfb xdotool xprop dpkg-buildpackage flock lintian iconv; do
    command -v "$tool" >/dev/null ||
        fail "$tool is missing (Debian packages xvfb, xdotool, x11-utils, dpkg-dev, lintian)"
done
if ! command -v debootstrap >/dev/null; then
    DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends debootstrap \
        >/dev/null 2>&1 || skip "debootstrap is missing and cannot be installed"
fi
mirror=$(sed -n 's/^URIs: *//p' /etc/apt/sources.list.d/debian.sources 2>/dev/null | head -n 1)
mirror=${mirror:-http://deb.debian.org/debian}
mirror_host=$(printf '%s' "$mirror" | sed -E 's#^[a-z]+://([^/:]+).*#\1#')
timeout 15 bash -c "exec 3<>/dev/tcp/$mirror_host/80" 2>/dev/null ||
    skip "no network connection to the Debian mirror $mirror_host"

# ---------------------------------------------------------------------------------------------
# The package

work=$(mktemp -d /tmp/namori-e2e-package.XXXXXX)
root=$work/root
xvfb_pid=
namori_pid=
cleanup() {
    [ -n "$namori_pid" ] && kill "$namori_pid" 2>/dev/null
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
    if mountpoint -q "$root/proc" 2>/dev/null; then
        umount "$root/proc" 2>/dev/null || umount -l "$root/proc"
    fi
    # Never delete through a mount that is still there.
    if findmnt -rn -o TARGET | grep -q "^$work/"; then
        say "left $work in place: something is still mounted below it" >&2
    else
        rm -rf --one-file-system "$work"
    fi
}
trap cleanup EXIT
trap 'exit 1' INT TERM HUP

say "== dpkg-buildpackage -us -uc -b, on a copy of the sources without build folders"
mkdir -p "$work/package/namori"
if [ -n "${NAMORI_E2E_PACKAGES:-}" ]; then # packages built before, from these sources
    cp "$NAMORI_E2E_PACKAGES"/namori*_* "$work/package/" || fail "no packages in $NAMORI_E2E_PACKAGES"
else
    (cd "$source_dir" && find . -mindepth 1 -maxdepth 1 ! -name build ! -name .git ! -name 'obj-*' \
        -exec cp -a {} "$work/package/namori/" \;) || fail "copying the sources"
    # This build's tests have run (ctest), so the package build leaves them out.
    (cd "$work/package/namori" && DEB_BUILD_OPTIONS="nocheck parallel=2" dpkg-buildpackage -us -uc -b) \
        >"$work/package.log" 2>&1 || { show_log "$work/package.log" 40; fail "dpkg-buildpackage"; }
fi
declare -A deb_a deb_b
for package in namori-judge namori-data namori; do
    deb_a[$package]=$(ls "$work/package/${package}"_*.deb) || fail "no ${package}_*.deb was made"
done
pass "${deb_a[*]##*/}"

say "== lintian on the .changes, default profile"
lintian "$work/package/"namori_*.changes 2>&1 | tee "$work/lintian.log" | sed 's/^/   /'
! grep -qE '^[EW]: ' "$work/lintian.log" || fail "lintian reports errors or warnings"
pass "lintian: 0 errors, 0 warnings"

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
exec 9>"$base.lock"
flock 9
if [ ! -f "$base/.namori-e2e-base" ]; then
    say "   making the base root once with debootstrap (a minute or so): $base"
    rm -rf --one-file-system "$base.partial"
    if ! debootstrap --variant=minbase bookworm "$base.partial" "$mirror" \
        >"$work/debootstrap.log" 2>&1; then
        show_log "$work/debootstrap.log"
        rm -rf --one-file-system "$base.partial"
        fail "debootstrap --variant=minbase bookworm $mirror"
    fi
    touch "$base.partial/.namori-e2e-base"
    rm -rf --one-file-system "$base"
    mv "$base.partial" "$base"
fi
mkdir -p "$root"
cp -a "$base/." "$root/"
flock -u 9
exec 9>&-
cp -L /etc/resolv.conf "$root/etc/resolv.conf"
# Services of installed packages must not start inside the root.
printf '#!/bin/sh\nexit 101\n' >"$root/usr/sbin/policy-rc.d"
chmod +x "$root/usr/sbin/policy-rc.d"
mount -t proc proc "$root/proc" || skip "cannot mount /proc in the root"
pass "copied $base"

in_root() { chroot "$root" /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin LC_ALL=C.UTF-8 "$@"; }

mkdir -p "$archives"
find "$archives" -maxdepth 1 -name '*.deb' -exec cp -n {} "$root/var/cache/apt/archives/" \;
# apt-get install ./PACKAGE.deb … as a user would type it, in /tmp of the root.
install_packages() {
    local log=$1 deb inside=()
    shift
    for deb in "$@"; do
        cp "$deb" "$root/tmp/" && chmod 644 "$root/tmp/${deb##*/}" && inside+=("/tmp/${deb##*/}")
    done
    # The base's package lists may be out of date with the mirror; then they are fetched again.
    if ! in_root DEBIAN_FRONTEND=noninteractive apt-get install -y -q "${inside[@]}" >"$log" 2>&1; then
        in_root apt-get update -q >>"$work/apt-update.log" 2>&1 ||
            { show_log "$work/apt-update.log"; fail "apt-get update"; }
        in_root DEBIAN_FRONTEND=noninteractive apt-get install -y -q "${inside[@]}" >"$log" 2>&1 ||
            { show_log "$log" 40; fail "apt-get install ${inside[*]}"; }
    fi
    find "$root/var/cache/apt/archives" -maxdepth 1 -name '*.deb' -exec cp -n {} "$archives/" \;
}

say "== apt-get install ./namori-judge_*.deb ./namori-data_*.deb (version A)"
install_packages "$work/apt-judge.log" "${deb_a[namori-judge]}" "${deb_a[namori-data]}"
newly=$(sed -n 's/.* \([0-9]*\) newly installed.*/\1/p' "$work/apt-judge.log")
space=$(sed -n 's/^After this operation, \(.*\) of additional disk space will be used.*/\1/p' "$work/apt-judge.log")
qt=$(in_root dpkg-query -W -f '${Package}\n' | grep -iE 'qt|mesa|libgl' | tr '\n' ' ')
[ -z "$qt" ] || fail "installing namori-judge pulled in: $qt"
pass "namori-judge installed: $newly packages newly installed, $space, no Qt, Mesa or GL package"

in_root useradd --create-home --shell /bin/bash "$user" || fail "useradd $user"
uid=$(in_root id -u "$user")
gid=$(in_root id -g "$user")
home=/home/$user
user_data="$root$home/.local/share/namori"
# A command as the user, in the home folder, with a login's bare environment. Every step execs
# the next, so the process started keeps its number down to the program.
as_user=(chroot --userspec="$uid:$gid" "$root" /usr/bin/env -i HOME="$home" USER="$user"
    LOGNAME="$user" PATH=/usr/local/bin:/usr/bin:/bin LANG=C.UTF-8
    /bin/sh -c 'cd "$HOME" && exec "$@"' sh)
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
[ "$candidates" -ge 20 ] && sed -n 2p "$work/reading.out" | grep -q $'^1\t' ||
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

# ---------------------------------------------------------------------------------------------
# The upgrade from 0.1.0

previous_commit=3418aa5859737520c76b41d66ee3b79983bb5e90
say "== namori 0.1.0, built once from $previous_commit"
old_deb=$(ls "$base.previous"/namori_0.1.0_*.deb 2>/dev/null | head -n 1)
if [ -z "$old_deb" ]; then
    git -C "$source_dir" archive "$previous_commit" >"$work/old.tar" ||
        skip "the upgrade needs a git checkout holding $previous_commit"
    mkdir "$work/old" && tar -x -C "$work/old" -f "$work/old.tar" && {
        cmake -S "$work/old" -B "$work/old/build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
            -DNAMORI_BUILD_TESTS=OFF -DNAMORI_BUILD_BENCHMARKS=OFF &&
            cmake --build "$work/old/build" -j 2 && (cd "$work/old/build" && cpack -G DEB)
    } >"$work/old.log" 2>&1 || { show_log "$work/old.log"; fail "building 0.1.0"; }
    mkdir -p "$base.previous" && cp "$work/old/build"/namori_0.1.0_*.deb "$base.previous/"
    old_deb=$(ls "$base.previous"/namori_0.1.0_*.deb) || fail "no namori_0.1.0_*.deb was made"
fi
in_root DEBIAN_FRONTEND=noninteractive apt-get purge -y -q namori namori-judge namori-data \
    >"$work/purge.log" 2>&1 || { show_log "$work/purge.log"; fail "apt-get purge"; }
[ ! -e "$root/usr/share/namori" ] && [ ! -e "$root/usr/bin/namori-judge" ] || fail "the purge left files"
install_packages "$work/apt-old.log" "$old_deb"
pass "version B purged, ${old_deb##*/} installed"

say "== a user of 0.1.0 registers 蝋 (14 strokes) and adds 蘭丸, as the window does"
rm -rf --one-file-system "$user_data"
"${as_user[@]}" namori-judge --html 白鳥 杏奈 >"$work/old.html" 2>"$work/old.err" ||
    { show_log "$work/old.err"; fail "namori-judge 0.1.0 exited with $?"; }
printf '"蝋",14\r\n' | cp932 >>"$user_data/漢字辞書.txt"
printf '蘭丸\r\n' | cp932 >>"$user_data/名前.txt"
"${as_user[@]}" namori-judge 蝋山 蘭丸 >/dev/null 2>&1 || fail "0.1.0 does not judge 蝋山 蘭丸"
(cd "$user_data" && sha256sum -- *) >"$work/user.sha256"
pass "0.1.0 judges 蝋山 蘭丸; the user's folder holds $(cd "$user_data" && echo *)"

say "== one apt-get install ./namori_*.deb ./namori-judge_*.deb ./namori-data_*.deb (version A)"
install_packages "$work/apt-upgrade.log" "${deb_a[namori]}" "${deb_a[namori-judge]}" "${deb_a[namori-data]}"
grep -E '^(Unpacking|Setting up) namori' "$work/apt-upgrade.log" | sed 's/^/   /'
in_root dpkg --audit >"$work/audit.log" 2>&1 && [ ! -s "$work/audit.log" ] ||
    { show_log "$work/audit.log"; fail "dpkg --audit reports packages left unconfigured"; }
for package in namori namori-judge namori-data; do
    [ "$(in_root dpkg-query -W -f '${db:Status-Abbrev}${Version}' "$package")" = "ii $version_a" ] ||
        fail "$package $version_a is not installed and configured"
done
(cd "$user_data" && sha256sum --quiet -c "$work/user.sha256") || fail "the upgrade changed the user's files"
pass "namori, namori-judge and namori-data $version_a configured; the user's files untouched"

"${as_user[@]}" namori-judge --html 白鳥 杏奈 >"$work/new.html" 2>"$work/new.err" ||
    { show_log "$work/new.err"; fail "namori-judge $version_a exited with $?"; }
sed 's/^/   stderr: /' "$work/new.err"
grep -E ' (漢字辞書|名字|名前)\.txt$' "$work/user.sha256" | (cd "$user_data" && sha256sum --quiet -c) ||
    fail "namori-judge $version_a changed the user's dictionary or lists"
"${as_user[@]}" namori-judge 蝋山 蘭丸 >/dev/null 2>&1 || fail "the registration of 蝋 no longer counts"
"${as_user[@]}" namori-judge --data /usr/share/namori/data --html 白鳥 杏奈 >"$work/tables.html" &&
    cmp -s "$work/tables.html" "$work/new.html" && ! cmp -s "$work/old.html" "$work/new.html" ||
    fail "the reading of 白鳥 杏奈 is not the one of the installed $version_a tables"
pass "the dictionary and the lists are byte-identical, 蝋 still counts, the new tables are read"

say "PASSED in $((SECONDS - started)) s"

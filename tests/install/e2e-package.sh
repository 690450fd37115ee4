#!/usr/bin/env bash
# Installs Namori's Debian package with apt into a bare Debian 12 root and uses it there as a new
# user would: an ordinary user with a fresh home folder runs, in that folder,
#   namori-judge 白鳥 杏奈                  (the judgement, exit 0)
#   namori-judge --reading はると 佐藤       (the ranked candidates, exit 0)
#   namori-judge --html 白鳥 杏奈           (the detailed reading, from the installed texts)
#   namori                                  (the main window, with no start-up message)
# and each program must have filled ~/.local/share/namori with the shipped data files itself.
#
# The bare root is debootstrap's minbase variant of bookworm: nothing of ours and no desktop. It
# is made once and kept under /tmp (NAMORI_E2E_BASE), then copied for each run, so a run needs
# the network only for the packages that Namori's package pulls in (kept in
# NAMORI_E2E_BASE.archives between runs). The window is shown on an Xvfb of this machine, which
# the root reaches through its abstract socket; the window is checked from outside with xdotool
# and xprop: a visible top-level window "ナモリ" of the normal type, no dialog (a start-up error
# would be a message box titled "ナモリ" too), and the process still running.
#
# Usage: e2e-package.sh BUILD_DIR   (a configured and built build folder of Namori)
# Needs root (debootstrap, chroot, mounting /proc), debootstrap (installed with apt-get when
# missing), network to the Debian mirror, and the Debian packages xvfb, xdotool, x11-utils
# and dpkg-dev (for cpack's dependency list).
# Exits 0 when everything works, 77 when this machine cannot run the test (a skip for CTest),
# 1 on any other failure.
set -uo pipefail
# CPack's archiver can only store the Japanese file names of the data in a UTF-8 locale.
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
started=$SECONDS

[ "$(id -u)" -eq 0 ] || skip "needs root: debootstrap, chroot and mounting /proc"
for tool in Xvfb xdotool xprop cpack dpkg-shlibdeps flock; do
    command -v "$tool" >/dev/null ||
        fail "$tool is missing (Debian packages xvfb, xdotool, x11-utils, cmake, dpkg-dev)"
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

say "== building the Debian package"
(cd "$build" && cpack -G DEB -B "$work/package") >"$work/cpack.log" 2>&1 ||
    { show_log "$work/cpack.log"; fail "cpack -G DEB"; }
debs=("$work/package"/namori_*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || fail "cpack made no single namori_*.deb"
deb=${debs[0]}
pass "${deb##*/}"

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

say "== apt install ./${deb##*/} --no-install-recommends"
cp "$deb" "$root/tmp/"
chmod 644 "$root/tmp/${deb##*/}"
mkdir -p "$archives"
find "$archives" -maxdepth 1 -name '*.deb' -exec cp -n {} "$root/var/cache/apt/archives/" \;
install_package() {
    in_root DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends \
        "/tmp/${deb##*/}" >>"$work/apt.log" 2>&1
}
# The base's package lists may be out of date with the mirror; then they are fetched again.
if ! install_package; then
    in_root apt-get update -q >>"$work/apt.log" 2>&1 || { show_log "$work/apt.log"; fail "apt-get update"; }
    install_package || { show_log "$work/apt.log" 40; fail "apt-get install ./${deb##*/}"; }
fi
find "$root/var/cache/apt/archives" -maxdepth 1 -name '*.deb' -exec cp -n {} "$archives/" \;
for program in namori namori-judge; do
    [ "$(in_root sh -c "command -v $program")" = "/usr/bin/$program" ] ||
        fail "$program is not on the PATH after installing the package"
done
pass "installed; namori and namori-judge in /usr/bin"

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
# Succeeds when the user's data folder holds exactly the shipped data files, the user's own.
data_filled() {
    local shipped name count=0
    for shipped in "$root"/usr/share/namori/data/*; do
        name=${shipped##*/}
        cmp -s "$shipped" "$user_data/$name" || { say "   $name differs or is missing" >&2; return 1; }
        [ "$(stat -c %u "$user_data/$name")" = "$uid" ] || { say "   $name is not the user's" >&2; return 1; }
        count=$((count + 1))
    done
    [ "$count" -ge 5 ] && [ "$(find "$user_data" -mindepth 1 | wc -l)" -eq "$count" ]
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
data_filled || fail "namori-judge did not fill $home/.local/share/namori with the shipped data"
pass "namori-judge filled ~/.local/share/namori with the shipped data files"

"${as_user[@]}" namori-judge --reading はると 佐藤 >"$work/reading.out" 2>"$work/reading.err" ||
    { show_log "$work/reading.err"; fail "namori-judge --reading はると 佐藤 exited with $?"; }
candidates=$(wc -l <"$work/reading.out")
[ "$candidates" -ge 100 ] && sed -n 2p "$work/reading.out" | grep -q $'^1\t' ||
    { show_log "$work/reading.out" 5; fail "namori-judge --reading はると 佐藤: no ranked list"; }
pass "namori-judge --reading はると 佐藤 exits 0 with $candidates ranked candidates"

"${as_user[@]}" namori-judge --html 白鳥 杏奈 >"$work/reading.html" 2>"$work/html.err" ||
    { show_log "$work/html.err"; fail "namori-judge --html 白鳥 杏奈 exited with $?"; }
for expected in "鉄志成功" "災難陰陽" "総合判定" "</html>"; do
    grep -qF "$expected" "$work/reading.html" ||
        { show_log "$work/reading.html" 5; fail "namori-judge --html 白鳥 杏奈 lacks \"$expected\""; }
done
pass "namori-judge --html 白鳥 杏奈 writes the detailed reading"

# ---------------------------------------------------------------------------------------------
# The window

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
data_filled || fail "namori did not fill $home/.local/share/namori with the shipped data"
pass "namori filled ~/.local/share/namori with the shipped data files"
kill "$namori_pid"
wait "$namori_pid" 2>/dev/null
namori_pid=

say "PASSED in $((SECONDS - started)) s"

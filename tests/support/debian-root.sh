# Shared by the package test scripts, which source it after script-helpers.sh: a bare Debian 12
# root (debootstrap's minbase variant of bookworm: nothing of ours, no desktop) in which packages
# are installed with apt as a user would. The base root is made once and kept under /tmp
# (NAMORI_E2E_BASE), then copied for each run; the packages apt downloads are kept in
# NAMORI_E2E_BASE.archives between runs. The caller sets work (its own temporary folder) and
# calls root_cleanup from its exit trap.

base=${NAMORI_E2E_BASE:-/tmp/namori-e2e-debian12}
archives=$base.archives
root=

show_log() {
    [ -s "$1" ] && { say "--- ${1##*/}:" >&2; tail -n "${2:-20}" "$1" >&2; }
    return 0
}

# Skips the test (77) where this machine cannot make a root: not root, no debootstrap, no mirror.
root_requirements() {
    [ "$(id -u)" -eq 0 ] || skip "needs root: debootstrap, chroot and mounting /proc"
    if ! command -v debootstrap >/dev/null; then
        DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends debootstrap \
            >/dev/null 2>&1 || skip "debootstrap is missing and cannot be installed"
    fi
    mirror=$(sed -n 's/^URIs: *//p' /etc/apt/sources.list.d/debian.sources 2>/dev/null | head -n 1)
    mirror=${mirror:-http://deb.debian.org/debian}
    local host
    host=$(printf '%s' "$mirror" | sed -E 's#^[a-z]+://([^/:]+).*#\1#')
    timeout 15 bash -c "exec 3<>/dev/tcp/$host/80" 2>/dev/null ||
        skip "no network connection to the Debian mirror $host"
}

# Makes a fresh copy of the base root at $1 (the base is made first when missing) with /proc.
make_root() {
    root=$1
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
    mkdir -p "$archives"
    find "$archives" -maxdepth 1 -name '*.deb' -exec cp -n {} "$root/var/cache/apt/archives/" \;
}

in_root() { chroot "$root" /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin LC_ALL=C.UTF-8 "$@"; }

# apt-get install ./PACKAGE.deb … as a user would type it, in /tmp of the root; fails the test
# when apt fails. The base's package lists may be out of date with the mirror; then they are
# fetched again.
install_packages() {
    local log=$1 deb inside=()
    shift
    for deb in "$@"; do
        cp "$deb" "$root/tmp/" && chmod 644 "$root/tmp/${deb##*/}" && inside+=("/tmp/${deb##*/}")
    done
    if ! in_root DEBIAN_FRONTEND=noninteractive apt-get install -y -q "${inside[@]}" >"$log" 2>&1; then
        in_root apt-get update -q >>"$work/apt-update.log" 2>&1 ||
            { show_log "$work/apt-update.log"; fail "apt-get update"; }
        in_root DEBIAN_FRONTEND=noninteractive apt-get install -y -q "${inside[@]}" >"$log" 2>&1 ||
            { show_log "$log" 40; fail "apt-get install ${inside[*]}"; }
    fi
    find "$root/var/cache/apt/archives" -maxdepth 1 -name '*.deb' -exec cp -n {} "$archives/" \;
}

# Adds the user $1 with a home folder and sets as_user: a command as that user, in the home
# folder, with a login's bare environment. Every step execs the next, so the process started
# keeps its number down to the program.
add_user() {
    in_root useradd --create-home --shell /bin/bash "$1" || fail "useradd $1"
    uid=$(in_root id -u "$1")
    gid=$(in_root id -g "$1")
    home=/home/$1
    as_user=(chroot --userspec="$uid:$gid" "$root" /usr/bin/env -i HOME="$home" USER="$1"
        LOGNAME="$1" PATH=/usr/local/bin:/usr/bin:/bin LANG=C.UTF-8
        /bin/sh -c 'cd "$HOME" && exec "$@"' sh)
}

root_cleanup() {
    [ -n "$root" ] || return 0
    if mountpoint -q "$root/proc" 2>/dev/null; then
        umount "$root/proc" 2>/dev/null || umount -l "$root/proc"
    fi
}

# Removes the caller's work folder, never through a mount that is still there.
remove_work() {
    if findmnt -rn -o TARGET | grep -q "^$work/"; then
        say "left $work in place: something is still mounted below it" >&2
    else
        rm -rf --one-file-system "$work"
    fi
}

#!/usr/bin/env bash
# Installs a built Namori into a temporary prefix and checks the installed tree: programs, data,
# help, desktop integration, icons, manual pages; how the installed programs fill the user's data
# folder; namori without a display.
# Usage: check-install.sh BUILD_DIR   (a configured and built build folder of Namori)
# Needs: cmake, desktop-file-validate (desktop-file-utils), appstreamcli (appstream), man (man-db),
# groff (groff-base), od.
set -euo pipefail
export LC_ALL=C.UTF-8

if [ $# -ne 1 ] || [ ! -f "$1/CMakeCache.txt" ]; then
    echo "usage: $0 BUILD_DIR (a configured build folder)" >&2
    exit 2
fi
build=$(cd "$1" && pwd)
app_id=io.github.namori.Namori
icon_sizes=(16 24 32 48 64 128 256)
data_files=(霊数.txt 鑑定解説.txt 漢字辞書.txt 漢字画数参考.txt 名字.txt 名前.txt 避ける漢字.txt)
# The files the programs copy into the user's data folder: those the user adds to.
user_files=(漢字辞書.txt 名字.txt 名前.txt)
help_pages=(TevoHelp.html KoruviHelp.html)

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# A blank in the prefix and in the home folder catches unquoted paths.
prefix="$work/install prefix"

step() { printf '== %s\n' "$*"; }
fail() { printf 'FAILED: %s\n' "$*" >&2; exit 1; }
pass() { printf '   ok: %s\n' "$*"; }
need_tool() {
    command -v "$1" >/dev/null 2>&1 || fail "$1 is not installed (Debian package $2)"
}
while read -r tool package; do
    need_tool "$tool" "$package"
done <<'TOOLS'
cmake cmake
desktop-file-validate desktop-file-utils
appstreamcli appstream
man man-db
groff groff-base
od coreutils
TOOLS
source_dir=$(sed -n 's/^namori_SOURCE_DIR:STATIC=//p' "$build/CMakeCache.txt")
[ -d "$source_dir" ] || fail "cannot find the source folder in $build/CMakeCache.txt"

need_file() { [ -f "$1" ] || fail "missing: ${1#"$prefix"/}"; }
need_executable() {
    [ -f "$1" ] && [ -x "$1" ] || fail "missing or not executable: ${1#"$prefix"/}"
}
# Prints WIDTHxHEIGHT from a PNG file's header, or fails when the file is no PNG.
png_size() {
    local signature
    signature=$(od -An -tx1 -N8 "$1" | tr -d ' \n')
    [ "$signature" = 89504e470d0a1a0a ] || fail "not a PNG file: ${1#"$prefix"/}"
    od -An -tu1 -j16 -N8 "$1" |
        awk '{ printf "%dx%d\n", (($1*256+$2)*256+$3)*256+$4, (($5*256+$6)*256+$7)*256+$8 }'
}

step "installing $build into a temporary prefix"
cmake --install "$build" --prefix "$prefix" >"$work/install.log" 2>&1 ||
    { cat "$work/install.log" >&2; fail "cmake --install"; }
pass "cmake --install"

step "installed files"
for program in namori namori-judge; do
    need_executable "$prefix/bin/$program"
done
pass "bin/namori and bin/namori-judge are executable"
for name in "${data_files[@]}"; do
    need_file "$prefix/share/namori/data/$name"
    cmp -s "$source_dir/assets/data/$name" "$prefix/share/namori/data/$name" ||
        fail "share/namori/data/$name differs from assets/data/$name"
done
pass "the ${#data_files[@]} data files in share/namori/data, equal to assets/data"
for page in "${help_pages[@]}"; do
    need_file "$prefix/share/namori/help/$page"
done
pass "help pages in share/namori/help"
need_file "$prefix/share/doc/namori-data/NOTICE"
need_file "$prefix/share/doc/namori-data/README.md"
need_file "$prefix/share/bash-completion/completions/namori-judge"
pass "NOTICE and README.md in share/doc/namori-data, bash completion of namori-judge"

desktop_file="$prefix/share/applications/$app_id.desktop"
metainfo="$prefix/share/metainfo/$app_id.metainfo.xml"
need_file "$desktop_file"
need_file "$metainfo"
grep -qx "Exec=namori" "$desktop_file" || fail "the desktop file does not start namori"
grep -qx "Icon=$app_id" "$desktop_file" || fail "the desktop file's icon is not $app_id"
grep -q "<launchable type=\"desktop-id\">$app_id.desktop</launchable>" "$metainfo" ||
    fail "the metainfo does not launch $app_id.desktop"
pass "desktop file and metainfo, naming $app_id"

need_file "$prefix/share/icons/hicolor/scalable/apps/$app_id.svg"
for size in "${icon_sizes[@]}"; do
    png="$prefix/share/icons/hicolor/${size}x${size}/apps/$app_id.png"
    need_file "$png"
    actual=$(png_size "$png")
    [ "$actual" = "${size}x${size}" ] || fail "${png#"$prefix"/} is $actual pixels, not ${size}x${size}"
done
pass "hicolor icons: scalable SVG and PNGs of ${icon_sizes[*]} pixels, each of its size"

for page in namori namori-judge ja/namori ja/namori-judge; do
    manual="$prefix/share/man/${page%/*}/man1/${page#*/}.1"
    [[ $page == */* ]] || manual="$prefix/share/man/man1/$page.1"
    need_file "$manual"
    warnings=$(groff -k -man -Tutf8 -ww -z "$manual" 2>&1)
    [ -z "$warnings" ] || fail "groff warns about $page.1: $warnings"
    MANWIDTH=80 man -l "$manual" >/dev/null 2>"$work/man.log" && [ ! -s "$work/man.log" ] ||
        fail "man -l $page.1: $(cat "$work/man.log")"
done
pass "manual pages namori.1 and namori-judge.1, in English and Japanese, render without warnings"

step "validators"
desktop-file-validate "$desktop_file" || fail "desktop-file-validate"
pass "desktop-file-validate"
appstreamcli validate --no-net "$metainfo" || fail "appstreamcli validate --no-net"
pass "appstreamcli validate --no-net"

step "installed namori-judge"
(cd "$work" && "$prefix/bin/namori-judge" --data "$prefix/share/namori/data" --json 白鳥 杏奈) \
    >"$work/judge.json" || fail "namori-judge --json 白鳥 杏奈 exited with $?"
grep -q '"surname":"白鳥","givenName":"杏奈"' "$work/judge.json" ||
    fail "unexpected namori-judge output: $(cat "$work/judge.json")"
pass "namori-judge --data share/namori/data --json 白鳥 杏奈 exits 0"

step "the installed programs fill the user's data folder"
home="$work/home folder"
xdg="$work/xdg data"
empty="$work/empty folder"
mkdir -p "$home" "$empty"
user_data="$xdg/namori"
count_files() { find "$1" -mindepth 1 -maxdepth 1 | wc -l; }
# namori-judge finds its data exactly as namori does (one function of the core), and needs no
# display: run from a folder without data files, as a user would run it from the home folder.
run_judge() {
    (cd "$empty" && env -u XDG_DATA_HOME HOME="$home" "$@" 白鳥 杏奈) >"$work/judge.out" 2>&1 ||
        { cat "$work/judge.out" >&2; fail "namori-judge: $*"; }
}

# Started through PATH.
run_judge XDG_DATA_HOME="$xdg" PATH="$prefix/bin:$PATH" namori-judge
for name in "${user_files[@]}"; do
    cmp -s "$prefix/share/namori/data/$name" "$user_data/$name" || fail "first run: $name not copied"
done
[ "$(count_files "$user_data")" -eq ${#user_files[@]} ] || fail "first run: unexpected files"
[ "$(count_files "$empty")" -eq 0 ] || fail "first run: files appeared in the current folder"
pass "first run copies the ${#user_files[@]} files the user adds to into \$XDG_DATA_HOME/namori and judges"

printf '%s\r\n' "user's own line" >>"$user_data/名字.txt"
cp "$user_data/名字.txt" "$work/名字.expected"
mv "$user_data/名前.txt" "$user_data/名前.TXT"
printf '%s\r\n' "user's own line" >>"$user_data/名前.TXT"
cp "$user_data/名前.TXT" "$work/名前.expected"
run_judge XDG_DATA_HOME="$xdg" "$prefix/bin/namori-judge"
cmp -s "$work/名字.expected" "$user_data/名字.txt" || fail "second run overwrote 名字.txt"
cmp -s "$work/名前.expected" "$user_data/名前.TXT" || fail "second run overwrote 名前.TXT"
[ ! -e "$user_data/名前.txt" ] || fail "second run added 名前.txt beside the user's 名前.TXT"
[ "$(count_files "$user_data")" -eq ${#user_files[@]} ] || fail "second run: unexpected files"
pass "second run overwrites nothing and adds no 名前.txt beside 名前.TXT"

rm "$user_data/漢字辞書.txt"
ln -s "$prefix/bin/namori-judge" "$work/namori-judge-link"
run_judge XDG_DATA_HOME="$xdg" "$work/namori-judge-link"
cmp -s "$prefix/share/namori/data/漢字辞書.txt" "$user_data/漢字辞書.txt" ||
    fail "a deleted file was not copied again"
cmp -s "$work/名字.expected" "$user_data/名字.txt" || fail "third run overwrote 名字.txt"
pass "a deleted file is copied again, also when started through a symbolic link"

run_judge "$prefix/bin/namori-judge"
[ "$(count_files "$home/.local/share/namori")" -eq ${#user_files[@]} ] ||
    fail "without XDG_DATA_HOME the files are not in \$HOME/.local/share/namori"
pass "without XDG_DATA_HOME the folder is \$HOME/.local/share/namori"

for run in "namori-judge --version" "namori --version" "namori --help"; do
    env -u DISPLAY "$prefix/bin/${run% *}" "${run#* }" >"$work/out" 2>&1 && grep -q "namori" "$work/out" ||
        fail "$run without a display: $(cat "$work/out")"
done
pass "--version of both programs and namori --help work without a display"

no_display=(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$prefix/bin/namori")
status=0
"${no_display[@]}" >"$work/out" 2>&1 || status=$?
[ "$status" -eq 1 ] && grep -q "デスクトップ" "$work/out" && grep -q "namori-judge" "$work/out" ||
    fail "namori without a display: status $status, $(cat "$work/out")"
pass "namori without a display ends with status 1 and points to namori-judge"

echo "all install checks passed"

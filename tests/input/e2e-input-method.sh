#!/usr/bin/env bash
# Types a name into Namori through a real Japanese input method, as a user on a Japanese desktop
# does, and checks what reaches the list files and what a screen reader then reads of the result.
#
# Namori runs under its own Xvfb with ibus and the mozc engine, in a D-Bus session of its own, as
# an unprivileged user (mozc refuses to run as root) with a fresh home folder (mozc learns, and a
# candidate it has seen once moves up its list). With xdotool the test
#   clicks the surname box and waits until "a" and Return leave あ in it (ibus and mozc are
#   ready), then sets the surname list file back to its starting bytes;
#   types "shiratori", converts (Space), commits (Return), and adds the
#   name to the list (Return, which moves on to the given-name box);
#   types "annna", converts (Space), picks the fourth candidate (Space, Down, Down), commits and
#   adds it (Return, Return); Return again moves to 占う (the name is listed now), and Return
#   judges; then it types "shiratori" and Space in the surname box again and clicks 占う, which
#   must judge and leave 白鳥 in the box once.
# The list files must then hold exactly the old entry and the new one in code page 932 with CR LF,
# and the result rows, read through the accessibility bus as a screen reader reads them, must
# be those of 白鳥 杏奈 as namori-judge gives them on the same data files.
#
# Usage: e2e-input-method.sh BUILD_DIR   (a configured and built build folder of Namori)
# Needs the Debian packages ibus, ibus-mozc, dbus-x11, at-spi2-core, gir1.2-atspi-2.0,
# python3-gi, xvfb and xdotool (installed with apt-get when missing and run as root); run as
# root, it runs the session as the user nobody.
# Exits 0 when everything works, 77 when the packages are missing and cannot be installed (a skip
# for CTest), 1 on any other failure.
set -uo pipefail
export LC_ALL=C.UTF-8

user=nobody
wait_seconds=30
# Debian's Python, which has the GObject bindings (python3-gi), whatever else PATH offers.
python=/usr/bin/python3

# shellcheck source=../support/script-helpers.sh
. "$(dirname "$0")/../support/script-helpers.sh"

# Waits until the command given succeeds, for at most $1 tries 0.2 s apart.
retry() {
    local tries=$1
    shift
    for _ in $(seq "$tries"); do
        "$@" >/dev/null 2>&1 && return 0
        sleep 0.2
    done
    return 1
}

# ---------------------------------------------------------------------------------------------
# The session: run as the unprivileged user inside its own D-Bus session, from the outer part.

mozc_selected() {
    ibus engine mozc-jp >/dev/null 2>&1
    [ "$(ibus engine 2>/dev/null)" = mozc-jp ]
}

# Ends the mozc server of this session: it outlives ibus, and is told apart from any other by
# the home folder in its environment.
stop_mozc() {
    local pid
    for pid in $(pgrep -u "$(id -u)" -x mozc_server); do
        tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qx "HOME=$HOME" && kill "$pid"
    done
}

keys() { # xdotool key names, each pressed and released, with a pause for the input method
    local key
    for key in "$@"; do
        xdotool key "$key" || return 1
        sleep 0.4
    done
}

namori_pid=
ibus_pid=
input_method_ready() {
    local typed
    # ibus may give a new window its default engine (xkb:us::eng) instead of the one selected.
    retry 50 mozc_selected || return 1
    keys ctrl+a BackSpace a Return || return 1
    typed=$("$python" "$1/screen-reader.py" text "$namori_pid" 名字の入力欄 \
        2>>"$1/log/atspi.out")
    say "$(date +%T) after a and Return the surname box reads \"$typed\"" \
        "(engine $(ibus engine 2>&1))"
    [ "$typed" = あ ]
}

run_session() {
    local work=$1 log=$1/log window
    export HOME=$work/home XDG_CONFIG_HOME=$work/home/.config XDG_RUNTIME_DIR=$work/runtime
    export GSETTINGS_BACKEND=memory NO_AT_BRIDGE=1
    export QT_IM_MODULE=ibus GTK_IM_MODULE=ibus XMODIFIERS=@im=ibus
    export QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
    trap 'kill $namori_pid $ibus_pid 2>/dev/null; stop_mozc' EXIT

    # ibus-daemon stays a child of this shell: it ends when the shell that started it ends.
    ibus-daemon --xim --replace >"$log/ibus.out" 2>&1 &
    ibus_pid=$!
    retry 100 mozc_selected || { say "ibus did not select mozc-jp: $(ibus engine 2>&1)"; return 1; }
    say "$(date +%T) ibus uses mozc-jp"

    cd "$work/data" || return 1
    "$work/namori" >"$log/namori.out" 2>&1 &
    namori_pid=$!
    window=$(timeout "$wait_seconds" xdotool search --sync --onlyvisible --pid "$namori_pid" \
        2>/dev/null | head -n 1)
    [ -n "$window" ] || { say "no window of Namori appeared"; return 1; }
    say "$(date +%T) the window is shown"
    sleep 1
    # The surname box; it starts with the first saved surname, which is cleared first.
    xdotool mousemove --window "$window" 62 144 click 1 || return 1
    sleep 0.3
    # Until ibus has connected to the window with mozc as its engine and mozc has started, keys
    # pass through as they are: "a" and Return must leave あ in the box, as a screen reader
    # reads it, before the test types.
    local tries=0
    until input_method_ready "$work"; do
        tries=$((tries + 1))
        [ "$tries" -lt 20 ] ||
            { say "the input method did not convert in the surname box"; return 1; }
        sleep 1
    done
    # A Return that found no input method added "a" to the list: the file is set back (the
    # window reads it afresh at its next change).
    cp "$work/start/名字.txt" "$work/data/名字.txt" || return 1
    keys ctrl+a BackSpace || return 1
    xdotool type --delay 120 shiratori || return 1
    keys space Return Return || return 1
    # The focus is in the given-name box now. "anna" would give あんあ.
    keys ctrl+a BackSpace || return 1
    xdotool type --delay 120 annna || return 1
    keys space space Down Down Return Return Return Return || return 1
    sleep 1
    # A conversion still open when 占う is clicked: judged, and left in the box, once.
    xdotool mousemove --window "$window" 62 144 click 1 || return 1
    sleep 0.3
    keys ctrl+a BackSpace || return 1
    xdotool type --delay 120 shiratori || return 1
    keys space || return 1
    xdotool mousemove --window "$window" 373 38 click 1 || return 1
    sleep 1
    "$python" "$work/screen-reader.py" text "$namori_pid" 名字の入力欄 >"$log/clicked.txt" \
        2>>"$log/atspi.out"

    # What a screen reader reads of the window once the result is shown: every accessible name.
    "$python" "$work/screen-reader.py" names "$namori_pid" 総運 >"$log/spoken.txt" \
        2>>"$log/atspi.out" || return 1
    kill "$namori_pid" 2>/dev/null
    wait "$namori_pid" 2>/dev/null
    return 0
}

if [ "${1:-}" = --session ]; then
    run_session "$2"
    exit
fi

# ---------------------------------------------------------------------------------------------
# The outer part: packages, the user, the data files, the X server, and the checks.

if [ $# -ne 1 ] || [ ! -f "$1/CMakeCache.txt" ]; then
    say "usage: $0 BUILD_DIR (a configured and built build folder of Namori)" >&2
    exit 2
fi
build=$(cd "$1" && pwd)
program="$build/src/namori"
judge="$build/src/namori-judge"
for built in "$program" "$judge"; do
    [ -x "$built" ] || fail "the program is not built: $built"
done
source_dir=$(sed -n 's/^namori_SOURCE_DIR:STATIC=//p' "$build/CMakeCache.txt")
[ -d "$source_dir/assets/data" ] || fail "cannot find the data files under $source_dir/assets/data"
script=$(cd "$(dirname "$0")" && pwd)/$(basename "$0")

tools_missing() {
    local tool
    for tool in ibus ibus-daemon dbus-run-session Xvfb xdotool; do
        command -v "$tool" >/dev/null || printf '%s ' "$tool"
    done
    [ -x /usr/lib/mozc/mozc_server ] || printf 'mozc_server '
    [ -x /usr/libexec/at-spi-bus-launcher ] || printf 'at-spi-bus-launcher '
    "$python" -c 'import gi; gi.require_version("Atspi", "2.0")' 2>/dev/null ||
        printf 'the Atspi bindings of %s ' "$python"
}
packages=(ibus ibus-mozc dbus-x11 at-spi2-core gir1.2-atspi-2.0 python3-gi xvfb xdotool)
if [ -n "$(tools_missing)" ] && [ "$(id -u)" -eq 0 ] && command -v apt-get >/dev/null; then
    say "installing missing packages: $(tools_missing)"
    export DEBIAN_FRONTEND=noninteractive
    apt-get install -y -q --no-install-recommends "${packages[@]}" >/dev/null 2>&1 ||
        { apt-get update -q >/dev/null 2>&1 &&
              apt-get install -y -q --no-install-recommends "${packages[@]}" >/dev/null 2>&1; }
fi
missing=$(tools_missing)
[ -z "$missing" ] || skip "no Japanese input method or accessibility bus (missing: ${missing% });" \
                         "install ${packages[*]}"

work=$(mktemp -d /tmp/namori-e2e-ime.XXXXXX) || fail "cannot make a temporary folder"
xvfb_pid=
cleanup() {
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 1' INT TERM HUP
chmod 755 "$work"
mkdir -p "$work/data" "$work/home/.config/mozc" "$work/runtime" "$work/log"
chmod 700 "$work/runtime"
cp "$program" "$work/namori"
# The session runs this script as the unprivileged user, who may not read the source tree (a
# clone in root's home): it runs a copy, with the helpers it sources beside it as in the tree.
mkdir -p "$work/tests/input" "$work/tests/support"
cp "$script" "$work/tests/input/"
cp "$(dirname "$script")/../support/script-helpers.sh" "$work/tests/support/"
chmod -R a+rX "$work/tests"
script=$work/tests/input/${script##*/}
cp "$source_dir"/assets/data/* "$work/data/"
# One entry each to start with, so that the boxes start filled and the lists grow by one.
mkdir -p "$work/start"
printf '\x8d\xb2\x93\xa1\r\n' >"$work/start/名字.txt"  # 佐藤
printf '\x89\xd4\x8e\x71\r\n' >"$work/start/名前.txt"  # 花子
cp "$work"/start/*.txt "$work/data/"
# Reads the window through the accessibility bus, as a screen reader does:
#   names PID WORD   every accessible name, one a line, once a name starts with WORD and a blank
#   text PID NAME    the text of the control of that accessible name
cat >"$work/screen-reader.py" <<'PYTHON'
import sys, time
import gi
gi.require_version("Atspi", "2.0")
from gi.repository import Atspi

command, pid, key = sys.argv[1], int(sys.argv[2]), sys.argv[3]

def walk(node, depth=0):
    if node is None or depth > 30:
        return
    yield node
    for index in range(node.get_child_count()):
        yield from walk(node.get_child_at_index(index), depth + 1)

def application():
    desktop = Atspi.get_desktop(0)
    for index in range(desktop.get_child_count()):
        app = desktop.get_child_at_index(index)
        if app is not None and app.get_process_id() == pid:
            return app
    return None

deadline = time.time() + 20
while True:
    app = application()
    nodes = list(walk(app)) if app is not None else []
    if command == "names":
        names = [node.get_name() for node in nodes]
        if any(name.startswith(key + " ") for name in names) or time.time() > deadline:
            print("\n".join(name for name in names if name))
            break
    else:
        found = [node for node in nodes if node.get_name() == key]
        if found or time.time() > deadline:
            if found:
                count = Atspi.Text.get_character_count(found[0])
                print(Atspi.Text.get_text(found[0], 0, count))
            break
    time.sleep(0.5)
if app is None:
    sys.exit("the program did not appear on the accessibility bus")
PYTHON
# mozc's stock engine, switched on at start (it starts in direct input otherwise).
cat >"$work/home/.config/mozc/ibus_config.textproto" <<'EOF'
engines {
  name : "mozc-jp"
  longname : "Mozc"
  layout : "default"
  layout_variant : ""
  layout_option : ""
  rank : 80
}
active_on_launch: True
EOF

start_xvfb "$work/log/display" "$work/log/xvfb.out"
show_log() {
    [ -s "$1" ] && { say "--- ${1##*/}:" >&2; tail -n "${2:-15}" "$1" | sed 's/^/    /' >&2; }
    return 0
}
session=(dbus-run-session -- bash "$script" --session "$work")
if [ "$(id -u)" -eq 0 ]; then
    chown -R "$user" "$work/data" "$work/home" "$work/runtime" "$work/log"
    session=(runuser -u "$user" -- env "DISPLAY=$DISPLAY" PATH=/usr/bin:/bin "${session[@]}")
fi
started=$SECONDS
if ! timeout 120 "${session[@]}" >"$work/log/session.out" 2>&1; then
    grep -v 'dbus-daemon\|dconf' "$work/log/session.out" >"$work/log/session.txt"
    for log in session.txt ibus.out namori.out atspi.out; do show_log "$work/log/$log"; done
    fail "the input method session failed"
fi
session_seconds=$((SECONDS - started))

# ---------------------------------------------------------------------------------------------
# The checks

hex() { od -An -v -tx1 "$1" | tr -s ' \n' ' ' | sed 's/^ //; s/ $//'; }
problems=()
expected="8d b2 93 a1 0d 0a 94 92 92 b9 0d 0a"  # 佐藤 CR LF 白鳥 CR LF
[ "$(hex "$work/data/名字.txt")" = "$expected" ] ||
    problems+=("名字.txt holds $(hex "$work/data/名字.txt"), expected $expected (佐藤, 白鳥)")
expected="89 d4 8e 71 0d 0a 88 c7 93 de 0d 0a"  # 花子 CR LF 杏奈 CR LF
[ "$(hex "$work/data/名前.txt")" = "$expected" ] ||
    problems+=("名前.txt holds $(hex "$work/data/名前.txt"), expected $expected (花子, 杏奈)")

clicked=$(cat "$work/log/clicked.txt")
[ "$clicked" = 白鳥 ] ||
    problems+=("after shiratori, Space and a click on 占う the surname box reads \"$clicked\"")

# The rows as namori-judge gives them, in the words a screen reader reads them.
"$judge" --data "$work/data" --json 白鳥 杏奈 >"$work/judge.json" ||
    fail "namori-judge could not judge 白鳥 杏奈"
"$python" - "$work/judge.json" >"$work/expected.txt" <<'PYTHON' || fail "cannot read the judgement"
import json, sys
result = json.load(open(sys.argv[1], encoding="utf-8"))
for row in result["luck"]:
    print(f'{row["name"]} {row["value"]} {row["phrase"]} {row["mark"]}')
print(f'祖-主-初 {result["elementDigits"]}')
print(f'五行 {result["elementTriple"]} {result["elementVerdict"]}')
print(f'陰陽 {result["yinYangPattern"]}')
PYTHON
[ "$(wc -l <"$work/expected.txt")" -eq 8 ] || fail "namori-judge's rows: $(cat "$work/expected.txt")"
while IFS= read -r row; do
    grep -qxF "$row" "$work/log/spoken.txt" || problems+=("a screen reader does not read \"$row\"")
done <"$work/expected.txt"
grep -qxF "名字リスト" "$work/log/spoken.txt" || problems+=("a screen reader finds no 名字リスト")

if [ ${#problems[@]} -gt 0 ]; then
    for problem in "${problems[@]}"; do say "FAILED: $problem" >&2; done
    say "--- read by the screen reader:" >&2
    sed 's/^/    /' "$work/log/spoken.txt" >&2
    for log in session.out namori.out; do show_log "$work/log/$log"; done
    exit 1
fi
say "PASSED in ${session_seconds} s: 白鳥 and 杏奈 typed through ibus and mozc reached 名字.txt and" \
    "名前.txt in code page 932 with CR LF, and a screen reader reads the judgement:"
sed 's/^/    /' "$work/expected.txt"

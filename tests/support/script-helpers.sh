# Shared by the end-to-end test scripts, which source it: their messages (a step that passed, a
# failure: exit 1, a skip: exit 77, which CTest reports as skipped) and a private X server.
say() { printf '%s\n' "$*"; }
pass() { say "   ok: $*"; }
fail() {
    say "FAILED: $*" >&2
    exit 1
}
skip() {
    say "SKIPPED: $*"
    exit 77
}

# Starts Xvfb on a free display, logging to $2, and sets DISPLAY and xvfb_pid; the display's number
# goes through the file $1. Fails the test when the server does not come up.
start_xvfb() {
    exec 3>"$1"
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset >"$2" 2>&1 &
    xvfb_pid=$!
    exec 3>&-
    for _ in $(seq 100); do
        [ -s "$1" ] && break
        kill -0 "$xvfb_pid" 2>/dev/null || break
        sleep 0.1
    done
    [ -s "$1" ] || { sed 's/^/    /' "$2" >&2; fail "Xvfb did not start"; }
    DISPLAY=":$(head -n 1 "$1")"
    export DISPLAY
}

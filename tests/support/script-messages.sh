# Messages of the end-to-end test scripts, sourced by them: a step that passed, a failure (exit 1)
# and a skip (exit 77, which CTest reports as skipped).
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

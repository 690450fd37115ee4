#!/usr/bin/env bash
# Prints Namori's window end to end through a real print spooler and checks the page that comes out.
#
# A private CUPS scheduler (its own configuration, spool, cache, state and log folders, listening
# only on a Unix socket inside a temporary folder) gets one queue, a cups-pdf printer made the
# default, whose PDF files land in a temporary folder. Namori runs under its own Xvfb with
# CUPS_SERVER pointing at that socket; the test clicks 印刷, confirms the question with Return
# and waits for the one PDF file. That file must hold one page whose printed part has the window's
# aspect ratio, spans most of the page's width, sits in its middle and looks like a screenshot
# of the window taken just before printing. Two wrong pictures (a blank page and the window mirrored) are measured the
# same way and must fail, which shows that the comparison can tell a right page from a wrong one.
# Then the queue refuses jobs (cupsreject), and the next 印刷 must end in the offer of a PDF file.
#
# cups-pdf reads its settings from a fixed file under /etc/cups. The scheduler therefore runs in a
# mount namespace of its own in which a private folder is bound over /etc/cups, so the machine's
# folder is neither read nor changed. Where no mount namespace can be made, a uniquely named
# queue settings file is put into /etc/cups for the run and removed on exit.
#
# Usage: e2e-print.sh BUILD_DIR   (a configured and built build folder of Namori)
# Needs root (the cups-pdf backend only runs as root) and the Debian packages cups, cups-client,
# printer-driver-cups-pdf (the spooler; installed with apt-get when missing), xvfb, xdotool,
# imagemagick and poppler-utils.
# Exits 0 when the page is right, 77 when the spooler cannot be had or started (a skip for
# CTest), 1 on any other failure.
set -uo pipefail
export LC_ALL=C.UTF-8

queue=NamoriPDF
# The picture comparison works on both images scaled to this size: the window's 627 × 448
# pixels shrink about 6.5 times, which keeps its layout of panels, lists and buttons but blurs
# away single-pixel differences such as text anti-aliasing, a button's hover shade and the
# printer's image compression.
compare_size=96x69
# Largest mean per-channel difference (0..1) between the printed window and the screenshot.
# Measured here: a faithful print 0.014 (the same on every run), a blank page 0.16, the window
# mirrored 0.13. 0.06 leaves four times the first for other fonts or renderers and is under half
# of the nearest wrong picture.
max_difference=0.06
# The printed part's width ÷ height may differ from the window's by this fraction: the window
# spans several hundred pixels of the rendered page, so its edges are found within a pixel or two.
aspect_tolerance=0.02
# A window scaled to fit the page fills its printable width; this is the least share of the
# page's width it must span.
min_width_share=0.8
# Largest difference in pixels between opposite margins of the rendered page.
max_centring_error=4
wait_seconds=60

# shellcheck source=../support/script-helpers.sh
. "$(dirname "$0")/../support/script-helpers.sh"

if [ $# -ne 1 ] || [ ! -f "$1/CMakeCache.txt" ]; then
    say "usage: $0 BUILD_DIR (a configured and built build folder of Namori)" >&2
    exit 2
fi
build=$(cd "$1" && pwd)
program="$build/src/namori"
[ -x "$program" ] || fail "the program is not built: $program"
source_dir=$(sed -n 's/^namori_SOURCE_DIR:STATIC=//p' "$build/CMakeCache.txt")
[ -d "$source_dir/assets/data" ] || fail "cannot find the data files under $source_dir/assets/data"

# ---------------------------------------------------------------------------------------------
# Tools

cups_pdf_backend=/usr/lib/cups/backend/cups-pdf
# Prints what the spooler lacks, nothing when it is complete.
spooler_missing() {
    local tool
    for tool in cupsd lpadmin lpstat lpinfo cupsreject; do
        command -v "$tool" >/dev/null || printf '%s ' "$tool"
    done
    [ -f "$cups_pdf_backend" ] || printf '%s ' "$cups_pdf_backend"
    for tool in pstops pdftops; do
        [ -x "/usr/lib/cups/filter/$tool" ] || printf '%s ' "the $tool filter"
    done
}
tools_missing() {
    local tool
    for tool in Xvfb xdotool import convert identify pdfinfo pdftoppm; do
        command -v "$tool" >/dev/null || printf '%s ' "$tool"
    done
}
[ "$(id -u)" -eq 0 ] || skip "needs root: the cups-pdf backend runs only as root"
if [ -n "$(spooler_missing)$(tools_missing)" ] && command -v apt-get >/dev/null; then
    # Only packages that are not installed at all: installed ones are left as they are.
    packages=()
    for package in cups cups-client printer-driver-cups-pdf xvfb xdotool imagemagick poppler-utils; do
        dpkg-query -W -f '${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
            packages+=("$package")
    done
    if [ ${#packages[@]} -gt 0 ]; then
        # Debian's maintainer scripts start services only where policy-rc.d allows it; either
        # way the test's own scheduler is separate from the machine's.
        say "installing missing packages: ${packages[*]}"
        export DEBIAN_FRONTEND=noninteractive
        apt-get install -y --no-install-recommends "${packages[@]}" >/dev/null 2>&1 ||
            { apt-get update >/dev/null 2>&1 &&
                  apt-get install -y --no-install-recommends "${packages[@]}" >/dev/null 2>&1; }
    fi
fi
missing=$(spooler_missing)
[ -z "$missing" ] || skip "no CUPS scheduler with the cups-pdf driver (missing: ${missing% });" \
                         "install cups, cups-client and printer-driver-cups-pdf"
missing=$(tools_missing)
[ -z "$missing" ] || fail "missing tools: ${missing% } (packages xvfb, xdotool, imagemagick," \
                          "poppler-utils)"
# Prefer ImageMagick's own programs over anything else of the same name earlier in PATH.
im() {
    local tool=$1
    shift
    if [ -x "/usr/bin/$tool" ]; then "/usr/bin/$tool" "$@"; else "$tool" "$@"; fi
}

# ---------------------------------------------------------------------------------------------
# Temporary folders and clean-up

# Under /tmp rather than TMPDIR: the scheduler's socket path must stay under 108 bytes.
work=$(mktemp -d /tmp/namori-e2e-print.XXXXXX) || fail "cannot make a temporary folder"
# The scheduler runs filters as user lp, which must reach the spool and settings below.
chmod 755 "$work"
etc="$work/etc"            # the scheduler's ServerRoot; bound over /etc/cups in its namespace
spool="$work/spool"        # RequestRoot, with TempDir inside
out="$work/out"            # where cups-pdf writes the printed PDF files
socket="$work/run/cups.sock"
mkdir -p "$etc/ppd" "$etc/ssl" "$spool/tmp" "$work/cache" "$work/state" "$work/log" \
         "$work/run" "$out" "$work/pdf-spool" "$work/data" "$work/home" "$work/runtime" \
         "$work/tmp" "$work/pictures"
chmod 700 "$work/runtime"
chmod 1777 "$work/pdf-spool"

cupsd_pid=
xvfb_pid=
namori_pid=
fallback_conf=
# Ends one process started here: politely first, then for good after five seconds.
stop_process() {
    local pid=$1
    [ -n "$pid" ] || return 0
    kill -TERM "$pid" 2>/dev/null || return 0
    for _ in $(seq 50); do
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
    kill -KILL "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
    return 0
}
cleanup() {
    stop_process "$namori_pid"
    stop_process "$xvfb_pid"
    stop_process "$cupsd_pid"
    [ -n "$fallback_conf" ] && rm -f "$fallback_conf"
    rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 1' INT TERM HUP

show_log() { # file, lines: the end of a log, indented, for a failure report
    [ -s "$1" ] || return 0
    say "--- last lines of ${1#"$work"/}:" >&2
    tail -n "${2:-20}" "$1" | sed 's/^/    /' >&2
}

# ---------------------------------------------------------------------------------------------
# The private spooler

cat >"$etc/cups-files.conf" <<EOF
ServerRoot $etc
RequestRoot $spool
TempDir $spool/tmp
CacheDir $work/cache
StateDir $work/state
AccessLog $work/log/access_log
ErrorLog $work/log/error_log
PageLog $work/log/page_log
Printcap $work/state/printcap
SystemGroup root
User lp
Group lp
FileDevice No
EOF
cat >"$etc/cupsd.conf" <<EOF
LogLevel info
MaxLogSize 0
Listen $socket
Browsing No
BrowseLocalProtocols none
WebInterface No
DefaultAuthType None
# A failed job ends at once instead of being retried or stopping the queue.
ErrorPolicy abort-job
PreserveJobHistory Yes
<Location />
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
EOF
# The queue's device URI names its cups-pdf settings file: cups-pdf:/NAME reads
# cups-pdf-NAME.conf in /etc/cups.
device_name="namori-e2e-$$"
cat >"$etc/cups-pdf-$device_name.conf" <<EOF
Out $out
Spool $work/pdf-spool
GSTmp $work/tmp
Log $work/log
LogType 3
Grp root
AnonDirName $out
UserUMask 0022
EOF

# Starts the scheduler with a private folder bound over /etc/cups in a mount namespace of its
# own. unshare and sh exec, so the process started is the scheduler itself.
start_in_namespace() {
    # shellcheck disable=SC2016  # $1 is expanded by the inner sh
    unshare --mount --propagation private -- sh -c \
        'mount --bind "$1" /etc/cups && exec cupsd -f -c "$1/cupsd.conf" -s "$1/cups-files.conf"' \
        sh "$etc" >"$work/log/cupsd.out" 2>&1 &
    cupsd_pid=$!
}
start_with_fallback_conf() {
    [ -d /etc/cups ] && [ -w /etc/cups ] || return 1
    fallback_conf="/etc/cups/cups-pdf-$device_name.conf"
    cp "$etc/cups-pdf-$device_name.conf" "$fallback_conf" || return 1
    cupsd -f -c "$etc/cupsd.conf" -s "$etc/cups-files.conf" >"$work/log/cupsd.out" 2>&1 &
    cupsd_pid=$!
}
scheduler_running() {
    kill -0 "$cupsd_pid" 2>/dev/null && lpstat -h "$socket" -r 2>/dev/null | grep -q 'is running'
}
wait_for_scheduler() {
    for _ in $(seq 100); do
        scheduler_running && return 0
        kill -0 "$cupsd_pid" 2>/dev/null || return 1
        sleep 0.1
    done
    return 1
}

cupsd -t -c "$etc/cupsd.conf" -s "$etc/cups-files.conf" >"$work/log/cupsd-test.out" 2>&1 ||
    { show_log "$work/log/cupsd-test.out"; skip "cupsd fails to check the private configuration"; }
# NAMORI_E2E_NO_NAMESPACE=1 tries the settings file in /etc/cups instead of the namespace.
if [ "${NAMORI_E2E_NO_NAMESPACE:-}" != 1 ] &&
   unshare --mount --propagation private -- mount --bind "$etc" /etc/cups 2>/dev/null; then
    start_in_namespace
    how="in a mount namespace"
else
    start_with_fallback_conf || skip "can neither make a mount namespace nor write to /etc/cups"
    how="with a temporary settings file in /etc/cups"
fi
if ! wait_for_scheduler; then
    show_log "$work/log/cupsd.out"
    show_log "$work/log/error_log"
    kill -0 "$cupsd_pid" 2>/dev/null || skip "the private cupsd ($how) ended at start"
    skip "the private cupsd ($how) did not answer within 10 s"
fi

# The client side: this script's lpadmin and lpstat and the program's libcups talk only to the
# private scheduler and read no settings of the machine's or the user's.
export CUPS_SERVER="$socket"
export CUPS_SERVERROOT="$etc"
unset LPDEST PRINTER

model=$(lpinfo -m 2>/dev/null | awk '{print $1}' | grep -i 'cups-pdf.*_opt\.ppd$' | head -n 1)
[ -n "$model" ] || model=$(lpinfo -m 2>/dev/null | awk '{print $1}' | grep -i 'cups-pdf' | head -n 1)
[ -n "$model" ] || { show_log "$work/log/error_log"; skip "the private cupsd lists no cups-pdf driver"; }
if ! lpadmin -p "$queue" -E -v "cups-pdf:/$device_name" -m "$model" >"$work/log/lpadmin.out" 2>&1 ||
   ! lpadmin -d "$queue" >>"$work/log/lpadmin.out" 2>&1; then
    show_log "$work/log/lpadmin.out"
    show_log "$work/log/error_log"
    skip "cannot add the cups-pdf queue to the private cupsd"
fi
[ "$(lpstat -d 2>/dev/null)" = "system default destination: $queue" ] ||
    fail "the private cupsd does not report $queue as its default printer: $(lpstat -d 2>&1)"
say "spooler: private cupsd ($how) on $socket, default printer $queue ($model)"

# ---------------------------------------------------------------------------------------------
# The program under its own X server

# -displayfd picks a free display and writes its number once the server accepts clients.
start_xvfb "$work/display" "$work/log/xvfb.out"
export DISPLAY

cp "$source_dir"/assets/data/* "$work/data/"
(cd "$work/data" && HOME="$work/home" XDG_RUNTIME_DIR="$work/runtime" TMPDIR="$work/tmp" \
    QT_QPA_PLATFORM=xcb exec "$program") >"$work/log/namori.out" 2>&1 &
namori_pid=$!

window=$(timeout 30 xdotool search --sync --onlyvisible --name '^ナモリ$' 2>/dev/null | head -n 1)
[ -n "$window" ] || { show_log "$work/log/namori.out"; fail "no window named ナモリ appeared in 30 s"; }
eval "$(xdotool getwindowgeometry --shell "$window")"
window_width=$WIDTH
window_height=$HEIGHT
# Let the window finish painting before it is photographed.
sleep 1

# Without a window manager the window has no frame, so its origin is the client area's.
xdotool mousemove --window "$window" 428 38 || fail "cannot move the pointer onto 印刷"
sleep 0.5
im import -window "$window" "$work/pictures/screen.png" || fail "cannot take a screenshot of the window"
xdotool click 1 || fail "cannot click 印刷"

question=$(timeout 15 xdotool search --sync --onlyvisible --name '^印刷確認$' 2>/dev/null | head -n 1)
[ -n "$question" ] || { show_log "$work/log/namori.out"; fail "pressing 印刷 showed no question in 15 s"; }
sleep 0.3
timeout 10 xdotool windowfocus --sync "$question" || fail "cannot give the question the keyboard"
xdotool key Return || fail "cannot press Return"
question_open() {
    xdotool search --onlyvisible --name '^印刷確認$' 2>/dev/null | grep -qx "$question"
}
for _ in $(seq 50); do
    question_open || break
    sleep 0.1
done
question_open && fail "the question did not close on Return"

# ---------------------------------------------------------------------------------------------
# The job

pdf_count() { find "$out" -type f -name '*.pdf' | wc -l; }
pending_jobs() { lpstat -o "$queue" 2>/dev/null | wc -l; }
finished_jobs() { lpstat -W completed -o "$queue" 2>/dev/null | wc -l; }
started=$SECONDS
while :; do
    if [ "$(pdf_count)" -ge 1 ] && [ "$(pending_jobs)" -eq 0 ]; then
        break
    fi
    if ! kill -0 "$cupsd_pid" 2>/dev/null; then
        show_log "$work/log/error_log"
        fail "the private cupsd ended during the job"
    fi
    # The question has closed, so a box of the same title now is the offer of a PDF file.
    if xdotool search --onlyvisible --name '^印刷確認$' >/dev/null 2>&1; then
        show_log "$work/log/error_log"
        fail "the program could not print and offers a PDF file instead"
    fi
    if [ "$(finished_jobs)" -ge 1 ] && [ "$(pending_jobs)" -eq 0 ] && [ "$(pdf_count)" -eq 0 ]; then
        show_log "$work/log/error_log" 40
        for log in "$work"/log/cups-pdf*_log; do show_log "$log"; done
        fail "the print job ended without a PDF file"
    fi
    if [ $((SECONDS - started)) -ge "$wait_seconds" ]; then
        lpstat -l -o "$queue" >&2 2>&1
        show_log "$work/log/error_log" 40
        show_log "$work/log/namori.out"
        fail "no finished PDF within $wait_seconds s (jobs waiting: $(pending_jobs))"
    fi
    sleep 0.2
done
job_seconds=$((SECONDS - started))
jobs_done=$(finished_jobs)
[ "$jobs_done" -eq 1 ] || fail "expected one print job, the spooler finished $jobs_done"
[ "$(pdf_count)" -eq 1 ] || fail "expected one PDF file, found: $(find "$out" -type f | tr '\n' ' ')"
pdf=$(find "$out" -type f -name '*.pdf')
kill -0 "$namori_pid" 2>/dev/null || fail "the program ended while printing"

# ---------------------------------------------------------------------------------------------
# The page

pages=$(pdfinfo "$pdf" 2>/dev/null | sed -n 's/^Pages: *//p')
[ "$pages" = 1 ] || fail "the PDF should have one page, pdfinfo says: ${pages:-no PDF}"
page_size=$(pdfinfo "$pdf" 2>/dev/null | sed -n 's/^Page size: *//p')
pdftoppm -r 100 -png -singlefile "$pdf" "$work/pictures/page" ||
    fail "pdftoppm cannot render the PDF"
page_png="$work/pictures/page.png"
read -r page_width page_height < <(im identify -format '%w %h\n' "$page_png")

# The printed part: everything that is not the white paper. The window's own edge is light grey,
# so the box found is the whole window picture.
box=$(im convert "$page_png" -alpha off -bordercolor white -border 1 -fuzz 2% -format '%@' info:)
[[ $box =~ ^([0-9]+)x([0-9]+)\+([0-9]+)\+([0-9]+)$ ]] || fail "the page is blank"
printed_width=${BASH_REMATCH[1]}
printed_height=${BASH_REMATCH[2]}
printed_x=$((BASH_REMATCH[3] - 1))
printed_y=$((BASH_REMATCH[4] - 1))
if [ "$printed_width" -lt 10 ] || [ "$printed_height" -lt 10 ]; then fail "the page is blank"; fi

ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.4f", a / b }'; }
window_aspect=$(ratio "$window_width" "$window_height")
printed_aspect=$(ratio "$printed_width" "$printed_height")
aspect_error=$(awk -v p="$printed_aspect" -v w="$window_aspect" \
    'BEGIN { d = p / w - 1; if (d < 0) d = -d; printf "%.4f", d }')
width_share=$(ratio "$printed_width" "$page_width")
left_margin=$printed_x
right_margin=$((page_width - printed_x - printed_width))
top_margin=$printed_y
bottom_margin=$((page_height - printed_y - printed_height))

# Mean per-channel difference (0..1) of two pictures scaled to the comparison size.
difference() {
    im convert \( "$1" -alpha off -resize "$compare_size!" \) \
        \( "$2" -alpha off -resize "$compare_size!" \) \
        -compose difference -composite -format '%[fx:mean]' info:
}
im convert "$page_png" -crop "${printed_width}x${printed_height}+${printed_x}+${printed_y}" +repage \
    "$work/pictures/printed.png" || fail "cannot cut the printed part out of the page"
screen="$work/pictures/screen.png"
printed_difference=$(difference "$work/pictures/printed.png" "$screen")
# Wrong pages the comparison must reject: blank paper, and the window printed mirrored.
im convert -size "${window_width}x${window_height}" xc:white "$work/pictures/blank.png"
im convert "$work/pictures/printed.png" -flop "$work/pictures/mirrored.png"
blank_difference=$(difference "$work/pictures/blank.png" "$screen")
mirrored_difference=$(difference "$work/pictures/mirrored.png" "$screen")

below() { awk -v a="$1" -v b="$2" 'BEGIN { exit !(a < b) }'; }
problems=()
problem() { problems+=("$*"); }
below "$aspect_error" "$aspect_tolerance" ||
    problem "the printed part is ${printed_width}×${printed_height} px (aspect $printed_aspect)," \
            "the window ${window_width}×${window_height} (aspect $window_aspect)"
below "$min_width_share" "$width_share" ||
    problem "the printed part spans only $width_share of the page's width"
# The cups-pdf driver's printable area is the whole sheet, so a picture centred in the printable
# area has equal margins on the paper, within a pixel or two of rounding.
centring_error() { awk -v a="$1" -v b="$2" 'BEGIN { d = a - b; if (d < 0) d = -d; print d }'; }
[ "$(centring_error "$left_margin" "$right_margin")" -le "$max_centring_error" ] ||
    problem "the printed part is not centred across: margins $left_margin and $right_margin px"
[ "$(centring_error "$top_margin" "$bottom_margin")" -le "$max_centring_error" ] ||
    problem "the printed part is not centred down: margins $top_margin and $bottom_margin px"
below "$printed_difference" "$max_difference" ||
    problem "the printed part differs from the window's screenshot by $printed_difference" \
            "(at most $max_difference)"
below "$max_difference" "$blank_difference" ||
    problem "the comparison cannot tell a blank page from the window ($blank_difference)"
below "$max_difference" "$mirrored_difference" ||
    problem "the comparison cannot tell a mirrored window from the window ($mirrored_difference)"
# NAMORI_E2E_KEEP=FOLDER keeps the PDF file and the pictures for a look.
if [ -n "${NAMORI_E2E_KEEP:-}" ]; then
    mkdir -p "$NAMORI_E2E_KEEP" && cp "$pdf" "$work"/pictures/*.png "$NAMORI_E2E_KEEP/"
fi
if [ ${#problems[@]} -gt 0 ]; then
    for problem in "${problems[@]}"; do say "FAILED: $problem" >&2; done
    exit 1
fi

# A queue that refuses jobs: the program must say so and offer a PDF file, not count it printed.
cupsreject "$queue" && xdotool click 1 || fail "cannot print to a queue that refuses jobs"
question=$(timeout 15 xdotool search --sync --onlyvisible --name '^印刷確認$' 2>/dev/null | head -n 1)
sleep 0.3
timeout 10 xdotool windowfocus --sync "$question" key Return || fail "cannot answer the question"
sleep 3
xdotool search --onlyvisible --name '^印刷確認$' 2>/dev/null | grep -qvx "$question" ||
    { show_log "$work/log/error_log"; fail "a refused job was taken as printed"; }

say "PASSED: one job through $queue in ${job_seconds} s; ${pdf##*/}: 1 page, $page_size;" \
    "rendered ${page_width}×${page_height} px at 100 dpi; printed part ${printed_width}×${printed_height} px" \
    "at +${printed_x}+${printed_y} (margins $left_margin/$right_margin across," \
    "$top_margin/$bottom_margin down), aspect" \
    "$printed_aspect vs window ${window_width}×${window_height} $window_aspect (off by $aspect_error)," \
    "$width_share of the page width; mean difference from the screenshot at $compare_size" \
    "$printed_difference (limit $max_difference; blank page $blank_difference, mirrored" \
    "$mirrored_difference)"

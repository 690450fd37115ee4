#!/usr/bin/env bash
# Judges a name of every shape (surname and given name of one to three characters) in two builds
# of the window program, at 100 %, 150 % and 200 %, and compares the main windows pixel by pixel.
# Prints the differing pixels (ImageMagick's AE) per scale and shape; fails when any differs.
# usage: tools/compare-window-shots.sh OLD_PROGRAM NEW_PROGRAM [OUT_FOLDER]
# Needs Xvfb, xdotool and ImageMagick; the screenshots stay in OUT_FOLDER (default a temp folder).
set -euo pipefail
export LC_ALL=C.UTF-8

old=$(realpath "$1")
new=$(realpath "$2")
out=${3:-$(mktemp -d)}
mkdir -p "$out"
source_folder=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d)
display=":$((300 + $$ % 400))"
Xvfb "$display" -screen 0 1600x1200x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null; rm -rf "$work"' EXIT
export DISPLAY=$display HOME=$work XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/share
unset QT_QPA_PLATFORM
sleep 1

surnames=(林 白鳥 佐々木)
given_names=(翔 杏奈 由美子)

# Starts program on data with the scale factor, clicks 占う (the first button, 373,38 at 100 %)
# and saves the window as png.
shoot() {
    local program=$1 data=$2 scale=$3 png=$4 pid window=""
    QT_SCALE_FACTOR=$scale "$program" --data "$data" >/dev/null 2>&1 &
    pid=$!
    for _ in $(seq 80); do
        window=$(xdotool search --onlyvisible --pid "$pid" --name '^ナモリ$' 2>/dev/null | head -1) &&
            [ -n "$window" ] && break
        sleep 0.25
    done
    [ -n "$window" ] || { echo "no window from $program" >&2; kill "$pid"; return 1; }
    sleep 0.8
    xdotool mousemove --window "$window" "$(awk "BEGIN { print int(373 * $scale) }")" \
        "$(awk "BEGIN { print int(38 * $scale) }")" click 1
    # Away from the buttons, so that none is drawn hovered.
    sleep 0.5
    xdotool mousemove --window "$window" 1 1
    sleep 0.8
    import -window "$window" "$png"
    kill "$pid"
    wait "$pid" 2>/dev/null || true
}

status=0
printf '%-6s %-12s %s\n' scale shape AE
for scale in 1 1.5 2; do
    for surname in "${surnames[@]}"; do
        for given_name in "${given_names[@]}"; do
            data=$work/data-${#surname}-${#given_name}
            rm -rf "$data"
            cp -r "$source_folder/assets/data" "$data"
            printf '%s\r\n' "$surname" | iconv -f UTF-8 -t CP932 >"$data/名字.txt"
            printf '%s\r\n' "$given_name" | iconv -f UTF-8 -t CP932 >"$data/名前.txt"
            shape="${#surname}-${#given_name}"
            shoot "$old" "$data" "$scale" "$out/old-$scale-$shape.png"
            shoot "$new" "$data" "$scale" "$out/new-$scale-$shape.png"
            differing=$(compare -metric AE "$out/old-$scale-$shape.png" "$out/new-$scale-$shape.png" \
                "$out/diff-$scale-$shape.png" 2>&1 || true)
            printf '%-6s %-12s %s\n' "$scale" "$surname/$given_name" "$differing"
            [ "$differing" = 0 ] || status=1
        done
    done
done
echo "screenshots in $out"
exit $status

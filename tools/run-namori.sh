#!/usr/bin/env bash
# Starts Namori in the user's data folder ($XDG_DATA_HOME/namori), first copying in the bundled
# data files that the folder lacks. Files already there, the user's own, are never overwritten.
set -euo pipefail

source_folder=$(cd "$(dirname "$0")/.." && pwd)
build=${NAMORI_BUILD:-$source_folder/build/release}
data=${XDG_DATA_HOME:-$HOME/.local/share}/namori

mkdir -p "$data"
for file in "$source_folder"/assets/data/*; do
    name=$(basename "$file")
    # The program finds its files without regard to case: 名字.TXT is 名字.txt.
    if [ -z "$(find "$data" -maxdepth 1 -iname "$name" -print -quit)" ]; then
        cp "$file" "$data/$name"
        echo "copied $name to $data"
    fi
done

cd "$data"
if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    cat <<MESSAGE
Namori is a desktop program and there is no display here (neither DISPLAY nor WAYLAND_DISPLAY
is set). Start it from a desktop session with
    $0
or, on a machine without a screen, in a virtual one:
    sudo apt-get install xvfb && xvfb-run -a $0
Meanwhile, the command-line judge on the same data ($data):

MESSAGE
    exec "$build/src/namori-judge" 白鳥 杏奈
fi
exec "$build/src/namori"

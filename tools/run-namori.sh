#!/usr/bin/env bash
# Starts the window program of the release build. Namori works on the data files of the user's
# data folder ($XDG_DATA_HOME/namori, by default ~/.local/share/namori), which it fills with the
# bundled data files it lacks when it starts; files already there, the user's own, are never
# overwritten.
set -euo pipefail

source_folder=$(cd "$(dirname "$0")/.." && pwd)
build=${NAMORI_BUILD:-$source_folder/build/release}
# From the home folder, as a user starts it: a current folder that holds data files would be
# taken instead of the user's data folder.
cd "$HOME"

if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    cat <<MESSAGE
Namori is a desktop program and there is no display here (neither DISPLAY nor WAYLAND_DISPLAY
is set). Start it from a desktop session with
    $0
or, on a machine without a screen, in a virtual one:
    sudo apt-get install xvfb && xvfb-run -a $0
Meanwhile, the command-line judge on the same data files:

MESSAGE
    exec "$build/src/namori-judge" 白鳥 杏奈
fi
exec "$build/src/namori"

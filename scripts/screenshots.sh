#!/usr/bin/env bash
# Saves a screenshot of each shipped skin: its main window with sample times, a cassette docked
# at its docking point and a memory card beside them, drawn on the private X display.
#
# Usage: scripts/screenshots.sh [OUT_FOLDER]   (default: resources/screenshots, which the README
#                                              shows)
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
out=${1:-$root/resources/screenshots}
"$root/scripts/deps.sh" --only xvfb openbox x11-utils
export CCACHE_BASEDIR=$root CCACHE_NOHASHDIR=1
cmake -S "$root" -B "$root/build" -G Ninja
cmake --build "$root/build" -j2 --target quavrel-skin-check quavrel_program_folder

# shellcheck source=scripts/xvfb.sh
source "$root/scripts/xvfb.sh"
trap quavrel_xvfb_stop EXIT
quavrel_xvfb_start

mkdir -p "$out"
for skin in sky default; do
    QT_QPA_PLATFORM=xcb "$root/build/tools/quavrel-skin-check" \
        "$root/build/tools/Skins/$skin" --screenshot "$out/$skin.png"
    echo "screenshots.sh: $out/$skin.png"
done

#!/usr/bin/env bash
# Builds Quavrel and starts it, with the songs given: media files FFmpeg reads, .cue disc images
# or CD drives. Runs on an X11 desktop, or a Wayland one through XWayland.
#
# Usage: scripts/run.sh [-lang CODE] [SONG...]
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
"$root/scripts/deps.sh"
# Clones in different folders share one compiler cache: paths below the root count as relative.
export CCACHE_BASEDIR=$root CCACHE_NOHASHDIR=1
# The tests' packages may be missing here (scripts/test.sh turns the tests back on).
cmake -S "$root" -B "$root/build" -G Ninja -DQUAVREL_BUILD_TESTS=OFF -DQUAVREL_BUILD_BENCH=OFF
cmake --build "$root/build" -j2 --target quavrel
exec "$root/build/tools/quavrel" "$@"

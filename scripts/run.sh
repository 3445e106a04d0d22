#!/usr/bin/env bash
# Builds Quavrel and plays a song: any media file FFmpeg reads, an audio CD drive or a .cue disc
# image, or a 3-second 440 Hz tone when none is given.
#
# Usage: scripts/run.sh [SONG] [quavrel-song play options such as --from MS --to MS --loop]
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
"$root/scripts/deps.sh"
# Clones in different folders share one compiler cache: paths below the root count as relative.
export CCACHE_BASEDIR=$root CCACHE_NOHASHDIR=1
# The tests' packages may be missing here (scripts/test.sh turns the tests back on).
cmake -S "$root" -B "$root/build" -G Ninja -DQUAVREL_BUILD_TESTS=OFF -DQUAVREL_BUILD_BENCH=OFF
cmake --build "$root/build" -j2 --target quavrel-song

if (($# == 0)) || [[ $1 == --* ]]; then
    folder=$(mktemp -d "${TMPDIR:-/tmp}/quavrel-run.XXXXXX")
    trap 'rm -rf "$folder"' EXIT
    sox -n -r 44100 -c 2 -b 16 "$folder/tone.wav" synth 3 sine 440 vol 0.5
    set -- "$folder/tone.wav" "$@"
fi
"$root/build/tools/quavrel-song" play "$@"

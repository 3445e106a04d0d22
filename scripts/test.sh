#!/usr/bin/env bash
# Builds Quavrel and runs the whole test suite against a private sound server; tests labelled
# x11 run on a private X display with a window manager, the others offscreen.
#
# Usage: scripts/test.sh [--sanitize]
#   --sanitize   build in build-asan/ with AddressSanitizer and UndefinedBehaviorSanitizer
#                (without the sound server's tests)
# QUAVREL_WERROR=1 in the environment turns compiler warnings into errors.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$root/build
options=()
with_sound_server=true
case ${1:-} in
"") ;;
--sanitize)
    build=$root/build-asan
    # Benchmarks measure speed, which the sanitizers change: they are built in the normal tree.
    options+=(-DQUAVREL_SANITIZE=ON -DQUAVREL_BUILD_BENCH=OFF)
    # Real-time streams slowed down by the sanitizers starve and get gaps that are no fault of
    # ours; the sound server's tests run in the normal build only.
    with_sound_server=false
    # The statistics of suppressions used would mix with what the tools under test print.
    export LSAN_OPTIONS="suppressions=$root/scripts/lsan-suppressions.txt:print_suppressions=0${LSAN_OPTIONS:+:$LSAN_OPTIONS}"
    ;;
*)
    echo "usage: $0 [--sanitize]" >&2
    exit 2
    ;;
esac
if [[ ${QUAVREL_WERROR:-0} == 1 ]]; then
    options+=(-DQUAVREL_WERROR=ON)
fi

"$root/scripts/deps.sh" --test
# Clones in different folders share one compiler cache: paths below the root count as relative.
export CCACHE_BASEDIR=$root CCACHE_NOHASHDIR=1
# CI measures nothing, so it builds no benchmarks.
if [[ ${CI:-} == true ]]; then
    options+=(-DQUAVREL_BUILD_BENCH=OFF)
fi
cmake -S "$root" -B "$build" -G Ninja -DQUAVREL_BUILD_TESTS=ON "${options[@]}"
cmake --build "$build" -j2

# shellcheck source=scripts/pulse.sh
source "$root/scripts/pulse.sh"
# shellcheck source=scripts/xvfb.sh
source "$root/scripts/xvfb.sh"
trap 'quavrel_xvfb_stop; quavrel_pulse_stop' EXIT
trap 'exit 130' INT TERM
quavrel_xvfb_start
if [[ $with_sound_server == true ]]; then
    quavrel_pulse_start
    export QUAVREL_PULSE_TESTS=1 SDL_AUDIODRIVER=pulseaudio
fi
# Each test says where it runs (offscreen, or on the X display) and which server it must have to
# itself; the others run side by side.
cd "$build"
status=0
ctest --output-on-failure --parallel "$(nproc)" --label-exclude pulse || status=$?
if [[ $with_sound_server == true ]]; then
    # A real-time stream on a shared machine can underrun once and lose a few samples, which the
    # bit-exact loopback tests see; a second run tells such a glitch from a fault, which fails
    # both times.
    ctest --output-on-failure --label-regex pulse --repeat until-pass:2 || status=$?
fi
exit "$status"

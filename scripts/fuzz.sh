#!/usr/bin/env bash
# Builds the libFuzzer targets (clang 14, AddressSanitizer and UndefinedBehaviorSanitizer, in
# build-fuzz/) and fuzzes the readers of files that others write.
#
# Usage: scripts/fuzz.sh TARGET SECONDS [OPTION...]
#                                         fuzzes TARGET for SECONDS seconds, with libFuzzer's
#                                         options added (-detect_leaks=0 speeds up the skin targets
#                                         tenfold; a later run over build-fuzz/corpus/TARGET with
#                                         -runs=0 looks for the leaks)
#        scripts/fuzz.sh --all SECONDS    runs every target over its seed corpus once (CTest),
#                                         then fuzzes each for SECONDS seconds
#        scripts/fuzz.sh --list           names the targets
#
# A target starts from its seed corpus, tests/fuzz/corpus/TARGET/, and keeps the inputs it finds
# in build-fuzz/corpus/TARGET/. An input that crashes, hangs or leaks is written to
# build-fuzz/crashes/TARGET/ and the run fails; once the fault is fixed, the input joins the
# seed corpus. The run keeps to one core at a lower priority, so the machine stays usable.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$root/build-fuzz
targets=()
for source in "$root"/tests/fuzz/*_fuzz.cpp; do
    name=${source##*/}
    targets+=("${name%_fuzz.cpp}")
done

usage() {
    echo "usage: $0 TARGET SECONDS [OPTION...] | --all SECONDS | --list   (targets: ${targets[*]})" >&2
    exit 2
}

build_targets() {
    "$root/scripts/deps.sh" --fuzz
    export CCACHE_BASEDIR=$root CCACHE_NOHASHDIR=1
    cmake -S "$root" -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++-14 -DQUAVREL_FUZZ=ON \
        -DQUAVREL_BUILD_TESTS=OFF -DQUAVREL_BUILD_BENCH=OFF >/dev/null
    cmake --build "$build" -j2 --target "${@/#/fuzz_}"
}

# The environment of every run: no display, and the leaks of system libraries left out.
export QT_QPA_PLATFORM=offscreen
export LSAN_OPTIONS="suppressions=$root/tests/fuzz/lsan-suppressions.txt:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1${UBSAN_OPTIONS:+:$UBSAN_OPTIONS}"

fuzz() {
    local target=$1 seconds=$2
    shift 2
    local found=$build/corpus/$target crashes=$build/crashes/$target
    mkdir -p "$found" "$crashes"
    echo "fuzz.sh: $target for $seconds s" >&2
    nice -n 10 "$build/tests/fuzz/fuzz_$target" -max_total_time="$seconds" -timeout=10 \
        -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$crashes/" "$@" \
        "$found" "$root/tests/fuzz/corpus/$target"
}

case ${1:-} in
--list)
    printf '%s\n' "${targets[@]}"
    ;;
--all)
    [[ $# == 2 ]] || usage
    build_targets "${targets[@]}"
    ctest --test-dir "$build" --output-on-failure
    for target in "${targets[@]}"; do
        fuzz "$target" "$2"
    done
    ;;
"" | -*)
    usage
    ;;
*)
    [[ $# -ge 2 && " ${targets[*]} " == *" $1 "* ]] || usage
    build_targets "$1"
    fuzz "$@"
    ;;
esac

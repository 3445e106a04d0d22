#!/usr/bin/env bash
# A private X display: Xvfb with openbox as window manager, for tests that need real windows
# (shapes, stacking, system moves, key state). Nothing of the user's session is touched: the
# window manager gets its own configuration, cache and 0700 runtime folders.
#
# Sourced:  source scripts/xvfb.sh; quavrel_xvfb_start; ...; quavrel_xvfb_stop
# Called:   eval "$(scripts/xvfb.sh start)"; ...; scripts/xvfb.sh stop
#
# Start exports DISPLAY, QUAVREL_XVFB_DISPLAY (the same, kept for callers that clear DISPLAY),
# QUAVREL_XVFB_DIR and XDG_RUNTIME_DIR. The screen is 1280x1024 at 24 bits.

quavrel_xvfb_start() {
    local dir
    dir=$(mktemp -d "${TMPDIR:-/tmp}/quavrel-xvfb.XXXXXX") || return 1
    export QUAVREL_XVFB_DIR=$dir
    mkdir -m 700 "$dir/xdg" "$dir/config" "$dir/cache" "$dir/data"
    quavrel_xvfb_previous_xdg=${XDG_RUNTIME_DIR-}
    quavrel_xvfb_previous_display=${DISPLAY-}

    # -displayfd picks a free display number and writes it once the server accepts clients.
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$dir/display" \
        >"$dir/xvfb.log" 2>&1 &
    echo $! >"$dir/xvfb.pid"
    local tries
    for ((tries = 0; tries < 100; ++tries)); do
        [[ -s $dir/display ]] && break
        sleep 0.1
    done
    if [[ ! -s $dir/display ]]; then
        echo "xvfb.sh: Xvfb did not start; its log:" >&2
        cat "$dir/xvfb.log" >&2
        return 1
    fi
    export DISPLAY=:$(tr -d '[:space:]' <"$dir/display")
    export QUAVREL_XVFB_DISPLAY=$DISPLAY XDG_RUNTIME_DIR=$dir/xdg

    HOME=$dir XDG_CONFIG_HOME=$dir/config XDG_CACHE_HOME=$dir/cache XDG_DATA_HOME=$dir/data \
        openbox --sm-disable >"$dir/openbox.log" 2>&1 &
    echo $! >"$dir/openbox.pid"
    # The window manager is ready once it has announced itself on the root window.
    for ((tries = 0; tries < 100; ++tries)); do
        xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && return 0
        sleep 0.1
    done
    echo "xvfb.sh: openbox did not start; its log:" >&2
    cat "$dir/openbox.log" >&2
    return 1
}

quavrel_xvfb_stop() {
    local dir=${QUAVREL_XVFB_DIR:-}
    [[ -n $dir && -d $dir ]] || return 0
    local name pid tries
    for name in openbox xvfb; do
        [[ -f $dir/$name.pid ]] || continue
        pid=$(cat "$dir/$name.pid")
        kill "$pid" 2>/dev/null || true
        # Not necessarily our child (the called form), so wait by polling.
        for ((tries = 0; tries < 50; ++tries)); do
            kill -0 "$pid" 2>/dev/null || break
            sleep 0.1
        done
        kill -KILL "$pid" 2>/dev/null || true
    done
    rm -rf "$dir"
    unset QUAVREL_XVFB_DIR QUAVREL_XVFB_DISPLAY
    if [[ -n ${quavrel_xvfb_previous_display-} ]]; then
        export DISPLAY=$quavrel_xvfb_previous_display
    else
        unset DISPLAY
    fi
    if [[ -n ${quavrel_xvfb_previous_xdg-} ]]; then
        export XDG_RUNTIME_DIR=$quavrel_xvfb_previous_xdg
    else
        unset XDG_RUNTIME_DIR
    fi
}

if [[ ${BASH_SOURCE[0]} == "$0" ]]; then
    set -euo pipefail
    case ${1:-} in
    start)
        quavrel_xvfb_start >&2
        # The servers outlive this script; stop finds them through QUAVREL_XVFB_DIR.
        for name in QUAVREL_XVFB_DIR QUAVREL_XVFB_DISPLAY DISPLAY XDG_RUNTIME_DIR; do
            printf 'export %s=%q\n' "$name" "${!name}"
        done
        ;;
    stop)
        quavrel_xvfb_stop
        ;;
    *)
        echo "usage: $0 start|stop   (start prints the variables to eval)" >&2
        exit 2
        ;;
    esac
fi

#!/usr/bin/env bash
# A private PulseAudio with a null sink, so that tests never reach real speakers and need no
# systemd, D-Bus or logged-in session. Works as root and as a normal user.
#
# Sourced:  source scripts/pulse.sh; quavrel_pulse_start; ...; quavrel_pulse_stop
# Called:   eval "$(scripts/pulse.sh start)"; ...; scripts/pulse.sh stop
#
# What is played on the default sink `nullsink` comes back from the default source `loopin`.

quavrel_pulse_start() {
    local dir
    dir=$(mktemp -d "${TMPDIR:-/tmp}/quavrel-pulse.XXXXXX") || return 1
    export QUAVREL_PULSE_DIR=$dir
    export PULSE_RUNTIME_PATH=$dir/run PULSE_STATE_PATH=$dir/state PULSE_COOKIE=$dir/state/cookie
    quavrel_pulse_previous_xdg=${XDG_RUNTIME_DIR-}
    export XDG_RUNTIME_DIR=$dir/xdg
    mkdir -m 700 "$PULSE_RUNTIME_PATH" "$PULSE_STATE_PATH" "$XDG_RUNTIME_DIR"

    # As root the server warns that it is meant for --system, then runs normally: -n and the
    # explicit modules leave it nothing root-specific to do.
    # --disable-shm=yes: with shared memory some capture streams never deliver data.
    if ! pulseaudio -D -n --exit-idle-time=-1 --disable-shm=yes \
        --log-target="file:$dir/pulse.log" \
        -L "module-native-protocol-unix auth-anonymous=1 auth-cookie-enabled=0" \
        -L "module-null-sink sink_name=nullsink rate=44100 channels=2" \
        -L "module-remap-source master=nullsink.monitor source_name=loopin"; then
        echo "pulse.sh: PulseAudio did not start; its log:" >&2
        cat "$dir/pulse.log" >&2
        return 1
    fi
    pactl set-default-sink nullsink && pactl set-default-source loopin || return 1

    # A reader on the monitor keeps the null sink running; without it the first stream of each
    # test waits about two seconds for the sink to wake up.
    parec --latency-msec=10 -d nullsink.monitor >/dev/null 2>&1 &
    echo $! >"$dir/keepalive.pid"
    pactl suspend-sink nullsink 1 && pactl suspend-sink nullsink 0
}

quavrel_pulse_stop() {
    local dir=${QUAVREL_PULSE_DIR:-}
    [[ -n $dir && -d $dir ]] || return 0
    if [[ -f $dir/keepalive.pid ]]; then
        kill "$(cat "$dir/keepalive.pid")" 2>/dev/null || true
    fi
    local tries
    for ((tries = 0; tries < 50; ++tries)); do
        PULSE_RUNTIME_PATH=$dir/run PULSE_STATE_PATH=$dir/state pulseaudio --kill 2>/dev/null ||
            break
        sleep 0.1
    done
    rm -rf "$dir"
    unset QUAVREL_PULSE_DIR PULSE_RUNTIME_PATH PULSE_STATE_PATH PULSE_COOKIE
    if [[ -n ${quavrel_pulse_previous_xdg-} ]]; then
        export XDG_RUNTIME_DIR=$quavrel_pulse_previous_xdg
    else
        unset XDG_RUNTIME_DIR
    fi
}

if [[ ${BASH_SOURCE[0]} == "$0" ]]; then
    set -euo pipefail
    case ${1:-} in
    start)
        quavrel_pulse_start >&2
        for name in QUAVREL_PULSE_DIR PULSE_RUNTIME_PATH PULSE_STATE_PATH PULSE_COOKIE \
            XDG_RUNTIME_DIR; do
            printf 'export %s=%q\n' "$name" "${!name}"
        done
        ;;
    stop)
        quavrel_pulse_stop
        ;;
    *)
        echo "usage: $0 start|stop   (start prints the variables to eval)" >&2
        exit 2
        ;;
    esac
fi

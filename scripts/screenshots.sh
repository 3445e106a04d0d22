#!/usr/bin/env bash
# Saves screenshots of each shipped skin on the private X display:
# - SKIN.png: its main window with sample times, a cassette docked at its docking point and a
#   memory card beside them, as quavrel-skin-check draws them;
# - SKIN-practice.png: the same with a memory card docked whose section plays slowed down and
#   transposed, the practice buttons in sight;
# - modes/SKIN-MODE.png: the real program with a song open, driven by its keys through the X
#   server, in each mode of the main window: "song" (the song alone), "card" (a memory card
#   docked), "cassette" (a cassette recorded while R was held, docked) and "stretched" (that
#   cassette after Enter made its slowed-down copy).
#
# Usage: scripts/screenshots.sh [OUT_FOLDER]   (default: resources/screenshots, whose SKIN.png
#                                              the README shows)
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
out=${1:-$root/resources/screenshots}
"$root/scripts/deps.sh" --only xvfb openbox x11-utils xdotool imagemagick sox
export CCACHE_BASEDIR=$root CCACHE_NOHASHDIR=1
cmake -S "$root" -B "$root/build" -G Ninja
cmake --build "$root/build" -j2 --target quavrel quavrel-skin-check quavrel_program_folder

# shellcheck source=scripts/xvfb.sh
source "$root/scripts/xvfb.sh"
work=$(mktemp -d "${TMPDIR:-/tmp}/quavrel-screenshots.XXXXXX")
program=
finish() {
    if [[ -n $program ]]; then
        kill "$program" 2>/dev/null || true
        wait "$program" 2>/dev/null || true
    fi
    quavrel_xvfb_stop
    rm -rf "$work"
}
trap finish EXIT
quavrel_xvfb_start

mkdir -p "$out/modes"
for skin in sky default; do
    QT_QPA_PLATFORM=xcb "$root/build/tools/quavrel-skin-check" \
        "$root/build/tools/Skins/$skin" --screenshot "$out/$skin.png" \
        --practice-screenshot "$out/$skin-practice.png"
    echo "screenshots.sh: $out/$skin.png $out/$skin-practice.png"
done

# A tone long enough for every mode; the program plays it on SDL's disk driver into nothing.
song=$work/song.wav
sox -n -r 44100 -c 2 -b 16 "$song" synth 60 sine 440 vol 0.2

# Holds an xdotool key for the given milliseconds (the program polls held keys every 64 ms).
hold() {
    xdotool keydown "$1"
    sleep "$(printf '%d.%03d' $(($2 / 1000)) $(($2 % 1000)))"
    xdotool keyup "$1"
}

# The first visible window of the program whose name matches; a window that vanishes while
# xdotool looks at it (the splash) makes it fail, so it is asked again.
find_window() {
    local tries found
    for ((tries = 0; tries < 240; ++tries)); do
        found=$(xdotool search --onlyvisible --pid "$program" --name "$1" 2>/dev/null | head -1) ||
            true
        if [[ -n $found ]]; then
            echo "$found"
            return 0
        fi
        sleep 0.25
    done
    echo "screenshots.sh: no window \"$1\" appeared; the program's output:" >&2
    cat "$home/program.log" >&2
    return 1
}

# The program's visible windows (main window, cassettes, cards) as one picture of the screen
# around them, the desktop's black between them.
shoot() {
    local ids id left=100000 top=100000 right=0 bottom=0 X Y WIDTH HEIGHT
    # shellcheck disable=SC2034 # set by getwindowgeometry --shell, not read
    local SCREEN WINDOW
    ids=$(xdotool search --all --onlyvisible --pid "$program" --name '' 2>/dev/null) || true
    for id in $ids; do
        WIDTH=0 HEIGHT=0
        eval "$(xdotool getwindowgeometry --shell "$id" 2>/dev/null)" || true
        ((WIDTH > 1 && HEIGHT > 1)) || continue
        ((X < left)) && left=$X
        ((Y < top)) && top=$Y
        ((X + WIDTH > right)) && right=$((X + WIDTH))
        ((Y + HEIGHT > bottom)) && bottom=$((Y + HEIGHT))
    done
    left=$((left > 12 ? left - 12 : 0))
    top=$((top > 12 ? top - 12 : 0))
    import -window root "$work/screen.png"
    convert "$work/screen.png" -crop "$((right + 12 - left))x$((bottom + 12 - top))+$left+$top" \
        +repage "$1"
    echo "screenshots.sh: $1"
}

for skin in sky default; do
    # A user who chose the data folder before and uses this skin: no first-run questions.
    home=$work/$skin
    mkdir -p "$home/home/Documents" "$home/config/quavrel" "$home/data"
    mkdir -m 700 "$home/runtime"
    printf '[%s]\nFirstTimeFlg=0\nUserProfiles=%s\n' "$home/home/Documents" "$home/data" \
        >"$home/config/quavrel/quavrel.ini"
    printf '[Skin]\nFileName=%s\n' "$skin" >"$home/data/quavrel.ini"
    cp "$root/build/tools/quavrel_key.ini" "$home/data/"
    HOME=$home/home XDG_CONFIG_HOME=$home/config XDG_DOCUMENTS_DIR=$home/home/Documents \
        XDG_RUNTIME_DIR=$home/runtime QT_QPA_PLATFORM=xcb SDL_AUDIODRIVER=disk \
        SDL_DISKAUDIOFILE=/dev/null "$root/build/tools/quavrel" "$song" \
        >"$home/program.log" 2>&1 &
    program=$!
    main=$(find_window "^Quavrel 4.00$")
    # The window manager may not know the window yet when it is first mapped.
    for ((tries = 0; tries < 20; ++tries)); do
        xdotool windowactivate --sync "$main" 2>/dev/null && break
        sleep 0.25
    done
    # The pointer out of the way, so that no button shows its highlight.
    xdotool mousemove 1279 1023
    sleep 1
    shoot "$out/modes/$skin-song.png"
    # A repeat section marked while the song plays docks a memory card.
    hold Home 200
    sleep 1
    hold End 200
    sleep 1
    shoot "$out/modes/$skin-card.png"
    hold r 1500
    sleep 1.5
    shoot "$out/modes/$skin-cassette.png"
    hold Return 200
    sleep 1
    for ((tries = 0; tries < 120; ++tries)); do
        xdotool search --onlyvisible --pid "$program" --name '^Now Processing' \
            >/dev/null 2>&1 || break
        sleep 0.5
    done
    sleep 0.5
    shoot "$out/modes/$skin-stretched.png"
    kill "$program"
    wait "$program" || true
    program=
done

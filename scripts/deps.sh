#!/usr/bin/env bash
# Installs the Debian 12 packages Quavrel needs, when any is missing: as root directly, otherwise
# through sudo.
#
# Usage: scripts/deps.sh            what building and running need
#        scripts/deps.sh --test     that, and what the test suite adds
#        scripts/deps.sh --only PACKAGE...   just these (benchmarks bring their references so)
#
# Building and running never install a sound or display server: on a desktop that runs
# PipeWire, installing the PulseAudio daemon could take the sound away from the user's session.
# Only the tests bring their private servers.
set -euo pipefail

# Building and running: compilers, libraries, and the fonts the skins name.
run_packages=(
    build-essential cmake ninja-build pkg-config ccache
    qt6-base-dev libsdl2-dev libx11-dev libxcb1-dev libfontconfig-dev
    libavformat-dev libavcodec-dev libswresample-dev libavutil-dev libcdio-dev
    librubberband-dev libjpeg62-turbo-dev liblnk-dev
    libbfio-dev # liblnk.h includes libbfio.h, which liblnk-dev does not bring
    fonts-liberation fonts-ipafont-gothic
    qt6-translations-l10n # Qt's own buttons and dialogs in the interface language
    sox
    librsvg2-bin # rsvg-convert renders the icon's sizes
)
# Testing adds the test framework, the private sound server and X display, and the tools that
# make test media and drive windows.
test_packages=(
    libgtest-dev googletest
    pulseaudio pulseaudio-utils ffmpeg lame flac
    xvfb openbox xdotool x11-utils x11-xkb-utils x11-xserver-utils imagemagick
    clang-format libxtst-dev
    desktop-file-utils appstream # the installed desktop entry's and metadata's validators
)

case ${1:-} in
"") packages=("${run_packages[@]}") ;;
--test) packages=("${run_packages[@]}" "${test_packages[@]}") ;;
--only)
    shift
    packages=("$@")
    ;;
*)
    echo "usage: $0 [--test | --only PACKAGE...]" >&2
    exit 2
    ;;
esac

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done
if ((${#missing[@]} == 0)); then
    exit 0
fi

echo "deps.sh: installing ${missing[*]}" >&2
as_root=()
if ((EUID != 0)); then
    as_root=(sudo)
fi
"${as_root[@]}" apt-get update
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive \
    apt-get install -y --no-install-recommends "${missing[@]}"

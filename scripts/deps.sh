#!/usr/bin/env bash
# Installs the Debian 12 packages Quavrel needs to build, test and run, when any is missing:
# as root directly, otherwise through sudo.
set -euo pipefail

# Everything the project needs from Debian, in one place.
packages=(
    build-essential cmake ninja-build pkg-config
    qt6-base-dev libsdl2-dev libx11-dev libxcb1-dev libfontconfig-dev
    libavformat-dev libavcodec-dev libswresample-dev libavutil-dev libcdio-dev
    librubberband-dev
    libgtest-dev googletest libbenchmark-dev
    pulseaudio pulseaudio-utils sox ffmpeg lame flac
    xvfb openbox xdotool x11-utils x11-xkb-utils imagemagick fonts-liberation fonts-ipafont-gothic
    clang-format ccache
)

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

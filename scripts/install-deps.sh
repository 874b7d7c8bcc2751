#!/bin/bash
# Installs what building and testing need on Debian 12 (as root). Quick when
# everything is there already. Wine comes in both widths, wine32 from the i386
# architecture beside wine64, so that the i686 build runs too.
set -euo pipefail
source "$(dirname "$0")/x86-support.sh"

packages=(
    cmake make
    g++-mingw-w64-x86-64 g++-mingw-w64-i686 mingw-w64-tools binutils-mingw-w64
    wine64 wine32:i386
    googletest
    clang libclang-rt-14-dev
    pkg-config libedit-dev tmux
    spin
    xvfb imagemagick
    gnuplot-nox
    wixl msitools
)

missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
done

if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    dpkg --print-foreign-architectures | grep -qx i386 || dpkg --add-architecture i386
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

x86_runs || x86_unavailable_line

#!/bin/bash
# Installs what building and testing need on Debian 12 (as root). Quick when
# everything is there already. Never installs wine32: 32-bit code cannot run
# on these machines, and its presence breaks the 64-bit loader.
set -euo pipefail

packages=(
    cmake make
    g++-mingw-w64-x86-64 g++-mingw-w64-i686 mingw-w64-tools binutils-mingw-w64
    wine64
    googletest
    clang libclang-rt-14-dev
    pkg-config libedit-dev tmux
    xvfb imagemagick
    wixl msitools
)

missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
done

if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

#!/bin/bash
# The demo: builds the program, registers the reference jukebox in a private
# Wine prefix, runs the program in debug mode under Wine, drives it from
# outside and prints what the jukebox received and what the program logged.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh

cmake --preset windows-x64 >/dev/null
cmake --build --preset windows-x64 -j "$(nproc)" --target vantrel_demo >/dev/null

bin=build/windows-x64/bin
source scripts/wine-prefix.sh build/demo-wineprefix
trap wine_stop EXIT
wine_stop
wine_run "$bin/RefJukebox.exe" /RegServer
wine_run "$bin/vantrel_demo.exe"

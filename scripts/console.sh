#!/bin/bash
# The interactive remote: the demo's set-up (VantrelRemote.exe -debug, the
# reference jukebox, our module library, a simulated remote plugged in) driven
# from the terminal. Type help for the keys; quit or Ctrl-D ends it.
#   scripts/console.sh [--x86 | --x64]   (the width: see scripts/width.sh)
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
source scripts/width.sh "$@"
echo "== The $width build"

cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset" -j "$(nproc)" --target VantrelConsole >/dev/null
cmake --preset native >/dev/null
cmake --build --preset native -j "$(nproc)" --target vantrel-console >/dev/null

bin=$(realpath build/$preset/bin)
out=$(realpath -m build/console)
mkdir -p "$out"
source scripts/wine-prefix.sh build/console-wineprefix
trap wine_stop EXIT
wine_stop
wine_run "$bin/RefJukebox.exe" /RegServer
build/native/tools/console/vantrel-console "$WINELOADER" "$bin/VantrelConsole.exe" "Z:${out//\//\\}"

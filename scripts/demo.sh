#!/bin/bash
# The demo: builds the program, registers the reference jukebox in a private
# Wine prefix and plays a scripted session with a simulated remote against
# VantrelRemote.exe -debug, its window drawn on a virtual X display (Xvfb).
# It tells what each side did, saves the event log and a PNG of the window.
#   scripts/demo.sh [--x86 | --x64]   (the width: see scripts/width.sh)
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
source scripts/width.sh "$@"
echo "== The $width build"

cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset" -j "$(nproc)" --target vantrel_demo >/dev/null

bin=build/$preset/bin
out=build/demo
rm -rf "$out" && mkdir -p "$out"
out=$(realpath "$out")

source scripts/x-display.sh
start_x_display
source scripts/wine-prefix.sh build/demo-wineprefix
trap 'wine_stop; stop_x_display' EXIT
wine_stop
wine_show_windows
wine_run "$bin/RefJukebox.exe" /RegServer

# The demo says where its window is once the event log is full; the picture is
# taken from the X display, as drawn by the program.
png="$out/VantrelRemote-debug.png"
(
    for _ in $(seq 1200); do
        [ -f "$out/screenshot-request.txt" ] && break
        sleep 0.1
    done
    if read -r x y w h < "$out/screenshot-request.txt" 2>/dev/null; then
        import -display "$DISPLAY" -window root -crop "${w}x${h}+${x}+${y}" +repage "$png" || true
    fi
    touch "$out/screenshot-done.txt"
) &
photographer=$!

started=$(date +%s%N)
status=0
wine_run "$bin/vantrel_demo.exe" "Z:${out//\//\\}" --screenshot || status=$?
wait $photographer
finished=$(date +%s%N)

echo
if [ -f "$png" ]; then
    echo "Screenshot of the debug dialog: $png ($(identify -format '%wx%h' "$png"), $(stat -c %s "$png") bytes)"
else
    echo "No screenshot was taken."
fi
echo "Saved event log: $out/VantrelRemote.log"
elapsed=$(( (finished - started) / 100000000 ))
echo "The session took $((elapsed / 10)).$((elapsed % 10)) s (the build and set-up before it not counted)."

exit $status

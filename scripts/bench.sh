#!/bin/bash
# The benchmarks: builds them and runs each under Wine in a private prefix with
# the reference jukebox registered, once per width. One report: the machine,
# then for each width each benchmark's figures against a baseline of the same
# width measured in the same run; every goal line carries the width in its
# name (goal x64.<name>, goal x86.<name>). Where 32-bit code cannot run, the
# x86 part is one line that says so.
#   VANTREL_BENCH_STREAM=<n> shortens the memory figures' stream (100000).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
source scripts/x86-support.sh

source scripts/wine-prefix.sh build/bench-wineprefix
trap wine_stop EXIT
echo "Machine: $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ *//'), $(nproc) cores," \
     "load average $(cut -d' ' -f1-3 /proc/loadavg); $(wine_run --version 2>/dev/null || echo Wine)"

for width in x64 x86; do
    preset=windows-$width
    echo
    echo "== $width"
    if [ "$width" = x86 ] && ! x86_runs; then
        x86_unavailable_line
        continue
    fi
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset" -j "$(nproc)" \
        --target vantrel_module_bench vantrel_remote_bench vantrel_program_bench refjukebox >/dev/null
    bin=build/$preset/bin
    wine_stop
    # The jukebox of the same width, so that each width's figures and their
    # baselines meet the same server.
    wine_run "$bin/RefJukebox.exe" /RegServer
    for bench in vantrel_module_bench vantrel_remote_bench vantrel_program_bench; do
        echo
        wine_run "$bin/$bench.exe" | sed -u "s/^goal /goal $width./"
    done
done

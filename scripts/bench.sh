#!/bin/bash
# The benchmarks: builds them and runs each under Wine in a private prefix with
# the reference jukebox registered. One report: the machine, then each
# benchmark's figures against a baseline measured in the same run.
#   VANTREL_BENCH_STREAM=<n> shortens the memory figures' stream (100000).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh

cmake --preset windows-x64 >/dev/null
cmake --build --preset windows-x64 -j "$(nproc)" --target vantrel_module_bench vantrel_remote_bench vantrel_program_bench refjukebox >/dev/null

bin=build/windows-x64/bin
source scripts/wine-prefix.sh build/bench-wineprefix
trap wine_stop EXIT
wine_stop
wine_run "$bin/RefJukebox.exe" /RegServer
echo "Machine: $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ *//'), $(nproc) cores," \
     "load average $(cut -d' ' -f1-3 /proc/loadavg); $(wine_run --version 2>/dev/null || echo Wine)"
echo
wine_run "$bin/vantrel_module_bench.exe"
echo
wine_run "$bin/vantrel_remote_bench.exe"
echo
wine_run "$bin/vantrel_program_bench.exe"

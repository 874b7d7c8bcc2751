#!/bin/bash
# The benchmarks: builds them and runs each under Wine in a private prefix with
# the reference jukebox registered. Each prints its figures against a
# baseline measured in the same run.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh

cmake --preset windows-x64 >/dev/null
cmake --build --preset windows-x64 -j "$(nproc)" --target vantrel_module_bench vantrel_remote_bench refjukebox >/dev/null

bin=build/windows-x64/bin
source scripts/wine-prefix.sh build/bench-wineprefix
trap wine_stop EXIT
wine_stop
wine_run "$bin/RefJukebox.exe" /RegServer
wine_run "$bin/vantrel_module_bench.exe"
echo
wine_run "$bin/vantrel_remote_bench.exe"

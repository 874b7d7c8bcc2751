#!/bin/bash
# The long soak of the remote: plug and unplug cycles while keys stream in,
# against the shipped program under Wine (the tests run a short form).
#   scripts/soak.sh [cycles]    (default 1000)
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh

cmake --preset windows-x64 >/dev/null
cmake --build --preset windows-x64 -j "$(nproc)" --target vantrel_e2e_tests >/dev/null

bin=build/windows-x64/bin
source scripts/wine-prefix.sh build/soak-wineprefix
trap wine_stop EXIT
wine_stop
wine_run "$bin/RefJukebox.exe" /RegServer
VANTREL_SOAK_CYCLES="${1:-1000}" wine_run "$bin/vantrel_e2e_tests.exe" --gtest_filter='RemoteSoakTest.*'

#!/bin/bash
# The full reliability suite against the shipped program under Wine: a
# hostile flood of 100,000 messages, the jukebox killed mid-stream, a module
# library failing at random, a module that takes no block (its waits on goal
# lines), WM_CLOSE under load, 200 start and stop cycles (the tests run a
# short form). Each case prints what it tried and what held.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh

cmake --preset windows-x64 >/dev/null
cmake --build --preset windows-x64 -j "$(nproc)" --target vantrel_reliability_tests >/dev/null

bin=build/windows-x64/bin
source scripts/wine-prefix.sh build/reliability-wineprefix
trap wine_stop EXIT
export VANTREL_RELIABILITY=full
wine_stop
wine_run "$bin/RefJukebox.exe" /RegServer
wine_run "$bin/vantrel_reliability_tests.exe" --gtest_filter='-*KilledJukebox*'
# A killed jukebox leaves its class registration stale: a session of its own.
wine_stop
wine_run "$bin/vantrel_reliability_tests.exe" --gtest_filter='*KilledJukebox*'

#!/bin/bash
# Runs a Windows program in a test run's Wine prefix and passes its exit code
# on: wine-run.sh <prefix> <program.exe> [arguments...]
# wine-run.sh <prefix> --stop ends every Wine process of the prefix.
set -uo pipefail
source "$(dirname "$0")/../scripts/wine-prefix.sh" "$1"
shift
if [ "${1:-}" = "--stop" ]; then
    wine_stop
    exit 0
fi
# Each test program starts in a Wine session of its own, so that nothing a
# failed run left behind (a killed client's objects, a stale class
# registration) reaches the next one.
wine_stop
wine_run "$@"

#!/bin/bash
# The program against a jukebox of the other width, as a real PC may have it:
# registers the other build tree's reference jukebox in a prefix of its own
# and runs end-to-end tests of this width against it. One side is always
# 32-bit, so on a machine that cannot execute 32-bit code the test is skipped.
#   other-width-jukebox-test.sh <prefix> <RefJukebox.exe of the other width> <vantrel_e2e_tests.exe> [gtest arguments...]
set -uo pipefail
source "$(dirname "$0")/../scripts/x86-support.sh"
if ! x86_runs; then
    x86_unavailable_line
    exit 77
fi
prefix=$1 jukebox=$2
shift 2
[ -f "$jukebox" ] || { echo "no jukebox of the other width at $jukebox: build that tree first"; exit 1; }
source "$(dirname "$0")/../scripts/wine-prefix.sh" "$prefix"
wine_stop
wine_run "$jukebox" /RegServer
"$WINESERVER" -w
wine_run "$@"
status=$?
wine_stop
exit $status

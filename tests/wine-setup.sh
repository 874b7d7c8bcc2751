#!/bin/bash
# Prepares the shared Wine prefix of a test run and registers the reference
# jukebox in it: wine-setup.sh <prefix> <RefJukebox.exe>
set -euo pipefail
source "$(dirname "$0")/../scripts/wine-prefix.sh" "$1"
wine_run "$2" /RegServer
"$WINESERVER" -w

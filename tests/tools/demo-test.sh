#!/bin/bash
# The demo's session runs through: every section is told, the module's blocks
# come out in words, the saved log is shown and the program ends with 0.
#   demo-test.sh <prefix> <vantrel_demo.exe>
set -uo pipefail
prefix=$1 demo=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
bash "$(dirname "$0")/../wine-run.sh" "$prefix" "$demo" "Z:${work//\//\\}" > "$work/out.txt" 2>&1
status=$?
cat "$work/out.txt"
[ $status -eq 0 ] || { echo "the demo ended with $status"; exit 1; }
for expected in \
    "== The remote is plugged in" "== Keys on the remote" "== The jukebox changes state by itself" \
    "== The remote is pulled out and plugged back in" "== The Save button" "== The program is closed" \
    "key play (1)" "jukebox received: command 1" "module took: state: playing" "module took: volume 35" \
    "module took: reply to the title query: ok, \"Paper Compass\"" "module took: reply to the time query: ok," \
    "module took: reply to the module-information key: ok, 12 34 56 78" \
    "Command to Cantora: 11  Data: 35" "VantrelRemote.exe ended, exit code 0"; do
    grep -qF -- "$expected" "$work/out.txt" || { echo "missing from the demo: $expected"; exit 1; }
done

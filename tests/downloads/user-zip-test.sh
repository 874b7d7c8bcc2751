#!/bin/bash
# The user's download as a user gets it: unpacks the zip, checks that it holds
# the program of each width beside its module library and the README, and
# nothing of the stand-ins or tools, then runs the program of one width from
# it under Wine with the reference jukebox.
#   user-zip-test.sh <downloads folder> <x86_64|i686> <prefix> <vantrel_e2e_tests.exe of that width> <objdump>
set -euo pipefail
downloads=$1 width=$2 prefix=$3 e2e=$4 objdump=$5

zip=$(ls "$downloads"/VantrelRemote-*-windows.zip 2>/dev/null | grep -v tools || true)
if [ -z "$zip" ]; then
    echo "no user zip in $downloads: build the target downloads first"
    exit 1
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
(cd "$work" && cmake -E tar xf "$zip")
top="$work/$(basename "$zip" .zip)"

expected="README.txt
i686/VantrelRemote.exe
i686/rzmb.dll
x86_64/VantrelRemote.exe
x86_64/rzmb.dll"
found=$(cd "$top" && find . -type f | sed 's|^\./||' | LC_ALL=C sort)
if [ "$found" != "$expected" ]; then
    printf 'the zip holds:\n%s\nexpected:\n%s\n' "$found" "$expected"
    exit 1
fi
for folder in x86_64:pei-x86-64 i686:pei-i386; do
    for file in VantrelRemote.exe rzmb.dll; do
        "$objdump" -f "$top/${folder%%:*}/$file" | grep -q "file format ${folder#*:}" ||
            { echo "${folder%%:*}/$file is not ${folder#*:}"; exit 1; }
    done
done
grep -q -- "-debug" "$top/README.txt" && grep -q "VantrelRemote.RPT" "$top/README.txt" ||
    { echo "README.txt lacks the debug option or the crash report"; exit 1; }
echo "the zip holds the program and rzmb.dll of each width and README.txt, nothing else"

# Wine's own hid.dll and setupapi.dll for the unpacked program: the test
# prefix gives VantrelRemote.exe the build's substitutes, which the zip lacks.
export VANTREL_MORE_DLL_OVERRIDES="hid,setupapi=b"
program="Z:$(echo "$top/$width/VantrelRemote.exe" | tr / '\\')"
VANTREL_UNPACKED_PROGRAM="$program" bash "$(dirname "$0")/../wine-run.sh" "$prefix" "$e2e" \
    --gtest_filter='UnpackedDownloadTest.*'

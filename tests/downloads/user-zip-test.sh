#!/bin/bash
# The user's download as a user gets it: unpacks the zip, checks that it holds
# the program of each width and the README, and nothing of the stand-ins or
# tools (the module library is the remote maker's), then runs the program of
# one width from it under Wine with the reference jukebox: without a module
# library, then with our stand-in from the tools zip beside it, as a user
# trying it without the maker's library would put it.
#   user-zip-test.sh <downloads folder> <x86_64|i686> <prefix> <vantrel_e2e_tests.exe of that width> <objdump>
set -euo pipefail
downloads=$1 width=$2 prefix=$3 e2e=$4 objdump=$5

zip=$(ls "$downloads"/VantrelRemote-*-windows.zip 2>/dev/null | grep -v tools || true)
tools_zip=$(ls "$downloads"/VantrelRemote-tools-*-windows.zip 2>/dev/null || true)
if [ -z "$zip" ] || [ -z "$tools_zip" ]; then
    echo "no user zip or tools zip in $downloads: build the target downloads first"
    exit 1
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
(cd "$work" && cmake -E tar xf "$zip" && cmake -E tar xf "$tools_zip")
top="$work/$(basename "$zip" .zip)"
tools="$work/$(basename "$tools_zip" .zip)"

expected="README.txt
i686/VantrelRemote.exe
x86_64/VantrelRemote.exe"
found=$(cd "$top" && find . -type f | sed 's|^\./||' | LC_ALL=C sort)
if [ "$found" != "$expected" ]; then
    printf 'the zip holds:\n%s\nexpected:\n%s\n' "$found" "$expected"
    exit 1
fi
for folder in x86_64:pei-x86-64 i686:pei-i386; do
    for file in "$top/${folder%%:*}/VantrelRemote.exe" "$tools/${folder%%:*}/rzmb.dll"; do
        "$objdump" -f "$file" | grep -q "file format ${folder#*:}" || { echo "$file is not ${folder#*:}"; exit 1; }
    done
done
grep -q -- "-debug" "$top/README.txt" && grep -q "VantrelRemote.RPT" "$top/README.txt" ||
    { echo "README.txt lacks the debug option or the crash report"; exit 1; }
echo "the zip holds the program of each width and README.txt, nothing else; the tools zip our rzmb.dll of each width"

# Wine's own hid.dll and setupapi.dll for the unpacked program: the test
# prefix gives VantrelRemote.exe the build's substitutes, which the zip lacks.
export VANTREL_MORE_DLL_OVERRIDES="hid,setupapi=b"
windows_path() { echo "Z:$(echo "$1" | tr / '\\')"; }
run_unpacked() {
    VANTREL_UNPACKED_PROGRAM=$(windows_path "$top/$width/VantrelRemote.exe") VANTREL_UNPACKED_MODULE_LIBRARY=$1 \
        bash "$(dirname "$0")/../wine-run.sh" "$prefix" "$e2e" --gtest_filter='UnpackedDownloadTest.*'
}
echo "== without a module library"
run_unpacked ""
echo "== with the tools zip's rzmb.dll beside it"
cp "$tools/$width/rzmb.dll" "$top/$width/"
run_unpacked "$(windows_path "$top/$width/rzmb.dll")"

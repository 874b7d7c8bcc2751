#!/bin/bash
# Builds the per-user installer of one width from the files staged beside the
# WiX source, in the folder of that width (x86/ or x64/):
#   build-msi.sh <VantrelRemote.wxs> <x86|x64> <version> <out.msi>
set -euo pipefail
wxs=$1 width=$2 version=$3 out=$4
case "$width" in
    x86) win64=no ;;
    x64) win64=yes ;;
    *) echo "width must be x86 or x64, not $width" >&2; exit 2 ;;
esac
wixl -a "$width" -D Version="$version" -D Width="$width" -D Win64="$win64" -o "$out" "$wxs"

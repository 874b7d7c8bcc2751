#!/bin/bash
# Sourced by the scripts that run the program for a person (demo, console):
# which width of the build to run.
#   source scripts/width.sh [--x86 | --x64]
# --x86, or VANTREL_WIDTH=x86: the i686 build, the one a user with the remote
# maker's 32-bit module library runs. --x64, or VANTREL_WIDTH=x64, the default:
# the x86_64 build, which runs on every machine, also where 32-bit code cannot.
# Sets width (x86 or x64) and preset (its CMake preset); fails with one line
# when the i686 build is asked for where 32-bit code cannot run.
source "$(dirname "${BASH_SOURCE[0]}")/x86-support.sh"

width=${VANTREL_WIDTH:-x64}
case "${1:-}" in
    --x86) width=x86 ;;
    --x64) width=x64 ;;
    "") ;;
    *) echo "unknown option $1: use --x86 or --x64" >&2; exit 2 ;;
esac
case "$width" in
    x86) preset=windows-x86 ;;
    x64) preset=windows-x64 ;;
    *) echo "VANTREL_WIDTH is $width: use x86 or x64" >&2; exit 2 ;;
esac
if [ "$width" = x86 ] && ! x86_runs; then
    x86_unavailable_line >&2
    exit 1
fi

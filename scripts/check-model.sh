#!/bin/bash
# Checks the model of the reader's hand-over with Spin: every assertion and
# every end state, over the whole state space. Prints Spin's result line and
# fails, with the trail that breaks a property, unless it reports no error.
set -euo pipefail
model="$(realpath "$(dirname "$0")/../device/ReaderHandOver.pml")"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cd "$work"
cp "$model" .
spin -a ReaderHandOver.pml >/dev/null
cc -O2 -DSAFETY -o pan pan.c
./pan -m1000000 > result.txt || true
grep -E "errors: [0-9]+" result.txt
if ! grep -q "errors: 0$" result.txt || grep -q "Search not completed" result.txt; then
    cat result.txt
    if [ -f ReaderHandOver.pml.trail ]; then
        spin -t -p ReaderHandOver.pml | tail -60
    fi
    exit 1
fi

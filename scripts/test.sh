#!/bin/bash
# Builds everything and runs every test: the Windows-free logic natively under
# AddressSanitizer and UndefinedBehaviorSanitizer, the model of the reader's
# hand-over with Spin, then the x86_64 and the i686 build, each with its unit,
# end-to-end, crash and tool tests under Wine.
# On a machine that cannot execute 32-bit code the i686 build is compiled and
# linked, and its runs are skipped with one line that says so.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
source scripts/x86-support.sh

jobs=$(nproc)

echo "== Native build and tests (sanitizers)"
cmake --preset native >/dev/null
cmake --build --preset native -j "$jobs"
ctest --preset native

echo "== The reader's hand-over, checked by its model (Spin)"
scripts/check-model.sh

# The i686 tree first: the x86_64 tree packs both widths into the downloads.
for preset in windows-x86 windows-x64; do
    echo "== $preset build"
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset" -j "$jobs"
done
echo "== The Windows downloads"
cmake --build --preset windows-x64 --target downloads
ls -l build/windows-x64/downloads

echo "== x86_64 tests under Wine"
ctest --preset windows-x64
if x86_runs; then
    echo "== i686 tests under Wine (WoW64)"
    ctest --preset windows-x86
else
    x86_unavailable_line
fi

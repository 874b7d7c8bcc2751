#!/bin/bash
# Builds everything and runs every test: the Windows-free logic natively under
# AddressSanitizer and UndefinedBehaviorSanitizer, the i686 build (compiled and
# linked only), and the x86_64 build's unit and end-to-end tests under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh

jobs=$(nproc)

echo "== Native build and tests (sanitizers)"
cmake --preset native >/dev/null
cmake --build --preset native -j "$jobs"
ctest --preset native

echo "== i686 build"
cmake --preset windows-x86 >/dev/null
cmake --build --preset windows-x86 -j "$jobs"

echo "== x86_64 build and tests under Wine"
cmake --preset windows-x64 >/dev/null
cmake --build --preset windows-x64 -j "$jobs"
echo "== The Windows downloads"
cmake --build --preset windows-x64 --target downloads
ls -l build/windows-x64/downloads
ctest --preset windows-x64

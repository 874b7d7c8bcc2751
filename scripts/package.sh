#!/bin/bash
# The Windows downloads: builds the i686 and the x86_64 trees and makes the
# user's zip, the tools zip and the installers of each width in
# build/windows-x64/downloads.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh

cmake --preset windows-x86 >/dev/null
cmake --build --preset windows-x86 -j "$(nproc)" >/dev/null
cmake --preset windows-x64 >/dev/null
cmake --build --preset windows-x64 -j "$(nproc)" --target downloads >/dev/null
ls -l build/windows-x64/downloads/*.zip build/windows-x64/downloads/*.msi

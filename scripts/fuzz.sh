#!/bin/bash
# A longer fuzzing run than the tests make: each target for the given number
# of seconds (default 600), starting from the committed corpus. New inputs go
# to build/native/fuzz-corpus, never into the corpus in git.
#   scripts/fuzz.sh [seconds]
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
seconds=${1:-600}

cmake --preset native >/dev/null
cmake --build --preset native -j "$(nproc)" --target fuzz_event_handlers fuzz_number_text fuzz_device_broadcast >/dev/null

for target in event_handlers number_text device_broadcast; do
    work=build/native/fuzz-corpus/$target
    mkdir -p "$work"
    echo "== $target for $seconds s"
    build/native/tests/fuzz/fuzz_$target -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
        "$work" "tests/fuzz/corpus/$target"
done

#!/bin/bash
# The benchmarks: builds them and runs each under Wine in a private prefix with
# the reference jukebox registered, once per width. One report: the machine,
# then for each width each benchmark's figures against a baseline of the same
# width measured in the same run; every goal line carries the width in its
# name (goal x64.<name>, goal x86.<name>). Where 32-bit code cannot run, the
# x86 part is one line that says so. The programs run stripped, as the
# downloads ship them: a build's debug sections alone slow every start. Each
# width's picture (gnuplot), drawn from the raw samples the benchmarks leave
# beside them, lands in build/bench-<width>/bench.png.
#   VANTREL_BENCH_STREAM=<n> shortens the memory figures' stream (100000).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
source scripts/x86-support.sh

source scripts/wine-prefix.sh build/bench-wineprefix
trap wine_stop EXIT
echo "Machine: $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ *//'), $(nproc) cores," \
     "load average $(cut -d' ' -f1-3 /proc/loadavg); $(wine_run --version 2>/dev/null || echo Wine)"

for width in x64 x86; do
    preset=windows-$width
    echo
    echo "== $width"
    if [ "$width" = x86 ] && ! x86_runs; then
        x86_unavailable_line
        continue
    fi
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset" -j "$(nproc)" \
        --target vantrel_module_bench vantrel_remote_bench vantrel_program_bench refjukebox >/dev/null
    bin=build/bench-$width
    rm -rf "$bin"
    mkdir -p "$bin"
    strip=$( [ "$width" = x64 ] && echo x86_64 || echo i686 )-w64-mingw32-strip
    for file in VantrelRemote.exe rzmb.dll hid.dll setupapi.dll RefJukebox.exe StartUpBaseline.exe \
                DirectReader.exe vantrel_module_bench.exe vantrel_remote_bench.exe vantrel_program_bench.exe; do
        "$strip" -o "$bin/$file" "build/$preset/bin/$file"
    done
    wine_stop
    # The jukebox of the same width, so that each width's figures and their
    # baselines meet the same server.
    wine_run "$bin/RefJukebox.exe" /RegServer
    for bench in vantrel_module_bench vantrel_remote_bench vantrel_program_bench; do
        echo
        wine_run "$bin/$bench.exe" | sed -u "s/^goal /goal $width./"
    done
    gnuplot -e "folder='$bin'; width='$width'" bench/BenchPicture.gp
    echo
    echo "Picture: $bin/bench.png"
done

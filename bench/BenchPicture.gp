# The benchmark's picture for one width, drawn from the raw samples that the
# benchmarks left in their folder:
#   gnuplot -e "folder='build/bench-x64'; width='x64'" bench/BenchPicture.gp
# writes <folder>/bench.png: the key-to-jukebox latency of the program, of the
# direct reader and of the direct reader that posts to a window thread as
# cumulative distributions on a log time axis, and the
# time from CreateProcess to each start-up call of the program and of its
# baseline, every run a dot, the medians joined.
latency = folder."/remote-latency.dat"
startup = folder."/startup-calls.dat"
# The calls, as many as the start-up figures wrote (their places count from 0).
stats startup index 0 using 1 nooutput
calls = int(STATS_max) + 1
situations = "'jukebox server already running' 'jukebox server started by the call'"

set terminal pngcairo size 1500,540 font "sans,10"
set output folder."/bench.png"
set multiplot layout 1,3 title "VantrelRemote benchmarks, ".width." build (".system("date '+%Y-%m-%d %H:%M'").")"
set grid

set title "Key to jukebox: latency of each press"
set logscale x
set xlabel "ms from the report's write to the command's arrival (log scale)"
set ylabel "share of presses that took at most this long"
set yrange [0:1]
set key center right  # clear of the curves, which rise within a few ms
plot latency using ($1/1000):(1) smooth cnormal with steps lw 2 lc 1 title "VantrelRemote.exe", \
     ''      using ($2/1000):(1) smooth cnormal with steps lw 2 lc 2 title "direct reader", \
     ''      using ($3/1000):(1) smooth cnormal with steps lw 2 lc 3 dt 2 title "posting direct reader"

unset logscale x
set key bottom right
set xrange [-0.6:calls - 0.4]
set xtics rotate by -20  # the call names would run into each other
set yrange [0:*]
set xlabel "jukebox call, in the order both programs make them"
set ylabel "ms from CreateProcess to the call"
array programMedian[calls]
array baselineMedian[calls]
do for [situation = 0:1] {
    do for [call = 1:calls] {
        programMedian[call] = NaN
        baselineMedian[call] = NaN
        undefine STATS_*
        stats startup index situation using ($1 == call - 1 ? $4 : NaN) nooutput
        if (exists("STATS_median")) { programMedian[call] = STATS_median }
        undefine STATS_*
        stats startup index situation using ($1 == call - 1 ? $5 : NaN) nooutput
        if (exists("STATS_median")) { baselineMedian[call] = STATS_median }
    }
    set title "Start-up, ".word(situations, situation + 1)
    plot startup index situation using 1:(NaN):xtic(2) notitle, \
         ''      index situation using ($1 - 0.1):4 with points pt 7 ps 0.6 lc 1 notitle, \
         ''      index situation using ($1 + 0.1):5 with points pt 7 ps 0.6 lc 2 notitle, \
         programMedian  using ($1 - 1.1):2 with linespoints lw 2 pt 5 ps 1.2 lc 1 title "VantrelRemote.exe, median", \
         baselineMedian using ($1 - 0.9):2 with linespoints lw 2 pt 5 ps 1.2 lc 2 title "baseline, median"
}
unset multiplot

# The benchmark chart: throughput per workload and tool, throttle accuracy per limit.
# bench_report.py calls it as gnuplot -e "out='PNG'; day='DATE'; throughput='DAT'; throttle='DAT'"
# script; an empty data file name leaves that panel out.
panels = (throughput ne "") + (throttle ne "")
set terminal png size 600 * panels, 500 font ",10"
set output out
set multiplot layout 1, panels title sprintf("Ferrix benchmarks (%s)", day)
set style data histogram
set style histogram clustered gap 1
set style fill solid 0.8 border -1

if (throughput ne "") {
  set key top left
  set ylabel "MB/s (log scale)"
  set logscale y
  set title "Throughput (median)"
  plot throughput using 2:xtic(1) title "Ferrix", '' using 3 title "bare loop (Wine)", \
       '' using 4 title "xcopy (Wine)", '' using 5 title "cp -r", '' using 6 title "rsync -a"
  unset logscale y
}

if (throttle ne "") {
  set ylabel "achieved / limit"
  set yrange [0:1.3]
  set key bottom center opaque box
  set title "Throttle accuracy (1.0 = limit)"
  plot throttle using 2:xtic(1) title "Ferrix", '' using 3 title "rsync --bwlimit", \
       '' using 4 title "pv -L", \
       0.95 with lines dt 2 lc rgb "gray" notitle, 1.0 with lines dt 2 lc rgb "black" notitle
}

unset multiplot

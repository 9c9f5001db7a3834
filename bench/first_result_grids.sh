#!/usr/bin/env bash
# Whole-process time to the first result of gridwright-compose on every grid of a folder
# (one line per row: '#' an isle, '.' an empty cell, a capital a fixed letter).
#
#   bench/first_result_grids.sh [-b BINARY] [-c CAP_SECONDS] [-r RUNS] [-x 'OPTIONS'] GRID_DIR WORDS
#
# Prints one line per grid: over RUNS runs (default 1) the median and the slowest wall time
# and the median processor time (user + system) of the runs that wrote a result, and how many did; for a
# first fill also the median search steps (words tried) per processor second. -x adds
# options to every run; '{run}' in them becomes the run number, e.g.
#   -r 10 -x '--first-fill --seed {run} --lanes 2'
# The processor time tells the search's cost apart from waiting for a busy machine.
set -uo pipefail
# shellcheck source=bench/grid_bench_lib.sh
. "$(dirname "$0")/grid_bench_lib.sh"
binary=build/bin/gridwright-compose
cap=120
runs=1
extra=""
while getopts "b:c:r:x:" opt; do
  case $opt in
    b) binary=$OPTARG ;;
    c) cap=$OPTARG ;;
    r) runs=$OPTARG ;;
    x) extra=$OPTARG ;;
    *) exit 2 ;;
  esac
done
shift $((OPTIND - 1))
expect_args 2 "$0 [-b BINARY] [-c CAP_SECONDS] [-r RUNS] [-x 'OPTIONS'] GRID_DIR WORDS" "$@"
grids=$1
words=$2
make_work_folder

median() { sort -g | awk '{ v[NR] = $1 } END { if (NR == 0) print "-"; else if (NR % 2) print v[(NR + 1) / 2]; else printf "%.3f\n", (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

for grid in "$grids"/*.txt; do
  name=$(basename "$grid" .txt)
  : >"$work/walls"
  : >"$work/cpus"
  : >"$work/rates"
  filled=0
  for run in $(seq 1 "$runs"); do
    rm -rf "$work/Results" "$work/$name".*
    mkdir -p "$work/Results"
    options=${extra//\{run\}/$run}
    # shellcheck disable=SC2086
    /usr/bin/time -f "%e %U %S" -o "$work/time" "$binary" --layout "$grid" --language en --words "$words" \
      --save "$work/$name.C_WM" --results "$work/Results" --max-results 1 --time-limit "$cap" --quiet $options \
      >"$work/out" 2>"$work/err"
    if ls "$work/Results"/*.C_W >/dev/null 2>&1; then
      filled=$((filled + 1))
      read -r wall user system <"$work/time"
      echo "$wall" >>"$work/walls"
      cpu_seconds "$user" "$system" >>"$work/cpus"
      # "Filled after 0.12 s (198 words tried)." from a first fill
      steps=$(sed -n 's/.*(\([0-9]*\) words tried).*/\1/p' "$work/err" | tail -1)
      if [ -n "$steps" ]; then
        awk -v n="$steps" -v u="$user" -v s="$system" 'BEGIN { t = u + s; if (t < 0.01) t = 0.01; printf "%.0f\n", n / t }' \
          >>"$work/rates"
      fi
    fi
  done
  # The targets are about every run: the slowest counts, and a run without a result is over the cap.
  slowest=$(sort -g "$work/walls" | tail -1)
  [ "$filled" -lt "$runs" ] && slowest="> $cap"
  printf '%-8s wall %8s s  slowest %6s s  cpu %8s s  filled %d of %d (cap %s s)  steps/cpu-s %s\n' "$name" \
    "$(median <"$work/walls")" "${slowest:--}" "$(median <"$work/cpus")" "$filled" "$runs" "$cap" "$(median <"$work/rates")"
done

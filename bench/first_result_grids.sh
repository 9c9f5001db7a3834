#!/usr/bin/env bash
# Whole-process time to the first result of gridwright-compose on every grid of a folder
# (one line per row: '#' an isle, '.' an empty cell, a capital a fixed letter).
#
#   bench/first_result_grids.sh [-b BINARY] [-c CAP_SECONDS] [-x 'EXTRA OPTIONS'] GRID_DIR WORDS
#
# Prints one line per grid: its name, the wall time in seconds (or "none in CAP s"), and the
# exit status. -x adds options to every run, e.g. -x '--first-fill --seed 3 --lanes 2'.
set -uo pipefail
binary=build/bin/gridwright-compose
cap=120
extra=""
while getopts "b:c:x:" opt; do
  case $opt in
    b) binary=$OPTARG ;;
    c) cap=$OPTARG ;;
    x) extra=$OPTARG ;;
    *) exit 2 ;;
  esac
done
shift $((OPTIND - 1))
if [ $# -ne 2 ]; then
  echo "usage: $0 [-b BINARY] [-c CAP_SECONDS] [-x 'EXTRA OPTIONS'] GRID_DIR WORDS" >&2
  exit 2
fi
grids=$1
words=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

for grid in "$grids"/*.txt; do
  name=$(basename "$grid" .txt)
  rm -rf "$work/Results" "$work/$name".*
  mkdir -p "$work/Results"
  start=$(date +%s.%N)
  # shellcheck disable=SC2086
  "$binary" --layout "$grid" --language en --words "$words" --save "$work/$name.C_WM" \
    --results "$work/Results" --max-results 1 --time-limit "$cap" --quiet $extra >"$work/out" 2>"$work/err"
  status=$?
  end=$(date +%s.%N)
  if ls "$work/Results"/*.C_W >/dev/null 2>&1; then
    printf '%-8s %8.3f s  (exit %d)\n' "$name" "$(echo "$end - $start" | bc)" "$status"
  else
    printf '%-8s none in %s s  (exit %d)\n' "$name" "$cap" "$status"
  fi
done

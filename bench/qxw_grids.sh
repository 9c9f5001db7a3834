#!/usr/bin/env bash
# Qxw (Debian package qxw, another crossword filler) on the same grids, for a side-by-side
# table with first_result_grids.sh: one fill per run, whole-process wall and processor time.
#
#   bench/qxw_grids.sh [-c CAP_SECONDS] GRID_DIR WORDS GRIDTOOL
#
# GRIDTOOL is gridtool.py, which turns a grid and a word list into a Qxw deck and checks the
# fill. A run that finds nothing within the cap (or exits with 4: no fill) counts as not filled.
set -uo pipefail
# shellcheck source=bench/grid_bench_lib.sh
. "$(dirname "$0")/grid_bench_lib.sh"
cap=120
while getopts "c:" opt; do
  case $opt in
    c) cap=$OPTARG ;;
    *) exit 2 ;;
  esac
done
shift $((OPTIND - 1))
expect_args 3 "$0 [-c CAP_SECONDS] GRID_DIR WORDS GRIDTOOL" "$@"
qxw=/usr/games/qxw
[ -x "$qxw" ] || { echo "$qxw is not installed (apt-get install qxw)" >&2; exit 2; }
make_work_folder
for grid in "$1"/*.txt; do
  name=$(basename "$grid" .txt)
  python3 "$3" deck "$grid" "$2" --random 0 --unique 0 >"$work/deck.qxd"
  /usr/bin/time -f "%e %U %S" -o "$work/time" timeout "$cap" "$qxw" -b "$work/deck.qxd" >"$work/out" 2>/dev/null
  status=$?
  read -r wall user system <"$work/time" 2>/dev/null || wall=-
  # Repeated words are allowed (the deck says so), so only other faults make a fill wrong.
  python3 "$3" check "$grid" "$work/out" "$2" 2>&1 | grep -v -e '^duplicate:' -e '^OK$' >"$work/faults"
  if [ "$status" -eq 0 ] && [ -s "$work/out" ] && [ ! -s "$work/faults" ]; then
    printf '%-8s qxw wall %8s s  cpu %8s s  filled\n' "$name" "$wall" \
      "$(cpu_seconds "$user" "$system")"
  else
    printf '%-8s qxw no fill (exit %s, cap %s s)\n' "$name" "$status" "$cap"
  fi
done

#!/usr/bin/env bash
# part_cli_test.sh BINARY WORK_FOLDER SCENARIO [SOURCE_DIR]
# gridwright-compose --part K/N: the parts' results, taken part after part, are exactly the
# unsplit search's results in its order, also when a part is stopped and continued.
set -uo pipefail
bin=$1 work=$2 scenario=$3 source=${4:-}
source "$(cd "$(dirname "$0")" && pwd)/cli_test_common.sh"

whole_search

case "$scenario" in
part_union)
  for n in 1 2 4 8; do
    : >parts.txt
    for k in $(seq 1 "$n"); do
      expect 0 "$bin" --quiet --part "$k/$n" --words small.words --results "parts$n" open3.C_WM
      hashes "parts$n" "open3-${k}of$n-" >>parts.txt
      [ ! -e "open3-${k}of$n-.TMP" ] || fail "part $k/$n left its state file"
    done
    cmp -s whole.txt parts.txt || fail "$n parts did not give the unsplit results in order"
  done
  # A part stopped after two results and continued writes what it would have written unbroken.
  expect 0 "$bin" --quiet --part 1/2 --max-results 2 --words small.words --results stopped open3.C_WM
  [ -e open3-1of2-.TMP ] || fail "the stopped part saved no state"
  [ ! -e open3.TMP ] || fail "a part wrote the layout's own state file"
  expect 0 "$bin" --quiet --part 1/2 --continue --words small.words --results stopped open3.C_WM
  hashes stopped open3-1of2- >stopped.txt
  hashes parts2 open3-1of2- >unbroken.txt
  cmp -s stopped.txt unbroken.txt || fail "the continued part differs from the unbroken one"
  expect 1 "$bin" --quiet --part 2/2 --continue --words small.words --results stopped open3.C_WM
  contains err.txt "open3-2of2-.TMP"
  ;;
bad_part)
  for bad in 0/2 3/2 2 a/b 1/0 1/5000; do
    expect 2 "$bin" --part "$bad" open3.C_WM
    contains err.txt "--part needs K/N"
  done
  expect 2 "$bin" --part 1/2 --first-fill open3.C_WM
  ;;
parallel_wrapper)
  parallel --version 2>/dev/null | grep -q "GNU parallel" || { echo "SKIP: GNU parallel is not installed"; exit 0; }
  expect 0 "$source/scripts/compose-parts" 4 "$bin" --quiet --words small.words --results wrapped open3.C_WM
  : >parts.txt
  for k in 1 2 3 4; do hashes wrapped "open3-${k}of4-" >>parts.txt; done
  cmp -s whole.txt parts.txt || fail "the wrapper's 4 parts did not give the unsplit results"
  ;;
esac
finish_scenario "$scenario"

#!/usr/bin/env bash
# batch_cli_test.sh BINARY WORK_FOLDER SCENARIO
# gridwright-compose --first-fill over several layouts: one result and one summary line per
# layout, each fill the one a single run with the same seed finds.
set -uo pipefail
bin=$1 work=$2 scenario=$3
source "$(cd "$(dirname "$0")" && pwd)/cli_test_common.sh"

mkdir -p grids
cp open3.txt grids/a.txt
printf '..\n..\n' >grids/b.txt  # no two-letter words in the list: no fill
printf '#\n' >grids/none.txt     # no slot
case "$scenario" in
batch_folder)
  expect 0 "$bin" --first-fill --seed 5 --jobs 2 --language en --words small.words --results res \
    --summary summary.jsonl grids
  [ "$(wc -l <out.txt)" -eq 3 ] || fail "not one summary line per layout: $(cat out.txt)"
  contains out.txt "grids/a.txt	filled"
  contains out.txt "grids/b.txt	no fill"
  contains out.txt "seed 5"
  [ "$(ls res)" = "a1.C_W" ] || fail "results: $(ls res)"
  python3 -c '
import json, sys
rows = [json.loads(l) for l in open("summary.jsonl")]
assert [r["layout"] for r in rows] == ["grids/a.txt", "grids/b.txt", "grids/none.txt"], rows
assert [r["filled"] for r in rows] == [True, False, False], rows
assert rows[0]["seed"] == 5 and rows[0]["result"] == "res/a1.C_W" and rows[0]["words_tried"] > 0, rows
' || fail "summary.jsonl: $(cat summary.jsonl)"
  # The same fill as a run on that layout alone with the same seed.
  expect 0 "$bin" --quiet --first-fill --seed 5 --lanes 1 --layout grids/a.txt --language en --save single.C_WM \
    --words small.words --results single
  cmp -s res/a1.C_W single/single1.C_W || fail "the batch fill differs from the single run's"
  ;;
batch_options)
  expect 2 "$bin" grids/a.txt grids/b.txt
  contains err.txt "go with --first-fill"
  expect 2 "$bin" --first-fill --jobs 2 open3.C_WM
  expect 1 "$bin" --first-fill --words small.words --results res grids/a.txt missing.C_WM
  contains err.txt "missing.C_WM"
  ;;
esac
finish_scenario "$scenario"

#!/usr/bin/env bash
# compose_cli_test.sh BINARY WORK_FOLDER SCENARIO PROGRAM_FOLDER SOURCE_FOLDER
set -uo pipefail
bin=$1 work=$2 scenario=$3 program=$4 source=$5
source "$(cd "$(dirname "$0")" && pwd)/cli_test_common.sh"

# Besides small.words, a word list that keeps a search busy.
random_words busy.words 7 5 3000 distinct
open_layout open5.txt 5

case "$scenario" in
text_layout)
  expect 0 "$bin" --layout open3.txt --language en --save open3.C_WM --no-compose
  [ "$(stat -c %s open3.C_WM)" -eq 3374 ] || fail "pattern file is not 3374 bytes"
  contains out.txt "Saved open3.C_WM (3 rows, 3 columns, English)"
  printf 'ђ.\n.#\n' > serbian.txt
  expect 0 "$bin" --layout serbian.txt --language sr --save serbian.C_WM --no-compose
  # Column 0, row 0 holds the Windows-1251 capital Ђ (0x80).
  [ "$(od -An -tx1 -j12 -N2 serbian.C_WM | tr -d ' ')" = "0180" ] || fail "Serbian letter not stored as 0x80"
  printf '..\n...\n' > ragged.txt
  expect 1 "$bin" --layout ragged.txt --language en --save ragged.C_WM --no-compose
  contains err.txt "Layout line 2"
  [ ! -e ragged.C_WM ] || fail "a bad text layout was saved"
  expect 2 "$bin" --layout open3.txt --save x.C_WM
  contains err.txt "--language"
  ;;
exhausted)
  expect 0 "$bin" --quiet --words small.words --results res --layout open3.txt --language en --save open3.C_WM
  count=$(ls res | wc -l)
  [ "$count" -gt 0 ] || fail "no result files"
  [ "$(grep -c '\.C_W$' out.txt)" -eq "$count" ] || fail "not every result file was listed"
  contains out.txt "res/open31.C_W"
  contains out.txt "Result 1:"
  contains err.txt "Search exhausted"
  [ ! -e open3.TMP ] || fail "state file left after an exhausted search"
  [ "$(stat -c %s res/open31.C_W)" -eq 33 ] || fail "3 x 3 result is not 33 bytes"
  # The grid printed is the first result's board.
  grid=$(sed -n '4,6p' out.txt | tr -d '\n')
  [ "$grid" = "$(dd if=res/open31.C_W bs=1 skip=7 count=9 2>/dev/null)" ] || fail "printed grid differs from the file"
  # The same list with a byte order mark, in lower case and with two words no board can hold:
  # the same results, and one warning line.
  { printf '\357\273\277'; tr 'A-Z' 'a-z' < small.words; printf 'C.T\r\nC\000T\r\n'; } > marked.words
  expect 0 "$bin" --quiet --words marked.words --results marked open3.C_WM
  contains err.txt "Warning: 2 words of the word list were skipped"
  [ "$(ls marked | wc -l)" -eq "$count" ] || fail "a checked word list gave other results"
  ;;
stop_and_continue)
  "$bin" --layout open5.txt --language en --save open5.C_WM --no-compose >/dev/null
  cp open5.C_WM whole.C_WM
  expect 0 "$bin" --quiet --words busy.words --results whole --max-results 12 whole.C_WM
  expect 0 "$bin" --quiet --words busy.words --results parts --max-results 5 open5.C_WM
  contains err.txt "Stopped (result limit reached)"
  [ -e open5.TMP ] || fail "no state file after a stop"
  expect 0 "$bin" --quiet --words busy.words --results parts --max-results 1 --continue open5.C_WM
  expect 0 "$bin" --quiet --words busy.words --results parts --max-results 6 --continue open5.C_WM
  for n in $(seq 1 12); do
    cmp -s "whole/whole$n.C_W" "parts/open5$n.C_W" || fail "result $n differs after stops"
  done
  [ ! -e parts/open513.C_W ] || fail "more results than asked for"
  expect 1 "$bin" --quiet --words busy.words --continue open3.C_WM
  contains err.txt "no stopped search"
  # A new layout saved over the stopped one takes its stopped search away.
  [ -e open5.TMP ] || fail "no state file after the last stop"
  expect 0 "$bin" --layout open3.txt --language en --save open5.C_WM --no-compose
  contains out.txt "Removed open5.TMP"
  [ ! -e open5.TMP ] || fail "the replaced layout's state file is left"
  ;;
signal_and_time_limit)
  "$bin" --layout open5.txt --language en --save open5.C_WM --no-compose >/dev/null
  "$bin" --words busy.words --results res open5.C_WM >out.txt 2>err.txt &
  pid=$!
  sleep 1
  kill -INT $pid
  wait $pid
  status=$?
  [ "$status" -eq 0 ] || fail "Ctrl+C gave exit $status"
  contains err.txt "Stopped (interrupted)"
  contains err.txt "T: "
  [ -e open5.TMP ] || fail "no state file after Ctrl+C"
  before=$(ls res | wc -l)
  expect 0 "$bin" --quiet --words busy.words --results res --time-limit 0.5 --continue open5.C_WM
  contains err.txt "Stopped (time limit reached)"
  [ "$(ls res | wc -l)" -ge "$before" ] || fail "results lost"
  "$bin" --quiet --words busy.words --results res --continue open5.C_WM >/dev/null 2>err.txt &
  pid=$!
  sleep 0.5
  kill -TERM $pid
  wait $pid || fail "SIGTERM gave a failure status"
  [ -e open5.TMP ] || fail "no state file after SIGTERM"
  ;;
failures)
  printf 'AB\nCD\n' > letters.txt
  expect 1 "$bin" --words small.words --layout letters.txt --language en --save letters.C_WM
  contains err.txt "No words"
  printf 'Q..\n...\n...\n' > q.txt
  expect 1 "$bin" --words small.words --layout q.txt --language en --save q.C_WM
  contains err.txt "No solution possible!"
  [ ! -e q.TMP ] || fail "state file after No solution possible!"
  expect 1 "$bin" --words absent.words open3.C_WM
  contains err.txt "Cannot open the word file"
  expect 1 "$bin" --words small.words missing.C_WM
  contains err.txt "Cannot open"
  expect 1 "$bin" --words small.words /dev/zero
  contains err.txt "not a regular file"
  head -c 100 /dev/zero > short.C_WM
  expect 1 "$bin" --words small.words short.C_WM
  contains err.txt "pattern file ends early"
  "$bin" --layout open3.txt --language en --save open3.C_WM --no-compose >/dev/null
  echo x > notAFolder
  expect 1 "$bin" --quiet --words small.words --results notAFolder/res open3.C_WM
  contains err.txt "results folder"
  printf '\001\000\000\000' > open3.TMP
  expect 1 "$bin" --quiet --words small.words --results res --continue open3.C_WM
  contains err.txt "The state file ends early"
  [ "$(stat -c %s open3.TMP)" -eq 4 ] || fail "a rejected state file was changed"
  expect 2 "$bin" --bogus open3.C_WM
  expect 2 "$bin" --max-results zero open3.C_WM
  expect 2 "$bin" --max-results 1e30 open3.C_WM
  expect 2 "$bin" --max-results 2.5 open3.C_WM
  for bad in 0x10 +3 -1 1e3 " 7" 99999999999; do
    expect 2 "$bin" --max-results "$bad" open3.C_WM
  done
  for bad in nan inf -inf 1e3 0x1p3 . 1. .5 1e100; do
    expect 2 "$bin" --time-limit "$bad" open3.C_WM
  done
  contains err.txt "plain number"
  expect 0 "$bin" --help
  contains out.txt "--max-results N"
  ;;
results_kept)
  # A result clued since (its bytes changed) survives a new search, which numbers on.
  expect 0 "$bin" --quiet --words small.words --results res --layout open3.txt --language en --save open3.C_WM
  count=$(ls res | wc -l)
  printf 'clued' > res/open31.C_W
  expect 0 "$bin" --quiet --words small.words --results res open3.C_WM
  [ "$(cat res/open31.C_W)" = clued ] || fail "a new search overwrote a clued result"
  [ "$(ls res | wc -l)" -eq $((count * 2)) ] || fail "the second search did not number after the first"
  contains out.txt "res/open3$((count + 1)).C_W"
  # Layouts whose names collide: us1 result 51 and us15 result 1 are both us151.C_W.
  cp open3.C_WM us15.C_WM
  cp open3.C_WM us1.C_WM
  expect 0 "$bin" --quiet --words small.words --results col --first-fill us15.C_WM
  contains out.txt "col/us151.C_W"
  cp col/us151.C_W kept.C_W
  expect 0 "$bin" --quiet --words small.words --results col --max-results 60 us1.C_WM
  cmp -s col/us151.C_W kept.C_W || fail "us15's result was replaced by us1's"
  ;;
first_fill_race)
  "$bin" --layout open5.txt --language en --save open5.C_WM --no-compose >/dev/null
  "$bin" --layout open3.txt --language en --save open3.C_WM --no-compose >/dev/null
  cp open5.C_WM before.C_WM
  # An exhaustive search holds the layout: first fills and a new layout over it are refused.
  "$bin" --quiet --words busy.words --results res --time-limit 20 open5.C_WM >search.out 2>&1 &
  pid=$!
  sleep 0.5
  expect 1 "$bin" --quiet --words busy.words --results res --first-fill open5.C_WM
  contains err.txt "Another composer is working"
  expect 1 "$bin" --layout open3.txt --language en --save open5.C_WM --no-compose
  contains err.txt "Another composer is working"
  cmp -s open5.C_WM before.C_WM || fail "a layout a search holds was replaced"
  kill -INT $pid
  wait $pid || fail "the search failed: $(cat search.out)"
  [ "$(grep -c '\.C_W$' search.out)" -eq "$(ls res | wc -l)" ] || fail "the search's results were touched"
  # Eight first fills at once: eight results under eight names, each the one reported.
  for i in 1 2 3 4 5 6 7 8; do
    "$bin" --quiet --words small.words --results race --first-fill --lanes 1 open3.C_WM >race$i.out 2>race$i.err &
  done
  wait
  [ "$(ls race | wc -l)" -eq 8 ] || fail "eight first fills left $(ls race | wc -l) files: $(cat race*.err)"
  [ "$(head -qn1 race?.out | sort -u | wc -l)" -eq 8 ] || fail "two first fills reported one name"
  ls -a race | grep -q '\.tmp' && fail "temporary files left"
  # The last number taken: refused, nothing replaced.
  printf 'last' > race/open32147483647.C_W
  expect 1 "$bin" --quiet --words small.words --results race --first-fill open3.C_WM
  contains err.txt "No result number is left"
  [ "$(cat race/open32147483647.C_W)" = last ] || fail "the last result was overwritten"
  ;;
examples)
  # Every example layout gives a result within seconds with the shipped word lists.
  [ -e "$program/Make/EN.words" ] || { echo "word lists not built; skipped"; exit 0; }
  for layout in "$source"/data/layouts/*.C_WM; do
    name=$(basename "$layout")
    cp "$layout" "$name"
    start=$(date +%s.%N)
    expect 0 "$bin" --quiet --results res --max-results 1 --time-limit 20 "$name"
    contains err.txt "result limit reached"
    echo "$name: first result after $(awk "BEGIN { print $(date +%s.%N) - $start }") s"
  done
  ;;
*) fail "unknown scenario $scenario" ;;
esac

finish_scenario "$scenario"

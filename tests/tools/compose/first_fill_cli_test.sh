#!/usr/bin/env bash
# first_fill_cli_test.sh BINARY WORK_FOLDER SCENARIO
# gridwright-compose --first-fill and --no-repeat on the command line, and its progress lines.
set -uo pipefail
bin=$1 work=$2 scenario=$3
source "$(cd "$(dirname "$0")" && pwd)/cli_test_common.sh"

# Every row and column of the 3 x 3 board in a result file is a word of the list.
valid3() {
  python3 - "$1" <<'PY'
import sys
board = open(sys.argv[1], 'rb').read()[7:16].decode()
words = set(open('small.words').read().split())
rows = [board[i*3:i*3+3] for i in range(3)]
cols = [''.join(r[c] for r in rows) for c in range(3)]
sys.exit(0 if all(w in words for w in rows + cols) else 1)
PY
}

case "$scenario" in
first_fill)
  expect 0 "$bin" --words small.words --results res --layout open3.txt --language en --save open3.C_WM \
    --first-fill --seed 7 --lanes 1
  contains out.txt "res/open31.C_W"
  contains out.txt "Result 1:"
  contains out.txt "Seed 7 (--first-fill --seed 7 --lanes 1 gives this fill again)"
  [ "$(stat -c %s res/open31.C_W)" -eq 33 ] || fail "3 x 3 result is not 33 bytes"
  valid3 res/open31.C_W || fail "the fill is not made of words of the list"
  [ ! -e open3.TMP ] || fail "a first fill left a state file"
  # The next run is the next result file; the same seed gives the same fill.
  expect 0 "$bin" --quiet --words small.words --results res --first-fill --seed 7 --lanes 1 open3.C_WM
  contains out.txt "res/open32.C_W"
  cmp -s res/open31.C_W res/open32.C_W || fail "the same seed gave another fill"
  expect 0 "$bin" --quiet --words small.words --results res --first-fill --seed 7 --lanes 2 open3.C_WM
  expect 0 "$bin" --quiet --words small.words --results res --first-fill --seed 7 --lanes 2 open3.C_WM
  cmp -s res/open33.C_W res/open34.C_W || fail "the same seed and two lanes gave another fill"
  # Learning lanes too: their fill is a function of the seed, and the hint repeats --learn.
  expect 0 "$bin" --words small.words --results res --first-fill --seed 7 --lanes 2 --learn open3.C_WM
  contains out.txt "--first-fill --seed 7 --lanes 2 --learn gives this fill again"
  expect 0 "$bin" --quiet --words small.words --results res --first-fill --seed 7 --lanes 2 --learn open3.C_WM
  cmp -s res/open35.C_W res/open36.C_W || fail "the same seed with --learn gave another fill"
  valid3 res/open33.C_W || fail "the two-lane fill is not made of words of the list"
  # Without --seed a seed is chosen and printed.
  expect 0 "$bin" --quiet --words small.words --results res --first-fill open3.C_WM
  grep -qE '^Seed [0-9]+ ' out.txt || fail "no seed printed: $(cat out.txt)"
  ;;
no_repeat)
  # Both fills of the 2 x 2 square repeat a word: AB/BA down as across.
  printf 'AB\r\nBA\r\n' > square.words
  printf '..\n..\n' > square.txt
  expect 0 "$bin" --quiet --words square.words --results all --layout square.txt --language en --save square.C_WM
  [ "$(ls all | wc -l)" -eq 2 ] || fail "the square has not two fills"
  # Neither search finds a fill: the status says so.
  expect 3 "$bin" --quiet --words square.words --results none --no-repeat square.C_WM
  contains err.txt "Search exhausted"
  [ -z "$(ls none 2>/dev/null)" ] || fail "--no-repeat wrote a fill with a repeated word"
  expect 3 "$bin" --quiet --words square.words --results none --no-repeat --first-fill square.C_WM
  contains err.txt "No fill exists"
  [ -z "$(ls none 2>/dev/null)" ] || fail "--first-fill --no-repeat wrote a fill with a repeated word"
  ;;
stop)
  # Random seven-letter words: the search runs long, and a stop writes nothing.
  random_words busy.words 3 7 4000
  open_layout open7.txt 7
  expect 0 "$bin" --words busy.words --results res --layout open7.txt --language en --save open7.C_WM \
    --first-fill --seed 1 --lanes 2 --time-limit 0.5
  contains err.txt "Stopped (time limit reached)"
  contains err.txt "nothing written"
  [ -z "$(ls res 2>/dev/null)" ] || fail "a stopped first fill wrote a result"
  "$bin" --quiet --words busy.words --results res --first-fill --lanes 2 open7.C_WM >out.txt 2>err.txt &
  pid=$!
  sleep 0.5
  kill -INT $pid
  wait $pid || fail "Ctrl+C gave a failure status"
  contains err.txt "Stopped (interrupted)"
  [ -z "$(ls res 2>/dev/null)" ] || fail "an interrupted first fill wrote a result"
  ;;
progress_lines)
  # Standard error is a file here: progress comes as plain lines, never redrawn with \r.
  random_words busy.words 7 5 3000
  open_layout open5.txt 5
  expect 0 "$bin" --words busy.words --results res --layout open5.txt --language en --save open5.C_WM --time-limit 1
  contains err.txt "T: "
  if grep -q $'\r' err.txt; then fail "carriage returns in a log: $(od -c err.txt | head)"; fi
  ;;
options)
  "$bin" --layout open3.txt --language en --save open3.C_WM --no-compose >/dev/null
  expect 2 "$bin" --seed 5 open3.C_WM
  contains err.txt "--first-fill"
  expect 2 "$bin" --first-fill --seed five open3.C_WM
  expect 2 "$bin" --first-fill --lanes 0 open3.C_WM
  expect 2 "$bin" --first-fill --continue open3.C_WM
  printf 'Q..\n...\n...\n' > q.txt
  expect 1 "$bin" --words small.words --layout q.txt --language en --save q.C_WM --first-fill
  contains err.txt "No solution possible!"
  # A program folder without its language's word list: the message names the list.
  mkdir bare && cp "$bin" bare/
  expect 1 bare/gridwright-compose --first-fill open3.C_WM
  contains err.txt "EN.words\" is missing"
  expect 0 "$bin" --help
  contains out.txt "--first-fill"
  ;;
*) fail "unknown scenario $scenario" ;;
esac

finish_scenario "$scenario"

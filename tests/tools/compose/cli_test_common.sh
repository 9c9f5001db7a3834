# What the gridwright-compose command-line tests share, sourced after `set -uo pipefail` with
# $work (and $bin, the program) set: an empty work folder as the current folder, the checks that
# count failures, the small English word list with an open 3 x 3 layout, busy word lists and the
# checksums of results. The script ends with `finish_scenario`.
rm -rf "$work" && mkdir -p "$work" && cd "$work" || exit 1

failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
# expect STATUS COMMAND...: runs the command with out/err captured and checks its exit status.
expect() {
  local want=$1
  shift
  "$@" >out.txt 2>err.txt
  local got=$?
  [ "$got" -eq "$want" ] || fail "exit $got (wanted $want): $* -- $(cat err.txt)"
}
contains() { grep -qF -- "$2" "$1" || fail "$1 lacks \"$2\": $(cat "$1")"; }

# open_layout FILE SIZE: a text layout of SIZE x SIZE open cells.
open_layout() {
  local row
  row=$(printf "%$2s" '' | tr ' ' .)
  for _ in $(seq "$2"); do echo "$row"; done >"$1"
}

# random_words FILE SEED LENGTH COUNT [distinct]: a word list that keeps a search busy, COUNT
# words of LENGTH random letters drawn from SEED (with `distinct`, drawn until COUNT differ).
random_words() {
  python3 - "$@" <<'PY'
import random, sys
name, seed, length, count = sys.argv[1], int(sys.argv[2]), int(sys.argv[3]), int(sys.argv[4])
distinct = sys.argv[5:] == ['distinct']
random.seed(seed)
words, draws = set(), 0
while (len(words) if distinct else draws) < count:
    words.add(''.join(random.choice('ABCDEFGHIJKLMNOPQRSTUVWXYZ') for _ in range(length)))
    draws += 1
open(name, 'w').write(''.join(w + '\r\n' for w in sorted(words)))
PY
}

# hashes FOLDER NAME_PREFIX: the checksums of a search's result files in result order.
hashes() {
  local n=1
  while [ -e "$1/$2$n.C_W" ]; do
    sha256sum <"$1/$2$n.C_W" | cut -d' ' -f1
    n=$((n + 1))
  done
}

# whole_search: the unsplit search of open3 into whole/, its checksums in whole.txt.
whole_search() {
  expect 0 "$bin" --quiet --words small.words --results whole --layout open3.txt --language en --save open3.C_WM
  hashes whole open3 >whole.txt
  [ "$(wc -l <whole.txt)" -gt 10 ] || fail "the unsplit search found too few fills to split"
}

# A word list whose fills are few and quick, and the open layout it fills.
printf 'CAT\r\nCOT\r\nACE\r\nTEN\r\nTON\r\nONE\r\nOAT\r\nATE\r\nEAT\r\nTEA\r\nNET\r\nANT\r\nCAN\r\nNOT\r\nTOE\r\n' >small.words
open_layout open3.txt 3

finish_scenario() {  # finish_scenario NAME: says OK when nothing failed; the exit status
  [ "$failures" -eq 0 ] && echo "OK: $1"
  exit $((failures > 0))
}

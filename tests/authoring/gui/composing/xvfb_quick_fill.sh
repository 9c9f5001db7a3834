#!/usr/bin/env bash
# "Quick fill" under Xvfb, from the grid's pop-up menu as an author reaches it by keyboard,
# on an American 15 × 15 with the English word list: each run writes the next result file,
# and every across and down word of it is a word of the list on the layout's blocks.
# Usage: xvfb_quick_fill.sh PAGE_HOST GRIDWRIGHT_COMPOSE WORD_FILE WORK_DIR
# Screenshots stay in WORK_DIR/*.png.
set -euo pipefail
host=$1 compose=$2 words=$3 work=$4

if [ ! -s "$words" ]; then
  echo "no English word list ($words): skipped"
  exit 77
fi
if [ -z "${DISPLAY_READY:-}" ]; then
  exec env DISPLAY_READY=1 timeout 280 xvfb-run -a -s "-screen 0 1024x768x24 -noreset" "$0" "$@"
fi

rm -rf "$work"
mkdir -p "$work/prog/Make/Results" "$work/home"
chmod 700 "$work/home"
export HOME=$work/home XDG_RUNTIME_DIR=$work/home QT_QPA_PLATFORM=xcb
cp "$words" "$work/prog/Make/EN.words"
cat >"$work/us15.txt" <<'LAYOUT'
.....#....#....
.....#....#....
..........#....
......##...#...
###.....#.....#
...#...........
.....#....#....
....#.....#....
....#....#.....
...........#...
#.....#.....###
...#...##......
....#..........
....#....#.....
....#....#.....
LAYOUT
pattern=$work/prog/Make/us15.C_WM
"$compose" --layout "$work/us15.txt" --language en --save "$pattern" --no-compose >/dev/null

fail() { echo "FAIL: $*" >&2; exit 1; }
wait_for() {  # wait_for SECONDS COMMAND...
  local limit=$1; shift
  for _ in $(seq $((limit * 10))); do "$@" >/dev/null 2>&1 && return 0; sleep 0.1; done
  return 1
}
window_named() { xdotool search --onlyvisible --name "$1" | head -n 1 | grep -q .; }
shot() { import -window root "$work/$1.png"; }
# The grid's pop-up menu from the keyboard: ChangeStatus, Start compose ..., Quick fill, ...
quick_fill() { xdotool key Menu; sleep 0.4; xdotool key Down Down Down Return; }
# Every run of two or more letters across and down is a listed word; blocks stay where the layout has them.
check_fill() {
  python3 - "$1" "$work/us15.txt" "$words" <<'PY'
import sys
data = open(sys.argv[1], 'rb').read()
assert data[:4] == b'CW10', 'no crossword file'
rows, cols = data[5], data[6]
board = [data[7 + r * cols:7 + (r + 1) * cols].decode('latin-1') for r in range(rows)]
layout = open(sys.argv[2]).read().split()
words = set(open(sys.argv[3], 'rb').read().decode('latin-1').split())
for r in range(rows):
    for c in range(cols):
        assert (board[r][c] == ' ') == (layout[r][c] == '#'), f'cell {r},{c}'
runs = [run for line in board + [''.join(col) for col in zip(*board)] for run in line.split(' ') if len(run) >= 2]
bad = [w for w in runs if w not in words]
assert not bad, f'not in the list: {bad}'
print(f'{len(runs)} words, all listed')
PY
}

"$host" --program-folder "$work/prog" "$pattern" 2>"$work/host.log" &
pid=$!
trap 'kill $pid 2>/dev/null || true' EXIT
wait_for 20 window_named 'Composing :' || fail "the page did not open the layout"
sleep 1
xdotool search --onlyvisible --name 'Composing :' windowfocus --sync
sleep 0.3
shot 1-layout

quick_fill
wait_for 120 test -f "$work/prog/Make/Results/us151.C_W" || { shot fail; fail "no result after Quick fill"; }
sleep 0.5
shot 2-quick-fill
check_fill "$work/prog/Make/Results/us151.C_W" || fail "the first fill is no fill of the layout"

quick_fill
wait_for 120 test -f "$work/prog/Make/Results/us152.C_W" || fail "a second Quick fill wrote no next result"
check_fill "$work/prog/Make/Results/us152.C_W" || fail "the second fill is no fill of the layout"
kill $pid
wait $pid 2>/dev/null || true
trap - EXIT
[ "$(ls "$work/prog/Make/Results" | wc -l)" -eq 2 ] || fail "other files in the results folder"
echo "two Quick fills, us151.C_W and us152.C_W, both fills of the layout"

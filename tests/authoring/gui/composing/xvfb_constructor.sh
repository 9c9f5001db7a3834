#!/usr/bin/env bash
# The composing page as a constructor uses it, under Xvfb with real key presses: on an empty
# 15 × 15 layout, rotational symmetry chosen from the grid's pop-up menu, the isles of the
# upper half of GRID.txt drawn with Space (their partners come along; where isles follow one
# another in a row, Space alone moves on to the next), one undo and one redo, saved; the
# pattern file must be exactly the one gridwright-compose makes from GRID.txt. Then the cells
# are zoomed, the grid Quick filled, its top left 5 × 5 corner selected with Shift+arrows and
# filled again by "Quick fill selection" (every letter outside the corner stays), that undone,
# a theme word typed, and Start compose shows the word order dialog.
# Usage: xvfb_constructor.sh PAGE_HOST GRIDWRIGHT_COMPOSE WORD_FILE GRID.txt WORK_DIR
# Screenshots stay in WORK_DIR/*.png.
set -euo pipefail
host=$1 compose=$2 words=$3 grid=$4 work=$5

source "$(dirname "$0")/composing_xvfb.sh"
composing_xvfb_start 1024x768 280 "$@"
rows=$(wc -l <"$grid")
columns=$(head -n 1 "$grid" | tr -d '\r\n' | wc -c)
# An empty layout of the grid's size, and the grid itself, both made by gridwright-compose.
sed 's/#/./g' "$grid" >"$work/empty.txt"
"$compose" --layout "$work/empty.txt" --language en --save "$work/prog/Make/drawn.C_WM" --no-compose >/dev/null
"$compose" --layout "$grid" --language en --save "$work/expected.C_WM" --no-compose >/dev/null

go_to() { xdotool key ctrl+Home; [ "$1" -gt 0 ] && xdotool key --delay 5 --repeat "$1" Down; [ "$2" -gt 0 ] && xdotool key --delay 5 --repeat "$2" Right; true; }
# The grid's pop-up menu from the keyboard; `popup Up Return` picks its last entry.
popup() { xdotool key Menu; sleep 0.4; xdotool key "$@"; sleep 0.3; }
results() { ls "$work/prog/Make/Results" | wc -l; }

"$host" --program-folder "$work/prog" "$work/prog/Make/drawn.C_WM" 2>"$work/host.log" &
pid=$!
trap 'kill $pid 2>/dev/null || true' EXIT
wait_for 20 window_named 'Composing : drawn' || fail "the layout did not open"
window=$(window_named 'Composing : drawn')
xdotool windowfocus --sync "$window"
sleep 0.5

# Rotational symmetry: the Symmetry entry, second from the end of the pop-up menu, its second choice.
popup Up Up Right
xdotool key Down Return
sleep 0.3

# Every isle up to the centre cell; the rest are their partners. Space moves the cursor on as
# a letter does, so an isle right after the last one needs no cursor move.
half=$(((rows * columns + 1) / 2))
n=0
at=-1
while IFS= read -r line; do
  for ((c = 0; c < columns; c++)); do
    index=$((n / columns * columns + c))
    [ "$index" -lt "$half" ] || continue
    [ "${line:$c:1}" = "#" ] || continue
    [ "$index" -eq "$at" ] || go_to $((n / columns)) "$c"
    xdotool key space
    at=$((index + 1))
    [ "$c" -lt $((columns - 1)) ] || at=-1
  done
  n=$((n + columns))
done <"$grid"
sleep 0.3
shot 1-drawn
xdotool key ctrl+z
sleep 0.3
shot 2-undone
xdotool key ctrl+shift+z ctrl+s
sleep 0.5
cmp -s "$work/prog/Make/drawn.C_WM" "$work/expected.C_WM" || fail "the drawn layout differs from $grid"

# Larger cells: the window grows to show the grid whole.
height() { xdotool getwindowgeometry "$window" | sed -n 's/.*Geometry: [0-9]*x\([0-9]*\).*/\1/p'; }
height_before=$(height)
xdotool key ctrl+plus ctrl+plus
sleep 0.5
[ "$(height)" -gt "$height_before" ] || fail "zooming in did not grow the window ($height_before, $(height))"

# Quick fill: ChangeStatus, Start compose ..., Quick fill.
popup Down Down Down Return
wait_for 120 test -f "$work/prog/Make/Results/drawn1.C_W" || fail "no result after Quick fill"
sleep 0.5
shot 3-quick-filled

# The top left 5 × 5 corner, then "Quick fill selection", the last entry of the pop-up menu.
xdotool key ctrl+Home
xdotool key --delay 20 --repeat 4 shift+Right
xdotool key --delay 20 --repeat 4 shift+Down
sleep 0.3
shot 4-corner-selected
popup Up Return
wait_for 120 test -f "$work/prog/Make/Results/drawn2.C_W" || fail "no result after Quick fill selection"
sleep 0.5
shot 5-corner-filled
python3 - "$work/prog/Make/Results/drawn1.C_W" "$work/prog/Make/Results/drawn2.C_W" "$words" <<'PY' || fail "the corner's fill changed letters outside it or is no fill"
import sys
def board(path):
    data = open(path, 'rb').read()
    rows, cols = data[5], data[6]
    return [data[7 + r * cols:7 + (r + 1) * cols].decode('latin-1') for r in range(rows)]
before, after = board(sys.argv[1]), board(sys.argv[2])
words = set(open(sys.argv[3], 'rb').read().decode('latin-1').split())
for r, line in enumerate(after):
    for c, ch in enumerate(line):
        assert r < 5 and c < 5 or ch == before[r][c], f'cell {r},{c} changed'
runs = [run for line in after + [''.join(col) for col in zip(*after)] for run in line.split(' ') if len(run) >= 2]
assert all(w in words for w in runs), 'a word not in the list'
print('corner refilled; every other letter kept;', sum(a != b for x, y in zip(before, after) for a, b in zip(x, y)), 'cells changed')
PY

# Back to the drawn layout, a theme word in the top row, and Start compose: the word order dialog.
xdotool key ctrl+z
sleep 0.3
go_to 0 0
xdotool type --delay 30 "crane"
popup Down Down Return
wait_for 20 window_named 'Sort-order of words' || fail "Start compose showed no word order dialog"
sleep 0.5
shot 6-word-order
dialog=$(window_named 'Sort-order of words')
geometry=$(xdotool getwindowgeometry "$dialog")
dw=$(echo "$geometry" | sed -n 's/.*Geometry: \([0-9]*\)x.*/\1/p')
dh=$(echo "$geometry" | sed -n 's/.*Geometry: [0-9]*x\([0-9]*\).*/\1/p')
[ "$dw" -ge 480 ] && [ "$dh" -ge 400 ] || fail "the word order dialog is $dw x $dh"
kill $pid
wait $pid 2>/dev/null || true
trap - EXIT
echo "drawn with half the isles, undone and redone, saved as $grid; zoomed; Quick filled; the corner refilled alone; word order dialog $dw x $dh"

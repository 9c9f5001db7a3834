#!/usr/bin/env bash
# The "Candidates" panel and the red marks as a constructor uses them, under Xvfb with real
# key presses and clicks: us15 copied into the program's layout folder and opened, the best
# word of the panel placed with Enter in the top-left slot and another with a double-click in
# the middle across slot, then letters typed that no word fits (a red outline appears) and one
# undo (it goes). The pattern file saved at the end holds the two words and nothing else.
# Usage: xvfb_candidates.sh PAGE_HOST GRIDWRIGHT_COMPOSE WORD_FILE GRID.txt WORK_DIR
# Screenshots stay in WORK_DIR/*.png.
set -euo pipefail
host=$1 compose=$2 words=$3 grid=$4 work=$5

source "$(dirname "$0")/composing_xvfb.sh"
composing_xvfb_start 1280x1024 120 "$@"
[ -f "${words%.words}.scores" ] && cp "${words%.words}.scores" "$work/prog/Make/EN.scores"
pattern=$work/prog/Make/us15.C_WM
"$compose" --layout "$grid" --language en --save "$pattern" --no-compose >/dev/null

# Pixels of the marks' red on the screen.
red_pixels() {
  convert "$work/$1.png" -fill black +opaque "rgb(220,0,0)" -fill white -opaque "rgb(220,0,0)" \
    -colorspace gray -format "%[fx:round(mean*w*h)]" info:
}
letters_of_row() {  # the row of the saved layout as text, '.' open and '#' an isle
  python3 - "$pattern" "$1" <<'PY'
import sys
data = open(sys.argv[1], 'rb').read()
row = int(sys.argv[2])
cells = data[12:12 + 41 * 41 * 2]
rows, cols = 15, 15
out = ''
for c in range(cols):
    i = (c * 41 + row) * 2
    n, ch = cells[i], cells[i + 1]
    out += '.' if n == 0 else '#' if ch == 0xA4 else chr(ch)
print(out)
PY
}

"$host" --program-folder "$work/prog" "$pattern" 2>"$work/host.log" &
pid=$!
trap 'kill $pid 2>/dev/null || true' EXIT
wait_for 20 window_named 'Composing : us15' || fail "the layout did not open"
xdotool search --onlyvisible --name 'Composing : us15' windowfocus --sync
sleep 2
shot 1-opened

# Alt+C takes the keyboard to the list; placing a word gives it back to the grid.
to_list() { xdotool key alt+c; sleep 0.3; }
go_to() { xdotool key ctrl+Home; [ "$1" -gt 0 ] && xdotool key --delay 20 --repeat "$1" Down; [ "$2" -gt 0 ] && xdotool key --delay 20 --repeat "$2" Right; true; }

# The best word of the top-left across slot, with Enter.
to_list
xdotool key Down Up Return
sleep 1
shot 2-first-placed
# The second word of the across slot of row 8, columns 6 to 10.
go_to 7 5
sleep 2
shot 3-middle-slot
to_list
xdotool key Down Down Return
sleep 1
shot 4-second-placed
[ "$(red_pixels 4-second-placed)" -eq 0 ] || fail "red marks before anything was made unfillable"

# X then Q in the bottom row: no word starts XQ, so the slot is outlined; undo takes the Q.
go_to 14 10
xdotool type --delay 100 xq
sleep 1.5
shot 5-unfillable
[ "$(red_pixels 5-unfillable)" -gt 100 ] || fail "no red mark after XQ"
xdotool key ctrl+z
sleep 1.5
shot 6-undone
[ "$(red_pixels 6-undone)" -eq 0 ] || fail "the red mark stayed after undo"
xdotool key ctrl+s
sleep 0.5
kill $pid
wait $pid 2>/dev/null || true
trap - EXIT

top=$(letters_of_row 0)
middle=$(letters_of_row 7)
bottom=$(letters_of_row 14)
tr -d "\r" <"$words" | grep -Fx "${top:0:5}" >/dev/null || fail "row 1 starts with ${top:0:5}, no word of the list"
tr -d "\r" <"$words" | grep -Fx "${middle:5:5}" >/dev/null || fail "row 8 holds ${middle:5:5}, no word of the list"
[ "${top:5}" = "#....#...." ] || fail "row 1 changed beyond its first word: $top"
[ "$bottom" = "....#....#X...." ] || fail "row 15 is $bottom"
echo "placed ${top:0:5} and ${middle:5:5} from the candidate list; XQ marked, undone"

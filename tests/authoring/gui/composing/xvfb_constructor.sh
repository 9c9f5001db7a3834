#!/usr/bin/env bash
# The composing page as a constructor uses it, under Xvfb with real key presses: on an empty
# 15 × 15 layout, rotational symmetry chosen from the grid's pop-up menu, the isles of the
# upper half of GRID.txt drawn with Space (their partners come along), one undo and one redo,
# saved; the pattern file must be exactly the one gridwright-compose makes from GRID.txt.
# Usage: xvfb_constructor.sh PAGE_HOST GRIDWRIGHT_COMPOSE WORD_FILE GRID.txt WORK_DIR
# Screenshots stay in WORK_DIR/*.png.
set -euo pipefail
host=$1 compose=$2 words=$3 grid=$4 work=$5

if [ ! -s "$words" ]; then
  echo "no English word list ($words): skipped"
  exit 77
fi
source "$(dirname "$0")/../../../xvfb_common.sh"
xvfb_rerun 1024x768 120 "$@"

xvfb_home "$work"
mkdir -p "$work/prog/Make/Results"
cp "$words" "$work/prog/Make/EN.words"
rows=$(wc -l <"$grid")
columns=$(head -n 1 "$grid" | tr -d '\r\n' | wc -c)
# An empty layout of the grid's size, and the grid itself, both made by gridwright-compose.
sed 's/#/./g' "$grid" >"$work/empty.txt"
"$compose" --layout "$work/empty.txt" --language en --save "$work/prog/Make/drawn.C_WM" --no-compose >/dev/null
"$compose" --layout "$grid" --language en --save "$work/expected.C_WM" --no-compose >/dev/null

shot() { import -window root "$work/$1.png"; }
go_to() { xdotool key ctrl+Home; [ "$1" -gt 0 ] && xdotool key --delay 5 --repeat "$1" Down; [ "$2" -gt 0 ] && xdotool key --delay 5 --repeat "$2" Right; true; }

"$host" --program-folder "$work/prog" "$work/prog/Make/drawn.C_WM" 2>"$work/host.log" &
pid=$!
trap 'kill $pid 2>/dev/null || true' EXIT
wait_for 20 window_named 'Composing : drawn' || fail "the layout did not open"
xdotool search --onlyvisible --name 'Composing : drawn' windowfocus --sync
sleep 0.5

# Rotational symmetry: the last entry of the grid's pop-up menu, its second choice.
xdotool key Menu
sleep 0.4
xdotool key Up Right
sleep 0.3
xdotool key Down Return
sleep 0.3

# Every isle up to the centre cell; the rest are their partners.
half=$(((rows * columns + 1) / 2))
n=0
while IFS= read -r line; do
  for ((c = 0; c < columns; c++)); do
    index=$((n / columns * columns + c))
    [ "$index" -lt "$half" ] || continue
    [ "${line:$c:1}" = "#" ] && { go_to $((n / columns)) "$c"; xdotool key space; }
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
kill $pid
wait $pid 2>/dev/null || true
trap - EXIT
echo "drawn with half the isles, undone and redone, saved as $grid"

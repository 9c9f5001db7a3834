#!/usr/bin/env bash
# The composing page under Xvfb, driven from the keyboard as an author can drive it: a new
# 4 × 4 layout with a letter and isles, saved, composed, stopped, closed, opened again,
# "Continue?" answered Yes, stopped again. The result files must be exactly those that an
# unbroken gridwright-compose writes for the same layout.
# Usage: xvfb_compose.sh PAGE_HOST GRIDWRIGHT_COMPOSE WORD_FILE WORK_DIR
# Screenshots stay in WORK_DIR/*.png.
set -euo pipefail
host=$1 compose=$2 words=$3 work=$4

source "$(dirname "$0")/composing_xvfb.sh"
composing_xvfb_start 1024x768 280 "$@"
mkdir -p "$work/cli/Results"
pattern=$work/prog/Make/cat.C_WM

# Without a window manager nobody gives the main window the keyboard back after a dialog.
refocus() { sleep 0.3; xdotool search --onlyvisible --name 'Crosswords Authoring|Make :|Composing :' windowfocus --sync; sleep 0.2; }
# The grid's pop-up menu from the keyboard; its first entry starts or stops composing.
change_status() { xdotool key Menu; sleep 0.4; xdotool key Down Return; sleep 0.4; }

"$host" --program-folder "$work/prog" 2>"$work/host.log" &
pid=$!
trap 'kill $pid 2>/dev/null || true' EXIT
wait_for 20 window_named 'Crosswords Authoring' || fail "the page did not show"
refocus

xdotool key ctrl+n
wait_for 10 window_named '^Crossword Layout$' || fail "no new layout dialog"
xdotool key Return
refocus
# One letter leaves some 200,000 fills: the search is still running when it is stopped.
xdotool type c
xdotool key Right Right space Down Down Down Left Left Left space Up
sleep 0.3
shot 1-layout
xdotool key ctrl+s
wait_for 10 window_named '^Save$' || fail "no save dialog"
xdotool type "$pattern"
xdotool key Return
wait_for 10 test -f "$pattern" || fail "the layout was not saved"
refocus

change_status
wait_for 10 window_named '^Sort-order of words$' || fail "no word order dialog"
shot 2-word-order
xdotool key Return
refocus
sleep 1
shot 3-composing
change_status
wait_for 10 test -f "${pattern%.C_WM}.TMP" || fail "Stop wrote no state file"

xdotool key ctrl+F4
sleep 0.3
xdotool key ctrl+o
wait_for 10 window_named '^Open$' || fail "no open dialog"
xdotool type "$pattern"
xdotool key Return
wait_for 10 window_named '^Gridwright$' || fail "no \"Continue?\""
xdotool key Return
refocus
sleep 0.5
change_status
sleep 0.5
shot 4-stopped
kill $pid
wait $pid 2>/dev/null || true
trap - EXIT

count=$(ls "$work/prog/Make/Results" | wc -l)
[ "$count" -gt 0 ] || fail "no result files"
cp "$pattern" "$work/cli/cat.C_WM"
"$compose" --words "$words" --results "$work/cli/Results" --max-results "$count" --quiet "$work/cli/cat.C_WM" \
  >"$work/cli.log" 2>&1 || fail "gridwright-compose failed"
diff -r "$work/cli/Results" "$work/prog/Make/Results" >/dev/null || fail "result files differ from gridwright-compose"
echo "$count result files, identical to gridwright-compose's"

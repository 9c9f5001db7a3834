#!/usr/bin/env bash
# Scores in the dictionary editor under a real X server, as a constructor uses them: import a
# small WORD;SCORE list (one line refused for its score), show the words that fit C?T*, sort
# by score, press OK, and check the word file and the score file written beside it.
# Usage: xvfb_dictionary_scores.sh HARNESS WORK_DIR   (screenshots: WORK_DIR/*.png)
set -euo pipefail
harness=$1 work=$2
source "$(dirname "$0")/../../../xvfb_common.sh"
xvfb_rerun 1024x768 120 "$@"

xvfb_home "$work"
mkdir -p "$work/bin/Make"
printf 'ACT\r\nCAT\r\nCOT\r\nCUT\r\nDOG\r\n' >"$work/bin/Make/EN.words"
printf 'cot;20\ncat;90\ncoat;35\ncats;80\nxyz;500\n' >"$work/scored.txt"

window() { xdotool search --onlyvisible --name "$1" | head -n 1; }
click_in() {  # click_in WINDOW X Y
  local X Y
  eval "$(xdotool getwindowgeometry --shell "$1")"
  xdotool mousemove $((X + $2)) $((Y + $3)) click 1
}

"$harness" en "$work/bin" >"$work/harness.log" 2>&1 &
pid=$!
wait_for 30 window '^Word dictionary : English$' || fail "the editor did not open"
editor=$(window '^Word dictionary : English$')
sleep 0.5

click_in "$editor" 179 334  # Import from file
wait_for 10 window '^Open$' || fail "no file dialog"
sleep 0.3
xdotool type --delay 5 "$work/scored.txt"
xdotool key Return
sleep 1
xdotool key Return  # "Found 5 entries! Want to import?" Yes
sleep 1.5
import -window root "$work/added.png"
xdotool key Return  # "Added 2 words!"
sleep 0.5
import -window root "$work/skipped.png"
xdotool key Return  # the lines skipped, and why
sleep 0.5

click_in "$editor" 100 263  # the pattern box
xdotool type --delay 20 'c?t*'
sleep 0.5
import -window root "$work/pattern.png"
click_in "$editor" 368 20  # the Score column's header: sorted by score
sleep 0.3
import -window root "$work/sorted.png"

click_in "$editor" 358 334  # OK
wait_for 30 bash -c "! kill -0 $pid" || fail "OK did not close the editor"
wait "$pid" || fail "the editor ended with $? ($(cat "$work/harness.log"))"
[ "$(cat "$work/bin/Make/EN.words")" = "$(printf 'ACT\r\nCAT\r\nCATS\r\nCOAT\r\nCOT\r\nCUT\r\nDOG\r')" ] ||
  fail "word file: $(cat -A "$work/bin/Make/EN.words")"
[ "$(cat "$work/bin/Make/EN.scores")" = "$(printf 'CAT;90\nCATS;80\nCOAT;35\nCOT;20')" ] ||
  fail "score file: $(cat -A "$work/bin/Make/EN.scores")"
echo "ok: scored import, pattern and sort"

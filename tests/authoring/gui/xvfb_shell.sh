#!/usr/bin/env bash
# Starts Gridwright under Xvfb as a new user would (a program folder without settings)
# and drives it with the keyboard:
#   1. a first start: the start page is up, the results folder exists;
#   2. Compose, then Alt+F4 back to the start page (its caption), F1 opens the help window,
#      Alt+F4 on the start page ends the program: crossword.conf holds the four folders;
#   3. a file that is no layout on the command line: the reader's message, the program goes
#      on, and SIGTERM ends it cleanly.
# Usage: xvfb_shell.sh GRIDWRIGHT LAYOUTS_DIR EXAMPLES_DIR WORK_DIR
# Screenshots go to WORK_DIR/*.png when GRIDWRIGHT_SHOTS=1.
set -euo pipefail
program=$1 layouts=$2 examples=$3 work=$4
source "$(dirname "$0")/../../xvfb_common.sh"
xvfb_rerun 1024x768 280 "$@"

xvfb_home "$work"
program=$(xvfb_program_folder "$work/bin" "$program" "$layouts" "$examples")

other_window() { xdotool search --onlyvisible --pid "$pid" | grep -vx "$win" | head -n 1 | grep .; }

# 1. First start.
"$program" >"$work/run1.log" 2>&1 &
pid=$!
wait_for 20 window_named '^Brevant Software: Crossword Authoring$' || fail "no main window"
win=$(window_named '^Brevant Software: Crossword Authoring$')
[ -d "$work/bin/Make/Results" ] || fail "no results folder at start"
[ ! -e "$work/bin/crossword.conf" ] || fail "settings written at start"
sleep 0.5
shot start-page

# 2. Compose (the focused button), back with Alt+F4, help with F1, Alt+F4 ends the program.
xdotool windowfocus --sync "$win"
xdotool key space
sleep 0.3
shot composing-page
xdotool key alt+F4
wait_for 5 window_named '^Brevant Software : Crosswords Authoring' || fail "Alt+F4 did not lead back to the start page"
xdotool key F1
wait_for 10 window_named '^Crossword Help' || fail "F1 opened no help window"
sleep 0.5
shot help-window
xdotool windowfocus --sync "$win"
xdotool key alt+F4
wait_for 10 bash -c "! kill -0 $pid" || fail "Alt+F4 on the start page did not end the program"
wait "$pid" || fail "the program ended with an error"
conf=$work/bin/crossword.conf
[ -f "$conf" ] || fail "no crossword.conf after exit"
printf '[Folders]\nMake:Open=%s\nMake:Save=%s\nEdit:Open=%s\nEdit:Save=%s\n' \
  "$work/bin/Make" "$work/bin/Make" "$work/bin/Data" "$work/bin/Data" | diff - "$conf" \
  || fail "crossword.conf is not the four folders in order"

# 3. A file that is no layout (nor a crossword, which opens on the editing page): the pattern
# reader's message; the program goes on.
bad=$work/bad.C_WM
head -c 100 /dev/zero >"$bad"
"$program" "$bad" >"$work/run2.log" 2>&1 &
pid=$!
wait_for 20 window_named '^Brevant Software: Crossword Authoring$' || fail "no main window with a bad layout"
win=$(window_named '^Brevant Software: Crossword Authoring$')
wait_for 20 other_window || fail "no message about the bad layout"
sleep 0.3
shot bad-layout
xdotool windowfocus --sync "$(other_window)"
xdotool key Return
wait_for 5 bash -c "! xdotool search --onlyvisible --pid $pid | grep -vx $win" || fail "the message stays"
kill -0 "$pid" || fail "the program ended after the message"
kill -TERM "$pid"
wait "$pid" || fail "SIGTERM did not end the program cleanly"
echo "3 passed, 0 failed"

#!/usr/bin/env bash
# Starts Gridwright under Xvfb as a new user would (a program folder without settings)
# and drives it with the keyboard:
#   1. a first start: the start page is up, the results folder exists;
#   2. Compose, then Alt+F4 back to the start page (its caption), F1 opens the help window,
#      Alt+F4 on the start page ends the program: crossword.conf holds the four folders;
#   3. a file that is no layout on the command line: the reader's message, the program goes
#      on, and SIGTERM ends it cleanly;
#   4. the page in front gets the shared keys: Ctrl+N opens "Crossword Layout" on the composing
#      page; on the editing page Ctrl+O opens a crossword, Ctrl+F4 closes it, Ctrl+N asks for a
#      new one, Alt+F4 leads back (each after a dialog has come and gone);
#   5. SIGTERM while "Save changes?" waits: the program ends at once, the crossword on disk is
#      as it was, the typed clue is kept, and the next start offers it back.
# Usage: xvfb_shell.sh GRIDWRIGHT LAYOUTS_DIR EXAMPLES_DIR WORK_DIR
# Screenshots go to WORK_DIR/*.png when GRIDWRIGHT_SHOTS=1.
set -euo pipefail
program=$1 layouts=$2 examples=$3 work=$4
source "$(dirname "$0")/../../xvfb_common.sh"
xvfb_rerun 1024x768 280 "$@"

xvfb_home "$work"
program=$(xvfb_program_folder "$work/bin" "$program" "$layouts" "$examples")

main_window='^Brevant Software: Crossword Authoring$'
other_window() { xdotool search --onlyvisible --pid "$pid" | grep -vx "$win" | head -n 1 | grep .; }
# start LOG [ARGS...]: starts the program; succeeds once its main window ($win) shows.
start() {
  "$program" "${@:2}" >"$work/$1" 2>&1 &
  pid=$!
  wait_for 20 window_named "$main_window" && win=$(window_named "$main_window")
}
# answer_message SHOT: the message box in front of the main window, screenshot, answered with Return.
answer_message() {
  wait_for 20 other_window || return 1
  sleep 0.3
  shot "$1"
  xdotool windowfocus --sync "$(other_window)"
  xdotool key Return
}

# 1. First start.
start run1.log || fail "no main window"
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
start run2.log "$bad" || fail "no main window with a bad layout"
answer_message bad-layout || fail "no message about the bad layout"
wait_for 5 bash -c "! xdotool search --onlyvisible --pid $pid | grep -vx $win" || fail "the message stays"
kill -0 "$pid" || fail "the program ended after the message"
end_by_sigterm

# 4. Real key presses reach the page in front.
start run3.log || fail "no main window"
xdotool windowfocus --sync "$win"
xdotool key space # Compose
sleep 0.3
xdotool key ctrl+n
wait_for 5 window_named '^Crossword Layout' || fail "Ctrl+N on the composing page opened no Crossword Layout"
xdotool key Escape
wait_for 5 bash -c "! xdotool search --onlyvisible --name '^Crossword Layout'" || fail "Escape left the dialog"
xdotool key alt+F4
wait_for 5 window_named '^Brevant Software : Crosswords Authoring' || fail "Alt+F4 did not leave composing"
xdotool key Tab space # Edit
sleep 0.3
xdotool key ctrl+o
wait_for 5 window_named '^Open' || fail "Ctrl+O on the editing page opened no file dialog"
sleep 0.3
xdotool type --delay 10 "$work/bin/Data/en-igloo.C_W"
xdotool key Return
wait_for 10 window_named '^Edit: en-igloo.C_W' || fail "the crossword did not open"
shot editing-page
xdotool key ctrl+F4
wait_for 5 window_named '^Editing tool' || fail "Ctrl+F4 after the open dialog did not close the crossword"
xdotool key ctrl+n
wait_for 5 window_named '^Crossword Layout' || fail "Ctrl+N on the editing page opened no Crossword Layout"
shot editing-new
xdotool key Escape
sleep 0.3
xdotool key alt+F4
wait_for 5 window_named '^Brevant Software : Crosswords Authoring' || fail "Alt+F4 did not leave editing"
end_by_sigterm

# 5. SIGTERM never waits for an answer; the typed clue comes back at the next start.
crossword=$work/bin/Data/en-igloo.C_W
cp "$crossword" "$work/igloo-before.C_W"
"$program" "$crossword" >"$work/run4.log" 2>&1 &
pid=$!
wait_for 20 window_named '^Edit: en-igloo.C_W' || fail "the crossword on the command line did not open"
win=$(window_named '^Edit: en-igloo.C_W')
xdotool windowfocus --sync "$win"
eval "$(xdotool getwindowgeometry --shell "$win")"
xdotool mousemove $((X + WIDTH * 3 / 4)) $((Y + HEIGHT / 2)) click 1 # the clue editor
xdotool type --delay 10 "Snow house"
xdotool key ctrl+F4
wait_for 10 other_window || fail "no Save changes? question"
shot save-changes-question
kill -TERM "$pid"
wait_for 10 bash -c "! kill -0 $pid" || fail "SIGTERM waited for the question"
wait "$pid" || fail "SIGTERM did not end the program cleanly"
cmp -s "$crossword" "$work/igloo-before.C_W" || fail "the user's crossword was written over"
kept=$(ls "$work/bin/Recovery/"*.C_W 2>/dev/null | head -n 1)
[ -n "$kept" ] || fail "no recovery file"
grep -q "Snow house" "$kept" || fail "the recovery file lacks the typed clue"

start run5.log || fail "no main window at the restart"
answer_message recover-question || fail "no question about the unsaved changes" # Yes
recovered="$work/bin/Data/en-igloo (recovered).C_W"
wait_for 10 test -f "$recovered" || fail "Yes did not restore the work beside the crossword"
wait_for 10 window_named '^Edit: en-igloo \(recovered\).C_W' || fail "the recovered crossword is not open"
shot recovered
grep -q "Snow house" "$recovered" || fail "the recovered crossword lacks the clue"
[ -z "$(ls "$work/bin/Recovery/" 2>/dev/null)" ] || fail "the recovery store was not emptied"
cmp -s "$crossword" "$work/igloo-before.C_W" || fail "the user's crossword was written over"
end_by_sigterm
echo "5 passed, 0 failed"

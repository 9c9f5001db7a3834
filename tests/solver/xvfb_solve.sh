#!/usr/bin/env bash
# Solves crosswords in the real program under Xvfb, typing with xdotool by US key
# position, and checks what a player would see:
#   1. letters typed, then SIGTERM: the progress file holds them (nothing typed is lost);
#   2. started again, the rest typed: the crossword completes, blinks, asks "Try another?",
#      Cancel ends the program and the progress file is gone.
# Usage: xvfb_solve.sh CROSS TEST_TOOL EXAMPLES_DIR WORK_DIR
# Screenshots go to WORK_DIR/*.png when CROSS_SHOTS=1.
set -euo pipefail
cross=$1 tool=$2 examples=$3 work=$4
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../xvfb_common.sh"
source "$here/cross_xvfb.sh"
xvfb_rerun 1024x768 580 "$@"

xvfb_home "$work"
cross_copy "$cross" "$work"
mkdir -p "$work/puzzles"
"$tool" samples "$work/puzzles"
shopt -s nullglob
for f in "$examples"/*.C_W; do cp "$f" "$work/puzzles/"; done

solved=0
for puzzle in "$work"/puzzles/*.C_W; do
  name=$(basename "$puzzle" .C_W)
  keys=$work/$name.keys
  "$tool" keys "$puzzle" >"$keys"
  total=$(wc -l <"$keys")
  half=$((total / 2))
  progress=${puzzle%.C_W}.RES_CW

  start_cross "$puzzle"
  if [ "$solved" -eq 0 ]; then
    # Only one copy runs: a second start ends at once and shows nothing.
    timeout 10 "$cross" "$puzzle" || fail "the second copy did not end by itself"
    [ "$(xdotool search --onlyvisible --name '^Crossword Solving Tool$' | wc -l)" -eq 1 ] \
      || fail "the second copy showed a window"
  fi
  type_half_then_terminate "$name" "$keys" "$half" "$progress" "$work/$name-typing.png"

  start_cross "$puzzle"
  if [ "${CROSS_SHOTS:-}" = 1 ]; then
    xdotool mousemove --window "$win" 2 2 click 3; sleep 0.5
    import -window root "$work/$name-menu.png"; xdotool key Escape; sleep 0.3
  fi
  type_cells "$win" "$keys" $((half + 1)) "$total"
  # Completed: the blinking runs 4.2 s, then the question comes in a window of its own.
  sleep 1.5
  [ "${CROSS_SHOTS:-}" = 1 ] && import -window root "$work/$name-blinking.png"
  wait_for 15 bash -c "[ \$(xdotool search --onlyvisible --name '^Crossword Solving Tool$' | wc -l) -ge 2 ]" \
    || fail "$name: no \"Try another?\" after typing the whole solution"
  [ "${CROSS_SHOTS:-}" = 1 ] && import -window root "$work/$name-question.png"
  kill -0 "$pid" || fail "$name: the program ended before the question was answered"
  [ -f "$progress" ] && fail "$name: the progress file of a solved crossword is still there"
  xdotool key Escape
  wait_for 10 bash -c "! kill -0 $pid" || fail "$name: Cancel at \"Try another?\" did not end the program"
  wait "$pid" || true
  echo "solved $name ($total letters)"
  solved=$((solved + 1))
done
[ "$solved" -ge 3 ] || fail "only $solved crosswords solved"
grep -q '^Mark correct' "$work/bin/CROSS.CONF" || fail "CROSS.CONF was not written beside the program"
echo "$solved passed, 0 failed"

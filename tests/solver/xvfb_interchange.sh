#!/usr/bin/env bash
# Cross solves an exported .puz and an exported .ipuz in the real program under Xvfb, as a
# player would: half the letters typed, then SIGTERM (the progress file beside the file,
# NAME.puz.RES_CW, holds them); started again, the rest typed: the crossword completes and
# asks "Try another?".
# Usage: xvfb_interchange.sh CROSS TEST_TOOL GRIDWRIGHT_CW EXAMPLES_DIR WORK_DIR
# Screenshots go to WORK_DIR/*.png when CROSS_SHOTS=1.
set -euo pipefail
cross=$1 tool=$2 cw=$3 examples=$4 work=$5
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../xvfb_common.sh"
source "$here/cross_xvfb.sh"
xvfb_rerun 1024x768 280 "$@"

xvfb_home "$work"
cross_copy "$cross" "$work"
mkdir -p "$work/puzzles"

for pair in en-igloo:puz sr-cyrillic-vitez:ipuz; do
  name=${pair%%:*} format=${pair##*:}
  puzzle=$work/puzzles/$name.$format
  "$cw" export --to "$format" "$examples/$name.C_W" "$puzzle" 2>/dev/null || fail "$name: export to $format"
  keys=$work/$name.keys
  "$tool" keys "$examples/$name.C_W" >"$keys"  # the same board, so the same keys
  total=$(wc -l <"$keys")
  half=$((total / 2))
  progress=$puzzle.RES_CW

  start_cross "$puzzle"
  type_half_then_terminate "$name.$format" "$keys" "$half" "$progress" "$work/$name-$format-typing.png"

  start_cross "$puzzle"
  type_cells "$win" "$keys" $((half + 1)) "$total"
  wait_for 15 bash -c "[ \$(xdotool search --onlyvisible --name '^Crossword Solving Tool$' | wc -l) -ge 2 ]" \
    || fail "$name.$format: no \"Try another?\" after typing the whole solution"
  [ "${CROSS_SHOTS:-}" = 1 ] && import -window root "$work/$name-$format-solved.png"
  [ -f "$progress" ] && fail "$name.$format: the progress file of a solved crossword is still there"
  xdotool key Escape
  wait_for 10 bash -c "! kill -0 $pid" || fail "$name.$format: Cancel did not end the program"
  wait "$pid" || true
  echo "solved $name.$format ($total letters)"
done
echo "2 passed, 0 failed"

#!/usr/bin/env bash
# Cross solves an exported .puz and an exported .ipuz in the real program under Xvfb, as a
# player would: half the letters typed, then SIGTERM (the progress file beside the file,
# NAME.puz.RES_CW, holds them); started again, the rest typed: the crossword completes and
# asks "Try another?".
# Usage: xvfb_interchange.sh CROSS TEST_TOOL GRIDWRIGHT_CW EXAMPLES_DIR WORK_DIR
# Screenshots go to WORK_DIR/*.png when CROSS_SHOTS=1.
set -euo pipefail
cross=$1 tool=$2 cw=$3 examples=$4 work=$5

if [ -z "${DISPLAY_READY:-}" ]; then
  exec env DISPLAY_READY=1 timeout 280 xvfb-run -a -s "-screen 0 1024x768x24 -noreset" "$0" "$@"
fi

rm -rf "$work"
mkdir -p "$work/puzzles" "$work/home" "$work/bin"
chmod 700 "$work/home"
export HOME=$work/home XDG_RUNTIME_DIR=$work/home XDG_CONFIG_HOME=$work/home/.config
cp "$cross" "$work/bin/Cross"
cross=$work/bin/Cross
export QT_QPA_PLATFORM=xcb

fail() { echo "FAIL: $*" >&2; exit 1; }
wait_for() {
  local limit=$1; shift
  for _ in $(seq $((limit * 10))); do "$@" >/dev/null 2>&1 && return 0; sleep 0.1; done
  return 1
}
board_window() { xdotool search --onlyvisible --name '^Crossword Solving Tool$' | head -n 1; }
type_cells() {  # type_cells WINDOW KEYS_FILE FIRST LAST
  local win=$1 keys=$2 first=$3 last=$4 args=()
  while read -r c r key; do
    args+=(mousemove --window "$win" $((20 * c + 10)) $((20 * r + 10)) click 1 key "$key" sleep 0.02)
  done < <(sed -n "${first},${last}p" "$keys")
  [ ${#args[@]} -gt 0 ] && xdotool "${args[@]}"
  return 0
}
start_cross() {
  "$cross" "$1" >"$work/cross.log" 2>&1 &
  pid=$!
  wait_for 20 board_window || fail "no board window for $1"
  win=$(board_window)
  sleep 0.5
}

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
  type_cells "$win" "$keys" 1 "$half"
  sleep 0.3
  [ "${CROSS_SHOTS:-}" = 1 ] && import -window root "$work/$name-$format-typing.png"
  kill -TERM "$pid"
  wait_for 10 bash -c "! kill -0 $pid" || fail "$name.$format: SIGTERM did not end the program"
  [ -f "$progress" ] || fail "$name.$format: no progress file $progress"
  letters=$(tr -d ' ' <"$progress" | wc -c)
  [ "$letters" -ge "$half" ] || fail "$name.$format: progress holds $letters letters, $half typed"

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

# What the Cross checks under Xvfb share, after tests/xvfb_common.sh: a copy of the program
# in a folder of its own (CROSS.CONF is written beside it, not in the build tree), finding
# its board window, starting it on a crossword and typing cells.

# Copies CROSS into WORK/bin and points $cross at the copy.
cross_copy() {  # cross_copy CROSS WORK
  mkdir -p "$2/bin"
  cp "$1" "$2/bin/Cross"
  cross=$2/bin/Cross
}

board_window() { xdotool search --onlyvisible --name '^Crossword Solving Tool$' | head -n 1; }

start_cross() {  # start_cross FILE: starts the program, sets $pid and $win
  "$cross" "$1" >"$work/cross.log" 2>&1 &
  pid=$!
  wait_for 20 board_window || fail "no board window for $1"
  win=$(board_window)
  sleep 0.5
}

# Cells of a window: click the cell and press its key.
type_cells() {  # type_cells WINDOW KEYS_FILE FIRST LAST (1-based line numbers)
  local win=$1 keys=$2 first=$3 last=$4 args=()
  while read -r c r key; do
    args+=(mousemove --window "$win" $((20 * c + 10)) $((20 * r + 10)) click 1 key "$key" sleep 0.02)
  done < <(sed -n "${first},${last}p" "$keys")
  [ ${#args[@]} -gt 0 ] && xdotool "${args[@]}"
  return 0
}

# Types the first HALF cells, ends the program with SIGTERM and checks that the progress file
# keeps at least those letters; SHOT names the screenshot taken before the signal.
type_half_then_terminate() {  # WHAT KEYS HALF PROGRESS SHOT
  local what=$1 keys=$2 half=$3 progress=$4 shot=$5 letters
  type_cells "$win" "$keys" 1 "$half"
  sleep 0.3
  [ "${CROSS_SHOTS:-}" = 1 ] && import -window root "$shot"
  kill -TERM "$pid"
  wait_for 10 bash -c "! kill -0 $pid" || fail "$what: SIGTERM did not end the program"
  [ -f "$progress" ] || fail "$what: SIGTERM lost the progress ($progress)"
  letters=$(tr -d ' ' <"$progress" | wc -c)
  [ "$letters" -ge "$half" ] || fail "$what: progress holds $letters letters, $half typed"
}

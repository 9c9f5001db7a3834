# What the shell tests of Cross share, sourced with $cross (the program), $crossword and $work set.

# cross_sandbox: WORK emptied, with a home and a program folder of its own (so that CROSS.CONF is
# written there and not in the build tree) and the crossword copied into WORK/puzzles; sets
# cross, puzzle and progress (the puzzle's progress file).
cross_sandbox() {
  rm -rf "$work"
  mkdir -p "$work/home" "$work/bin" "$work/puzzles"
  chmod 700 "$work/home"
  export HOME=$work/home XDG_CONFIG_HOME=$work/home/.config XDG_DATA_HOME=$work/home/.local/share
  export QT_QPA_PLATFORM=offscreen
  cp "$cross" "$work/bin/Cross"
  cross=$work/bin/Cross
  puzzle=$work/puzzles/$(basename "$crossword")
  cp "$crossword" "$puzzle"
  progress=${puzzle%.C_W}.RES_CW
}

# takes_sigterm PID: waits up to 10 s until the process handles SIGTERM (bit 15 of SigCgt); fails
# at once when the process is gone.
takes_sigterm() {
  local caught
  for _ in $(seq 200); do
    caught=$(awk '/^SigCgt:/ { print $2 }' "/proc/$1/status" 2>/dev/null || true)
    [ -n "$caught" ] && (( (16#$caught >> 14) & 1 )) && return 0
    [ -e "/proc/$1" ] || return 1
    sleep 0.05
  done
  return 1
}

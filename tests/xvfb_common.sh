# The start-up every window check under Xvfb shares. Sourced by the tests/**/xvfb_*.sh scripts:
#   source "$(dirname "$0")/../xvfb_common.sh"
#   xvfb_rerun 1024x768 280 "$@"   # the script again, in its own X server
#   xvfb_home "$work"              # an empty work folder with a home of its own
#   program=$(xvfb_program_folder "$work/bin" "$program" LAYOUTS EXAMPLES)
#                                  # a portable program folder as a new user has it
# Then fail, wait_for, window_named, end_by_sigterm and shot are at hand.

# Runs the calling script again under xvfb-run with a screen of SIZE (WIDTHxHEIGHT) and ends
# it after SECONDS; in that second run (DISPLAY_READY set) it returns at once.
xvfb_rerun() {  # xvfb_rerun SIZE SECONDS "$@"
  local size=$1 seconds=$2
  shift 2
  if [ -z "${DISPLAY_READY:-}" ]; then
    exec env DISPLAY_READY=1 timeout "$seconds" xvfb-run -a -s "-screen 0 ${size}x24 -noreset" "$0" "$@"
  fi
}

# Empties WORK and gives the programs a home and runtime folder inside it, so that no
# settings, lock or runtime file of the user's is read or written; Qt talks to the X server.
xvfb_home() {  # xvfb_home WORK
  rm -rf "$1"
  mkdir -p "$1/home"
  chmod 700 "$1/home"
  export HOME=$1/home XDG_RUNTIME_DIR=$1/home XDG_CONFIG_HOME=$1/home/.config QT_QPA_PLATFORM=xcb
}

# Copies PROGRAM into a fresh portable program folder FOLDER with the layouts of LAYOUTS in
# "Make" and the crosswords of EXAMPLES in "Data" (no settings, no results yet); prints the
# copy's path. Everything the program writes then stays inside the work folder.
xvfb_program_folder() {  # xvfb_program_folder FOLDER PROGRAM [LAYOUTS [EXAMPLES]]
  local folder=$1 program=$2
  mkdir -p "$folder/Make" "$folder/Data"
  cp "$program" "$folder/"
  if [ -n "${3:-}" ]; then cp "$3"/*.C_WM "$folder/Make/"; fi
  if [ -n "${4:-}" ]; then cp "$4"/*.C_W "$folder/Data/"; fi
  echo "$folder/$(basename "$program")"
}

# A screenshot of the whole screen as $work/NAME.png when GW_SHOTS=1 (or GRIDWRIGHT_SHOTS=1).
shot() {  # shot NAME
  if [ "${GW_SHOTS:-${GRIDWRIGHT_SHOTS:-}}" = 1 ]; then import -window root "$work/$1.png"; fi
}

# Says what failed, keeps a screenshot of the screen as it was ($work/failure.png), ends.
fail() {
  echo "FAIL: $*" >&2
  if [ -n "${work:-}" ] && command -v import >/dev/null; then import -window root "$work/failure.png" || true; fi
  exit 1
}

wait_for() {  # wait_for SECONDS COMMAND...: until the command succeeds
  local limit=$1
  shift
  for _ in $(seq $((limit * 20))); do "$@" >/dev/null 2>&1 && return 0; sleep 0.05; done
  return 1
}

# The first visible window whose title matches the pattern; fails when there is none.
window_named() { xdotool search --onlyvisible --name "$1" | head -n 1 | grep .; }

# Ends the program $pid as a log-out does; it must exit cleanly.
end_by_sigterm() {
  kill -TERM "$pid"
  wait "$pid" || fail "SIGTERM did not end the program cleanly"
  pid=
}

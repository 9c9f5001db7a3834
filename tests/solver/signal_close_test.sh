#!/usr/bin/env bash
# The real program ended by SIGTERM or SIGHUP (log-out, kill) closes as the player would (SIGINT
# too, but a background job of a script starts with it ignored, and so it stays):
#   1. the progress file is written again with the letters on the board, exit status 0;
#   2. a signal during the open dialog ends the program at once, exit status 0;
#   3. a signal during a start-up message, with no progress file possible (a folder in its place):
#      the failure is on standard error, exit status 1, and no message box holds the program up;
#   4. (not as root, whom permissions do not stop) the crossword's folder and the user's data folder
#      both read-only: the failure is on standard error, exit status 1.
# Usage: signal_close_test.sh CROSS CROSSWORD WORK_DIR
set -euo pipefail
cross=$1 crossword=$2 work=$3

source "$(dirname "$0")/cross_sandbox.sh"
cross_sandbox
export XDG_RUNTIME_DIR=$work/home
failures=0 passed=0

fail() { echo "FAIL: $*"; sed 's/^/  stderr: /' "$work/stderr" 2>/dev/null; failures=$((failures + 1)); }

# start [ARGS...]: starts the program and waits until it handles SIGTERM (bit 15 of SigCgt).
start() {
  "$cross" "$@" >/dev/null 2>"$work/stderr" &
  pid=$!
  takes_sigterm "$pid" && return 0
  fail "the program did not take SIGTERM over within 10 s"
  kill -KILL "$pid" 2>/dev/null || true
  wait "$pid" || true
  return 1
}

# The child still runs (an ended one stays a zombie until it is waited for).
running() { [ -e "/proc/$pid" ] && ! grep -q '^State:[[:space:]]*Z' "/proc/$pid/status" 2>/dev/null; }

# stop SIGNAL: sends it and sets $status; a program still running after 10 s is a failure.
stop() {
  kill -"$1" "$pid"
  for _ in $(seq 100); do running || break; sleep 0.1; done
  if running; then
    kill -KILL "$pid"
    fail "$1 did not end the program"
  fi
  status=0
  wait "$pid" || status=$?
}

# 1. Writable: the progress is written again (a new file) and keeps the letters.
if start "$puzzle"; then
  stop TERM
  [ "$status" -eq 0 ] || fail "1: exit status $status after SIGTERM"
  if [ -f "$progress" ]; then
    printf 'Q' | dd of="$progress" bs=1 seek=0 conv=notrunc status=none  # a letter on the board
    before=$(stat -c %i "$progress")
    if start "$puzzle"; then
      stop TERM
      [ "$status" -eq 0 ] || fail "1: exit status $status after the second SIGTERM"
      [ "$(stat -c %i "$progress")" != "$before" ] || fail "1: the progress file was not written again"
      [ "$(head -c 1 "$progress")" = Q ] || fail "1: the letter on the board was lost"
      grep -q '^Cross: ' "$work/stderr" && fail "1: an error on standard error"
      passed=$((passed + 1))
    fi
  else
    fail "1: SIGTERM wrote no progress file"
  fi
fi
rm -f "$progress"

# 2. The open dialog of a start without a crossword.
if start; then
  stop HUP
  [ "$status" -eq 0 ] || fail "2: exit status $status after SIGHUP in the open dialog"
  passed=$((passed + 1))
fi

# 3. A folder where the progress file goes: the start-up message says the progress does not fit.
mkdir "$progress"
if start "$puzzle"; then
  sleep 0.5  # the message is up
  stop TERM
  [ "$status" -eq 1 ] || fail "3: exit status $status, not 1, with the progress lost"
  grep -q "^Cross: .*$(basename "$progress")" "$work/stderr" || fail "3: the lost progress is not on standard error"
  passed=$((passed + 1))
fi
rmdir "$progress"

# 4. Both places read-only.
if [ "$(id -u)" -ne 0 ]; then
  mkdir -p "$work/readonly"
  chmod 555 "$work/puzzles" "$work/readonly"
  if XDG_DATA_HOME=$work/readonly/data start "$puzzle"; then
    stop TERM
    [ "$status" -eq 1 ] || fail "4: exit status $status, not 1, with the progress lost"
    grep -q "^Cross: Cannot create .*$(basename "${puzzle%.C_W}")-.*\.RES_CW" "$work/stderr" \
      || fail "4: the lost progress is not on standard error"
    passed=$((passed + 1))
  fi
  chmod 755 "$work/puzzles" "$work/readonly"
else
  echo "4 skipped: permissions do not stop root"
fi

echo "$passed passed, $failures failed"
[ "$failures" -eq 0 ]

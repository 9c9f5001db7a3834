#!/usr/bin/env bash
# Cross beside other copies and other users:
#   1. two log-ins (two runtime folders) on one crossword: the second copy opens it read-only and
#      never writes the progress file; the first still saves its letters;
#   2. (root only, as user nobody) another user squatted the temporary folder's fallbacks: Cross
#      says so on standard error and runs without hand-over instead of ending at once.
# Usage: private_lock_test.sh CROSS CROSSWORD WORK_DIR
set -euo pipefail
cross=$1 crossword=$2 work=$3

source "$(dirname "$0")/cross_sandbox.sh"
cross_sandbox
mkdir -m 700 "$work/run1" "$work/run2"
failures=0 passed=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# start NAME ARGS...: starts a copy whose pid goes into pid_NAME; waits until it handles SIGTERM.
start() {
  local name=$1
  shift
  "$cross" "$@" >/dev/null 2>"$work/$name.err" &
  local p=$!
  printf -v "pid_$name" '%s' "$p"
  takes_sigterm "$p" && return 0
  fail "$name did not take SIGTERM over"
  return 1
}
stop() { kill -TERM "$1"; wait "$1" || true; }

# 1. The first copy holds the crossword; the second's read-only message is up when it is ended.
if XDG_RUNTIME_DIR=$work/run1 start first "$puzzle" && XDG_RUNTIME_DIR=$work/run2 start second "$puzzle"; then
  sleep 0.5
  stop "$pid_second"
  [ -e "$progress" ] && fail "1: the read-only copy wrote the progress file"
  stop "$pid_first"
  [ -e "$progress" ] || fail "1: the first copy did not save its progress"
  passed=$((passed + 1))
fi

# 2. Squatted fallbacks in a temporary folder of this test's own.
if [ "$(id -u)" -eq 0 ] && command -v runuser >/dev/null; then
  shared=$work/shared
  mkdir -m 1777 "$shared"
  chmod 755 "$work"
  runuser -u nobody -- sh -c "mkdir -m 0777 '$shared/runtime-root' '$shared/cross-runtime-0' &&
    touch '$shared/Fennick Crossword Solving.lock' '$shared/Fennick Crossword Solving.socket'"
  rm -f "$progress"
  if (unset XDG_RUNTIME_DIR; TMPDIR=$shared start squatted "$puzzle" && stop "$pid_squatted"); then
    grep -q "^Cross: no private folder for the lock .*belongs to another user" "$work/squatted.err" ||
      fail "2: the missing hand-over is not on standard error"
    passed=$((passed + 1))
  fi
else
  echo "2 skipped: needs root to act as another user"
fi

echo "$passed passed, $failures failed"
[ "$failures" -eq 0 ]

# What the gridwright-compose command-line tests share, sourced after `set -uo pipefail` with
# $work set: an empty work folder as the current folder, the checks that count failures,
# and the small English word list with an open 3 x 3 layout. The script ends with
# `finish_scenario`.
rm -rf "$work" && mkdir -p "$work" && cd "$work" || exit 1

failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
# expect STATUS COMMAND...: runs the command with out/err captured and checks its exit status.
expect() {
  local want=$1
  shift
  "$@" >out.txt 2>err.txt
  local got=$?
  [ "$got" -eq "$want" ] || fail "exit $got (wanted $want): $* -- $(cat err.txt)"
}
contains() { grep -qF -- "$2" "$1" || fail "$1 lacks \"$2\": $(cat "$1")"; }

# A word list whose fills are few and quick, and the open layout it fills.
printf 'CAT\r\nCOT\r\nACE\r\nTEN\r\nTON\r\nONE\r\nOAT\r\nATE\r\nEAT\r\nTEA\r\nNET\r\nANT\r\nCAN\r\nNOT\r\nTOE\r\n' >small.words
printf '...\n...\n...\n' >open3.txt

finish_scenario() {  # finish_scenario NAME: says OK when nothing failed; the exit status
  [ "$failures" -eq 0 ] && echo "OK: $1"
  exit $((failures > 0))
}

#!/usr/bin/env bash
# What players beyond the basics meet, in the real program under Xvfb at 1280 × 1024:
#   1. a 56-row crossword fits the screen with its clue windows and takes letters;
#   2. a second copy started with another crossword hands it to the running one, which
#      saves the progress and switches;
#   3. with accessibility on, the board reads as a table of cells through AT-SPI.
# Usage: xvfb_players.sh CROSS TEST_TOOL WORK_DIR. Screenshots go to WORK_DIR/*.png.
set -euo pipefail
cross=$1 tool=$2 work=$3
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../xvfb_common.sh"
source "$here/cross_xvfb.sh"
xvfb_rerun 1280x1024 280 "$@"

xvfb_home "$work"
cross_copy "$cross" "$work"
"$tool" samples "$work"
"$tool" tall 56 40 "$work/tall.C_W"

# 1. The tall board fits: the window and a clue window above and below lie on the screen.
"$cross" "$work/tall.C_W" >"$work/cross.log" 2>&1 &
pid=$!
wait_for 20 board_window || fail "no board window"
win=$(board_window)
sleep 0.5
eval "$(xdotool getwindowgeometry --shell "$win")"
[ "$Y" -ge 20 ] && [ $((Y + HEIGHT)) -le $((1024 - 20)) ] || fail "board at y $Y, height $HEIGHT does not fit"
xdotool key a b c
sleep 0.3
import -window root "$work/tall.png"

# 2. A second copy hands en.C_W over and ends; the running copy saves the tall board's letters.
timeout 10 "$cross" "$work/en.C_W" || fail "the second copy did not end by itself"
wait_for 10 test -f "$work/tall.RES_CW" || fail "no progress saved before the switch"
[ "$(head -c 3 "$work/tall.RES_CW")" = "ABC" ] || fail "the progress lost the letters typed"
sleep 0.5
eval "$(xdotool getwindowgeometry --shell "$(board_window)")"
[ "$WIDTH" -eq 122 ] && [ "$HEIGHT" -eq 82 ] || fail "not switched to the 4 × 6 crossword (${WIDTH}x$HEIGHT)"
import -window root "$work/handed_over.png"
kill "$pid"; wait "$pid" || true

# 3. The board through AT-SPI.
py=python3
[ -x /usr/bin/python3 ] && py=/usr/bin/python3  # where Debian's python3-pyatspi lives
if "$py" -c 'import pyatspi' 2>/dev/null && command -v dbus-launch >/dev/null; then
  eval "$(dbus-launch --sh-syntax)"
  trap 'kill "$DBUS_SESSION_BUS_PID" 2>/dev/null || true' EXIT
  /usr/libexec/at-spi-bus-launcher --launch-immediately &
  sleep 1
  QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$cross" "$work/en.C_W" >"$work/cross.log" 2>&1 &
  pid=$!
  wait_for 20 board_window || fail "no board window with accessibility on"
  sleep 1
  xdotool key c
  sleep 0.5
  "$py" "$here/read_board_aloud.py" >"$work/aloud.txt" || fail "$(cat "$work/aloud.txt")"
  cat "$work/aloud.txt"
  grep -q '^table Crossword 4 6$' "$work/aloud.txt" || fail "no 4 × 6 table"
  grep -q '^Row 1, column 1, C | Across: Clue CAT; Down: Clue COW$' "$work/aloud.txt" || fail "cell 1, 1"
  grep -q '^Row 1, column 2, empty | .* | focused$' "$work/aloud.txt" || fail "the cursor is not the focus"
  grep -q '^Row 1, column 4, block' "$work/aloud.txt" || fail "block"
  kill "$pid"; wait "$pid" || true
else
  echo "python3-pyatspi or dbus-x11 missing: the AT-SPI check is skipped"
fi
echo "players' checks passed"

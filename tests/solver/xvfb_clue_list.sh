#!/usr/bin/env bash
# The clue list of Cross read through AT-SPI, as a screen reader reads it: its items, and the
# current clue as the selected item, following the cursor (read_clue_list.py).
# Usage: xvfb_clue_list.sh CROSS TEST_TOOL WORK_DIR. A screenshot goes to WORK_DIR/clue-list.png.
# Exits 77 (skipped, with the reason) where AT-SPI cannot start: no python3-pyatspi, no
# dbus-launch, no AT-SPI bus launcher, or a registry that does not answer.
set -euo pipefail
cross=$1 tool=$2 work=$3
here=$(cd "$(dirname "$0")" && pwd)
py=python3
[ -x /usr/bin/python3 ] && py=/usr/bin/python3  # where Debian's python3-pyatspi lives
"$py" -c 'import pyatspi' 2>/dev/null || { echo "python3-pyatspi missing: skipped"; exit 77; }
command -v dbus-launch >/dev/null || { echo "dbus-launch (dbus-x11) missing: skipped"; exit 77; }
[ -x /usr/libexec/at-spi-bus-launcher ] || { echo "at-spi2-core missing: skipped"; exit 77; }
source "$here/../xvfb_common.sh"
source "$here/cross_xvfb.sh"
xvfb_rerun 1280x1024 120 "$@"

xvfb_home "$work"
cross_copy "$cross" "$work"
"$tool" samples "$work"
eval "$(dbus-launch --sh-syntax)"
bus=
cleanup() {
  for p in ${pid:-} $bus $DBUS_SESSION_BUS_PID; do kill "$p" 2>/dev/null || true; done
}
trap cleanup EXIT
/usr/libexec/at-spi-bus-launcher --launch-immediately &
bus=$!
sleep 1
QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$cross" "$work/en.C_W" >"$work/cross.log" 2>&1 &
pid=$!
wait_for 20 board_window || fail "no board window"
sleep 1
status=0
"$py" "$here/read_clue_list.py" >"$work/read.txt" 2>&1 || status=$?
cat "$work/read.txt"
import -window root "$work/clue-list.png"
[ "$status" = 77 ] && exit 77
[ "$status" = 0 ] || fail "the clue list does not read as expected"
echo "clue list read through AT-SPI"

#!/usr/bin/env bash
# Word scores in the real Gridwright under Xvfb, driven through AT-SPI by widget names
# (drive_word_scores.py): a scored import in the dictionary editor and a C?T* pattern, then on
# the composing page a minimum of 50 and Quick fill, whose report names the fill's mean score.
# Then the word list, its scores and crossword.conf are checked on disk.
# Usage: xvfb_word_scores.sh GRIDWRIGHT WORDS_DIR LAYOUT WORK_DIR (WORDS_DIR holds the shipped
# EN.words and EN.scores). Screenshots go to WORK_DIR/*.png.
# Exits 77 (skipped) when python3-pyatspi, dbus-launch or the English scores are missing.
set -euo pipefail
program=$1 words=$2 layout=$3 work=$4
here=$(cd "$(dirname "$0")" && pwd)

py=python3
[ -x /usr/bin/python3 ] && py=/usr/bin/python3  # where Debian's python3-pyatspi lives
for tool in dbus-launch xdotool import; do
  command -v "$tool" >/dev/null || { echo "$tool missing: skipped"; exit 77; }
done
"$py" -c 'import pyatspi' 2>/dev/null || { echo "python3-pyatspi missing: skipped"; exit 77; }
[ -x /usr/libexec/at-spi-bus-launcher ] || { echo "at-spi2-core missing: skipped"; exit 77; }
[ -s "$words/EN.scores" ] || { echo "no English scores: skipped"; exit 77; }

if [ -z "${DISPLAY_READY:-}" ]; then
  exec env DISPLAY_READY=1 timeout 280 xvfb-run -a -s "-screen 0 1024x768x24 -noreset" "$0" "$@"
fi

rm -rf "$work"
mkdir -p "$work/home" "$work/bin/Make"
chmod 700 "$work/home"
export HOME=$work/home XDG_RUNTIME_DIR=$work/home XDG_CONFIG_HOME=$work/home/.config QT_QPA_PLATFORM=xcb
cp "$program" "$work/bin/Gridwright"
cp "$words/EN.words" "$words/EN.scores" "$layout" "$work/bin/Make/"
printf 'cotta;70\ncutis;25\ncotan;15\ncatnip;95\nbad line;x\n' >"$work/scored.txt"

fail() { echo "FAIL: $*" >&2; exit 1; }

eval "$(dbus-launch --sh-syntax)"
pid= bus=
cleanup() {
  for p in $pid $bus $DBUS_SESSION_BUS_PID; do kill "$p" 2>/dev/null || true; done
}
trap cleanup EXIT
/usr/libexec/at-spi-bus-launcher --launch-immediately &
bus=$!
sleep 1
QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$work/bin/Gridwright" "$work/bin/Make/$(basename "$layout")" \
  >"$work/gridwright.log" 2>&1 &
pid=$!

"$py" "$here/drive_word_scores.py" "$work/scored.txt" "$work" || fail "the flow did not finish (see $work/*.png)"

grep -qx $'COTTA\r' "$work/bin/Make/EN.words" || fail "COTTA was not added to the word list"
for line in COTTA';'70 CUTIS';'25 COTAN';'15 CATNIP';'95; do
  grep -qx "$line" "$work/bin/Make/EN.scores" || fail "EN.scores lacks $line"
done
kill -TERM "$pid"
wait "$pid" || fail "SIGTERM did not end the program cleanly"
pid=
grep -qx 'Minimum word score=50' "$work/bin/crossword.conf" || fail "crossword.conf: $(cat "$work/bin/crossword.conf")"
echo "word scores flow passed"

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
source "$here/../../../xvfb_common.sh"
source "$here/../gridwright_atspi.sh"

atspi_require
[ -s "$words/EN.scores" ] || { echo "no English scores: skipped"; exit 77; }
xvfb_rerun 1024x768 280 "$@"

xvfb_home "$work"
mkdir -p "$work/bin/Make"
cp "$program" "$work/bin/Gridwright"
cp "$words/EN.words" "$words/EN.scores" "$layout" "$work/bin/Make/"
printf 'cotta;70\ncutis;25\ncotan;15\ncatnip;95\nbad line;x\n' >"$work/scored.txt"

atspi_bus
atspi_start "$work/gridwright.log" "$work/bin/Gridwright" "$work/bin/Make/$(basename "$layout")"

"$py" "$here/drive_word_scores.py" "$work/scored.txt" "$work" || fail "the flow did not finish (see $work/*.png)"

grep -qx $'COTTA\r' "$work/bin/Make/EN.words" || fail "COTTA was not added to the word list"
for line in COTTA';'70 CUTIS';'25 COTAN';'15 CATNIP';'95; do
  grep -qx "$line" "$work/bin/Make/EN.scores" || fail "EN.scores lacks $line"
done
end_by_sigterm
grep -qx 'Minimum word score=50' "$work/bin/crossword.conf" || fail "crossword.conf: $(cat "$work/bin/crossword.conf")"
echo "word scores flow passed"

#!/usr/bin/env bash
# The editing flow in the real Gridwright under Xvfb, driven through AT-SPI by widget names
# (drive_editing.py): New 3 × 2, letters and a blank in the layout editor, a clue for every
# word, Save as, Export PDF, Print to a file. Then the saved file's bytes are compared with the expected ones
# and the PDFs' text layers are read with pdftotext. A second start on a 15 x 15 composer result
# (drive_clues.py) keeps the list's order, takes every clue by keyboard, saves with Ctrl+S and
# exports on A4 and Letter: one page each; the pages are drawn as WORK_DIR/us15-*.png.
# Usage: xvfb_editing.sh GRIDWRIGHT WORK_DIR. Screenshots go to WORK_DIR/*.png.
# Exits 77 (skipped) when python3-pyatspi, dbus-launch or poppler-utils is missing.
set -euo pipefail
program=$1 work=$2
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../../../xvfb_common.sh"
source "$here/../gridwright_atspi.sh"

atspi_require pdftotext pdfinfo pdftoppm
xvfb_rerun 1024x768 560 "$@"

xvfb_home "$work"
mkdir -p "$work/bin/Make" "$work/bin/Data" "$work/out"
cp "$program" "$work/bin/Gridwright"
# The English word list, against which the answers are checked after the layout editor.
words=$(dirname "$program")/Make/EN.words
[ -f "$words" ] || { echo "$words missing: skipped"; exit 77; }
cp "$words" "$work/bin/Make/"

atspi_bus
atspi_start "$work/gridwright.log" "$work/bin/Gridwright"

"$py" "$here/drive_editing.py" "$work/out" "$work" || fail "the editing flow did not finish (see $work/*.png)"

# The crossword of two rows "AB " and "CDE": the down words AC, BD, E, then the across
# words AB, CDE, each with its clue; no marks, no pictures.
"$py" - "$work/expected.C_W" <<'PY'
import struct, sys
records = [(0, 0, 0, 2, "AC"), (0, 0, 1, 2, "BD"), (0, 1, 2, 1, "E"), (1, 0, 0, 2, "AB"), (1, 1, 0, 3, "CDE")]
data = b"CW10" + bytes([0, 2, 3]) + b"AB CDE" + struct.pack("<II", 0, 0) + bytes([0])
data += struct.pack("<I", len(records))
for across, row, column, length, word in records:
    clue = ("Clue for " + word).encode("cp1252")
    data += bytes([across, row, column, length]) + struct.pack("<I", len(clue)) + clue
data += struct.pack("<I", 0)
open(sys.argv[1], "wb").write(data)
PY
[ -f "$work/out/flow.C_W" ] || fail "no crossword saved"
cmp "$work/expected.C_W" "$work/out/flow.C_W" || fail "the saved crossword differs from the expected bytes"
xdotool search --onlyvisible --name '^Edit: flow\.C_W$' >/dev/null || fail "the caption does not name the saved file"

[ -f "$work/out/flow.pdf" ] || fail "no PDF exported"
pdftotext "$work/out/flow.pdf" "$work/flow.txt"
for text in flow Across Down "Clue for CDE" "Clue for E" Solution; do
  grep -q "$text" "$work/flow.txt" || fail "the PDF's text lacks \"$text\""
done
[ "$(pdfinfo "$work/out/flow.pdf" | awk '/^Pages:/ {print $2}')" = 2 ] || fail "the PDF is not two pages"

# Printed to a file through the print dialog: the same two pages.
[ -f "$work/out/printed.pdf" ] || fail "nothing printed"
pdftotext "$work/out/printed.pdf" "$work/printed.txt"
grep -q "Clue for AB" "$work/printed.txt" && grep -q Solution "$work/printed.txt" || fail "the print lacks clues or solution"

end_by_sigterm
grep -qx "Sort by number=1" "$work/bin/crossword.conf" || fail "the list's order is not in crossword.conf"

# The second start, on a composer result of 76 words.
mkdir -p "$work/bin/Make/Results"
result=$work/bin/Make/Results/us151.C_W
cp "$here/../../../data/crossword/good-us15.C_W" "$result"
atspi_start "$work/gridwright.log" "$work/bin/Gridwright" "$result"
"$py" "$here/drive_clues.py" "$work/out" "$work" || fail "the clue flow did not finish (see $work/*.png)"
"$py" - "$result" <<'PY' || fail "the saved composer result lacks clues"
import struct, sys
data = open(sys.argv[1], "rb").read()
rows, columns = data[5], data[6]
at = 7 + rows * columns
top, left = struct.unpack_from("<II", data, at)
at += 8 + 2 * (top + left) + 1
count, = struct.unpack_from("<I", data, at)
at += 4
clues = []
for _ in range(count):
    length, = struct.unpack_from("<I", data, at + 4)
    clues.append(data[at + 8:at + 8 + length].decode("cp1252"))
    at += 8 + length
assert count == 76, count
assert sorted(clues) == sorted(f"Clue {n} of the grid" for n in range(1, 77)), clues
PY
for paper in a4 letter; do
  pdf=$work/out/us15-$paper.pdf
  [ -f "$pdf" ] || fail "no $paper PDF exported"
  pages=$(pdfinfo "$pdf" | awk '/^Pages:/ {print $2}')
  echo "15 x 15 with 76 clues on $paper: $pages page(s)"
  [ "$pages" = 1 ] || fail "the $paper PDF has $pages pages"
  pdfinfo "$pdf" | grep -qi "pts ($paper)" || fail "the PDF is not on $paper"
  pdftotext "$pdf" "$work/us15-$paper.txt"
  for text in us151 "A. Setter" "Clue 1 of the grid" "Clue 76 of the grid"; do
    grep -q "$text" "$work/us15-$paper.txt" || fail "the $paper PDF's text lacks \"$text\""
  done
  pdftoppm -r 60 -png "$pdf" "$work/us15-$paper"
done

end_by_sigterm
echo "editing flow passed"

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

py=python3
[ -x /usr/bin/python3 ] && py=/usr/bin/python3  # where Debian's python3-pyatspi lives
for tool in dbus-launch pdftotext pdfinfo pdftoppm xdotool import; do
  command -v "$tool" >/dev/null || { echo "$tool missing: skipped"; exit 77; }
done
"$py" -c 'import pyatspi' 2>/dev/null || { echo "python3-pyatspi missing: skipped"; exit 77; }
[ -x /usr/libexec/at-spi-bus-launcher ] || { echo "at-spi2-core missing: skipped"; exit 77; }

if [ -z "${DISPLAY_READY:-}" ]; then
  exec env DISPLAY_READY=1 timeout 560 xvfb-run -a -s "-screen 0 1024x768x24 -noreset" "$0" "$@"
fi

rm -rf "$work"
mkdir -p "$work/home" "$work/bin/Make" "$work/bin/Data" "$work/out"
chmod 700 "$work/home"
export HOME=$work/home XDG_RUNTIME_DIR=$work/home XDG_CONFIG_HOME=$work/home/.config QT_QPA_PLATFORM=xcb
cp "$program" "$work/bin/Gridwright"
# The English word list, against which the answers are checked after the layout editor.
words=$(dirname "$program")/Make/EN.words
[ -f "$words" ] || { echo "$words missing: skipped"; exit 77; }
cp "$words" "$work/bin/Make/"

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
QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$work/bin/Gridwright" >"$work/gridwright.log" 2>&1 &
pid=$!

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

kill -TERM "$pid"
wait "$pid" || fail "SIGTERM did not end the program cleanly"
pid=
grep -qx "Sort by number=1" "$work/bin/crossword.conf" || fail "the list's order is not in crossword.conf"

# The second start, on a composer result of 76 words.
mkdir -p "$work/bin/Make/Results"
result=$work/bin/Make/Results/us151.C_W
cp "$here/../../../data/crossword/good-us15.C_W" "$result"
QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$work/bin/Gridwright" "$result" >>"$work/gridwright.log" 2>&1 &
pid=$!
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

kill -TERM "$pid"
wait "$pid" || fail "SIGTERM did not end the program cleanly"
pid=
echo "editing flow passed"

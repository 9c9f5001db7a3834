#!/usr/bin/env bash
# The dictionary editor in a real X server, driven with xdotool as a user would: open the
# German list, import a file of 1.4 million new words and cancel it part way, import a small
# UTF-8 file to its end, press OK, and check the word file written and the dictionary loaded.
# Usage: xvfb_dictionary_editor.sh HARNESS WORD_FILE WORK_DIR
# Screenshots go to WORK_DIR/*.png.
set -euo pipefail
harness=$1 words=$2 work=$3
source "$(dirname "$0")/../../../xvfb_common.sh"
xvfb_rerun 1280x900 280 "$@"

xvfb_home "$work"
mkdir -p "$work/bin/Make"
cp "$words" "$work/bin/Make/DE.words"
before=$(wc -l <"$work/bin/Make/DE.words")
python3 - "$work" <<'PY'
import sys
work = sys.argv[1]
words = [l.rstrip("\r\n") for l in open(work + "/bin/Make/DE.words", encoding="cp1252")]
with open(work + "/big.txt", "w", encoding="utf-8") as out:
    for suffix in "xyzq":
        for w in words:
            out.write(w.lower() + suffix + "\n")
open(work + "/small.txt", "w", encoding="utf-8").write("M\u00e4dchen\nQuarkspei\u00dfe 2\n")
PY

window() { xdotool search --onlyvisible --name "$1" | head -n 1; }
click_in() {  # click_in WINDOW X Y: a click at a point of a window
  local x y
  eval "$(xdotool getwindowgeometry --shell "$1")"
  xdotool mousemove $((X + $2)) $((Y + $3)) click 1
}
# The editor's bottom row: "Import from file", "Cancel", "OK" (right-aligned).
import_file() {  # import_file PATH
  click_in "$editor" 179 334
  wait_for 10 window '^Open$' || fail "no file dialog"
  sleep 0.3
  xdotool type --delay 5 "$1"
  xdotool key Return
}

"$harness" de "$work/bin" >"$work/harness.log" 2>&1 &
pid=$!
wait_for 30 window '^Word dictionary : German$' || fail "the editor did not open"
editor=$(window '^Word dictionary : German$')
sleep 0.5
import -window root "$work/editor.png"

# A large import, cancelled in the progress window as soon as it shows.
import_file "$work/big.txt"
sleep 1
xdotool key Return  # "Found 1423684 entries! Want to import?" Yes
wait_for 20 window '^Processing\.\.\.$' || fail "no progress window"
progress=$(window '^Processing\.\.\.$')
sleep 0.3
import -window root "$work/progress.png"
click_in "$progress" 137 79 || true  # Cancel (the window may have gone already)
sleep 1
wait_for 60 bash -c "! xdotool search --onlyvisible --name '^Processing\.\.\.\$'" || fail "the import did not end"
import -window root "$work/cancelled.png"
xdotool key Return  # "Added N words!"
sleep 0.5

# A small UTF-8 import, to its end.
import_file "$work/small.txt"
sleep 1
xdotool key Return  # Yes
sleep 2
import -window root "$work/added.png"
xdotool key Return  # "Added 1 words!"
sleep 0.5

click_in "$editor" 358 334  # OK
wait_for 60 bash -c "! kill -0 $pid" || fail "OK did not close the editor"
wait "$pid" || fail "the editor ended with $? ($(cat "$work/harness.log"))"

after=$(wc -l <"$work/bin/Make/DE.words")
grep -q "^OK, dictionary of $after words" "$work/harness.log" || fail "dictionary not reloaded: $(cat "$work/harness.log")"
[ "$after" -gt "$before" ] || fail "no words were added"
[ "$after" -lt $((before + 1423684 + 1)) ] || fail "the cancelled import ran to its end"
grep -q $'^QUARKSPEISSE\r$' "$work/bin/Make/DE.words" || fail "QUARKSPEISSE missing"
[ "$(grep -c $'\r$' "$work/bin/Make/DE.words")" -eq "$after" ] || fail "lines without CR LF"
# Capitals A to Z only: the language's collation is the plain byte order here.
tr -d '\r' <"$work/bin/Make/DE.words" | LC_ALL=C sort -c || fail "the word file is not sorted"
echo "ok: $before words, $after after the imports"

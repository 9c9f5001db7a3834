#!/usr/bin/env bash
# The desktop entries and MIME types make a file manager open *.C_WM layouts with Gridwright
# and *.C_W (only the upper-case names), *.puz and *.ipuz with Cross; Gridwright edits
# crosswords too.
set -euo pipefail
src=$1 work=$2
rm -rf "$work" && mkdir -p "$work/mime/packages"
cp "$src/gridwright-layout.xml" "$src/gridwright-crossword.xml" "$work/mime/packages/"
update-mime-database "$work/mime"
fail() { echo "FAIL: $1"; cat "$work/mime/globs2"; exit 1; }
for glob in '50:application/x-gridwright-layout:\*\.C_WM:cs' '50:application/x-gridwright-crossword:\*\.C_W:cs' \
            '50:application/x-crossword:\*\.puz' '50:application/x-ipuz:\*\.ipuz'; do
  grep -qx "$glob" "$work/mime/globs2" || fail "no glob $glob"
done
check_entry() {  # entry program mime-types
  grep -qx "Exec=$2 %f" "$1" || fail "Exec line of $1"
  grep -qx "MimeType=$3" "$1" || fail "MimeType line of $1"
  grep -qx 'Type=Application' "$1" || fail "Type line of $1"
  if command -v desktop-file-validate >/dev/null; then desktop-file-validate "$1"; fi
}
check_entry "$src/gridwright.desktop" Gridwright 'application/x-gridwright-layout;application/x-gridwright-crossword;'
check_entry "$src/cross.desktop" Cross 'application/x-gridwright-crossword;application/x-crossword;application/x-ipuz;'
echo "2 passed, 0 failed"

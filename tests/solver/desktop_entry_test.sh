#!/usr/bin/env bash
# The desktop entry and the MIME types make a file manager open *.C_W (and only the
# upper-case name), *.puz and *.ipuz with Cross.
set -euo pipefail
src=$1 work=$2
rm -rf "$work" && mkdir -p "$work/mime/packages"
cp "$src/gridwright-crossword.xml" "$work/mime/packages/"
update-mime-database "$work/mime"
grep -qx '50:application/x-gridwright-crossword:\*\.C_W:cs' "$work/mime/globs2" \
  || { echo "FAIL: no case-sensitive *.C_W glob"; cat "$work/mime/globs2"; exit 1; }
for glob in '50:application/x-crossword:\*\.puz' '50:application/x-ipuz:\*\.ipuz'; do
  grep -qx "$glob" "$work/mime/globs2" || { echo "FAIL: no glob $glob"; cat "$work/mime/globs2"; exit 1; }
done
entry=$src/cross.desktop
grep -qx 'Exec=Cross %f' "$entry" || { echo "FAIL: Exec line"; exit 1; }
grep -qx 'MimeType=application/x-gridwright-crossword;application/x-crossword;application/x-ipuz;' "$entry" || { echo "FAIL: MimeType line"; exit 1; }
grep -qx 'Type=Application' "$entry" || { echo "FAIL: Type line"; exit 1; }
echo "1 passed, 0 failed"

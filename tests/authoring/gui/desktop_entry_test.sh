#!/usr/bin/env bash
# The desktop entry and the MIME type make a file manager open *.C_WM layouts (and only
# the upper-case name) with Gridwright.
set -euo pipefail
src=$1 work=$2
rm -rf "$work" && mkdir -p "$work/mime/packages"
cp "$src/gridwright-layout.xml" "$work/mime/packages/"
update-mime-database "$work/mime"
grep -qx '50:application/x-gridwright-layout:\*\.C_WM:cs' "$work/mime/globs2" \
  || { echo "FAIL: no case-sensitive *.C_WM glob"; cat "$work/mime/globs2"; exit 1; }
entry=$src/gridwright.desktop
grep -qx 'Exec=Gridwright %f' "$entry" || { echo "FAIL: Exec line"; exit 1; }
# Gridwright also edits crosswords (*.C_W), beside Cross that solves them.
grep -qx 'MimeType=application/x-gridwright-layout;application/x-gridwright-crossword;' "$entry" \
  || { echo "FAIL: MimeType line"; exit 1; }
grep -qx 'Type=Application' "$entry" || { echo "FAIL: Type line"; exit 1; }
if command -v desktop-file-validate >/dev/null; then desktop-file-validate "$entry"; fi
echo "1 passed, 0 failed"

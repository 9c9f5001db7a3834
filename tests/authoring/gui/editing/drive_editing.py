# Drives the running Gridwright through AT-SPI as an author would, finding every widget by
# its accessible name and clicking or typing with xdotool (an AT-SPI action that opens a
# modal dialog would not return until the dialog closes):
#   Edit on the start page; File (Edit) > New, 3 across and 2 down; in the layout editor
#   "ab ", then "cde" on the second row, OK (its words, not English, are marked); a clue for
#   every word; Change Charset shows the crossword with only the charset open (cancelled);
#   Save as OUT_DIR/flow.C_W;
#   Export PDF with the solution page beside it; Print to a PDF file with the solution page;
#   the list sorted by the "No." header.
# Usage: drive_editing.py OUT_DIR SHOT_DIR. Screenshots go to SHOT_DIR/*.png.
import sys
import time

import pyatspi

import gridwright_atspi
from gridwright_atspi import (EDIT_FILE_MENU, click, fail, find, menu_command, shot, type_into, wait_active, wait_for,
                              wait_for_application, wait_gone, xdotool)

out_dir = sys.argv[1]
gridwright_atspi.shot_dir = sys.argv[2]
CLUES = {"AC": "Clue for AC", "BD": "Clue for BD", "E": "Clue for E", "AB": "Clue for AB",
         "CDE": "Clue for CDE"}


wait_for_application()

click(wait_for(pyatspi.ROLE_PUSH_BUTTON, "Edit"))

# New: two rows of three columns.
menu_command(EDIT_FILE_MENU, "New")
layout = wait_for(pyatspi.ROLE_DIALOG, "Crossword Layout")
type_into(wait_for(pyatspi.ROLE_SPIN_BUTTON, "Rows:", layout), "2")
type_into(wait_for(pyatspi.ROLE_SPIN_BUTTON, "Columns:", layout), "3")
shot("new-crossword")
click(wait_for(pyatspi.ROLE_PUSH_BUTTON, "OK", layout))

# The layout editor has the keyboard: the last column keeps the cursor.
editor = wait_for(pyatspi.ROLE_DIALOG, "Definition")
wait_active(editor)
xdotool("type", "--delay", "80", "ab ")
xdotool("key", "--delay", "80", "Down", "Left", "Left")
xdotool("type", "--delay", "80", "cde")
shot("layout-editor")
click(wait_for(pyatspi.ROLE_PUSH_BUTTON, "OK", editor))
wait_gone(pyatspi.ROLE_DIALOG, "Definition", "the layout editor stays open after OK")

# None of the four words of two or more letters is in the English word list: they are marked
# and counted, and nothing is refused.
wait_for(pyatspi.ROLE_LABEL, "4 words not in the English word list", seconds=30)
shot("not-in-word-list")

# A clue for every word by keyboard alone: the first word chosen in the list, then Tab
# stores each clue and moves on to the next word. The last clue waits for after Save as.
words = wait_for(pyatspi.ROLE_TABLE, "Words")
clue = wait_for(pyatspi.ROLE_TEXT, "Clue")
click(wait_for(pyatspi.ROLE_TABLE_CELL, "AC", words, seconds=5))
click(clue)
texts = list(CLUES.values())
for text in texts[:-1]:
    xdotool("type", "--delay", "40", text)
    xdotool("key", "Tab")
    time.sleep(0.3)
shot("clues-written")

# Close with the clues unsaved: Escape on "Save changes?" (Yes, No, Cancel) keeps the crossword
# open with every clue; the bytes saved below prove it.
menu_command(EDIT_FILE_MENU, "Close")
wait_for(pyatspi.ROLE_PUSH_BUTTON, "Cancel")
wait_for(pyatspi.ROLE_PUSH_BUTTON, "No")
shot("save-changes")
time.sleep(0.5)
xdotool("key", "Escape")
wait_gone(pyatspi.ROLE_PUSH_BUTTON, "No", "Escape does not answer \"Save changes?\"")
wait_for(pyatspi.ROLE_TABLE_CELL, "CDE", words, seconds=5)
if not find(pyatspi.ROLE_LABEL, "Modified"):
    fail("the crossword is no longer modified after Escape")

# Change Charset: the same dialog shows the crossword, only the charset open; cancelled.
menu_command(EDIT_FILE_MENU, "Change Charset")
charset = wait_for(pyatspi.ROLE_DIALOG, "Crossword Layout")
for caption, value in (("Rows:", 2), ("Columns:", 3)):
    spin = wait_for(pyatspi.ROLE_SPIN_BUTTON, caption, charset)
    if spin.getState().contains(pyatspi.STATE_SENSITIVE) or spin.queryValue().currentValue != value:
        fail(f"Change Charset shows {caption} {spin.queryValue().currentValue}, open to change")
combos = pyatspi.findAllDescendants(charset, lambda n: n.getRole() == pyatspi.ROLE_COMBO_BOX)
open_ones = [c.name for c in combos if c.getState().contains(pyatspi.STATE_SENSITIVE)]
if len(combos) != 2 or open_ones != ["ANSI"]:
    fail(f"Change Charset leaves open {open_ones} of {[c.name for c in combos]}, not the charset alone")
shot("change-charset")
click(wait_for(pyatspi.ROLE_PUSH_BUTTON, "Cancel", charset))

# Save as: the file dialog takes the whole path in its name field.
menu_command(EDIT_FILE_MENU, "Save as ..")
wait_active(wait_for(pyatspi.ROLE_DIALOG, "Save crossword"))
xdotool("type", "--delay", "20", f"{out_dir}/flow")
xdotool("key", "Return")
wait_gone(pyatspi.ROLE_DIALOG, "Save crossword", "the save dialog stays open")

# The last clue, stored by Enter, then Save under the new name.
click(clue)
xdotool("type", "--delay", "40", texts[-1])
xdotool("key", "Return")
menu_command(EDIT_FILE_MENU, "Save")
time.sleep(0.5)
shot("saved")
if find(pyatspi.ROLE_LABEL, "Modified"):
    fail("Save did not save the crossword")

# Export PDF beside the crossword, with the solution page.
menu_command(EDIT_FILE_MENU, "Export PDF...")
export = wait_for(pyatspi.ROLE_DIALOG, "Export PDF")
click(wait_for(pyatspi.ROLE_CHECK_BOX, "Add the solution page", export))
shot("export-pdf")
click(wait_for(pyatspi.ROLE_PUSH_BUTTON, "Export", export))
wait_gone(pyatspi.ROLE_DIALOG, "Export PDF", "the Export PDF dialog stays open")
shot("exported")

# Print: with no printer set up the print dialog prints to a PDF file; ours in OUT_DIR.
menu_command(EDIT_FILE_MENU, "Print...")
printing = wait_for(pyatspi.ROLE_DIALOG, "Print crossword")
wait_active(printing)
type_into(wait_for(pyatspi.ROLE_TEXT, "Output file:", printing), f"{out_dir}/printed.pdf")
click(wait_for(pyatspi.ROLE_PUSH_BUTTON, "Options >>", printing))
click(wait_for(pyatspi.ROLE_PAGE_TAB, "Crossword", printing))
solution = wait_for(pyatspi.ROLE_CHECK_BOX, "Add the solution page", printing)
if not solution.getState().contains(pyatspi.STATE_CHECKED):  # as chosen for the export
    fail("the print dialog does not propose the solution page chosen for the export")
shot("print-dialog")
click(wait_for(pyatspi.ROLE_PUSH_BUTTON, "Print", printing))
wait_gone(pyatspi.ROLE_DIALOG, "Print crossword", "the print dialog stays open")

# The "No." header sorts the list by printed number; the choice is kept for the next start.
click(wait_for(pyatspi.ROLE_TABLE_COLUMN_HEADER, "No."))
for _ in range(25):
    first = wait_for(pyatspi.ROLE_TABLE, "Words").queryTable().getAccessibleAt(0, 0).name
    if first == "1 Across":
        break
    time.sleep(0.2)
else:
    shot("not-sorted")
    fail(f"sorted by number the list starts with {first!r}")
shot("sorted-by-number")
print("editing flow driven")

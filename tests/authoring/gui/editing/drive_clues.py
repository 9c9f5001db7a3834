# The second start of Gridwright in the editing flow, on a 15 x 15 composer result named on the
# command line, as a new author would write its clues: the list sorted by number as the first
# start left it; the first word clicked, then every clue typed with Tab or Enter to the next
# word (76 words, no mouse); Ctrl+S; Export PDF on A4 and on Letter with an author line.
# Usage: drive_clues.py OUT_DIR SHOT_DIR. Screenshots go to SHOT_DIR/*.png.
import sys
import time

import pyatspi

import gridwright_atspi
from gridwright_atspi import (EDIT_FILE_MENU, click, fail, find, menu_command, shot, type_into, wait_for,
                              wait_for_application, wait_gone, xdotool)

out_dir = sys.argv[1]
gridwright_atspi.shot_dir = sys.argv[2]
WORDS = 76


def export_pdf(name, paper):
    menu_command(EDIT_FILE_MENU, "Export PDF...")
    export = wait_for(pyatspi.ROLE_DIALOG, "Export PDF")
    type_into(wait_for(pyatspi.ROLE_TEXT, "File:", export), f"{out_dir}/{name}")
    type_into(wait_for(pyatspi.ROLE_TEXT, "Author:", export), "A. Setter")
    click(pyatspi.findDescendant(export, lambda n: n.getRole() == pyatspi.ROLE_COMBO_BOX))
    click(wait_for(pyatspi.ROLE_LIST_ITEM, paper))
    shot(f"export-{name}")
    click(wait_for(pyatspi.ROLE_PUSH_BUTTON, "Export", export))
    wait_gone(pyatspi.ROLE_DIALOG, "Export PDF", "the Export PDF dialog stays open")


wait_for_application()

words = wait_for(pyatspi.ROLE_TABLE, "Words", seconds=30)
# As an author would, the window made large enough for list, board and clue box.
xdotool("search", "--onlyvisible", "--name", "^Edit: us151.C_W$", "windowmove", "8", "8", "windowsize", "1000", "740")
time.sleep(0.5)
table = words.queryTable()
if table.nRows != WORDS:
    fail(f"the list holds {table.nRows} words, not {WORDS}")
if table.getAccessibleAt(0, 0).name != "1 Across":
    fail(f"the list starts with {table.getAccessibleAt(0, 0).name!r}: the sort by number was not kept")
wait_for(pyatspi.ROLE_LABEL, f"{WORDS} of {WORDS} words without a clue")
shot("composer-result")

# From the first word on, the keyboard alone.
click(table.getAccessibleAt(0, 1))
click(wait_for(pyatspi.ROLE_TEXT, "Clue"))
for n in range(1, WORDS + 1):
    xdotool("type", "--delay", "15", f"Clue {n} of the grid")
    xdotool("key", "Tab" if n % 2 else "Return")
    time.sleep(0.05)
    if n == 40:
        shot("clues-halfway")
wait_for(pyatspi.ROLE_LABEL, f"0 of {WORDS} words without a clue")
xdotool("key", "ctrl+s")
time.sleep(0.8)
if find(pyatspi.ROLE_LABEL, "Modified"):
    fail("Ctrl+S did not save the crossword")
shot("clues-saved")

export_pdf("us15-a4", "A4")
export_pdf("us15-letter", "Letter")
shot("exported")
print("clue flow driven")

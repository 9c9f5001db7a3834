# Drives the running Gridwright through AT-SPI as an author would, finding every widget by
# its accessible name and clicking or typing with xdotool (an AT-SPI action that opens a
# modal dialog would not return until the dialog closes):
#   Edit on the start page; File (Edit) > New, 3 across and 2 down; in the layout editor
#   "ab ", then "cde" on the second row, OK; a clue for every word; Change Charset shows the
#   crossword with only the charset open (cancelled); Save as OUT_DIR/flow.C_W;
#   Export PDF with the solution page beside it; Print to a PDF file with the solution page.
# Usage: drive_editing.py OUT_DIR SHOT_DIR. Screenshots go to SHOT_DIR/*.png.
import subprocess
import sys
import time

import pyatspi

out_dir, shot_dir = sys.argv[1], sys.argv[2]
CLUES = {"AC": "Clue for AC", "BD": "Clue for BD", "E": "Clue for E", "AB": "Clue for AB",
         "CDE": "Clue for CDE"}


def fail(message):
    sys.exit("FAIL: " + message)


def shot(name):
    time.sleep(0.4)
    subprocess.run(["import", "-window", "root", f"{shot_dir}/{name}.png"], check=True)


def xdotool(*args):
    subprocess.run(["xdotool", *args], check=True)


def application():
    desktop = pyatspi.Registry.getDesktop(0)
    for i in range(desktop.childCount):
        app = desktop.getChildAtIndex(i)
        if app is not None and app.name == "Gridwright":
            return app
    return None


def showing(node):
    try:
        return node.getState().contains(pyatspi.STATE_SHOWING)
    except Exception:  # a widget that went away while we looked
        return False


def find(role, name, root=None, depth=0):
    """The first showing node of that role and name under root (the application by default)."""
    root = root or application()
    if root is None or depth > 14:
        return None
    try:
        if root.getRole() == role and root.name == name and showing(root):
            return root
        for i in range(root.childCount):
            child = root.getChildAtIndex(i)
            if child is not None and (depth == 0 or showing(child)):
                found = find(role, name, child, depth + 1)
                if found:
                    return found
    except Exception:
        return None
    return None


def wait_for(role, name, root=None, seconds=20):
    for _ in range(seconds * 5):
        node = find(role, name, root)
        if node:
            return node
        time.sleep(0.2)
    shot("missing")
    fail(f"nothing of role {role} named {name!r} is showing")


def wait_active(window, seconds=20):
    """Until the window has the keyboard, so that keys typed next reach it."""
    for _ in range(seconds * 5):
        if window.getState().contains(pyatspi.STATE_ACTIVE):
            time.sleep(0.2)
            return
        time.sleep(0.2)
    fail(f"{window.name!r} never became the active window")


def click(node):
    x, y, w, h = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    xdotool("mousemove", "--sync", str(x + w // 2), str(y + h // 2))
    xdotool("click", "1")
    time.sleep(0.3)


def type_into(node, text, replace=True):
    click(node)
    if replace:
        xdotool("key", "ctrl+a")
    xdotool("type", "--delay", "40", text)
    time.sleep(0.2)


def menu_command(caption):
    click(wait_for(pyatspi.ROLE_MENU_ITEM, "File (Edit)"))
    click(wait_for(pyatspi.ROLE_MENU_ITEM, caption))


for _ in range(100):
    if application():
        break
    time.sleep(0.2)
else:
    fail("Gridwright is not on the accessibility bus")

click(wait_for(pyatspi.ROLE_PUSH_BUTTON, "Edit"))

# New: two rows of three columns.
menu_command("New")
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
for _ in range(50):
    if not find(pyatspi.ROLE_DIALOG, "Definition"):
        break
    time.sleep(0.2)
else:
    fail("the layout editor stays open after OK")

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
menu_command("Close")
wait_for(pyatspi.ROLE_PUSH_BUTTON, "Cancel")
wait_for(pyatspi.ROLE_PUSH_BUTTON, "No")
shot("save-changes")
time.sleep(0.5)
xdotool("key", "Escape")
for _ in range(50):
    if not find(pyatspi.ROLE_PUSH_BUTTON, "No"):
        break
    time.sleep(0.2)
else:
    fail("Escape does not answer \"Save changes?\"")
wait_for(pyatspi.ROLE_TABLE_CELL, "CDE", words, seconds=5)
if not find(pyatspi.ROLE_LABEL, "Modified"):
    fail("the crossword is no longer modified after Escape")

# Change Charset: the same dialog shows the crossword, only the charset open; cancelled.
menu_command("Change Charset")
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
menu_command("Save as ..")
wait_active(wait_for(pyatspi.ROLE_DIALOG, "Save crossword"))
xdotool("type", "--delay", "20", f"{out_dir}/flow")
xdotool("key", "Return")
for _ in range(50):
    if not find(pyatspi.ROLE_DIALOG, "Save crossword"):
        break
    time.sleep(0.2)
else:
    shot("save-dialog-stuck")
    fail("the save dialog stays open")

# The last clue, stored by Enter, then Save under the new name.
click(clue)
xdotool("type", "--delay", "40", texts[-1])
xdotool("key", "Return")
menu_command("Save")
time.sleep(0.5)
shot("saved")
if find(pyatspi.ROLE_LABEL, "Modified"):
    fail("Save did not save the crossword")

# Export PDF beside the crossword, with the solution page.
menu_command("Export PDF...")
export = wait_for(pyatspi.ROLE_DIALOG, "Export PDF")
click(wait_for(pyatspi.ROLE_CHECK_BOX, "Add the solution page", export))
shot("export-pdf")
click(wait_for(pyatspi.ROLE_PUSH_BUTTON, "Export", export))
for _ in range(50):
    if not find(pyatspi.ROLE_DIALOG, "Export PDF"):
        break
    time.sleep(0.2)
else:
    fail("the Export PDF dialog stays open")
shot("exported")

# Print: with no printer set up the print dialog prints to a PDF file; ours in OUT_DIR.
menu_command("Print...")
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
for _ in range(50):
    if not find(pyatspi.ROLE_DIALOG, "Print crossword"):
        break
    time.sleep(0.2)
else:
    fail("the print dialog stays open")
print("editing flow driven")

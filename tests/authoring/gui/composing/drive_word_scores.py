# Drives the running Gridwright through AT-SPI as a constructor would, finding every widget by
# its accessible name and clicking or typing with xdotool: Edit words > English, Import from
# file (a small WORD;SCORE list), the words that fit C?T*, OK; on the composing page (Compose:
# the layout named on the command line is open there) "Minimum word score" 50, Quick fill, and
# the mean score in the status bar.
# Usage: drive_word_scores.py SCORED_LIST SHOT_DIR. Screenshots go to SHOT_DIR/*.png.
import re
import subprocess
import sys
import time

import pyatspi

scored_list, shot_dir = sys.argv[1], sys.argv[2]


def fail(message):
    shot("failure")
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
    """The first showing node of that role whose name matches (a regular expression)."""
    root = root or application()
    if root is None or depth > 14:
        return None
    try:
        if root.getRole() == role and re.fullmatch(name, root.name or "") and showing(root):
            return root
        if root.getRole() in (pyatspi.ROLE_TABLE, pyatspi.ROLE_LIST, pyatspi.ROLE_TREE_TABLE):
            return None  # the word list's many thousand cells are never what is looked for
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
    fail(f"nothing of role {role} named {name!r} is showing")


def click(node):
    x, y, w, h = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    xdotool("mousemove", "--sync", str(x + w // 2), str(y + h // 2))
    xdotool("click", "1")
    time.sleep(0.3)


def answer(key="Return"):
    """The message box in front takes the key (its default button)."""
    time.sleep(0.8)
    xdotool("key", key)


for _ in range(100):
    if application():
        break
    time.sleep(0.2)
else:
    fail("Gridwright is not on the accessibility bus")
click(wait_for(pyatspi.ROLE_PUSH_BUTTON, "Compose"))
wait_for(pyatspi.ROLE_PUSH_BUTTON, "Quick fill")

# The dictionary editor: a scored import (one line refused), then the words that fit C?T*.
click(wait_for(pyatspi.ROLE_MENU_ITEM, "Edit words"))
click(wait_for(pyatspi.ROLE_MENU_ITEM, "English"))
editor = wait_for(pyatspi.ROLE_DIALOG, "Word dictionary : English", seconds=60)
click(wait_for(pyatspi.ROLE_PUSH_BUTTON, "Import from file", editor))
wait_for(pyatspi.ROLE_DIALOG, "Open")
time.sleep(0.5)
xdotool("type", "--delay", "5", scored_list)
xdotool("key", "Return")
answer()  # "Found 5 entries! Want to import?" Yes
shot("1-import-added")
answer()  # "Added 3 words!"
shot("2-import-skipped")
answer()  # the line skipped, and why
click(wait_for(pyatspi.ROLE_TEXT, "Pattern", editor))
xdotool("type", "--delay", "40", "c?t*")
shot("3-pattern")
click(wait_for(pyatspi.ROLE_PUSH_BUTTON, "OK", editor))
for _ in range(150):
    if not find(pyatspi.ROLE_DIALOG, "Word dictionary : English"):
        break
    time.sleep(0.2)
else:
    fail("OK did not close the dictionary editor")

# The composing page: the minimum, then Quick fill reports the fill's scores.
spin = wait_for(pyatspi.ROLE_SPIN_BUTTON, "Minimum word score")
click(spin)
xdotool("key", "ctrl+a")
xdotool("type", "--delay", "40", "50")
xdotool("key", "Tab")
shot("4-minimum")
click(wait_for(pyatspi.ROLE_PUSH_BUTTON, "Quick fill"))
report = wait_for(pyatspi.ROLE_LABEL, "Quick fill: .* written .*Mean word score.*", seconds=120)
shot("5-quick-fill")
lowest = [int(n) for n in re.findall(r" (\d+)(?:,|$)", report.name.split("lowest:")[1])]
if not lowest or min(lowest) < 50:
    fail("a word under the minimum was placed: " + report.name)
print(report.name)

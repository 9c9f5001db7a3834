# Reads the clue list of the running Cross through AT-SPI as a screen reader would: the lists
# "Across" and "Down" with their items, the current clue being the selected item. Checks that
# the selection follows the cursor when Tab moves it to the next word.
# Exit status: 0 read and followed, 1 a check failed, 77 AT-SPI answers nothing (skipped).
import subprocess
import sys
import time

import pyatspi


def fail(message):
    print("FAIL: " + message)
    sys.exit(1)


def cross():
    try:
        desktop = pyatspi.Registry.getDesktop(0)
        apps = [desktop.getChildAtIndex(i) for i in range(desktop.childCount)]
    except Exception as e:  # the registry itself does not answer
        print(f"AT-SPI cannot start: {e}")
        sys.exit(77)
    return next((a for a in apps if a is not None and a.name == "Cross"), None)


def lists(app):
    found = pyatspi.findAllDescendants(app, lambda n: n.getRole() == pyatspi.ROLE_LIST and n.name in ("Across", "Down"))
    return {n.name: n for n in found}


def read(clue_list):
    """The items' names and the selected one's."""
    items, selected = [], []
    for i in range(clue_list.childCount):
        item = clue_list.getChildAtIndex(i)
        if item is None:
            continue
        items.append(item.name)
        if item.getState().contains(pyatspi.STATE_SELECTED):
            selected.append(item.name)
    return items, selected


def expect_selected(found, across, down, when):
    for name, index in (("Across", across), ("Down", down)):
        for _ in range(25):
            items, selected = read(found[name])
            if selected == [items[index]]:
                break
            time.sleep(0.2)
        else:
            fail(f"{when}: {name} selects {selected}, not {items[index]!r} of {items}")
        print(f"{when}: {name} {selected[0]}")


for _ in range(50):
    app = cross()
    if app:
        break
    time.sleep(0.2)
else:
    fail("Cross is not on the accessibility bus")
found = {}
for _ in range(50):
    found = lists(app)
    if len(found) == 2:
        break
    time.sleep(0.2)
else:
    fail(f"no lists Across and Down, only {sorted(found)}")

across, _ = read(found["Across"])
down, _ = read(found["Down"])
print("Across:", " | ".join(across))
print("Down:", " | ".join(down))
if across[0] != "1. Clue CAT" or down[0] != "1. Clue COW":
    fail("the lists do not start with the clues of 1 Across and 1 Down")

# The cursor starts in the first cell: 1 Across and 1 Down are the current clues.
expect_selected(found, 0, 0, "at the start")
# Tab: the next Across word, 4 Across (OX); its first cell starts 4 Down (OR).
subprocess.run(["xdotool", "key", "Tab"], check=True)
expect_selected(found, 1, 3, "after Tab")

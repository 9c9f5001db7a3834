# Reads the running Cross's board through AT-SPI and prints a few cells: name, clues, focus.
import sys

import pyatspi


def find(node, role, depth=0):
    if node is None or depth > 8:
        return None
    if node.getRole() == role:
        return node
    for i in range(node.childCount):
        found = find(node.getChildAtIndex(i), role, depth + 1)
        if found:
            return found
    return None


desktop = pyatspi.Registry.getDesktop(0)
apps = [desktop.getChildAtIndex(i) for i in range(desktop.childCount)]
app = next((a for a in apps if a and a.name == "Cross"), None)
table = find(app, pyatspi.ROLE_TABLE) if app else None
if table is None:
    sys.exit("no accessible board table")
cells = table.queryTable()
print("table", table.name, cells.nRows, cells.nColumns)
for row, column in ((0, 0), (0, 1), (0, 3)):
    cell = cells.getAccessibleAt(row, column)
    focused = cell.getState().contains(pyatspi.STATE_FOCUSED)
    print(f"{cell.name} | {cell.description}{' | focused' if focused else ''}")

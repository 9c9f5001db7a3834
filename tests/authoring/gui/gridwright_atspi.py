# Drives the running Gridwright through AT-SPI as a screen reader reaches it: widgets found by
# role and accessible name, clicks and keys sent with xdotool (an AT-SPI action that opens a
# modal dialog would not return until the dialog closes), screenshots into shot_dir.
import re
import subprocess
import sys
import time

import pyatspi

shot_dir = "."
EDIT_FILE_MENU = "File (Edit)"

# What tables and lists hold; only a search for these looks inside them (the word list's many
# thousand cells are never what another search is after).
_ITEM_ROLES = {pyatspi.ROLE_TABLE_CELL, pyatspi.ROLE_TABLE_COLUMN_HEADER, pyatspi.ROLE_LIST_ITEM}
_CONTAINER_ROLES = {pyatspi.ROLE_TABLE, pyatspi.ROLE_LIST, pyatspi.ROLE_TREE_TABLE}


def shot(name):
    time.sleep(0.4)
    subprocess.run(["import", "-window", "root", f"{shot_dir}/{name}.png"], check=True)


def fail(message):
    try:
        shot("failure")
    finally:
        sys.exit("FAIL: " + message)


def xdotool(*args):
    subprocess.run(["xdotool", *args], check=True)


def application():
    desktop = pyatspi.Registry.getDesktop(0)
    for i in range(desktop.childCount):
        app = desktop.getChildAtIndex(i)
        if app is not None and app.name == "Gridwright":
            return app
    return None


def wait_for_application():
    for _ in range(100):
        if application():
            return
        time.sleep(0.2)
    fail("Gridwright is not on the accessibility bus")


def showing(node):
    try:
        return node.getState().contains(pyatspi.STATE_SHOWING)
    except Exception:  # a widget that went away while we looked
        return False


def _named(node, name):
    """A string names exactly; a compiled pattern must match the whole name."""
    if isinstance(name, re.Pattern):
        return name.fullmatch(node.name or "") is not None
    return node.name == name


def find(role, name, root=None, depth=0):
    """The first showing node of that role and name under root (the application by default)."""
    root = root or application()
    if root is None or depth > 14:
        return None
    try:
        if root.getRole() == role and _named(root, name) and showing(root):
            return root
        if root.getRole() in _CONTAINER_ROLES and role not in _ITEM_ROLES:
            return None
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


def wait_gone(role, name, what, seconds=10):
    """Until nothing of that role and name shows; else fails saying `what`."""
    for _ in range(seconds * 5):
        if not find(role, name):
            return
        time.sleep(0.2)
    fail(what)


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


def menu_command(menu, caption):
    click(wait_for(pyatspi.ROLE_MENU_ITEM, menu))
    click(wait_for(pyatspi.ROLE_MENU_ITEM, caption))


def answer(key="Return"):
    """The message box in front takes the key (its default button)."""
    time.sleep(0.8)
    xdotool("key", key)

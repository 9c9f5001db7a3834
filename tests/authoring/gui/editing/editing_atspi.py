# What the AT-SPI drivers of the editing flow share: finding Gridwright's widgets by role and
# accessible name, clicking and typing with xdotool, screenshots into the shot folder.
import subprocess
import sys
import time

import pyatspi

shot_dir = "."


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

# SPDX-License-Identifier: GPL-2.0-or-later
"""Keys typed into the program under test, as a user types them (XTEST).
The private X server has no window manager: the window is given the X input
focus first."""

import subprocess


def focus_window(run):
    """Gives the program's main window (the 1024 x 640 one, not the tray
    icon's) the X input focus."""
    windows = subprocess.run(["xdotool", "search", "--onlyvisible", "--pid", str(run.pid)],
                             capture_output=True, text=True).stdout.split()
    for window in windows:
        geometry = subprocess.run(["xdotool", "getwindowgeometry", window], capture_output=True, text=True).stdout
        if "Geometry: 1024x640" in geometry:
            subprocess.run(["xdotool", "windowfocus", "--sync", window], check=True)
            return
    raise AssertionError("no 1024 x 640 window of the program")


def focus(run, node):
    """The node takes the keyboard focus (its "SetFocus" action)."""
    focus_window(run)
    actions = node.queryAction()
    for i in range(actions.nActions):
        if actions.getName(i).lower() == "setfocus":
            actions.doAction(i)
            run.wait_state(node, "focused")
            return
    raise AssertionError("%r has no SetFocus action" % node.name)


def press_keys(run, *keys):
    """X key names ("Menu", "Return")."""
    focus_window(run)
    subprocess.run(["xdotool", "key"] + list(keys), check=True)


def type_text(run, text):
    focus_window(run)
    subprocess.run(["xdotool", "type", "--delay", "30", text], check=True)

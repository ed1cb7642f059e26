"""Reads the menus demo through the desktop's accessibility bus (AT-SPI), as a screen reader does:
the menu of the menu bar opened with the pointer must show up as a popup menu named after its
bar item, with its items' names, roles and the focus as the keyboard moves it."""
import subprocess
import sys
import time

import pyatspi


def wait_for(what, probe, timeout=10.0):
    end = time.time() + timeout
    while time.time() < end:
        found = probe()
        if found:
            return found
        time.sleep(0.1)
    sys.exit(f"accessibility: no {what}")


def app():
    for a in pyatspi.Registry.getDesktop(0):
        if a is not None and a.name == "korvalin":
            return a
    return None


def popup_menus(a):
    out = []
    for i in range(a.childCount):
        w = a.getChildAtIndex(i)
        if w is not None and w.getRoleName() == "popup menu":
            out.append(w)
    return out


def items(menu):
    return [(c.getRoleName(), c.name, c.getState()) for c in (menu.getChildAtIndex(i) for i in range(menu.childCount))]


def main():
    fx, fy = sys.argv[1], sys.argv[2]
    a = wait_for("application on the bus", app)
    subprocess.run(["xdotool", "mousemove", fx, fy, "click", "1"], check=True)
    menu = wait_for("popup menu", lambda: (popup_menus(a) or [None])[0])
    if menu.name != "File":
        sys.exit(f"accessibility: the menu is named {menu.name!r}")
    got = [(role, name) for role, name, _ in items(menu)]
    want = [("menu item", "Open...\tCtrl+O"), ("menu item", "Save\tCtrl+S"), ("separator", ""),
            ("menu item", "Recent files"), ("separator", ""), ("menu item", "Exit")]
    if got != want:
        sys.exit(f"accessibility: items {got}")
    subprocess.run(["xdotool", "key", "Down", "Down"], check=True)
    wait_for("focus on Save", lambda: items(menu)[1][2].contains(pyatspi.STATE_FOCUSED))
    if items(menu)[0][2].contains(pyatspi.STATE_FOCUSED):
        sys.exit("accessibility: the focus stayed on Open")
    subprocess.run(["xdotool", "key", "Escape", "Escape"], check=True)
    print("accessibility: the menu reads as a screen reader needs it")


if __name__ == "__main__":
    main()

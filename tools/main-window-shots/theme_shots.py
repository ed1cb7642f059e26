#!/usr/bin/python3
"""Pictures of the whole main window in every theme, on the X display (run under xvfb-run):
the program started with the theme stored in its settings, a graph pasted, the window saved as
FOLDER/main-window-theme-<name>.png.

    theme_shots.py PROGRAM FOLDER
"""
import os
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "..", "tests", "desktop"))
import korvalin_desktop as kd  # noqa: E402
from PIL import ImageGrab  # noqa: E402


def main():
    binary, folder = sys.argv[1], sys.argv[2]
    for theme in kd.THEMES_IN_MENU:
        p = kd.Program(binary, "[PREFERENCES]\nTheme=%s\n" % theme)
        try:
            kd.set_clipboard("0 1\n1 3\n2 2\n3 5\n4 4\n")
            time.sleep(0.2)
            p.key("ctrl+v")
            time.sleep(0.6)
            x, y, w, h = kd.geometry(p.main)
            ImageGrab.grab(bbox=(x, y, x + w, y + h)).save(os.path.join(folder, "main-window-theme-%s.png" % theme))
        finally:
            p.close()


if __name__ == "__main__":
    main()

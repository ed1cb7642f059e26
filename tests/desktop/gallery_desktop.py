#!/usr/bin/python3
"""Drives the control gallery on a real X display (run under xvfb-run) with xdotool, as a user
would, and checks what it reports and what shows on the screen.

    gallery_desktop.py GALLERY CASE [SCREENSHOT]

The gallery prints one line per event ("tab 1", "color #FF6600"); positions are in the client
area of its form, whose corner the gallery reports as "ready DX,DY" from the window's corner.
"""
import os
import subprocess
import sys
import tempfile
import time

from PIL import ImageGrab

from korvalin_desktop import keys_to, run, start_window_manager, wait_for


def visible_windows():
    """Mapped windows of any kind (menus and lists have no title)."""
    try:
        return run("xdotool", "search", "--onlyvisible", "--class", ".").split()
    except subprocess.CalledProcessError:
        return []


def window_named(name):
    try:
        ids = run("xdotool", "search", "--onlyvisible", "--name", "^" + name + "$").split()
    except subprocess.CalledProcessError:
        return None
    return int(ids[0]) if ids else None


def geometry(win):
    values = dict(line.split("=") for line in run("xdotool", "getwindowgeometry", "--shell", str(win)).split())
    return int(values["X"]), int(values["Y"])


class Gallery:
    def __init__(self, binary):
        self.out = tempfile.NamedTemporaryFile(mode="w+", suffix=".txt", delete=False)
        self.proc = subprocess.Popen([binary], stdout=self.out, stderr=subprocess.STDOUT)
        ready = wait_for("the gallery", lambda: next((l for l in self.lines() if l.startswith("ready ")), None))
        dx, dy = (int(v) for v in ready[6:].split(","))
        win = wait_for("its window", lambda: window_named("Korvalin control gallery"))
        wx, wy = geometry(win)
        self.cx, self.cy = wx + dx, wy + dy

    def lines(self):
        with open(self.out.name, encoding="utf-8") as f:
            return [l.rstrip("\n") for l in f]

    def click(self, x, y):
        run("xdotool", "mousemove", str(self.cx + x), str(self.cy + y), "click", "1")

    def pixel(self, x, y):
        return ImageGrab.grab().getpixel((self.cx + x, self.cy + y))[:3]

    def expect(self, line):
        wait_for("'" + line + "'", lambda: line in self.lines())

    def close(self):
        self.proc.kill()
        self.proc.wait()
        os.unlink(self.out.name)


# Client positions of the gallery's controls.
TABS = {0: (42, 362), 1: (86, 362), 2: (130, 362), 3: (190, 362)}
AXIS_EDIT = (40, 400)  # the edit on the second page
COLOR_BUTTON = (385, 320)
ORANGE_CELL = (380, 381)  # column 1, row 1 of the drop-down grid
CHOOSE_ENTRY = (432, 454)  # "Выбрать..."
PEN_BUTTON = (530, 320)
DOTTED_ENTRY = (557, 382)  # the third style of the drop-down


def case_tabs_click_through(g, shot):
    assert g.pixel(*AXIS_EDIT) != (255, 255, 255), "the second page shows before its tab is clicked"
    for index in (1, 2, 3, 0, 1):
        before = g.lines().count("tab %d" % index)
        g.click(*TABS[index])
        wait_for("tab %d" % index, lambda: g.lines().count("tab %d" % index) == before + 1)
    # The second page is in front: its edit's white field shows.
    wait_for("the axis edit", lambda: g.pixel(*AXIS_EDIT) == (255, 255, 255))
    time.sleep(0.5)
    if shot:
        ImageGrab.grab().save(shot)


def case_colour_from_the_grid(g, shot):
    g.click(*COLOR_BUTTON)
    time.sleep(0.5)
    g.click(*ORANGE_CELL)
    g.expect("color #FF6600")
    # The menu closed and the bar shows the new colour.
    wait_for("the orange bar", lambda: g.pixel(375, 320) == (255, 102, 0))


def case_colour_from_the_dialog_in_russian(g, shot):
    g.click(*COLOR_BUTTON)
    time.sleep(0.5)
    g.click(*CHOOSE_ENTRY)
    dialog = wait_for("the colour dialog", lambda: window_named("Цвет"))
    time.sleep(0.5)
    if shot:
        ImageGrab.grab().save(shot)
    # The first basic colour (black), then Enter for OK.
    x, y = geometry(dialog)
    run("xdotool", "mousemove", str(x + 24), str(y + 42), "click", "1")
    keys_to(dialog, "Return")
    wait_for("the dialog to close", lambda: window_named("Цвет") is None)
    g.expect("color #000000")


def case_pen_style_from_the_menu(g, shot):
    g.click(*PEN_BUTTON)
    time.sleep(0.5)
    g.click(*DOTTED_ENTRY)
    g.expect("pen 2")


def case_tab_pages_show_through_their_controls(g, shot):
    # Under Aluminum the pages show the theme's band; a group box on one shows the same band
    # inside its frame (no box of a flat colour): inside it the screen is as in the same row
    # beside it.
    probes = {3: [((150, 440), (400, 440)), ((200, 455), (420, 455)), ((40, 400), (450, 400))]}
    for index, pairs in probes.items():
        before = g.lines().count("tab %d" % index)
        if index != 0:
            g.click(*TABS[index])
            wait_for("tab %d" % index, lambda: g.lines().count("tab %d" % index) == before + 1)
        time.sleep(0.5)
        for inside, beside in pairs:
            assert g.pixel(*inside) == g.pixel(*beside), (index, inside, g.pixel(*inside), beside, g.pixel(*beside))
    if shot:
        ImageGrab.grab().save(shot)


TIP_BUTTON = (360, 282)  # "Подсказка", which has a hint
HINT_COLOUR = (255, 255, 225)


def hint_below(x, y):
    """The box (screen) of the hint-coloured area just below the screen point (x, y), or None."""
    image = ImageGrab.grab(bbox=(x - 20, y, x + 500, y + 60)).convert("RGB")
    px = image.load()
    cells = [(i, j) for j in range(image.height) for i in range(image.width) if px[i, j] == HINT_COLOUR]
    if len(cells) < 200:
        return None
    left, top = min(c[0] for c in cells), min(c[1] for c in cells)
    right, bottom = max(c[0] for c in cells), max(c[1] for c in cells)
    return x - 20 + left, y + top, right - left + 1, bottom - top + 1


def case_button_hint_shows_whole(g, shot):
    # The control set's button shows its hint in the wide hint window: the whole Cyrillic text,
    # dark on the hint colour, with a blank row and column of that colour round it.
    x, y = g.cx + TIP_BUTTON[0], g.cy + TIP_BUTTON[1]
    run("xdotool", "mousemove", str(x - 3), str(y - 1))
    time.sleep(0.1)
    run("xdotool", "mousemove", str(x), str(y))
    box = wait_for("the button's hint", lambda: hint_below(x, y + 8))
    time.sleep(0.3)
    box = hint_below(x, y + 8)
    bx, by, bw, bh = box
    image = ImageGrab.grab(bbox=(bx - 1, by - 1, bx + bw + 1, by + bh + 1)).convert("RGB")
    px = image.load()
    ink = [(i, j) for j in range(image.height) for i in range(image.width)
           if px[i, j] != HINT_COLOUR and 0 < i < image.width - 1 and 0 < j < image.height - 1]
    assert len(ink) > 100, "no text in the hint"
    assert min(sum(px[i, j]) for i, j in ink) < 150, "no dark text"
    rows = [j for _, j in ink]
    cols = [i for i, _ in ink]
    assert min(rows) >= 2 and max(rows) <= image.height - 3, "text rows %d..%d in a hint %d high" % (
        min(rows), max(rows), image.height)
    assert min(cols) >= 2 and max(cols) <= image.width - 3, "text columns %d..%d in a hint %d wide" % (
        min(cols), max(cols), image.width)
    if shot:
        ImageGrab.grab(bbox=(g.cx + 280, g.cy + 250, g.cx + 780, g.cy + 340)).save(shot)


def combo_item_list_from_its_button(g, shot):
    """The toolbar's line combo item shows a drop-down button with its arrow right of its box; a
    click on the button opens the list and a click on an entry chooses it."""
    line = wait_for("the combo's place", lambda: next((l for l in g.lines() if l.startswith("combo at ")), None))
    left, top, right, bottom = (int(v) for v in line[len("combo at "):].split(","))
    bx, by = right - 7, (top + bottom) // 2  # the middle of the drop-down button

    def dark(x0, y0, x1, y1):
        image = ImageGrab.grab(bbox=(g.cx + x0, g.cy + y0, g.cx + x1, g.cy + y1)).convert("RGB")
        return [(i, j) for j in range(image.height) for i in range(image.width) if sum(image.getpixel((i, j))) < 200]

    # The arrow: a small solid triangle pointing down, rows widest at the top and without gaps, in
    # the button. Waited for in that shape: a slow first paint leaves the place dark all over.
    def arrow_rows():
        rows = {}
        for i, j in dark(right - 13, top + 2, right - 1, bottom - 2):
            rows.setdefault(j, []).append(i)
        widths = [len(rows[j]) for j in sorted(rows)]
        solid = all(max(rows[j]) - min(rows[j]) + 1 == len(rows[j]) for j in rows)
        triangle = widths == sorted(widths, reverse=True) and len(widths) >= 3 and widths[-1] == 1
        return widths if solid and triangle else None

    wait_for("the drop-down arrow, a solid triangle pointing down", arrow_rows)
    before = set(visible_windows())
    g.click(bx, by)
    lists = wait_for("the list open", lambda: set(visible_windows()) - before, timeout=5)
    time.sleep(0.4)
    if shot:
        ImageGrab.grab(bbox=(g.cx + left - 40, g.cy + top - 110, g.cx + right + 120, g.cy + bottom + 110)).save(shot)
    # The four entries fill the list one row each (it opens above or below the item, wherever
    # there is room): the second is "Штриховая".
    values = dict(l.split("=") for l in run("xdotool", "getwindowgeometry", "--shell", lists.pop()).split())
    x, y, h = int(values["X"]), int(values["Y"]), int(values["HEIGHT"])
    run("xdotool", "mousemove", str(x + 30), str(y + h * 3 // 8), "click", "1")
    g.expect("line Штриховая")
    wait_for("the list closed", lambda: set(visible_windows()) == before, timeout=5)


def case_combo_item_list_from_its_button(g, shot):
    combo_item_list_from_its_button(g, shot)


def case_combo_item_list_from_its_button_managed(g, shot):
    combo_item_list_from_its_button(g, shot)


# Cases named here run under a window manager, started before the gallery.
WINDOW_MANAGED = {"combo_item_list_from_its_button_managed"}


THEMED = {"tab_pages_show_through_their_controls": "Aluminum", "button_hint_shows_whole": "Aluminum"}


CASES = {name[5:]: f for name, f in globals().items() if name.startswith("case_")}


def main():
    binary, case = sys.argv[1], sys.argv[2]
    shot = sys.argv[3] if len(sys.argv) > 3 else None
    if case in THEMED:
        os.environ["KV_GALLERY_THEME"] = THEMED[case]
    wm = start_window_manager() if case in WINDOW_MANAGED else None
    try:
        g = Gallery(binary)
        try:
            CASES[case](g, shot)
        except AssertionError:
            print("\n".join(g.lines()))
            raise
        finally:
            g.close()
    finally:
        if wm:
            wm.terminate()
            wm.wait()
    print("ok", case)


if __name__ == "__main__":
    main()

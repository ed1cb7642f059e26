# "Формат" (buttons with captions only) dragged from the bottom dock onto a side dock: its
# captions run down the buttons whole, and the toolbar shows them as soon as it is let go, under
# the default look and under Aluminum. Once on the bare display and once under the window manager.

FORMAT_GRIP = (9, 601)  # the grip of "Формат" in the bottom dock's second row, by the main window
SIDE_DROP = {"left": (6, 300), "right": (895, 300)}
# The first button of the docked toolbar, by the main window: a column inside the toolbar's frame
# from just under its grip down past where its caption ends.
FIRST_BUTTON = {"left": (7, 82, 25, 220), "right": (875, 82, 893, 220)}


def text_rows(box):
    """The rows of a screen box that hold caption pixels (dark on the light face)."""
    x0, y0, x1, y1 = box
    image = ImageGrab.grab(bbox=box)
    return [y for y in range(y1 - y0) if any(sum(image.getpixel((x, y))[:3]) < 250 for x in range(x1 - x0))]


def format_toolbar_to_side(p, side):
    x, y = geometry(p.main)[:2]
    drag_grip(p, FORMAT_GRIP, SIDE_DROP[side])
    # Away from the toolbar, so that no hot button paints itself.
    run("xdotool", "mousemove", str(x + 450), str(y + 300))
    time.sleep(0.5)
    bx0, by0, bx1, by1 = FIRST_BUTTON[side]
    rows = text_rows((x + bx0, y + by0, x + bx1, y + by1))
    return rows


def side_dock_captions(p):
    ini = open(p.ini, encoding="utf-8").read()
    failures = []
    for theme in ("Default", "Aluminum"):
        for side in ("left", "right"):
            program = p if (theme, side) == ("Default", "left") else Program(p.exe, ini + "Theme=%s\n" % theme)
            try:
                rows = format_toolbar_to_side(program, side)
            finally:
                if program is not p:
                    program.close()
            # "Формат заголовка..." turned runs about 110 pixels down the button; upright each
            # button shows two letters in about 12 rows, and a toolbar not painted shows none.
            if len(rows) < 70:
                failures.append("%s, %s dock: caption pixels in %d rows of the first button" % (theme, side, len(rows)))
    assert not failures, "\n".join(failures)


def case_side_dock_captions_run_down_whole(p):
    side_dock_captions(p)


def case_side_dock_captions_run_down_whole_managed(p):
    side_dock_captions(p)


WINDOW_MANAGED.add("side_dock_captions_run_down_whole_managed")

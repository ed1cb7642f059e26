# Control-set buttons on the real desktop: the hint of a docked button of the main window shows its
# text whole, in the hint colours, under a theme that paints the bars itself. Bare and under openbox.

HINT_BACKGROUND = (255, 255, 225)  # the hint colour (clInfoBk)


def control_hint_box(p, px, py):
    """The small window that shows up just below and right of the pointer (the hint), or None."""
    for w in p.others(named=False):
        hx, hy, hw, hh = geometry(w)
        if px - 4 <= hx <= px + 40 and py < hy <= py + 60 and hh < 40:
            return hx, hy, hw, hh
    return None


def rest_pointer_on(px, py):
    # Two steps: the second is a move inside the window, which the hint timer waits after.
    run("xdotool", "mousemove", str(px - 2), str(py - 1))
    time.sleep(0.1)
    run("xdotool", "mousemove", str(px), str(py))


def hint_ink_rows_and_columns(box):
    """The hint's picture: its inside colour, and the rows and columns (inside the one-pixel
    border) that hold text, i.e. differ from that colour."""
    x, y, w, h = box
    image = ImageGrab.grab(bbox=(x, y, x + w, y + h)).convert("RGB")
    px = image.load()
    inside = px[2, 1]
    rows = sorted({j for j in range(1, h - 1) for i in range(1, w - 1) if px[i, j] != inside})
    cols = sorted({i for j in range(1, h - 1) for i in range(1, w - 1) if px[i, j] != inside})
    return inside, rows, cols


def docked_button_hint_shows_whole(p):
    x, y, w, h = geometry(p.main)
    bx, by = x + 24, y + 58  # the first button of "Стандартная", below the menu bar
    rest_pointer_on(bx, by)
    box = wait_for("the button's hint", lambda: control_hint_box(p, bx, by), timeout=4)
    time.sleep(0.3)  # painted
    inside, rows, cols = wait_for("the hint's text", lambda: (lambda r: r if r[1] else None)(hint_ink_rows_and_columns(box)))
    _, _, bw, bh = box
    assert inside == HINT_BACKGROUND, "the hint is filled with %s, not the hint colour" % (inside,)
    # Whole: a blank row and column of the hint colour inside the border on every side, so no
    # descender or last letter runs into the border.
    assert rows[0] >= 2 and rows[-1] <= bh - 3, "text rows %d..%d in a hint %d high" % (rows[0], rows[-1], bh)
    assert cols[0] >= 2 and cols[-1] <= bw - 3, "text columns %d..%d in a hint %d wide" % (cols[0], cols[-1], bw)
    ImageGrab.grab(bbox=(x, y + 20, x + 260, box[1] + bh + 6)).save(os.path.join(p.dir, "hint.png"))


def case_docked_button_hint_shows_whole(p):
    docked_button_hint_shows_whole(p)


def case_docked_button_hint_shows_whole_managed(p):
    docked_button_hint_shows_whole(p)


for _name in ("docked_button_hint_shows_whole", "docked_button_hint_shows_whole_managed"):
    CASE_INI[_name] = "Theme=Aluminum\n"  # under the [PREFERENCES] every case starts with
WINDOW_MANAGED.add("docked_button_hint_shows_whole_managed")

# Cases of what a new user meets: resizes from outside the program, files read under the wrong
# decimal separator, keyboard use of radio groups, messages that name what they found.


def corner(box, width=40, height=26, bottom=False):
    """The screen's pixels in the top-right (or bottom-right) corner of a window's box."""
    x, y, w, h = box
    top = y + h - height if bottom else y
    return ImageGrab.grab(bbox=(x + w - width, top, x + w, top + height)).convert("RGB")


def resize_from_outside(p):
    # The caption buttons and the sizing grip stay at the window's right edge whatever size the
    # desktop gives it; nothing of the old size shows (no black band, no cut-off caption).
    p.paste_graph()
    time.sleep(0.5)
    before = geometry(p.main)
    top, bottom = corner(before), corner(before, height=14, bottom=True)
    x, y, w, h = before
    for width, height in ((w + 180, h + 90), (w - 160, h - 70)):
        run("xdotool", "windowsize", str(p.main), str(width), str(height))
        wait_for("the new size", lambda: geometry(p.main)[2:] == (width, height))
        box = geometry(p.main)
        wait_for("the caption's right end at the new edge",
                 lambda: list(corner(box).getdata()) == list(top.getdata()), timeout=5)
        wait_for("the status line's right end at the new edge",
                 lambda: list(corner(box, height=14, bottom=True).getdata()) == list(bottom.getdata()), timeout=5)
    # The program still answers at the new size: a second graph goes in.
    p.paste_graph()
    assert p.running()


def case_window_follows_a_resize_from_outside(p):
    resize_from_outside(p)


def case_window_follows_a_window_manager_resize(p):
    resize_from_outside(p)


WINDOW_MANAGED.add("window_follows_a_window_manager_resize")

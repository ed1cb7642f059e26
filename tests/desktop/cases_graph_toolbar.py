# The graph toolbar's fields on the real desktop: a click into the title field and typed keys
# rename the current graph (the release of the click used to end the edit at once). Runs on the
# bare display and under the window manager (the name ending in "_managed").

# The title field's middle and the graph list's first (selected) row, from the main window's
# top-left corner.
TITLE_FIELD = (270, 57)
FIRST_ROW = (45, 78, 220, 94)
SELECTED_ROW = (10, 36, 106)


def title_pixels(box):
    """The white pixels of the selected row's text."""
    image = ImageGrab.grab(bbox=box)
    return sum(1 for c in image.getdata() if sum(c[:3]) > 600)


def typed_title(p):
    p.paste_graph()
    x, y, _, _ = geometry(p.main)
    row = (x + FIRST_ROW[0], y + FIRST_ROW[1], x + FIRST_ROW[2], y + FIRST_ROW[3])
    before = wait_for("the pasted graph's row", lambda: title_pixels(row))
    run("xdotool", "mousemove", str(x + TITLE_FIELD[0]), str(y + TITLE_FIELD[1]), "click", "1")
    time.sleep(0.3)
    p.key("ctrl+a")
    run("xdotool", "type", "--delay", "40", "Second measurement today")
    p.key("Return")
    # The longer title's text in the row, on the row's own selection colour (no menu over it).
    def longer_title():
        n = title_pixels(row)
        shown = ImageGrab.grab(bbox=row).getpixel((2, 2))[:3] == SELECTED_ROW
        return n if shown and n > before * 1.3 else None
    wait_for("the row showing the longer title", longer_title)


def case_title_field_takes_typed_keys(p):
    typed_title(p)


def case_title_field_takes_typed_keys_managed(p):
    typed_title(p)


WINDOW_MANAGED.add("title_field_takes_typed_keys_managed")

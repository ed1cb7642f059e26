# The graph toolbar's fields on the real desktop: a click into the title field and typed keys
# rename the current graph (the release of the click used to end the edit at once); a press in a
# field slid onto «Цвет» or let go on the field's margin clicks nothing, and the keys go back to
# the chart. Runs on the bare display and under the window manager (the name ending in "_managed").

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


# The colour item's middle and a point in the width box's margin (the box less the 3 pixels a
# side of the field that opens in it), from the main window's top-left corner; the graph list's
# second row.
COLOUR_ITEM = (388, 57)
WIDTH_BOX_MARGIN = (408, 58)
SECOND_ROW = (45, 100, 220, 116)


def title_slid_onto_the_colour(p):
    """A press in the title field slid onto «Цвет» and let go there opens no colour dialog."""
    p.paste_graph()
    x, y, _, _ = geometry(p.main)
    wait_for("the pasted graph's row", lambda: title_pixels((x + FIRST_ROW[0], y + FIRST_ROW[1],
                                                             x + FIRST_ROW[2], y + FIRST_ROW[3])))
    press_drag_release((x + TITLE_FIELD[0], y + TITLE_FIELD[1]), (x + COLOUR_ITEM[0], y + COLOUR_ITEM[1]))
    shown = wait_for_or_none(lambda: p.others(), 2)
    assert not shown, "a window opened on the release: %s" % screen_state()


def case_title_slid_onto_the_colour_opens_nothing(p):
    title_slid_onto_the_colour(p)


def case_title_slid_onto_the_colour_opens_nothing_managed(p):
    title_slid_onto_the_colour(p)


def keys_after_the_width_box(p):
    """A press in the width box let go on its margin closes the field it opened, and the next
    Ctrl+V pastes a second graph into the chart instead of being lost in the bar."""
    p.paste_graph()
    x, y, _, _ = geometry(p.main)
    row = (x + SECOND_ROW[0], y + SECOND_ROW[1], x + SECOND_ROW[2], y + SECOND_ROW[3])
    margin = (x + WIDTH_BOX_MARGIN[0], y + WIDTH_BOX_MARGIN[1])
    press_drag_release((margin[0] + 12, margin[1]), margin)
    p.key("ctrl+v")

    def second_graph():
        # The pasted graph's title, dark on the list's white, in its second row.
        return len(dark_pixels(ImageGrab.grab(bbox=row), (0, 0, row[2] - row[0], row[3] - row[1]))) > 20

    if not wait_for_or_none(second_graph, 5):
        raise AssertionError("no second graph after Ctrl+V\n%s" % screen_state())


def case_keys_after_the_width_box_reach_the_chart(p):
    keys_after_the_width_box(p)


def case_keys_after_the_width_box_reach_the_chart_managed(p):
    keys_after_the_width_box(p)


WINDOW_MANAGED.update({"title_slid_onto_the_colour_opens_nothing_managed",
                       "keys_after_the_width_box_reach_the_chart_managed"})

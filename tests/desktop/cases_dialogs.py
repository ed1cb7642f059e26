# The dialogs on the real desktop: keys inside an open list stay with the list.


def type_picture_path(p, path):
    """Файл > Сохранить как..., the path typed into the file dialog and Return; the file dialog's
    window (it may still be open, asking something)."""
    keys_to(p.main, "F10", "Down", "Down", "Return")
    dialog = wait_for("the file dialog", lambda: next(iter(p.others()), None), timeout=15)
    time.sleep(0.5)
    keys_to(dialog, Typed(path, delay=20), "Return")
    return dialog


def open_save_picture_dialog(p, name):
    """Файл > Сохранить как... with a picture name; the save-image dialog's window."""
    dialog = type_picture_path(p, os.path.join(p.dir, name))
    wait_for("the file dialog to close", lambda: dialog not in visible_windows(), timeout=15)
    options = wait_for("the save-image dialog", lambda: next(iter(p.others()), None), timeout=8)
    time.sleep(0.5)
    return options


def drop_a_list(p, dialog):
    """Tabs through the dialog until Alt+Down drops a list; the dropped list's window."""
    for _ in range(12):
        before = set(p.others(named=False))
        keys_to(dialog, "alt+Down")
        dropped = wait_for_or_none(lambda: set(p.others(named=False)) - before, 2)
        if dropped:
            return next(iter(dropped))
        p.key("Tab")
    raise AssertionError("no list of the dialog dropped\n" + screen_state())


def enter_and_esc_in_a_dropped_list_keep_the_dialog(p):
    # In the GIF options a dropped list takes Return (choosing the entry) and Esc (closing
    # the list); the dialog stays open and writes nothing until its own OK.
    p.paste_graph()
    time.sleep(0.3)
    dialog = open_save_picture_dialog(p, "chart.gif")
    path = os.path.join(p.dir, "chart.gif")
    for key in ("Return", "Escape"):
        listed = drop_a_list(p, dialog)
        p.key("Down", key)
        wait_for("the list to close", lambda: listed not in visible_windows(named=False))
        time.sleep(0.3)
        assert dialog in visible_windows(), "%s in the list closed the dialog" % key
        assert not os.path.exists(path), "%s in the list saved the picture" % key
    p.key("Escape")  # now the dialog's own Cancel
    wait_for("the dialog to close", lambda: dialog not in visible_windows())
    assert not os.path.exists(path)


def case_enter_and_esc_in_a_dropped_list_keep_the_dialog(p):
    enter_and_esc_in_a_dropped_list_keep_the_dialog(p)


def case_enter_and_esc_in_a_dropped_list_keep_the_dialog_managed(p):
    enter_and_esc_in_a_dropped_list_keep_the_dialog(p)


WINDOW_MANAGED.add("enter_and_esc_in_a_dropped_list_keep_the_dialog_managed")
# The save-image dialog's size box: with "Сохранять пропорции" ticked, a width typed digit by digit
# gives the height of the chart's proportion, not of the whole steps it passes (1, 13, 138).


def picture_size(path):
    """The size of the picture at path once it is written whole, or None before."""
    try:
        with Image.open(path) as image:
            image.load()
            return image.size
    except (OSError, SyntaxError):
        return None


def typed_width_keeps_the_charts_proportion(p):
    p.paste_graph()
    time.sleep(0.3)
    # The chart's own size: the picture saved with the size the dialog opens on.
    width, height = wait_for("the chart's picture", lambda: picture_size(save_picture(p, "chart.bmp", 54)))
    assert width != height, "a square chart would not tell a square picture from a kept proportion"
    dialog = open_save_picture_dialog(p, "twice.bmp")
    x, y, _, _ = geometry(dialog)
    cx, cy = x + 3, y + 22  # the client area below the caption
    click_at(cx + 10 + 8, cy + 72 + 8)  # "Сохранять пропорции"
    click_at(cx + 84 + 30, cy + 20 + 10)  # "Ширина"
    keys_to(dialog, "End", "shift+Home", Typed(str(2 * width), delay=150))
    keep_box_picture(dialog, "save-image-typed-width.png")
    p.key("Return")  # OK
    wait_for("the dialog to close", lambda: dialog not in visible_windows())
    saved = wait_for("the picture", lambda: picture_size(os.path.join(p.dir, "twice.bmp")))
    assert saved[0] == 2 * width and abs(saved[1] - 2 * height) <= 1, \
        "%d typed for a %d x %d chart saved %d x %d" % (2 * width, width, height, *saved)


def case_typed_width_keeps_the_charts_proportion(p):
    typed_width_keeps_the_charts_proportion(p)


def case_typed_width_keeps_the_charts_proportion_managed(p):
    typed_width_keeps_the_charts_proportion(p)


WINDOW_MANAGED.add("typed_width_keeps_the_charts_proportion_managed")

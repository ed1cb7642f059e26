# The dialogs on the real desktop: keys inside an open list stay with the list.


def type_picture_path(p, path):
    """Файл > Сохранить как..., the path typed into the file dialog and Return; the file dialog's
    window (it may still be open, asking something)."""
    p.key("F10", "Down", "Down", "Return")
    dialog = wait_for("the file dialog", lambda: next(iter(p.others()), None), timeout=15)
    time.sleep(0.5)
    run("xdotool", "type", "--delay", "20", path)
    p.key("Return")
    return dialog


def open_save_picture_dialog(p, name):
    """Файл > Сохранить как... with a picture name; the save-image dialog's window."""
    dialog = type_picture_path(p, os.path.join(p.dir, name))
    wait_for("the file dialog to close", lambda: dialog not in visible_windows(), timeout=15)
    options = wait_for("the save-image dialog", lambda: next(iter(p.others()), None), timeout=8)
    time.sleep(0.5)
    return options


def drop_a_list(p):
    """Tabs through the dialog until Alt+Down drops a list; the dropped list's window."""
    for _ in range(12):
        before = set(p.others(named=False))
        p.key("alt+Down")
        try:
            dropped = wait_for("a list to drop", lambda: set(p.others(named=False)) - before, timeout=2)
            return next(iter(dropped))
        except AssertionError:
            p.key("Tab")
    raise AssertionError("no list of the dialog dropped")


def enter_and_esc_in_a_dropped_list_keep_the_dialog(p):
    # In the GIF options a dropped list takes Return (choosing the entry) and Esc (closing
    # the list); the dialog stays open and writes nothing until its own OK.
    p.paste_graph()
    time.sleep(0.3)
    dialog = open_save_picture_dialog(p, "chart.gif")
    path = os.path.join(p.dir, "chart.gif")
    for key in ("Return", "Escape"):
        listed = drop_a_list(p)
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

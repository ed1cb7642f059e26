# Keys pressed right after a dialog opens, bare and under openbox. A dialog opens on the first
# control that leaves Enter to it (a field, a list), or on its default button where none comes
# before it: Enter presses OK at once, Esc cancels, Tab and Space act from the focused control.
# A find window shown again, reopened or its command chosen while it shows, takes typed bounds.

# (what, opened by, keys right after it opens, whether the copy dialog's OK ran). The copy-as-text
# dialog has only check boxes before OK, so it opens on OK; Tab goes on to Отмена.
COPY_ROWS = (
    ("Enter", ("Return",), True),
    ("Space on the focused OK", ("space",), True),
    ("Tab to Отмена, Space", ("Tab", "space"), False),
    ("Esc", ("Escape",), False),
)
LEFT_THERE = "left by another program"


def copy_dialog_keys(p):
    for what, keys, copied in COPY_ROWS:
        print("copy as text:", what, flush=True)
        set_clipboard(LEFT_THERE)
        keys_to(p.main, "ctrl+c")
        dialog = wait_for("the copy-as-text dialog", lambda: next(iter(p.others()), None))
        time.sleep(0.4)
        keys_to(dialog, *keys)
        wait_for("the copy dialog to end on %s" % what, lambda: dialog not in visible_windows())
        text = wait_for("the clipboard", lambda: run("xclip", "-selection", "clipboard", "-o").strip())
        if copied:
            values = set(text.replace("\t", " ").split())
            # Both columns of 1 2 / 2 4 / 3 9: "Значения X" is still ticked.
            assert {"1", "2", "3", "4", "9"} <= values, "%s copied %r" % (what, text)
        else:
            assert text == LEFT_THERE, "%s copied %r" % (what, text)


def line_properties_enter(p):
    # Enter right after the line properties open is their OK: the line stays drawn.
    colour = wait_for("the graph's colour", lambda: next(iter(series_colours(p)), None))
    menu_command(p, 3, 7)
    dialog = wait_for("the line properties", lambda: next(iter(p.others()), None))
    time.sleep(0.4)
    keys_to(dialog, "Return")
    wait_for("the line properties to end on Enter", lambda: dialog not in visible_windows())
    time.sleep(0.5)
    assert line_pixel(p, colour) is not None, "the line is no longer drawn after Enter"


# The graph of the find rows, and what its maximum window finds: (what, keys typed as the window
# shows, then Enter, which searches; numbers the result holds; numbers it must not). The first
# opening focuses X1; the window returns to the field used last.
FIND_GRAPH = "0 1\n1 5\n2 2\n3 -3\n4 4\n5 0\n"
TYPED = ("End", "shift+Home")  # the field's text selected, so that typing replaces it
FIND_ROWS = (
    ("reopened", TYPED + ("2", "Tab") + TYPED + ("4",), {"4"}, {"5"}),  # between 2 and 4: 4 at 4
    ("chosen again while it shows", TYPED + ("3",), {"2"}, {"4", "5"}),  # X2 again: 2 at 2
)


def find_window_shown_again(p):
    p.paste_graph(FIND_GRAPH)
    time.sleep(0.4)
    give_main_window_the_keys(p)
    menu_command(p, 4, 8)  # Операции: the maximum
    window = wait_for("the find window", lambda: next(iter(p.others()), None))
    time.sleep(0.5)
    keys_to(window, "Escape")  # closes it, with nothing picked
    wait_for("the find window to close", lambda: window not in visible_windows())
    for what, keys, found, not_found in FIND_ROWS:
        print("find window:", what, flush=True)
        give_main_window_the_keys(p)
        menu_command(p, 4, 8)
        window = wait_for("the find window (%s)" % what, lambda: next(iter(p.others()), None))
        time.sleep(0.6)
        keys_to(window, *keys, "Return")
        time.sleep(0.5)
        set_clipboard("")
        x, y, w, h = geometry(window)
        run("xdotool", "mousemove", str(x + 14), str(y + 22 + 35), "click", "1")  # Копировать
        text = wait_for("the copied result (%s)" % what, lambda: run("xclip", "-selection", "clipboard", "-o"))
        numbers = set(text.split())
        assert found <= numbers and not not_found & numbers, "%s: the search found %r" % (what, text)


def keys_right_after_a_dialog_opens(p):
    p.paste_graph()
    time.sleep(0.4)
    copy_dialog_keys(p)
    line_properties_enter(p)
    find_window_shown_again(p)


def case_keys_right_after_a_dialog_opens(p):
    keys_right_after_a_dialog_opens(p)


def case_keys_right_after_a_dialog_opens_managed(p):
    keys_right_after_a_dialog_opens(p)


WINDOW_MANAGED.add("keys_right_after_a_dialog_opens_managed")

# Enter in the dialogs on the real desktop: OK pressed from the keyboard closes a dialog as a
# click does, and the program goes on (a dialog freed, or a box run, while the key that pressed
# OK is still being handled must not take the program down). Bare and under openbox.

POLYNOMIAL_ITEM = 22  # Операции, "Полином..."


def close_what_follows(p, window, most=4):
    """Return on each window the dialog's OK left open (a result, a box), until none is left."""
    for _ in range(most):
        if not p.others():
            return
        time.sleep(0.4)
        p.key("Return")
        time.sleep(0.4)
    assert not p.others(), "windows left open after OK: %r" % p.others()


def give_main_window_the_keys(p):
    """A click on the status line (no command there) gives the main window the keyboard again."""
    x, y, w, h = geometry(p.main)
    run("xdotool", "mousemove", str(x + w - 60), str(y + h - 12), "click", "1")
    time.sleep(0.3)


def assert_program_goes_on(p, what):
    time.sleep(1.0)
    assert p.running(), "%s ended the program: %s" % (what, open(p.out.name).read()[-2000:])
    assert p.main in visible_windows(), "%s took the main window away" % what


# The keys that press the polynomial window's OK, which opens with its degree focused: Enter in
# each of its fields, Enter on OK itself when it has the focus (past the "Кусок" check box).
POLYNOMIAL_KEYS = (
    ("Enter in the degree", ()),
    ("Enter in the split interval", ("Tab",)),
    ("Enter on the focused OK", ("Tab", "Tab", "Tab")),
)


def polynomial_ok_by_every_key(p):
    p.paste_graph()
    time.sleep(0.3)
    for what, keys in POLYNOMIAL_KEYS:
        print("polynomial window:", what, flush=True)
        give_main_window_the_keys(p)
        menu_command(p, 4, POLYNOMIAL_ITEM)
        window = wait_for("the polynomial window", lambda: next(iter(p.others()), None))
        time.sleep(0.5)
        x, y, w, h = geometry(window)
        run("xdotool", "mousemove", str(x + 5), str(y + h - 5), "click", "1")
        time.sleep(0.3)
        keys_to(window, *keys, "Return")
        info = wait_for("the information window (%s)" % what,
                        lambda: next((o for o in p.others() if o != window), None))
        assert window not in visible_windows(), "%s: the polynomial window stays over the coefficients" % what
        time.sleep(0.3)
        keys_to(info, "Return")
        wait_for("the information window to close", lambda: info not in visible_windows())
        assert_program_goes_on(p, what)
        close_what_follows(p, window)


def case_polynomial_ok_by_every_key(p):
    polynomial_ok_by_every_key(p)


def case_polynomial_ok_by_every_key_managed(p):
    polynomial_ok_by_every_key(p)


WINDOW_MANAGED.add("polynomial_ok_by_every_key_managed")

# Every dialog that takes Enter, opened from its menu over one pasted graph: (what, menu, item,
# the key, whether it ends the dialog). The key either ends the dialog (its OK, with whatever box
# or window the OK brings, answered with Enter) or is refused with a box over it (nothing chosen);
# Esc then ends the dialog.
# Операции: the graph choice, the group search's choice, the formula dialogs, the spline and
# envelope, the editing of the current graph, the transforms and the axis limits.
ANALYSIS_DIALOGS = (
    ("the sum's graph choice", 4, 0, "Return", True),
    ("the group search's graph choice", 4, 13, "Return", False),
    ("the function graph", 4, 18, "Return", True),
    ("the parametric graph", 4, 19, "Return", True),
    ("the spline", 4, 20, "Return", True),
    ("the envelope", 4, 21, "Return", True),
)
TRANSFORM_DIALOGS = (
    ("editing the current graph", 4, 23, "Return", True),
    ("the mean line's graph choice", 4, 24, "Return", True),
    ("the normalising", 4, 28, "Return", True),
    ("the offset", 4, 29, "Return", True),
    ("the trim", 4, 30, "Return", True),
    ("the limits of X", 4, 31, "Return", True),
    ("the limits of Y", 4, 32, "Return", True),
    ("the limits of both axes", 4, 33, "Return", True),
)
# Вид: the format dialogs with an OK of the keyboard (the title's Ctrl+Enter anywhere, the
# others' default button).
FORMAT_DIALOGS = (
    ("the title format", 3, 2, "ctrl+Return", True),
    ("the frame format", 3, 6, "Return", True),
    ("the line properties", 3, 7, "Return", True),
)


def enter_in_every_dialog(p, dialogs):
    p.paste_graph()
    time.sleep(0.3)
    for what, menu, item, key, ends in dialogs:
        print("Enter in", what, flush=True)
        give_main_window_the_keys(p)
        menu_command(p, menu, item)
        dialog = wait_for(what, lambda: next(iter(p.others()), None))
        time.sleep(0.4)
        keys_to(dialog, key)
        time.sleep(0.8)
        for _ in range(4):  # the boxes and windows the Enter brought, answered in turn
            brought = [w for w in p.others() if w != dialog]
            if not brought:
                break
            wait_for_keyboard("one of %s to have the keyboard" % brought, lambda: brought)
            p.key("Return")
            time.sleep(0.6)
        if ends:
            wait_for("%s to end on %s" % (what, key), lambda: dialog not in visible_windows())
        else:
            assert dialog in visible_windows(), "%s ended %s" % (key, what)
            keys_to(dialog, "Escape")
            wait_for("%s to end on Esc" % what, lambda: dialog not in visible_windows())
        close_what_follows(p, dialog)
        assert_program_goes_on(p, key + " in " + what)


def case_enter_in_every_analysis_dialog(p):
    enter_in_every_dialog(p, ANALYSIS_DIALOGS)


def case_enter_in_every_analysis_dialog_managed(p):
    enter_in_every_dialog(p, ANALYSIS_DIALOGS)


def case_enter_in_every_transform_dialog(p):
    enter_in_every_dialog(p, TRANSFORM_DIALOGS)


def case_enter_in_every_transform_dialog_managed(p):
    enter_in_every_dialog(p, TRANSFORM_DIALOGS)


def enter_in_format_and_picture_dialogs(p):
    enter_in_every_dialog(p, FORMAT_DIALOGS)
    # The picture's options: Enter saves it.
    give_main_window_the_keys(p)
    dialog = open_save_picture_dialog(p, "chart.bmp")
    keys_to(dialog, "Return")
    wait_for("the picture's options to end on Enter", lambda: dialog not in visible_windows())
    wait_for("the picture", lambda: os.path.exists(os.path.join(p.dir, "chart.bmp")))
    assert_program_goes_on(p, "Return in the picture's options")


def case_enter_in_every_format_dialog(p):
    enter_in_format_and_picture_dialogs(p)


def case_enter_in_every_format_dialog_managed(p):
    enter_in_format_and_picture_dialogs(p)


WINDOW_MANAGED.update({"enter_in_every_analysis_dialog_managed", "enter_in_every_transform_dialog_managed",
                       "enter_in_every_format_dialog_managed"})

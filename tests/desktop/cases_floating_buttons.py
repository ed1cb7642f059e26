# A click on a button of the floating "Формат" toolbar runs that button's command, on the bare
# display and under the window manager: each opens its own dialog, which Esc closes again. Before
# there is a graph the line's properties have nothing to edit: their button shows disabled (its
# caption grey, not black) and a click on it opens nothing.

# "Формат" floats below the main window, clear of the chart the program is started by clicking.
FORMAT_BELOW_INI = "[TOOLBARS]\nFormatToolbar=1;1;0;0;0;150;760;0\n"
# Each button's centre from the frame's left edge (30 pixels down: below the small caption), and
# the caption of the dialog it opens.
FORMAT_BUTTONS = [
    (70, "Формат заголовка"),
    (190, "Формат легенды"),
    (340, "Формат горизонтальной оси"),
    (515, "Формат вертикальной оси"),
    (655, "Формат рамки"),
    (790, "Свойства линии графика"),
]


def window_named(title):
    try:
        ids = run("xdotool", "search", "--onlyvisible", "--name", "^%s$" % title).split()
    except subprocess.CalledProcessError:
        return None
    return int(ids[0]) if ids else None


def line_caption_dark_pixels(bar):
    """The black pixels of the line properties button's caption (an enabled caption's text)."""
    bx, by, _, _ = geometry(bar)
    x = bx + FORMAT_BUTTONS[-1][0]
    return len(dark_pixels(ImageGrab.grab(), (x - 50, by + 22, x + 50, by + 38)))


def floating_buttons_run_their_commands(p):
    bar = wait_for("the floating toolbar", lambda: window_named("Формат"))
    time.sleep(0.5)
    bx, by, _, _ = geometry(bar)
    assert line_caption_dark_pixels(bar) == 0, "without a graph the line properties button shows enabled"
    run("xdotool", "mousemove", str(bx + FORMAT_BUTTONS[-1][0]), str(by + 30), "click", "1")
    time.sleep(1.0)
    assert window_named(FORMAT_BUTTONS[-1][1]) is None, "the disabled button opened its dialog"
    p.paste_graph()
    wait_for("the line properties button enabled by the graph", lambda: line_caption_dark_pixels(bar) > 20)
    for offset, title in FORMAT_BUTTONS:
        run("xdotool", "mousemove", str(bx + offset), str(by + 30), "click", "1")
        dialog = wait_for("the dialog " + title, lambda: window_named(title), timeout=5)
        others = [other for _, other in FORMAT_BUTTONS if other != title and window_named(other)]
        assert not others, "%s opened beside %r" % (title, others)
        keys_to(dialog, "Escape")
        wait_for("the dialog %s to close" % title, lambda: dialog not in visible_windows())


def case_floating_buttons_run_their_commands(p):
    floating_buttons_run_their_commands(p)


def case_floating_buttons_run_their_commands_managed(p):
    floating_buttons_run_their_commands(p)


WINDOW_MANAGED.add("floating_buttons_run_their_commands_managed")
for _name in ("floating_buttons_run_their_commands", "floating_buttons_run_their_commands_managed"):
    CASE_INI[_name] = FORMAT_BELOW_INI

# How the dialogs' controls look on the real desktop: a disabled field looks disabled (and an
# enabled one ready for input), and the track bar sits on the dialog's own face. Each case runs on
# the bare display and under the window manager (the name ending in "_managed").


def field_look(box):
    """'enabled' for a field showing dark text on white, 'disabled' for one with neither, else
    'mixed'."""
    shown = [px[:3] for px in pixels(box)]
    white = sum(1 for px in shown if px == (255, 255, 255)) / len(shown)
    dark = sum(1 for px in shown if sum(px) < 150)
    if white > 0.5 and dark:
        return "enabled"
    if white < 0.05 and not dark:
        return "disabled"
    return "mixed (%.2f white, %d dark)" % (white, dark)


def expect_looks(dialog_at, fields, expected):
    x, y = dialog_at
    looks = {name: field_look((x + fx, y + fy, fw, fh)) for name, (fx, fy, fw, fh) in fields.items()}
    wanted = {name: expected[name] for name in fields}
    wait_for("the fields to look %s (they look %s)" % (wanted, looks),
             lambda: {name: field_look((x + fx, y + fy, fw, fh)) for name, (fx, fy, fw, fh) in fields.items()}
             == wanted, timeout=3)


# The title dialog's second page: the text of the transparency, the frame width and the two
# position fields, in the dialog's pixels.
TITLE_FIELDS = {
    "transparency": (106, 119, 36, 14),
    "frame width": (28, 192, 22, 15),
    "top": (196, 205, 40, 14),
    "left": (270, 205, 40, 14),
}


def title_fields_look_as_they_act(p):
    # In the simple view the frame and shadow groups and the transparency are off, and the
    # position fields are off while the position is the default one. The fine view turns the
    # first ones on; the position fields stay off.
    p.paste_graph()
    time.sleep(0.5)
    dialog, (x, y, w, h) = open_dialog_from_view_menu(p, 2, "the title dialog")
    run("xdotool", "mousemove", str(x + 140), str(y + 40), "click", "1")  # "Дополнительные"
    time.sleep(0.5)
    expect_looks((x, y), TITLE_FIELDS, dict.fromkeys(TITLE_FIELDS, "disabled"))
    run("xdotool", "mousemove", str(x + 40), str(y + 97), "click", "1")  # "Заголовок с оформлением"
    expect_looks((x, y), TITLE_FIELDS, {"transparency": "enabled", "frame width": "enabled",
                                        "top": "disabled", "left": "disabled"})
    run("xdotool", "mousemove", str(x + 205), str(y + 186), "click", "1")  # "Заданное расположение"
    expect_looks((x, y), TITLE_FIELDS, dict.fromkeys(TITLE_FIELDS, "enabled"))
    p.key("Escape")
    wait_for("the dialog to close", lambda: dialog not in visible_windows())


def case_title_fields_look_as_they_act(p):
    title_fields_look_as_they_act(p)


def case_title_fields_look_as_they_act_managed(p):
    title_fields_look_as_they_act(p)


# The axis dialog's scale page: the minimum and maximum fields.
AXIS_FIELDS = {"minimum": (150, 235, 85, 14), "maximum": (150, 259, 85, 14)}


def axis_limits_look_as_they_act(p):
    # While "Минимум авто" and "Максимум авто" are on, their fields look off; clearing the first
    # turns its field on alone.
    p.paste_graph()
    time.sleep(0.5)
    dialog, (x, y, w, h) = open_dialog_from_view_menu(p, 4, "the axis dialog")
    run("xdotool", "mousemove", str(x + 230), str(y + 57), "click", "1")  # "Метки и масштаб"
    time.sleep(0.5)
    expect_looks((x, y), AXIS_FIELDS, {"minimum": "disabled", "maximum": "disabled"})
    shot_to("axis-dialog-labels-page.png", (x, y, w, h))
    run("xdotool", "mousemove", str(x + 33), str(y + 241), "click", "1")  # "Минимум авто"
    expect_looks((x, y), AXIS_FIELDS, {"minimum": "enabled", "maximum": "disabled"})
    p.key("Escape")
    wait_for("the dialog to close", lambda: dialog not in visible_windows())


def case_axis_limits_look_as_they_act(p):
    axis_limits_look_as_they_act(p)


def case_axis_limits_look_as_they_act_managed(p):
    axis_limits_look_as_they_act(p)


def track_bar_sits_on_the_dialog_face(p):
    # Under Nexos5 the print dialog's face is white: the detail track bar shows that white round
    # its channel and thumb, not a box of its own grey.
    if subprocess.run(["lpstat", "-p"], capture_output=True, text=True).stdout.strip() == "":
        print("skipped: no print queue (scripts/cups.sh)")
        sys.exit(SKIPPED)
    p.paste_graph()
    keys_to(p.main, "F10", "Down", "Down", "Down", "Return")  # Файл > Печать...
    dialog = wait_for("the print dialog", lambda: next(iter(p.others()), None), timeout=15)
    time.sleep(1.0)
    x, y, w, h = geometry(dialog)
    face = pixels((x + 205, y + 390, 1, 1))[0][:3]
    assert face == (255, 255, 255), "the dialog's face is %s, not the theme's white" % (face,)
    # Two strips above the channel, left and right of the thumb, inside the track bar.
    behind = pixels((x + 215, y + 383, 55, 5)) + pixels((x + 300, y + 383, 50, 5))
    other = {px[:3] for px in behind} - {face}
    assert not other, "the track bar shows %s round its channel" % sorted(other)
    shot_to("print-dialog-nexos5.png", (x, y, w, h))
    keys_to(dialog, "Escape")
    wait_for("the dialog to close", lambda: dialog not in visible_windows())


def case_track_bar_sits_on_the_dialog_face(p):
    track_bar_sits_on_the_dialog_face(p)


def case_track_bar_sits_on_the_dialog_face_managed(p):
    track_bar_sits_on_the_dialog_face(p)


for _name in ("track_bar_sits_on_the_dialog_face", "track_bar_sits_on_the_dialog_face_managed"):
    CASE_INI[_name] = "[PREFERENCES]\nTheme=Nexos5\n"
WINDOW_MANAGED.update({"title_fields_look_as_they_act_managed", "axis_limits_look_as_they_act_managed",
                       "track_bar_sits_on_the_dialog_face_managed"})

# Spin edits on the real desktop. A disabled spin edit in a dialog shows the theme's toolbar face
# in its button column, as the graph toolbar's disabled width spin does, or the dialog's face
# where the theme's docks paint nothing (never the field's white). A click on the graph toolbar's
# width spin leaves the keys to the window. Each case runs on the bare display and under the
# window manager (the name ending in "_managed").

# The graph toolbar's width spin, from the main window's top-left corner: its button column while
# the toolbar's items are disabled (no graph yet), and points in its upper and lower halves.
TOOLBAR_SPIN_COLUMN = (455, 48, 10, 20)
SPIN_UP_HALF = (460, 52)
# The graph list's first and second rows (the graphs' titles), from the main window's corner.
FIRST_ROW = (45, 78, 190, 94)
SECOND_ROW = (45, 101, 190, 117)

# The disabled spins' button columns inside their dialogs, and a spot of the dialog's own face
# beside them: the title dialog's transparency (second page, simple mode) and the legend
# dialog's two coordinates.
TITLE_SPIN_COLUMNS = [(144, 118, 13, 17)]
TITLE_FACE = (150, 114)
LEGEND_SPIN_COLUMNS = [(319, 374, 13, 17), (401, 374, 13, 17)]
LEGEND_FACE = (330, 369)

# Themes whose docks paint nothing: there the column shows the dialog's face.
NO_DOCK_FACE = {"DefaultXP", "Monai", "Stripes"}
# Three groups, so that each case (a program started anew for every theme) ends well within its
# time on a busy machine.
THEME_GROUPS = {
    "without_dock_face": ["DefaultXP", "Monai", "Stripes"],
    "plain": ["Miranda", "SentimoX", "Nexos5"],
    "shaded": ["Aluminum", "Zezio", "OfficeK", "Dream"],
}


def near_any(colour, colours, tolerance=12):
    return any(max(abs(a - b) for a, b in zip(colour, c)) <= tolerance for c in colours)


def column_share(box, origin, matches):
    """The share of the column's pixels that matches accepts."""
    x, y = origin
    bx, by, bw, bh = box
    shown = [px[:3] for px in pixels((x + bx, y + by, bw, bh))]
    return sum(1 for px in shown if matches(px)) / len(shown)


def check_dialog_columns(theme, what, dialog_at, columns, face_at, toolbar_face):
    x, y = dialog_at
    face = pixels((x + face_at[0], y + face_at[1], 1, 1))[0][:3]
    for box in columns:
        if theme in NO_DOCK_FACE:
            share = column_share(box, dialog_at, lambda px: px == face)
            assert share >= 0.8, "%s, %s: %.0f%% of a disabled spin's column shows the dialog's face %s" % (
                theme, what, share * 100, face)
        else:
            share = column_share(box, dialog_at, lambda px: near_any(px, toolbar_face))
            assert share >= 0.95, "%s, %s: %.0f%% of a disabled spin's column shows the toolbar's face" % (
                theme, what, share * 100)


def spin_columns_in_theme(p, theme):
    x, y, _, _ = geometry(p.main)
    tx, ty, tw, th = TOOLBAR_SPIN_COLUMN
    toolbar_face = {px[:3] for px in pixels((x + tx, y + ty, tw, th))}
    dialog, (dx, dy, dw, dh) = open_dialog_from_view_menu(p, 2, "the title dialog")
    run("xdotool", "mousemove", str(dx + 140), str(dy + 40), "click", "1")  # "Дополнительные"
    time.sleep(0.5)
    check_dialog_columns(theme, "title dialog", (dx, dy), TITLE_SPIN_COLUMNS, TITLE_FACE, toolbar_face)
    keys_to(dialog, "Escape")
    wait_for("the dialog to close", lambda: dialog not in visible_windows())
    dialog, (dx, dy, dw, dh) = open_dialog_from_view_menu(p, 3, "the legend dialog")
    check_dialog_columns(theme, "legend dialog", (dx, dy), LEGEND_SPIN_COLUMNS, LEGEND_FACE, toolbar_face)
    keys_to(dialog, "Escape")
    wait_for("the dialog to close", lambda: dialog not in visible_windows())


def spin_columns(p, themes):
    """The first theme in p (started in it), each further one in a program started anew."""
    spin_columns_in_theme(p, themes[0])
    p.close()  # one program on the screen at a time
    for theme in themes[1:]:
        q = Program(sys.argv[1], "[PREFERENCES]\nTheme=%s\n" % theme)
        try:
            spin_columns_in_theme(q, theme)
        finally:
            q.close()


for _group, _themes in THEME_GROUPS.items():
    for _suffix in ("", "_managed"):
        CASE_INI["disabled_spin_columns_%s%s" % (_group, _suffix)] = "[PREFERENCES]\nTheme=%s\n" % _themes[0]
    WINDOW_MANAGED.add("disabled_spin_columns_%s_managed" % _group)


def case_disabled_spin_columns_without_dock_face(p):
    spin_columns(p, THEME_GROUPS["without_dock_face"])


def case_disabled_spin_columns_without_dock_face_managed(p):
    spin_columns(p, THEME_GROUPS["without_dock_face"])


def case_disabled_spin_columns_plain(p):
    spin_columns(p, THEME_GROUPS["plain"])


def case_disabled_spin_columns_plain_managed(p):
    spin_columns(p, THEME_GROUPS["plain"])


def case_disabled_spin_columns_shaded(p):
    spin_columns(p, THEME_GROUPS["shaded"])


def case_disabled_spin_columns_shaded_managed(p):
    spin_columns(p, THEME_GROUPS["shaded"])


def row_text(p, row):
    """The pixels of a graph list row's text (white on the selected row, dark on the others)."""
    x, y, _, _ = geometry(p.main)
    box = (x + row[0], y + row[1], row[2] - row[0], row[3] - row[1])
    shown = [px[:3] for px in pixels(box)]
    background = max(set(shown), key=shown.count)
    return sum(1 for px in shown if max(abs(a - b) for a, b in zip(px, background)) > 100)


def spin_click_leaves_the_keys(p):
    p.paste_graph()
    x, y, w, h = geometry(p.main)
    cx, cy, cw, ch = TOOLBAR_SPIN_COLUMN
    column = (x + cx, y + cy, cw, ch)
    wait_for("the pasted graph's row", lambda: row_text(p, FIRST_ROW) > 20)
    time.sleep(0.3)
    at_rest = pixels(column)
    assert row_text(p, SECOND_ROW) == 0, "a second graph before the paste"
    run("xdotool", "mousemove", str(x + SPIN_UP_HALF[0]), str(y + SPIN_UP_HALF[1]), "click", "1")
    time.sleep(0.3)
    run("xdotool", "mousemove", str(x + w // 2), str(y + h // 2))
    # Away from the bar, the spin is drawn as before the click (not hot).
    wait_for("the spin drawn at rest again", lambda: pixels(column) == at_rest, timeout=3)
    p.paste_graph("1 5\n2 7\n3 4\n")
    wait_for("Ctrl+V to paste a second graph", lambda: row_text(p, SECOND_ROW) > 20, timeout=5)


def case_spin_click_leaves_the_keys(p):
    spin_click_leaves_the_keys(p)


def case_spin_click_leaves_the_keys_managed(p):
    spin_click_leaves_the_keys(p)


WINDOW_MANAGED.add("spin_click_leaves_the_keys_managed")

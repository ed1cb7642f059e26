# Dragging "Анализ" by its grip from each of the four docks: a click leaves it where it is, and a
# drag along its dock, onto each other dock or out over the chart keeps the grab point under the
# pointer. Each row of the table starts the program afresh with the toolbar on the dock the case
# names and ends it with Alt+F4, so that the settings it writes tell where the toolbar went; one
# case per dock, once on the bare display and once under the window manager.

DOCK_INDEX = {"top": 0, "bottom": 1, "left": 2, "right": 3}
# Where "Анализ" starts (its dock, row and place) and where its grip is then, relative to the
# main window: a new row under the standard toolbar, the bottom dock's first row, the top of
# each side dock.
DRAG_START = {
    "top": ("0;2;0", (9, 84)),
    "bottom": ("1;0;0", (9, 576)),
    "left": ("2;0;0", (17, 76)),
    "right": ("3;0;0", (882, 76)),
}
# Drop points relative to the main window: the second row of the top dock, below the format
# toolbar's row at the bottom, the middle of each side edge, the chart.
DROP_AT = {"top": (520, 58), "bottom": (520, 611), "left": (6, 300), "right": (895, 300), "float": (450, 300)}
# Where the docks' client areas begin on the screen, relative to the main window: left for the top
# and bottom docks, top for the side docks (under a top dock of two rows).
DOCK_ORIGIN = {"top": 4, "bottom": 4, "left": 72, "right": 72}
HORIZONTAL = ("top", "bottom")
# The grip is pressed this far into the toolbar along its dock.
GRIP_DEPTH = {True: 5, False: 4}


def toolbar_place(text, name="AnalysisToolbar"):
    """The toolbar's settings line as (floating, dock, row, place, left, top)."""
    for line in text.splitlines():
        if line.startswith(name + "="):
            f = [int(v) for v in line.split("=", 1)[1].split(";")]
            return bool(f[1]), f[2], f[3], f[4], f[5], f[6]
    raise AssertionError("no %s line in the settings:\n%s" % (name, text))


def end_and_read_place(p):
    """A click on the chart (the main window takes the keys back from a floating frame), Alt+F4,
    and the toolbar's place from the settings the program wrote."""
    x, y, w, h = geometry(p.main)
    run("xdotool", "mousemove", str(x + 300), str(y + 480), "click", "1")
    keys_to(p.main, "alt+F4")
    wait_for("the program to end", lambda: not p.running())
    return toolbar_place(p.settings())


def drag_grip(p, grip, drop):
    """A press on the grip, a move to the drop point, a release (a click when they are the same);
    grip and drop by the main window, the drop point on the screen returned."""
    x, y = geometry(p.main)[:2]
    end = (x + drop[0], y + drop[1])
    press_drag_release((x + grip[0], y + grip[1]), end)
    return end


def check_drop(row, start, target, place, pointer, main):
    floating, dock, _, pos, left, top = place
    mx, my = main
    px, py = pointer
    if target == "float":
        assert floating, "%s: the toolbar did not float: %r" % (row, place)
        # The frame under the pointer, the grab point inside it (its caption strip is 60 pixels
        # at most across, a toolbar of six buttons about 300 pixels long).
        assert 0 <= px - left <= 320 and 0 <= py - top <= 60, \
            "%s: the frame floats at (%d, %d) for a release at (%d, %d)" % (row, left, top, px, py)
        return
    assert not floating and dock == DOCK_INDEX[target], "%s: the toolbar went to %r" % (row, place)
    horizontal = target in HORIZONTAL
    along = (px - mx if horizontal else py - my) - DOCK_ORIGIN[target] - pos
    if (start in HORIZONTAL) == horizontal:
        # Same length along the dock: the grip is exactly where it was pressed.
        assert abs(along - GRIP_DEPTH[horizontal]) <= 3, \
            "%s: the pointer is %d pixels into the toolbar along its new dock, not %d" % (row, along, GRIP_DEPTH[horizontal])
    else:
        # Turned: the grab point keeps its share of the toolbar's length, so the pointer lies on it.
        assert 0 <= along <= 320, "%s: the pointer is %d pixels into the toolbar along its dock" % (row, along)


def dock_drag_table(p, start):
    placed, grip = DRAG_START[start]
    ini = open(p.ini, encoding="utf-8").read()
    along = (grip[0] + 300, grip[1]) if start in HORIZONTAL else (grip[0], grip[1] + 200)
    rows = [("click", start, grip), ("along", start, along)]
    rows += [("onto " + d, d, DROP_AT[d]) for d in DOCK_INDEX if d != start]
    rows.append(("out to float", "float", DROP_AT["float"]))
    program = p
    failures = []
    for n, (row, target, drop) in enumerate(rows):
        if n:
            program = Program(p.exe, ini)
        try:
            main = geometry(program.main)[:2]
            pointer = drag_grip(program, grip, drop)
            place = end_and_read_place(program)
        finally:
            if program is not p:
                program.close()
        row = "from the %s dock, %s" % (start, row)
        try:
            if row.endswith("click"):
                dock, r, pos = (int(v) for v in placed.split(";"))
                assert place[:4] == (False, dock, r, pos), "%s: the toolbar moved to %r" % (row, place)
            else:
                check_drop(row, start, target, place, pointer, main)
        except AssertionError as e:
            failures.append(str(e))
    assert not failures, "\n".join(failures)


def case_toolbar_drag_from_the_top_dock(p):
    dock_drag_table(p, "top")


def case_toolbar_drag_from_the_top_dock_managed(p):
    dock_drag_table(p, "top")


def case_toolbar_drag_from_the_bottom_dock(p):
    dock_drag_table(p, "bottom")


def case_toolbar_drag_from_the_bottom_dock_managed(p):
    dock_drag_table(p, "bottom")


def case_toolbar_drag_from_the_left_dock(p):
    dock_drag_table(p, "left")


def case_toolbar_drag_from_the_left_dock_managed(p):
    dock_drag_table(p, "left")


def case_toolbar_drag_from_the_right_dock(p):
    dock_drag_table(p, "right")


def case_toolbar_drag_from_the_right_dock_managed(p):
    dock_drag_table(p, "right")


for _start, (_placed, _grip) in DRAG_START.items():
    _name = "toolbar_drag_from_the_%s_dock" % _start
    CASE_INI[_name] = CASE_INI[_name + "_managed"] = "[TOOLBARS]\nAnalysisToolbar=1;0;%s;0;0;0\n" % _placed
    WINDOW_MANAGED.add(_name + "_managed")


# One press: "Анализ" torn off the top dock and floated over the chart, then carried on, the
# button still held, onto each dock in turn. Once it docks, its floating frame is gone from the
# screen at once, and where the frame was the chart shows again, not a picture of the frame left
# until the release; the release leaves the toolbar on that dock.
FLOAT_OVER_CHART = (450, 300)


def analysis_frame():
    """The floating "Анализ" frame while it is on the screen."""
    return window_named("Анализ")


def floated_then_docked_in_one_drag(p, target):
    """Drags "Анализ" from its grip out over the chart and on onto target, looking at the frame's
    place while the button is held; (what the frame's place showed floating and docked, whether
    the frame was unmapped, where the release left the toolbar)."""
    x, y = geometry(p.main)[:2]
    grip = DRAG_START["top"][1]
    over_chart = (x + FLOAT_OVER_CHART[0], y + FLOAT_OVER_CHART[1])
    onto = (x + DROP_AT[target][0], y + DROP_AT[target][1])

    def carry_on_to_the_dock():
        frame = wait_for("the floating frame", analysis_frame, timeout=3)
        time.sleep(0.3)
        box = geometry(frame)
        floating = strong_share(box)
        # The frame follows the pointer until the toolbar docks: its last place is where it was
        # drawn last.
        for k in (1, 2, 3):
            run("xdotool", "mousemove", str(over_chart[0] + (onto[0] - over_chart[0]) * k // 3),
                str(over_chart[1] + (onto[1] - over_chart[1]) * k // 3))
            time.sleep(0.25)
            frame = analysis_frame()
            if frame:
                box = geometry(frame)
        gone = bool(wait_for_or_none(lambda: analysis_frame() is None, 3))
        time.sleep(0.3)
        return box, floating, strong_share(box), gone

    box, floating, docked, gone = press_drag_release((x + grip[0], y + grip[1]), over_chart, carry_on_to_the_dock)
    return box, floating, docked, gone, end_and_read_place(p)


def docked_mid_drag_leaves_no_frame(p):
    ini = open(p.ini, encoding="utf-8").read()
    failures = []
    for n, target in enumerate(DOCK_INDEX):
        program = p if not n else Program(p.exe, ini)
        try:
            box, floating, docked, gone, place = floated_then_docked_in_one_drag(program, target)
        finally:
            if program is not p:
                program.close()
        row = "onto the %s dock" % target
        if floating < 0.02:
            failures.append("%s: the floating frame at %r did not show (%.1f%% caption colours)" % (row, box, floating * 100))
        elif place[:2] != (False, DOCK_INDEX[target]):
            failures.append("%s: the release left the toolbar at %r" % (row, place))
        elif not gone or docked > 0.005:
            failures.append("%s, the button held: the frame %s, %.1f%% of its place at %r still shows its caption"
                            % (row, "gone" if gone else "still mapped", docked * 100, box))
    assert not failures, "\n".join(failures)


def case_toolbar_docked_mid_drag_leaves_no_frame(p):
    docked_mid_drag_leaves_no_frame(p)


def case_toolbar_docked_mid_drag_leaves_no_frame_managed(p):
    docked_mid_drag_leaves_no_frame(p)


for _name in ("toolbar_docked_mid_drag_leaves_no_frame", "toolbar_docked_mid_drag_leaves_no_frame_managed"):
    CASE_INI[_name] = CASE_INI["toolbar_drag_from_the_top_dock"]
WINDOW_MANAGED.add("toolbar_docked_mid_drag_leaves_no_frame_managed")

# Toolbar drags released over the desktop, beside no window of the program, while the program is
# stopped (as a long load stops it), then one more move: when it runs again, each drag ends where
# the button came up and the toolbar stays there when the pointer moves on with no button held.
# Each row starts the program afresh; once on the bare display, once under the window manager.

import signal

# The floating "Формат" frame below the main window and "Анализ" in its own row of the top dock.
QUEUED_DRAG_INI = "[TOOLBARS]\nFormatToolbar=1;1;0;0;0;150;760;0\nAnalysisToolbar=1;0;0;2;0;0;0;0\n"
# Each row: the toolbar's title, where it is pressed (by the floating frame, or by the main window
# for the docked grip), and the farthest the grab point may lie inside the frame the drag leaves.
QUEUED_DRAG_ROWS = [
    ("the floating Формат by its caption", "Формат", "frame", (300, 6), (310, 20)),
    ("Анализ pulled out of its dock by the grip", "Анализ", "main", (9, 84), (320, 60)),
]


def frame_near(title, release, reach):
    """The toolbar's floating frame when the release point lies inside it within reach."""
    frame = window_named(title)
    if not frame:
        return None
    x, y, _, _ = geometry(frame)
    return frame if 0 <= release[0] - x <= reach[0] and 0 <= release[1] - y <= reach[1] else None


def queued_drag_to_the_desktop(program, title, by, grip, reach):
    """Presses the grip, moves to the desktop right of the main window and releases there, then
    moves on, all while the program is stopped; (where the frame was after the program ran, the
    release point, where it was after one more move with no button held)."""
    mx, my, mw, _ = geometry(program.main)
    if by == "frame":
        ox, oy = geometry(wait_for("the floating toolbar", lambda: window_named(title)))[:2]
    else:
        ox, oy = mx, my
    release = (min(mx + mw + 120, 1180), my + 250)
    os.kill(program.proc.pid, signal.SIGSTOP)
    try:
        press_drag_release((ox + grip[0], oy + grip[1]), release)
        run("xdotool", "mousemove", str(release[0] + 40), str(release[1] + 150))
        time.sleep(0.3)
    finally:
        os.kill(program.proc.pid, signal.SIGCONT)
    frame = wait_for_or_none(lambda: frame_near(title, release, reach), 5)
    placed = geometry(frame) if frame else None
    run("xdotool", "mousemove", str(release[0] - 300), str(release[1] + 300))
    time.sleep(1.0)
    frame = window_named(title)
    return placed, release, geometry(frame) if frame else None


def queued_drags_end_at_the_release(p):
    ini = open(p.ini, encoding="utf-8").read()
    failures = []
    for n, (row, title, by, grip, reach) in enumerate(QUEUED_DRAG_ROWS):
        program = p if not n else Program(p.exe, ini)
        try:
            placed, release, after = queued_drag_to_the_desktop(program, title, by, grip, reach)
            end_and_read_place(program)  # the next row's program starts alone
        finally:
            if program is not p:
                program.close()
        if not placed:
            failures.append("%s: no frame under the release at %r (it is at %r)" % (row, release, after))
        elif after != placed:
            failures.append("%s: the frame left at %r for the release at %r followed the pointer to %r"
                            % (row, placed, release, after))
    assert not failures, "\n".join(failures)


def case_queued_drags_to_the_desktop_end_at_the_release(p):
    queued_drags_end_at_the_release(p)


def case_queued_drags_to_the_desktop_end_at_the_release_managed(p):
    queued_drags_end_at_the_release(p)


for _name in ("queued_drags_to_the_desktop_end_at_the_release",
              "queued_drags_to_the_desktop_end_at_the_release_managed"):
    CASE_INI[_name] = QUEUED_DRAG_INI
WINDOW_MANAGED.add("queued_drags_to_the_desktop_end_at_the_release_managed")

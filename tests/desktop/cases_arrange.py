# Resizing the main window with the size grip while the status line moves with it.


def status_line_keeps_its_face_when_grown(p):
    # The size grip dragged up and left, then down and right past where it started: the window
    # shrinks and grows in both directions, the status line moves down into the part the window
    # gains, and its first panel is painted there in the face colour.
    w, h = settled_geometry(main_window())[2:]
    drag_size_grip(p, [(-40 * k, -20 * k) for k in list(range(1, 5)) + list(range(3, -3, -1))])
    grown = settled_geometry(main_window())
    assert abs(grown[2] - (w + 80)) <= 2 and abs(grown[3] - (h + 40)) <= 2, "the window is %r after the grip" % (grown,)
    box = status_line_box(p)
    wait_for("the status line's first panel in the face colour", lambda: face_share(box) > 0.5, timeout=5)
    assert black_share(box) < 0.2, "%.0f%% of the status line's first panel is black" % (black_share(box) * 100)


def case_status_line_keeps_its_face_when_grown(p):
    status_line_keeps_its_face_when_grown(p)


def case_status_line_keeps_its_face_when_grown_managed(p):
    status_line_keeps_its_face_when_grown(p)


WINDOW_MANAGED.add("status_line_keeps_its_face_when_grown_managed")

# The print dialog's "Уровень детализации" track bar on the real desktop: its thumb follows a drag
# and the value kept follows the thumb; a press held on the channel pages the thumb along until it
# reaches the pointer.

import signal


def open_print_dialog(p):
    """Файл > Печать... with a graph on the chart; the dialog's window once it has the keyboard."""
    p.paste_graph()
    keys_to(p.main, "F10", "Down", "Down", "Down", "Return")
    dialog = wait_for("the print dialog", lambda: next(iter(p.others()), None), timeout=15)
    keys_to(dialog)
    time.sleep(0.8)
    return dialog


def dark_columns(shot, py):
    return [px for px in range(shot.width) if max(shot.getpixel((px, py))) < 100]


def widest_gap(columns):
    return max(zip(columns, columns[1:]), key=lambda pair: pair[1] - pair[0])


def segments(columns, join=16):
    """Runs of columns with no gap wider than join."""
    runs = []
    for c in columns:
        if runs and c - runs[-1][-1] <= join:
            runs[-1].append(c)
        else:
            runs.append([c])
    return runs


def trackbar_channel(dialog):
    """The detail track bar's channel on the screen: (row, first column, last column) of its dark
    upper edge. In the dialog's lower right part it is the first row with a solid run of dark
    pixels 100 to 170 pixels long broken once by the thumb, which covers the channel there (the
    ticks below run unbroken, the caption above is broken many times)."""
    x, y, w, h = geometry(dialog)
    box = (x + w // 2, y + h - 120, x + w, y + h - 30)
    shot = ImageGrab.grab(bbox=box).convert("RGB")
    for py in range(shot.height):
        for run in segments(dark_columns(shot, py)):
            gap = widest_gap(run) if len(run) > 1 else (0, 0)
            span, hole = run[-1] - run[0], gap[1] - gap[0]
            if 100 <= span <= 170 and 6 <= hole and len(run) >= span - hole:  # solid but for the thumb
                return box[1] + py, box[0] + run[0], box[0] + run[-1]
    raise AssertionError("no track bar channel in the print dialog")


def thumb_centre(channel):
    """The thumb's centre column: the middle of the widest gap in the channel's dark edge."""
    row, first, last = channel
    shot = ImageGrab.grab(bbox=(first, row, last + 1, row + 1)).convert("RGB")
    gap = widest_gap(dark_columns(shot, 0))
    assert gap[1] - gap[0] > 5, "no thumb on the channel"
    return first + (gap[0] + gap[1]) // 2


def keep(dialog, name):
    if os.environ.get("KV_DESKTOP_KEEP"):
        x, y, w, h = geometry(dialog)
        ImageGrab.grab(bbox=(x, y, x + w, y + h)).save(os.path.join(os.environ["KV_DESKTOP_KEEP"], name))


def trackbar_dragged(p, queued=False, below=0):
    """Press on the thumb, 60 pixels to the right (and below pixels down), release; queued: all
    of it sent while the program is stopped, so that it finds the whole drag waiting when it runs
    again."""
    dialog = open_print_dialog(p)
    channel = trackbar_channel(dialog)
    row, first, last = channel
    start = thumb_centre(channel)
    keep(dialog, "trackbar-before-drag.png")
    if queued:
        os.kill(p.proc.pid, signal.SIGSTOP)
    try:
        press_drag_release((start, row), (start + 60, row + below))
    finally:
        if queued:
            os.kill(p.proc.pid, signal.SIGCONT)
    wait_for("the thumb to stay where the drag left it",
             lambda: abs(thumb_centre(channel) - (start + 60)) <= 2, timeout=3)
    keep(dialog, "trackbar-after-drag.png")
    # The value went with the thumb: Печать keeps it in the settings before it asks for the PDF
    # file's name (-100 at the channel's left end, 100 at its right end).
    shown = -100 + 200 * (thumb_centre(channel) - first) / (last - first)
    p.key("Return")
    kept = wait_for("the detail level in the settings",
                    lambda: re.search(r"^Resolution=(-?\d+)", p.settings(), re.M), timeout=10)
    assert abs(int(kept.group(1)) - shown) <= 4, "kept %s, the thumb shows %.0f" % (kept.group(1), shown)
    asked = wait_for("the file name to be asked", lambda: next(iter(set(p.others()) - {dialog}), None), timeout=10)
    keys_to(asked, "Escape")
    keys_to(dialog, "Escape")
    wait_for("the dialog to close", lambda: dialog not in visible_windows())


def trackbar_held_press(p):
    dialog = open_print_dialog(p)
    channel = trackbar_channel(dialog)
    row, first, last = channel
    start = thumb_centre(channel)
    target = start + (last - start) * 3 // 4  # about seven pages to the right
    run("xdotool", "mousemove", str(target), str(row))
    time.sleep(0.3)
    run("xdotool", "mousedown", "1")
    try:
        # Paging waits half a second, then steps ten times a second; it stops at the pointer.
        wait_for("the thumb to reach the pointer", lambda: abs(thumb_centre(channel) - target) <= 8, timeout=8)
        time.sleep(0.5)
        reached = thumb_centre(channel)
    finally:
        run("xdotool", "mouseup", "1")
    assert abs(reached - target) <= 8, "the thumb went past the pointer to %d (pointer %d)" % (reached, target)
    p.key("Escape")
    wait_for("the dialog to close", lambda: dialog not in visible_windows())


def case_print_trackbar_dragged(p):
    trackbar_dragged(p)


def case_print_trackbar_dragged_while_stopped(p):
    trackbar_dragged(p, queued=True)


def case_print_trackbar_dragged_below_the_bar(p):
    # The pointer leaves the bar on its way: the thumb still follows it along the bar.
    trackbar_dragged(p, below=50)


def case_print_trackbar_held_press(p):
    trackbar_held_press(p)



# The same four under a window manager, which places and activates the dialog itself.
def case_print_trackbar_dragged_managed(p):
    trackbar_dragged(p)


def case_print_trackbar_dragged_while_stopped_managed(p):
    trackbar_dragged(p, queued=True)


def case_print_trackbar_dragged_below_the_bar_managed(p):
    trackbar_dragged(p, below=50)


def case_print_trackbar_held_press_managed(p):
    trackbar_held_press(p)


WINDOW_MANAGED.update({"print_trackbar_dragged_managed", "print_trackbar_dragged_while_stopped_managed",
                       "print_trackbar_dragged_below_the_bar_managed", "print_trackbar_held_press_managed"})

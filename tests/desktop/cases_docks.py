# Docks, floating toolbars and the status line on the real desktop: the floating caption drags the
# frame it belongs to, a closed floating toolbar takes its frame along, the status line keeps its
# face after the window is narrowed with the size grip, and a press on a bar that moves nothing
# leaves its captions as they were. Each case runs once on the bare display and once under the
# window manager (the name ending in "_managed").

# "Стандартная" floats with its frame's top-left corner here.
FLOAT_AT = (400, 300)
FLOATING_INI = "[TOOLBARS]\nStandardToolbar=1;1;0;0;0;%d;%d;0\n" % FLOAT_AT
# The small caption: its frame (4 pixels with a sizable frame) and a 15-pixel band.
CAPTION_GRAB = (30, 10)


def floating_bar():
    """The floating "Стандартная" frame when it is on the screen."""
    try:
        ids = run("xdotool", "search", "--onlyvisible", "--name", "^Стандартная$").split()
    except subprocess.CalledProcessError:
        return None
    return int(ids[0]) if ids else None


def main_window():
    """The main window by its title (with a floating toolbar, Program.main may be that instead)."""
    return int(run("xdotool", "search", "--onlyvisible", "--name", "^Korvalin 4$").split()[0])


def press_caption(box, dx=0, dy=0):
    """A press on the floating caption, a move by (dx, dy) in steps, a release; the frame's place
    seen at the last step before the release."""
    x, y, w, h = box
    gx, gy = x + CAPTION_GRAB[0], y + CAPTION_GRAB[1]
    return press_drag_release((gx, gy), (gx + dx, gy + dy), lambda: geometry(floating_bar()))


def floating_caption_keeps_the_grab_point(p):
    # Three clicks on the caption leave the frame where it is; a drag carries it with the
    # pointer, the grab point staying under it; a double-click docks it in the row below the
    # menu bar again.
    bar = wait_for("the floating toolbar", floating_bar)
    start = settled_geometry(bar)
    assert start[:2] == FLOAT_AT, "floats at %r" % (start,)
    for click in range(3):
        press_caption(start)
        now = settled_geometry(bar)
        assert now == start, "click %d moved the frame from %r to %r" % (click + 1, start, now)
    during = press_caption(start, 90, 60)
    assert during[:2] == (start[0] + 90, start[1] + 60), "while dragged the frame is at %r" % (during,)
    moved = settled_geometry(bar)
    assert moved[:2] == (start[0] + 90, start[1] + 60), "dropped at %r" % (moved,)
    x, y = moved[0] + CAPTION_GRAB[0], moved[1] + CAPTION_GRAB[1]
    run("xdotool", "mousemove", str(x), str(y))
    time.sleep(0.2)
    run("xdotool", "click", "--repeat", "2", "--delay", "80", "1")
    wait_for("the toolbar docked", lambda: floating_bar() is None)
    mx, my, mw, mh = geometry(main_window())
    wait_for("its buttons in the top row", lambda: bar_colours((mx + 10, my + 45, mx + 190, my + 75)))


def case_floating_caption_keeps_the_grab_point(p):
    floating_caption_keeps_the_grab_point(p)


def case_floating_caption_keeps_the_grab_point_managed(p):
    floating_caption_keeps_the_grab_point(p)


def toolbars_menu_toggle(p, index):
    """Вид → "Панели инструментов" (its ninth command), the toolbar toggle number index."""
    keys_to(p.main, "F10", "Right", "Right", "Right", "Down", *["Down"] * 8, "Right")
    wait_for("the toolbars menu", lambda: len(p.others(named=False)) >= 2)
    keys_to(p.main, *["Down"] * index, "Return")


def strong_share(box):
    """The share of picture colours in a screen box: button images rather than the chart."""
    x, y, w, h = box
    pixels = list(ImageGrab.grab(bbox=(x, y, x + w, y + h)).getdata())
    return sum(1 for c in pixels if max(c[:3]) - min(c[:3]) > 60) / max(1, len(pixels))


def closed_floating_toolbar_leaves_no_frame(p):
    # The close button at the right end of the caption hides the toolbar: its frame goes from the
    # screen and nothing of its buttons stays there. "Вид" → "Панели инструментов" shows it
    # again, and hiding it there takes the frame away too.
    bar = wait_for("the floating toolbar", floating_bar)
    box = settled_geometry(bar)
    x, y, w, h = box
    assert strong_share(box) > 0.02, "the toolbar's buttons show"
    run("xdotool", "mousemove", str(x + w - 4 - 7), str(y + 4 + 7))
    time.sleep(0.2)
    run("xdotool", "click", "1")
    wait_for("the frame gone", lambda: floating_bar() is None)
    time.sleep(0.5)
    left = strong_share(box)
    assert left < 0.005, "%.1f%% of the closed toolbar's place still shows its buttons" % (left * 100)
    toolbars_menu_toggle(p, 0)
    bar = wait_for("the toolbar shown again", floating_bar)
    wait_for("its buttons", lambda: strong_share(settled_geometry(bar)) > 0.02)
    toolbars_menu_toggle(p, 0)
    wait_for("the frame gone again", lambda: floating_bar() is None)
    time.sleep(0.5)
    left = strong_share(box)
    assert left < 0.005, "%.1f%% of the hidden toolbar's place still shows its buttons" % (left * 100)


def case_closed_floating_toolbar_leaves_no_frame(p):
    closed_floating_toolbar_leaves_no_frame(p)


def case_closed_floating_toolbar_leaves_no_frame_managed(p):
    closed_floating_toolbar_leaves_no_frame(p)


def status_line_box(p):
    x, y, w, h = geometry(main_window())
    return (x + 8, y + h - 22, 160, 14)


def black_share(box):
    x, y, w, h = box
    pixels = list(ImageGrab.grab(bbox=(x, y, x + w, y + h)).getdata())
    return sum(1 for c in pixels if sum(c[:3]) < 60) / max(1, len(pixels))


def drag_size_grip(p, steps):
    """The size grip, its status line first in the face colour, pressed and moved through the
    offsets from where it started, then let go."""
    x, y, w, h = settled_geometry(main_window())
    assert face_share(status_line_box(p)) > 0.5, "the status line starts in the face colour"
    gx, gy = x + w - 12, y + h - 12
    run("xdotool", "mousemove", str(gx), str(gy))
    time.sleep(0.3)
    run("xdotool", "mousedown", "1")
    time.sleep(0.3)
    for dx, dy in steps:
        run("xdotool", "mousemove", str(gx + dx), str(gy + dy))
        time.sleep(0.15)
    run("xdotool", "mouseup", "1")


def status_line_keeps_its_face_when_narrowed(p):
    # The size grip at the status line's right end, dragged 200 pixels to the left in steps: the
    # window narrows by as much, and the status line's first panel keeps its face colour.
    w, h = settled_geometry(main_window())[2:]
    drag_size_grip(p, [(-25 * k, 0) for k in range(1, 9)])
    narrowed = settled_geometry(main_window())
    assert abs(narrowed[2] - (w - 200)) <= 2 and narrowed[3] == h, "the window is %r after the grip" % (narrowed,)
    time.sleep(0.5)
    box = status_line_box(p)
    assert black_share(box) < 0.2, "%.0f%% of the status line's first panel is black" % (black_share(box) * 100)
    assert face_share(box) > 0.5, "the status line's first panel lost its face colour"


def case_status_line_keeps_its_face_when_narrowed(p):
    status_line_keeps_its_face_when_narrowed(p)


def case_status_line_keeps_its_face_when_narrowed_managed(p):
    status_line_keeps_its_face_when_narrowed(p)


for _name in ("floating_caption_keeps_the_grab_point", "closed_floating_toolbar_leaves_no_frame"):
    CASE_INI[_name] = CASE_INI[_name + "_managed"] = FLOATING_INI
WINDOW_MANAGED.update({"floating_caption_keeps_the_grab_point_managed", "closed_floating_toolbar_leaves_no_frame_managed",
                       "status_line_keeps_its_face_when_narrowed_managed"})


# Caption boxes by the main window: the menu bar's "Файл" to "Операции", and the captions of
# "Формат" in the bottom dock's second row.
MENU_CAPTIONS = (12, 26, 260, 42)
FORMAT_CAPTIONS = (15, 593, 600, 609)
# Presses by the main window: the empty end of the menu bar, the grips of "Стандартная" (top)
# and of "Формат" (bottom).
BAR_PRESSES = [("the menu bar's empty part", (600, 33)), ("the standard toolbar's grip", (9, 58)),
               ("the format toolbar's grip", (9, 601))]


def caption_darkness(box):
    """The mean darkness (255 less the grey level) of the caption pixels in a screen box: text
    drawn twice over itself is darker at its antialiased edges."""
    x0, y0, x1, y1 = box
    dark = [255 - v for v in ImageGrab.grab(bbox=box).convert("L").getdata() if v < 170]
    assert len(dark) > 100, "no captions in %r" % (box,)
    return sum(dark) / len(dark)


def bars_keep_their_captions_after_a_press(p):
    # A press on the empty part of the menu bar or on a toolbar's grip, released where it was,
    # leaves the bars as they were: their captions no darker than before.
    x, y = geometry(p.main)[:2]
    boxes = {name: (x + b[0], y + b[1], x + b[2], y + b[3])
             for name, b in (("menu bar", MENU_CAPTIONS), ("Формат", FORMAT_CAPTIONS))}
    away = (x + 450, y + 300)
    before = {name: caption_darkness(box) for name, box in boxes.items()}
    for what, (px, py) in BAR_PRESSES:
        press_drag_release((x + px, y + py), (x + px, y + py))
        run("xdotool", "mousemove", str(away[0]), str(away[1]))
        time.sleep(0.4)
        for name, box in boxes.items():
            now = caption_darkness(box)
            assert abs(now - before[name]) < 1, \
                "after a press on %s the captions of %s are %.1f dark, not %.1f" % (what, name, now, before[name])


def case_bars_keep_their_captions_after_a_press(p):
    bars_keep_their_captions_after_a_press(p)


def case_bars_keep_their_captions_after_a_press_managed(p):
    bars_keep_their_captions_after_a_press(p)


WINDOW_MANAGED.add("bars_keep_their_captions_after_a_press_managed")

# The format dialogs' pictures on the real desktop: the title's alignment submenu, the gradient
# button's ramp and the line dialog's marker pictures. (hover and hint_near: cases_toolbar_items.)


def shot_to(name, box):
    """Saves the screen box under $KV_SHOT_DIR/name when that folder is given (docs pictures)."""
    folder = os.environ.get("KV_SHOT_DIR")
    if folder:
        x, y, w, h = box
        ImageGrab.grab(bbox=(x, y, x + w, y + h)).save(os.path.join(folder, name))


def open_dialog_from_view_menu(p, item, what):
    """Вид (the fourth menu), its command number item; the dialog's window and geometry."""
    menu_command(p, 3, item)
    dialog = wait_for(what, lambda: next(iter(p.others()), None), timeout=8)
    time.sleep(0.6)
    return dialog, geometry(dialog)


def drop_menu_at(p, x, y):
    """Clicks (x, y) and waits for a menu window; its geometry."""
    before = set(p.others(named=False))
    run("xdotool", "mousemove", str(x), str(y), "click", "1")
    menu = wait_for("the menu", lambda: set(p.others(named=False)) - before, timeout=3)
    time.sleep(0.4)
    return geometry(next(iter(menu)))


def pick_entry(menu, index, count):
    """Clicks entry index of a menu window of count entries of one height."""
    mx, my, mw, mh = menu
    run("xdotool", "mousemove", str(mx + mw // 2), str(my + 3 + (mh - 6) * (2 * index + 1) // (2 * count)),
        "click", "1")
    time.sleep(0.4)


def pixels(box):
    x, y, w, h = box
    return list(ImageGrab.grab(bbox=(x, y, x + w, y + h)).getdata())


def red_shape(box):
    """Where a box shows the markers' red: the shape of the marker picture drawn there."""
    return {i for i, px in enumerate(pixels(box)) if px[:3] == (255, 0, 0)}


def title_alignment_through_the_submenu(p):
    # The title dialog's alignment submenu offers the three placements; "Расположить справа"
    # chosen there shows on the submenu, and after OK the title is drawn at the chart's right.
    p.paste_graph()
    time.sleep(0.5)
    dialog, (x, y, w, h) = open_dialog_from_view_menu(p, 2, "the title dialog")
    run("xdotool", "mousemove", str(x + 150), str(y + 110), "click", "1")  # the memo
    keys_to(dialog, Typed("Title text"))
    item = (x + 220, y + 180, 20, 20)
    centred = pixels(item)
    menu = drop_menu_at(p, x + 230, y + 190)
    shot_to("title-dialog-alignment-submenu.png", (x, y, w + 120, h))
    pick_entry(menu, 2, 3)
    wait_for("the submenu to show the right placement", lambda: pixels(item) != centred)
    hover(x + 230, y + 190)
    wait_for("the submenu's hint", lambda: hint_near(p, x + 230, y + 190), timeout=4)
    run("xdotool", "mousemove", str(x + 240), str(y + 336), "click", "1")  # OK
    wait_for("the dialog to close", lambda: dialog not in visible_windows())
    time.sleep(0.5)
    mx, my, mw, mh = geometry(p.main)
    band = ImageGrab.grab(bbox=(mx, my + 85, mx + mw, my + 102))
    blue = [x for x in range(band.width) for y in range(band.height) if band.getpixel((x, y))[:3] == (0, 0, 255)]
    assert blue, "no title drawn"
    # The plot runs from about 240 to 790 in the main window: a right-aligned title ends near 790.
    assert min(blue) > 600 and max(blue) > 740, (min(blue), max(blue))


def case_gradient_button_shows_its_ramp(p):
    # On the title dialog's second page the gradient button is silver in the simple view and
    # shows its ramp (red 100, blue 127, green rising to the right) once the fine view is chosen.
    p.paste_graph()
    time.sleep(0.5)
    dialog, (x, y, w, h) = open_dialog_from_view_menu(p, 2, "the title dialog")
    run("xdotool", "mousemove", str(x + 140), str(y + 40), "click", "1")  # "Дополнительные"
    time.sleep(0.4)
    button = (x + 246, y + 118, 76, 16)

    def ramp():
        return [px for px in pixels(button) if px[0] == 100 and px[2] == 127]

    assert not ramp(), "a disabled gradient button shows the ramp"
    assert (192, 192, 192) in [px[:3] for px in pixels(button)]
    shot_to("title-dialog-extra-page.png", (x, y, w, h))
    run("xdotool", "mousemove", str(x + 40), str(y + 97), "click", "1")  # "Заголовок с оформлением"
    shown = wait_for("the ramp", ramp)
    greens = sorted({px[1] for px in shown})
    assert greens[0] < 40 and greens[-1] > 215 and len(greens) > 30, greens
    shot_to("title-dialog-gradient-ramp.png", (x, y, w, h))
    p.key("Escape")
    wait_for("the dialog to close", lambda: dialog not in visible_windows())


def marker_style_from_the_pictures(p):
    # The line dialog's marker button opens nine marker pictures; the star chosen there shows on
    # the button, OK writes it into the graph, and the dialog opened again shows the star.
    p.paste_graph()
    time.sleep(0.5)
    dialog, (x, y, w, h) = open_dialog_from_view_menu(p, 7, "the line dialog")
    button = (x + 98, y + 120, 20, 18)
    square = red_shape(button)
    assert square, "the button shows no marker picture"
    menu = drop_menu_at(p, x + 115, y + 129)
    mx, my, mw, mh = menu
    shot_to("line-dialog-marker-pictures.png", (x, y, max(w, mx + mw - x) + 4, max(h, my + mh - y) + 4))
    pick_entry(menu, 6, 9)  # "Звезда"
    wait_for("the button to show the star", lambda: red_shape(button) not in (square, set()))
    star = red_shape(button)
    hover(x + 108, y + 129)
    wait_for("the marker button's hint", lambda: hint_near(p, x + 108, y + 129), timeout=4)
    run("xdotool", "mousemove", str(x + 45), str(y + 265), "click", "1")  # OK
    wait_for("the dialog to close", lambda: dialog not in visible_windows())
    dialog, (x, y, w, h) = open_dialog_from_view_menu(p, 7, "the line dialog again")
    # The same picture, but for the few pixels the focus rectangle covered while it was chosen.
    again = red_shape((x + 98, y + 120, 20, 18))
    assert len(again ^ star) <= 4 < len(again ^ square), (len(again ^ star), len(again ^ square))
    keys_to(dialog, "Escape")
    wait_for("the dialog to close", lambda: dialog not in visible_windows())


def case_title_alignment_through_the_submenu(p):
    title_alignment_through_the_submenu(p)


def case_title_alignment_through_the_submenu_managed(p):
    title_alignment_through_the_submenu(p)


WINDOW_MANAGED.add("title_alignment_through_the_submenu_managed")


def case_marker_style_from_the_pictures(p):
    marker_style_from_the_pictures(p)


def case_marker_style_from_the_pictures_managed(p):
    marker_style_from_the_pictures(p)


WINDOW_MANAGED.add("marker_style_from_the_pictures_managed")

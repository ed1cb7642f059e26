# Cells typed into on the real desktop: what is typed shows as it is typed, and the name still
# being typed when the dialog goes on is the one used. Bare and under openbox.

HIGHLIGHT = (10, 36, 106)  # the classic selection colour of a current cell without its editor


def typed_cell_shows(image, box, what):
    """The typed text shows in the box: dark text pixels, none of the highlighted cell left."""
    x0, y0, x1, y1 = box
    pixels = [image.getpixel((x, y))[:3] for y in range(y0, y1) for x in range(x0, x1)]
    highlighted = sum(1 for px in pixels if px == HIGHLIGHT)
    dark = sum(1 for px in pixels if sum(px) < 200 and px != HIGHLIGHT)
    assert highlighted == 0 and dark > 5, "%s: %d highlighted, %d dark pixels" % (what, highlighted, dark)


def function_parameter_shows_as_typed(p):
    # Операции, "График функции...": the parameter grid's name cell clicked, "k" typed; Tab to
    # its value, "2" typed. Each character shows at once, before the cell is left.
    menu_command(p, 4, 18)
    dialog = wait_for("the function dialog", lambda: next(iter(p.others()), None))
    time.sleep(0.5)
    x, y, w, h = geometry(dialog)
    run("xdotool", "mousemove", str(x + 100), str(y + 117), "click", "1")
    time.sleep(0.3)
    keys_to(dialog, "k")
    typed_cell_shows(ImageGrab.grab(bbox=(x, y, x + w, y + h)), (12, 108, 190, 126), "the name")
    p.key("Tab", "2")
    shot = ImageGrab.grab(bbox=(x, y, x + w, y + h))
    if os.environ.get("KV_SHOT"):
        shot.save(os.environ["KV_SHOT"])
    typed_cell_shows(shot, (200, 108, 378, 126), "the value")
    p.key("Escape", "Escape")  # the cell's editing, then the dialog
    wait_for("the dialog to close", lambda: dialog not in visible_windows())


def case_function_parameter_shows_as_typed(p):
    function_parameter_shows_as_typed(p)


def case_function_parameter_shows_as_typed_managed(p):
    function_parameter_shows_as_typed(p)


def wizard_with_typed_names(p, folder):
    """Two graphs selected, Сохранить как...: the wizard, "Сохранить графики в разные файлы",
    Далее twice, folder typed, "Вручную задать имена", Далее; "alpha" Enter, Down, "beta" typed
    into the names, the last one still in the grid's editor. The wizard and a press of its OK."""
    wizard, (x, y, w, h) = save_wizard_over_two_selected_graphs(p)

    def click(cx, cy):
        run("xdotool", "mousemove", str(x + cx), str(y + cy), "click", "1")
        time.sleep(0.4)

    click(165, 111)  # Сохранить графики в разные файлы
    click(w - 211, h - 23)  # Далее: the format
    click(w - 211, h - 23)  # Далее: the folder
    click(280, 108)
    run("xdotool", "type", "--delay", "20", folder)
    click(170, 205)  # Вручную задать имена для каждого файла
    click(w - 211, h - 23)  # Далее: the names
    click(480, 158)  # the first graph's file name
    run("xdotool", "type", "--delay", "40", "alpha")
    p.key("Return", "Down")
    run("xdotool", "type", "--delay", "40", "beta")
    time.sleep(0.3)
    return wizard, lambda: click(w - 127, h - 23)


def typed_file_names_are_used(p):
    # The names typed into the wizard and OK at once: both files are written under them.
    folder = os.path.join(p.dir, "out")
    os.mkdir(folder)
    wizard, press_ok = wizard_with_typed_names(p, folder)
    if os.environ.get("KV_SHOT"):
        x, y, w, h = geometry(wizard)
        ImageGrab.grab(bbox=(x, y, x + w, y + h)).save(os.environ["KV_SHOT"])
    press_ok()
    wait_for("the wizard to close", lambda: wizard not in visible_windows())
    wait_for("the files", lambda: sorted(os.listdir(folder)) == ["alpha.txt", "beta.txt"] or None, timeout=5)


def case_typed_file_names_are_used(p):
    typed_file_names_are_used(p)


def case_typed_file_names_are_used_managed(p):
    typed_file_names_are_used(p)


WINDOW_MANAGED.update({"function_parameter_shows_as_typed_managed", "typed_file_names_are_used_managed"})

# Cases of what a new user meets, continued: copying cells of the data panel with the mouse and
# the keyboard.


def data_cell(p, row, column):
    """The screen point of a value cell of the data panel (column 0 X, 1 Y), at the default size:
    the panel sits at the window's right edge, its first row under the toolbar."""
    x, y, w, h = geometry(p.main)
    return x + w - (280 if column == 0 else 120), y + 100 + 17 * row


def click_cell(p, row, column, *before, **kw):
    cx, cy = data_cell(p, row, column)
    run("xdotool", *before, "mousemove", str(cx), str(cy), "click", "1", *kw.get("after", ()))
    time.sleep(0.3)


def copied_cells(p, other=None):
    """Ctrl+C, then what the clipboard holds; no dialog may open on the way (other: another
    program's window, not ours)."""
    set_clipboard("")
    time.sleep(0.2)
    keys_to(p.main, "ctrl+c")
    dialogs = lambda: [w for w in p.others() if w != other]
    wait_for("the copied cells", lambda: dialogs() or run("xclip", "-selection", "clipboard", "-o"), timeout=5)
    assert not dialogs(), "Ctrl+C opened a dialog instead of copying the cells"
    return run("xclip", "-selection", "clipboard", "-o")


def copy_cells_chosen_with_the_mouse(p, other_program=False):
    # Graph 1 2 / 2 4 / 3 9 in the panel; cells chosen by a click, a drag and a Shift+click.
    p.paste_graph()
    show_data_panel(p)
    box = other = None
    try:
        if other_program:
            # Another program has the keyboard: the click on a cell brings it back to the grid.
            other = subprocess.Popen(["xmessage", "-geometry", "+1000+700", "another program"],
                                     stderr=subprocess.DEVNULL)
            box = wait_for("the other program", lambda: next(iter(p.others()), None))
            x, y, w, h = geometry(box)
            run("xdotool", "mousemove", str(x + w // 2), str(y + h // 2), "click", "1")
            wait_for_keyboard("the other program to take the keyboard", lambda: [box])
        click_cell(p, 1, 1)
        assert copied_cells(p, box) == "4\n"
        cx, cy = data_cell(p, 0, 0)
        tx, ty = data_cell(p, 1, 1)
        run("xdotool", "mousemove", str(cx), str(cy), "mousedown", "1", "mousemove", str(tx), str(ty), "mouseup", "1")
        time.sleep(0.3)
        assert copied_cells(p, box) == "1\t2\n2\t4\n"
        click_cell(p, 0, 1)
        click_cell(p, 2, 1, "keydown", "shift", after=("keyup", "shift"))
        assert copied_cells(p, box) == "2\n4\n9\n"
    finally:
        if other:
            other.kill()
            other.wait()
    # With the graph list clicked Ctrl+C copies the graph, through its dialog.
    x, y, w, h = geometry(p.main)
    run("xdotool", "mousemove", str(x + 70), str(y + 85), "click", "1")
    time.sleep(0.3)
    text = copy_current_graph_text(p, "the graph's text")
    assert "[DATA]" in text or "3\t9" in text, text


def copy_cells_chosen_through_the_context_menu(p):
    # Graph 1 2 / 2 4 / 3 9; the graph list has the keyboard. A right click on a cell, "Выделить
    # все" (the menu's second item), then Ctrl+C: the whole table of cells, not the graph's dialog.
    p.paste_graph()
    show_data_panel(p)
    x, y, w, h = geometry(p.main)
    run("xdotool", "mousemove", str(x + 70), str(y + 85), "click", "1")
    time.sleep(0.3)
    cx, cy = data_cell(p, 1, 1)
    run("xdotool", "mousemove", str(cx), str(cy), "click", "3")
    menu = wait_for("the data panel's menu", lambda: next(iter(p.others(named=False)), None))
    keys_to(p.main, "Down", "Down", "Return")
    wait_for("the menu to close", lambda: menu not in visible_windows(named=False))
    assert copied_cells(p) == "1\t2\n2\t4\n3\t9\n"


def case_data_panel_copies_the_cells_clicked(p):
    copy_cells_chosen_with_the_mouse(p)


def case_data_panel_copies_the_cells_clicked_managed(p):
    copy_cells_chosen_with_the_mouse(p, other_program=True)


WINDOW_MANAGED.add("data_panel_copies_the_cells_clicked_managed")


def case_data_panel_copies_all_cells_after_its_menu(p):
    copy_cells_chosen_through_the_context_menu(p)


def case_data_panel_copies_all_cells_after_its_menu_managed(p):
    copy_cells_chosen_through_the_context_menu(p)


WINDOW_MANAGED.add("data_panel_copies_all_cells_after_its_menu_managed")


def drop_on_the_chart(p, *paths):
    """Drops files as the desktop's file manager does (the drag-and-drop protocol of X)."""
    sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
    from xdnd_source import drop_files
    x, y, w, h = geometry(p.main)
    assert drop_files(p.main, x + w // 2, y + h // 2, list(paths)), "the window refused the drop"


def dropped_folder_and_file(p):
    # A folder dropped on the window says it is a folder, naming it; a file dropped after it
    # (a blank in its name) becomes a graph of its points.
    folder = os.path.join(p.dir, "measurements")
    os.mkdir(folder)
    drop_on_the_chart(p, folder)
    text = box_text(p, "the box about the folder")
    assert folder in text and "это папка, а не файл" in text, text
    p.key("Return")
    wait_for("the box to close", lambda: not p.others())
    path = os.path.join(p.dir, "run 1.txt")
    with open(path, "w") as f:
        f.write(GRAPH_TEXT)
    drop_on_the_chart(p, path)
    text = copy_current_graph_text(p, "the dropped graph's text")
    assert "3\t9" in text, text


def case_dropped_folder_says_what_it_is(p):
    dropped_folder_and_file(p)


def case_dropped_folder_says_what_it_is_managed(p):
    dropped_folder_and_file(p)


WINDOW_MANAGED.add("dropped_folder_says_what_it_is_managed")


def cancelled_close_keeps_the_menu_bar(p):
    # Alt+F4 with a graph asks first; "Отмена" keeps the window with its menu bar drawn as before
    # (its menus' names in the row under the caption). Then Alt+F4 and OK end the program.
    p.paste_graph()
    x, y, w, h = geometry(p.main)
    row = (x + 4, y + 22, x + 300, y + 42)  # the menu bar's row, below our own caption
    before = ImageGrab.grab(bbox=row)
    assert dark_pixels(before, (0, 0, before.width, before.height)), "no menu names before"
    p.key("alt+F4")
    box = wait_for("the question", lambda: next(iter(p.others()), None))
    bx, by, bw, bh = geometry(box)
    run("xdotool", "mousemove", str(bx + bw // 2 + 38), str(by + bh - 25), "click", "1")  # Отмена
    wait_for("the question to close", lambda: box not in visible_windows())
    assert p.running()
    wait_for("the menu bar drawn as before", lambda: list(ImageGrab.grab(bbox=row).getdata()) == list(before.getdata()))
    keys_to(p.main, "alt+F4")
    box = wait_for("the question again", lambda: next(iter(p.others()), None))
    bx, by, bw, bh = geometry(box)
    run("xdotool", "mousemove", str(bx + bw // 2 - 42), str(by + bh - 25), "click", "1")  # OK
    wait_for("the program to end", lambda: not p.running())


def case_cancelled_close_keeps_the_menu_bar(p):
    cancelled_close_keeps_the_menu_bar(p)


def case_cancelled_close_keeps_the_menu_bar_managed(p):
    cancelled_close_keeps_the_menu_bar(p)


WINDOW_MANAGED.add("cancelled_close_keeps_the_menu_bar_managed")

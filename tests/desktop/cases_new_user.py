# Cases of what a new user meets: resizes from outside the program, files read under the wrong
# decimal separator, keyboard use of radio groups, messages that name what they found.


def corner(box, width=40, height=26, bottom=False):
    """The screen's pixels in the top-right (or bottom-right) corner of a window's box."""
    x, y, w, h = box
    top = y + h - height if bottom else y
    return ImageGrab.grab(bbox=(x + w - width, top, x + w, top + height)).convert("RGB")


def resize_from_outside(p):
    # The caption buttons and the sizing grip stay at the window's right edge whatever size the
    # desktop gives it; nothing of the old size shows (no black band, no cut-off caption).
    p.paste_graph()
    time.sleep(0.5)
    before = geometry(p.main)
    top, bottom = corner(before), corner(before, height=14, bottom=True)
    x, y, w, h = before
    for width, height in ((w + 180, h + 90), (w - 160, h - 70)):
        run("xdotool", "windowsize", str(p.main), str(width), str(height))
        wait_for("the new size", lambda: geometry(p.main)[2:] == (width, height))
        box = geometry(p.main)
        wait_for("the caption's right end at the new edge",
                 lambda: list(corner(box).getdata()) == list(top.getdata()), timeout=5)
        wait_for("the status line's right end at the new edge",
                 lambda: list(corner(box, height=14, bottom=True).getdata()) == list(bottom.getdata()), timeout=5)
    # The program still answers at the new size: a second graph goes in.
    p.paste_graph()
    assert p.running()


def case_window_follows_a_resize_from_outside(p):
    resize_from_outside(p)


def case_window_follows_a_window_manager_resize(p):
    resize_from_outside(p)


WINDOW_MANAGED.add("window_follows_a_window_manager_resize")


def box_text(p, what):
    """The text of the message box on the screen (a box copies its text on Ctrl+C)."""
    box = wait_for(what, lambda: next(iter(p.others()), None), timeout=8)
    set_clipboard("")
    keys_to(box, "ctrl+c")
    return wait_for(what + "'s text", lambda: run("xclip", "-selection", "clipboard", "-o").strip())


def comma_file_under_point_settings(p):
    # With the decimal point and the comma among the delimiters, a file of decimal commas reads
    # as garbage: the program says so, naming the file and the lines that read it.
    path = os.path.join(p.dir, "sine.txt")
    with open(path, "w") as f:
        f.writelines("0,%04d\t0,%05d\n" % (i, 12882 + i) for i in range(300))
    open_file(p, path)
    text = box_text(p, "the warning")
    for part in ("sine.txt", "прочитан, но, вероятно, неверно", "десятичной запятой", "PointDecimalSeparator=0",
                 "Delimiters=9;32;59", "korvalin.ini"):
        assert part in text, "%r not in the message %r" % (part, text)
    p.key("Return")
    wait_for("the box to close", lambda: not p.others())


POINT_SETTINGS = "PointDecimalSeparator=1\nDelimiters=9;32;59;44\n"


def case_comma_file_under_point_settings_is_explained(p):
    comma_file_under_point_settings(p)


def case_comma_file_under_point_settings_is_explained_managed(p):
    comma_file_under_point_settings(p)


CASE_INI["comma_file_under_point_settings_is_explained"] = POINT_SETTINGS
CASE_INI["comma_file_under_point_settings_is_explained_managed"] = POINT_SETTINGS
WINDOW_MANAGED.add("comma_file_under_point_settings_is_explained_managed")


def tab_through_radio_group(p):
    # Операции > Нормировка... (item 28: after 8 arithmetic, 5 + 5 searches, 6 formulas, 4 lines):
    # Tab and Shift+Tab round the dialog several times, then OK. The axis stays "По оси Y", the one
    # checked when it opened.
    p.paste_graph()
    menu_command(p, 4, 28)
    dialog = wait_for("the normalisation dialog", lambda: next(iter(p.others()), None))
    time.sleep(0.4)
    keys_to(dialog, *["Tab"] * 7)
    p.key(*["shift+Tab"] * 9)
    x, y, w, h = geometry(dialog)
    run("xdotool", "mousemove", str(x + w - 131), str(y + h - 22), "click", "1")  # OK
    wait_for("the dialog to close", lambda: dialog not in visible_windows())
    settings = wait_for("the dialog's settings", lambda: "NormXY" in p.settings() and p.settings())
    assert "NormXY=rbY" in settings, settings


def case_tab_keeps_the_radio_choice(p):
    tab_through_radio_group(p)


def case_tab_keeps_the_radio_choice_managed(p):
    tab_through_radio_group(p)


WINDOW_MANAGED.add("tab_keeps_the_radio_choice_managed")


def messages_say_what_they_found(p):
    # An empty file and a binary file each say what they are, naming the file.
    empty = os.path.join(p.dir, "empty.txt")
    open(empty, "w").close()
    binary = os.path.join(p.dir, "data.bin")
    with open(binary, "wb") as f:
        f.write(bytes((i * 7919) & 0xFF for i in range(5000)))
    for path, said in ((empty, "файл пуст (0 байт)"), (binary, "двоичные данные")):
        open_file(p, path)
        text = box_text(p, "the error box")
        assert path in text and said in text, text
        p.key("Return")
        wait_for("the box to close", lambda: not p.others())
    # A settings path that is a folder is said at start.
    keys_to(p.main, "alt+F4")
    wait_for("the program to end", lambda: not p.running())
    os.remove(p.ini)
    os.mkdir(p.ini)
    p.proc = subprocess.Popen([p.exe], cwd=p.dir, stdout=p.out, stderr=subprocess.STDOUT)
    p.main = None  # X may give the box the old window's id
    text = box_text(p, "the box at start")
    assert "Не удалось прочитать файл настроек" in text and "это папка, а не файл" in text and p.ini in text, text
    p.key("Return")
    p.main = wait_for("the main window", lambda: next(iter(visible_windows()), None))


def case_messages_say_what_they_found(p):
    messages_say_what_they_found(p)


def case_messages_say_what_they_found_managed(p):
    messages_say_what_they_found(p)


WINDOW_MANAGED.add("messages_say_what_they_found_managed")

# A settings file an editor saved in UTF-16, with its byte-order mark or without one: the program
# reads its settings (ConfirmClose=0: no close question), and at exit, a file opened meanwhile, it
# writes the file back in UTF-16 with its comment, its Cyrillic value and the recent file. UTF-16
# that does not read as text is said at start and left byte for byte as it was.

UTF16_SETTINGS = ("; Настройки Korvalin\r\n[PREFERENCES]\r\nConfirmClose=0\r\nConfirmDelete=1\r\n"
                  "[NOTES]\r\nText=Привет, мир\r\n")


def restart_on_settings(p, data):
    """Ends the program without its exit's save and starts it again on a settings file of data."""
    p.proc.kill()
    p.proc.wait()
    with open(p.ini, "wb") as f:
        f.write(data)


def start_after_a_box(p):
    """Starts the program, whose first window is a message box: the box and its copied text."""
    p.proc = subprocess.Popen([p.exe], cwd=p.dir, stdout=p.out, stderr=subprocess.STDOUT)
    p.main = None  # X may give the box the old window's id
    box = wait_for("the box at start", lambda: next(iter(p.others()), None), timeout=30)
    time.sleep(0.5)
    set_clipboard("")
    keys_to(box, "ctrl+c")  # a message box copies its text
    return box, wait_for("the box's text", lambda: run("xclip", "-selection", "clipboard", "-o").strip())


def keep_screen(what):
    """With KV_DESKTOP_KEEP set, the screen's picture is kept there, named after the case and what."""
    folder = os.environ.get("KV_DESKTOP_KEEP")
    if folder:
        ImageGrab.grab().save(os.path.join(folder, "%s-%s.png" % (sys.argv[2], what)))


def utf16_settings_are_read_and_kept(p, encoding, mark):
    restart_on_settings(p, mark + UTF16_SETTINGS.encode(encoding))
    p._start()
    time.sleep(0.5)
    assert not p.others(), "a message at start"
    graph = os.path.join(p.dir, "graph.txt")
    with open(graph, "w") as f:
        f.write("0 1\n1 4\n2 9\n")
    open_file(p, graph)
    time.sleep(0.5)
    assert not p.others(), "a message instead of the graph"
    keep_screen("graph-open")
    p.key("alt+F4")
    ended = wait_for_or_none(lambda: not p.running(), 10)
    if not ended:
        keep_screen("close-question")
    assert ended, "the program asked before closing: ConfirmClose=0 was not read"
    with open(p.ini, "rb") as f:
        written = f.read()
    assert written.startswith(mark) and len(written) % 2 == 0, written[:40]
    text = written[len(mark):].decode(encoding)
    for line in ("; Настройки Korvalin", "[PREFERENCES]", "ConfirmClose=0", "[NOTES]", "Text=Привет, мир",
                 "RecentFiles0=" + graph):
        assert "\r\n" + line + "\r\n" in "\r\n" + text, "%r not in %r" % (line, text)
    assert "\0" not in text, text


def case_utf16_settings_with_a_mark_are_read_and_kept(p):
    utf16_settings_are_read_and_kept(p, "utf-16-le", b"\xff\xfe")


def case_utf16_settings_with_a_mark_are_read_and_kept_managed(p):
    utf16_settings_are_read_and_kept(p, "utf-16-le", b"\xff\xfe")


def case_utf16_settings_without_a_mark_are_read_and_kept(p):
    utf16_settings_are_read_and_kept(p, "utf-16-le", b"")


def case_utf16_settings_without_a_mark_are_read_and_kept_managed(p):
    utf16_settings_are_read_and_kept(p, "utf-16-le", b"")


WINDOW_MANAGED.add("utf16_settings_with_a_mark_are_read_and_kept_managed")
WINDOW_MANAGED.add("utf16_settings_without_a_mark_are_read_and_kept_managed")


def damaged_utf16_settings_are_said_and_left(p):
    # Cut short by one byte, the file is no UTF-16 text: said at start, in Russian, with its name,
    # and left as it is at exit.
    damaged = b"\xff\xfe" + UTF16_SETTINGS.encode("utf-16-le") + b"\n"
    restart_on_settings(p, damaged)
    box, text = start_after_a_box(p)
    keep_screen("box-at-start")
    for part in ("Не удалось прочитать файл настроек", p.ini, "текст файла в кодировке UTF-16 повреждён"):
        assert part in text, "%r not in the message %r" % (part, text)
    keys_to(box, "Return")
    wait_for("the box to close", lambda: box not in visible_windows())
    p.main = wait_for("the main window", p._main_window)
    keys_to(p.main, "alt+F4")
    # The defaults ask before closing only with graphs: none here.
    wait_for("the program to end", lambda: not p.running())
    with open(p.ini, "rb") as f:
        assert f.read() == damaged, "the damaged file was written over"


def case_damaged_utf16_settings_are_said_and_left(p):
    damaged_utf16_settings_are_said_and_left(p)


def case_damaged_utf16_settings_are_said_and_left_managed(p):
    damaged_utf16_settings_are_said_and_left(p)


WINDOW_MANAGED.add("damaged_utf16_settings_are_said_and_left_managed")

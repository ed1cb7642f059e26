# Files the program writes, kept whatever happens beside it: a save that reaches the file size
# limit is said like a full disk, settings edited while the program runs survive its exit, and two
# copies of the program on one settings file both keep their recent files.
import resource


def save_graph_as_text(p, path, until_closed=True):
    """Файл > Сохранить как... with a text name over an existing file, replacing it ("Да"); with
    until_closed False back as soon as "Да" is pressed, while the save may still be under way."""
    keys_to(p.main, "F10", "Down", "Down", "Return")
    dialog = wait_for("the file dialog", lambda: next(iter(p.others()), None), timeout=15)
    time.sleep(0.5)
    keys_to(dialog, Typed(path, delay=20), "Return")
    question = wait_for("the replace question", lambda: next(iter(w for w in p.others() if w != dialog), None),
                        timeout=8)
    time.sleep(0.3)
    if not until_closed:
        # Straight back after the key, without the moment send_keys gives the program: on a busy
        # machine a large save may be done within it.
        keys_to(question)
        run("xdotool", "key", "Return")  # Да, the default
        return
    keys_to(question, "Return")  # Да, the default
    wait_for("the file dialog to close", lambda: dialog not in visible_windows(), timeout=15)


def limit_file_size():
    # ulimit -f 64: no file of the program may grow past 64 KiB.
    resource.setrlimit(resource.RLIMIT_FSIZE, (64 << 10, 64 << 10))


def save_past_the_file_size_limit(p):
    # Under a file size limit, a 200,000-point graph saved as text over an older file: the save
    # fails as on a full disk, said in Russian with the file's name; the old file stays, no part
    # file is left, and the program goes on with its graph.
    big = os.path.join(p.dir, "big.txt")
    with open(big, "w") as f:
        f.writelines("%d\t%d\n" % (i, i % 97) for i in range(200000))
    path = os.path.join(p.dir, "graph.txt")
    with open(path, "w") as f:
        f.write("1\t2\n3\t4\n")
    p.proc.kill()
    p.proc.wait()
    p.preexec = limit_file_size
    p._start()
    open_file(p, big)
    time.sleep(1)
    assert not p.others(), "the graph opened without a message"
    save_graph_as_text(p, path)
    wait_for("a message or the program's end", lambda: p.others() or not p.running(), timeout=15)
    assert p.running(), "the program ended (%s)" % p.proc.returncode
    box, text = message_box_text(p, "the error box")
    keep_box_picture(box, "save-past-the-file-size-limit.png")
    assert text.startswith('Не удается записать файл "%s": ' % path), text
    assert "файл слишком велик" in text, text
    close_box(p, box)
    with open(path) as f:
        assert f.read() == "1\t2\n3\t4\n", "the old file changed"
    assert sorted(os.listdir(p.dir)) == ["big.txt", "graph.txt", "korvalin", "korvalin.ini", "out.txt"], \
        os.listdir(p.dir)
    # The graph is still there: it copies as text.
    copied = copy_current_graph_text(p, "the graph's text")
    assert "199999\t" in copied.replace("\r", ""), copied[-200:]


def case_save_past_the_file_size_limit_is_said(p):
    save_past_the_file_size_limit(p)


def case_save_past_the_file_size_limit_is_said_managed(p):
    save_past_the_file_size_limit(p)


WINDOW_MANAGED.add("save_past_the_file_size_limit_is_said_managed")


def set_in_settings(path, section, line):
    """Adds line at the top of section in the settings file, as a user does in an editor."""
    with open(path, encoding="utf-8") as f:
        text = f.read()
    head = "[%s]\n" % section
    assert head in text, text
    with open(path, "w", encoding="utf-8") as f:
        f.write(text.replace(head, head + line + "\n", 1))


def settings_edited_while_running(p):
    # A file of decimal points gives no graph; the message names the settings file by its full
    # path and the key to set. Set there while the program runs, the key outlives the program's
    # exit, and the file opens at the next start.
    points = os.path.join(p.dir, "points.txt")
    with open(points, "w") as f:
        f.writelines("0.%02d\t-0.08\n" % (i % 100) for i in range(500))
    open_file(p, points)
    box, text = message_box_text(p, "the error box")
    assert "PointDecimalSeparator=1" in text and '"%s"' % p.ini in text, text
    close_box(p, box)
    set_in_settings(p.ini, "PREFERENCES", "PointDecimalSeparator=1")
    keys_to(p.main, "alt+F4")
    wait_for("the program to end", lambda: not p.running())
    settings = p.settings()
    assert "PointDecimalSeparator=1" in settings, settings
    assert "OpenDir=%s" % p.dir in settings, "the program wrote what it changed: %s" % settings
    p._start()
    open_file(p, points)
    time.sleep(1)
    assert not p.others(), "a message instead of the graph"
    copied = copy_current_graph_text(p, "the graph's text")
    assert "0.99\t-0.08" in copied.replace("\r", ""), copied[:200]


def case_settings_edited_while_running_are_kept(p):
    settings_edited_while_running(p)


def case_settings_edited_while_running_are_kept_managed(p):
    settings_edited_while_running(p)


WINDOW_MANAGED.add("settings_edited_while_running_are_kept_managed")


class OtherCopy(Program):
    """A second copy of the program in the first one's folder, on its settings file."""

    def __init__(self, first):
        self.dir, self.exe, self.ini = first.dir, first.exe, first.ini
        self.out = open(os.path.join(self.dir, "out-other.txt"), "w")
        self.before = set(visible_windows())
        self._start()

    def _main_window(self):
        if self.proc.poll() is not None:
            raise AssertionError("the other copy ended early: " + open(self.out.name).read())
        return next(iter(w for w in visible_windows() if w not in self.before), None)

    def others(self, named=True):
        return [w for w in Program.others(self, named) if w not in self.before]

    def close(self):
        if self.running():
            self.proc.kill()
            self.proc.wait()
        self.out.close()


def recent_files(p):
    lines = dict(line.split("=", 1) for line in p.settings().splitlines() if line.startswith("RecentFiles"))
    return [lines["RecentFiles%d" % i] for i in range(int(lines.get("RecentFilesCount", "0")))]


def exit_confirmed(p):
    """Файл > Выход (the menu's last item) with a graph: "Подтвердите закрытие", OK."""
    keys_to(p.main, "F10", "Down", "Up", "Return")
    box = wait_for("the confirmation", lambda: next(iter(p.others()), None), timeout=8)
    keys_to(box, "Return")


def two_copies_keep_their_recent_files(p):
    # Two copies on one settings file, each opening a file of its own: the one closed last does
    # not take the other's recent file away.
    names = []
    for name in ("first.txt", "second.txt"):
        names.append(os.path.join(p.dir, name))
        with open(names[-1], "w") as f:
            f.write(GRAPH_TEXT)
    open_file(p, names[0])
    other = OtherCopy(p)
    try:
        open_file(other, names[1])
        exit_confirmed(other)
        wait_for("the other copy to end", lambda: not other.running())
    finally:
        other.close()
    assert recent_files(p)[:1] == [names[1]], recent_files(p)
    p.take_keyboard()
    exit_confirmed(p)
    wait_for("the program to end", lambda: not p.running())
    assert recent_files(p)[:2] == [names[0], names[1]], recent_files(p)


def case_two_copies_keep_their_recent_files(p):
    two_copies_keep_their_recent_files(p)


def case_two_copies_keep_their_recent_files_managed(p):
    two_copies_keep_their_recent_files(p)


WINDOW_MANAGED.add("two_copies_keep_their_recent_files_managed")


def killed_save_leaves_no_part_for_good(p):
    # The program killed while it saves a large graph as text leaves "<name>.part" beside the old
    # file; started again, its next save of that name removes that part and leaves nothing else.
    big = os.path.join(p.dir, "big.txt")
    with open(big, "w") as f:
        f.writelines("%d\t%d\n" % (i, i % 89) for i in range(3000000))
    path = os.path.join(p.dir, "graph.txt")
    with open(path, "w") as f:
        f.write("1\t2\n3\t4\n")
    open_file(p, big)
    save_graph_as_text(p, path, until_closed=False)
    under_way = wait_for_or_none(lambda: os.path.exists(path + ".part"), timeout=20)
    assert under_way, "no save under way (%s)\n%s" % (
        "it was done first" if os.path.getsize(path) > 100 else "none began", screen_state())
    p.proc.kill()
    p.proc.wait()
    assert os.path.exists(path + ".part"), "the save finished before the kill"
    with open(path) as f:
        assert f.read() == "1\t2\n3\t4\n", "the old file changed"
    p._start()
    p.paste_graph()
    save_graph_as_text(p, path)
    wait_for("the new file", lambda: open(path).read().replace("\r", "").startswith("1\t2\n2\t4"), timeout=10)
    assert sorted(os.listdir(p.dir)) == ["big.txt", "graph.txt", "korvalin", "korvalin.ini", "out.txt"], \
        os.listdir(p.dir)


def case_killed_save_leaves_no_part_for_good(p):
    killed_save_leaves_no_part_for_good(p)


def case_killed_save_leaves_no_part_for_good_managed(p):
    killed_save_leaves_no_part_for_good(p)


WINDOW_MANAGED.add("killed_save_leaves_no_part_for_good_managed")

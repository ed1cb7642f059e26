# Settings kept when a session ends: two copies of the program on one settings file closed by one
# close request each, sent at once (a window manager's close-all, a logout), and the program
# ended by the signals of a session's end, with or without a box of its own open.
import fcntl
import signal


def close_requests_at_once(windows, managed):
    """One close request for each window, all sent in one go: through the window manager when one
    runs (as its close-all asks), else the window's own delete message (as a session's end sends)."""
    from Xlib import X, protocol

    def send(d):
        root = d.screen().root
        protocols, delete = d.intern_atom("WM_PROTOCOLS"), d.intern_atom("WM_DELETE_WINDOW")
        close = d.intern_atom("_NET_CLOSE_WINDOW")
        for win in windows:
            w = d.create_resource_object("window", win)
            if managed:
                event = protocol.event.ClientMessage(window=w, client_type=close, data=(32, [0, 2, 0, 0, 0]))
                root.send_event(event, event_mask=X.SubstructureRedirectMask | X.SubstructureNotifyMask)
            else:
                event = protocol.event.ClientMessage(window=w, client_type=protocols,
                                                     data=(32, [delete, X.CurrentTime, 0, 0, 0]))
                w.send_event(event)

    send_client_messages(send)


def switch_theme(p, theme):
    """Вид, "Тема оформления" (its tenth item), the theme named."""
    keys_to(p.main, "F10", "Right", "Right", "Right", "Down", *["Down"] * 9, "Right")
    p.key(*["Down"] * THEMES_IN_MENU.index(theme), "Return")
    wait_for("the menus to close", lambda: not p.others(named=False))


# How long the program waits for the settings file's lock at exit, and how long another program
# holds it at most in the held case: past twice the wait.
SETTINGS_LOCK_WAIT = 10.0
HELD_BY_ANOTHER_PROGRAM = 30.0


def two_copies_closed_together(p, managed, held=False):
    # Closed without the question, as a session's end closes them: this copy switches the theme and
    # opens a file, the other opens another; both keep what they changed. When another program
    # holds the settings file locked past the program's wait, each copy waits for it once and
    # writes in its turn: both end within one and a half waits, and neither loses the other's file.
    p.proc.kill()
    p.proc.wait()
    set_in_settings(p.ini, "PREFERENCES", "ConfirmClose=0")
    # A settings file of some size (a few megabytes of another program's section): each copy's
    # read, merge and write takes long enough for the two to overlap every time.
    with open(p.ini, "a", encoding="utf-8") as f:
        f.write("[KEPT]\n" + "".join("Line%d=%s\n" % (i, "x" * 40) for i in range(60000)))
    p._start()
    mine, theirs = os.path.join(p.dir, "mine.txt"), os.path.join(p.dir, "theirs.txt")
    for name in (mine, theirs):
        with open(name, "w") as f:
            f.write(GRAPH_TEXT)
    switch_theme(p, "DefaultXP")
    open_file(p, mine)
    other = OtherCopy(p)
    holder = None
    try:
        open_file(other, theirs)
        if held:
            # This test is the other program: it keeps the lock until both copies have ended.
            holder = open(p.ini, "rb")
            fcntl.flock(holder, fcntl.LOCK_EX)
        closed = time.monotonic()
        close_requests_at_once([p.main, other.main], managed)
        wait_for("both copies to end", lambda: not p.running() and not other.running(),
                 timeout=HELD_BY_ANOTHER_PROGRAM if held else 30)
        took = time.monotonic() - closed
    finally:
        other.close()
        if holder:
            holder.close()
    if held:
        assert SETTINGS_LOCK_WAIT - 1 < took < 1.5 * SETTINGS_LOCK_WAIT, "both ended after %.1f s" % took
    settings = p.settings()
    assert "Theme=DefaultXP" in settings, "the first copy's theme is lost: " + settings[:2000]
    assert sorted(recent_files(p)[:2]) == sorted([mine, theirs]), recent_files(p)


def case_two_copies_closed_together_keep_their_settings(p):
    two_copies_closed_together(p, False)


def case_two_copies_closed_together_keep_their_settings_managed(p):
    two_copies_closed_together(p, True)


def case_two_copies_closed_while_another_program_holds_the_settings(p):
    two_copies_closed_together(p, False, held=True)


def case_two_copies_closed_while_another_program_holds_the_settings_managed(p):
    two_copies_closed_together(p, True, held=True)


WINDOW_MANAGED.add("two_copies_closed_while_another_program_holds_the_settings_managed")
WINDOW_MANAGED.add("two_copies_closed_together_keep_their_settings_managed")


def default_end_signals():
    # The program as a session starts it: none of these signals ignored.
    for number in (signal.SIGTERM, signal.SIGHUP, signal.SIGINT):
        signal.signal(number, signal.SIG_DFL)


# The signal, and what the program shows when it comes: nothing, the close question (a graph is
# open and ConfirmClose is on), the file dialog.
END_SIGNALS = [
    (signal.SIGTERM, None),
    (signal.SIGHUP, "the close question"),
    (signal.SIGINT, "the file dialog"),
]


def started_on_a_graph_of_its_own_folder(p, name):
    """The program started again with a graph opened from a new folder of that name, which the
    dialogs then open in: the folder and the graph's path."""
    folder = os.path.join(p.dir, name)
    os.mkdir(folder)
    path = os.path.join(folder, "graph.txt")
    with open(path, "w") as f:
        f.write(GRAPH_TEXT)
    p._start()
    open_file(p, path)
    return folder, path


def session_end_keeps_the_settings(p):
    # Each signal ends the program as Alt+X does, without a question and with exit code 0; the file
    # it opened is on top of the recent files and the folder it opened from is kept.
    p.proc.kill()
    p.proc.wait()
    p.preexec = default_end_signals
    for number, showing in END_SIGNALS:
        folder, path = started_on_a_graph_of_its_own_folder(p, signal.Signals(number).name)
        if showing == "the close question":
            p.key("alt+F4")
            wait_for(showing, lambda: p.others(), timeout=8)
        elif showing == "the file dialog":
            p.key("ctrl+o")
            wait_for(showing, lambda: p.others(), timeout=15)
        p.proc.send_signal(number)
        code = wait_for_or_none(lambda: p.proc.poll() is not None, 15)
        assert code, "%s with %s: the program did not end" % (number, showing)
        assert p.proc.returncode == 0, "%s with %s: ended by %s" % (number, showing, p.proc.returncode)
        assert recent_files(p)[:1] == [path], "%s with %s: %r" % (number, showing, recent_files(p))
        assert "OpenDir=%s" % folder in p.settings(), "%s with %s: %s" % (number, showing, p.settings())


def case_session_end_keeps_the_settings(p):
    session_end_keeps_the_settings(p)


def case_session_end_keeps_the_settings_managed(p):
    session_end_keeps_the_settings(p)


WINDOW_MANAGED.add("session_end_keeps_the_settings_managed")

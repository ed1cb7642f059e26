# Close requests that come soon after a dialog closed, with the program sharing two busy cores
# with other work: each one ends the program, as Alt+X does, whatever dialog came just before.
#
# The close requests themselves are first shown to reach a window every time, sent as the cases send
# them, so that a request lost on its way is never taken for one the program ignored.
#
# KV_CLOSE_ROUNDS in the environment sets the rounds of each kind (one by default, so that the case
# stays within its time on a two-core machine that builds beside the suite; many by hand when
# hunting a rare loss).


# The first two of the cores this test may use: where the test run is kept to two cores, the
# program and the busy loops share those with it.
TWO_CORES = set(sorted(os.sched_getaffinity(0))[:2])


def on_two_cores():
    os.sched_setaffinity(0, TWO_CORES)


def busy_cores():
    """Two endless loops on the cores the program is kept to: the caller ends them."""
    return [subprocess.Popen(["sh", "-c", "while :; do :; done"], preexec_fn=on_two_cores) for _ in range(2)]


def closed_with_escape(what, *keys):
    """Opens a dialog with the keys and closes it with Esc; back once the program has the keyboard."""
    def run_dialog(p, path):
        keys_to(p.main, *keys)
        dialog = wait_for(what, lambda: next(iter(p.others()), None), timeout=15)
        time.sleep(0.5)
        keys_to(dialog, "Escape")
        wait_for(what + " to close", lambda: dialog not in visible_windows(), timeout=15)
        wait_for_keyboard("the keyboard back with the program", lambda: [p.main] + p.others())
    return run_dialog


# What comes just before the close request, and how it is named in a failure.
DIALOGS_BEFORE_CLOSING = [
    ("the file dialog", open_file),
    # Вид, "Формат заголовка..."
    ("the title dialog closed with Esc",
     closed_with_escape("the title dialog", "F10", "Right", "Right", "Right", "Down", "Down", "Down", "Return")),
    ("a cancelled file dialog", closed_with_escape("the file dialog", "ctrl+o")),
]


def close_requests_after_dialogs(p, managed):
    p.proc.kill()
    p.proc.wait()
    # Closed without the question: the close request alone has to end the program.
    set_in_settings(p.ini, "PREFERENCES", "ConfirmClose=0")
    p.preexec = on_two_cores
    path = os.path.join(p.dir, "graph.txt")
    with open(path, "w") as f:
        f.write(GRAPH_TEXT)
    rounds = int(os.environ.get("KV_CLOSE_ROUNDS", "1"))
    lost = []
    busy = busy_cores()
    try:
        for what, before in DIALOGS_BEFORE_CLOSING:
            for attempt in range(rounds):
                p._start()
                before(p, path)
                time.sleep(0.5)
                close_requests_at_once([p.main], managed)
                if wait_for_or_none(lambda: not p.running(), 10) is None:
                    lost.append("%s, round %d" % (what, attempt + 1))
                    p.proc.kill()
                    p.proc.wait()
                elif p.proc.returncode != 0:
                    lost.append("%s, round %d: ended by %s" % (what, attempt + 1, p.proc.returncode))
    finally:
        for loop in busy:
            loop.kill()
            loop.wait()
    total = rounds * len(DIALOGS_BEFORE_CLOSING)
    assert not lost, "%d of %d close requests ignored: %s" % (len(lost), total, "; ".join(lost))


def case_close_requests_after_dialogs_are_honoured(p):
    close_requests_after_dialogs(p, False)


def case_close_requests_after_dialogs_are_honoured_managed(p):
    close_requests_after_dialogs(p, True)


WINDOW_MANAGED.add("close_requests_after_dialogs_are_honoured_managed")


# A window of a small client of its own that counts the delete messages it gets, in a file.
COUNTING_WINDOW = r"""
import sys
from Xlib import X, display
d = display.Display()
root = d.screen().root
w = root.create_window(40, 40, 160, 120, 0, d.screen().root_depth, event_mask=X.ExposureMask)
delete = d.intern_atom("WM_DELETE_WINDOW")
w.change_property(d.intern_atom("WM_PROTOCOLS"), d.intern_atom("ATOM"), 32, [delete])
w.set_wm_name("counting window")
w.map()
d.sync()
print(w.id, flush=True)
count = 0
while True:
    e = d.next_event()
    if e.type == X.ClientMessage and e.data[1][0] == delete:
        count += 1
        with open(sys.argv[1], "w") as f:
            f.write(str(count))
"""

CLOSE_REQUESTS_COUNTED = 150


def close_requests_reach_their_window(p, managed):
    counted = os.path.join(p.dir, "counted")
    busy = busy_cores()
    window = subprocess.Popen([sys.executable, "-c", COUNTING_WINDOW, counted], stdout=subprocess.PIPE, text=True,
                              preexec_fn=on_two_cores)
    try:
        win = int(window.stdout.readline())
        time.sleep(0.5)  # mapped, and managed where a window manager runs
        for _ in range(CLOSE_REQUESTS_COUNTED):
            close_requests_at_once([win], managed)
            time.sleep(0.02)

        def count():
            try:
                with open(counted) as f:
                    return int(f.read() or 0)
            except (OSError, ValueError):
                return 0

        wait_for_or_none(lambda: count() >= CLOSE_REQUESTS_COUNTED, 10)
        assert count() == CLOSE_REQUESTS_COUNTED, "%d of %d close requests reached the window" % (
            count(), CLOSE_REQUESTS_COUNTED)
    finally:
        window.kill()
        window.wait()
        for loop in busy:
            loop.kill()
            loop.wait()


def case_close_requests_reach_their_window(p):
    close_requests_reach_their_window(p, False)


def case_close_requests_reach_their_window_managed(p):
    close_requests_reach_their_window(p, True)


WINDOW_MANAGED.add("close_requests_reach_their_window_managed")

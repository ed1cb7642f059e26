#!/usr/bin/python3
"""Drives the built program on a real X display (run under xvfb-run) as a user would, with
xdotool and xclip, and checks what shows on the screen and what is left in files.

    korvalin_desktop.py PROGRAM CASE

Each case starts the program in a folder of its own and takes a few seconds.
"""
import faulthandler
import glob
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time

from PIL import Image, ImageGrab

GRAPH_TEXT = "1 2\n2 4\n3 9\n"


def run(*args, **kw):
    return subprocess.run(args, check=True, capture_output=True, text=True, **kw).stdout


def wait_for_or_none(condition, timeout):
    """What condition gives once it gives something within timeout seconds; None otherwise."""
    end = time.time() + timeout
    while True:
        value = condition()
        if value:
            return value
        if time.time() >= end:
            return None
        time.sleep(0.05)


def wait_for(what, condition, timeout=10.0):
    """What condition gives once it gives something; when it gives nothing within timeout seconds,
    an AssertionError that names what was waited for and says what the screen held then."""
    value = wait_for_or_none(condition, timeout)
    if value:
        return value
    raise AssertionError("timed out waiting for %s (%g s)\n%s" % (what, timeout, screen_state()))


def window_names(d, w):
    """A window's title and class (each None where it has none)."""
    name = w.get_full_property(d.intern_atom("_NET_WM_NAME"), d.intern_atom("UTF8_STRING"))
    title = name.value.decode("utf-8", "replace") if name else w.get_wm_name()
    wm_class = w.get_wm_class()
    return title or None, ".".join(wm_class) if wm_class else None


def window_label(d, w):
    """A window as a report names it: its id, title and class."""
    title, wm_class = window_names(d, w)
    return "0x%x%s%s" % (w.id, " %r" % title if title else "", " class %s" % wm_class if wm_class else "")


def client_in(d, w):
    """The program's window a top-level window stands for: itself, or the one a window manager's
    frame holds (the window with WM_STATE inside it)."""
    wm_state = d.intern_atom("WM_STATE")
    level = w.query_tree().children
    for _ in range(2):
        for each in level:
            if each.get_full_property(wm_state, 0):
                return each
        level = [c for each in level for c in each.query_tree().children]
    return w


def screen_state():
    """What the screen holds, for the report of a wait that timed out: the window with the keyboard
    (the focused X window, and the top-level window it lies in), then the top-level windows,
    topmost first, each with its title, class, size, place and map state (a window manager's
    frame named with the window it holds). Unmapped windows without a title are only counted."""
    from Xlib import X, display
    try:
        d = display.Display()
    except Exception as e:  # the report of a failure must not fail itself
        return "the screen could not be read: %s" % e
    lines = []
    try:
        root = d.screen().root
        focus = d.get_input_focus().focus
        if isinstance(focus, int):
            lines.append("the keyboard: " + {X.NONE: "on no window", X.PointerRoot: "with the window under the pointer"}
                         .get(focus, "0x%x" % focus))
        else:
            lines.append("the keyboard: " + window_label(d, focus))
            top = focus
            while top.query_tree().parent.id != root.id:
                top = top.query_tree().parent
            if top.id != focus.id:
                lines.append("  inside the top-level window " + window_label(d, top))
        lines.append("the top-level windows, topmost first:")
        states = {X.IsUnmapped: "unmapped", X.IsUnviewable: "unviewable", X.IsViewable: "mapped"}
        untitled = 0
        for w in reversed(root.query_tree().children):
            try:
                attrs, g = w.get_attributes(), w.get_geometry()
                client = client_in(d, w)
                if attrs.map_state == X.IsUnmapped and window_names(d, client)[0] is None:
                    untitled += 1
                    continue
                shown = window_label(d, w) if client.id == w.id else "0x%x, the frame of %s" % (
                    w.id, window_label(d, client))
                lines.append("  %s: %dx%d+%d+%d %s%s" % (
                    shown, g.width, g.height, g.x, g.y, states.get(attrs.map_state, attrs.map_state),
                    ", override-redirect (a menu, list, hint or floating bar)" if attrs.override_redirect else ""))
            except Exception:  # the window went while it was read
                continue
        lines.append("  and %d unmapped windows without a title" % untitled)
    except Exception as e:
        lines.append("the screen could not be read whole: %s" % e)
    finally:
        d.close()
    return "\n".join(lines)


def send_client_messages(send):
    """Opens a connection to the display, lets send(d) queue its client messages (to a window, or to
    the window manager through the root), and closes the connection only after a round trip, when
    the server has handled every request on it. A connection closed straight after its last request
    can have that request dropped unhandled while the server is slow to read it (seen about once in
    thirty on a machine busy with other work): the message then reaches no one, and a close request
    looks ignored by the program."""
    from Xlib import display
    d = display.Display()
    try:
        send(d)
        d.sync()
    finally:
        d.close()


def visible_windows(named=True):
    """Mapped windows with a title (or, with named False, also those without: menus)."""
    try:
        ids = run("xdotool", "search", "--onlyvisible", "--name" if named else "--class", ".").split()
    except subprocess.CalledProcessError:
        return []
    return [int(i) for i in ids]


def framed(windows):
    """Those of windows that a window manager may frame: not the program's menus, lists, hints and
    floating toolbars, which place themselves (override-redirect), title or no title."""
    from Xlib import display, error
    d = display.Display()
    try:
        kept = []
        for win in windows:
            try:
                if not d.create_resource_object("window", win).get_attributes().override_redirect:
                    kept.append(win)
            except error.XError:  # gone since it was listed
                pass
        return kept
    finally:
        d.close()


def geometry(win):
    values = dict(line.split("=") for line in run("xdotool", "getwindowgeometry", "--shell", str(win)).split())
    return int(values["X"]), int(values["Y"]), int(values["WIDTH"]), int(values["HEIGHT"])


def settled_geometry(win):
    """The window's place once two readings 0.2 s apart agree."""
    def same():
        first = geometry(win)
        time.sleep(0.2)
        return first if geometry(win) == first else None
    return wait_for("the window to settle", same)


def set_clipboard(text):
    subprocess.run(["xclip", "-selection", "clipboard", "-i"], input=text, text=True, check=True)
    # The text is served by a process xclip leaves behind; back only once the clipboard gives it,
    # so that the program's own copy that a case waits for next is never replaced by it late.
    wait_for("the clipboard to hold the text set", lambda: clipboard_holds(text), timeout=5)


def clipboard_holds(text):
    read = subprocess.run(["xclip", "-selection", "clipboard", "-o"], capture_output=True, text=True)
    return read.returncode == 0 and read.stdout == text


def stacks_of(pid, name):
    """The threads' stacks of a running process, through gdb; where gdb cannot attach, the kernel
    function each thread waits in."""
    try:
        gdb = subprocess.run(["gdb", "-p", str(pid), "-batch", "-nx", "-ex", "set pagination off",
                              "-ex", "thread apply all bt 40"], capture_output=True, text=True, timeout=20)
        threads = [line for line in gdb.stdout.splitlines() if line.startswith(("Thread ", "#"))]
        if threads:
            return "\n".join(threads)
        reason = (gdb.stderr.strip().splitlines() or ["no stack"])[-1]
    except (OSError, subprocess.TimeoutExpired) as e:
        reason = str(e)
    lines = ["%s (%d): gdb gave no stacks (%s); the kernel says:" % (name, pid, reason)]
    for task in sorted(glob.glob("/proc/%d/task/*" % pid)):
        try:
            with open(task + "/comm") as c, open(task + "/wchan") as w, open(task + "/stat") as st:
                lines.append("  thread %s %s: state %s, waits in %s" % (
                    os.path.basename(task), c.read().strip(), st.read().rsplit(")", 1)[1].split()[0], w.read() or "-"))
        except OSError:
            pass
    return "\n".join(lines)


def describe_stuck_start(p):
    """Says where a start that never showed its main window stood: the program's output, the
    stacks of the program and of the window manager, the map state and properties of the program's
    own windows, and, under a window manager, whether waking it brought the main window (the
    timed-out wait itself says what the screen held)."""
    print("--- the main window did not come; the program's output:")
    try:
        p.out.flush()
        print(open(p.out.name, errors="replace").read())
    except OSError as e:
        print(e)
    for name, proc in (("the program", p.proc), ("the window manager", WINDOW_MANAGER.get("process"))):
        if proc is None:
            continue
        if proc.poll() is not None:
            print("--- %s has ended (status %s)" % (name, proc.returncode))
            continue
        print("--- %s (%d):" % (name, proc.pid))
        print(stacks_of(proc.pid, name))
    describe_program_windows(p.proc.pid)
    if WINDOW_MANAGER.get("process") and WINDOW_MANAGER["process"].poll() is None:
        # A window manager that holds the map request unread shows the window once woken; one
        # that never got it (or a program that never asked) does not.
        from Xlib import display
        d = display.Display()
        try:
            wake_window_manager(d, 1)
        finally:
            d.close()
        came = wait_for_or_none(p._main_window, 3)
        print("--- the window manager woken by a change on the root: the main window %s" %
              ("came then" if came else "still did not come"))


def describe_program_windows(pid):
    """The map state, override-redirect and window manager properties of the program's windows."""
    try:
        ids = subprocess.run(["xdotool", "search", "--pid", str(pid)], capture_output=True, text=True,
                             timeout=10).stdout.split()
        for win in ids:
            info = subprocess.run(["xwininfo", "-id", win], capture_output=True, text=True, timeout=10).stdout
            props = subprocess.run(["xprop", "-id", win, "WM_NAME", "WM_STATE", "_NET_WM_STATE", "WM_HINTS",
                                    "_NET_WM_WINDOW_TYPE", "WM_TRANSIENT_FOR"],
                                   capture_output=True, text=True, timeout=10).stdout
            wanted = [line.strip() for line in info.splitlines()
                      if line.strip().startswith(("Map State", "Override Redirect", "-geometry"))]
            print("--- the program's window 0x%x: %s\n%s" % (int(win), "; ".join(wanted), props.rstrip()))
    except (OSError, subprocess.TimeoutExpired) as e:
        print(e)


class Typed(str):
    """Text for keys_to to type as it stands, one character after another (not key names):
    keys_to(dialog, Typed(path), "Return"). delay: the milliseconds between two characters."""

    def __new__(cls, text, delay=30):
        typed = super().__new__(cls, text)
        typed.delay = delay
        return typed


def send_keys(*keys):
    """Sends keys (xdotool key names, or Typed texts) to the window that has the keyboard now, then
    gives the program a moment to take them."""
    names = []
    for key in keys + (None,):
        if isinstance(key, Typed) or key is None:
            if names:
                run("xdotool", "key", "--delay", "60", *names)
                names = []
            if key is not None:
                run("xdotool", "type", "--delay", str(key.delay), "--", key)
        else:
            names.append(key)
    time.sleep(0.3)


def keyboard_in(d, windows):
    """Whether the keyboard focus is on one of windows (ids) or on a window inside one of them."""
    from Xlib import error
    focus = d.get_input_focus().focus
    if isinstance(focus, int):  # no window, or whichever window is under the pointer
        return False
    root, wanted = d.screen().root.id, set(windows)
    try:
        while focus.id != root:
            if focus.id in wanted:
                return True
            focus = focus.query_tree().parent
    except error.XError:  # the focused window went while its parents were read
        pass
    return False


def wait_for_keyboard(what, windows, timeout=10.0):
    """Waits until the keyboard focus is on one of the windows windows() names, or on a window
    inside one of them (a program may give the keyboard to a child of its window). Not on a window
    manager's frame round it: keys sent there reach the window only while the pointer is over it."""
    from Xlib import display
    d = display.Display()
    try:
        return wait_for(what, lambda: keyboard_in(d, windows()), timeout)
    finally:
        d.close()


def keys_to(window, *keys, timeout=10.0):
    """Sends keys to window once it has the keyboard. This is the way to send keys right after a
    window appears (a message box, a dialog, the file dialog) or right after one closes (to the
    window that takes the keyboard back): a window gets the keyboard a moment after it shows, from
    the window manager or, on a bare display, from the program, and on a busy machine keys sent
    before then go to the window that had it. Keys for a window that has had the keyboard all
    along can go through Program.key.

    window: an X window id (Program.main, or one that wait_for found). A menu, a dropped list or a
    floating bar never has the keyboard (the window it belongs to keeps it and passes the keys on):
    send its keys to that window, Program.main for the menu bar's menus, the dialog for a dialog's
    list.
    keys: xdotool key names ("Return", "ctrl+c", "alt+Down"), or Typed("text") for text typed as
    it stands; with none, this only waits. When the window has not got the keyboard within
    timeout seconds this fails, saying what the screen held.

        box = wait_for("the box", lambda: next(iter(p.others()), None))
        keys_to(box, "ctrl+c")
        keys_to(dialog, Typed(path), "Return")
    """
    if not framed([window]):
        raise ValueError("0x%x is gone, or a menu, list, hint or floating bar, which never has the keyboard: "
                         "send its keys to the window it belongs to" % window)
    wait_for_keyboard("0x%x to have the keyboard for %s" % (window, " ".join(map(repr, keys)) or "keys"),
                      lambda: [window], timeout)
    send_keys(*keys)


class Program:
    # Runs in the program's process before it starts (limits a case sets).
    preexec = None

    def __init__(self, binary, ini=None):
        self.dir = tempfile.mkdtemp(prefix="kv-desktop-")
        self.exe = os.path.join(self.dir, "korvalin")
        shutil.copy(binary, self.exe)
        self.ini = os.path.join(self.dir, "korvalin.ini")
        if ini:
            with open(self.ini, "w", encoding="utf-8") as f:
                f.write(ini)
        self.out = open(os.path.join(self.dir, "out.txt"), "w")
        self.proc = None
        try:
            self._start()
        except BaseException:
            self.close()  # the case's own clean-up does not run for a start that failed
            raise

    def _start(self):
        self.proc = subprocess.Popen([self.exe], cwd=self.dir, stdout=self.out, stderr=subprocess.STDOUT,
                                     preexec_fn=self.preexec)
        # Generous, as for the window manager: beside a build the start may take several seconds.
        try:
            self.main = wait_for("the main window", self._main_window, timeout=30)
        except AssertionError as e:
            if "timed out" in str(e):
                describe_stuck_start(self)
            raise
        time.sleep(0.3)
        self.take_keyboard()

    def take_keyboard(self):
        """The pointer over the chart and a click there give the main window the keyboard; back
        once it has it."""
        x, y, w, h = geometry(self.main)
        run("xdotool", "mousemove", str(x + w // 2), str(y + h // 2), "click", "1")
        wait_for_keyboard("the main window to have the keyboard after a click on it", lambda: [self.main])

    def _main_window(self):
        if self.proc.poll() is not None:
            raise AssertionError("the program ended early: " + open(self.out.name).read())
        # By its title: a floating toolbar is a window of its own too, which a window manager may
        # list first; and by the program, whose window may open over another copy's.
        try:
            ids = run("xdotool", "search", "--all", "--onlyvisible", "--pid", str(self.proc.pid),
                      "--name", "^Korvalin 4$").split()
        except subprocess.CalledProcessError:
            return None
        return int(ids[0]) if ids else None

    def others(self, named=True):
        """Visible windows other than the main one: message boxes and dialogs; with named False,
        also menus, lists, hints and floating toolbars."""
        shown = [w for w in visible_windows(named) if w != self.main]
        return framed(shown) if named else shown

    def key(self, *keys):
        """Sends keys to the window that has the keyboard now (see keys_to for a window that has
        just appeared, or has just been left by another)."""
        send_keys(*keys)

    def paste_graph(self, text=None):
        set_clipboard(text or GRAPH_TEXT)
        time.sleep(0.2)
        keys_to(self.main, "ctrl+v")

    def running(self):
        return self.proc.poll() is None

    def restart(self):
        """Ends the program through its window (Alt+F4, which writes the settings) and starts it
        again in the same folder."""
        keys_to(self.main, "alt+F4")
        wait_for("the program to end", lambda: not self.running())
        self._start()

    def settings(self):
        with open(self.ini, encoding="utf-8") as f:
            return f.read()

    def close(self):
        if self.proc and self.running():
            self.proc.kill()
            self.proc.wait()
        self.out.close()
        shutil.rmtree(self.dir, ignore_errors=True)


def stacking():
    """Top-level X windows, topmost first (as xwininfo lists the server's stacking)."""
    ids = []
    for line in run("xwininfo", "-root", "-children").splitlines():
        word = line.strip().split(" ", 1)[0]
        if word.startswith("0x"):
            ids.append(int(word, 16))
    return ids


def frame_of(win):
    """The top-level X window holding win: the window manager's frame around it, or win itself."""
    while True:
        tree = run("xwininfo", "-id", str(win), "-tree")
        root = int(tree.split("Root window id: ")[1].split()[0], 16)
        parent = int(tree.split("Parent window id: ")[1].split()[0], 16)
        if parent == root:
            return win
        win = parent


def shows_above(upper, lower):
    order = stacking()
    upper, lower = frame_of(upper), frame_of(lower)
    return upper in order and lower in order and order.index(upper) < order.index(lower)


FACE = (212, 208, 200)  # the classic face colour of menus and message boxes
SELECTED = (10, 36, 106)  # the classic selection colour
SHADOW = (128, 128, 128)  # the classic shadow colour, of disabled images and texts


def face_share(box):
    """The share of the face colour in a screen box: a menu or a box drawn there, not the chart."""
    x, y, w, h = box
    image = ImageGrab.grab(bbox=(x, y, x + w, y + h))
    pixels = list(image.getdata())
    return sum(1 for px in pixels if px[:3] == FACE) / max(1, len(pixels))


def copy_current_graph_text(p, what):
    """Ctrl+C on the current graph, the copy-as-text dialog taken as it opens; the text copied."""
    set_clipboard("")
    keys_to(p.main, "ctrl+c")
    dialog = wait_for("the copy-as-text dialog", lambda: next(iter(p.others()), None))
    keys_to(dialog, "Return")
    return wait_for(what, lambda: run("xclip", "-selection", "clipboard", "-o").strip())


def show_data_panel(p):
    # The menu bar from the keyboard: Вид (the fourth menu), its first item.
    keys_to(p.main, "F10", "Right", "Right", "Right", "Down", "Return")


def dark_pixels(image, box):
    x0, y0, x1, y1 = box
    dark = []
    for y in range(y0, y1):
        for x in range(x0, x1):
            r, g, b = image.getpixel((x, y))[:3]
            if r + g + b < 150:
                dark.append((x, y))
    return dark


def case_message_box_shows_its_text(p):
    # Closing with a graph asks for confirmation in a message box.
    p.paste_graph()
    p.key("alt+F4")
    box = wait_for("the confirmation box", lambda: next(iter(p.others()), None))
    time.sleep(0.4)
    x, y, w, h = geometry(box)
    assert 200 < w < 800, "box width %d does not fit its one-line text" % w

    # The text stands right of the icon (about 45 px in), above the buttons, below the caption.
    # A loaded machine may show the box a moment before its text is painted.
    def text_pixels():
        found = dark_pixels(ImageGrab.grab(), (x + 50, y + 25, x + w - 4, y + h - 45))
        return found if len(found) > 150 else None

    text = wait_for("the box's text", text_pixels, timeout=3.0)
    right = max(px for px, _ in text)
    assert x + w - right < 60, "the box is %d px wider than its text" % (x + w - right)
    keys_to(box, "Escape")
    wait_for("the box to close", lambda: not p.others())
    assert p.running(), "Cancel ended the program"


def case_alt_x_ends_the_program(p):
    p.key("alt+x")
    wait_for("the program to end", lambda: not p.running(), timeout=4)
    assert os.path.exists(p.ini), "no settings file written"


def case_shortcut_after_focus_came_back(p):
    # Alt goes down in our window and comes up in another program's (as with Alt+Tab).
    other = subprocess.Popen(["xmessage", "-geometry", "+1000+900", "other program"])
    try:
        xm = wait_for("the other window", lambda: next(iter(w for w in p.others()), None))
        run("xdotool", "keydown", "alt")
        run("xdotool", "windowfocus", "--sync", str(xm))
        run("xdotool", "keyup", "alt")
        time.sleep(0.2)
        x, y, w, h = geometry(p.main)
        run("xdotool", "windowfocus", "--sync", str(p.main), "mousemove", str(x + w // 2), str(y + h // 2),
            "click", "1")
        time.sleep(0.3)
        p.paste_graph()  # Ctrl+V, not Ctrl+Alt+V
    finally:
        other.kill()
        other.wait()
    time.sleep(0.3)
    # With a graph, closing asks first: the paste worked.
    p.key("alt+F4")
    wait_for("the confirmation box", lambda: p.others())
    assert p.running()


def case_delete_asks_first_and_undo_restores(p):
    p.paste_graph()
    p.key("Delete")
    box = wait_for("the delete confirmation", lambda: next(iter(p.others()), None))
    keys_to(box, "Tab", "space")  # No: the graph stays
    wait_for("the box to close", lambda: not p.others())
    keys_to(p.main, "Delete")
    box = wait_for("the delete confirmation", lambda: next(iter(p.others()), None))
    keys_to(box, "space")  # Yes (the first button): deleted
    wait_for("the box to close", lambda: not p.others())
    keys_to(p.main, "ctrl+z")  # the same graph is back, so closing asks
    p.key("alt+F4")
    wait_for("the close confirmation", lambda: p.others())


def case_copy_reaches_other_programs(p):
    # With no graph the chart's picture is copied: other programs read it as an image.
    set_clipboard("left by another program")
    time.sleep(0.2)
    p.key("ctrl+c")
    dialog = wait_for("the copy-as-picture dialog", lambda: next(iter(p.others()), None))
    keys_to(dialog, "Return")  # OK: the format it shows
    targets = wait_for("an image on the clipboard",
                       lambda: "image/png" in run("xclip", "-selection", "clipboard", "-t", "TARGETS", "-o"))
    png = subprocess.run(["xclip", "-selection", "clipboard", "-t", "image/png", "-o"], capture_output=True,
                         check=True).stdout
    assert png.startswith(b"\x89PNG") and len(png) > 1000, "no picture of the chart"
    del targets
    # A graph is copied as its text.
    p.paste_graph()
    text = copy_current_graph_text(p, "the graph's text")
    assert "9" in text and "3" in text, "clipboard holds " + repr(text)


def case_menu_and_box_above_the_data_panel(p):
    # Once the data panel shows, a menu and then a confirmation still open above the main window.
    p.paste_graph()
    show_data_panel(p)
    keys_to(p.main, "F10", "Right", "Down")  # Правка
    menu = wait_for("the menu", lambda: next(iter(p.others(named=False)), None))
    wait_for("the menu above the main window", lambda: shows_above(menu, p.main))
    share = wait_for("the menu on the screen", lambda: face_share(geometry(menu)) > 0.5 or None)
    keys_to(p.main, "Escape", "Escape")
    wait_for("the menu to close", lambda: not p.others(named=False))
    keys_to(p.main, "Delete")
    box = wait_for("the delete confirmation", lambda: next(iter(p.others()), None))
    wait_for("the box above the main window", lambda: shows_above(box, p.main))
    wait_for("the box on the screen", lambda: face_share(geometry(box)) > 0.5 or None)
    keys_to(box, "Tab", "space")  # No
    wait_for("the box to close", lambda: not p.others())
    del share


def open_file(p, path):
    # The desktop's file dialog, its file name typed; back when the dialog has closed.
    keys_to(p.main, "ctrl+o")
    dialog = wait_for("the file dialog", lambda: next(iter(p.others()), None), timeout=15)
    time.sleep(0.5)
    keys_to(dialog, Typed(path, delay=20), "Return")
    wait_for("the file dialog to close", lambda: dialog not in visible_windows(), timeout=15)
    # Keys sent before the program has the keyboard back would go nowhere.
    wait_for_keyboard("the keyboard back with the program", lambda: [p.main] + p.others())


def case_decimal_point_file_is_explained(p):
    # The default settings read a decimal comma: a file of decimal points gives no graph, and
    # the message says why and what to set.
    path = os.path.join(p.dir, "points.txt")
    with open(path, "w") as f:
        f.writelines("0.%02d\t-0.08\n" % (i % 100) for i in range(500))
    open_file(p, path)
    box = wait_for("the error box", lambda: next(iter(p.others()), None), timeout=8)
    set_clipboard("")
    keys_to(box, "ctrl+c")  # a message box copies its text
    text = wait_for("the box's text", lambda: run("xclip", "-selection", "clipboard", "-o").strip())
    for part in ("points.txt", "Слишком мало точек", "десятичной точкой", "PointDecimalSeparator=1", "korvalin.ini"):
        assert part in text, "%r not in the message %r" % (part, text)
    p.key("Return")
    wait_for("the box to close", lambda: not p.others())
    del box


def save_picture(p, name, least_size):
    """Файл > Сохранить как... with a picture name, OK in the save-image dialog; the file's path."""
    keys_to(p.main, "F10", "Down", "Down", "Return")
    dialog = wait_for("the file dialog", lambda: next(iter(p.others()), None), timeout=15)
    time.sleep(0.5)
    path = os.path.join(p.dir, name)
    keys_to(dialog, Typed(path, delay=20), "Return")
    wait_for("the file dialog to close", lambda: dialog not in visible_windows(), timeout=15)
    options = wait_for("the save-image dialog", lambda: next(iter(p.others()), None), timeout=8)
    keys_to(options, "Return")  # OK
    wait_for("the picture", lambda: os.path.exists(path) and os.path.getsize(path) > least_size, timeout=8)
    wait_for("the dialog to close", lambda: options not in visible_windows())
    return path


def case_save_picture_through_the_dialog(p):
    # Файл > Сохранить как... with a picture name opens the save-image dialog on the chart's
    # size; OK writes the picture, which another program reads at that size.
    p.paste_graph()
    path = save_picture(p, "chart.bmp", 54)
    with Image.open(path) as image:
        assert image.format == "BMP" and image.size[0] > 100 and image.size[1] > 100, image.size


def case_balloon_after_saving_a_picture(p):
    # A picture saved through Сохранить как... is announced in a balloon over the status line,
    # which goes by itself after 5 seconds.
    p.paste_graph()
    time.sleep(0.5)  # the paste's own balloon, if any, has come and is replaced below
    save_picture(p, "chart.gif", 100)
    mx, my, mw, mh = geometry(p.main)

    def balloon():
        # A window without a title over the bottom half of the main window.
        for w in p.others(named=False):
            x, y, width, height = geometry(w)
            if width < mw and my + mh // 2 < y + height <= my + mh + 40:
                return w
        return None

    shown = wait_for("the balloon", balloon, timeout=3)
    since = time.time()
    x, y, w, h = geometry(shown)
    shot = os.environ.get("KV_SHOT")
    if shot:
        ImageGrab.grab(bbox=(mx, my, mx + mw, my + mh + 20)).save(shot)
    assert len(dark_pixels(ImageGrab.grab(), (x + 30, y + 5, x + w - 5, y + h - 5))) > 20, "the balloon has no text"
    time.sleep(max(0.0, 4.0 - (time.time() - since)))
    assert shown in p.others(named=False), "gone before 5 s"
    wait_for("the balloon to go", lambda: shown not in p.others(named=False), timeout=3)
    assert time.time() - since > 4.5, "gone too soon"


def case_data_panel_shows_row_100000_whole(p):
    # 100,001 points: the last row's number is 100000, six digits in the number column.
    set_clipboard("".join("%d\t%d,5\n" % (i, i % 7) for i in range(100001)))
    time.sleep(0.3)
    p.key("ctrl+v")
    show_data_panel(p)
    x, y, w, h = geometry(p.main)
    # Above the bottom dock's two rows of toolbars and the status line.
    panel = (x + w - 4 - 240, y + 40, x + w - 4, y + h - 30 - 26)
    tries = []

    def last_row():
        # A loaded machine may still be reading the points: into the grid and to its end again.
        if not tries or time.time() - tries[-1] > 2:
            tries.append(time.time())
            run("xdotool", "mousemove", str(x + w - 60), str(y + 120), "click", "1")
            p.key("ctrl+End")
        image = ImageGrab.grab(bbox=panel)
        rows = [py for py in range(image.height) if sum(1 for px in range(image.width)
                                                         if image.getpixel((px, py))[:3] == SELECTED) > 20]
        # The last row is current when it sits at the bottom of the scrolled grid.
        return (image, rows) if rows and max(rows) > image.height - 60 else None

    image, rows = wait_for("the last row selected", last_row, timeout=20)
    top, bottom = min(rows), max(rows)
    # Dark pixels of the row's number: left of the first value column, lines left out (a line
    # is dark over the whole row).
    columns = {}
    for py in range(top + 1, bottom):
        for px in range(0, 90):
            r, g, b = image.getpixel((px, py))[:3]
            if r + g + b < 150:
                columns[px] = columns.get(px, 0) + 1
    glyphs = sorted(px for px, n in columns.items() if n < bottom - top - 2)
    assert glyphs and glyphs[0] > 1, "the row number touches the column's edge: cut"
    span = glyphs[-1] - glyphs[0]
    assert span >= 30, "the row number is %d px wide: not six digits" % span


def case_disabled_menu_image_keeps_its_shape(p):
    # With no graph "Удалить график" (the last item of Правка) is disabled: its image is drawn in
    # the shadow colour as an outline, not as a solid block.
    p.key("F10", "Right", "Down")
    menu = wait_for("the menu", lambda: next(iter(p.others(named=False)), None))
    x, y, w, h = geometry(menu)

    def glyph():
        image = ImageGrab.grab(bbox=(x + 3, y + h - 24, x + 20, y + h - 3))
        shadow = [(px, py) for py in range(image.height) for px in range(image.width)
                  if image.getpixel((px, py))[:3] == SHADOW]
        return shadow if len(shadow) >= 30 else None

    shadow = wait_for("the disabled image", glyph)
    xs, ys = [px for px, _ in shadow], [py for _, py in shadow]
    share = len(shadow) / ((max(xs) - min(xs) + 1) * (max(ys) - min(ys) + 1))
    assert share < 0.6, "the disabled image is a block: %.0f%% of its box is shadow" % (share * 100)
    p.key("Escape", "Escape")


def caption_button(box, from_right):
    # Caption buttons 16 px wide, 2 apart, 2 inside the 4-pixel frame: min, max, close.
    x, y, w, h = box
    return str(x + w - 4 - 2 - from_right), str(y + 4 + 2 + 6)


def case_minimised_strip_restores(p):
    # Without a window manager a minimised main window is its caption strip at the bottom left;
    # the strip's first button restores it.
    normal = geometry(p.main)
    run("xdotool", "mousemove", *caption_button(normal, 16 + 2 + 16 + 8), "click", "1")
    strip = wait_for("the caption strip", lambda: (lambda g: g if g[3] < 40 else None)(geometry(p.main)))
    run("xdotool", "mousemove", *caption_button(strip, 16 + 2 + 16 + 8), "click", "1")
    wait_for("the window restored", lambda: geometry(p.main) == normal)


def case_sum_through_the_graph_choice(p):
    # Two graphs; Операции (the fifth menu), its first item "Сумма графиков...": the choice
    # dialog lists both checked, OK adds their sum, which Ctrl+C (OK in the copy dialog) puts on
    # the clipboard.
    p.paste_graph()
    p.paste_graph()
    menu_command(p, 4, 0)
    dialog = wait_for("the graph choice", lambda: next(iter(p.others()), None))
    time.sleep(0.4)
    x, y, w, h = geometry(dialog)
    shot = os.environ.get("KV_SHOT")
    if shot:
        ImageGrab.grab(bbox=(x, y, x + w, y + h)).save(shot)
    assert face_share((x, y, w, h)) > 0.2, "the dialog is not drawn"
    keys_to(dialog, "Return")
    wait_for("the dialog to close", lambda: not p.others())
    text = copy_current_graph_text(p, "the sum's text")
    assert "18" in text and "8" in text, "clipboard holds " + repr(text)


# The graph list docked at the main window's left edge.
GRAPH_LIST_WIDTH = 200
# The row of toolbars on the top dock below the menu bar.
TOOLBAR_ROW = 30


def menu_command(p, menu, item):
    """Runs a command from the keyboard: the menu bar's menu number menu (0 the first), its
    command number item (separators not counted)."""
    keys_to(p.main, "F10", *["Right"] * menu, "Down")
    wait_for("the menu", lambda: next(iter(p.others(named=False)), None))
    keys_to(p.main, *["Down"] * item, "Return")


def case_find_maximum_with_picked_bounds(p):
    # The maximum window from Операции (its ninth item, after two groups of four), bounds from the
    # graph, a search, the result read through its copy button; then both bounds picked with the
    # mouse on the plot and searched again.
    set_clipboard("0 1\n1 5\n2 2\n3 -3\n4 4\n5 0\n")
    time.sleep(0.2)
    p.key("ctrl+v")
    menu_command(p, 4, 8)
    window = wait_for("the find window", lambda: next(iter(p.others()), None))
    # Placed by a window manager a moment after it shows: the clicks below go where it stays.
    x, y, w, h = settled_geometry(window)
    top = y + 22  # below the tool window's caption

    def click(cx, cy):
        run("xdotool", "mousemove", str(cx), str(cy), "click", "1")
        time.sleep(0.3)

    def result():
        set_clipboard("")
        click(x + 4 + 10, top + 27 + 8)  # "Копировать" with the grid's cell selected
        return wait_for("the copied result", lambda: run("xclip", "-selection", "clipboard", "-o").strip())

    click(x + 56 + 10, top + 8)  # both bounds from the graph (the third bound button)
    click(x + 222 + 20, top + 65 + 10)  # "Искать"
    first = result()
    assert first == "5", "the maximum is 5, copied " + repr(first)
    click(x + 3 + 264 + 15, top + 8)  # pick both bounds
    mx, my, mw, mh = geometry(p.main)
    # The chart fills the window right of the graph list.
    cx, cw = mx + GRAPH_LIST_WIDTH, mw - GRAPH_LIST_WIDTH
    click(cx + cw // 3, my + mh // 2)
    click(cx + 2 * cw // 3, my + mh // 2)
    click(x + 222 + 20, top + 65 + 10)
    picked = result()
    # The presses fall about X = 1.5 and X = 3.5: the points at 2 and 3, highest Y 2.
    assert picked == "2", "the maximum between the picked bounds is 2, copied " + repr(picked)
    assert p.running()


def case_reorder_graphs_by_dragging(p):
    # Three graphs pasted; the third row's title dragged onto the first row exchanges the two
    # graphs: the colour symbols of the first and third rows change places.
    for text in ("0 1\n1 5\n2 2\n", "0 3\n1 1\n2 4\n", "0 -2\n1 0\n2 1\n"):
        set_clipboard(text)
        time.sleep(0.2)
        p.key("ctrl+v")
        time.sleep(0.3)
    x, y, _, _ = geometry(p.main)
    rows_top = y + 43 + TOOLBAR_ROW  # below the caption, the menu bar and the toolbar row

    def row_colour(row):
        # The commonest strong colour in the row's colour column (the series' line symbol).
        box = ImageGrab.grab(bbox=(x + 20, rows_top + row * 24 + 4, x + 46, rows_top + row * 24 + 20))
        counts = {}
        for c in box.getdata():
            if max(c[:3]) - min(c[:3]) > 80 and c[:3] != (10, 36, 106):
                counts[c[:3]] = counts.get(c[:3], 0) + 1
        return max(counts, key=counts.get) if counts else None

    before = [row_colour(r) for r in range(3)]
    assert None not in before and len(set(before)) == 3, "three colour symbols, found " + repr(before)
    title_x = str(x + 100)
    run("xdotool", "mousemove", title_x, str(rows_top + 2 * 24 + 12), "mousedown", "1")
    time.sleep(0.1)
    run("xdotool", "mousemove", title_x, str(rows_top + 24 + 12))
    time.sleep(0.1)
    run("xdotool", "mousemove", title_x, str(rows_top + 12), "mouseup", "1")
    after = wait_for("the rows exchanged", lambda: [row_colour(r) for r in range(3)] == [before[2], before[1], before[0]])
    assert after and p.running()


def case_function_graph_from_a_typed_formula(p):
    # Операции, the item "График функции..." (the nineteenth, after four groups): the formula typed
    # over the one offered, OK; the new graph's points read back through Ctrl+C.
    menu_command(p, 4, 18)
    dialog = wait_for("the function dialog", lambda: next(iter(p.others()), None))
    time.sleep(0.4)
    x, y, w, h = geometry(dialog)
    assert face_share((x, y, w, h)) > 0.2, "the dialog is not drawn"
    # The formula memo runs along the top of the client area (318 pixels high, in a 3-pixel
    # frame), 6 to 29 pixels down.
    run("xdotool", "mousemove", str(x + 3 + 200), str(y + h - 3 - 318 + 17), "click", "1")
    time.sleep(0.2)
    keys_to(dialog, "End", *["BackSpace"] * 8, Typed("x*x+1", delay=60))
    shot = os.environ.get("KV_SHOT")
    if shot:
        ImageGrab.grab(bbox=(x, y, x + w, y + h)).save(shot)
    p.key("Return")
    wait_for("the dialog to close", lambda: not p.others())
    text = copy_current_graph_text(p, "the graph's text")
    assert "5" in text and "x*x+1" in text, "clipboard holds " + repr(text)


def press_drag_release(start, end, while_held=None):
    """A left press at the screen point start, a move to end in three steps, a release (a click
    when the two are the same); what while_held, called just before the release, returns."""
    run("xdotool", "mousemove", str(start[0]), str(start[1]))
    time.sleep(0.3)
    run("xdotool", "mousedown", "1")
    time.sleep(0.3)
    for k in (1, 2, 3):
        run("xdotool", "mousemove", str(start[0] + (end[0] - start[0]) * k // 3),
            str(start[1] + (end[1] - start[1]) * k // 3))
        time.sleep(0.25)
    held = while_held() if while_held else None
    run("xdotool", "mouseup", "1")
    time.sleep(0.5)
    return held


def bar_colours(box):
    """The set of strong (picture) colours in a screen box: toolbar buttons, not the dock's face."""
    return {c[:3] for c in ImageGrab.grab(bbox=box).getdata() if max(c[:3]) - min(c[:3]) > 60}


def case_toolbar_dragged_to_another_dock_stays_after_restart(p):
    # The standard toolbar's drag handle (left of its first button, in the row below the menu
    # bar) dragged to the window's left edge: the toolbar docks there, upright; after a restart
    # it is there again and the settings say so.
    x, y, w, h = geometry(p.main)
    left_strip = (x, y + 100, x + 30, y + h - 60)
    top_row = (x + 10, y + 45, x + 190, y + 75)
    assert bar_colours(top_row) and not bar_colours(left_strip), "the toolbar starts at the top"
    run("xdotool", "mousemove", str(x + 9), str(y + 58), "mousedown", "1")
    time.sleep(0.2)
    for dx, dy in ((40, 200), (8, 250), (3, 300)):
        run("xdotool", "mousemove", str(x + dx), str(y + dy))
        time.sleep(0.2)
    run("xdotool", "mouseup", "1")
    wait_for("the toolbar on the left dock", lambda: bar_colours(left_strip))
    p.restart()
    assert "StandardToolbar=1;0;2;" in p.settings(), p.settings()
    x, y, w, h = geometry(p.main)
    wait_for("the toolbar on the left dock after the restart", lambda: bar_colours(left_strip))


# The theme menu lists the themes sorted, "Default" first.
THEMES_IN_MENU = ["Default", "Aluminum", "DefaultXP", "Dream", "Miranda", "Monai", "Nexos5", "OfficeK",
                  "SentimoX", "Stripes", "Zezio"]


def case_theme_switched_is_kept_after_restart(p):
    # Вид, "Тема оформления" (its tenth item), DefaultXP: the menu bar and the toolbars are
    # painted anew; after a restart the same theme paints them again.
    x, y, w, h = geometry(p.main)
    bars = (x, y + 20, x + w, y + 80)
    before = ImageGrab.grab(bbox=bars)
    switch_theme(p, "DefaultXP")
    time.sleep(0.3)
    switched = ImageGrab.grab(bbox=bars)
    assert switched.tobytes() != before.tobytes(), "the bars look as before"
    p.restart()
    assert "Theme=DefaultXP" in p.settings(), p.settings()
    time.sleep(0.3)
    again = ImageGrab.grab(bbox=bars)
    differing = sum(1 for a, b in zip(again.getdata(), switched.getdata()) if a != b)
    assert differing < len(switched.getdata()) // 50, "the bars differ after the restart: %d pixels" % differing


def axis_line_x(image, x0, x1, y0, y1):
    """The column between x0 and x1 darkest over rows y0..y1: the vertical axis line."""
    counts = {x: 0 for x in range(x0, x1)}
    for x, _ in dark_pixels(image, (x0, y0, x1, y1)):
        counts[x] += 1
    return max(counts, key=counts.get)


def case_axis_title_through_the_double_click(p):
    # A double-click on the vertical axis opens its format dialog; a title typed there and OK
    # is drawn upwards at the chart's left edge, and the scale stays as it was.
    p.paste_graph()
    time.sleep(0.5)
    x, y, w, h = geometry(p.main)
    x += GRAPH_LIST_WIDTH  # the chart starts right of the graph list
    rows = (y + h // 2 - 100, y + h // 2 + 100)
    before = axis_line_x(ImageGrab.grab(), x + 10, x + 90, *rows)
    run("xdotool", "mousemove", str(x + 37), str(y + h // 2), "click", "--repeat", "2", "--delay", "80", "1")
    dialog = wait_for("the axis dialog", lambda: next(iter(p.others()), None), timeout=8)
    time.sleep(0.5)
    dx, dy, _, _ = geometry(dialog)
    cx, cy = dx + 3, dy + 22  # the client area below the dialog's caption
    run("xdotool", "mousemove", str(cx + 120), str(cy + 85), "click", "1")
    time.sleep(0.2)
    keys_to(dialog, Typed("Axis Y title"))
    run("xdotool", "mousemove", str(cx + 330), str(cy + 310), "click", "1")  # OK
    wait_for("the dialog to close", lambda: dialog not in visible_windows())
    time.sleep(0.5)
    shot = ImageGrab.grab()
    if os.environ.get("KV_SHOT"):
        shot.save(os.environ["KV_SHOT"])
    # The title takes room at the left: the axis line moves right.
    after = axis_line_x(shot, x + 10, x + 90, *rows)
    assert after > before + 5, (before, after)


def title_columns(image, x0, x1, y0, y1):
    """The columns between x0 and x1 with dark pixels over rows y0..y1: how wide the drawn
    vertical title is (the axis line and its labels lie right of x1)."""
    return len({x for x, _ in dark_pixels(image, (x0, y0, x1, y1))})


def case_axis_title_and_font_through_the_double_click(p):
    # A double-click on the vertical axis opens its format dialog; a title and, in the font
    # dialog, a larger size are chosen there; after OK the title is drawn in that size.
    p.paste_graph()
    time.sleep(0.5)
    x, y, w, h = geometry(p.main)
    x += GRAPH_LIST_WIDTH
    rows = (y + h // 2 - 150, y + h // 2 + 150)

    def set_title(size, at):
        run("xdotool", "mousemove", str(at), str(y + h // 2),
            "click", "--repeat", "2", "--delay", "80", "1")
        dialog = wait_for("the axis dialog", lambda: next(iter(p.others()), None), timeout=8)
        time.sleep(0.5)
        dx, dy, _, _ = geometry(dialog)
        cx, cy = dx + 3, dy + 22
        run("xdotool", "mousemove", str(cx + 120), str(cy + 85), "click", "1")
        keys_to(dialog, "End", *["BackSpace"] * 16, Typed("Axis Y title"))
        if size:
            run("xdotool", "mousemove", str(cx + 55), str(cy + 136), "click", "1")  # "Шрифт"
            fonts = wait_for("the font dialog", lambda: [w for w in p.others() if w != dialog], timeout=8)[0]
            time.sleep(0.5)
            fx, fy, fw, fh = geometry(fonts)
            shot = os.environ.get("KV_FONT_SHOT")
            if shot:
                ImageGrab.grab(bbox=(fx, fy, fx + fw, fy + fh)).save(shot)
            # The size field, top right.
            run("xdotool", "mousemove", str(fx + fw - 40), str(fy + 35), "click", "1")
            keys_to(fonts, "ctrl+a", Typed(str(size)), "Return")
            wait_for("the font dialog to close", lambda: fonts not in visible_windows())
            time.sleep(0.3)
        run("xdotool", "mousemove", str(cx + 330), str(cy + 310), "click", "1")  # OK
        wait_for("the dialog to close", lambda: dialog not in visible_windows())
        time.sleep(0.6)
        return ImageGrab.grab()

    first = set_title(None, x + 37)
    small = title_columns(first, x + 2, x + 40, *rows)
    shot = set_title(28, axis_line_x(first, x + 10, x + 90, *rows) - 2)
    if os.environ.get("KV_SHOT"):
        mx, my, mw, mh = geometry(p.main)
        shot.crop((mx, my, mx + mw, my + mh)).save(os.environ["KV_SHOT"])
    large = title_columns(shot, x + 2, x + 70, *rows)
    # Set in 28 points, the upward title is at least twice as thick as in the default size.
    assert small > 4 and large >= 2 * small, (small, large)


def case_function_template_from_the_menu(p):
    # The function dialog's "Заготовки" menu lists the stored template and its editor; the
    # template chosen puts its formula and parameter in, and OK makes the graph k*x*x with k = 3.
    menu_command(p, 4, 18)  # Операции, "График функции..."
    dialog = wait_for("the function dialog", lambda: next(iter(p.others()), None))
    time.sleep(0.4)
    x, y, w, h = geometry(dialog)
    top = y + h - 3 - 318  # the client area's top
    # Clear the formula, then open "Заготовки" (the toolbar 90 pixels in, 31 down).
    run("xdotool", "mousemove", str(x + 3 + 200), str(top + 17), "click", "1")
    keys_to(dialog, "End", *["BackSpace"] * 8)
    before = set(p.others(named=False))
    run("xdotool", "mousemove", str(x + 3 + 90 + 20), str(top + 31 + 10), "click", "1")
    popup = wait_for("the templates menu", lambda: next(iter(set(p.others(named=False)) - before - {dialog}), None))
    time.sleep(0.3)
    px, py, pw, ph = geometry(popup)
    shot = os.environ.get("KV_SHOT")
    if shot:
        ImageGrab.grab(bbox=(x, y, max(x + w, px + pw), max(y + h, py + ph))).save(shot)
    assert ph > 40, "the menu holds the template, a separator and the editor item"
    run("xdotool", "mousemove", str(px + 30), str(py + 3 + 10), "click", "1")  # the template
    time.sleep(0.3)
    keys_to(dialog, "Return")
    wait_for("the dialog to close", lambda: not p.others())
    text = copy_current_graph_text(p, "the graph's text")
    assert "k*x*x" in text and "12" in text, "clipboard holds " + repr(text)


def case_polynomial_coefficients_shown(p):
    # Операции, "Полином..." (the twenty-third item, after four groups): the window on the pasted
    # graph, OK; the information window lists the coefficients, then a balloon says where they
    # stand.
    p.paste_graph()
    time.sleep(0.3)
    menu_command(p, 4, 22)
    window = wait_for("the polynomial window", lambda: next(iter(p.others()), None))
    time.sleep(0.4)
    x, y, w, h = geometry(window)
    assert face_share((x, y, w, h)) > 0.2, "the window is not drawn"
    keys_to(window, "Return")  # OK, degree 2
    info = wait_for("the information window", lambda: next((o for o in p.others() if o != window), None))
    time.sleep(0.4)
    ix, iy, iw, ih = geometry(info)
    shot = os.environ.get("KV_SHOT")
    if shot:
        ImageGrab.grab(bbox=(ix, iy, ix + iw, iy + ih)).save(shot)
    assert len(dark_pixels(ImageGrab.grab(), (ix + 4, iy + 30, ix + iw - 4, iy + ih - 40))) > 50, "no rows"
    before = set(p.others(named=False))
    keys_to(info, "Return")
    wait_for("the information window to close", lambda: not p.others())
    # Then the balloon "Коэффициенты полинома" over the status line.
    wait_for("the balloon", lambda: set(p.others(named=False)) - before)

PRINT_QUEUE = "KorvalinPDF"  # scripts/cups.sh sets it up; its jobs land as PDF files
PRINT_FOLDER = os.environ.get("KV_CUPS_PDF_DIR", "/var/spool/cups-pdf/korvalin")
SKIPPED = 77


def red_share(image, box):
    """Where an image's reddish pixels (a red line, whole or blended) lie inside box, as fractions
    (left, top, right, bottom)."""
    x0, y0, x1, y1 = box
    xs, ys = [], []
    for y in range(y0, y1):
        for x in range(x0, x1):
            r, g, b = image.getpixel((x, y))[:3]
            if r - g >= 60 and r - b >= 60:
                xs.append(x)
                ys.append(y)
    assert xs, "no red in %r" % (box,)
    w, h = x1 - x0, y1 - y0
    return ((min(xs) - x0) / w, (min(ys) - y0) / h, (max(xs) + 1 - x0) / w, (max(ys) + 1 - y0) / h)


def preview_sheet(shot):
    """The print preview's sheet in a picture of the dialog's top, as (left, top, right, bottom):
    rows of its margins are white from edge to edge, the longest white runs there. The margin
    lines must be hidden."""
    def longest_white_run(py):
        best, start = (0, 0), None
        for px in range(shot.width + 1):
            white = px < shot.width and shot.getpixel((px, py))[:3] == (255, 255, 255)
            if white and start is None:
                start = px
            elif not white and start is not None:
                best = max(best, (px - start, start))
                start = None
        return best
    # (The frame's light edge is white across the whole window: not the sheet.)
    runs = [r if r[0] < shot.width * 0.9 else (0, 0) for r in map(longest_white_run, range(shot.height))]
    widest = max(r[0] for r in runs)
    margin_rows = [py for py, r in enumerate(runs) if r[0] >= widest - 1]
    sy0, sy1 = min(margin_rows), max(margin_rows) + 1
    sx0 = runs[sy0][1]
    return sx0, sy0, sx0 + widest, sy1


def queue_pdf(started, timeout=60):
    """The PDF the print queue made for a job sent after started (a time), once it is whole."""
    def job():
        for name in os.listdir(PRINT_FOLDER):
            path = os.path.join(PRINT_FOLDER, name)
            if name.endswith(".pdf") and os.path.getmtime(path) >= started:
                if subprocess.run(["pdfinfo", path], capture_output=True).returncode == 0:
                    return path
        return None
    return wait_for("the queue's PDF", job, timeout=timeout)


def case_print_to_the_queue_as_previewed(p):
    # Файл > Печать... with the test queue chosen: the dialog's sheet shows the graph's red line
    # where the queue's page has it, the same share of the sheet on every side.
    p.paste_graph()
    started = time.time()
    keys_to(p.main, "F10", "Down", "Down", "Down", "Return")
    dialog = wait_for("the print dialog", lambda: next(iter(p.others()), None), timeout=15)
    time.sleep(1.0)
    assert PRINT_QUEUE in run("xdotool", "getwindowname", str(dialog)), "the dialog prints to the queue"
    x, y, w, h = geometry(dialog)
    shot = ImageGrab.grab(bbox=(x, y, x + w, y + 300))  # the preview panel at the dialog's top
    sx0, sy0, sx1, sy1 = preview_sheet(shot)
    shown = red_share(shot, (sx0, sy0, sx1, sy1))
    keys_to(dialog, "Return")  # Печать, the default button
    pdf = queue_pdf(started)
    page_png = os.path.join(p.dir, "page")
    run("pdftoppm", "-r", "50", "-png", "-singlefile", pdf, page_png)
    os.remove(pdf)
    with Image.open(page_png + ".png") as page:
        page = page.convert("RGB")
        printed = red_share(page, (0, 0, page.width, page.height))
        page.save(os.path.join(p.dir, "printed.png"))
    shot.crop((sx0, sy0, sx1, sy1)).save(os.path.join(p.dir, "previewed.png"))
    if os.environ.get("KV_DESKTOP_KEEP"):
        for name in ("printed.png", "previewed.png"):
            shutil.copy(os.path.join(p.dir, name), os.path.join(os.environ["KV_DESKTOP_KEEP"], name))
    for name, a, b in zip(("left", "top", "right", "bottom"), shown, printed):
        assert abs(a - b) < 0.03, "the %s edge of the chart: %.3f of the sheet, %.3f of the page" % (name, a, b)
    p.key("Escape")
    wait_for("the dialog to close", lambda: dialog not in visible_windows())


# The window manager this case started, for the report of a start that stuck.
WINDOW_MANAGER = {}


def start_window_manager():
    """Starts openbox on the display and waits until it manages windows; the caller ends it."""
    wm = subprocess.Popen(["openbox", "--sm-disable"], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    WINDOW_MANAGER["process"] = wm
    try:
        # Generous: on a busy machine (two cases at a time beside a build) it may take a while.
        # The check window says openbox has taken the screen: from then on a window's map request
        # goes to it rather than to the server.
        wait_for("the window manager", lambda: "_NET_SUPPORTING_WM_CHECK(WINDOW)" in run("xprop", "-root"),
                 timeout=30)
        wait_until_windows_are_managed(timeout=30)
    except BaseException:
        wm.terminate()
        wm.wait()
        raise
    return wm


def wake_window_manager(d, count):
    """Changes a property of the root, which the window manager watches: an event that wakes it."""
    from Xlib import Xatom
    d.screen().root.change_property(d.intern_atom("_KV_WAKE_WINDOW_MANAGER"), Xatom.CARDINAL, 32, [count])
    d.sync()


def wait_until_windows_are_managed(timeout):
    """Maps a window of its own and waits until the window manager has taken it in (it sets the
    window's WM_STATE), then removes it.

    Openbox takes the screen well before it is done starting. A map request that reaches it in
    that time is read from the connection but can be left in its queue while it goes to sleep on
    the connection: the window stays unmapped until some other event wakes it (seen as a start
    whose main window never came, about one start in fifteen with three cases at a time on
    two busy cores; a property changed on the root then brought the window at once). So the
    window here is nudged with such changes until it is managed, which only the window manager's
    own loop does: past that, nothing is left of its start, and the program's window is handled
    as it comes."""
    from Xlib import X, display
    d = display.Display()
    root = d.screen().root
    probe = root.create_window(0, 0, 40, 40, 0, d.screen().root_depth)
    try:
        probe.set_wm_name("window manager probe")
        probe.map()
        d.sync()
        wm_state = d.intern_atom("WM_STATE")
        end = time.time() + timeout
        count = 0
        while not probe.get_full_property(wm_state, X.AnyPropertyType):
            if time.time() > end:
                raise AssertionError("timed out waiting for the window manager to manage a window\n" + screen_state())
            time.sleep(0.05)
            count += 1
            wake_window_manager(d, count)
    finally:
        probe.destroy()
        root.delete_property(d.intern_atom("_KV_WAKE_WINDOW_MANAGER"))
        d.sync()
        d.close()


# Cases named here run under a window manager, started before the program.
WINDOW_MANAGED = set()

# Further cases live in cases_<topic>.py beside this file, run in this file's namespace so that
# they use the helpers above; CASE_INI adds settings lines a case starts with.
CASE_INI = {}
for _path in sorted(glob.glob(os.path.join(os.path.dirname(os.path.abspath(__file__)), "cases_*.py"))):
    with open(_path, encoding="utf-8") as _f:
        exec(compile(_f.read(), _path, "exec"), globals())

CASES = {name[5:]: f for name, f in globals().items() if name.startswith("case_")}


def main():
    binary, case = sys.argv[1], sys.argv[2]
    # A case that hangs says where, and what it printed, before the test run's limit (90 s, or
    # KV_CASE_SECONDS) ends it without a word.
    sys.stdout.reconfigure(line_buffering=True)
    faulthandler.dump_traceback_later(int(os.environ.get("KV_CASE_SECONDS", "90")) - 10, exit=True)
    start = time.time()
    ini = "[PREFERENCES]\nConfirmDelete=1\nConfirmClose=1\n" if case != "alt_x_ends_the_program" else None
    if case in ("function_graph_from_a_typed_formula", "function_template_from_the_menu"):
        ini += "[EXPRESSION_EDIT]\nStart=0\nStop=2\nStep=1\n"
    if case == "function_template_from_the_menu":
        ini += "[EXPRESSION_TEMPLATES]\nTemplate0=Парабола\nTemplate0Params=k=3;\nTemplate0Formula=k*x*x\n"
    if case == "print_to_the_queue_as_previewed":
        queues = subprocess.run(["lpstat", "-p", PRINT_QUEUE], capture_output=True, text=True)
        if queues.returncode != 0 or not os.path.isdir(PRINT_FOLDER):
            print("skipped: the print queue %s is not set up (scripts/cups.sh)" % PRINT_QUEUE)
            sys.exit(SKIPPED)
        # Portrait: the test queue turns landscape pages by its own guess of their orientation.
        ini += "[PRINT]\nPrinterName=%s\nShowMargins=0\nOrientation=0\n" % PRINT_QUEUE
    if case in CASE_INI:
        ini = (ini or "") + CASE_INI[case]
    wm = start_window_manager() if case in WINDOW_MANAGED else None
    try:
        p = Program(binary, ini)
        try:
            CASES[case](p)
        finally:
            p.close()
    finally:
        if wm:
            wm.terminate()
            wm.wait()
    print("%s passed in %.1f s" % (case, time.time() - start))


if __name__ == "__main__":
    main()

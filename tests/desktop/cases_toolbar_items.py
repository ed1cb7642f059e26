# Toolbar items on the real desktop: the check marks of the toolbar toggles and the hints of
# docked buttons and of the chevron. Each case runs bare and under openbox.

import signal

# "Вид" → "Панели инструментов" lists the toolbars in this order.
TOOLBAR_TOGGLES = ["Стандартная", "График", "Анализ", "Формат"]


def open_toolbar_toggles(p):
    """Вид (the fourth menu), "Панели инструментов" (its ninth item): the toggles' submenu, the
    rightmost of the open menus, as a screen box."""
    keys_to(p.main, "F10", "Right", "Right", "Right", "Down", *["Down"] * 8, "Right")

    def submenu():
        menus = [geometry(m) for m in p.others(named=False)]
        return max(menus) if len(menus) >= 2 else None

    return wait_for("the toggles' submenu", submenu)


def checked_toggles(box):
    """The toggles drawn with a check mark: dark pixels in the check box left of each caption."""
    x, y, w, h = box
    row = (h - 6) // len(TOOLBAR_TOGGLES)  # a 3-pixel frame around rows of one height
    image = ImageGrab.grab(bbox=(x, y, x + w, y + h))
    marks = []
    for i, name in enumerate(TOOLBAR_TOGGLES):
        top = 3 + i * row
        if len(dark_pixels(image, (5, top + 3, 20, top + row - 3))) >= 5:
            marks.append(name)
    return marks


def toolbar_toggles_follow_the_toolbars(p):
    box = open_toolbar_toggles(p)
    wait_for("every toggle checked", lambda: checked_toggles(box) == TOOLBAR_TOGGLES)
    # Hide "Анализ" from the submenu; opened again, its toggle has lost the mark.
    keys_to(p.main, *["Down"] * TOOLBAR_TOGGLES.index("Анализ"), "Return")
    wait_for("the menus to close", lambda: not p.others(named=False))
    box = open_toolbar_toggles(p)
    shown = [n for n in TOOLBAR_TOGGLES if n != "Анализ"]
    if not wait_for_or_none(lambda: checked_toggles(box) == shown, 10):
        raise AssertionError("checked after hiding Анализ: %s\n%s" % (checked_toggles(box), screen_state()))
    # And shown again, checked again.
    keys_to(p.main, *["Down"] * TOOLBAR_TOGGLES.index("Анализ"), "Return")
    wait_for("the menus to close", lambda: not p.others(named=False))
    box = open_toolbar_toggles(p)
    wait_for("Анализ checked again", lambda: checked_toggles(box) == TOOLBAR_TOGGLES)
    p.key("Escape", "Escape", "Escape")


def case_toolbar_toggles_follow_the_toolbars(p):
    toolbar_toggles_follow_the_toolbars(p)


def case_toolbar_toggles_follow_the_toolbars_managed(p):
    toolbar_toggles_follow_the_toolbars(p)


def hint_near(p, px, py):
    """A window that shows up just below and right of the pointer (the hint), or None."""
    for w in p.others(named=False):
        hx, hy, hw, hh = geometry(w)
        if px - 4 <= hx <= px + 40 and py < hy <= py + 60 and hh < 40:
            return hx, hy, hw, hh
    return None


def hover(px, py):
    # Two steps: the second is a move inside the window, which the hint timer waits after.
    run("xdotool", "mousemove", str(px - 2), str(py - 1))
    time.sleep(0.1)
    run("xdotool", "mousemove", str(px), str(py))


def docked_buttons_and_chevron_show_hints(p):
    x, y, w, h = geometry(p.main)
    # The first two buttons of "Стандартная", docked in the row below the menu bar: each shows its
    # own hint where the pointer rests.
    for bx in (x + 24, x + 46):
        hover(bx, y + 58)
        wait_for("the hint of the button at %d" % (bx - x), lambda: hint_near(p, bx, y + 58), timeout=4)
    # Narrowed with the size grip, the bottom dock's second row ("Формат", wider than the window
    # now) hides its last buttons behind a chevron, which names itself in a hint too.
    run("xdotool", "mousemove", str(x + w - 4), str(y + h - 4), "mousedown", "1")
    time.sleep(0.2)
    for dx in (50, 150, 300):
        run("xdotool", "mousemove", str(x + w - 4 - dx), str(y + h - 4))
        time.sleep(0.2)
    run("xdotool", "mouseup", "1")
    wait_for("the narrower window", lambda: geometry(p.main)[2] < w - 200)
    x, y, w, h = geometry(p.main)
    strip = (x + w - 40, y + h - 55, x + w - 4, y + h - 25)

    def chevron():
        dark = dark_pixels(ImageGrab.grab(bbox=strip), (0, 0, strip[2] - strip[0], strip[3] - strip[1]))
        if len(dark) < 6:
            return None
        return (strip[0] + sum(d[0] for d in dark) // len(dark), strip[1] + sum(d[1] for d in dark) // len(dark))

    cx, cy = wait_for("the chevron", chevron)
    hover(cx, cy)
    wait_for("the chevron's hint", lambda: hint_near(p, cx, cy), timeout=4)


def case_docked_buttons_and_chevron_show_hints(p):
    docked_buttons_and_chevron_show_hints(p)


def case_docked_buttons_and_chevron_show_hints_managed(p):
    docked_buttons_and_chevron_show_hints(p)


WINDOW_MANAGED.update({"toolbar_toggles_follow_the_toolbars_managed", "docked_buttons_and_chevron_show_hints_managed"})


def ask_bus(*args):
    """dbus-send's literal reply to a call, or None when the call failed."""
    done = subprocess.run(["dbus-send", "--print-reply=literal", *args], capture_output=True, text=True)
    return done.stdout.strip() if done.returncode == 0 else None


class AccessibilityBus:
    """A session bus of its own with the accessibility bus running, as a desktop with a screen
    reader has it. The accessibility bus is the launcher's child: ending only the launcher (by
    SIGKILL) would leave it running, so it is ended by its own pid, which it tells."""

    def __init__(self):
        self.processes = []  # ended last first
        self.bus_pid = None
        try:
            self._start()
        except BaseException:
            self.end()
            raise

    def _start(self):
        self.daemon = self._started(["dbus-daemon", "--session", "--nofork", "--print-address=1"],
                                    stdout=subprocess.PIPE, text=True)
        os.environ["DBUS_SESSION_BUS_ADDRESS"] = self.daemon.stdout.readline().strip()
        self._started(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"],
                      stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        # Asked only once the launcher holds its name: a call before would have the session bus
        # start a second launcher.
        wait_for("the bus launcher", lambda: ask_bus(
            "--session", "--dest=org.freedesktop.DBus", "/org/freedesktop/DBus",
            "org.freedesktop.DBus.NameHasOwner", "string:org.a11y.Bus") == "boolean true")
        address = wait_for("the accessibility bus's address", lambda: ask_bus(
            "--session", "--dest=org.a11y.Bus", "/org/a11y/bus", "org.a11y.Bus.GetAddress"))
        self.bus_pid = int(wait_for("the accessibility bus's pid", lambda: ask_bus(
            "--bus=" + address, "--dest=org.freedesktop.DBus", "/org/freedesktop/DBus",
            "org.freedesktop.DBus.GetConnectionUnixProcessID", "string:org.freedesktop.DBus")).split()[-1])

    def _started(self, args, **kw):
        process = subprocess.Popen(args, **kw)
        self.processes.append(process)
        return process

    def end(self):
        """Ends the accessibility bus, its launcher and the session bus, each asked first."""
        if self.bus_pid:
            try:
                os.kill(self.bus_pid, signal.SIGTERM)
                # Its parent, the launcher, collects it.
                if not wait_for_or_none(lambda: not os.path.exists("/proc/%d" % self.bus_pid), 5):
                    os.kill(self.bus_pid, signal.SIGKILL)
            except ProcessLookupError:
                pass
        for process in reversed(self.processes):
            process.terminate()
            try:
                process.wait(timeout=5)
            except subprocess.TimeoutExpired:
                process.kill()
                process.wait()


def on_accessibility_bus(p):
    """Starts the program again on an accessibility bus of its own (AccessibilityBus); returns the
    bus, for the caller to end, and the atspi module. What was started is ended if this fails."""
    p.proc.kill()
    p.proc.wait()
    bus = AccessibilityBus()
    try:
        # Qt publishes its accessibility whenever the bus is there, reader or not.
        os.environ["QT_LINUX_ACCESSIBILITY_ALWAYS_ON"] = "1"
        p._start()
        import pyatspi  # after the bus address is set: it connects on import
        return bus, pyatspi
    except BaseException:
        bus.end()
        raise


def children(node):
    return [c for c in (node.getChildAtIndex(i) for i in range(node.childCount)) if c is not None]


def reader_main_window(atspi):
    """The program and its main window as a screen reader finds them on the accessibility bus."""
    def program():
        for a in atspi.Registry.getDesktop(0):
            if a is not None and a.name == "korvalin":
                return a
        return None

    app = wait_for("the program on the accessibility bus", program, timeout=10)
    return app, wait_for("the main window", lambda: next(iter(c for c in children(app) if c.name == "Korvalin 4"), None))


def menu_bar_and_docked_toolbar_read_by_a_screen_reader(p):
    bus, atspi = on_accessibility_bus(p)
    try:
        app, frame = reader_main_window(atspi)

        def bar(role, name):
            return next(iter(c for c in children(frame) if c.getRoleName() == role and c.name == name), None)

        menu = wait_for("the menu bar", lambda: bar("menu bar", "Главное меню"))
        items = [(c.getRoleName(), c.name) for c in children(menu)]
        assert items == [("menu item", n) for n in ("Файл", "Правка", "Анализ", "Вид", "Операции")], items
        standard = wait_for("the standard toolbar", lambda: bar("tool bar", "Стандартная"))
        buttons = [(c.getRoleName(), c.name) for c in children(standard) if c.getRoleName() != "separator"]
        assert buttons[0] == ("push button", "Открыть..."), buttons
        assert len(buttons) >= 6, buttons
        # Without graphs "Удалить" cannot be used: the reader hears it unavailable.
        states = {c.name: c.getState() for c in children(standard)}
        assert any(not s.contains(atspi.STATE_ENABLED) for s in states.values()), "no unavailable button"

        # F10 puts the focus on the first menu, the arrow moves it on.
        def focused():
            return [c.name for c in children(menu) if c.getState().contains(atspi.STATE_FOCUSED)]

        p.key("F10")
        wait_for("the focus on Файл", lambda: focused() == ["Файл"])
        p.key("Right")
        wait_for("the focus on Правка", lambda: focused() == ["Правка"])
        p.key("Escape")
        wait_for("no focus in the menu bar", lambda: focused() == [])
    finally:
        bus.end()


def case_menu_bar_and_docked_toolbar_read_by_a_screen_reader(p):
    menu_bar_and_docked_toolbar_read_by_a_screen_reader(p)


def case_menu_bar_and_docked_toolbar_read_by_a_screen_reader_managed(p):
    menu_bar_and_docked_toolbar_read_by_a_screen_reader(p)


WINDOW_MANAGED.add("menu_bar_and_docked_toolbar_read_by_a_screen_reader_managed")


def screen_reader_finds_and_opens_a_menu(p):
    """A screen reader finds the menu item under a point and opens its menu through the item's
    action, as a user of a braille display or a switch would."""
    bus, atspi = on_accessibility_bus(p)
    try:
        app, frame = reader_main_window(atspi)
        menu = wait_for("the menu bar", lambda: next(iter(
            c for c in children(frame) if c.getRoleName() == "menu bar"), None))
        edit = next(c for c in children(menu) if c.name == "Правка")
        box = edit.queryComponent().getExtents(atspi.DESKTOP_COORDS)
        cx, cy = box.x + box.width // 2, box.y + box.height // 2
        # The window answers with the deepest part under the point, the bar with its item.
        for whole in (frame, menu):
            item = whole.queryComponent().getAccessibleAtPoint(cx, cy, atspi.DESKTOP_COORDS)
            assert item is not None and (item.getRoleName(), item.name) == ("menu item", "Правка"), whole.name

        action = item.queryAction()
        names = [action.getName(i) for i in range(action.nActions)]
        assert names and names[0].lower() == "showmenu", names  # then taking the focus

        def popups():
            return [c for c in children(app) if c.getRoleName() in ("popup menu", "menu")
                    and c.getState().contains(atspi.STATE_VISIBLE)]

        action.doAction(0)
        popup = wait_for("the Правка menu open", lambda: next(iter(popups()), None), timeout=5)
        assert any(c.name.startswith("Копировать") for c in children(popup)), [c.name for c in children(popup)]
        p.key("Escape")
        p.key("Escape")
        wait_for("the menu closed", lambda: not popups())
    finally:
        bus.end()


def case_screen_reader_finds_and_opens_a_menu(p):
    screen_reader_finds_and_opens_a_menu(p)


def case_screen_reader_finds_and_opens_a_menu_managed(p):
    screen_reader_finds_and_opens_a_menu(p)


WINDOW_MANAGED.add("screen_reader_finds_and_opens_a_menu_managed")


def graph_toolbar_and_status_line_read_by_a_screen_reader(p):
    """A reader hears the graph toolbar's line width as a spin button and the status line as a
    status bar whose panel is a label with the graph count."""
    bus, atspi = on_accessibility_bus(p)
    try:
        app, frame = reader_main_window(atspi)
        graph = wait_for("the graph toolbar", lambda: next(iter(
            c for c in children(frame) if c.getRoleName() == "tool bar" and c.name == "График"), None))
        width = [(c.getRoleName(), c.name) for c in children(graph) if c.name.startswith("Толщина")]
        assert width == [("spin button", "Толщина:")], [(c.getRoleName(), c.name) for c in children(graph)]
        status = wait_for("the status line", lambda: next(iter(
            c for c in children(frame) if c.getRoleName() == "status bar"), None))
        panels = [(c.getRoleName(), c.name) for c in children(status)]
        assert panels == [("label", "Графиков: 0")], panels
        assert not any(c.getRoleName() in ("tool bar", "frame") for c in children(frame)
                       if c.name in ("", "Толщина:")), "a part heard as a bar or a window"
    finally:
        bus.end()


def case_graph_toolbar_and_status_line_read_by_a_screen_reader(p):
    graph_toolbar_and_status_line_read_by_a_screen_reader(p)


def case_graph_toolbar_and_status_line_read_by_a_screen_reader_managed(p):
    graph_toolbar_and_status_line_read_by_a_screen_reader(p)


WINDOW_MANAGED.add("graph_toolbar_and_status_line_read_by_a_screen_reader_managed")

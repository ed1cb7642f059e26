# The find windows and the graph choice on the real desktop: long numbers show whole in a group
# search, and the graph choice takes the keys as soon as it opens.
import math


def long_number_graph(phase):
    """Forty points whose X and Y print as long decimal-comma numbers."""
    return "".join(("%.10f %.15g\n" % (i * 0.0123456789, -math.sin(0.37 * i + phase) * 1e-5 / 3)).replace(".", ",")
                   for i in range(40))


def operations_window(p, item, what):
    """Операции (the fifth menu), its command number item; the new named window."""
    before = set(p.others())
    menu_command(p, 4, item)
    return wait_for(what, lambda: next((w for w in p.others() if w not in before), None), timeout=8)


def group_search_shows_long_numbers_whole(p):
    # The delta group search (Операции, its sixteenth item) over two graphs of 15-digit numbers:
    # after "Искать" the window widens past its first 676 pixels so that every number shows.
    for phase in (0, 1):
        set_clipboard(long_number_graph(phase))
        time.sleep(0.2)
        p.key("ctrl+v")
        time.sleep(0.4)
    choice = operations_window(p, 15, "the graph choice")
    time.sleep(0.4)
    keys_to(choice, "ctrl+a", "Return")  # every graph ticked, OK
    wait_for("the choice to close", lambda: choice not in visible_windows())
    window = wait_for("the group window", lambda: next(iter(p.others()), None), timeout=8)
    time.sleep(0.4)
    x, y, w, h = geometry(window)
    assert w == 676, w
    top = y + 22  # below the tool window's caption
    run("xdotool", "mousemove", str(x + 56 + 10), str(top + 8), "click", "1")  # bounds from the graphs
    time.sleep(0.3)
    run("xdotool", "mousemove", str(x + 222 + 20), str(top + 65 + 10), "click", "1")  # "Искать"
    wait_for("the window to widen", lambda: geometry(window)[2] > 760)
    time.sleep(0.4)
    x, y, w, h = geometry(window)
    # The value rows: dark text pixels end before the window's right edge.
    dark = dark_pixels(ImageGrab.grab(bbox=(x, y, x + w, y + h)), (0, h - 50, w, h - 10))
    assert dark and max(px for px, _ in dark) < w - 8, (w, max(px for px, _ in dark) if dark else None)
    p.key("Escape")
    wait_for("the window to close", lambda: window not in visible_windows())


def case_group_search_shows_long_numbers_whole(p):
    group_search_shows_long_numbers_whole(p)


def case_group_search_shows_long_numbers_whole_managed(p):
    group_search_shows_long_numbers_whole(p)


WINDOW_MANAGED.add("group_search_shows_long_numbers_whole_managed")


def case_graph_choice_takes_the_keys_at_once(p):
    # The graph choice of a group search opens with its list holding the keys: Space ticks the
    # first graph and Return opens the maximum window over it, with no click before; without the
    # keys the choice would refuse OK with "Не отмечен ни один график".
    p.paste_graph()
    p.paste_graph()
    choice = operations_window(p, 13, "the graph choice")
    time.sleep(0.4)
    keys_to(choice, "space", "Return")
    wait_for("the choice to close", lambda: choice not in visible_windows())
    window = wait_for("the group window", lambda: next(iter(p.others()), None), timeout=8)
    assert run("xdotool", "getwindowname", str(window)).strip() == "MAX"
    keys_to(window, "Escape")
    wait_for("the window to close", lambda: window not in visible_windows())

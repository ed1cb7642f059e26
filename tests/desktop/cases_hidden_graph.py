# Cases of a graph hidden by its box in the graph list while it is the current one: its
# selection squares go with it (drawn in a colour of their own here, so that they can be told
# from the chart).

HANDLE_RGB = (0, 202, 0)


def handle_pixels(p):
    x, y, w, h = geometry(p.main)
    image = ImageGrab.grab(bbox=(x, y, x + w, y + h)).convert("RGB")
    return sum(1 for px in image.getdata() if px == HANDLE_RGB)


def hidden_graph_has_no_squares(p):
    # Two graphs; the second, pasted last, is current and shows squares. Hidden, its points lie
    # beside the first graph's axes, over their labels, and within its plot.
    p.paste_graph()
    set_clipboard("0 0\n2 5\n4 12\n")
    time.sleep(0.2)
    p.key("ctrl+v")
    wait_for("the squares of the current graph", lambda: handle_pixels(p) > 0)
    # Its box in the list (the second row) hides it; the chart scales to the first graph.
    x, y, w, h = geometry(p.main)
    run("xdotool", "mousemove", str(x + 15), str(y + 85 + 17), "click", "1")
    time.sleep(0.8)
    if os.environ.get("KV_DESKTOP_KEEP"):
        ImageGrab.grab(bbox=(x, y, x + w, y + h)).save(os.path.join(os.environ["KV_DESKTOP_KEEP"], "hidden.png"))
    assert handle_pixels(p) == 0, "squares drawn for the hidden graph"
    # Shown again, it has them again.
    run("xdotool", "mousemove", str(x + 15), str(y + 85 + 17), "click", "1")
    wait_for("the squares back", lambda: handle_pixels(p) > 0)


def case_hidden_graph_has_no_squares(p):
    hidden_graph_has_no_squares(p)


def case_hidden_graph_has_no_squares_managed(p):
    hidden_graph_has_no_squares(p)


WINDOW_MANAGED.add("hidden_graph_has_no_squares_managed")
for _name in ("hidden_graph_has_no_squares", "hidden_graph_has_no_squares_managed"):
    CASE_INI[_name] = "SelectorColor=51712\n"  # under the [PREFERENCES] every case starts with

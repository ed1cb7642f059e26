# Picture export on the real desktop: the GIF colour reduction as the save-image dialog offers it,
# and the multi-graph save wizard opened from the main window.


def case_gif_default_reduction_keeps_a_charts_colours(p):
    # Six graphs, each in its own colour: the dialog's default reduction keeps every colour of
    # the chart (it has fewer than 256), so Pillow reads the GIF as the same picture as the BMP.
    for _ in range(6):
        p.paste_graph()
        time.sleep(0.4)
    bmp = save_picture(p, "chart.bmp", 54)
    gif = save_picture(p, "chart.gif", 100)
    with Image.open(bmp) as b, Image.open(gif) as g:
        assert g.format == "GIF" and g.size == b.size, (g.format, g.size, b.size)
        colours = b.convert("RGB").getcolors(1 << 16)
        assert colours and 8 < len(colours) <= 256, len(colours or ())
        assert list(g.convert("RGB").getdata()) == list(b.convert("RGB").getdata()), "the GIF's colours differ"



def start_with_workspace(p, workspace):
    """Ends the program, leaves the default workspace file beside it (with the preference that
    loads it), starts it again and takes the workspace's titles with OK."""
    p.proc.kill()
    p.proc.wait()
    with open(os.path.join(p.dir, "korvalin.def"), "w", encoding="utf-8") as f:
        f.write(workspace)
    with open(p.ini, "w", encoding="utf-8") as f:
        f.write("[PREFERENCES]\nConfirmDelete=1\nConfirmClose=1\nSaveGraphSettings=1\n")
    p.proc = subprocess.Popen([p.exe], cwd=p.dir, stdout=p.out, stderr=subprocess.STDOUT)
    asked = wait_for("the workspace question", lambda: next(iter(visible_windows()), None), timeout=10)
    time.sleep(0.5)
    keys_to(asked, "Return")
    wait_for("the question to close", lambda: asked not in visible_windows())
    p.main = wait_for("the main window", p._main_window, timeout=10)
    time.sleep(0.3)
    p.take_keyboard()


def choose_gif_reduction_none(p, dialog):
    """In the open save-image dialog for a GIF: the reduction list's first entry, "None"."""
    first = drop_a_list(p, dialog)
    p.key("Escape")
    wait_for("the list to close", lambda: first not in visible_windows(named=False))
    p.key("Tab")
    second = drop_a_list(p, dialog)
    p.key("Home", "Return")
    wait_for("the list to close", lambda: second not in visible_windows(named=False))


def case_gif_without_reduction_refuses_more_than_256_colours(p):
    # A back wall on a colour gradient (kept in pictures, unlike the chart's own gradient) gives
    # the picture far more than 256 colours; "None" in the dialog's reduction list then ends in
    # a message naming the file and the overflow, in Russian, and no file; the default reduction
    # saves it.
    start_with_workspace(p, "[CHART]\nBackWallGradient=1;2;$000000FF;$1FFFFFFF;$00FF0000;50;0;0\n")
    p.paste_graph()
    time.sleep(0.4)
    bmp = save_picture(p, "chart.bmp", 54)
    with Image.open(bmp) as b:
        colours = b.convert("RGB").getcolors(1 << 24)
        assert len(colours) > 256, len(colours)
    dialog = open_save_picture_dialog(p, "chart.gif")
    choose_gif_reduction_none(p, dialog)
    p.key("Return")  # OK
    wait_for("the dialog to close", lambda: dialog not in visible_windows())
    box = wait_for("the message", lambda: next(iter(p.others()), None))
    time.sleep(0.5)
    shot = os.environ.get("KV_SHOT")
    if shot:
        bx, by, bw, bh = geometry(box)
        ImageGrab.grab(bbox=(bx, by, bx + bw, by + bh)).save(shot)
    set_clipboard("")
    keys_to(box, "ctrl+c")  # a message box copies its text
    text = wait_for("the message's text", lambda: run("xclip", "-selection", "clipboard", "-o").strip())
    gif_path = os.path.join(p.dir, "chart.gif")
    assert 'Не удается сохранить рисунок в файл "%s": в рисунке больше 256 цветов' % gif_path in text, text
    p.key("Return")
    wait_for("the message to close", lambda: box not in visible_windows())
    assert not os.path.exists(os.path.join(p.dir, "chart.gif")), "a picture was written"
    assert p.running()
    # The dialog's default reduction codes the same chart.
    gif = save_picture(p, "chart.gif", 100)
    with Image.open(gif) as g, Image.open(bmp) as b:
        assert g.format == "GIF" and g.size == b.size, (g.format, g.size, b.size)

def line_pixel(p, colour):
    """A point of the chart where the graph drawn in colour shows, away from the legend."""
    x, y, w, h = geometry(p.main)
    shot = ImageGrab.grab(bbox=(x, y, x + w, y + h))
    # The chart lies right of the graph list; the legend is at its right edge.
    for px in range(w // 3, w * 2 // 3):
        for py in range(80, h - 60):
            if shot.getpixel((px, py))[:3] == colour:
                return x + px, y + py
    return None


def series_colours(p):
    """The strong colours of the chart's middle part, commonest first."""
    x, y, w, h = geometry(p.main)
    shot = ImageGrab.grab(bbox=(x + w // 3, y + 80, x + w * 2 // 3, y + h - 60))
    counts = {}
    for c in shot.getdata():
        if max(c[:3]) - min(c[:3]) > 80:
            counts[c[:3]] = counts.get(c[:3], 0) + 1
    return sorted(counts, key=counts.get, reverse=True)


def save_wizard_over_two_selected_graphs(p):
    """Two graphs pasted and selected on the chart (a click on one line, Ctrl+click on the other),
    then Файл > Сохранить как...: the save wizard and its geometry."""
    for text in ("0 0\n10 10\n", "0 10\n10 0\n"):
        p.paste_graph(text)
        time.sleep(0.4)
    colours = wait_for("two graph colours", lambda: (lambda c: c if len(c) >= 2 else None)(series_colours(p)))
    first, second = line_pixel(p, colours[0]), line_pixel(p, colours[1])
    print("colours", colours[:2], first, second)
    run("xdotool", "mousemove", str(first[0]), str(first[1]), "click", "1")
    time.sleep(0.3)
    run("xdotool", "mousemove", str(second[0]), str(second[1]), "keydown", "ctrl", "click", "1", "keyup", "ctrl")
    time.sleep(0.3)
    keys_to(p.main, "F10", "Down", "Down", "Return")
    wizard = wait_for("the save wizard", lambda: next(iter(p.others()), None), timeout=10)
    time.sleep(0.5)
    return wizard, geometry(wizard)


def case_export_wizard_shows_its_picture(p):
    # The save wizard over two selected graphs shows the picture in its left part.
    wizard, (x, y, w, h) = save_wizard_over_two_selected_graphs(p)
    shot = os.environ.get("KV_SHOT")
    if shot:
        ImageGrab.grab(bbox=(x, y, x + w, y + h)).save(shot)
    # The left band is blue, darker at the top; the pages' side is the plain form colour.
    image = ImageGrab.grab(bbox=(x, y, x + w, y + h))
    top, bottom = image.getpixel((10, 30))[:3], image.getpixel((10, h - 60))[:3]
    assert top[2] > top[0] + 60 and bottom[2] > bottom[0] + 30, (top, bottom)
    assert sum(top) < sum(bottom), (top, bottom)
    keys_to(wizard, "Escape")
    wait_for("the wizard to close", lambda: wizard not in visible_windows())
WINDOW_MANAGED.add("export_wizard_shows_its_picture")


def svg_size(path):
    with open(path, encoding="utf-8") as f:
        head = f.read(2000)
    return tuple(int(re.search(r'%s="(\d+)px"' % side, head).group(1)) for side in ("width", "height"))


# Keys from the width field, where the dialog opens: to the height, or "Сохранять пропорции"
# ticked and back to either field.
TO_HEIGHT = ("Tab",)
LOCKED_TO_HEIGHT = ("Tab", "Tab", "space", "shift+Tab")
LOCKED_TO_WIDTH = LOCKED_TO_HEIGHT + ("shift+Tab",)

# What is typed over a size field's text ("" empties it), the keys that reach the field first,
# and the size saved: numbers for sides fixed by the limit 10000, "chart" for the chart's own
# side (a field left at 0), "<" for a side below the limit, "ratio" for the chart's proportion.
PICTURE_SIZES = [
    ("plain.svg", None, (), ("chart", "chart")),
    ("wide.svg", "12000", (), (10000, "chart")),
    ("locked.svg", "20000", LOCKED_TO_HEIGHT, (10000, "ratio")),
    # Past the integer range, and at its end.
    ("huge.svg", "2147483648", (), (10000, "chart")),
    ("int_max.svg", "2147483647", (), (10000, "chart")),
    ("huge_locked.svg", "2147483648", LOCKED_TO_WIDTH, (10000, "ratio")),
    # Below 0 (the chart's own size): with the lock neither side stays negative.
    ("negative_locked.svg", "-500", LOCKED_TO_WIDTH, ("chart", "chart")),
    ("negative.svg", "-500", (), ("chart", "chart")),
    ("empty.svg", "", (), ("chart", "chart")),
]


def picture_size_kept_within_the_limit(p):
    # Сохранить как... a picture, a size typed over the width or the height, Tab to the next
    # control and Enter (OK): the picture has the size the fields show, within 0 and 10000, 0
    # standing for the chart's own side; with "Сохранять пропорции" ticked in the chart's
    # proportion (the chart is wider than high, so the height stays below the limit).
    p.paste_graph()
    chart = None
    for name, typed, keys, expected in PICTURE_SIZES:
        keys_to(p.main, "F10", "Down", "Down", "Return")
        files = wait_for("the file dialog", lambda: next(iter(p.others()), None), timeout=15)
        time.sleep(0.5)
        path = os.path.join(p.dir, name)
        keys_to(files, Typed(path, delay=20), "Return")
        wait_for("the file dialog to close", lambda: files not in visible_windows(), timeout=15)
        options = wait_for("the save-image dialog", lambda: next(iter(p.others()), None), timeout=8)
        time.sleep(0.5)
        if typed is not None:
            # What is typed replaces the field's text, then the field is left for the other size
            # field (past the height lies the check box).
            keys += ("ctrl+a", Typed(typed, delay=40) if typed else "BackSpace",
                     "shift+Tab" if keys in (TO_HEIGHT, LOCKED_TO_HEIGHT) else "Tab")
        keys_to(options, *keys, "Return")  # OK
        wait_for("the picture " + name, lambda: os.path.exists(path) and os.path.getsize(path) > 100, timeout=8)
        wait_for("the dialog to close", lambda: options not in visible_windows())
        size = svg_size(path)
        if chart is None:
            chart = size
        for side, (got, want, own) in enumerate(zip(size, expected, chart)):
            if want == "chart":
                assert got == own, (name, size, chart)
            elif want == "ratio":
                assert abs(got - round(size[0] * chart[1] / chart[0])) <= 1, (name, size, chart)
            else:
                assert got == want, (name, size, chart)


def case_picture_size_kept_within_the_limit(p):
    picture_size_kept_within_the_limit(p)


def case_picture_size_kept_within_the_limit_managed(p):
    picture_size_kept_within_the_limit(p)


WINDOW_MANAGED.add("picture_size_kept_within_the_limit_managed")

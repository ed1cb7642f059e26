# The save-image dialog's "Сохранять пропорции" on the real desktop at an extreme proportion:
# a size typed far past the 64-bit range under the lock.


def field_text(p, dialog):
    """The focused size field's text, through the clipboard."""
    set_clipboard("")
    keys_to(dialog, "ctrl+a", "ctrl+c")
    return wait_for("the field's text", lambda: run("xclip", "-selection", "clipboard", "-o").strip())


def kept_proportion_within_the_limits(p):
    # Файл > Сохранить как... x.svg: Ширина 10000, Высота 1, the lock ticked, then a height of 20
    # digits typed: the width in proportion is far past any 64-bit integer, yet shows no negative
    # number, and Tab to the width brings both within the limits in that proportion, 10000 x 1,
    # the size the picture is saved at.
    p.paste_graph()
    keys_to(p.main, "F10", "Down", "Down", "Return")
    files = wait_for("the file dialog", lambda: next(iter(p.others()), None), timeout=15)
    time.sleep(0.5)
    path = os.path.join(p.dir, "x.svg")
    keys_to(files, Typed(path, delay=20), "Return")
    wait_for("the file dialog to close", lambda: files not in visible_windows(), timeout=15)
    options = wait_for("the save-image dialog", lambda: next(iter(p.others()), None), timeout=8)
    time.sleep(0.5)
    keys_to(options, "ctrl+a", Typed("10000", delay=40), "Tab", "ctrl+a", Typed("1", delay=40))
    # The lock ticked, back to the height.
    keys_to(options, "Tab", "space", "shift+Tab", "ctrl+a", Typed("98765432109876543210", delay=40))
    time.sleep(0.3)
    shots = os.environ.get("KV_SHOT_DIR")
    x, y, w, h = geometry(options)
    if shots:
        ImageGrab.grab(bbox=(x, y, x + w, y + h)).save(os.path.join(shots, "kept_proportion_typed.png"))
    p.key("shift+Tab")  # to the width: the typed height is fitted
    if shots:
        ImageGrab.grab(bbox=(x, y, x + w, y + h)).save(os.path.join(shots, "kept_proportion_fitted.png"))
    width = field_text(p, options)
    p.key("Tab")
    height = field_text(p, options)
    assert (width, height) == ("10000", "1"), (width, height)
    p.key("Return")  # OK
    wait_for("the picture", lambda: os.path.exists(path) and os.path.getsize(path) > 100, timeout=8)
    wait_for("the dialog to close", lambda: options not in visible_windows())
    with open(path, encoding="utf-8") as f:
        head = f.read(2000)
    size = tuple(int(re.search(r'%s="(\d+)px"' % side, head).group(1)) for side in ("width", "height"))
    assert size == (10000, 1), size


def case_kept_proportion_within_the_limits(p):
    kept_proportion_within_the_limits(p)


def case_kept_proportion_within_the_limits_managed(p):
    kept_proportion_within_the_limits(p)


WINDOW_MANAGED.add("kept_proportion_within_the_limits_managed")

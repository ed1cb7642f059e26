# Real-desktop cases of the control set in the program (run by korvalin_desktop.py, whose helpers
# they use).

CASE_INI["list_keeps_its_text_under_a_theme"] = "Theme=Aluminum\n"


def case_list_keeps_its_text_under_a_theme(p):
    # Under Aluminum, Вид (the fourth menu), "Формат рамки..." (its seventh command): the "Стиль"
    # list of the dialog shows its line style's name in its field.
    menu_command(p, 3, 6)
    dialog = wait_for("the frame dialog", lambda: next(iter(p.others()), None), timeout=8)
    time.sleep(0.5)
    dx, dy, _, _ = geometry(dialog)
    cx, cy = dx + 3, dy + 22  # the client area below the dialog's caption
    # The list sits at (82, 44), 124 x 21, in the client area; its field left of the button.
    field = (cx + 86, cy + 47, cx + 185, cy + 62)

    def text_pixels():
        return len(dark_pixels(ImageGrab.grab(), field))

    wait_for("the list's text", lambda: text_pixels() > 30, timeout=5)
    if os.environ.get("KV_SHOT"):
        ImageGrab.grab(bbox=(dx, dy, dx + 240, dy + 200)).save(os.environ["KV_SHOT"])
    p.key("Escape")
    wait_for("the dialog to close", lambda: dialog not in visible_windows())

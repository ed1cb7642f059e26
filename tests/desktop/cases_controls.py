# Real-desktop cases of the control set in the program (run by korvalin_desktop.py, whose helpers
# they use).

CASE_INI["list_keeps_its_text_under_a_theme"] = "Theme=Aluminum\n"


def case_list_keeps_its_text_under_a_theme(p):
    # Under Aluminum, the GIF options of the save-image dialog: the first list that drops shows
    # its entry's text in its field (the field lies just above the dropped list) once closed.
    p.paste_graph()
    time.sleep(0.3)
    dialog = open_save_picture_dialog(p, "chart.gif")
    listed = drop_a_list(p, dialog)
    lx, ly, _, _ = geometry(listed)
    p.key("Escape", "Tab")  # the focus goes on, so the field's text is no longer highlighted
    wait_for("the list to close", lambda: listed not in visible_windows(named=False))
    # The start of the field: the dropped list may be wider than its box.
    field = (lx + 3, ly - 17, lx + 50, ly - 3)

    def text_pixels():
        return len(dark_pixels(ImageGrab.grab(), field))

    wait_for("the list's text", lambda: text_pixels() > 30, timeout=5)
    if os.environ.get("KV_SHOT"):
        dx, dy, dw, dh = geometry(dialog)
        ImageGrab.grab(bbox=(dx, dy, dx + dw, dy + dh)).save(os.environ["KV_SHOT"])
    p.key("Escape")
    wait_for("the dialog to close", lambda: dialog not in visible_windows())

# The save wizard over several graphs on the real desktop: a file of one of its names already in
# the folder is replaced only when the user says so. Bare and under openbox.

OLD_BYTES = b"old bytes, kept\n"


def wizard_asks_before_replacing_a_file(p):
    # Names "alpha" and "beta" typed into the wizard for a folder holding "beta.txt" already, OK.
    # The box names the file; "Нет" leaves the folder as it was and the wizard open, "Да" writes
    # both files.
    folder = os.path.join(p.dir, "out")
    os.mkdir(folder)
    kept = os.path.join(folder, "beta.txt")
    with open(kept, "wb") as f:
        f.write(OLD_BYTES)
    wizard, press_ok = wizard_with_typed_names(p, folder)
    press_ok()
    box, text = message_box_text(p, "the question", wizard)
    shot = os.environ.get("KV_SHOT")
    if shot:
        # The question over the wizard, with the window manager's frames when there is one.
        boxes = [geometry(frame_of(win)) for win in (wizard, box)]
        left, top = min(b[0] for b in boxes), min(b[1] for b in boxes)
        right, bottom = max(b[0] + b[2] for b in boxes), max(b[1] + b[3] for b in boxes)
        ImageGrab.grab(bbox=(left, top, right, bottom)).save(shot)
    assert text == "Файл «beta.txt» уже существует.\nЗаменить его?", text
    assert shows_above(box, wizard), "the question opens beneath the wizard"
    p.key("Right", "Return")  # Нет
    wait_for("the question to close", lambda: box not in visible_windows())
    time.sleep(0.5)
    assert wizard in visible_windows(), "the wizard closed on Нет"
    assert sorted(os.listdir(folder)) == ["beta.txt"], os.listdir(folder)
    with open(kept, "rb") as f:
        assert f.read() == OLD_BYTES, "Нет replaced the file"

    press_ok()  # again
    box, text = message_box_text(p, "the question again", wizard)
    assert text == "Файл «beta.txt» уже существует.\nЗаменить его?", text
    p.key("Return")  # Да, the first button
    wait_for("the wizard to close", lambda: wizard not in visible_windows())
    wait_for("both files", lambda: sorted(os.listdir(folder)) == ["alpha.txt", "beta.txt"] or None, timeout=5)
    # Each file holds one of the two graphs (in the order they were selected).
    written = set()
    for name in ("alpha.txt", "beta.txt"):
        with open(os.path.join(folder, name), "rb") as f:
            written.add(f.read())
    assert written == {b"0\t0\n10\t10\n", b"0\t10\n10\t0\n"}, "Да did not replace the file: %r" % written


def case_wizard_asks_before_replacing_a_file(p):
    wizard_asks_before_replacing_a_file(p)


def case_wizard_asks_before_replacing_a_file_managed(p):
    wizard_asks_before_replacing_a_file(p)


WINDOW_MANAGED.add("wizard_asks_before_replacing_a_file_managed")

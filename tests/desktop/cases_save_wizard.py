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


def wizard_asks_before_replacing_the_one_file(p):
    # All graphs into one file (the first page's choice), Далее twice, the name of a file already
    # there typed, and OK pressed by Enter: the box names it; "Нет" leaves it as it was and the
    # wizard open, Enter and "Да" replace it with both graphs.
    path = os.path.join(p.dir, "both.txt")
    with open(path, "wb") as f:
        f.write(OLD_BYTES)
    wizard, (x, y, w, h) = save_wizard_over_two_selected_graphs(p)

    def click(cx, cy):
        run("xdotool", "mousemove", str(x + cx), str(y + cy), "click", "1")
        time.sleep(0.4)

    click(w - 211, h - 23)  # Далее: the format
    click(w - 211, h - 23)  # Далее: the file
    click(280, 108)
    run("xdotool", "type", "--delay", "20", path)
    before = sorted(os.listdir(p.dir))
    p.key("Return")  # OK, the default button
    box, text = message_box_text(p, "the question", wizard)
    assert text == "Файл «both.txt» уже существует.\nЗаменить его?", text
    p.key("Right", "Return")  # Нет
    wait_for("the question to close", lambda: box not in visible_windows())
    time.sleep(0.5)
    assert wizard in visible_windows(), "the wizard closed on Нет"
    assert sorted(os.listdir(p.dir)) == before, "files came or went on Нет"
    with open(path, "rb") as f:
        assert f.read() == OLD_BYTES, "Нет replaced the file"

    keys_to(wizard, "Return")  # OK again, from the file name's field
    box, text = message_box_text(p, "the question again", wizard)
    p.key("Return")  # Да
    wait_for("the wizard to close", lambda: wizard not in visible_windows())
    graphs = (b"0\t0\n10\t10\n", b"0\t10\n10\t0\n")
    with open(path, "rb") as f:
        written = f.read()
    assert written in (graphs[0] + graphs[1], graphs[1] + graphs[0]), "Да did not replace the file: %r" % written


def case_wizard_asks_before_replacing_a_file(p):
    wizard_asks_before_replacing_a_file(p)


def case_wizard_asks_before_replacing_a_file_managed(p):
    wizard_asks_before_replacing_a_file(p)


def case_wizard_asks_before_replacing_the_one_file(p):
    wizard_asks_before_replacing_the_one_file(p)


def case_wizard_asks_before_replacing_the_one_file_managed(p):
    wizard_asks_before_replacing_the_one_file(p)


WINDOW_MANAGED.update({"wizard_asks_before_replacing_a_file_managed", "wizard_asks_before_replacing_the_one_file_managed"})


def stored_typed_names_lead_to_the_names_page(p):
    # The settings hold "separate files, names typed in" from an earlier save: Далее twice, the
    # folder typed, and Далее again reaches the names page, where "alpha" and "beta" are typed; OK
    # writes the files under those names (not under the graphs').
    folder = os.path.join(p.dir, "out")
    os.mkdir(folder)
    wizard, (x, y, w, h) = save_wizard_over_two_selected_graphs(p)

    def click(cx, cy):
        run("xdotool", "mousemove", str(x + cx), str(y + cy), "click", "1")
        time.sleep(0.4)

    click(w - 211, h - 23)  # Далее: the format
    click(w - 211, h - 23)  # Далее: the folder, "Вручную задать имена" checked as stored
    click(280, 108)
    run("xdotool", "type", "--delay", "20", folder)
    click(w - 211, h - 23)  # Далее: the names
    click(480, 158)  # the first graph's file name
    run("xdotool", "type", "--delay", "40", "alpha")
    p.key("Return", "Down")
    run("xdotool", "type", "--delay", "40", "beta")
    time.sleep(0.3)
    click(w - 127, h - 23)  # OK
    wait_for("the wizard to close", lambda: wizard not in visible_windows())
    wait_for("the typed names' files", lambda: sorted(os.listdir(folder)) == ["alpha.txt", "beta.txt"] or None,
             timeout=5)


def case_stored_typed_names_lead_to_the_names_page(p):
    stored_typed_names_lead_to_the_names_page(p)


def case_stored_typed_names_lead_to_the_names_page_managed(p):
    stored_typed_names_lead_to_the_names_page(p)


WINDOW_MANAGED.add("stored_typed_names_lead_to_the_names_page_managed")
for _name in ("stored_typed_names_lead_to_the_names_page", "stored_typed_names_lead_to_the_names_page_managed"):
    CASE_INI[_name] = "[EXPORT_DATA]\nSaveBundle=0\nFileNameGenerating=2\n"

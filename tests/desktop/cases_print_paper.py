# The paper chosen for printing reaches the queue. Bare and under openbox.


def open_printer_setup(p, dialog):
    """Принтер... in the print dialog: the set-up window, and its place."""
    x, y, w, h = geometry(dialog)
    run("xdotool", "mousemove", str(x + 56), str(y + h - 18), "click", "1")  # Принтер...
    setup = wait_for("the printer set-up", lambda: next((o for o in p.others() if o != dialog), None))
    time.sleep(0.5)
    return setup, geometry(setup)


def drop_setup_list(p, setup_place, dy, what):
    """Drops the set-up's list dy pixels below its top (the printers at 42, the papers at 72)."""
    sx, sy, sw, sh = setup_place
    before = set(p.others(named=False))
    run("xdotool", "mousemove", str(sx + 200), str(sy + dy), "click", "1")
    return wait_for(what, lambda: next(iter(set(p.others(named=False)) - before), None))


def print_on_the_paper_chosen(p):
    # Файл > Печать... with the test queue; Принтер... and A5 picked from the paper list; OK;
    # Печать. The queue's page is an A5 page (not the A5 layout centred on the queue's paper).
    if subprocess.run(["lpstat", "-p", PRINT_QUEUE], capture_output=True).returncode != 0 or \
            not os.path.isdir(PRINT_FOLDER):
        print("skipped: the print queue %s is not set up (scripts/cups.sh)" % PRINT_QUEUE)
        sys.exit(SKIPPED)
    p.paste_graph()
    started = time.time()
    keys_to(p.main, "F10", "Down", "Down", "Down", "Return")
    dialog = wait_for("the print dialog", lambda: next(iter(p.others()), None), timeout=15)
    time.sleep(1.0)
    x, y, w, h = geometry(dialog)
    setup, place = open_printer_setup(p, dialog)
    sx, sy, sw, sh = place
    listed = drop_setup_list(p, place, 72, "the paper list")
    lx, ly, lw, lh = geometry(listed)
    papers = 6  # A4, A3, A5, B5, Letter, Legal
    run("xdotool", "mousemove", str(lx + lw // 2), str(ly + int(2.5 * lh / papers)), "click", "1")
    wait_for("the list to close", lambda: listed not in visible_windows(named=False))
    time.sleep(0.3)
    run("xdotool", "mousemove", str(sx + 190), str(sy + 167), "click", "1")  # OK
    wait_for("the set-up to close", lambda: setup not in visible_windows())
    time.sleep(0.5)
    run("xdotool", "mousemove", str(x + 264), str(y + h - 18), "click", "1")  # Печать

    def job():
        for name in os.listdir(PRINT_FOLDER):
            path = os.path.join(PRINT_FOLDER, name)
            if name.endswith(".pdf") and os.path.getmtime(path) >= started:
                info = subprocess.run(["pdfinfo", path], capture_output=True, text=True)
                if info.returncode == 0:
                    return info.stdout
        return None

    info = wait_for("the queue's PDF", job, timeout=60)
    size = next(line for line in info.splitlines() if line.startswith("Page size:"))
    width, height = (float(v) for v in size.split(":")[1].split("pts")[0].split(" x "))
    assert abs(width - 419.5) < 2 and abs(height - 595.3) < 2, "the queue's page: " + size
    keys_to(dialog, "Escape")
    wait_for("the dialog to close", lambda: dialog not in visible_windows())


def case_print_on_the_paper_chosen(p):
    print_on_the_paper_chosen(p)


def case_print_on_the_paper_chosen_managed(p):
    print_on_the_paper_chosen(p)


WINDOW_MANAGED.add("print_on_the_paper_chosen_managed")
for _name in ("print_on_the_paper_chosen", "print_on_the_paper_chosen_managed"):
    CASE_INI[_name] = "[PRINT]\nPrinterName=%s\nShowMargins=0\nOrientation=0\n" % PRINT_QUEUE


def printer_picked_stays_when_a_queue_is_added(p):
    # Файл > Печать..., Принтер..., the last printer of the list picked; a queue named to come
    # before it is added to the print system while the set-up is open; OK: the print dialog's
    # caption names the printer picked, not the one that took its place in the list.
    queue = ScratchQueue("KorvalinAdded")
    try:
        p.paste_graph()
        keys_to(p.main, "F10", "Down", "Down", "Down", "Return")
        dialog = wait_for("the print dialog", lambda: next(iter(p.others()), None), timeout=15)
        time.sleep(1.0)
        queue.remove()  # gone before the set-up opens, added again while it is open
        # The last of the list: the PDF printer after a system default, else the last queue.
        queues = [line.split()[1] for line in run("lpstat", "-p").splitlines() if line.startswith("printer ")]
        has_default = subprocess.run(["lpstat", "-d"], capture_output=True, text=True).stdout.count(":") > 0
        last = "PDF" if has_default or not queues else max(queues, key=str.lower)
        setup, place = open_printer_setup(p, dialog)
        listed = drop_setup_list(p, place, 42, "the printer list")
        keys_to(setup, "End", "Return")  # the last printer
        wait_for("the list to close", lambda: listed not in visible_windows(named=False))
        queue.add()
        time.sleep(0.3)
        p.key("Return")  # OK
        wait_for("the set-up to close", lambda: setup not in visible_windows())
        caption = wait_for("the caption", lambda: run("xdotool", "getwindowname", str(dialog)).strip() or None)
        assert caption == "Печать - " + last, (caption, last)
        keys_to(dialog, "Escape")
        wait_for("the dialog to close", lambda: dialog not in visible_windows())
    finally:
        queue.remove()


def case_printer_picked_stays_when_a_queue_is_added(p):
    printer_picked_stays_when_a_queue_is_added(p)


def case_printer_picked_stays_when_a_queue_is_added_managed(p):
    printer_picked_stays_when_a_queue_is_added(p)


WINDOW_MANAGED.add("printer_picked_stays_when_a_queue_is_added_managed")

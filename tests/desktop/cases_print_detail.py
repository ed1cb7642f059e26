# The print dialog's level of detail: the chart's texts at -100, 0 and +100 on the queue's page
# and on the preview's sheet. Bare and under openbox.


def label_rows(image, box):
    """The height in rows of the bottom axis labels' text within box. Below the labels the chart
    draws nothing: the lowest rows holding ink, up to the blank row above them, are the labels';
    the row most of their columns end on is the baseline (commas reach below it), and the text
    stands from there to the top of those rows."""
    x0, y0, x1, y1 = box
    pixels = image.load()

    def dark(x, y):
        return max(pixels[x, y][:3]) < 128

    def inked(y):
        return any(dark(x, y) for x in range(x0, x1))

    bottom = y1 - 1
    while bottom >= y0 and not inked(bottom):
        bottom -= 1
    top = bottom
    while top > y0 and inked(top - 1):
        top -= 1
    ends = {}
    for x in range(x0, x1):
        end = next((y for y in range(bottom, top - 1, -1) if dark(x, y)), None)
        if end is not None:
            ends[end] = ends.get(end, 0) + 1
    baseline = max(ends, key=ends.get)
    return baseline - top + 1


def level_of_detail_scales_the_print(p):
    # Файл > Печать... with the test queue. The level 0 as opened, then the track bar's Home
    # (-100) and End (+100), each printed with Печать; «Норма» brings back the level-0 sheet. The
    # bottom axis labels' text takes 2, 1 and 0.5 times its level-0 share of the queue's page.
    if subprocess.run(["lpstat", "-p", PRINT_QUEUE], capture_output=True).returncode != 0 or \
            not os.path.isdir(PRINT_FOLDER):
        print("skipped: the print queue %s is not set up (scripts/cups.sh)" % PRINT_QUEUE)
        sys.exit(SKIPPED)
    p.paste_graph()
    keys_to(p.main, "F10", "Down", "Down", "Down", "Return")
    dialog = wait_for("the print dialog", lambda: next(iter(p.others()), None), timeout=15)
    time.sleep(1.0)
    x, y, w, h = geometry(dialog)
    client_x, client_y = x + 3, y + h - 3 - 431  # the dialog's client area (409 x 431)

    def sheet():
        shot = ImageGrab.grab(bbox=(x, y, x + w, client_y + 250))  # the preview at the top
        return shot.crop(preview_sheet(shot))

    shown, printed = {}, {}
    for level, key in ((0, None), (-100, "Home"), (100, "End")):
        if key:
            # The track bar takes the key (a click on its channel may move it a page first).
            run("xdotool", "mousemove", str(client_x + 281), str(client_y + 373), "click", "1")
            time.sleep(0.3)
            before = sheet()
            keys_to(dialog, key)
            wait_for("the sheet at %d" % level, lambda: sheet().tobytes() != before.tobytes())
            time.sleep(0.3)
        shown[level] = sheet()
        name = {-100: "minus100", 0: "0", 100: "plus100"}[level]
        ImageGrab.grab(bbox=(x, y, x + w, y + h)).save(os.path.join(p.dir, "print-preview-detail-%s.png" % name))
        started = time.time()
        run("xdotool", "mousemove", str(client_x + 264), str(client_y + 416), "click", "1")  # Печать
        pdf = queue_pdf(started)
        page_png = os.path.join(p.dir, "page%s" % name)
        run("pdftoppm", "-r", "150", "-png", "-singlefile", pdf, page_png)
        os.remove(pdf)
        with Image.open(page_png + ".png") as page:
            page = page.convert("RGB")
            printed[level] = label_rows(page, (0, 0, page.width, page.height)) / page.height
    if os.environ.get("KV_DESKTOP_KEEP"):
        for name in ("minus100", "0", "plus100"):
            shutil.copy(os.path.join(p.dir, "print-preview-detail-%s.png" % name), os.environ["KV_DESKTOP_KEEP"])
    for level in (-100, 100):
        want = 2 ** (-level / 100)
        got = printed[level] / printed[0]
        assert abs(got - want) < 0.15 * want, "the labels at %d: %.2f times their level-0 height" % (level, got)
    # «Норма»: the sheet at level 0 again.
    run("xdotool", "mousemove", str(client_x + 362), str(client_y + 348), "click", "1")
    wait_for("the sheet at level 0 after «Норма»", lambda: sheet().tobytes() == shown[0].tobytes())
    keys_to(dialog, "Escape")
    wait_for("the dialog to close", lambda: dialog not in visible_windows())


def case_level_of_detail_scales_the_print(p):
    level_of_detail_scales_the_print(p)


def case_level_of_detail_scales_the_print_managed(p):
    level_of_detail_scales_the_print(p)


WINDOW_MANAGED.add("level_of_detail_scales_the_print_managed")
for _name in ("level_of_detail_scales_the_print", "level_of_detail_scales_the_print_managed"):
    # Portrait: the test queue turns landscape pages by its own guess of their orientation.
    CASE_INI[_name] = "[PRINT]\nPrinterName=%s\nShowMargins=0\nOrientation=0\n" % PRINT_QUEUE

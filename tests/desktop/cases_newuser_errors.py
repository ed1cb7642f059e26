# Cases of what a new user meets, continued: a picture that cannot be saved and a print job the
# printer does not take are said in Russian, naming the file or the printer.
import re
import stat


RULE = "-" * 27


def message_box_text(p, what, *open_windows):
    """The message box that opens next, over the windows already open, and its message (a box
    copies its caption, message and buttons on Ctrl+C, between rules)."""
    box = wait_for(what, lambda: next(iter(w for w in p.others() if w not in open_windows), None), timeout=10)
    set_clipboard("")
    keys_to(box, "ctrl+c")
    copied = wait_for(what + "'s text", lambda: run("xclip", "-selection", "clipboard", "-o").strip())
    parts = [part.strip() for part in copied.replace("\r", "").split(RULE)]
    assert len(parts) >= 4, copied
    return box, parts[2]


def keep_box_picture(box, name):
    """With KV_DESKTOP_KEEP set, the box's picture is kept there under name."""
    folder = os.environ.get("KV_DESKTOP_KEEP")
    if folder:
        x, y, w, h = geometry(box)
        ImageGrab.grab(bbox=(x, y, x + w, y + h)).save(os.path.join(folder, name))


def latin_words(text, *allowed):
    """Words of Latin letters in text, the allowed names taken out first."""
    for name in allowed:
        text = text.replace(name, "")
    return re.findall(r"[A-Za-z]{2,}", text)


def close_box(p, box):
    p.key("Return")
    wait_for("the box to close", lambda: box not in visible_windows())


def picture_folder_removed_before_the_save(p):
    # Файл > Сохранить как... into a folder of pictures; while the save-image dialog is open the
    # folder goes away (a stick pulled, another program cleaning up). OK says the picture cannot be
    # written, naming the file and why, in Russian; the dialog's work is not reported as done.
    p.paste_graph()
    folder = os.path.join(p.dir, "pictures")
    os.mkdir(folder)
    path = os.path.join(folder, "chart.bmp")
    options = open_save_picture_dialog(p, path)
    assert "BMP" in run("xdotool", "getwindowname", str(options)), "the dialog saves a BMP"
    shutil.rmtree(folder)
    keys_to(options, "Return")  # OK
    wait_for("the save-image dialog to close", lambda: options not in visible_windows())
    box, text = message_box_text(p, "the error box")
    keep_box_picture(box, "picture-save-error.png")
    assert text.startswith('Не удается записать файл "%s": ' % path), text
    assert "нет такого файла или папки" in text, text
    assert not latin_words(text, path), text
    assert not os.path.exists(folder)
    close_box(p, box)
    assert p.running()


def case_picture_folder_removed_before_the_save_is_said(p):
    picture_folder_removed_before_the_save(p)


def case_picture_folder_removed_before_the_save_is_said_managed(p):
    picture_folder_removed_before_the_save(p)


WINDOW_MANAGED.add("picture_folder_removed_before_the_save_is_said_managed")


def picture_over_a_pipe(p):
    # A pipe (or a device) where the picture should go: the file dialog asks whether to replace
    # it, "Да"; OK in the save-image dialog says it is not a file, naming it, in Russian, and the
    # pipe stays.
    p.paste_graph()
    path = os.path.join(p.dir, "pipe.bmp")
    os.mkfifo(path)
    dialog = type_picture_path(p, path)
    question = wait_for("the replace question", lambda: next(iter(w for w in p.others() if w != dialog), None))
    time.sleep(0.3)
    keys_to(question, "Return")  # Да, the default
    wait_for("the file dialog to close", lambda: dialog not in visible_windows(), timeout=15)
    options = wait_for("the save-image dialog", lambda: next(iter(p.others()), None), timeout=8)
    keys_to(options, "Return")  # OK
    wait_for("the save-image dialog to close", lambda: options not in visible_windows())
    box, text = message_box_text(p, "the error box")
    keep_box_picture(box, "picture-over-a-pipe-error.png")
    assert text == 'Не удается записать файл "%s": это не обычный файл.' % path, text
    assert stat.S_ISFIFO(os.stat(path).st_mode), "the pipe was replaced"
    close_box(p, box)


def case_picture_over_a_pipe_is_said(p):
    picture_over_a_pipe(p)


def case_picture_over_a_pipe_is_said_managed(p):
    picture_over_a_pipe(p)


WINDOW_MANAGED.add("picture_over_a_pipe_is_said_managed")


class ScratchQueue:
    """A print queue of the case's own (its jobs would land as PDF files), removed at the end."""

    def __init__(self, prefix="KorvalinRefusing"):
        self.name = "%s%d" % (prefix, os.getpid())
        if not self.add():
            print("skipped: cannot add a print queue here (scripts/cups.sh starts the print system)")
            raise SystemExit(SKIPPED)

    def add(self):
        made = subprocess.run(["lpadmin", "-p", self.name, "-E", "-v", "cups-pdf:/", "-P",
                               "/usr/share/ppd/cups-pdf/CUPS-PDF_noopt.ppd"], capture_output=True)
        return made.returncode == 0

    def remove(self):
        subprocess.run(["lpadmin", "-x", self.name], capture_output=True)


def print_errors_name_the_printer(p):
    # Файл > Печать... to a queue that does not accept jobs (its administrator closed it): "Печать"
    # says the printer did not take the job, naming it, in Russian, and the dialog stays open.
    # Then the queue is removed while the dialog is open: "Печать" says the printer is gone.
    queue = ScratchQueue()
    try:
        run("cupsreject", queue.name)
        with open(p.ini, "a", encoding="utf-8") as f:
            f.write("[PRINT]\nPrinterName=%s\n" % queue.name)
        p.paste_graph()
        keys_to(p.main, "F10", "Down", "Down", "Down", "Return")
        dialog = wait_for("the print dialog", lambda: next(iter(p.others()), None), timeout=15)
        time.sleep(1.0)
        assert queue.name in run("xdotool", "getwindowname", str(dialog)), "the dialog prints to the queue"
        for step, reason, picture in (("refusing", "принтер не принимает задания", "print-error-refused.png"),
                                      ("removed", "принтер больше недоступен", "print-error-removed.png")):
            if step == "removed":
                queue.remove()
            keys_to(dialog, "Return")  # Печать, the default button
            box, text = message_box_text(p, "the error box (%s)" % step, dialog)
            keep_box_picture(box, picture)
            assert text.startswith('Не удалось напечатать на принтере "%s": ' % queue.name), text
            assert reason in text, text
            assert not latin_words(text, queue.name), text
            close_box(p, box)
            assert dialog in visible_windows(), "the print dialog stays open"
        keys_to(dialog, "Escape")
        wait_for("the print dialog to close", lambda: dialog not in visible_windows())
    finally:
        queue.remove()


def case_print_errors_name_the_printer(p):
    print_errors_name_the_printer(p)


def case_print_errors_name_the_printer_managed(p):
    print_errors_name_the_printer(p)


WINDOW_MANAGED.add("print_errors_name_the_printer_managed")


def pdf_printer_folder_removed_between_prints(p):
    # The PDF printer asks for its file once: printed into a folder, which then goes away, the
    # next "Печать" says the file cannot be written, naming it, in Russian.
    folder = os.path.join(p.dir, "prints")
    os.mkdir(folder)
    path = os.path.join(folder, "chart.pdf")
    with open(p.ini, "a", encoding="utf-8") as f:
        f.write("[PRINT]\nPrinterName=PDF\n")
    p.paste_graph()
    keys_to(p.main, "F10", "Down", "Down", "Down", "Return")
    dialog = wait_for("the print dialog", lambda: next(iter(p.others()), None), timeout=15)
    time.sleep(1.0)
    assert run("xdotool", "getwindowname", str(dialog)).strip() == "Печать - PDF"
    keys_to(dialog, "Return")  # Печать: the file dialog asks where
    files = wait_for("the file dialog", lambda: next(iter(w for w in p.others() if w != dialog), None), timeout=15)
    time.sleep(0.5)
    keys_to(files, Typed(path, delay=20), "Return")
    wait_for("the file dialog to close", lambda: files not in visible_windows(), timeout=15)
    wait_for("the PDF", lambda: os.path.exists(path) and os.path.getsize(path) > 500, timeout=15)
    shutil.rmtree(folder)
    keys_to(dialog, "Return")  # Печать again, to the same file
    box, text = message_box_text(p, "the error box", dialog)
    keep_box_picture(box, "pdf-print-error.png")
    assert text.startswith('Не удается записать файл "%s": ' % path), text
    assert "нет такого файла или папки" in text, text
    assert not latin_words(text, path), text
    close_box(p, box)
    assert dialog in visible_windows(), "the print dialog stays open"


def case_pdf_printer_folder_removed_between_prints_is_said(p):
    pdf_printer_folder_removed_between_prints(p)


def case_pdf_printer_folder_removed_between_prints_is_said_managed(p):
    pdf_printer_folder_removed_between_prints(p)


WINDOW_MANAGED.add("pdf_printer_folder_removed_between_prints_is_said_managed")

# The signals of a session's end (SIGTERM, SIGHUP, SIGINT) while a stock dialog of the desktop
# shows a window of its own above itself: the file dialog's "file not found" box, its question
# before deleting a file and its context menu, and the folder dialog's "folder not found" box. Each
# signal ends the program within seconds, as it does in every other state, with this run's recent
# files and settings kept, and what the window asked is not done.


def windows_above_the_main_one(p, count, what):
    """Waits until count windows (menus too) show besides the main window; they are returned."""
    return wait_for(what, lambda: (lambda shown: shown if len(shown) >= count else None)(p.others(named=False)),
                    timeout=10)


def open_dialog(p):
    """Ctrl+O: the graph file dialog, in the folder of the file opened last; its window."""
    keys_to(p.main, "ctrl+o")
    dialog = wait_for("the file dialog", lambda: next(iter(p.others()), None), timeout=15)
    time.sleep(0.5)
    return dialog


def file_not_found(p, folder):
    # A name no file has, Enter: the dialog's "file not found" box.
    dialog = open_dialog(p)
    keys_to(dialog, Typed(os.path.join(folder, "no such file.txt"), delay=20), "Return")
    return windows_above_the_main_one(p, 2, "the box saying the file is not there")


def victim(folder):
    return os.path.join(folder, "victim.txt")


def key_on_a_selected_file(p, folder, key, what):
    # A file's name typed (the list selects it), Shift+Tab to the list, the key.
    with open(victim(folder), "w") as f:
        f.write(GRAPH_TEXT)
    dialog = open_dialog(p)
    keys_to(dialog, Typed("victim.txt", delay=20))
    time.sleep(0.5)
    p.key("shift+Tab", key)
    return windows_above_the_main_one(p, 2, what)


def delete_question(p, folder):
    # Delete: the dialog asks whether to delete the file.
    return key_on_a_selected_file(p, folder, "Delete", "the question before deleting the file")


def context_menu(p, folder):
    # The menu key: the file list's context menu (Переименовать, Удалить, ...).
    return key_on_a_selected_file(p, folder, "Menu", "the file list's context menu")


def folder_not_found(p, folder):
    # Two more graphs pasted and selected, Файл > Сохранить как: the save wizard; "Сохранить
    # графики в разные файлы", Далее twice, "..." beside the folder: the folder dialog; a folder
    # no one made typed, Enter: its "folder not found" box.
    wizard, (x, y, w, h) = save_wizard_over_two_selected_graphs(p)
    for cx, cy in ((165, 111), (w - 211, h - 23), (w - 211, h - 23), (425, 108)):
        run("xdotool", "mousemove", str(x + cx), str(y + cy), "click", "1")
        time.sleep(0.4)
    folders = wait_for("the folder dialog", lambda: next(iter(set(p.others()) - {wizard}), None), timeout=10)
    time.sleep(0.5)
    keys_to(folders, Typed(os.path.join(folder, "no such folder"), delay=20), "Return")
    return windows_above_the_main_one(p, 3, "the box saying the folder is not there")


def signals_end_the_program_behind(p, bring_up, kept=()):
    # For each signal in turn: the program started again, a file opened (its folder is the
    # dialogs' next one), the window brought up; the signal ends the program with exit code 0
    # within seconds, the file on top of its recent files and the folder it opened from kept. The
    # files kept(folder) names are still there.
    p.proc.kill()
    p.proc.wait()
    p.preexec = default_end_signals
    for number in (signal.SIGTERM, signal.SIGHUP, signal.SIGINT):
        name = signal.Signals(number).name
        folder, path = started_on_a_graph_of_its_own_folder(p, name)
        shown = bring_up(p, folder)
        keep = os.environ.get("KV_DESKTOP_KEEP")
        if keep:
            ImageGrab.grab().save(os.path.join(keep, "%s-%s.png" % (bring_up.__name__, name)))
        p.proc.send_signal(number)
        ended = wait_for_or_none(lambda: p.proc.poll() is not None, 10)
        assert ended, "%s: the program did not end behind %d windows" % (name, len(shown))
        assert p.proc.returncode == 0, "%s: ended by %s" % (name, p.proc.returncode)
        assert recent_files(p)[:1] == [path], "%s: %r" % (name, recent_files(p))
        assert "OpenDir=%s" % folder in p.settings(), "%s: %s" % (name, p.settings())
        for left in kept:
            assert os.path.exists(left(folder)), "%s: %s is gone" % (name, left(folder))


def case_signals_end_the_program_behind_file_not_found(p):
    signals_end_the_program_behind(p, file_not_found)


def case_signals_end_the_program_behind_file_not_found_managed(p):
    signals_end_the_program_behind(p, file_not_found)


def case_signals_end_the_program_behind_the_delete_question(p):
    signals_end_the_program_behind(p, delete_question, kept=[victim])


def case_signals_end_the_program_behind_the_delete_question_managed(p):
    signals_end_the_program_behind(p, delete_question, kept=[victim])


def case_signals_end_the_program_behind_the_file_lists_menu(p):
    signals_end_the_program_behind(p, context_menu, kept=[victim])


def case_signals_end_the_program_behind_the_file_lists_menu_managed(p):
    signals_end_the_program_behind(p, context_menu, kept=[victim])


def case_signals_end_the_program_behind_folder_not_found(p):
    signals_end_the_program_behind(p, folder_not_found)


def case_signals_end_the_program_behind_folder_not_found_managed(p):
    signals_end_the_program_behind(p, folder_not_found)


WINDOW_MANAGED.update({"signals_end_the_program_behind_file_not_found_managed",
                       "signals_end_the_program_behind_the_delete_question_managed",
                       "signals_end_the_program_behind_the_file_lists_menu_managed",
                       "signals_end_the_program_behind_folder_not_found_managed"})

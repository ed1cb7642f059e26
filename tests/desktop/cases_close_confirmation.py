# The confirmation of closing a window with graphs, answered from the keyboard. Under a window
# manager Alt+F4 is the manager's own key: it takes the release of Alt, which the box must not
# go on counting as held (Tab and Return would arrive as Alt+Tab and Alt+Return).

def ask_to_close(p):
    keys_to(p.main, "alt+F4")
    return wait_for("the close confirmation", lambda: next(iter(p.others()), None))


def close_confirmation_from_the_keyboard(p):
    p.paste_graph()
    # Tab moves to "Отмена", whose Return keeps the program; Return alone then closes it.
    box = ask_to_close(p)
    keys_to(box, "Tab", "Return")
    wait_for("the box answered with Отмена", lambda: box not in visible_windows(), timeout=5)
    time.sleep(0.5)
    assert p.running(), "Отмена closed the program"
    box = ask_to_close(p)
    keys_to(box, "Return")
    wait_for("the program to end on OK", lambda: not p.running(), timeout=5)


def case_close_confirmation_from_the_keyboard(p):
    close_confirmation_from_the_keyboard(p)


def case_close_confirmation_from_the_keyboard_managed(p):
    close_confirmation_from_the_keyboard(p)


WINDOW_MANAGED.add("close_confirmation_from_the_keyboard_managed")

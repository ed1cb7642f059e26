# Dialogs open with the keys in their first control: what is typed before any click reaches it.

CASE_INI["function_dialog_takes_the_keys_at_once"] = "[EXPRESSION_EDIT]\nStart=0\nStop=2\nStep=1\n"


def case_function_dialog_takes_the_keys_at_once(p):
    # Операции, "График функции...": with no click, End and BackSpace clear the offered formula
    # in the first control (the formula memo), the typed one replaces it and Return is OK; the
    # new graph's text read back through Ctrl+C shows the typed formula.
    menu_command(p, 4, 18)
    dialog = wait_for("the function dialog", lambda: next(iter(p.others()), None))
    wait_for("the dialog to be drawn", lambda: face_share(geometry(dialog)) > 0.2)
    time.sleep(0.4)
    p.key("End", *["BackSpace"] * 8)
    run("xdotool", "type", "--delay", "60", "x*x+3")
    time.sleep(0.3)
    p.key("Return")
    wait_for("the dialog to close", lambda: not p.others())
    text = copy_current_graph_text(p, "the graph's text")
    assert "x*x+3" in text, "clipboard holds " + repr(text)

# A dialog opens with its first control focused, so the keyboard works in it at once: in the
# copy-as-text dialog Space turns "Значения X" off and on, Tab walks on to OK and Enter presses
# it. Bare and under openbox.

def copy_dialog_starts_at_its_first_box(p):
    p.paste_graph()
    time.sleep(0.3)
    rows = (
        # keys before OK, what the copy holds of the graph 1 2 / 2 4 / 3 9
        ((), ("1", "2", "3", "4", "9")),  # both columns, as stored
        (("space",), ("4", "9")),  # X turned off: the Y column alone
        (("space",), ("1", "2", "3", "4", "9")),  # X, off since the last OK, on again
    )
    for keys, expected in rows:
        text = copy_current_graph_text(p, "the copied text", keys)
        lines = [line for line in text.splitlines() if line.strip() and line.strip()[0].isdigit()]
        values = set(" ".join(lines).replace("\t", " ").split())
        assert set(expected) <= values, "after %r the copy holds %r" % (keys, text)
        if "1" not in expected:  # 1 and 3 are X values only
            assert not {"1", "3"} & values, "after %r X is still copied: %r" % (keys, text)


def case_copy_dialog_starts_at_its_first_box(p):
    copy_dialog_starts_at_its_first_box(p)


def case_copy_dialog_starts_at_its_first_box_managed(p):
    copy_dialog_starts_at_its_first_box(p)


WINDOW_MANAGED.add("copy_dialog_starts_at_its_first_box_managed")

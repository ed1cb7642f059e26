# The resampled arithmetic from the Операции menu on graphs typed as a user types them: a second
# graph's last X on a grid point that the program computes a unit in the last place past it
# still counts there, and a first graph with a repeated X gives its vertical step, no message.


def graph_rows(text):
    """The (X, Y) pairs of a graph's copied text, whichever decimal separator it uses; the
    header lines (the title and such) are not pairs of numbers."""
    rows = []
    for line in text.splitlines():
        try:
            x, y = (float(part) for part in line.replace(",", ".").split())
        except ValueError:
            continue
        rows.append((x, y))
    return rows


def resampled_result(p, first, second, item):
    """Two graphs pasted, the arithmetic command number item of Операции, OK in the graph
    choice with both checked (the first graph the reference): the result's rows."""
    p.paste_graph(first)
    p.paste_graph(second)
    menu_command(p, 4, item)
    choice = wait_for("the graph choice", lambda: next(iter(p.others()), None))
    time.sleep(0.3)
    keys_to(choice, "Return")
    wait_for("the graph choice to close", lambda: not p.others())
    # A fault would show its box now, in place of the copy dialog.
    time.sleep(0.5)
    assert not p.others(), "a box after the command: " + repr([run("xdotool", "getwindowname", str(w)).strip()
                                                            for w in p.others()])
    return graph_rows(copy_current_graph_text(p, "the result's text"))


def sum_counts_an_end_on_a_rounded_grid_point(p):
    # Ten steps per interval: the grid point shown as 1.7 is 1 + 7 * 0.1, just past 1.7.
    rows = resampled_result(p, "0 0\n1 1\n2 4\n3 9\n", "0.1 1\n0.5 5\n0.9 9\n1.3 13\n1.7 17\n", 4)
    assert len(rows) == 31, "the grid has 31 points: %r" % rows
    at = {round(x, 9): y for x, y in rows}
    for x, y in ((0.1, 0.1 + 1), (1.3, 1.9 + 13), (1.7, 3.1 + 17), (1.8, 3.4), (0.0, 0.0)):
        assert abs(at[x] - y) < 1e-9, "the sum at %g is %r, not %g" % (x, at[x], y)


def difference_over_a_repeated_x(p):
    # The first graph steps from 1 to 2 at X = 1: both points stay, each with its own Y, and the
    # second graph is taken away at each.
    rows = resampled_result(p, "0 0\n1 1\n1 2\n2 3\n", "0 0\n2 20\n", 5)
    assert len(rows) == 22, "ten steps on each interval with width, the step's point and the last: %r" % rows
    at_one = [y for x, y in rows if x == 1]
    assert at_one == [1 - 10, 2 - 10], "at X = 1: %r" % at_one
    assert all(abs(y - (x + 1 - 10 * x)) < 1e-9 for x, y in rows if 1 < x <= 2), rows


def case_resampled_sum_counts_an_end_on_a_rounded_grid_point(p):
    sum_counts_an_end_on_a_rounded_grid_point(p)


def case_resampled_sum_counts_an_end_on_a_rounded_grid_point_managed(p):
    sum_counts_an_end_on_a_rounded_grid_point(p)


def case_resampled_difference_over_a_repeated_x(p):
    difference_over_a_repeated_x(p)


def case_resampled_difference_over_a_repeated_x_managed(p):
    difference_over_a_repeated_x(p)


for _name in ("resampled_sum_counts_an_end_on_a_rounded_grid_point", "resampled_difference_over_a_repeated_x"):
    CASE_INI[_name] = CASE_INI[_name + "_managed"] = "PointDecimalSeparator=1\n"
    WINDOW_MANAGED.add(_name + "_managed")

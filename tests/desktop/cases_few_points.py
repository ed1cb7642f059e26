# Cases of files that give too few points: the message says why, counting the lines that could
# not be read as two numbers, for a file of one very long line too.


def single_long_line_says_why(p):
    # A 50 MB file of one line: numbers with no line end between them.
    path = os.path.join(p.dir, "one line.txt")
    with open(path, "w") as f:
        f.write("1 2 3,5 4 " * (5 << 20))
    drop_on_the_chart(p, path)
    text = box_text(p, "the box about the file")
    for part in ("one line.txt", "Слишком мало точек для построения", "строк, не прочитанных как пары чисел: 1"):
        assert part in text, "%r not in the message %r" % (part, text)
    p.key("Return")
    wait_for("the box to close", lambda: not p.others())


def case_single_long_line_says_why(p):
    single_long_line_says_why(p)


def case_single_long_line_says_why_managed(p):
    single_long_line_says_why(p)


WINDOW_MANAGED.add("single_long_line_says_why_managed")

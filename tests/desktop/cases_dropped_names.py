# Cases of files dropped from a file manager whose names are not UTF-8: a name written under
# Windows Cyrillic, and one with a stray byte, open as graphs like any other.


def dropped_names_that_are_not_utf8(p):
    folder = os.fsencode(p.dir)
    for name, text, last in ((b"\xc4\xe0\xed\xed\xfb\xe5 1.txt", GRAPH_TEXT, "3\t9"),  # "Данные 1" in CP1251
                             (b"run\xff2.txt", "5 1\n6 2\n7 3\n", "7\t3")):
        path = os.path.join(folder, name)
        with open(path, "w") as f:
            f.write(text)
        drop_on_the_chart(p, path)
        time.sleep(0.5)
        assert not p.others(), "a box came up for %r: %s" % (name, box_text(p, "the box"))
        copied = copy_current_graph_text(p, "the dropped graph's text")
        assert last in copied, "%r gave the graph %r" % (name, copied)


def case_dropped_names_that_are_not_utf8_open(p):
    dropped_names_that_are_not_utf8(p)


def case_dropped_names_that_are_not_utf8_open_managed(p):
    dropped_names_that_are_not_utf8(p)


WINDOW_MANAGED.add("dropped_names_that_are_not_utf8_open_managed")

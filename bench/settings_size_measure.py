#!/usr/bin/python3
"""Starting and ending the program on a large settings file, side by side for several builds:
the time from the start to the main window on the screen, the time from the window's close
request (the window manager's delete message) to the end of the process, which writes the
settings, and the process's peak resident memory.

    tests/desktop/with_display.sh 1280x1024 bench/settings_size_measure.py [--mb N] [--runs R] \\
        PROGRAM [PROGRAM...]

The settings file holds the program's own section and N megabytes (default 100) of another
section, as a file that other tools or years of use filled; every run starts from the same file
in a folder of its own. The programs take turns run by run, so that a busy machine weighs on them
alike; the median of the runs is reported with the fastest and slowest.
"""
import argparse
import os
import shutil
import statistics
import subprocess
import tempfile
import time

from Xlib import X, display, protocol


def run(*args):
    return subprocess.run(args, check=True, capture_output=True, text=True).stdout


def wait_for(what, condition, timeout=120.0, pause=0.01):
    end = time.time() + timeout
    while time.time() < end:
        value = condition()
        if value:
            return value
        time.sleep(pause)
    raise AssertionError("timed out waiting for " + what)


def main_window():
    try:
        ids = run("xdotool", "search", "--onlyvisible", "--name", "^Korvalin 4$").split()
    except subprocess.CalledProcessError:
        return None
    return int(ids[0]) if ids else None


def request_close(win):
    d = display.Display()
    try:
        w = d.create_resource_object("window", win)
        event = protocol.event.ClientMessage(window=w, client_type=d.intern_atom("WM_PROTOCOLS"),
                                             data=(32, [d.intern_atom("WM_DELETE_WINDOW"), X.CurrentTime, 0, 0, 0]))
        w.send_event(event)
        # A round trip before the connection closes: closed straight after its last request, the
        # connection can have that request dropped unhandled by a busy server, and the measure
        # would wait for an exit that was never asked.
        d.sync()
    finally:
        d.close()


def settings_text(megabytes):
    line = "Entry%08d=" + "v" * 48 + "\n"
    count = megabytes * (1 << 20) // len(line % 0)
    return "[PREFERENCES]\nConfirmClose=0\n\n[HISTORY]\n" + "".join(line % i for i in range(count))


def one_run(program, text):
    folder = tempfile.mkdtemp(prefix="kv-settings-measure-")
    try:
        exe = os.path.join(folder, "korvalin")
        shutil.copy(program, exe)
        with open(os.path.join(folder, "korvalin.ini"), "w") as f:
            f.write(text)
        start = time.monotonic()
        proc = subprocess.Popen([exe], cwd=folder, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        win = wait_for("the main window", lambda: proc.poll() is None and main_window())
        shown = time.monotonic() - start
        time.sleep(1.0)
        closing = time.monotonic()
        request_close(win)
        _, status, usage = os.wait4(proc.pid, 0)
        ended = time.monotonic() - closing
        proc.returncode = status
        kept = os.path.getsize(os.path.join(folder, "korvalin.ini"))
        assert kept >= len(text) - 64, "the settings file lost lines: %d of %d bytes" % (kept, len(text))
        return shown, ended, usage.ru_maxrss / 1024.0
    finally:
        shutil.rmtree(folder, ignore_errors=True)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--mb", type=int, default=100)
    parser.add_argument("--runs", type=int, default=3)
    parser.add_argument("programs", nargs="+")
    args = parser.parse_args()
    text = settings_text(args.mb)
    results = {p: [] for p in args.programs}
    for _ in range(args.runs):
        for program in args.programs:
            results[program].append(one_run(program, text))
    print("settings file %d MB, %d runs: median (fastest .. slowest)" % (args.mb, args.runs))
    for program, runs in results.items():
        figures = []
        for index, unit in ((0, "s start"), (1, "s exit"), (2, "MB peak")):
            values = [r[index] for r in runs]
            figures.append("%.2f (%.2f .. %.2f) %s" % (statistics.median(values), min(values), max(values), unit))
        print("%s\n  %s" % (program, ", ".join(figures)))


if __name__ == "__main__":
    main()

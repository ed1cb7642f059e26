#!/usr/bin/python3
"""Opening a large two-column file in the program as a user does, timed from the Enter that
closes the file dialog to the first screen frame that shows the graph, and the memory the
program holds for it (resident bytes a point above the empty program that has shown the file
dialog once, its peak too).

    xvfb-run -a -s "-screen 0 1280x1024x24" bench/open_file_measure.py build/korvalin [LINES] [RUNS]

The file is BM_ImportTwoColumn's (/tmp/kv_bench_twocolumn_<LINES>.txt, written here when it is
missing); each run starts the program afresh in a folder of its own, and the median of the runs
is reported with the fastest and slowest. The screen is sampled as fast as the X server gives
pictures of the chart (a few milliseconds a picture), so a figure may be late by one sample.
"""
import math
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

from PIL import ImageGrab


def run(*args):
    return subprocess.run(args, check=True, capture_output=True, text=True).stdout


def wait_for(what, condition, timeout=30.0, pause=0.02):
    end = time.time() + timeout
    while time.time() < end:
        value = condition()
        if value:
            return value
        time.sleep(pause)
    raise AssertionError("timed out waiting for " + what)


def windows():
    try:
        return [int(w) for w in run("xdotool", "search", "--onlyvisible", "--name", ".").split()]
    except subprocess.CalledProcessError:
        return []


def geometry(win):
    values = dict(line.split("=") for line in run("xdotool", "getwindowgeometry", "--shell", str(win)).split())
    return int(values["X"]), int(values["Y"]), int(values["WIDTH"]), int(values["HEIGHT"])


def memory(pid):
    """Resident bytes now and at the peak."""
    values = {}
    with open("/proc/%d/status" % pid) as f:
        for line in f:
            key, _, rest = line.partition(":")
            if key in ("VmRSS", "VmHWM"):
                values[key] = int(rest.split()[0]) * 1024
    return values["VmRSS"], values["VmHWM"]


def two_column_file(lines):
    name = "/tmp/kv_bench_twocolumn_%d.txt" % lines
    if not os.path.exists(name):
        with open(name + ".part", "w") as f:
            for i in range(lines):
                x = i * 0.001
                f.write("%.6f\t%.6f\n" % (x, 100.0 * math.sin(x) * math.exp(-x / 500.0)))
        os.replace(name + ".part", name)
    return name


def red_pixels(box):
    """Pixels of the first graph's colour (red) on the screen in box."""
    image = ImageGrab.grab(bbox=box)
    return sum(1 for r, g, b in image.getdata() if r > 180 and g < 90 and b < 90)


def one_run(binary, path):
    folder = tempfile.mkdtemp(prefix="kv-open-")
    exe = os.path.join(folder, "korvalin")
    shutil.copy(binary, exe)
    with open(os.path.join(folder, "korvalin.ini"), "w") as f:
        f.write("[PREFERENCES]\nPointDecimalSeparator=1\n")
    proc = subprocess.Popen([exe], cwd=folder, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        main = wait_for("the main window", lambda: next(iter(windows()), None))
        time.sleep(1.0)
        x, y, w, h = geometry(main)
        box = (x, y, x + w, y + h)
        run("xdotool", "mousemove", str(x + w // 2), str(y + h // 2), "click", "1")
        time.sleep(0.3)
        # The empty program has shown the file dialog once: what the dialog keeps is not the file's.
        run("xdotool", "key", "ctrl+o")
        dialog = wait_for("the file dialog", lambda: next((d for d in windows() if d != main), None))
        time.sleep(0.5)
        run("xdotool", "key", "Escape")
        wait_for("the file dialog to close", lambda: dialog not in windows())
        time.sleep(0.3)
        empty_rss, _ = memory(proc.pid)
        with open("/proc/%d/clear_refs" % proc.pid, "w") as f:
            f.write("5")  # the peak starts anew
        run("xdotool", "key", "ctrl+o")
        dialog = wait_for("the file dialog", lambda: next((d for d in windows() if d != main), None))
        time.sleep(0.5)
        run("xdotool", "type", "--delay", "10", path)
        time.sleep(0.3)
        before = red_pixels(box)
        start = time.perf_counter()
        run("xdotool", "key", "Return")
        wait_for("the graph", lambda: red_pixels(box) > before + 200, timeout=60, pause=0)
        seconds = time.perf_counter() - start
        time.sleep(0.5)
        rss, peak = memory(proc.pid)
        del dialog
        return seconds, rss - empty_rss, peak - empty_rss
    finally:
        proc.kill()
        proc.wait()
        shutil.rmtree(folder, ignore_errors=True)


def main():
    binary = sys.argv[1]
    lines = int(sys.argv[2]) if len(sys.argv) > 2 else 10000000
    runs = int(sys.argv[3]) if len(sys.argv) > 3 else 5
    path = two_column_file(lines)
    results = [one_run(binary, path) for _ in range(runs)]
    times = sorted(r[0] for r in results)
    print("open %d lines, Enter to the drawn graph: %.3f s (%.3f .. %.3f)" %
          (lines, statistics.median(times), times[0], times[-1]))
    print("  resident bytes a point above the empty program: %.1f, at the peak %.1f" %
          (statistics.median(r[1] for r in results) / lines, statistics.median(r[2] for r in results) / lines))


if __name__ == "__main__":
    main()

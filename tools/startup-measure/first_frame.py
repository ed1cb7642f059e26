#!/usr/bin/python3
"""The start-up measure: from starting the program to the first painted frame of its main
window on the X display (run under xvfb-run), with the settings holding a stored theme, so that
the docks, toolbars and status bar come up painted by it. Each run starts the program in a
folder of its own; the median and the fastest run are printed.

    first_frame.py PROGRAM [RUNS] [THEME]
"""
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time


def one_run(binary, theme):
    folder = tempfile.mkdtemp(prefix="kv-startup-")
    try:
        exe = os.path.join(folder, "korvalin")
        shutil.copy(binary, exe)
        with open(os.path.join(folder, "korvalin.ini"), "w", encoding="utf-8") as f:
            f.write("[PREFERENCES]\nTheme=%s\n" % theme)
        env = dict(os.environ, KV_REPORT_FIRST_FRAME="1")
        started = time.monotonic_ns()
        proc = subprocess.Popen([exe], cwd=folder, env=env, stderr=subprocess.PIPE, text=True)
        try:
            for line in proc.stderr:
                if line.startswith("first-frame "):
                    return (int(line.split()[1]) - started) / 1e6
            raise SystemExit("first_frame: the program ended before painting a frame")
        finally:
            proc.kill()
            proc.wait()
    finally:
        shutil.rmtree(folder, ignore_errors=True)


def main():
    binary = sys.argv[1]
    runs = int(sys.argv[2]) if len(sys.argv) > 2 else 15
    theme = sys.argv[3] if len(sys.argv) > 3 else "DefaultXP"
    one_run(binary, theme)  # the first start pays for cold caches
    times = [one_run(binary, theme) for _ in range(runs)]
    print("start to first painted frame, theme %s, %d runs: median %.1f ms, fastest %.1f ms"
          % (theme, runs, statistics.median(times), min(times)))


if __name__ == "__main__":
    main()

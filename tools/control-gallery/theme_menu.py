#!/usr/bin/python3
"""Switches the control gallery's theme from its theme menu on the X server (run under xvfb-run),
with the real pointer and keyboard: to Aluminum, checking that the bars were painted again in
it, then to DefaultXP. With KV_SHOT set it saves a picture of the form in DefaultXP there, the
pointer over a button; with KV_MENU_SHOT one of the open theme menu.

    theme_menu.py GALLERY
"""
import os
import subprocess
import sys
import tempfile
import time

from PIL import ImageGrab


def run(*args):
    return subprocess.run(args, check=True, capture_output=True, text=True).stdout


def main(gallery):
    out = tempfile.NamedTemporaryFile("w+", delete=False)
    proc = subprocess.Popen([gallery], stdout=out, stderr=subprocess.STDOUT)

    def lines():
        with open(out.name) as f:
            return f.read().splitlines()

    def wait_for(prefix, timeout=10.0):
        end = time.time() + timeout
        while time.time() < end:
            found = [l for l in lines() if l.startswith(prefix)]
            if found:
                return found[0]
            if proc.poll() is not None:
                break
            time.sleep(0.05)
        proc.kill()
        sys.exit("theme_menu: no '%s' in the output:\n%s" % (prefix, "\n".join(lines())))

    dx, dy = map(int, wait_for("ready ")[len("ready "):].split(","))
    tx, ty = map(int, wait_for("themes at ")[len("themes at "):].split(","))
    win = run("xdotool", "search", "--sync", "--onlyvisible", "--name", "^Korvalin control gallery$").split()[0]
    geo = run("xdotool", "getwindowgeometry", win)
    wx, wy = map(int, geo.split("Position: ")[1].split()[0].split(","))
    ww, wh = map(int, geo.split("Geometry: ")[1].split()[0].split("x"))
    time.sleep(0.5)
    # The bars: the toolbar and the status bar at the bottom of the form.
    bars = (wx, wy + ty - 20, wx + ww, wy + wh)
    before = ImageGrab.grab(bbox=bars)

    def choose(downs, name):
        # The menu opens on a click; its entries are Default, Aluminum, DefaultXP, ... (sorted,
        # Default first): Down reaches the entry, Return chooses it.
        before_lines = len([l for l in lines() if l.startswith("theme ")])
        run("xdotool", "mousemove", str(wx + dx + tx), str(wy + dy + ty), "click", "1")
        time.sleep(0.5)
        run("xdotool", "key", *(["Down"] * downs))
        menu_shot = os.environ.get("KV_MENU_SHOT")
        if menu_shot and name == "DefaultXP":
            time.sleep(0.3)
            ImageGrab.grab(bbox=(wx, wy, wx + ww, wy + wh)).save(menu_shot)
        run("xdotool", "key", "Return")
        end = time.time() + 10
        while len([l for l in lines() if l.startswith("theme ")]) == before_lines and time.time() < end:
            time.sleep(0.05)
        chosen = [l for l in lines() if l.startswith("theme ")][before_lines:]
        if chosen != ["theme " + name]:
            proc.kill()
            sys.exit("theme_menu: chose %r, not %s" % (chosen, name))
        time.sleep(0.5)

    choose(2, "Aluminum")
    after = ImageGrab.grab(bbox=bars)
    changed = sum(1 for a, b in zip(before.getdata(), after.getdata()) if a != b)
    share = changed / float(before.size[0] * before.size[1])
    choose(3, "DefaultXP")
    shot = os.environ.get("KV_SHOT")
    if shot:
        # The pointer over "Открыть" lifts its image in DefaultXP.
        run("xdotool", "mousemove", str(wx + dx + tx + 95), str(wy + dy + ty))
        time.sleep(0.8)
        ImageGrab.grab(bbox=(wx, wy, wx + ww, wy + wh)).save(shot)
    run("xdotool", "key", "Escape")  # Cancel closes the gallery
    proc.wait(timeout=10)
    if share < 0.2:
        sys.exit("theme_menu: only %.0f%% of the bars were painted again" % (share * 100))
    print("theme_menu: Aluminum painted %.0f%% of the bars again; DefaultXP chosen" % (share * 100))


if __name__ == "__main__":
    main(sys.argv[1])

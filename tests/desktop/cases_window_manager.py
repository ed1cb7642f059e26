# Our windows among the desktop's: menus opaque once faded in under a compositing manager. Each
# case runs once on the bare display and once under the window manager (the name ending in
# "_managed").


def with_compositor(body):
    """Runs body with a compositing manager on the display, which blends translucent windows."""
    compositor = subprocess.Popen(["xcompmgr"], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        time.sleep(1.2)  # the program asks the desktop about blending at most once a second
        assert compositor.poll() is None, "the compositor ended"
        return body()
    finally:
        compositor.terminate()
        compositor.wait()


def window_opacity(win):
    """The opacity the window asks of the compositor, 1.0 when it asks none."""
    out = run("xprop", "-id", str(win), "_NET_WM_WINDOW_OPACITY")
    return int(out.split("=")[1]) / 0xFFFFFFFF if "=" in out else 1.0


def menu_opaque_after_fading_in(p):
    # "Правка" opened with the mouse fades in; once it has, the menu hides what lies below it:
    # no translucency asked, its face drawn in the face colour itself, not blended.
    def check():
        x, y, _, _ = geometry(p.main)
        run("xdotool", "mousemove", str(x + 60), str(y + 32), "click", "1")
        menu = wait_for("the menu", lambda: next(iter(p.others(named=False)), None))
        time.sleep(0.6)  # the fade takes 150 ms
        menus = p.others(named=False)
        assert all(window_opacity(w) == 1.0 for w in menus), [window_opacity(w) for w in menus]
        share = face_share(geometry(menu))
        assert share > 0.5, "the menu's face is %.0f%% face colour: blended with what lies below" % (share * 100)
        p.key("Escape", "Escape")

    with_compositor(check)


def case_menu_opaque_after_fading_in(p):
    menu_opaque_after_fading_in(p)


def case_menu_opaque_after_fading_in_managed(p):
    menu_opaque_after_fading_in(p)


WINDOW_MANAGED.add("menu_opaque_after_fading_in_managed")

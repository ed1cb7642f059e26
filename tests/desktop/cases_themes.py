# Themes on the real desktop: the drop shadow of a themed menu (Dream asks for layered shadows).


def menu_shadow_bands(p):
    """Opens the File menu and returns (menu geometry, geometry of the band along its right edge)."""
    keys_to(p.main, "F10", "Down")  # Файл
    def largest():
        # The menu, not one of the shadow bands beside it.
        shown = [(geometry(w), w) for w in p.others(named=False)]
        return max(shown, key=lambda g: g[0][2] * g[0][3])[1] if shown else None

    menu = wait_for("the menu", lambda: (lambda w: w if w and geometry(w)[3] > 20 else None)(largest()))
    x, y, w, h = geometry(menu)

    def band():
        for other in p.others(named=False):
            bx, by, bw, bh = geometry(other)
            if other != menu and bx == x + w and by > y and by < y + h and bh > h // 2:
                return bx, by, bw, bh
        return None

    return (x, y, w, h), wait_for("the shadow beside the menu", band)


def band_pixels(box):
    bx, by, bw, bh = box
    image = ImageGrab.grab(bbox=(bx, by, bx + bw, by + bh)).convert("RGB")
    return [image.getpixel((i, j)) for j in range(bh) for i in range(bw)]


CASE_INI["menu_casts_no_black_band_without_compositor"] = "[PREFERENCES]\nTheme=Dream\n"


def case_menu_casts_no_black_band_without_compositor(p):
    # Plain X without a compositing manager cannot blend: the shadow is the narrow grey band of
    # the low-colour path, never the black of an unblended alpha ramp.
    _, band = menu_shadow_bands(p)
    assert band[2] == 2, "the band is %d pixels wide" % band[2]
    # The band shows the button-shadow grey once painted; an unblended ramp would stay black.
    grey = wait_for("the band in button-shadow grey",
                    lambda: all(px == (0x80, 0x80, 0x80) for px in band_pixels(band)), timeout=3)
    assert grey
    p.key("Escape", "Escape")


CASE_INI["menu_shadow_blends_under_a_compositor"] = "[PREFERENCES]\nTheme=Dream\n"


def case_menu_shadow_blends_under_a_compositor(p):
    # With a compositing manager the shadow keeps its soft ramp, four pixels wide.
    compositor = subprocess.Popen(["xcompmgr"], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        def band_width():
            assert compositor.poll() is None, "the compositor ended"
            _, band = menu_shadow_bands(p)
            p.key("Escape", "Escape")
            wait_for("the menu to close", lambda: not p.others(named=False))
            return band[2] if band[2] == 4 else None

        # The program asks the desktop again at most once a second: menus opened before it
        # noticed the compositor still take the narrow band.
        wait_for("a blended shadow", band_width, timeout=15)
    finally:
        compositor.terminate()
        compositor.wait()

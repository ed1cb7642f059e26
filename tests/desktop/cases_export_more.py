# Picture export on the real desktop: the GIF colour reduction as the save-image dialog offers it.


def case_gif_default_reduction_keeps_a_charts_colours(p):
    # Six graphs, each in its own colour: the dialog's default reduction keeps every colour of
    # the chart (it has fewer than 256), so Pillow reads the GIF as the same picture as the BMP.
    for _ in range(6):
        p.paste_graph()
        time.sleep(0.4)
    bmp = save_picture(p, "chart.bmp", 54)
    gif = save_picture(p, "chart.gif", 100)
    with Image.open(bmp) as b, Image.open(gif) as g:
        assert g.format == "GIF" and g.size == b.size, (g.format, g.size, b.size)
        colours = b.convert("RGB").getcolors(1 << 16)
        assert colours and 8 < len(colours) <= 256, len(colours or ())
        assert list(g.convert("RGB").getdata()) == list(b.convert("RGB").getdata()), "the GIF's colours differ"

# Side-by-side figures for the GIF benchmarks of ExportBench.cpp: rebuilds the same chart picture
# (its integer rules) and times Pillow's GIF writer (BM_GifEncode1600x1200) and Pillow's
# reduction to the web palette with Floyd-Steinberg dithering (BM_ColorReduceDither1600x1200) and
# to an adaptive 256-colour palette (BM_ColorReduceQuantize1600x1200): the palette built first
# (Pillow ignores a dither option when it builds the palette itself), then the picture remapped to
# it with Floyd-Steinberg. Each figure is the median of several runs after one warm-up run, with
# the fastest and slowest. Run with /usr/bin/python3; python_reference.py imports the picture and
# the timing from here.
import io, os, statistics, time

# The peers run with the library's own choice of kernels, whatever the shell exported.
for _name in ('OPENBLAS_CORETYPE', 'OPENBLAS_L2_SIZE'):
    os.environ.pop(_name, None)

import numpy as np
from PIL import Image

W, H = 1600, 1200
# The chart's colours first, then a grey ramp filling the table.
PALETTE = [255, 255, 255, 200, 200, 200, 220, 0, 0, 0, 150, 0, 0, 0, 220, 200, 120, 0, 120, 0, 160]
PALETTE += [v for i in range(7, 256) for v in (i, i, i)]


def chart_picture():
    """The benchmark's chart picture as palette indexes, H rows of W."""
    p = np.zeros((H, W), np.uint8)
    xs = np.arange(W); ys = np.arange(H)
    p[:, xs % 80 == 0] = 1
    p[ys % 60 == 0, :] = 1
    state = 2024
    for line in range(5):
        step = 50
        vertex = []
        for _ in range(W // step + 1):
            state = (state * 1664525 + 1013904223) & 0xFFFFFFFF
            vertex.append(100 + (state >> 8) % 800)
        prev = vertex[0]
        for x in range(W):
            i, t = x // step, x % step
            y = (vertex[i] * (step - t) + vertex[i + 1] * t) // step
            lo, hi = min(y, prev), max(y, prev)
            p[lo:hi + 2, x] = 2 + line
            prev = y
    yy, xx = np.meshgrid(np.arange(1000, 1100, dtype=np.uint32), np.arange(W, dtype=np.uint32), indexing='ij')
    h = (xx * np.uint32(73856093)) ^ (yy * np.uint32(19349663))
    h ^= h >> np.uint32(13); h *= np.uint32(0x5bd1e995); h ^= h >> np.uint32(15)
    p[1000:1100, :] = (h & 0xFF).astype(np.uint8)
    return p


def indexed_picture():
    im = Image.fromarray(chart_picture(), 'P'); im.putpalette(PALETTE)
    return im


def gif_encode(indexed):
    """Pillow's GIF writer on the picture; the file's size."""
    b = io.BytesIO(); indexed.save(b, 'GIF', optimize=False); return len(b.getvalue())


def median_of(f, n=9, warm=True):
    """f warmed by one run, then timed n times: (median ms, fastest ms, slowest ms, f's result)."""
    r = f() if warm else None
    times = []
    for _ in range(n):
        t = time.perf_counter(); r = f(); times.append((time.perf_counter() - t) * 1e3)
    return statistics.median(times), min(times), max(times), r


def show(label, timing, extra=''):
    print('%s ms %.2f (%.2f .. %.2f)%s' % (label, timing[0], timing[1], timing[2], extra))


def colour_error(reduced, true_color):
    """Mean squared error per channel of the reduced picture against the true-colour one."""
    a = np.asarray(reduced.convert('RGB'), dtype=np.float64)
    b = np.asarray(true_color, dtype=np.float64)
    return float(((a - b) ** 2).mean())


if __name__ == '__main__':
    indexed = indexed_picture()
    t = median_of(lambda: gif_encode(indexed))
    show('pillow gif encode', t, ' bytes %d' % t[3])

    rgb = np.array(indexed.convert('RGB'))
    r = (np.arange(W) * 255 // (W - 1)).astype(np.uint8)
    rgb[1120:, :, 0] = r
    rgb[1120:, :, 1] = 128
    rgb[1120:, :, 2] = 255 - r
    true_color = Image.fromarray(rgb, 'RGB')
    t = median_of(lambda: true_color.convert('P', palette=Image.Palette.WEB, dither=Image.Dither.FLOYDSTEINBERG))
    show('pillow web palette + Floyd-Steinberg', t, ' colour error %.2f' % colour_error(t[3], true_color))

    def adaptive(method):
        palette = true_color.quantize(256, method=method, dither=Image.Dither.NONE)
        return true_color.quantize(palette=palette, dither=Image.Dither.FLOYDSTEINBERG)
    for name, method in (('fast octree', Image.Quantize.FASTOCTREE), ('median cut', Image.Quantize.MEDIANCUT)):
        t = median_of(lambda: adaptive(method))
        show('pillow %s 256, then Floyd-Steinberg' % name, t, ' colour error %.2f' % colour_error(t[3], true_color))
    import PIL; print('pillow', PIL.__version__)

# Side-by-side figures for korvalin-bench: rebuilds the same chart picture (integer rules of
# ExportBench.cpp) and times Pillow's GIF writer, then the analysis computations of
# AnalysisBench.cpp on the same data with NumPy/SciPy. Each figure is the best of several runs,
# as the benchmarks' "min" statistic is. Run with /usr/bin/python3.
import io, time, numpy as np
from PIL import Image
W, H = 1600, 1200
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
pal = [255,255,255, 200,200,200, 220,0,0, 0,150,0, 0,0,220, 200,120,0, 120,0,160]
pal += [v for i in range(7, 256) for v in (i, i, i)]
im = Image.fromarray(p, 'P'); im.putpalette(pal)
best = 1e9
for _ in range(5):
    b = io.BytesIO(); t = time.perf_counter(); im.save(b, 'GIF', optimize=False); best = min(best, time.perf_counter() - t)
print('pillow gif ms %.2f bytes %d' % (best * 1e3, len(b.getvalue())))
x = 0.001 + np.arange(1000000) * 1e-4; a = 0.25
best = 1e9
for _ in range(5):
    t = time.perf_counter(); y = np.sin(x) * np.exp(-x / 10) + a * x ** 2; best = min(best, time.perf_counter() - t)
print('numpy expr ms %.2f' % (best * 1e3))

# The analysis benchmarks: two graphs on different X grids, 10^6 points each.
from scipy import interpolate
import scipy
def fastest(f, runs=7):
    best = 1e9
    for _ in range(runs):
        t = time.perf_counter(); f(); best = min(best, time.perf_counter() - t)
    return best * 1e3
N = 1000000
i = np.arange(N, dtype=float)
x1 = 0.001 * i; y1 = np.sin(x1)
x2 = 0.0005 + 0.0011 * i; y2 = np.cos(x2) + 2
print('numpy subtract by index ms %.2f' % fastest(lambda: y1 - y2))
def resampled():
    # The second graph counts where it brackets x: x2[0] <= x < x2[-1].
    inside = (x1 >= x2[0]) & (x1 < x2[-1])
    return y1 - np.where(inside, np.interp(x1, x2, y2), 0)
print('numpy subtract resampled (interp) ms %.2f' % fastest(resampled))
print('numpy derivative (gradient) ms %.2f' % fastest(lambda: np.gradient(y1, x1)))
print('numpy integral (trapz) ms %.2f' % fastest(lambda: np.trapz(y1, x1)))
print('numpy envelope (maximum) ms %.2f' % fastest(lambda: np.maximum(y1, y2)))
xf = i * 1e-5; yf = np.sin(xf) + 0.1 * xf * xf
print('numpy polyfit degree 5 ms %.2f' % fastest(lambda: np.polyfit(xf, yf, 5), 3))
n = 100000
xs = np.arange(n) * 1e-3; ys = np.sin(xs) + 0.1 * np.sin(np.arange(n) * 0.37)
at = np.linspace(xs[0], xs[-1], 601)
print('scipy interpolating cubic spline 1e5 ms %.2f' % fastest(lambda: interpolate.make_interp_spline(xs, ys, k=3)(at), 3))
print('scipy smoothing spline (UnivariateSpline) 1e5 ms %.2f' % fastest(lambda: interpolate.UnivariateSpline(xs, ys)(at), 3))
print('scipy smoothing spline (make_smoothing_spline) 1e5 ms %.2f' % fastest(lambda: interpolate.make_smoothing_spline(xs, ys)(at), 1))
import PIL; print('pillow', PIL.__version__, 'numpy', np.__version__, 'scipy', scipy.__version__)

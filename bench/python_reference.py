# Side-by-side figures for BM_GifEncode1600x1200 and BM_ParserEval1M: rebuilds the same chart
# picture (integer rules of ExportBench.cpp) and times Pillow's GIF writer and the NumPy form of
# the expression, best of 5. Run with /usr/bin/python3.
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
import PIL; print('pillow', PIL.__version__, 'numpy', np.__version__)

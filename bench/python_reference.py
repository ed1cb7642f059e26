# Side-by-side figures for korvalin-bench: the chart picture of gif_reference.py (integer rules of
# ExportBench.cpp) through Pillow's GIF writer, then the analysis computations of
# AnalysisBench.cpp on the same data with NumPy/SciPy. Each figure is the best of several runs,
# as the benchmarks' "min" statistic is. Run with /usr/bin/python3.
import numpy as np
from gif_reference import best_of, gif_encode, indexed_picture
im = indexed_picture()
ms, size = best_of(lambda: gif_encode(im))
print('pillow gif ms %.2f bytes %d' % (ms, size))
x = 0.001 + np.arange(1000000) * 1e-4; a = 0.25
print('numpy expr ms %.2f' % best_of(lambda: np.sin(x) * np.exp(-x / 10) + a * x ** 2)[0])

# The analysis benchmarks: two graphs on different X grids, 10^6 points each.
from scipy import interpolate
import scipy
def fastest(f, runs=7):
    return best_of(f, runs)[0]
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

# The statistical functions of IndicatorBench.cpp on its data: pandas' rolling and exponential
# windows, NumPy's histogram.
import pandas as pd
v = 100 + 20 * np.sin(i / 50) + (np.arange(N) % 7) * 0.1
s = pd.Series(v, index=i)
print('pandas rolling mean ms %.2f' % fastest(lambda: s.rolling(20).mean()))
def bollinger():
    m = s.ewm(span=20, adjust=False).mean(); sd = s.rolling(20).std(ddof=0)
    return m + 2 * sd, m - 2 * sd
print('pandas bollinger ms %.2f' % fastest(bollinger))
def macd():
    m = s.ewm(span=12, adjust=False).mean() - s.ewm(span=26, adjust=False).mean()
    signal = m.ewm(span=9, adjust=False).mean()
    return m, signal, m - signal
print('pandas macd ms %.2f' % fastest(macd))
def rsi():
    d = s.diff(); g = d.clip(lower=0).rolling(13).sum(); l = (-d).clip(lower=0).rolling(13).sum()
    return 100 - 100 / (1 + (g / l).abs())
print('pandas rsi ms %.2f' % fastest(rsi))
print('numpy histogram ms %.2f' % fastest(lambda: np.histogram(v, 100)))

# Side-by-side figures for korvalin-bench: the chart picture of gif_reference.py (integer rules of
# ExportBench.cpp) through Pillow's GIF writer, then the analysis computations of
# AnalysisBench.cpp and PolyFitBench.cpp on the same data with NumPy/SciPy, then the pandas
# counterparts of IndicatorBench.cpp. Each figure is the median of several runs after a warm-up
# run, with the fastest and slowest in brackets. Run with /usr/bin/python3.
from gif_reference import median_of, show, gif_encode, indexed_picture  # clears OPENBLAS_* first
import numpy as np
im = indexed_picture()
t = median_of(lambda: gif_encode(im))
show('pillow gif', t, ' bytes %d' % t[3])
import parser_reference
parser_reference.main()

# The analysis benchmarks: two graphs on different X grids, 10^6 points each.
from scipy import interpolate
import scipy
from scipy import integrate
def timed(label, f, runs=9, warm=True):
    show(label, median_of(f, runs, warm))
N = 1000000
i = np.arange(N, dtype=float)
x1 = 0.001 * i; y1 = np.sin(x1)
x2 = 0.0005 + 0.0011 * i; y2 = np.cos(x2) + 2
timed('numpy subtract by index', lambda: y1 - y2)
def resampled():
    # The second graph counts where it brackets x: x2[0] <= x < x2[-1].
    inside = (x1 >= x2[0]) & (x1 < x2[-1])
    return y1 - np.where(inside, np.interp(x1, x2, y2), 0)
timed('numpy subtract resampled (interp)', resampled)
timed('numpy derivative (gradient)', lambda: np.gradient(y1, x1))
timed('scipy integral (simpson, BM_Integral1M)', lambda: integrate.simpson(y1, x=x1))
timed('numpy envelope (maximum)', lambda: np.maximum(y1, y2))
xf = i * 1e-5; yf = np.sin(xf) + 0.1 * xf * xf
timed('numpy polyfit degree 5 (BM_PolyFit5Solve_1M)', lambda: np.polyfit(xf, yf, 5), 5)
n = 100000
xs = np.arange(n) * 1e-3; ys = np.sin(xs) + 0.1 * np.sin(np.arange(n) * 0.37)
at = np.linspace(xs[0], xs[-1], 601)
timed('scipy interpolating cubic spline 1e5', lambda: interpolate.make_interp_spline(xs, ys, k=3)(at), 5)
timed('scipy smoothing spline (UnivariateSpline) 1e5', lambda: interpolate.UnivariateSpline(xs, ys)(at), 5)
# Half a minute a run: one cold run.
timed('scipy smoothing spline (make_smoothing_spline) 1e5', lambda: interpolate.make_smoothing_spline(xs, ys)(at), 1, False)
import PIL; print('pillow', PIL.__version__, 'numpy', np.__version__, 'scipy', scipy.__version__)

# The statistical functions of IndicatorBench.cpp on its data: pandas' rolling and exponential
# windows (BM_HistogramBars1M draws bars without binning and has no peer here).
import pandas as pd
v = 100 + 20 * np.sin(i / 50) + (np.arange(N) % 7) * 0.1
s = pd.Series(v, index=i)
timed('pandas rolling mean', lambda: s.rolling(20).mean())
def bollinger():
    m = s.ewm(span=20, adjust=False).mean(); sd = s.rolling(20).std(ddof=0)
    return m + 2 * sd, m - 2 * sd
timed('pandas bollinger', bollinger)
def macd():
    m = s.ewm(span=12, adjust=False).mean() - s.ewm(span=26, adjust=False).mean()
    signal = m.ewm(span=9, adjust=False).mean()
    return m, signal, m - signal
timed('pandas macd', macd)
def rsi():
    d = s.diff(); g = d.clip(lower=0).rolling(13).sum(); l = (-d).clip(lower=0).rolling(13).sum()
    return 100 - 100 / (1 + (g / l).abs())
timed('pandas rsi', rsi)

# NumPy's side of BM_ParserEval1M (AnalysisBench.cpp): sin(x)*exp(-x/10)+a*x^2 over the same
# 10^6 float64 points, x = 0.001 + i * 1e-4, a = 0.25, written into an array made beforehand as
# the benchmark writes into its own. Three figures: the plain one-line expression (temporaries
# allocated per call), the same into preallocated arrays on one thread, and that split the way
# the parser splits a block evaluation: runs of whole 256-point blocks, four runs per thread, on
# min(CPU count, 8) threads (NumPy lets go of the interpreter lock inside each array operation).
# Run with /usr/bin/python3; python_reference.py prints these figures with the others.
import os
from concurrent.futures import ThreadPoolExecutor

import numpy as np

from gif_reference import median_of, show

COUNT = 1000000
BLOCK = 256
MOST_THREADS = 8
A = 0.25
X = 0.001 + np.arange(COUNT) * 1e-4


def one_line(x):
    return np.sin(x) * np.exp(-x / 10) + A * x ** 2


def into(x, y, scratch):
    """The expression over x into y, with scratch as working space of the same length."""
    np.sin(x, out=y)
    np.divide(x, -10.0, out=scratch)
    np.exp(scratch, out=scratch)
    np.multiply(y, scratch, out=y)
    np.multiply(x, x, out=scratch)
    scratch *= A
    y += scratch


def runs(count, threads):
    """The [from, to) runs the parser shares out for count points on threads threads."""
    blocks = (count + BLOCK - 1) // BLOCK
    n = min(threads * 4, blocks)
    per_run = (blocks + n - 1) // n * BLOCK
    return [(start, min(count, start + per_run)) for start in range(0, count, per_run)]


def threads_used():
    # The parser asks the C++ library how many processors there are, which counts every one of
    # them, not only those this process may run on.
    return max(1, min(os.cpu_count() or 1, MOST_THREADS))


def shared(pool, x, y, parts):
    def run(part):
        start, stop = part
        into(x[start:stop], y[start:stop], np.empty(stop - start))
    list(pool.map(run, parts))


def main():
    y = np.empty(COUNT)
    scratch = np.empty(COUNT)
    expected = one_line(X)
    into(X, y, scratch)
    assert np.array_equal(y, expected), 'the preallocated form computes other values'
    show('numpy expr one line (BM_ParserEval1M)', median_of(lambda: one_line(X), 21))
    show('numpy expr into arrays, 1 thread', median_of(lambda: into(X, y, scratch), 21))
    threads = threads_used()
    parts = runs(COUNT, threads)
    with ThreadPoolExecutor(threads) as pool:
        y[:] = 0
        shared(pool, X, y, parts)
        assert np.array_equal(y, expected), 'the shared runs compute other values'
        show('numpy expr into arrays, %d threads, %d runs' % (threads, len(parts)),
             median_of(lambda: shared(pool, X, y, parts), 21))


if __name__ == '__main__':
    main()

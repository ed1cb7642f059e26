#!/usr/bin/python3
"""pandas.read_csv on the files BM_ImportTwoColumn writes (/tmp/kv_bench_twocolumn_<n>.txt):
run the benchmark first, then this script. Each figure is the median of several runs after a
warm-up run, with the fastest and slowest in brackets."""
import os
import sys

# The peer runs with the library's own choice of kernels, whatever the shell exported.
for _name in ('OPENBLAS_CORETYPE', 'OPENBLAS_L2_SIZE'):
    os.environ.pop(_name, None)

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from gif_reference import median_of  # noqa: E402
import pandas  # noqa: E402


def main():
    for n in (10000, 100000, 1000000, 10000000):
        name = "/tmp/kv_bench_twocolumn_%d.txt" % n
        if not os.path.exists(name):
            sys.exit("%s is missing: run korvalin-bench --benchmark_filter=ImportTwoColumn first" % name)
        runs = 5 if n >= 10000000 else 9
        t = median_of(lambda: pandas.read_csv(name, sep="\t", header=None, dtype="float64").to_numpy(), runs)
        print("pandas.read_csv %8d lines: %8.2f ms (%.2f .. %.2f)" % (n, t[0], t[1], t[2]))


if __name__ == "__main__":
    main()

#!/usr/bin/python3
"""pandas.read_csv on the files BM_ImportTwoColumn writes (/tmp/kv_bench_twocolumn_<n>.txt):
run the benchmark first, then this script; it prints the best of several runs per size."""
import sys
import time

import pandas


def best_of(fn, runs):
    best = float("inf")
    for _ in range(runs):
        t = time.perf_counter()
        fn()
        best = min(best, time.perf_counter() - t)
    return best


def main():
    for n in (10000, 100000, 1000000):
        name = "/tmp/kv_bench_twocolumn_%d.txt" % n
        try:
            seconds = best_of(lambda: pandas.read_csv(name, sep="\t", header=None, dtype="float64").to_numpy(), 7)
        except FileNotFoundError:
            sys.exit("%s is missing: run korvalin-bench --benchmark_filter=ImportTwoColumn first" % name)
        print("pandas.read_csv %8d lines: %8.2f ms" % (n, seconds * 1000.0))


if __name__ == "__main__":
    main()

#!/usr/bin/python3
"""Turns the search benchmark's JSON output into the README's pictures and table.

Usage: bench/plot.py RESULTS.json OUTPUT_DIR
Makes OUTPUT_DIR/bench_time.png (time against N, log-log, every method) and
OUTPUT_DIR/bench_pairs.png (pairs per second of the brute forces), and prints a Markdown table.
"""

import collections
import json
import sys

import matplotlib

matplotlib.use("Agg")
import matplotlib.pyplot as plt  # noqa: E402


def load(path):
    """{set: {method: {n: (milliseconds, pairs per second)}}}"""
    with open(path) as f:
        runs = json.load(f)["benchmarks"]
    results = collections.defaultdict(lambda: collections.defaultdict(dict))
    for run in runs:
        if run.get("run_type") != "iteration" or run.get("error_occurred"):
            continue
        method, point_set, n = run["name"].split("/")
        results[point_set][method][int(n)] = (run["real_time"], run.get("pairs_per_second"))
    return results


def plot_times(results, path):
    sets = sorted(results)
    fig, axes = plt.subplots(1, len(sets), figsize=(5 * len(sets), 4.5), sharey=True)
    for ax, point_set in zip(axes, sets):
        for method, by_n in sorted(results[point_set].items()):
            ns = sorted(by_n)
            ax.plot(ns, [by_n[n][0] for n in ns], marker="o", label=method)
        ax.set_xscale("log")
        ax.set_yscale("log")
        ax.set_title(point_set)
        ax.set_xlabel("N")
        ax.grid(True, which="both", alpha=0.3)
    axes[0].set_ylabel("milliseconds")
    axes[-1].legend(fontsize=8)
    fig.tight_layout()
    fig.savefig(path, dpi=80)


def plot_pairs(results, path):
    fig, ax = plt.subplots(figsize=(7, 4.5))
    colours = {"brute_plain": "tab:green", "brute_avx2": "tab:blue", "brute_avx512": "tab:orange"}
    styles = ["-", "--", ":", "-."]
    for point_set, style in zip(sorted(results), styles):
        for method, by_n in sorted(results[point_set].items()):
            if method not in colours:
                continue
            ns = sorted(by_n)
            ax.plot(ns, [by_n[n][1] / 1e9 for n in ns], marker="o", linestyle=style, color=colours[method],
                    label=f"{method} {point_set}")
    ax.set_xscale("log")
    ax.set_xlabel("N")
    ax.set_ylabel("billion pairs per second")
    ax.grid(True, alpha=0.3)
    ax.legend(fontsize=7)
    fig.tight_layout()
    fig.savefig(path, dpi=80)


def duration(ms):
    return f"{ms / 1000:.3g} s" if ms >= 1000 else f"{ms:.3g} ms"


def table(results):
    ns = sorted({n for methods in results.values() for by_n in methods.values() for n in by_n})
    print("| set | method | " + " | ".join(f"N = {n:,}" for n in ns) + " |")
    print("| --- | --- |" + " --- |" * len(ns))
    for point_set in sorted(results):
        for method, by_n in sorted(results[point_set].items()):
            cells = [duration(by_n[n][0]) if n in by_n else "" for n in ns]
            print(f"| {point_set} | {method} | " + " | ".join(cells) + " |")


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__.strip())
    results = load(sys.argv[1])
    plot_times(results, f"{sys.argv[2]}/bench_time.png")
    plot_pairs(results, f"{sys.argv[2]}/bench_pairs.png")
    table(results)


if __name__ == "__main__":
    main()

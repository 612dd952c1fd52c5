#!/usr/bin/env python3
"""Turns the JSON output of talkwright_editor_bench --benchmark_filter=LongestStall into the
stall table of BENCHMARKS.md: per interaction, the longest stall at each size, wall clock and
the CPU time of the thread beside it."""
import json
import sys

SIZES = (1000, 10000, 100000)
ORDER = ("select a node", "type a character", "drop a branch", "switch tabs",
         "re-check after an edit", "find's first results")


def stalls(path):
    with open(path) as f:
        data = json.load(f)
    table = {}
    for b in data["benchmarks"]:
        size = int(b["run_name"].split("/")[1])
        for key, value in b.items():
            for unit in (" wall ms", " CPU ms"):
                if key.endswith(unit):
                    table.setdefault(key[:-len(unit)], {}).setdefault(size, {})[unit] = value
    return data["context"], table


def main(path):
    context, table = stalls(path)
    print(f"load average {context.get('load_avg')}")
    print("\n| interaction | 1,000 | 10,000 | 100,000 |")
    print("|---|---:|---:|---:|")
    rows = [r for r in ORDER if r in table] + sorted(r for r in table if r not in ORDER)
    for row in rows:
        cells = []
        for size in SIZES:
            cell = table[row].get(size)
            cells.append(f"{cell[' wall ms']:.1f} / {cell[' CPU ms']:.1f} ms" if cell else "")
        print(f"| {row} | " + " | ".join(cells) + " |")


if __name__ == "__main__":
    main(sys.argv[1])

#!/usr/bin/env python3
"""Turns the JSON output of talkwright_bench (run with repetitions) into the tables of
BENCHMARKS.md: medians per size, growth from 10,000 to 100,000 nodes, and the ratios to the
yardsticks measured in the same run."""
import json
import sys

SIZES = (1000, 10000, 100000)
YARDSTICKS = (("BM_Load", "BM_Load_PlainRead"), ("BM_Save", "BM_Save_PlainWrite"),
              ("BM_Save", "BM_Save_PlainDurable"),
              ("BM_WriteBytes", "BM_WriteBytes_PlainAppend"),
              ("BM_Export", "BM_Export_PlainWrite"))


def medians(path):
    with open(path) as f:
        data = json.load(f)
    result = {}
    for b in data["benchmarks"]:
        if b.get("aggregate_name") != "median":
            continue
        name = b["run_name"].replace("/manual_time", "")
        scale = {"ns": 1e-6, "us": 1e-3, "ms": 1.0, "s": 1e3}[b["time_unit"]]
        result[name] = {"real": b["real_time"] * scale, "cpu": b["cpu_time"] * scale,
                        "lines": b.get("lines"), "bytes": b.get("bytes")}
    return data["context"], result


def main(path):
    context, m = medians(path)
    print(f"Machine: {context.get('num_cpus')} CPUs at {context.get('mhz_per_cpu')} MHz, "
          f"load average {context.get('load_avg')}, {context.get('library_build_type')} library")
    ops = sorted({n.split("/")[0] for n in m if "/" in n})
    print("\n| benchmark | 1,000 | 10,000 | 100,000 | 100k / 10k (real) | 100k / 10k (CPU) |")
    print("|---|---:|---:|---:|---:|---:|")
    for op in ops:
        cells = [m.get(f"{op}/{s}") for s in SIZES]
        if None in cells:
            continue
        text = " | ".join(f"{c['real']:.3g} ms" for c in cells)
        print(f"| {op} | {text} | {cells[2]['real'] / cells[1]['real']:.1f} "
              f"| {cells[2]['cpu'] / cells[1]['cpu']:.1f} |")
    print("\n| operation | yardstick | 1,000 | 10,000 | 100,000 |")
    print("|---|---|---:|---:|---:|")
    for op, yard in YARDSTICKS:
        ratios = [m[f"{op}/{s}"]["real"] / m[f"{yard}/{s}"]["real"] for s in SIZES]
        print(f"| {op} | {yard} | " + " | ".join(f"{r:.1f}x" for r in ratios) + " |")
    startup = m.get("BM_LuacStartup", {}).get("real", 0.0)
    print(f"\nluac startup (one-line file): {startup:.2f} ms")
    print("\n| size | statements | ours: lines/s | luac -p: lines/s | luac -p without startup | ours / luac |")
    print("|---:|---:|---:|---:|---:|---:|")
    for s in SIZES:
        ours = m.get(f"BM_ParseStatements/{s}")
        luac = m.get(f"BM_LuacParse/{s}")
        if not ours or not luac:
            continue
        lines = ours["lines"]
        ours_rate = lines / (ours["real"] / 1e3)
        luac_rate = lines / (luac["real"] / 1e3)
        net = luac["real"] - startup
        net_rate = lines / (net / 1e3) if net > 0 else float("inf")
        print(f"| {s:,} | {int(lines):,} | {ours_rate:,.0f} | {luac_rate:,.0f} | {net_rate:,.0f} "
              f"| {ours_rate / net_rate:.2f} |")


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "bench.json")

#!/usr/bin/env python3
"""Times the project's filter run against the limits (cat, wc -l) and the peers
(mawk, gawk) on generated sources, interleaved and repeated, and prints a
Markdown table with the targets checked. Run through bench/run."""
import argparse
import os
import statistics
import subprocess
import sys
import time

AWK_PROGRAM = ('BEGIN{RS="\\r\\n";ORS="\\r\\n";FS=","} NR==1{print;next} '
               '/^WP/&&NF>=6{k=$3 SUBSEP $4 SUBSEP $5; if(!(k in seen)){seen[k]=1;print}}')


MEMORY_REPORT = None  # set in main: where GNU time writes the peak resident memory


def timed(argv, stdout_path=None):
    """Wall time in seconds and peak resident memory in KiB of one run. The
    memory comes from GNU time, since a child's own figure would include the
    Python process it was forked from."""
    out = open(stdout_path, "wb") if stdout_path else subprocess.DEVNULL
    try:
        start = time.perf_counter()
        process = subprocess.run(["/usr/bin/time", "-f", "%M", "-o", MEMORY_REPORT, *argv], stdout=out,
                                 stderr=subprocess.PIPE)
        elapsed = time.perf_counter() - start
    finally:
        if stdout_path:
            out.close()
    if process.returncode != 0:
        sys.exit(f"failed: {' '.join(argv)}: {process.stderr.decode(errors='replace')}")
    with open(MEMORY_REPORT) as report:
        peak = int(report.read().split()[-1])
    return elapsed, peak


def measure(source, work, filter_bench, runs):
    results = {
        "filter run": lambda: timed([filter_bench, source, os.path.join(work, "ours.txt")]),
        "cat > /dev/null": lambda: timed(["cat", source]),
        "wc -l": lambda: timed(["wc", "-l", source]),
        "mawk": lambda: timed(["mawk", AWK_PROGRAM, source], os.path.join(work, "mawk.txt")),
        "gawk": lambda: timed(["gawk", AWK_PROGRAM, source], os.path.join(work, "gawk.txt")),
    }
    times = {name: [] for name in results}
    memory = {name: 0 for name in results}
    subprocess.run(["cat", source], stdout=subprocess.DEVNULL, check=True)  # into the page cache
    for _ in range(runs):
        for name, run in results.items():  # interleaved: each round runs every command once
            elapsed, peak = run()
            times[name].append(elapsed)
            memory[name] = max(memory[name], peak)
    ours = open(os.path.join(work, "ours.txt"), "rb").read()
    for peer in ("mawk", "gawk"):
        if open(os.path.join(work, peer + ".txt"), "rb").read() != ours:
            sys.exit(f"the filter run's result differs from {peer}'s on {source}")
    return {name: (statistics.median(values), memory[name]) for name, values in times.items()}


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--filter-bench", required=True)
    parser.add_argument("--work", required=True)
    parser.add_argument("--runs", type=int, default=5)
    parser.add_argument("sources", nargs="+", help="LABEL=PATH")
    args = parser.parse_args()
    global MEMORY_REPORT
    MEMORY_REPORT = os.path.join(args.work, "memory")

    rows = []
    medians = {}
    print("| source | command | median s | MB/s | peak RSS MiB | × wc -l | mawk ÷ this |")
    print("|---|---|---:|---:|---:|---:|---:|")
    for labelled in args.sources:
        label, path = labelled.split("=", 1)
        size_mb = os.path.getsize(path) / 1e6
        result = measure(path, args.work, args.filter_bench, args.runs)
        medians[label] = result
        wc = result["wc -l"][0]
        mawk = result["mawk"][0]
        for name, (median, peak) in result.items():
            print(f"| {label} | {name} | {median:.3f} | {size_mb / median:.0f} | {peak / 1024:.1f} "
                  f"| {median / wc:.2f} | {mawk / median:.1f} |", flush=True)
        rows.append(label)

    # The targets, where the sources for them were measured.
    checks = []
    def ours(label):
        return medians[label]["filter run"]
    if "1GB-d10000" in medians:
        big = medians["1GB-d10000"]
        checks.append(("filter run ≤ 3 × wc -l (1 GB, d = 10000)", big["filter run"][0] / big["wc -l"][0], 3.0, "le"))
        checks.append(("filter run ≥ 10 × faster than mawk (1 GB, d = 10000)",
                       big["mawk"][0] / big["filter run"][0], 10.0, "ge"))
        checks.append(("peak RSS < 16 MiB (1 GB)", big["filter run"][1] / 1024, 16.0, "lt"))
    if "1GB-d10000" in medians and "1GB-d100" in medians:
        checks.append(("d = 10000 within 1.2 × d = 100 (1 GB)",
                       ours("1GB-d10000")[0] / ours("1GB-d100")[0], 1.2, "le"))
    if "1GB-d10000" in medians and "100MB-d10000" in medians:
        checks.append(("1 GB ≤ 11 × 100 MB (d = 10000)",
                       ours("1GB-d10000")[0] / ours("100MB-d10000")[0], 11.0, "le"))
        checks.append(("peak RSS does not grow with the file (1 GB ÷ 100 MB)",
                       ours("1GB-d10000")[1] / ours("100MB-d10000")[1], 1.1, "le"))
    if checks:
        print()
        print("| target | measured | limit | holds |")
        print("|---|---:|---:|---|")
        failed = False
        for name, value, limit, relation in checks:
            holds = {"le": value <= limit, "ge": value >= limit, "lt": value < limit}[relation]
            failed |= not holds
            print(f"| {name} | {value:.2f} | {limit:g} | {'yes' if holds else 'NO'} |")
        return 1 if failed else 0
    return 0


if __name__ == "__main__":
    sys.exit(main())

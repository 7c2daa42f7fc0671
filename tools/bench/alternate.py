#!/usr/bin/env python3
"""Runs one benchmark from two builds in turn and compares their medians.

    tools/bench/alternate.py [--runs N] [--wrap CMD] OLD_BIN NEW_BIN BENCH [ARGS...]

runs OLD_BIN/BENCH ARGS and NEW_BIN/BENCH ARGS one after the other, N times each (default 3),
so that both see the same load, and prints for every figure both builds report the median
of the runs' values and how many times lower the new one is (old / new); figures only the
new build reports are printed alone. --wrap puts a command in front of each run, such as
tools/bench/with_display. The load average is printed before and after, since a busy
machine makes every figure larger.
"""
import argparse
import json
import os
import shlex
import statistics
import subprocess
import sys


def run(command):
    out = subprocess.run(command, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
    if out.returncode != 0:
        sys.exit(f"alternate: {' '.join(command)} failed with status {out.returncode}")
    lines = [json.loads(line) for line in out.stdout.splitlines() if line.startswith("{")]
    if not lines:
        sys.exit(f"alternate: {' '.join(command)} printed no figures")
    return lines


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--runs", type=int, default=3)
    parser.add_argument("--wrap", default="")
    parser.add_argument("old")
    parser.add_argument("new")
    parser.add_argument("bench")
    parser.add_argument("args", nargs=argparse.REMAINDER)
    a = parser.parse_args()
    wrap = shlex.split(a.wrap)
    print(f"load before: {os.getloadavg()[0]:.2f}")
    results = {"old": [], "new": []}
    for _ in range(a.runs):
        for build, folder in (("old", a.old), ("new", a.new)):
            results[build].append(run(wrap + [os.path.join(folder, a.bench)] + a.args))
    print(f"load after: {os.getloadavg()[0]:.2f}")
    for index, line in enumerate(results["new"][0]):
        print(f"{line.get('size', '?')} with {line.get('threads', '?')} threads, "
              f"medians of {a.runs} runs:")
        for key, value in line.items():
            if not isinstance(value, (int, float)) or key in ("threads", "frames", "triangles"):
                continue
            new = statistics.median(r[index][key] for r in results["new"])
            if key not in results["old"][0][index]:  # a figure the old build does not report
                print(f"  {key:22} old         -  new {new:9.3f}")
                continue
            old = statistics.median(r[index][key] for r in results["old"])
            ratio = f"{old / new:6.2f}x" if new else "      -"
            print(f"  {key:22} old {old:9.3f}  new {new:9.3f}  {ratio}")


if __name__ == "__main__":
    main()

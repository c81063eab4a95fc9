#!/usr/bin/env python3
"""Times two builds of tidelight-fx side by side on fx_side_by_side.py's
work (whole runs: start, read, one operation, write), taking turns, and
prints the medians and their ratio. Made to weigh a build option, e.g.
Debian's hardening flags:

  cmake -S . -B build/no-hardening -G Ninja -DCMAKE_BUILD_TYPE=Release \\
    "-DCMAKE_CXX_FLAGS=-Wall -Wextra -Werror" -DTIDELIGHT_DEB_HARDENING=OFF \\
    -DTIDELIGHT_TESTS=OFF -DTIDELIGHT_BENCH=OFF
  cmake --build build/no-hardening --target tidelight-fx
  python3 bench/fx_two_builds.py build/native-release/tidelight-fx build/no-hardening/tidelight-fx
"""
import argparse
import os
import statistics
import subprocess
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from fx_side_by_side import ROOT, ROWS, load, timed  # noqa: E402


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("first")
    parser.add_argument("second")
    parser.add_argument("--rounds", type=int, default=15)
    parser.add_argument("--work", default=os.path.join(ROOT, "build/bench-two-builds"))
    args = parser.parse_args()
    os.makedirs(args.work, exist_ok=True)
    picture = os.path.join(args.work, "sample-1920x1080.bmp")
    if not os.path.exists(picture):
        png = os.path.join(args.work, "sample-1920x1080.png")
        subprocess.run([sys.executable, os.path.join(ROOT, "scripts/fx_sample.py"), "1920", "1080", png], check=True)
        subprocess.run([args.second, png, "-o", picture], check=True)
    builds = (args.first, args.second)
    times = {row[0]: ([], []) for row in ROWS}
    load_before = load()
    for i in range(args.rounds):
        for name, effect, _, ext in ROWS:
            for k in ((0, 1) if i % 2 == 0 else (1, 0)):  # each goes first every other round
                times[name][k].append(timed([builds[k], picture, *effect, "-o", os.path.join(args.work, "out." + ext)]))
    print(f"{args.rounds} rounds, medians; load average {load_before} before, {load()} after")
    print("| work | first | second | first / second |")
    print("|---|---|---|---|")
    for name, _, _, _ in ROWS:
        a, b = (statistics.median(t) * 1000 for t in times[name])
        print(f"| {name} | {a:.1f} ms | {b:.1f} ms | {a / b:.2f} |")


if __name__ == "__main__":
    main()

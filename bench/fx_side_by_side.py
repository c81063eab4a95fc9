#!/usr/bin/env python3
"""tidelight-fx side by side with ImageMagick's convert: whole runs (read,
one operation, write) on the same 1920 x 1080 BMP, the two tools taking
turns, and the medians of each row with their ratio.

usage: bench/fx_side_by_side.py [--rounds N] [--fx PATH] [--convert PATH] [--work DIR]

Builds build/native-release/tidelight-fx unless --fx names another. The
picture is the gallery's sample (scripts/fx_sample.py) at full HD, drawn
once into the work folder. ImageMagick is Debian's (/usr/bin/convert); the
figures include starting each process, as a user running either tool sees.
"""
import argparse
import os
import statistics
import subprocess
import sys
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))

# work, tidelight-fx's effect, ImageMagick's operators doing the same, output
ROWS = [
    ("read and write only", [], [], "bmp"),
    ("brightness down by 40", ["--darker", "40"], ["-evaluate", "Subtract", "15.6863%"], "bmp"),
    ("brightness down, written as PNG", ["--darker", "40"], ["-evaluate", "Subtract", "15.6863%"], "png"),
    ("8-neighbour mean", ["--smooth"],
     ["-define", "convolve:scale=0.125", "-morphology", "Convolve", "3x3:1,1,1,1,0,1,1,1,1"], "bmp"),
    ("rotate 30°, nearest", ["--rotate", "30"], ["-filter", "point", "-distort", "SRT", "30"], "bmp"),
    ("magnify 1.5, nearest", ["--magnify", "1.5"], ["-filter", "point", "-distort", "SRT", "1.5,0"], "bmp"),
]


def timed(command):
    start = time.perf_counter()
    subprocess.run(command, check=True, stdout=subprocess.DEVNULL)
    return time.perf_counter() - start


def load():
    with open("/proc/loadavg") as f:
        return " ".join(f.read().split()[:3])


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--rounds", type=int, default=15)
    parser.add_argument("--fx", default=os.path.join(ROOT, "build/native-release/tidelight-fx"))
    parser.add_argument("--convert", default="/usr/bin/convert")
    parser.add_argument("--work", default=os.path.join(ROOT, "build/bench-side-by-side"))
    args = parser.parse_args()

    if args.fx == parser.get_default("fx"):
        subprocess.run(["cmake", "--preset", "native-release"], cwd=ROOT, check=True, stdout=subprocess.DEVNULL)
        subprocess.run(["cmake", "--build", "--preset", "native-release", "--target", "tidelight-fx"],
                       cwd=ROOT, check=True, stdout=subprocess.DEVNULL)
    os.makedirs(args.work, exist_ok=True)
    picture = os.path.join(args.work, "sample-1920x1080.bmp")
    if not os.path.exists(picture):
        png = os.path.join(args.work, "sample-1920x1080.png")
        subprocess.run([sys.executable, os.path.join(ROOT, "scripts/fx_sample.py"), "1920", "1080", png], check=True)
        subprocess.run([args.fx, png, "-o", picture], check=True)

    times = {row[0]: ([], []) for row in ROWS}
    sizes = {}
    load_before = load()
    for _ in range(args.rounds):
        for name, fx_effect, im_operators, ext in ROWS:
            fx_out = os.path.join(args.work, "fx." + ext)
            im_out = os.path.join(args.work, "im." + ext)
            times[name][0].append(timed([args.fx, picture, *fx_effect, "-o", fx_out]))
            times[name][1].append(timed([args.convert, picture, *im_operators, im_out]))
            sizes[name] = (os.path.getsize(fx_out), os.path.getsize(im_out))

    print(f"{args.rounds} rounds, medians; load average {load_before} before, {load()} after")
    print("| work | tidelight-fx | ImageMagick | ratio |")
    print("|---|---|---|---|")
    for name, _, _, ext in ROWS:
        fx_ms = statistics.median(times[name][0]) * 1000
        im_ms = statistics.median(times[name][1]) * 1000
        note = ""
        if ext == "png":
            fx_size, im_size = sizes[name]
            note = f" (files: {fx_size:,} and {im_size:,} bytes, {fx_size / im_size:.2f})"
        print(f"| {name} | {fx_ms:.0f} ms | {im_ms:.0f} ms | {fx_ms / im_ms:.2f}{note} |")


if __name__ == "__main__":
    main()

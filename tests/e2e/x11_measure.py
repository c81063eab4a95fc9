#!/usr/bin/env python3
"""Processor time of the Linux program beside xscreensaver's own
desktop-grabbing hacks, on the same virtual screen in one run: each program
draws on the root window at 1920 x 1080 over the same desktop picture, one
after another, round after round, and beside them the floor: a program that
does nothing but show 60 frames a second. The X server's time meanwhile is
counted with the program's, as the lightest hacks leave their copying to the
server. Reports figures and ratios; asserts nothing about them.

usage: x11_measure.py --program build/native-release/tidelight --work DIR
                      [--rounds 2] [--seconds 10] [--earlier OTHER-TIDELIGHT ...]
"""
import argparse
import os
import subprocess
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from measure import cpu_seconds  # noqa: E402
from x11_e2e import NativeRig  # noqa: E402

HACKS = "/usr/libexec/xscreensaver"
PEERS = ["decayscreen", "spotlight", "zoom"]
FLOOR = "frame_floor: 60 frames a second, one pixel each"


def measure(rig, args, seconds, server_pid):
    """Processor time over wall time of the program, and of the X server
    meanwhile, after a warm-up in which it takes its picture."""
    proc = subprocess.Popen(args, env=rig.env, stdout=subprocess.DEVNULL,
                            stderr=subprocess.DEVNULL)
    try:
        time.sleep(3)
        if proc.poll() is not None:
            raise RuntimeError("%s ended by itself" % args[0])
        cpu0, server0, wall0 = cpu_seconds(proc.pid), cpu_seconds(server_pid), time.monotonic()
        time.sleep(seconds)
        wall = time.monotonic() - wall0
        return ((cpu_seconds(proc.pid) - cpu0) / wall, (cpu_seconds(server_pid) - server0) / wall)
    finally:
        proc.terminate()
        proc.wait()


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--program", required=True)
    parser.add_argument("--work", required=True)
    parser.add_argument("--rounds", type=int, default=2)
    parser.add_argument("--seconds", type=float, default=10)
    parser.add_argument("--earlier", action="append", default=[],
                        help="an earlier build of the program, measured beside it (may be repeated)")
    args = parser.parse_args()
    rig = NativeRig(args.program, args.work)
    os.makedirs(rig.home, exist_ok=True)
    programs = {"tidelight": [rig.program, "--root"]}
    for i, earlier in enumerate(args.earlier):
        name = "tidelight, earlier" if len(args.earlier) == 1 else "tidelight, earlier %d" % (i + 1)
        programs[name] = [os.path.abspath(earlier), "--root"]
    programs.update({p: [os.path.join(HACKS, p), "--root"] for p in PEERS
                     if os.path.exists(os.path.join(HACKS, p))})
    # The floor under every figure at the saver's pace: a program that only
    # wakes 60 times a second and puts one pixel (built beside the program).
    floor = os.path.join(os.path.dirname(os.path.abspath(args.program)), "frame_floor")
    if os.path.exists(floor):
        programs[FLOOR] = [floor]
    figures = {name: [] for name in programs}
    try:
        rig.use_screen((1920, 1080))
        for _ in range(args.rounds):
            for name, command in programs.items():
                figures[name].append(measure(rig, command, args.seconds, rig.screen.server.pid))
    finally:
        rig.close()

    def span(values):
        lo, hi = "%.1f" % (100 * min(values)), "%.1f" % (100 * max(values))
        return "%s %%" % lo if lo == hi else "%s–%s %%" % (lo, hi)

    def mean(values):
        return sum(values) / len(values)

    print("| program, --root at 1920 x 1080 | processor, of one core | the X server meanwhile |"
          " both | tidelight's over it | tidelight's both over its both |")
    print("|---|---|---|---|---|---|")
    ours = mean([f[0] for f in figures["tidelight"]])
    ours_both = mean([f[0] + f[1] for f in figures["tidelight"]])
    for name, values in figures.items():
        alone, both = mean([f[0] for f in values]), mean([f[0] + f[1] for f in values])
        ratio = "" if name == "tidelight" else "%.2f" % (ours / alone if alone else float("inf"))
        ratio_both = "" if name == "tidelight" else "%.2f" % (ours_both / both if both else float("inf"))
        print("| %s | %s | %s | %s | %s | %s |" % (
            name, span([f[0] for f in values]), span([f[1] for f in values]),
            span([f[0] + f[1] for f in values]), ratio, ratio_both))


if __name__ == "__main__":
    main()

#!/usr/bin/env python3
"""Measures the real saver under Wine: processor use while it fades, peak
resident memory at full-HD size, and the time from start to its first frame.
Reports figures; it asserts nothing about them.

usage: measure.py --scr Tidelight.scr --host preview_host.exe --work DIR
                  [--earlier OTHER.scr [--rounds 2]]

With --earlier, the two builds take turns on the same screens, round after
round, and only their processor figures at 1920 x 1080 and on two monitors
are reported, side by side.
"""
import os
import shutil
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import e2e  # noqa: E402
import winerun  # noqa: E402


def saver_pid(rig):
    pids = winerun.processes_of(rig.program)
    return pids[0] if pids else None


def cpu_seconds(pid):
    with open("/proc/%d/stat" % pid) as f:
        fields = f.read().rsplit(")", 1)[1].split()
    ticks = os.sysconf("SC_CLK_TCK")
    return (int(fields[11]) + int(fields[12])) / ticks


def peak_resident_mb(pid):
    with open("/proc/%d/status" % pid) as f:
        for line in f:
            if line.startswith("VmHWM:"):
                return int(line.split()[1]) / 1024
    return 0.0


def wine_base_mb(rig):
    """Peak resident memory of the same program showing only a small window
    (settings mode): what Wine itself costs a process of ours."""
    proc = rig.run("/c")
    winerun.wait_until(lambda: rig.windows("<Tidelight>"), 60, 0.05)
    time.sleep(1)
    base = peak_resident_mb(saver_pid(rig))
    proc.kill()
    proc.wait()
    return base


def run(rig, width, height, monitors=None, base=True):
    rig.use_screen((width, height), None, monitors)
    rig.write_settings()  # the defaults: depth 24, ten circles a pass
    start = time.monotonic()
    proc = rig.run("/s")
    # The first frame: the window is there and the screen shows the snapshot.
    winerun.wait_until(lambda: rig.windows("Tidelight_Main"), 60, 0.02)
    first_frame = time.monotonic() - start
    pid = saver_pid(rig)
    time.sleep(2)
    cpu0, wall0 = cpu_seconds(pid), time.monotonic()
    time.sleep(10)
    cpu = (cpu_seconds(pid) - cpu0) / (time.monotonic() - wall0)
    # The figures count only if the saver was fading all along.
    e2e.check(proc.poll() is None, "the saver ended during the measurement")
    peak = peak_resident_mb(pid)
    rig.dismiss(proc)
    frame_mb = width * height * 4 / 2**20
    return first_frame, cpu, peak, frame_mb, wine_base_mb(rig) if base else 0.0


TWO_MONITORS = (3840, 1080, [(1920, 1080, 0, 0), (1920, 1080, 1920, 0)])


def side_by_side(rig, new_scr, earlier_scr, rounds):
    """Processor use of two builds taking turns, one screen at a time."""
    screens = [("1920x1080", (1920, 1080, None))]
    if winerun.xorg_available():
        screens.append(("two monitors of 1920x1080", TWO_MONITORS))
    builds = [("this build", new_scr), ("earlier build", earlier_scr)]
    print("| screen | %s |" % " | ".join(name for name, _ in builds) + " this over earlier |")
    print("|---|---|---|---|")
    for label, (w, h, monitors) in screens:
        figures = {name: [] for name, _ in builds}
        for _ in range(rounds):
            for name, scr in builds:
                shutil.copy(scr, rig.program)
                figures[name].append(run(rig, w, h, monitors, base=False)[1])
        means = {name: sum(v) / len(v) for name, v in figures.items()}
        cells = ["%s (mean %.2f %%)" % (", ".join("%.1f" % (100 * v) for v in figures[name]),
                                        100 * means[name]) for name, _ in builds]
        ratio = means["this build"] / means["earlier build"] if means["earlier build"] else 0
        print("| %s | %s | %.2f |" % (label, " | ".join(cells), ratio))
    shutil.copy(new_scr, rig.program)


def main():
    import argparse
    parser = argparse.ArgumentParser()
    parser.add_argument("--scr", required=True)
    parser.add_argument("--host", required=True)
    parser.add_argument("--work", required=True)
    parser.add_argument("--earlier", help="an earlier Tidelight.scr, measured in turn with it")
    parser.add_argument("--rounds", type=int, default=2)
    args = parser.parse_args()
    rig = e2e.Rig(args.scr, args.host, args.work)
    try:
        rig.setup()
        if args.earlier:
            side_by_side(rig, os.path.abspath(args.scr), os.path.abspath(args.earlier), args.rounds)
            return
        for w, h in ((1024, 768), (1920, 1080)):
            first, cpu, peak, frame, base = run(rig, w, h)
            print("%dx%d: first frame %.2f s after start, processor %.1f %% of one core, "
                  "peak resident %.1f MB, %.1f MB above Wine's own %.1f MB for a small window "
                  "(one frame %.1f MB: %.1f frames; budget 5 frames + 16 MB = %.1f MB)"
                  % (w, h, first, 100 * cpu, peak, peak - base, base, frame,
                     (peak - base) / frame, 5 * frame + 16))
        if winerun.xorg_available():
            # Two full-HD monitors side by side, on Xorg's dummy driver.
            first, cpu, peak, frame, base = run(rig, *TWO_MONITORS)
            print("two monitors of 1920x1080: first frame %.2f s after start, processor %.1f %% "
                  "of one core, peak resident %.1f MB (%.1f MB above Wine's own)"
                  % (first, 100 * cpu, peak, peak - base))
        else:
            print("two monitors: not measured (Xorg with the dummy video driver is missing)")
    finally:
        rig.close()


if __name__ == "__main__":
    main()

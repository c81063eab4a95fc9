#!/usr/bin/env python3
"""Measures the real saver under Wine: processor use while it fades, peak
resident memory at full-HD size, and the time from start to its first frame.
Reports figures; it asserts nothing about them.

usage: measure.py --scr Tidelight.scr --host preview_host.exe --work DIR
"""
import os
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


def run(rig, width, height, monitors=None):
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
    return first_frame, cpu, peak, frame_mb, wine_base_mb(rig)


def main():
    import argparse
    parser = argparse.ArgumentParser()
    parser.add_argument("--scr", required=True)
    parser.add_argument("--host", required=True)
    parser.add_argument("--work", required=True)
    args = parser.parse_args()
    rig = e2e.Rig(args.scr, args.host, args.work)
    try:
        rig.setup()
        for w, h in ((1024, 768), (1920, 1080)):
            first, cpu, peak, frame, base = run(rig, w, h)
            print("%dx%d: first frame %.2f s after start, processor %.1f %% of one core, "
                  "peak resident %.1f MB, %.1f MB above Wine's own %.1f MB for a small window "
                  "(one frame %.1f MB: %.1f frames; budget 5 frames + 16 MB = %.1f MB)"
                  % (w, h, first, 100 * cpu, peak, peak - base, base, frame,
                     (peak - base) / frame, 5 * frame + 16))
        if winerun.xorg_available():
            # Two full-HD monitors side by side, on Xorg's dummy driver.
            first, cpu, peak, frame, base = run(rig, 3840, 1080,
                                                [(1920, 1080, 0, 0), (1920, 1080, 1920, 0)])
            print("two monitors of 1920x1080: first frame %.2f s after start, processor %.1f %% "
                  "of one core, peak resident %.1f MB (%.1f MB above Wine's own)"
                  % (first, 100 * cpu, peak, peak - base))
        else:
            print("two monitors: not measured (Xorg with the dummy video driver is missing)")
    finally:
        rig.close()


if __name__ == "__main__":
    main()

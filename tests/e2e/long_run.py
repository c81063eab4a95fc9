#!/usr/bin/env python3
"""The real saver left running under Wine, watched from outside: its resident
memory (from /proc), and what Windows' own counters say of its GDI and USER
objects and handles (a probe program in the same Wine session); then the
settings window opened and closed many times in a row, which must never
write the settings file. Memory must stay flat after the first half minute: the later half's peak
no higher than the earlier half's.

usage: long_run.py --scr Tidelight.scr --host preview_host.exe
                   --probe resource_probe.exe --work DIR [--seconds N] [--dialogs N]
"""
import argparse
import os
import subprocess
import sys
import time
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import e2e  # noqa: E402
import winerun  # noqa: E402

ARGS = None
RIG = None


def resident_kb(pid):
    with open("/proc/%d/status" % pid) as f:
        for line in f:
            if line.startswith("VmRSS:"):
                return int(line.split()[1])
    return 0


def setUpModule():
    global RIG
    RIG = e2e.ready_rig(ARGS)


def tearDownModule():
    RIG.close()


class LongRunTest(unittest.TestCase):
    def test_saver_runs_long_with_nothing_growing(self):
        RIG.use_screen((1024, 768))
        RIG.write_settings(kind=2, music=winerun.wine_path(RIG.mp3).encode())
        proc, _ = RIG.start_saver()
        pid = winerun.wait_until(lambda: winerun.processes_of(RIG.program), 30)[0]
        probe = subprocess.Popen(
            [winerun.WINE, os.path.abspath(ARGS.probe), "Tidelight_Main", str(ARGS.seconds),
             "10000"], env=RIG.env, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
        samples = []
        start = time.monotonic()
        while time.monotonic() - start < ARGS.seconds:
            time.sleep(10)
            self.assertIsNone(proc.poll(), "the saver ended by itself")
            samples.append((round(time.monotonic() - start), resident_kb(pid)))
        probed = probe.communicate(timeout=60)[0].split("\n")
        RIG.dismiss(proc)
        self.assertTrue(RIG.no_copy_left(), "the saver did not end on a click")

        # Decoding the music moves a buffer or two up and down: compare the
        # peaks of the two halves after the first half minute, not single samples.
        settled = [kb for t, kb in samples if t >= 30]
        half = len(settled) // 2
        growth = max(settled[half:]) - max(settled[:half])
        sys.stderr.write("\nresident memory, every 10 s: %s KB" % " ".join(str(kb) for _, kb in samples) + "\n")
        counters = [line for line in probed if line.startswith("sample")]
        print("the system's counters: %s ... %s" % (counters[0] if counters else "none",
                                                   counters[-1] if counters else ""))
        # A page or two of slack: the allocator and Wine's own bookkeeping.
        self.assertLessEqual(growth, 512, "resident memory grew by %d KB" % growth)
        fields = [line.split() for line in counters]
        for name in ("gdi", "user", "handles"):
            values = [int(f[f.index(name) + 1]) for f in fields if name in f]
            if values and max(values) > 0:  # Wine answers 0 where it keeps no count
                self.assertEqual(max(values[1:] or values), values[1] if len(values) > 1
                                 else values[0], "%s objects grew: %s" % (name, values))

    def test_settings_window_opened_and_closed_many_times_writes_nothing(self):
        RIG.use_screen((1024, 768))
        RIG.write_settings(depth=b" 48")
        ini = os.path.join(RIG.prog, "Tidelight.ini")
        with open(ini, "rb") as f:
            before = f.read()
        stamp = os.stat(ini).st_mtime_ns
        for i in range(ARGS.dialogs):
            proc, found = RIG.open_window(("/c",), "<Tidelight>")
            self.assertTrue(found, "no settings window, round %d (the program %s)" % (
                i, "still running" if proc.poll() is None else "ended by itself"))
            # No window manager here: give the window the keyboard focus
            # ourselves, then press Alt+F4 as a user would.
            closed = False
            for _ in range(5):
                RIG.xdotool("windowfocus", "--sync", found[0])
                RIG.xdotool("key", "alt+F4")
                if RIG.ended(proc, 4):
                    closed = True
                    break
            if not closed:
                proc.kill()
                proc.wait()
                self.fail("the settings window did not close on Alt+F4, round %d" % i)
        with open(ini, "rb") as f:
            self.assertEqual(f.read(), before)
        self.assertEqual(os.stat(ini).st_mtime_ns, stamp)
        print("\n%d settings windows opened and closed; the file untouched" % ARGS.dialogs)


def main():
    global ARGS
    parser = argparse.ArgumentParser()
    parser.add_argument("--scr", required=True)
    parser.add_argument("--host", required=True)
    parser.add_argument("--probe", required=True)
    parser.add_argument("--work", required=True)
    parser.add_argument("--seconds", type=int, default=300)
    parser.add_argument("--dialogs", type=int, default=50)
    ARGS, rest = parser.parse_known_args()
    unittest.main(argv=[sys.argv[0], *rest], verbosity=2)


if __name__ == "__main__":
    main()

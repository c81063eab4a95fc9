#!/usr/bin/env python3
"""Processor time of the Linux program on Wayland against X11 at
1920 x 1080, one output, in one run: tidelight plus the headless sway that
composes it (pixman), then tidelight plus Xvfb. Reports figures and the
ratio; asserts nothing about them.

usage: wayland_measure.py --program build/native-release/tidelight [--seconds 10]
"""
import argparse
import os
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(os.path.dirname(HERE))
sys.path.insert(0, HERE)
from measure import cpu_seconds  # noqa: E402


def measure(program, env, server_pid, seconds):
    """Processor time over wall time of the program and of its display
    server, after a warm-up in which it takes its picture."""
    home = tempfile.TemporaryDirectory(prefix="tidelight-measure.")
    env = dict(env, HOME=home.name, XDG_CONFIG_HOME=home.name)
    proc = subprocess.Popen([program, "--no-music"], env=env, stdout=subprocess.DEVNULL,
                            stderr=subprocess.DEVNULL)
    try:
        time.sleep(3)
        if proc.poll() is not None:
            raise RuntimeError("tidelight ended by itself")
        cpu0, server0, wall0 = cpu_seconds(proc.pid), cpu_seconds(server_pid), time.monotonic()
        time.sleep(seconds)
        wall = time.monotonic() - wall0
        return ((cpu_seconds(proc.pid) - cpu0) / wall, (cpu_seconds(server_pid) - server0) / wall)
    finally:
        proc.terminate()
        proc.wait()
        home.cleanup()


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--program", required=True)
    parser.add_argument("--seconds", type=float, default=10)
    parser.add_argument("--inside", action="store_true", help=argparse.SUPPRESS)
    args = parser.parse_args()
    program = os.path.abspath(args.program)
    if args.inside:
        tempfile.tempdir = os.environ["XDG_RUNTIME_DIR"]
        # Inside the compositor: the Wayland figures, as one line for the caller.
        own, server = measure(program, os.environ, int(os.environ["TIDELIGHT_COMPOSITOR_PID"]),
                              args.seconds)
        print("%f %f" % (own, server))
        return
    from winerun import start_xvfb, stop  # noqa: E402
    env = dict(os.environ, TIDELIGHT_WAYLAND_SIZE="1920x1080", TIDELIGHT_WAYLAND_OUTPUTS="1")
    out = subprocess.run([os.path.join(ROOT, "scripts/lib/wayland-run.sh"), "/usr/bin/python3",
                          os.path.abspath(__file__), "--inside", "--program", program,
                          "--seconds", str(args.seconds)], env=env, check=True,
                         capture_output=True, text=True).stdout.split()
    wayland = (float(out[-2]), float(out[-1]))
    server, number = start_xvfb(1920, 1080)
    try:
        x_env = dict(os.environ, DISPLAY=":%d" % number)
        for name in ("WAYLAND_DISPLAY", "XDG_SESSION_TYPE"):
            x_env.pop(name, None)
        x11 = measure(program, x_env, server.pid, args.seconds)
    finally:
        stop(server)
    print("processor time, share of one core, at 1920 x 1080 over %g s:" % args.seconds)
    print("  %-8s %10s %10s %10s" % ("", "tidelight", "server", "together"))
    for name, (own, srv) in (("Wayland", wayland), ("X11", x11)):
        print("  %-8s %9.1f%% %9.1f%% %9.1f%%" % (name, own * 100, srv * 100, (own + srv) * 100))
    print("  Wayland / X11, together: %.2f" % ((wayland[0] + wayland[1]) / max(x11[0] + x11[1], 1e-9)))


if __name__ == "__main__":
    main()

"""Wine and a virtual screen for the end-to-end suite and the measurements;
the Python side of scripts/lib/wine-env.sh and the same rules: the Wine
loader named once, Xvfb started one way on the first free display of
TIDELIGHT_DISPLAYS (first-last, default 120-139), a prefix created once and
kept for one run at a time, and whatever was started ended again.
"""
import fcntl
import os
import shutil
import signal
import stat
import subprocess
import time

WINE = "/usr/lib/wine/wine64"
WINESERVER = os.path.join(os.path.dirname(WINE), "wineserver64")


def wait_until(predicate, timeout, step=0.1):
    """The predicate's first true value within the timeout, else its last
    value. Timeouts are generous bounds for liveness, never measurements."""
    end = time.monotonic() + timeout
    while time.monotonic() < end:
        value = predicate()
        if value:
            return value
        time.sleep(step)
    return predicate()


def wine_path(path):
    """The file's path as a Windows program sees it (the Unix root is Z:)."""
    return "Z:" + os.path.abspath(path).replace("/", "\\")


def _displays():
    first, last = os.environ.get("TIDELIGHT_DISPLAYS", "120-139").split("-")
    return range(int(first), int(last) + 1)


def _is_socket(path):
    try:
        return stat.S_ISSOCK(os.stat(path).st_mode)
    except FileNotFoundError:
        return False


def _serves(proc, number):
    """Whether `proc` is the X server that holds the display: its socket
    exists and the display's lock names it. Another run may start a server
    on the same number at the same moment; the socket alone may be theirs."""
    if proc.poll() is not None or not _is_socket("/tmp/.X11-unix/X%d" % number):
        return False
    try:
        with open("/tmp/.X%d-lock" % number) as f:
            return int(f.read().strip() or 0) == proc.pid
    except (OSError, ValueError):
        return False


def start_xvfb(width, height, depth=24):
    """Xvfb of the given size and depth on the first free display; returns
    the process and the display number once it takes connections."""
    for number in _displays():
        socket = "/tmp/.X11-unix/X%d" % number
        if os.path.exists("/tmp/.X%d-lock" % number) or os.path.exists(socket):
            continue
        proc = subprocess.Popen(["Xvfb", ":%d" % number, "-screen", "0",
                                 "%dx%dx%d" % (width, height, depth), "-nolisten", "tcp",
                                 # Without it the server resets when its last client
                                 # leaves, and a client connecting then is refused.
                                 "-noreset"],
                                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        # Another run may take the same number at the same moment: then Xvfb
        # ends at once and the next number is tried.
        wait_until(lambda: proc.poll() is not None or _serves(proc, number), 10)
        if _serves(proc, number):
            return proc, number
        stop(proc)
    raise RuntimeError("no free display in %s for Xvfb" % os.environ.get(
        "TIDELIGHT_DISPLAYS", "120-139"))


XORG_CONFIG = """\
Section "ServerFlags"
  Option "AutoAddDevices" "false"
  Option "AutoEnableDevices" "false"
  Option "DontVTSwitch" "true"
EndSection
Section "Device"
  Identifier "dummy"
  Driver "dummy"
  VideoRam 256000
EndSection
Section "Monitor"
  Identifier "any"
  HorizSync 5.0-1000.0
  VertRefresh 5.0-200.0
EndSection
Section "Screen"
  Identifier "screen"
  Device "dummy"
  Monitor "any"
  DefaultDepth 24
  SubSection "Display"
    Depth 24
    Virtual %(width)d %(height)d
  EndSubSection
EndSection
"""


def xorg_available():
    """Whether Xorg with the dummy video driver and xrandr are installed."""
    return (shutil.which("Xorg") is not None and shutil.which("xrandr") is not None and
            os.path.exists("/usr/lib/xorg/modules/drivers/dummy_drv.so"))


def start_xorg_monitors(monitors, work):
    """An X server whose screen is split into RandR monitors, each (width,
    height, x, y), the first primary: Wine reads them as side-by-side
    monitors, which Xvfb's screens never give. Returns the process and the
    display number; the server's size is the monitors' bounding box."""
    width = max(x + w for w, h, x, y in monitors)
    height = max(y + h for w, h, x, y in monitors)
    os.makedirs(work, exist_ok=True)
    config = os.path.join(work, "xorg-monitors.conf")
    with open(config, "w") as f:
        f.write(XORG_CONFIG % dict(width=width, height=height))
    for number in _displays():
        socket = "/tmp/.X11-unix/X%d" % number
        if os.path.exists("/tmp/.X%d-lock" % number) or os.path.exists(socket):
            continue
        proc = subprocess.Popen(["Xorg", ":%d" % number, "-config", config, "-logfile",
                                 os.path.join(work, "xorg-%d.log" % number), "-noreset",
                                 "-nolisten", "tcp", "-novtswitch", "-sharevts"],
                                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        wait_until(lambda: proc.poll() is not None or _serves(proc, number), 20)
        if not _serves(proc, number):
            stop(proc)
            continue
        env = dict(os.environ, DISPLAY=":%d" % number)
        quiet = dict(env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        args = ["xrandr", "--fb", "%dx%d" % (width, height)]
        for i, (w, h, x, y) in enumerate(monitors):
            output, mode = "DUMMY%d" % i, "%dx%d" % (w, h)
            # A mode of each size (the timings mean nothing to a dummy); one
            # the server has already stays as it is.
            subprocess.run(["xrandr", "--newmode", mode, "%.2f" % ((w + 160) * (h + 30) * 60 / 1e6),
                            *map(str, (w, w + 48, w + 80, w + 160, h, h + 3, h + 8, h + 30))],
                           **quiet)
            subprocess.run(["xrandr", "--addmode", output, mode], **quiet)
            args += ["--output", output, "--mode", "%dx%d" % (w, h), "--pos", "%dx%d" % (x, y)]
            if i == 0:
                args.append("--primary")
        if subprocess.run(args, env=env, stdout=subprocess.DEVNULL,
                          stderr=subprocess.DEVNULL).returncode != 0:
            stop(proc)
            raise RuntimeError("xrandr could not lay out the monitors %r" % (monitors,))
        # A full query makes the server poll its outputs; until then the
        # cached answer that Wine asks for still shows one connected output.
        subprocess.run(["xrandr", "--query"], **quiet)
        return proc, number
    raise RuntimeError("no free display in %s for Xorg" % os.environ.get(
        "TIDELIGHT_DISPLAYS", "120-139"))


def stop(proc):
    if proc.poll() is None:
        proc.terminate()
    proc.wait()


class Prefix:
    """A Wine prefix kept for this process alone until close(): created the
    first time (so its first-start messages never mix into a test's output),
    and its server ended on close, since a server serves one screen."""

    def __init__(self, path, env):
        path = os.path.abspath(path)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        self.lock = open(path + ".lock", "w")
        fcntl.flock(self.lock, fcntl.LOCK_EX)
        self.env = env
        env["WINEPREFIX"] = path
        env.setdefault("WINEDEBUG", "-all")
        if not os.path.exists(os.path.join(path, "system.reg")):
            xvfb, number = start_xvfb(640, 480)
            try:
                subprocess.run([WINE, "wineboot", "-i"], env=dict(env, DISPLAY=":%d" % number),
                               stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
                subprocess.run([WINESERVER, "-w"], env=env)
            finally:
                stop(xvfb)
        # A server left from an earlier run belongs to a screen that is gone.
        subprocess.run([WINESERVER, "-w"], env=env)

    def close(self):
        subprocess.run([WINESERVER, "-k"], env=self.env, stderr=subprocess.DEVNULL)
        self.lock.close()


class Screen:
    """A virtual screen of one size with one Wine server for its whole life.
    Sets DISPLAY in the given environment, which must name the prefix."""

    def __init__(self, env, width, height, monitors=None, work=None):
        self.env, self.size = env, (width, height)
        self.monitors = monitors
        if monitors:
            self.xvfb, number = start_xorg_monitors(monitors, work)
        else:
            self.xvfb, number = start_xvfb(width, height)
        env["DISPLAY"] = ":%d" % number
        self.server = subprocess.Popen([WINESERVER, "-f", "-p"], env=env)
        # The first program starts Wine's desktop and services. Not captured:
        # the services it starts would hold a pipe open for ever.
        subprocess.run([WINE, "cmd", "/c", "exit"], env=env, stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL)
        time.sleep(1)

    def close(self):
        subprocess.run([WINESERVER, "-k"], env=self.env, stderr=subprocess.DEVNULL)
        stop(self.server)  # a persistent server outlives -k
        stop(self.xvfb)


def processes_of(program):
    """Process ids of the Windows program started from this exact path: Wine
    keeps the path it was given as the process's first argument."""
    pids = []
    for entry in os.listdir("/proc"):
        if not entry.isdigit():
            continue
        try:
            with open("/proc/%s/cmdline" % entry, "rb") as f:
                args = f.read().split(b"\0")
        except OSError:
            continue
        if args and args[0] == os.fsencode(program):
            pids.append(int(entry))
    return pids


def kill_processes_of(program):
    for pid in processes_of(program):
        try:
            os.kill(pid, signal.SIGKILL)
        except ProcessLookupError:
            pass

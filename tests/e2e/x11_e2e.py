#!/usr/bin/env python3
"""End-to-end tests of the Linux program `tidelight` on a virtual X screen,
natively (no Wine): the suite paints a known desktop, starts the program as a
user would, drives it with xdotool and checks it through screenshots of the
root window, window lookups and a sound sink. Every wait is a generous upper
bound for liveness, never a measured duration.

usage: x11_e2e.py --program build/native-release/tidelight --work DIR
                  [--only TEXT] [--installed-hack tidelight] [unittest options]
"""
import argparse
import contextlib
import os
import pwd
import shutil
import subprocess
import sys
import time
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import e2e  # noqa: E402
from e2e import (LEFT, RIGHT, Rig, check, faded, level_sequence, run_suite,  # noqa: E402
                 selected)
from winerun import processes_of, start_xorg_monitors, start_xvfb, stop, wait_until  # noqa: E402

# xscreensaver launches no hack as root; scripts/setup.sh makes this user.
SAVER_USER = "tidelight-saver"

# ~/.xscreensaver as xscreensaver-settings 6 writes it (shortened): one hack
# at a time, the one selected by its place in the list, the fourth.
XSCREENSAVER_PREFS = (
    "# XScreenSaver Preferences File\n"
    "# Written by xscreensaver-settings 6.06 for tidelight-saver on Wed Dec  9 07:27:53 2026.\n\n"
    "timeout:\t0:30:00\ncycle:\t\t0:10:00\nlock:\t\tFalse\nsplash:\t\tFalse\n"
    "fade:\t\tFalse\nunfade:\t\tFalse\ngrabDesktopImages:  True\n\n"
    "mode:\t\tone\nselected:\t3\n\n"
    "programs:\t\t\t\t\t\t\t\t      \\\n"
    "\t\t\t\tmaze --root\t\t\t\t    \\n\\\n"
    "\t\t\t\tdecayscreen --root\t\t\t    \\n\\\n"
    "\t\t\t\tdistort --root\t\t\t\t    \\n\\\n"
    "\n\n"
    "pointerHysteresis:  10\n")


class NativeScreen:
    """An X server for the native program: Xvfb, or Xorg's dummy driver
    split into monitors; no Wine."""

    def __init__(self, env, width, height, monitors=None, work=None, depth=24):
        self.size, self.monitors, self.depth = (width, height), monitors, depth
        if monitors:
            self.server, number = start_xorg_monitors(monitors, work)
        else:
            self.server, number = start_xvfb(width, height, depth)
        env["DISPLAY"] = ":%d" % number

    def close(self):
        stop(self.server)


class NativeRig(Rig):
    """The Wine suite's rig for the native program: a private HOME whose
    sound goes into a file, the settings folder under XDG_CONFIG_HOME, and
    one virtual screen at a time showing the known desktop picture."""

    def __init__(self, program, work):
        self.program = os.path.abspath(program)
        self.work = os.path.abspath(work)
        self.home = os.path.join(self.work, "home")
        self.config = os.path.join(self.work, "config")
        self.prog = os.path.join(self.config, "tidelight")  # where the settings file goes
        # The sound, in real time, into a file that only grows.
        self.sink = os.path.join(self.work, "sink.raw")
        self.alsa_sink = os.path.join(self.work, "alsa-sink.raw")
        self.env = dict(os.environ, HOME=self.home, XDG_CONFIG_HOME=self.config,
                        TIDELIGHT_AUDIO_SINK="audioconvert ! audioresample ! audio/x-raw,"
                        "format=S16LE,rate=44100,channels=2 ! filesink sync=true append=true "
                        "location=\"%s\"" % self.sink)
        self.env.pop("XSCREENSAVER_WINDOW", None)
        # The virtual X screen, even when the suite runs on a Wayland desktop.
        for name in ("WAYLAND_DISPLAY", "XDG_SESSION_TYPE"):
            self.env.pop(name, None)
        self.prefix = self.screen = self.picture = self.dpi = None
        # What the program is started through (unshare, for one case).
        self.wrapper = []

    def setup(self):
        for folder in (self.home, self.prog):
            os.makedirs(folder, exist_ok=True)
        with open(os.path.join(self.home, ".asoundrc"), "w") as f:
            f.write('pcm.!default { type file; slave.pcm "null"; file "%s"; format "raw" }\n'
                    % self.alsa_sink)
        self.make_music()

    def use_screen(self, size, dpi=None, monitors=None, depth=24):
        assert dpi is None, "the x11 back end takes 96 DPI on every screen"
        if self.screen and (self.screen.size, self.screen.monitors, self.screen.depth) == (
                size, monitors, depth):
            return
        self.stop_screen()
        self.screen = NativeScreen(self.env, *size, monitors=monitors, work=self.work, depth=depth)
        self.paint_desktop()

    def near(self, shown, colour):
        # Each channel as the screen keeps it: 5 or 6 bits at depth 16, 10 at
        # depth 30, each way through a conversion.
        # At depth 8 (a palette) the program draws nothing: any colour will do.
        tolerance = {8: 255, 16: 9, 30: 2}.get(self.screen.depth, 0)
        return all(abs(a - b) <= tolerance for a, b in zip(shown, colour))

    def start(self, *args, env=None):
        """The saver started, once its window shows; its standard error goes
        to a file (errors())."""
        with open(os.path.join(self.work, "stderr.txt"), "w") as err:
            proc = subprocess.Popen([*self.wrapper, self.program, *args], env=env or self.env,
                                    stdout=subprocess.DEVNULL, stderr=err)
        found = wait_until(lambda: self.visible("Tidelight_Main") or proc.poll() is not None, 30)
        check(proc.poll() is None and found, "the saver did not start: %r" % (proc.poll(),))
        return proc, found[0]

    def start_saver(self, args=(), env=None):
        return self.start(*args, env=env)

    def stored_path(self, path):
        return path.encode()

    def errors(self):
        with open(os.path.join(self.work, "stderr.txt")) as f:
            return f.read()

    def visible(self, title):
        return self.xdotool("search", "--onlyvisible", "--name", "^%s$" % title)


ARGS = None
RIG = None


def setUpModule():
    # The Wine suite's cases find their rig in their own module.
    global RIG
    RIG = e2e.RIG = NativeRig(ARGS.program, ARGS.work)
    try:
        RIG.setup()
    except BaseException:
        RIG.close()
        raise


def tearDownModule():
    RIG.close()


class Case(e2e.SaverCase):
    def check_untouched(self, points):
        """The screen shows the desktop as it was, once the saver is gone."""
        img = wait_until(lambda: (lambda i: i if all(i.px(x, y) == c for (x, y), c in
                                                     points.items()) else None)(RIG.shot()), 5)
        check(img, "the screen was not left as it was")


class FadeTest(e2e.FadeCase, Case):
    def test_fade_reaches_its_levels_and_a_click_leaves_the_screen_as_it_was(self):
        self.check_fade_cycle()
        w, h = RIG.size
        self.check_untouched({(2, 2): LEFT, (w - 3, h - 3): RIGHT, (w // 2 - 2, h // 2): LEFT})


class ServerKindsTest(Case):
    """The fade on X servers unlike the usual one, each a cheap look: both
    corners at levels of the table (as far as the screen's depth keeps
    them), some way from the desktop, then the screen as it was."""
    depth = 24

    @classmethod
    def setUpClass(cls):
        RIG.use_screen(cls.size, depth=cls.depth)

    def check_fading(self):
        RIG.write_settings(depth=b"64", speed=b"40")
        w, h = RIG.size
        desktop = RIG.shot()
        corners = {(2, 2): desktop.px(2, 2), (w - 3, h - 3): desktop.px(w - 3, h - 3)}
        levels = level_sequence(64)
        proc, _ = RIG.start_saver()
        try:
            def faded_enough():
                img = RIG.shot()
                for (x, y), colour in corners.items():
                    check(any(RIG.near(img.px(x, y), faded(colour, lv)) for lv in levels),
                          "%r at %d,%d is no level of %r" % (img.px(x, y), x, y, colour))
                return sum(img.px(2, 2)) < sum(corners[(2, 2)]) - 60
            check(wait_until(faded_enough, 30), "the desktop never faded")
        finally:
            RIG.dismiss(proc)
        self.check_untouched(corners)


class Depth16Test(ServerKindsTest):
    depth = 16

    def test_fade_at_depth_16(self):
        self.check_fading()


class Depth30Test(ServerKindsTest):
    depth = 30

    def test_fade_at_depth_30(self):
        self.check_fading()


class Depth8Test(ServerKindsTest):
    depth = 8

    def test_a_palette_screen_is_refused_in_one_line(self):
        run = subprocess.run([RIG.program], env=RIG.env, capture_output=True, text=True, timeout=30)
        check(run.returncode == 1, "exit status %d" % run.returncode)
        check(run.stderr.count("\n") == 1 and "PseudoColor" in run.stderr,
              "not one line naming the visual: %r" % run.stderr)


class IpcNamespaceTest(ServerKindsTest):
    def test_fade_from_an_ipc_namespace_of_its_own(self):
        # Its segment numbers name other segments on the server's side.
        if os.getuid() != 0:
            self.skipTest("unshare --ipc takes root")
        RIG.wrapper = ["unshare", "--ipc"]
        try:
            self.check_fading()
        finally:
            RIG.wrapper = []


# The Wine suite's cases, run here on this module's rig.
class DismissalTest(e2e.DismissalTest, Case):
    pass


class TwoMonitorsTest(e2e.TwoMonitorsTest, Case):
    pass


class ChangingMonitorsTest(Case):
    """The two-monitor screen changed while the saver runs (xrandr on Xorg's
    dummy driver): the other monitor turned off, on again, then given
    another mode. Each time every monitor is covered and fading."""
    size, monitors = e2e.TwoMonitorsTest.size, e2e.TwoMonitorsTest.monitors

    @classmethod
    def setUpClass(cls):
        if not e2e.xorg_available():
            raise unittest.SkipTest("Xorg with the dummy video driver is not installed")

    def setUp(self):
        # Each case changes the screen, and ends it.
        RIG.use_screen(self.size, None, self.monitors)

    def xrandr(self, *args):
        # The screen keeps its size, as the desktop picture and the shots do.
        subprocess.run(["xrandr", "--fb", "%dx%d" % self.size, *args], env=RIG.env, stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL)

    @contextlib.contextmanager
    def saver(self):
        """The saver running; dismissed, and the screen ended, afterwards."""
        proc, _ = RIG.start_saver()
        try:
            yield proc
        finally:
            RIG.dismiss(proc)
            RIG.stop_screen()

    def cover(self, want, title="Tidelight_Monitor"):
        """The window once it lies at `want` (x, y, width, height)."""
        def placed():
            for c in RIG.windows(title):
                geo = dict(line.split("=") for line in RIG.xdotool(
                    "getwindowgeometry", "--shell", c))
                # A cover of the old layout may go between the search and the question.
                if "X" in geo and (int(geo["X"]), int(geo["Y"]), int(geo["WIDTH"]),
                                   int(geo["HEIGHT"])) == want:
                    return c
            return None
        check(wait_until(placed, 20), "no %s at %r" % (title, want))

    def check_fading(self, places):
        """Every place shows its own colour at the fade's levels, and each
        takes several of them: covered, and fading."""
        tables = {c: {faded(c, lv) for lv in level_sequence(64)} for c in (LEFT, RIGHT)}
        seen = {p: set() for p in places}
        end = time.monotonic() + 60
        while time.monotonic() < end and not all(len(v) >= 3 for v in seen.values()):
            img = RIG.shot()
            for (x, y), colour in places.items():
                px = img.px(x, y)
                check(px in tables[colour], "pixel %r at %r is not a level of its snapshot "
                      "(a shot of %dx%d)" % (px, (x, y), img.width, img.height))
                seen[(x, y)].add(px)
        for p, values in seen.items():
            check(len(values) >= 3, "%r did not fade: %r" % (p, values))

    def test_a_144_hz_primary_fades_as_any(self):
        # A mode of the primary's size at 144 Hz: the refresh rate the saver
        # paces itself by (here, skipping refreshes) is read from it.
        mode = ["1024x768_144", "%.2f" % (1184 * 798 * 144 / 1e6),
                "1024", "1072", "1104", "1184", "768", "771", "778", "798"]
        for args in (["--newmode", *mode], ["--addmode", "DUMMY0", mode[0]]):
            subprocess.run(["xrandr", *args], env=RIG.env, stdout=subprocess.DEVNULL,
                           stderr=subprocess.DEVNULL)
        self.xrandr("--output", "DUMMY0", "--mode", mode[0], "--pos", "800x0")
        RIG.write_settings(depth=b"64", speed=b"40")
        with self.saver():
            self.cover((0, 0, 800, 600))
            self.check_fading({(3, 3): LEFT, (803, 3): LEFT, (1820, 765): RIGHT})

    def test_the_primary_swapped(self):
        # The main cover goes to the new primary and each monitor goes on
        # fading its own part of the desktop, not the other's.
        RIG.write_settings(depth=b"64", speed=b"40")
        with self.saver() as proc:
            self.cover((800, 0, 1024, 768), "Tidelight_Main")
            self.xrandr("--output", "DUMMY1", "--primary")
            self.cover((0, 0, 800, 600), "Tidelight_Main")
            self.cover((800, 0, 1024, 768))
            self.check_fading({(3, 3): LEFT, (803, 3): LEFT, (1820, 765): RIGHT})
            check(proc.poll() is None, "the saver ended")

    def test_an_output_turned_off_on_and_given_another_mode(self):
        # The desktop as the root's background, which the server itself paints
        # where a window goes away, as a desktop's wallpaper is: one colour.
        RIG.picture.terminate()
        RIG.picture.wait()
        subprocess.run(["xsetroot", "-solid", "#%02x%02x%02x" % LEFT], env=RIG.env, check=True)
        RIG.write_settings(depth=b"64", speed=b"40")
        with self.saver() as proc:
            self.cover((0, 0, 800, 600))
            # xrandr moves the primary to the screen's corner when the other goes.
            self.xrandr("--output", "DUMMY1", "--off")
            check(wait_until(lambda: not RIG.windows("Tidelight_Monitor"), 20),
                  "the cover of the monitor turned off remained")
            self.cover((0, 0, 1024, 768), "Tidelight_Main")
            self.check_fading({(3, 3): LEFT, (1020, 765): LEFT})
            self.xrandr("--output", "DUMMY0", "--pos", "800x0",
                        "--output", "DUMMY1", "--mode", "800x600", "--pos", "0x0")
            self.cover((0, 0, 800, 600))
            self.cover((800, 0, 1024, 768), "Tidelight_Main")
            self.check_fading({(3, 3): LEFT, (798, 598): LEFT, (1820, 765): LEFT})
            mode = ["640x480", "25.18", "640", "656", "752", "800", "480", "490", "492", "525"]
            for args in (["--newmode", *mode], ["--addmode", "DUMMY1", "640x480"]):
                subprocess.run(["xrandr", *args], env=RIG.env, stdout=subprocess.DEVNULL,
                               stderr=subprocess.DEVNULL)
            self.xrandr("--output", "DUMMY0", "--pos", "800x0",
                        "--output", "DUMMY1", "--mode", "640x480", "--pos", "0x0")
            self.cover((0, 0, 640, 480))
            self.check_fading({(3, 3): LEFT, (637, 477): LEFT, (803, 3): LEFT})
            check(proc.poll() is None, "the saver ended")


class OneCopyTest(Case):
    def test_a_second_copy_ends_at_once(self):
        RIG.write_settings()
        proc, _ = RIG.start()
        try:
            other = subprocess.run([RIG.program], env=RIG.env, timeout=30)
            check(other.returncode == 0, "the second copy failed")
            check(len(RIG.windows("Tidelight_Main")) == 1, "a second saver window appeared")
        finally:
            RIG.dismiss(proc)


class MusicTest(e2e.MusicTest, Case):
    """The Wine suite's music cases, the sound going into the sink file
    through TIDELIGHT_AUDIO_SINK; and once through the system's output."""

    def test_music_cd_without_a_drive(self):
        super().test_music_cd_without_a_drive()
        check(RIG.errors().count("audio CD") == 1, "not one line about the CD: %r" % RIG.errors())

    def test_music_through_the_system_output(self):
        # ALSA's file plugin (HOME's .asoundrc) starts its file anew on each
        # open and writes as fast as it is given sound.
        if os.path.exists(RIG.alsa_sink):
            os.remove(RIG.alsa_sink)
        RIG.write_settings(kind=2, music=RIG.stored_path(RIG.mp3))
        proc, _ = RIG.start_saver(env=dict(RIG.env, TIDELIGHT_AUDIO_SINK=""))
        try:
            check(wait_until(lambda: os.path.exists(RIG.alsa_sink) and
                             os.path.getsize(RIG.alsa_sink) > 40000, 20), "no sound came out")
        finally:
            RIG.dismiss(proc)


class XscreensaverTest(Case):
    """The real xscreensaver daemon (Debian's) runs tidelight as its one
    hack: activated, it shows the fading desktop; deactivated, nothing of
    ours is left."""

    def setUp(self):
        if not shutil.which("xscreensaver") or not shutil.which("xscreensaver-command"):
            self.skipTest("xscreensaver is not installed")
        self.as_user = []
        if os.getuid() == 0:
            try:
                user = pwd.getpwnam(SAVER_USER)
            except KeyError:
                self.skipTest("no user %s to run xscreensaver as (scripts/setup.sh makes it)" % SAVER_USER)
            self.as_user = ["runuser", "-u", SAVER_USER, "--"]
        # A copy of the program and a home the daemon's user can reach.
        self.folder = os.path.join(RIG.work, "xscreensaver")
        shutil.rmtree(self.folder, ignore_errors=True)
        home = os.path.join(self.folder, "home")
        os.makedirs(home)
        # The hack as the daemon names it: installed, by its name alone;
        # otherwise a copy of the program the daemon's user can reach.
        self.program = ARGS.installed_hack or os.path.join(self.folder, "tidelight")
        if not ARGS.installed_hack:
            shutil.copy(RIG.program, self.program)
        os.chmod(self.folder, 0o755)
        self.prefs = os.path.join(home, ".xscreensaver")
        with open(self.prefs, "w") as f:
            if ARGS.installed_hack:
                # xscreensaver's own form, three hacks in it; the fourth,
                # selected, comes from tidelight --add-to-xscreensaver.
                f.write(XSCREENSAVER_PREFS)
            else:
                f.write("mode: one\nselected: 0\nlock: False\nfade: False\nunfade: False\n"
                        "splash: False\ngrabDesktopImages: True\ntimeout: 0:30:00\n"
                        "programs: %s --root --fade-depth 64 --fade-speed 40\n" % self.program)
        if self.as_user:
            os.chown(home, user.pw_uid, user.pw_gid)
            subprocess.run(["xhost", "+SI:localuser:%s" % SAVER_USER], env=RIG.env,
                           stdout=subprocess.DEVNULL, check=True)
        self.env = ["env", "HOME=" + home, "DISPLAY=" + RIG.env["DISPLAY"], "XDG_CONFIG_HOME=" +
                    os.path.join(home, ".config"), "PATH=" + os.environ["PATH"]]
        if ARGS.installed_hack:
            self.add_with_one_command()
        self.daemon = subprocess.Popen(self.as_user + self.env + ["xscreensaver", "-no-splash"],
                                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

    def tearDown(self):
        self.command("-exit")
        if not RIG.ended(self.daemon):
            self.daemon.kill()
            self.daemon.wait()

    def add_with_one_command(self):
        """The installed program adds itself to the list as one new line,
        keeping every other byte; a second run changes nothing."""
        def add():
            return subprocess.run(self.as_user + self.env + [ARGS.installed_hack, "--add-to-xscreensaver"],
                                  capture_output=True, text=True)
        def prefs():
            with open(self.prefs) as f:
                return f.read()
        before = prefs()
        first = add()
        check(first.returncode == 0, "--add-to-xscreensaver failed: " + first.stderr)
        after = prefs()
        line = "\t\t\t\ttidelight --root\t\t\t    \\n\\\n"
        at = before.index("\n\n", before.index("programs:")) + 1
        check(after == before[:at] + line + before[at:], "the file changed otherwise:\n" + after)
        second = add()
        check(second.returncode == 0 and "already" in second.stdout, "the second run: " + second.stdout)
        check(prefs() == after, "the second run changed the file")

    def command(self, what):
        return subprocess.run(self.as_user + self.env + ["xscreensaver-command", what],
                              stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL).returncode == 0

    def test_activate_shows_the_fading_desktop_and_deactivate_leaves_nothing(self):
        check(wait_until(lambda: self.command("-activate"), 20), "the daemon did not activate")
        check(wait_until(lambda: processes_of(self.program), 20), "the daemon did not start tidelight")
        # The entry the command adds takes the settings' defaults.
        levels = level_sequence(24 if ARGS.installed_hack else 64)
        tables = {c: {faded(c, lv) for lv in levels} for c in (LEFT, RIGHT)}
        w, h = RIG.size
        # The desktop that was on screen comes back through xscreensaver's
        # helper, then fades: every pixel a level of it, some way from it.
        def fading():
            img = RIG.shot()
            left, right = img.px(3, 3), img.px(w - 3, h - 3)
            return left in tables[LEFT] and right in tables[RIGHT] and left != LEFT
        check(wait_until(fading, 30), "the screen never showed the fading desktop")
        check(self.command("-deactivate"), "the daemon did not deactivate")
        check(wait_until(lambda: not processes_of(self.program), 10), "tidelight outlived the deactivation")
        check(not processes_of("/usr/libexec/xscreensaver/xscreensaver-getimage"),
              "the desktop helper was left running")
        self.check_untouched({(3, 3): LEFT, (w - 3, h - 3): RIGHT})


CLASSES = [FadeTest, IpcNamespaceTest, Depth16Test, Depth30Test, Depth8Test, DismissalTest, OneCopyTest,
           MusicTest, XscreensaverTest, TwoMonitorsTest, ChangingMonitorsTest]


def load_tests(loader, tests, pattern):
    return selected(loader, CLASSES, ARGS.only)


def main():
    global ARGS
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--program", required=True)
    parser.add_argument("--work", required=True)
    parser.add_argument("--only", default="")
    parser.add_argument("--installed-hack", default="",
                        help="the daemon runs this hack by name, as installed (tidelight)")
    ARGS, rest = parser.parse_known_args()
    return run_suite(rest)


if __name__ == "__main__":
    sys.exit(main())

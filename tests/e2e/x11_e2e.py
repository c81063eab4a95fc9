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
import os
import pwd
import shutil
import subprocess
import sys
import time
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from e2e import (KEY_DEPTH, KEY_FILE, KEY_KIND, KEY_SPEED, LEFT, RIGHT, Image,  # noqa: E402
                 check, faded, level_sequence)
from winerun import (processes_of, start_xorg_monitors, start_xvfb, stop, wait_until,  # noqa: E402
                     xorg_available)

# xscreensaver launches no hack as root; scripts/setup.sh makes this user.
SAVER_USER = "tidelight-saver"


class NativeRig:
    """The program with a private HOME whose sound goes into a file, its
    settings folder, and one virtual screen at a time showing the known
    desktop picture."""

    def __init__(self, program, work):
        self.program = os.path.abspath(program)
        self.work = os.path.abspath(work)
        self.home = os.path.join(self.work, "home")
        self.config = os.path.join(self.work, "config")
        self.sink = os.path.join(self.work, "sink.raw")
        self.env = dict(os.environ, HOME=self.home, XDG_CONFIG_HOME=self.config)
        self.env.pop("XSCREENSAVER_WINDOW", None)
        self.server = self.picture = None
        self.size = self.monitors = None

    def setup(self):
        for folder in (self.home, os.path.join(self.config, "tidelight")):
            os.makedirs(folder, exist_ok=True)
        with open(os.path.join(self.home, ".asoundrc"), "w") as f:
            f.write('pcm.!default { type file; slave.pcm "null"; file "%s"; format "raw" }\n'
                    % self.sink)
        self.wav = os.path.join(self.work, "tone.wav")
        self.mp3 = os.path.join(self.work, "tone.mp3")
        subprocess.run(["sox", "-n", "-r", "44100", "-c", "2", "-b", "16", self.wav, "synth", "1",
                        "sine", "440"], check=True)
        subprocess.run(["lame", "--quiet", self.wav, self.mp3], check=True)

    def use_screen(self, size, monitors=None):
        if self.server and self.size == size and self.monitors == monitors:
            return
        self.stop_screen()
        if monitors:
            self.server, number = start_xorg_monitors(monitors, self.work)
        else:
            self.server, number = start_xvfb(*size)
        self.size, self.monitors = size, monitors
        self.env["DISPLAY"] = ":%d" % number
        w, h = size
        row = bytes(LEFT) * (w // 2) + bytes(RIGHT) * (w - w // 2)
        path = os.path.join(self.work, "desktop.ppm")
        with open(path, "wb") as f:
            f.write(b"P6 %d %d 255\n" % (w, h) + row * h)
        self.picture = subprocess.Popen(["display", "-geometry", "+0+0", "-borderwidth", "0", path],
                                        env=self.env)
        check(wait_until(lambda: self.shot().px(w - 1, h - 1) == RIGHT, 20),
              "the desktop picture did not appear")

    def stop_screen(self):
        for proc in (self.picture, self.server):
            if proc:
                stop(proc)
        self.server = self.picture = None

    def shot(self):
        out = subprocess.run(["import", "-window", "root", "-depth", "8", "rgb:-"], env=self.env,
                             capture_output=True, check=True).stdout
        return Image(self.size[0], self.size[1], out)

    def xdotool(self, *args):
        return subprocess.run(["xdotool", *args], env=self.env, capture_output=True,
                              text=True).stdout.split()

    def windows(self, title):
        return self.xdotool("search", "--name", "^%s$" % title)

    def write_settings(self, kind=0, music=b"", depth=b"24", speed=b"10"):
        with open(os.path.join(self.config, "tidelight", "Tidelight.ini"), "wb") as f:
            f.write(b"[Section]\r\n" + KEY_KIND + b"=%d\r\n" % kind + KEY_FILE + b"=" + music +
                    b"\r\n" + KEY_DEPTH + b"=" + depth + b"\r\n" + KEY_SPEED + b"=" + speed + b"\r\n")

    def start(self, *args):
        """The saver started, once its window shows; its standard error goes
        to a file (errors())."""
        with open(os.path.join(self.work, "stderr.txt"), "w") as err:
            proc = subprocess.Popen([self.program, *args], env=self.env,
                                    stdout=subprocess.DEVNULL, stderr=err)
        found = wait_until(lambda: self.visible("Tidelight_Main") or proc.poll() is not None, 30)
        check(proc.poll() is None and found, "the saver did not start: %r" % (proc.poll(),))
        return proc, found[0]

    def errors(self):
        with open(os.path.join(self.work, "stderr.txt")) as f:
            return f.read()

    def visible(self, title):
        return self.xdotool("search", "--onlyvisible", "--name", "^%s$" % title)

    def ended(self, proc, timeout=10):
        try:
            proc.wait(timeout=timeout)
            return True
        except subprocess.TimeoutExpired:
            return False

    def dismiss(self, proc):
        if proc.poll() is None:
            self.xdotool("mousemove", "5", "5", "click", "1")
            if not self.ended(proc):
                proc.kill()
                proc.wait()

    def sink_size(self):
        return os.path.getsize(self.sink) if os.path.exists(self.sink) else 0

    def close(self):
        self.stop_screen()


ARGS = None
RIG = None


def setUpModule():
    global RIG
    RIG = NativeRig(ARGS.program, ARGS.work)
    try:
        RIG.setup()
    except BaseException:
        RIG.close()
        raise


def tearDownModule():
    RIG.close()


class Case(unittest.TestCase):
    size = (1024, 768)
    monitors = None

    @classmethod
    def setUpClass(cls):
        RIG.use_screen(cls.size, cls.monitors)

    def check_untouched(self, points):
        """The screen shows the desktop as it was, once the saver is gone."""
        img = wait_until(lambda: (lambda i: i if all(i.px(x, y) == c for (x, y), c in
                                                     points.items()) else None)(RIG.shot()), 5)
        check(img, "the screen was not left as it was")


class FadeTest(Case):
    def test_fade_reaches_its_levels_and_a_click_leaves_the_screen_as_it_was(self):
        depth, speed = 64, 40
        RIG.write_settings(depth=b"%d" % depth, speed=b"%d" % speed)
        proc, win = RIG.start()
        try:
            geo = dict(line.split("=") for line in RIG.xdotool("getwindowgeometry", "--shell", win))
            check((int(geo["WIDTH"]), int(geo["HEIGHT"])) == RIG.size,
                  "the window does not cover the screen: %r" % geo)
            allowed = {c: {faded(c, lv) for lv in level_sequence(depth)} for c in (LEFT, RIGHT)}
            w, h = RIG.size
            seen, circle = [], False
            end = time.monotonic() + 60
            while time.monotonic() < end:
                img = RIG.shot()
                corner, centre = img.px(2, 2), img.px(w // 2 - 2, h // 2)
                check(corner in allowed[LEFT], "corner %r is not a level of the table" % (corner,))
                check(img.px(w - 3, h - 3) in allowed[RIGHT], "right corner is not a level")
                circle = circle or sum(centre) < sum(corner)
                seen.append(corner)
                if (0, 0, 0) in seen and (255, 255, 255) in seen[seen.index((0, 0, 0)):]:
                    break
            check(circle, "never saw the centre darker than the corners")
            check((0, 0, 0) in seen, "never reached near black")
            white = seen.index((255, 255, 255), seen.index((0, 0, 0)))
            rise = [sum(c) for c in seen[seen.index((0, 0, 0)):white + 1]]
            check(rise == sorted(rise), "did not brighten steadily: %r" % rise)
        finally:
            RIG.dismiss(proc)
        check(proc.returncode == 0, "the saver failed: %s" % RIG.errors())
        self.check_untouched({(2, 2): LEFT, (w - 3, h - 3): RIGHT, (w // 2 - 2, h // 2): LEFT})
        check(not RIG.windows("Tidelight_Main"), "the saver's window remained")


class DismissalTest(Case):
    def test_moves_keep_it_a_click_ends_it(self):
        RIG.write_settings()
        proc, _ = RIG.start()
        for x, y in ((10, 10), (500, 400), (900, 700), (3, 760)):
            RIG.xdotool("mousemove", str(x), str(y))
            time.sleep(0.3)
        time.sleep(1)
        check(proc.poll() is None, "moving the mouse ended the saver")
        RIG.xdotool("click", "1")
        check(RIG.ended(proc), "a click did not end the saver")

    def test_any_key_ends_it_shift_and_ctrl_alone_included(self):
        RIG.write_settings()
        for key in ("a", "shift", "ctrl"):
            with self.subTest(key=key):
                proc, _ = RIG.start()
                try:
                    RIG.xdotool("key", key)
                    check(RIG.ended(proc), "the key %s did not end the saver" % key)
                finally:
                    RIG.dismiss(proc)

    def test_a_second_copy_ends_at_once(self):
        RIG.write_settings()
        proc, _ = RIG.start()
        try:
            other = subprocess.run([RIG.program], env=RIG.env, timeout=30)
            check(other.returncode == 0, "the second copy failed")
            check(len(RIG.windows("Tidelight_Main")) == 1, "a second saver window appeared")
        finally:
            RIG.dismiss(proc)


class MusicTest(Case):
    """Sound into a file: through GStreamer's sink chosen by
    TIDELIGHT_AUDIO_SINK, in real time, or through the system's output, here
    ALSA's file plugin (which writes as fast as it is given sound)."""

    def check_sound(self, *args, settings, sounds, system_output=False):
        RIG.write_settings(**settings)
        if os.path.exists(RIG.sink):
            os.remove(RIG.sink)
        if not system_output:
            RIG.env["TIDELIGHT_AUDIO_SINK"] = (
                "audioconvert ! audioresample ! audio/x-raw,format=S16LE,rate=44100,channels=2 ! "
                "filesink sync=true append=true location=\"%s\"" % RIG.sink)
        try:
            proc, _ = RIG.start(*args)
        finally:
            RIG.env.pop("TIDELIGHT_AUDIO_SINK", None)
        try:
            if sounds:
                check(wait_until(lambda: RIG.sink_size() > 40000, 20), "no sound came out")
                time.sleep(2.5)  # the files last a second: sound now shows the repeat
                mid = RIG.sink_size()
                check(wait_until(lambda: RIG.sink_size() > mid + 40000, 20),
                      "the music did not go on past the end of the file")
            else:
                time.sleep(3)
                check(RIG.sink_size() == 0, "sound came out")
        finally:
            RIG.dismiss(proc)
        settled = RIG.sink_size()
        time.sleep(1.5)
        check(RIG.sink_size() - settled < 40000, "the music did not stop at dismissal")
        return RIG.errors()

    def test_mp3_from_the_settings_file_through_the_system_output(self):
        self.check_sound(settings=dict(kind=2, music=RIG.mp3.encode()), sounds=True,
                         system_output=True)

    def test_wav_from_the_command_line(self):
        self.check_sound("--music", RIG.wav, settings={}, sounds=True)

    def test_no_music_overrides_the_file(self):
        self.check_sound("--no-music", settings=dict(kind=2, music=RIG.mp3.encode()), sounds=False)

    def test_an_audio_cd_plays_nothing_and_says_so_once(self):
        err = self.check_sound(settings=dict(kind=1), sounds=False)
        check(err.count("audio CD") == 1, "expected one line about the CD: %r" % err)


class TwoMonitorsTest(Case):
    """The other monitor left of the primary one, on Xorg's dummy driver."""
    size = (1824, 768)
    monitors = [(1024, 768, 800, 0), (800, 600, 0, 0)]

    @classmethod
    def setUpClass(cls):
        if not xorg_available():
            raise unittest.SkipTest("Xorg with the dummy video driver is not installed")
        super().setUpClass()

    def test_both_fade_and_a_click_on_the_other_ends_it(self):
        depth = 64
        RIG.write_settings(depth=b"%d" % depth, speed=b"40")
        proc, win = RIG.start()
        try:
            geo = dict(line.split("=") for line in RIG.xdotool("getwindowgeometry", "--shell", win))
            check((int(geo["X"]), int(geo["WIDTH"])) == (800, 1024), "the primary cover: %r" % geo)
            covers = wait_until(lambda: RIG.windows("Tidelight_Monitor"), 10)
            check(len(covers) == 1, "expected one cover window, found %r" % (covers,))
            geo = dict(line.split("=") for line in RIG.xdotool("getwindowgeometry", "--shell", covers[0]))
            check((int(geo["X"]), int(geo["Y"]), int(geo["WIDTH"]), int(geo["HEIGHT"])) ==
                  (0, 0, 800, 600), "the cover is not on the other monitor: %r" % geo)
            levels = level_sequence(depth)
            tables = {c: {faded(c, lv) for lv in levels} for c in (LEFT, RIGHT)}
            places = {"other": ((3, 3), LEFT), "primary": ((803, 3), LEFT),
                      "primary right": ((1820, 765), RIGHT)}
            seen = {name: [] for name in places}
            end = time.monotonic() + 60
            while time.monotonic() < end and not all((0, 0, 0) in v for v in seen.values()):
                img = RIG.shot()
                for name, ((x, y), colour) in places.items():
                    check(img.px(x, y) in tables[colour], "%s is not a level of its snapshot" % name)
                    seen[name].append(img.px(x, y))
            for name, values in seen.items():
                check((0, 0, 0) in values, "%s never reached near black" % name)
            RIG.xdotool("mousemove", "400", "300", "click", "1")
            check(RIG.ended(proc), "a click on the other monitor did not end the saver")
            check(not RIG.windows("Tidelight_Monitor"), "a cover window remained")
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
        with open(os.path.join(home, ".xscreensaver"), "w") as f:
            f.write("mode: one\nselected: 0\nlock: False\nfade: False\nunfade: False\n"
                    "splash: False\ngrabDesktopImages: True\ntimeout: 0:30:00\n"
                    "programs: %s --root --fade-depth 64 --fade-speed 40\n" % self.program)
        if self.as_user:
            os.chown(home, user.pw_uid, user.pw_gid)
            subprocess.run(["xhost", "+SI:localuser:%s" % SAVER_USER], env=RIG.env,
                           stdout=subprocess.DEVNULL, check=True)
        self.env = ["env", "HOME=" + home, "DISPLAY=" + RIG.env["DISPLAY"], "XDG_CONFIG_HOME=" +
                    os.path.join(home, ".config"), "PATH=" + os.environ["PATH"]]
        self.daemon = subprocess.Popen(self.as_user + self.env + ["xscreensaver", "-no-splash"],
                                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

    def tearDown(self):
        self.command("-exit")
        if not RIG.ended(self.daemon):
            self.daemon.kill()
            self.daemon.wait()

    def command(self, what):
        return subprocess.run(self.as_user + self.env + ["xscreensaver-command", what],
                              stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL).returncode == 0

    def test_activate_shows_the_fading_desktop_and_deactivate_leaves_nothing(self):
        check(wait_until(lambda: self.command("-activate"), 20), "the daemon did not activate")
        check(wait_until(lambda: processes_of(self.program), 20), "the daemon did not start tidelight")
        levels = level_sequence(64)
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
        check(not any(processes_of(p) for p in ("/usr/bin/xscreensaver-getimage",)),
              "the desktop helper was left running")
        self.check_untouched({(3, 3): LEFT, (w - 3, h - 3): RIGHT})


CLASSES = [FadeTest, DismissalTest, MusicTest, XscreensaverTest, TwoMonitorsTest]


def load_tests(loader, tests, pattern):
    suite = unittest.TestSuite()
    words = lambda text: text.lower().replace(" ", "").replace("_", "")  # noqa: E731
    for cls in CLASSES:
        for test in loader.loadTestsFromTestCase(cls):
            if not ARGS.only or words(ARGS.only) in words(test.id()):
                suite.addTest(test)
    return suite


def main():
    global ARGS
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--program", required=True)
    parser.add_argument("--work", required=True)
    parser.add_argument("--only", default="")
    parser.add_argument("--installed-hack", default="",
                        help="the daemon runs this hack by name, as installed (tidelight)")
    ARGS, rest = parser.parse_known_args()
    result = unittest.main(argv=[sys.argv[0], "-v", *rest], exit=False).result
    if not result.testsRun:
        print("no case matched", file=sys.stderr)
    return 0 if result.wasSuccessful() and result.testsRun else 1


if __name__ == "__main__":
    sys.exit(main())

#!/usr/bin/env python3
"""End-to-end tests of the real Tidelight.scr under Wine on a virtual X screen.

The suite paints a known picture on the screen, starts the program the way
the system does, drives it with xdotool and checks what it shows through
screenshots of the root window. Every wait is a generous upper bound for
liveness, never a measured duration.

usage: e2e.py --scr Tidelight.scr --host preview_host.exe --work DIR
              [--only TEXT] [unittest options, e.g. -v, -f, -k PATTERN]
--only runs the cases whose name holds TEXT ("music mp3", "broken settings").
"""
import argparse
import os
import shutil
import subprocess
import sys
import time
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from winerun import (WINE, WINESERVER, Prefix, Screen, kill_processes_of,  # noqa: E402
                     processes_of, stop, wait_until, wine_path, xorg_available)

# The settings file's key names, as the code-page-932 bytes the file holds.
KEY_KIND = b"BGM\x8B\xE6\x95\xAA"
KEY_REPEAT = b"BGM\xD8\xCB\xDF\xB0\xC4"
KEY_FILE = b"BGM\xCC\xA7\xB2\xD9"
KEY_DEPTH = b"\xCC\xAA\xB0\xC4\xDE\x93\x78"
KEY_SPEED = b"\xCC\xAA\xB0\xC4\xDE\xBD\xCB\xDF\xB0\xC4\xDE"

# The desktop picture: two known colours, left and right half.
LEFT = (120, 130, 140)
RIGHT = (200, 60, 30)


def check(condition, message):
    if not condition:
        raise AssertionError(message)


class Image:
    def __init__(self, width, height, data):
        self.width, self.height, self.data = width, height, data

    def px(self, x, y):
        i = 3 * (y * self.width + x)
        return tuple(self.data[i:i + 3])


def faded(colour, level):
    """What the level table makes of one colour."""
    if level < 256:
        return tuple(max(c - (255 - level), 0) for c in colour)
    return tuple(min(c + (level - 256), 255) for c in colour)


def level_sequence(depth, steps=64):
    level, down, out = 256, True, [256]
    for _ in range(steps):
        if down:
            level -= depth
            if level < 1:
                level, down = 1, False
        else:
            level += depth
            if level > 511:
                level, down = 511, True
        out.append(level)
    return out


class Rig:
    """The program in a folder of its own, a private HOME whose sound goes
    into a file, a Wine prefix, and one virtual screen at a time showing the
    known desktop picture."""

    def __init__(self, scr, host, work):
        self.scr = os.path.abspath(scr)
        self.host = os.path.abspath(host)
        self.work = os.path.abspath(work)
        # Not "prog": older suites end every ".../prog/Tidelight.scr" they find.
        self.prog = os.path.join(self.work, "saver")
        self.program = os.path.join(self.prog, "Tidelight.scr")
        self.home = os.path.join(self.work, "home")
        self.sink = os.path.join(self.work, "sink.raw")
        self.env = dict(os.environ, WINEDEBUG="-all", HOME=self.home)
        self.env.pop("DISPLAY", None)
        self.prefix = None
        self.screen = None
        self.picture = None
        self.dpi = None

    # --- machinery -------------------------------------------------------
    def setup(self):
        os.makedirs(self.work, exist_ok=True)
        if os.path.isdir(self.prog):
            shutil.rmtree(self.prog)
        os.makedirs(self.prog)
        os.makedirs(self.home, exist_ok=True)
        shutil.copy(self.scr, self.program)
        # Sound goes into a file: its growth shows that sound comes out.
        with open(os.path.join(self.home, ".asoundrc"), "w") as f:
            f.write('pcm.!default { type file; slave.pcm "null"; file "%s"; format "raw" }\n'
                    % self.sink)
        self.prefix = Prefix(os.path.join(self.work, "prefix"), self.env)

    def close(self):
        self.stop_screen()
        if self.dpi:
            self.set_dpi(None)
        if self.prefix:
            self.prefix.close()
            self.prefix = None

    @property
    def size(self):
        return self.screen.size

    def use_screen(self, size, dpi=None, monitors=None):
        """A screen of this size at this resolution, kept if it is the one
        already shown; split into monitors (width, height, x, y) when given."""
        if (self.screen and self.screen.size == size and self.dpi == dpi and
                self.screen.monitors == monitors):
            return
        self.stop_screen()
        if dpi != self.dpi:
            self.set_dpi(dpi)
        self.screen = Screen(self.env, *size, monitors=monitors, work=self.work)
        self.paint_desktop()

    def stop_screen(self):
        if self.screen:
            self.kill_savers()
            if self.picture:
                stop(self.picture)
                self.picture = None
            self.screen.close()
            self.screen = None

    def set_dpi(self, dpi):
        """The prefix's screen resolution in dots per inch (None: the default)."""
        self.stop_screen()
        key = r"HKCU\Control Panel\Desktop"
        args = (["reg", "add", key, "/v", "LogPixels", "/t", "REG_DWORD", "/d", str(dpi), "/f"]
                if dpi else ["reg", "delete", key, "/v", "LogPixels", "/f"])
        subprocess.run([WINE, *args], env=self.env, stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL)
        subprocess.run([WINESERVER, "-w"], env=self.env)
        self.dpi = dpi

    def paint_desktop(self):
        w, h = self.size
        row = bytes(LEFT) * (w // 2) + bytes(RIGHT) * (w - w // 2)
        path = os.path.join(self.work, "desktop.ppm")
        with open(path, "wb") as f:
            f.write(b"P6 %d %d 255\n" % (w, h) + row * h)
        # A window of the picture, not the root's background: Wine's desktop
        # copy sees windows on the screen but not what the root shows.
        command = ["display", "-geometry", "+0+0", "-borderwidth", "0", path]
        self.picture = subprocess.Popen(command, env=self.env)

        def shown():
            # A viewer that could not connect is started again.
            if self.picture.poll() is not None:
                self.picture = subprocess.Popen(command, env=self.env)
            return self.near(self.shot().px(w - 1, h - 1), RIGHT)
        check(wait_until(shown, 20), "the desktop picture did not appear")

    def near(self, shown, colour):
        """Whether a pixel read from the screen shows the colour, as far as
        the screen's depth keeps it (exactly, on the usual 24-bit screen)."""
        return shown == colour

    def shot(self):
        # On a loaded machine import now and then fails to read the screen
        # while a window maps; one more try is enough.
        for attempt in range(3):
            run = subprocess.run(["import", "-window", "root", "-depth", "8", "rgb:-"],
                                 env=self.env, capture_output=True)
            if run.returncode == 0:
                return Image(self.size[0], self.size[1], run.stdout)
            time.sleep(0.2)
        raise subprocess.CalledProcessError(run.returncode, "import", run.stdout, run.stderr)

    def xdotool(self, *args):
        # Bounded, so that a wait of xdotool's own (--sync) fails the case
        # instead of hanging the run.
        return subprocess.run(["xdotool", *args], env=self.env, capture_output=True,
                              text=True, timeout=60).stdout.split()

    def windows(self, title):
        return self.xdotool("search", "--name", "^%s$" % title)

    def write_settings(self, kind=0, repeat=0, music=b"", depth=b"24", speed=b"10", raw=None):
        data = raw if raw is not None else (
            b"[Section]\r\n" + KEY_KIND + b"=%d\r\n" % kind + KEY_REPEAT + b"=%d\r\n" % repeat +
            KEY_FILE + b"=" + music + b"\r\n" + KEY_DEPTH + b"=" + depth + b"\r\n" +
            KEY_SPEED + b"=" + speed + b"\r\n")
        with open(os.path.join(self.prog, "Tidelight.ini"), "wb") as f:
            f.write(data)

    def settings_bytes(self):
        with open(os.path.join(self.prog, "Tidelight.ini"), "rb") as f:
            return f.read()

    def run(self, *args):
        return subprocess.Popen([WINE, self.program, *args], env=self.env,
                                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

    def open_window(self, args, title):
        """The program started with args, and its new window titled title
        (empty if none came). A copy started just as the last one ends may
        still find that one's window, which Wine's server drops a moment after
        the process is gone, and step aside as a second copy must: it is
        started again once no such window is left."""
        for _ in range(5):
            old = set(self.windows(title))
            proc = self.run(*args)
            found = wait_until(lambda: [w for w in self.windows(title) if w not in old] or
                               proc.poll() is not None, 60)
            if found is not True:
                return proc, found or []
            wait_until(lambda: not self.windows(title), 10)
            time.sleep(0.5)
        return proc, []

    def start_saver(self, args=("/s",)):
        proc, found = self.open_window(args, "Tidelight_Main")
        check(found, "no window titled Tidelight_Main appeared")
        check(proc.poll() is None, "the saver ended by itself")
        return proc, found[0]

    def ended(self, proc, timeout=10):
        try:
            proc.wait(timeout=timeout)
            return True
        except subprocess.TimeoutExpired:
            return False

    def no_copy_left(self):
        return wait_until(lambda: not self.windows("Tidelight_Main") and
                          not processes_of(self.program), 10)

    def dismiss(self, proc):
        if proc.poll() is None:
            self.xdotool("mousemove", "5", "5", "click", "1")
            if not self.ended(proc):
                proc.kill()
                proc.wait()

    def kill_savers(self):
        kill_processes_of(self.program)

    def stored_path(self, path):
        """A file's path as the settings file names it for the program."""
        return wine_path(path).encode()

    def sink_size(self):
        return os.path.getsize(self.sink) if os.path.exists(self.sink) else 0

    def empty_sink(self):
        """Each program that opens the sink writes it from its start without
        cutting it, so it grows only past what an earlier run left: the sink
        is removed before each run whose sound is measured."""
        if os.path.exists(self.sink):
            os.remove(self.sink)
        return 0

    def make_music(self):
        self.wav = os.path.join(self.work, "tone.wav")
        self.mp3 = os.path.join(self.work, "tone.mp3")
        subprocess.run(["sox", "-n", "-r", "44100", "-c", "2", "-b", "16", self.wav, "synth", "1",
                        "sine", "440"], check=True)
        subprocess.run(["lame", "--quiet", self.wav, self.mp3], check=True)


ARGS = None  # the command line's --scr, --host and --work
RIG = None


def ready_rig(args):
    """A rig set up with its music files; closed again if that fails."""
    rig = Rig(args.scr, args.host, args.work)
    try:
        rig.setup()
        rig.make_music()
    except BaseException:
        rig.close()
        raise
    return rig


def setUpModule():
    global RIG
    RIG = ready_rig(ARGS)


def tearDownModule():
    RIG.close()


class SaverCase(unittest.TestCase):
    """Cases on one virtual screen; a class names the screen it needs, and
    classes in a row that need the same screen share it."""
    size = (1024, 768)
    dpi = None

    @classmethod
    def setUpClass(cls):
        RIG.use_screen(cls.size, cls.dpi)

    def tearDown(self):
        RIG.kill_savers()  # a failed case leaves no saver behind


class FadeCase(SaverCase):
    def check_fade_cycle(self):
        """The window covers the screen; every pixel shows a level of the
        table; the fade reaches black, rises steadily through the picture to
        white and turns; the circle shows as a centre darker than a corner."""
        depth, speed = 64, 40
        RIG.write_settings(depth=b"%d" % depth, speed=b"%d" % speed)
        proc, win = RIG.start_saver()
        try:
            geo = dict(line.split("=") for line in RIG.xdotool(
                "getwindowgeometry", "--shell", win))
            check((int(geo["WIDTH"]), int(geo["HEIGHT"])) == RIG.size,
                  "the window does not cover the screen: %r" % geo)
            allowed_left = {faded(LEFT, level) for level in level_sequence(depth)}
            allowed_right = {faded(RIGHT, level) for level in level_sequence(depth)}
            w, h = RIG.size
            seen = []
            circle = False
            end = time.monotonic() + 90
            # Watch until the fade went to black, up to white and turned again.
            while time.monotonic() < end:
                img = RIG.shot()
                corner, centre = img.px(2, 2), img.px(w // 2 - 2, h // 2)
                check(corner in allowed_left, "corner %r is not a level of the table" % (corner,))
                check(img.px(w - 3, h - 3) in allowed_right,
                      "right corner %r is not a level of the table" % (img.px(w - 3, h - 3),))
                if sum(centre) < sum(corner):
                    circle = True
                seen.append(corner)
                black = [i for i, c in enumerate(seen) if c == (0, 0, 0)]
                white = [i for i, c in enumerate(seen) if c == (255, 255, 255)]
                if black and white and white[0] > black[0] and sum(seen[-1]) < 765:
                    break
            check(circle, "never saw the centre darker than the corners")
            check((0, 0, 0) in seen, "never reached near black")
            check((255, 255, 255) in seen, "never reached white")
            first_white = seen.index((255, 255, 255))
            rise = [sum(c) for c in seen[seen.index((0, 0, 0)):first_white + 1]]
            check(rise == sorted(rise) and any(v < sum(LEFT) for v in rise) and
                  any(v > sum(LEFT) for v in rise[:-1]),
                  "did not brighten steadily through the original picture: %r" % rise)
            check(any(sum(c) < 765 for c in seen[first_white:]), "did not turn after white")
        finally:
            RIG.dismiss(proc)
        check(RIG.no_copy_left(), "a process of the saver remained")


class FadeCycleTest(FadeCase):
    def test_fade_cycle_1024x768(self):
        self.check_fade_cycle()


class LargeScreenFadeTest(FadeCase):
    size = (1920, 1080)

    def test_fade_cycle_1920x1080(self):
        self.check_fade_cycle()


class HighDpiFadeTest(FadeCase):
    """A high-DPI screen: 10 twips per pixel, and still every pixel covered."""
    dpi = 144

    def test_fade_cycle_at_144_dpi(self):
        self.check_fade_cycle()

    @classmethod
    def tearDownClass(cls):
        RIG.set_dpi(None)


class DismissalTest(SaverCase):
    def test_mouse_moves_keep_it_a_click_ends_it(self):
        RIG.write_settings()
        proc, _ = RIG.start_saver()
        for x, y in ((10, 10), (500, 400), (900, 700), (3, 760)):
            RIG.xdotool("mousemove", str(x), str(y))
            time.sleep(0.3)
        time.sleep(2)
        check(proc.poll() is None, "moving the mouse ended the saver")
        RIG.xdotool("click", "1")
        check(RIG.ended(proc), "a click did not end the saver")
        check(RIG.no_copy_left(), "a process remained after the click")

    def test_any_key_ends_it_shift_and_ctrl_alone_included(self):
        RIG.write_settings()
        for key in ("a", "shift", "ctrl"):
            with self.subTest(key=key):
                proc, win = RIG.start_saver()
                try:
                    RIG.xdotool("windowfocus", "--sync", win)
                    time.sleep(0.5)
                    RIG.xdotool("key", key)
                    check(RIG.ended(proc), "the key %s did not end the saver" % key)
                    check(RIG.no_copy_left(), "a process remained after the key %s" % key)
                finally:
                    RIG.dismiss(proc)


class TwoMonitorsTest(SaverCase):
    """Two monitors side by side, the other one left of the primary (negative
    places on Windows): both covered, each by its own part of the desktop,
    fading in step; a click on the other monitor ends the saver. Needs Xorg
    with the dummy driver, since Xvfb's screens all start at the origin."""
    # X places: the other monitor at 0..799, the primary at 800..1823.
    size = (1824, 768)
    monitors = [(1024, 768, 800, 0), (800, 600, 0, 0)]

    @classmethod
    def setUpClass(cls):
        if not xorg_available():
            raise unittest.SkipTest("Xorg with the dummy video driver is not installed")
        RIG.use_screen(cls.size, cls.dpi, cls.monitors)

    def test_both_monitors_fade_and_a_click_on_the_other_ends_it(self):
        depth = 64
        RIG.write_settings(depth=b"%d" % depth, speed=b"40")
        proc, _ = RIG.start_saver()
        try:
            covers = wait_until(lambda: RIG.windows("Tidelight_Monitor"), 10)
            check(len(covers) == 1, "expected one cover window, found %r" % (covers,))
            geo = dict(line.split("=") for line in RIG.xdotool(
                "getwindowgeometry", "--shell", covers[0]))
            check((int(geo["X"]), int(geo["Y"]), int(geo["WIDTH"]), int(geo["HEIGHT"])) ==
                  (0, 0, 800, 600), "the cover is not on the other monitor: %r" % geo)
            levels = level_sequence(depth)
            # The desktop picture's halves meet at x 912: the other monitor
            # shows only the left colour, the primary both.
            tables = {LEFT: {faded(LEFT, lv) for lv in levels},
                      RIGHT: {faded(RIGHT, lv) for lv in levels}}
            places = {"other": ((3, 3), LEFT), "other centre": ((398, 300), LEFT),
                      "primary": ((803, 3), LEFT), "primary right": ((1820, 765), RIGHT)}
            seen = {name: [] for name in places}
            circle = False
            end = time.monotonic() + 60
            while time.monotonic() < end:
                img = RIG.shot()
                for name, ((x, y), colour) in places.items():
                    px = img.px(x, y)
                    check(px in tables[colour], "%s pixel %r is not a level of its snapshot" %
                          (name, px))
                    seen[name].append(px)
                if sum(img.px(398, 300)) < sum(img.px(3, 3)):
                    circle = True
                if all((0, 0, 0) in v for v in seen.values()):
                    break
            for name, values in seen.items():
                check((0, 0, 0) in values, "%s never reached near black: %r" % (name, values))
            check(circle, "never saw the other monitor's centre darker than its corner")
            RIG.xdotool("mousemove", "400", "300", "click", "1")
            check(RIG.ended(proc), "a click on the other monitor did not end the saver")
            check(not RIG.windows("Tidelight_Monitor"), "a cover window remained")
            check(RIG.no_copy_left(), "a process remained after the click")
        finally:
            RIG.dismiss(proc)


class ModesTest(SaverCase):
    def test_single_instance(self):
        RIG.write_settings()
        proc, _ = RIG.start_saver()
        try:
            for args in (("/s",), ("/p", "1234"), ("/c",)):
                with self.subTest(args=" ".join(args)):
                    other = RIG.run(*args)
                    check(RIG.ended(other, 30),
                          "a second copy with %s kept running" % " ".join(args))
                    check(other.returncode == 0, "a second copy with %s failed" % " ".join(args))
            check(len(RIG.windows("Tidelight_Main")) == 1, "a second saver window appeared")
            check(proc.poll() is None, "the first saver ended")
        finally:
            RIG.dismiss(proc)

    def test_preview(self):
        self.check_preview()

    def test_preview_follows_its_host_resized(self):
        self.check_preview(resize=True)

    def check_preview(self, resize=False):
        stop_file = os.path.join(RIG.work, "preview.stop")
        if os.path.exists(stop_file):
            os.remove(stop_file)
        host = subprocess.Popen([WINE, RIG.host, RIG.program, wine_path(stop_file),
                                 *(["resize"] if resize else [])],
                                env=RIG.env, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL,
                                text=True)
        try:
            line = host.stdout.readline().split()
            check(len(line) == 4 and line[0] == "origin", "the host gave no origin: %r" % line)
            # Wine draws no window of one process inside another's, so the
            # picture itself is checked by the native tests; here the window
            # must live in the host's area at the area's size.
            line = host.stdout.readline().split()
            check(line == ["preview", "152", "112"],
                  "no preview window of the host's size: %r" % line)
            if resize:
                line = host.stdout.readline().split()
                check(line == ["resized", "240", "180"],
                      "the preview did not follow its host's new size: %r" % line)
            open(stop_file, "w").close()
            out, _ = host.communicate(timeout=60)
            check(host.returncode == 0, "the preview did not end with its host: %s" % out.strip())
        finally:
            if host.poll() is None:
                host.kill()
                host.communicate()


    def test_settings_from_the_page_open_as_without_it(self):
        """/c:<page> as the screen-saver page starts it: the handle changes
        nothing, the settings window is nobody's and the page stays usable."""
        RIG.write_settings()
        before = RIG.settings_bytes()
        page = subprocess.Popen([WINE, RIG.host, RIG.program, wine_path(RIG.work), "settings"],
                                env=RIG.env, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL,
                                text=True)
        try:
            line = page.stdout.readline().split()
            check(line == ["settings", "owner", "other", "page", "enabled"],
                  "the settings window took the page for its owner: %r" % line)
            line = page.stdout.readline().split()
            check(line == ["closed", "page", "enabled"], "the page was left disabled: %r" % line)
            out, _ = page.communicate(timeout=60)
            check(page.returncode == 0, "the settings did not end: %s" % out.strip())
            check(RIG.settings_bytes() == before, "closing the settings wrote the file")
        finally:
            if page.poll() is None:
                page.kill()
                page.communicate()


class BrokenSettingsTest(SaverCase):
    def test_each_broken_file_keeps_it_running(self):
        missing = wine_path(os.path.join(RIG.work, "no-such-file.mp3")).encode()
        cases = [
            ("non-numeric", dict(kind=0, depth=b"abc", speed=b"x1")),
            ("300-character value", dict(raw=b"[Section]\r\n" + KEY_KIND + b"=2\r\n" + KEY_FILE +
                                         b"=" + b"C:\\" + b"a" * 297 + b"\r\n" + KEY_DEPTH +
                                         b"=" + b"9" * 300 + b"\r\n")),
            ("missing music file", dict(kind=2, music=missing)),
            ("garbage bytes", dict(raw=bytes(range(256)) * 3)),
        ]
        for name, settings in cases:
            with self.subTest(settings=name):
                RIG.write_settings(**settings)
                proc, _ = RIG.start_saver()
                try:
                    time.sleep(3)
                    check(proc.poll() is None, "the saver died with %s settings" % name)
                    check(not RIG.windows("Program Error"), "a crash report appeared (%s)" % name)
                    RIG.xdotool("mousemove", "5", "5", "click", "1")
                    check(RIG.ended(proc), "a click did not end the saver (%s)" % name)
                finally:
                    RIG.dismiss(proc)

    def test_fade_depth_0_keeps_the_picture(self):
        RIG.write_settings(depth=b"0")
        proc, _ = RIG.start_saver()
        try:
            time.sleep(4)
            img = RIG.shot()
            w, h = RIG.size
            check(img.px(w // 2 - 2, h // 2) == LEFT and img.px(w - 3, h - 3) == RIGHT,
                  "FadeDepth 0 changed the picture")
        finally:
            RIG.dismiss(proc)


class MusicTest(SaverCase):
    def check_music_file(self, path):
        """Sound comes out, goes on past the file's end, and stops at dismissal."""
        RIG.write_settings(kind=2, music=RIG.stored_path(path))
        before = RIG.empty_sink()
        proc, _ = RIG.start_saver()
        try:
            check(wait_until(lambda: RIG.sink_size() > before + 40000, 30),
                  "no sound came out of the sink")
            # The test files last one second: sound past that shows the repeat.
            time.sleep(3)
            mid = RIG.sink_size()
            check(wait_until(lambda: RIG.sink_size() > mid + 40000, 30),
                  "the music did not keep sounding past the end of the file")
            check(proc.poll() is None, "the saver ended by itself")
        finally:
            RIG.dismiss(proc)
        settled = RIG.sink_size()
        time.sleep(2)
        check(RIG.sink_size() - settled < 40000, "the music did not stop at dismissal")

    def test_music_mp3(self):
        self.check_music_file(RIG.mp3)

    def test_music_wav(self):
        self.check_music_file(RIG.wav)

    def test_music_cd_without_a_drive(self):
        RIG.write_settings(kind=1, repeat=0)
        before = RIG.empty_sink()
        proc, _ = RIG.start_saver()
        try:
            time.sleep(4)
            check(RIG.sink_size() == before, "the CD setting made a sound")
            check(not any(RIG.windows(t) for t in ("clsASM", "Tidelight", "Program Error")),
                  "a message appeared")
            check(proc.poll() is None, "the saver ended by itself")
        finally:
            RIG.dismiss(proc)


class SessionNoticeTest(SaverCase):
    """What Windows alone sends: a locked or ending session, and sleep."""

    def test_a_lock_or_log_off_ends_it_and_sleep_silences_it(self):
        notice = os.path.join(os.path.dirname(RIG.host), "system_notice.exe")
        RIG.write_settings(kind=2, music=RIG.stored_path(RIG.mp3))
        for what, ends in (("lock", True), ("end", True), ("sleep", False)):
            with self.subTest(notice=what):
                before = RIG.empty_sink()
                proc, _ = RIG.start_saver()
                try:
                    check(wait_until(lambda: RIG.sink_size() > before + 40000, 30),
                          "no sound came out of the sink")
                    sent = subprocess.run([WINE, notice, "Tidelight_Main", what], env=RIG.env)
                    check(sent.returncode == 0, "the notice was not sent")
                    check(RIG.ended(proc) == ends, "the saver %s" % ("stayed" if ends else "ended"))
                    settled = RIG.sink_size()
                    time.sleep(2)
                    check(RIG.sink_size() - settled < 40000, "the music went on")
                finally:
                    RIG.dismiss(proc)


# Classes that share a screen run one after another.
CLASSES = [FadeCycleTest, DismissalTest, ModesTest, BrokenSettingsTest, MusicTest,
           SessionNoticeTest, LargeScreenFadeTest, HighDpiFadeTest, TwoMonitorsTest]


def _words(text):
    return text.lower().replace(" ", "").replace("_", "")


def selected(loader, classes, only):
    """The cases of these classes, in order, whose name holds `only`."""
    suite = unittest.TestSuite()
    for cls in classes:
        for test in loader.loadTestsFromTestCase(cls):
            if not only or _words(only) in _words(test.id()):
                suite.addTest(test)
    return suite


def run_suite(rest):
    """Runs the module's suite verbosely; the exit status, 1 when no case ran."""
    result = unittest.main(argv=[sys.argv[0], "-v", *rest], exit=False).result
    if not result.testsRun:
        print("no case matched", file=sys.stderr)
    return 0 if result.wasSuccessful() and result.testsRun else 1


def load_tests(loader, tests, pattern):
    return selected(loader, CLASSES, ARGS.only)


def main():
    global ARGS
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--scr", required=True)
    parser.add_argument("--host", required=True)
    parser.add_argument("--work", required=True)
    parser.add_argument("--only", default="")
    ARGS, rest = parser.parse_known_args()
    return run_suite(rest)


if __name__ == "__main__":
    sys.exit(main())

#!/usr/bin/env python3
"""End-to-end tests of the real Tidelight.scr under Wine on a virtual X screen.

The suite paints a known picture on the root window, starts the program the
way the system does, drives it with xdotool and checks what it shows through
screenshots of the root window. Every wait is a generous upper bound for
liveness, never a measured duration.
"""
import argparse
import os
import shutil
import subprocess
import sys
import time

WINE = "/usr/lib/wine/wine64"
WINESERVER = "/usr/lib/wine/wineserver64"

# The settings file's key names, as the code-page-932 bytes the file holds.
KEY_KIND = b"BGM\x8B\xE6\x95\xAA"
KEY_REPEAT = b"BGM\xD8\xCB\xDF\xB0\xC4"
KEY_FILE = b"BGM\xCC\xA7\xB2\xD9"
KEY_DEPTH = b"\xCC\xAA\xB0\xC4\xDE\x93\x78"
KEY_SPEED = b"\xCC\xAA\xB0\xC4\xDE\xBD\xCB\xDF\xB0\xC4\xDE"

# The desktop picture: two known colours, left and right half.
LEFT = (120, 130, 140)
RIGHT = (200, 60, 30)


class Failure(Exception):
    pass


def check(condition, message):
    if not condition:
        raise Failure(message)


def wait_until(predicate, timeout, step=0.1):
    end = time.monotonic() + timeout
    while time.monotonic() < end:
        value = predicate()
        if value:
            return value
        time.sleep(step)
    return predicate()


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


class Suite:
    def __init__(self, args):
        self.scr = os.path.abspath(args.scr)
        self.host = os.path.abspath(args.host)
        self.work = os.path.abspath(args.work)
        self.prog = os.path.join(self.work, "prog")
        self.home = os.path.join(self.work, "home")
        self.sink = os.path.join(self.work, "sink.raw")
        self.env = dict(os.environ)
        self.env.update(WINEPREFIX=os.path.join(self.work, "prefix"), WINEDEBUG="-all",
                        HOME=self.home)
        self.display = None
        self.size = (0, 0)
        self.results = []

    # --- machinery -------------------------------------------------------
    def setup(self):
        if os.path.isdir(self.prog):
            shutil.rmtree(self.prog)
        os.makedirs(self.prog)
        os.makedirs(self.home, exist_ok=True)
        shutil.copy(self.scr, os.path.join(self.prog, "Tidelight.scr"))
        # Sound goes into a file: its growth shows that sound comes out.
        with open(os.path.join(self.home, ".asoundrc"), "w") as f:
            f.write('pcm.!default { type file; slave.pcm "null"; file "%s"; format "raw" }\n'
                    % self.sink)
        if not os.path.isdir(self.env["WINEPREFIX"]):
            subprocess.run([WINE, "wineboot", "-i"], env=self.env, stdout=subprocess.DEVNULL,
                           stderr=subprocess.DEVNULL)
            subprocess.run([WINESERVER, "-w"], env=self.env)

    def start_screen(self, width, height, number=93):
        self.stop_screen()
        self.display = subprocess.Popen(
            ["Xvfb", ":%d" % number, "-screen", "0", "%dx%dx24" % (width, height),
             "-nolisten", "tcp"], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.env["DISPLAY"] = ":%d" % number
        self.size = (width, height)
        check(wait_until(lambda: os.path.exists("/tmp/.X11-unix/X%d" % number), 20),
              "Xvfb did not start")
        # One server and desktop process for the whole screen's life.
        self.server = subprocess.Popen([WINESERVER, "-f", "-p"], env=self.env)
        # Not captured: the services it starts would hold a pipe open for ever.
        subprocess.run([WINE, "cmd", "/c", "exit"], env=self.env, stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL)
        time.sleep(1)
        self.paint_desktop()

    def stop_screen(self):
        if self.display:
            subprocess.run([WINESERVER, "-k"], env=self.env)
            self.server.terminate()  # a persistent server outlives -k
            self.server.wait()
            self.picture.terminate()
            self.picture.wait()
            self.display.terminate()
            self.display.wait()
            self.display = None

    def set_dpi(self, dpi):
        """The prefix's screen resolution in dots per inch (None: the default)."""
        self.stop_screen()
        key = r"HKCU\Control Panel\Desktop"
        args = (["reg", "add", key, "/v", "LogPixels", "/t", "REG_DWORD", "/d", str(dpi), "/f"]
                if dpi else ["reg", "delete", key, "/v", "LogPixels", "/f"])
        subprocess.run([WINE, *args], env=self.env, stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL)
        subprocess.run([WINESERVER, "-w"], env=self.env)

    def paint_desktop(self):
        w, h = self.size
        row = bytes(LEFT) * (w // 2) + bytes(RIGHT) * (w - w // 2)
        path = os.path.join(self.work, "desktop.ppm")
        with open(path, "wb") as f:
            f.write(b"P6 %d %d 255\n" % (w, h) + row * h)
        # A window of the picture, not the root's background: Wine's desktop
        # copy sees windows on the screen but not what the root shows.
        self.picture = subprocess.Popen(["display", "-geometry", "+0+0", "-borderwidth", "0",
                                         path], env=self.env)
        check(wait_until(lambda: self.shot().px(w - 1, h - 1) == RIGHT, 20),
              "the desktop picture did not appear")

    def shot(self):
        out = subprocess.run(["import", "-window", "root", "-depth", "8", "rgb:-"],
                             env=self.env, capture_output=True, check=True).stdout
        return Image(self.size[0], self.size[1], out)

    def xdotool(self, *args):
        return subprocess.run(["xdotool", *args], env=self.env, capture_output=True,
                              text=True).stdout.split()

    def windows(self, title):
        return self.xdotool("search", "--name", "^%s$" % title)

    def write_settings(self, kind=0, repeat=0, music=b"", depth=b"24", speed=b"10", raw=None):
        data = raw if raw is not None else (
            b"[Section]\r\n" + KEY_KIND + b"=%d\r\n" % kind + KEY_REPEAT + b"=%d\r\n" % repeat +
            KEY_FILE + b"=" + music + b"\r\n" + KEY_DEPTH + b"=" + depth + b"\r\n" +
            KEY_SPEED + b"=" + speed + b"\r\n")
        with open(os.path.join(self.prog, "Tidelight.ini"), "wb") as f:
            f.write(data)

    def wine_path(self, path):
        return "Z:" + os.path.abspath(path).replace("/", "\\")

    def run(self, *args):
        return subprocess.Popen([WINE, os.path.join(self.prog, "Tidelight.scr"), *args],
                                env=self.env, stdout=subprocess.DEVNULL,
                                stderr=subprocess.DEVNULL)

    def start_saver(self, args=("/s",)):
        proc = self.run(*args)
        found = wait_until(lambda: self.windows("Tidelight_Main"), 60)
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
        return wait_until(lambda: not self.windows("Tidelight_Main") and subprocess.run(
            ["pgrep", "-f", "/prog/Tidelight.scr"], capture_output=True).returncode != 0, 10)

    def dismiss(self, proc):
        if proc.poll() is None:
            self.xdotool("mousemove", "5", "5", "click", "1")
            if not self.ended(proc):
                proc.kill()

    def sink_size(self):
        return os.path.getsize(self.sink) if os.path.exists(self.sink) else 0

    def case(self, name, fn, *args):
        try:
            fn(*args)
            self.results.append((name, None))
            print("ok:", name, flush=True)
        except Failure as e:
            self.results.append((name, str(e)))
            print("FAIL:", name, "-", e, flush=True)
        finally:
            subprocess.run(["pkill", "-f", "/prog/Tidelight.scr"], capture_output=True)

    # --- cases -----------------------------------------------------------
    def fade_cycle(self):
        depth, speed = 64, 40
        self.write_settings(depth=b"%d" % depth, speed=b"%d" % speed)
        proc, win = self.start_saver()
        try:
            geo = dict(line.split("=") for line in subprocess.run(
                ["xdotool", "getwindowgeometry", "--shell", win], env=self.env,
                capture_output=True, text=True).stdout.split())
            check((int(geo["WIDTH"]), int(geo["HEIGHT"])) == self.size,
                  "the window does not cover the screen: %r" % geo)
            allowed_left = {faded(LEFT, l) for l in level_sequence(depth)}
            allowed_right = {faded(RIGHT, l) for l in level_sequence(depth)}
            w, h = self.size
            seen = []
            circle = False
            end = time.monotonic() + 90
            # Watch until the fade went to black, up to white and turned again.
            while time.monotonic() < end:
                img = self.shot()
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
            self.dismiss(proc)
        check(self.no_copy_left(), "a process of the saver remained")

    def dismissal(self):
        self.write_settings()
        proc, _ = self.start_saver()
        for x, y in ((10, 10), (500, 400), (900, 700), (3, 760)):
            self.xdotool("mousemove", str(x), str(y))
            time.sleep(0.3)
        time.sleep(2)
        check(proc.poll() is None, "moving the mouse ended the saver")
        self.xdotool("click", "1")
        check(self.ended(proc), "a click did not end the saver")
        check(self.no_copy_left(), "a process remained after the click")
        for key in ("a", "shift", "ctrl"):
            proc, win = self.start_saver()
            self.xdotool("windowfocus", win)
            time.sleep(0.5)
            self.xdotool("key", key)
            check(self.ended(proc), "the key %s did not end the saver" % key)
            check(self.no_copy_left(), "a process remained after the key %s" % key)

    def single_instance(self):
        self.write_settings()
        proc, _ = self.start_saver()
        try:
            for args in (("/s",), ("/p", "1234"), ("/c",)):
                other = self.run(*args)
                check(self.ended(other, 30), "a second copy with %s kept running" % " ".join(args))
                check(other.returncode == 0, "a second copy with %s failed" % " ".join(args))
            check(len(self.windows("Tidelight_Main")) == 1, "a second saver window appeared")
            check(proc.poll() is None, "the first saver ended")
        finally:
            self.dismiss(proc)

    def preview(self):
        stop = os.path.join(self.work, "preview.stop")
        if os.path.exists(stop):
            os.remove(stop)
        host = subprocess.Popen([WINE, self.host, os.path.join(self.prog, "Tidelight.scr"),
                                 self.wine_path(stop)], env=self.env, stdout=subprocess.PIPE,
                                stderr=subprocess.DEVNULL, text=True)
        line = host.stdout.readline().split()
        check(len(line) == 4 and line[0] == "origin", "the host gave no origin: %r" % line)
        # Wine draws no window of one process inside another's, so the picture
        # itself is checked by the native tests; here the window must live in
        # the host's area at the area's size.
        line = host.stdout.readline().split()
        check(line == ["preview", "152", "112"], "no preview window of the host's size: %r" % line)
        open(stop, "w").close()
        out, _ = host.communicate(timeout=60)
        check(host.returncode == 0, "the preview did not end with its host: %s" % out.strip())

    def broken_settings(self):
        missing = self.wine_path(os.path.join(self.work, "no-such-file.mp3")).encode()
        cases = [
            ("non-numeric", dict(kind=0, depth=b"abc", speed=b"x1")),
            ("300-character value", dict(raw=b"[Section]\r\n" + KEY_KIND + b"=2\r\n" + KEY_FILE +
                                         b"=" + b"C:\\" + b"a" * 297 + b"\r\n" + KEY_DEPTH +
                                         b"=" + b"9" * 300 + b"\r\n")),
            ("missing music file", dict(kind=2, music=missing)),
            ("garbage bytes", dict(raw=bytes(range(256)) * 3)),
        ]
        for name, settings in cases:
            self.write_settings(**settings)
            proc, _ = self.start_saver()
            time.sleep(3)
            check(proc.poll() is None, "the saver died with %s settings" % name)
            check(not self.windows("Program Error"), "a crash report appeared (%s)" % name)
            self.dismiss(proc)
            check(proc.returncode is not None, "the saver did not end (%s)" % name)
        # FadeDepth 0 keeps the snapshot unchanged for ever.
        self.write_settings(depth=b"0")
        proc, _ = self.start_saver()
        try:
            time.sleep(4)
            img = self.shot()
            w, h = self.size
            check(img.px(w // 2 - 2, h // 2) == LEFT and img.px(w - 3, h - 3) == RIGHT,
                  "FadeDepth 0 changed the picture")
        finally:
            self.dismiss(proc)

    def music(self, kind, path):
        if kind == 2:
            self.write_settings(kind=2, music=self.wine_path(path).encode())
        else:
            self.write_settings(kind=1, repeat=0)
        before = self.sink_size()
        proc, _ = self.start_saver()
        try:
            if kind == 2:
                check(wait_until(lambda: self.sink_size() > before + 40000, 30),
                      "no sound came out of the sink")
                # The test files last one second: sound past that shows the repeat.
                time.sleep(3)
                mid = self.sink_size()
                check(wait_until(lambda: self.sink_size() > mid + 40000, 30),
                      "the music did not keep sounding past the end of the file")
            else:
                time.sleep(4)
                check(self.sink_size() == before, "the CD setting made a sound")
                check(not self.windows("clsASM") and not self.windows("Program Error"),
                      "a message appeared")
            check(proc.poll() is None, "the saver ended by itself")
        finally:
            self.dismiss(proc)
        if kind == 2:
            settled = self.sink_size()
            time.sleep(2)
            check(self.sink_size() - settled < 40000, "the music did not stop at dismissal")


def make_music(work):
    wav, mp3 = os.path.join(work, "tone.wav"), os.path.join(work, "tone.mp3")
    subprocess.run(["sox", "-n", "-r", "44100", "-c", "2", "-b", "16", wav, "synth", "1",
                    "sine", "440"], check=True)
    subprocess.run(["lame", "--quiet", wav, mp3], check=True)
    return wav, mp3


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--scr", required=True)
    parser.add_argument("--host", required=True)
    parser.add_argument("--work", required=True)
    parser.add_argument("--only", default="")
    args = parser.parse_args()
    os.makedirs(args.work, exist_ok=True)
    s = Suite(args)
    s.setup()
    wav, mp3 = make_music(s.work)
    want = lambda name: not args.only or args.only in name
    try:
        s.start_screen(1024, 768)
        for name, fn, extra in [
            ("fade cycle 1024x768", s.fade_cycle, ()),
            ("dismissal", s.dismissal, ()),
            ("single instance", s.single_instance, ()),
            ("preview", s.preview, ()),
            ("broken settings", s.broken_settings, ()),
            ("music mp3", s.music, (2, mp3)),
            ("music wav", s.music, (2, wav)),
            ("music cd without a drive", s.music, (1, None)),
        ]:
            if want(name):
                s.case(name, fn, *extra)
        if want("fade cycle 1920x1080"):
            s.start_screen(1920, 1080)
            s.case("fade cycle 1920x1080", s.fade_cycle)
        if want("fade cycle at 144 dpi"):
            # A high-DPI screen: 10 twips per pixel, and still every pixel covered.
            s.set_dpi(144)
            try:
                s.start_screen(1024, 768)
                s.case("fade cycle at 144 dpi", s.fade_cycle)
            finally:
                s.set_dpi(None)
    finally:
        s.stop_screen()
    failed = [n for n, e in s.results if e]
    print("%d passed, %d failed" % (len(s.results) - len(failed), len(failed)))
    return 1 if failed or not s.results else 0


if __name__ == "__main__":
    sys.exit(main())

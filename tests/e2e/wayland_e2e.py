#!/usr/bin/env python3
"""End-to-end tests of the Linux program `tidelight` on a headless sway with
two outputs (scripts/lib/wayland-run.sh starts it, as an ordinary user when
run as root, and runs this script inside it): the suite's desktop is each
output's own background colour, screenshots come from grim, input from
swaymsg's seat commands and wtype. Also weston, a compositor without layer
shell, for the missing-protocol line. Every wait is a generous upper bound
for liveness, never a measured duration.

usage: wayland_e2e.py --program build/native/tidelight [--only TEXT]
"""
import argparse
import json
import os
import signal
import subprocess
import sys
import tempfile
import time
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(os.path.dirname(HERE))
ARGS = None
# The desktop colours scripts/lib/wayland-run.sh gives the two outputs.
DESKTOPS = {"HEADLESS-1": (0x20, 0x40, 0x80), "HEADLESS-2": (0x80, 0x60, 0x20)}


def wait_until(what, test, seconds=30):
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        value = test()
        if value:
            return value
        time.sleep(0.05)
    raise AssertionError("timed out waiting for " + what)


def centre(output, env=None):
    """The pixel at the centre of one output, from a grim screenshot (of
    the compositor `env` names, by default the headless one)."""
    data = subprocess.run(["grim", "-t", "ppm", "-o", output, "-"], check=True,
                          capture_output=True, env=env).stdout
    # P6, width, height, maximum, then the pixels.
    fields, at = [], 0
    while len(fields) < 4:
        while data[at:at + 1].isspace():
            at += 1
        start = at
        while not data[at:at + 1].isspace():
            at += 1
        fields.append(data[start:at])
    at += 1
    width, height = int(fields[1]), int(fields[2])
    i = at + ((height // 2) * width + width // 2) * 3
    return tuple(data[i:i + 3])


def darker(output):
    """Whether the output shows the desktop faded below its colours."""
    got, want = centre(output), DESKTOPS[output]
    return sum(got) < sum(want) - 30


def faded(colour, level):
    """What the fade's level table makes of one colour (as tests/e2e/e2e.py)."""
    if level < 256:
        return tuple(max(c - (255 - level), 0) for c in colour)
    return tuple(min(c + (level - 256), 255) for c in colour)


def level_sequence(depth):
    """The levels a fade by `depth` takes, from the desktop's (256) down to
    the darkest, up to the brightest and down again."""
    level, down, out = 256, True, [256]
    for _ in range(2 * 512 // depth + 2):
        level += -depth if down else depth
        if level < 1:
            level, down = 1, False
        elif level > 511:
            level, down = 511, True
        out.append(level)
    return out


def levels_of(colour, depth):
    """Every colour a picture of `colour` shows while it fades by `depth`."""
    return {faded(colour, level) for level in level_sequence(depth)}


def swaymsg(*args, env=None):
    return subprocess.run(["swaymsg"] + list(args), check=True, capture_output=True,
                          env=env).stdout


class Pointer:
    """A virtual pointer device (the compositor has none): tests/wayland/
    virtual_pointer.cpp, built next to the program. Each command returns
    once the compositor has handled it."""

    def __init__(self):
        self.proc = subprocess.Popen(
            [os.path.join(os.path.dirname(ARGS.program), "virtual_pointer"), "2048", "768"],
            stdin=subprocess.PIPE, stdout=subprocess.PIPE, text=True)
        self.answer()

    def answer(self):
        line = self.proc.stdout.readline()
        if line.strip() != "ok":
            raise AssertionError("virtual_pointer: " + line)

    def send(self, command):
        self.proc.stdin.write(command + "\n")
        self.proc.stdin.flush()
        self.answer()

    def close(self):
        self.proc.stdin.close()
        self.proc.wait()


def keyboard(env=None):
    """A virtual keyboard that stays while a test runs (the compositor has
    none): the saver holds its keyboard from the start, so the keys a
    later wtype sends reach it, not only those after it noticed one."""
    proc = subprocess.Popen(["wtype", "-s", "600000"], env=env)
    return proc


def end(proc):
    proc.kill()
    proc.wait()


class Saver:
    """tidelight running on the compositor, with no music."""

    def __init__(self, *extra, env=None):
        self.home = tempfile.mkdtemp(prefix="tidelight-home.")
        env = dict(env or os.environ, HOME=self.home, XDG_CONFIG_HOME=self.home)
        self.proc = subprocess.Popen([ARGS.program, "--no-music"] + list(extra), env=env,
                                     stderr=subprocess.PIPE, text=True)

    def running(self):
        return self.proc.poll() is None

    def wait_end(self, seconds=30):
        wait_until("tidelight to end", lambda: not self.running(), seconds)
        return self.proc.returncode

    def stop(self):
        if self.running():
            self.proc.kill()
        self.proc.wait()


class Covering(unittest.TestCase):
    def setUp(self):
        self.pointer = Pointer()
        self.addCleanup(self.pointer.close)
        self.addCleanup(end, keyboard())
        self.saver = Saver()
        # Both outputs covered by their own desktop, fading down.
        for output in DESKTOPS:
            wait_until(output + " to fade", lambda o=output: darker(o) or not self.saver.running())
        self.assertTrue(self.saver.running(), self.saver.proc.stderr.read() if not self.saver.running() else "")

    def tearDown(self):
        self.saver.stop()

    def fades_on(self):
        """Waits for the picture to change again: the program has handled
        what came before and is still fading."""
        first = centre("HEADLESS-1")
        wait_until("the fade to go on", lambda: centre("HEADLESS-1") != first or not self.saver.running())

    def test_pointer_motion_does_not_end_it_and_a_button_does(self):
        # Across both outputs.
        for x, y in ((100, 100), (600, 400), (1500, 50), (1900, 700)):
            self.pointer.send("move %d %d" % (x, y))
        self.fades_on()
        self.fades_on()
        self.assertTrue(self.saver.running())
        self.pointer.send("press")
        self.pointer.send("release")
        self.assertEqual(self.saver.wait_end(), 0)

    def test_a_key_ends_it(self):
        subprocess.run(["wtype", "a"], check=True)
        self.assertEqual(self.saver.wait_end(), 0)

    def test_a_locker_locks_beneath_it_and_the_first_key_leaves_the_locker(self):
        # Debian 12's sway keeps the keyboard on the overlay surface that took
        # it first, so swaylock locks beneath the saver: the saver must not
        # stop it, and a key ends the saver, not the lock.
        locker = subprocess.Popen(["swaylock", "-c", "ff00ff"], stdout=subprocess.DEVNULL,
                                  stderr=subprocess.DEVNULL)
        self.addCleanup(end, locker)
        self.fades_on()
        subprocess.run(["wtype", "a"], check=True)
        self.assertEqual(self.saver.wait_end(), 0)
        wait_until("the locker to show", lambda: centre("HEADLESS-1") == (0xff, 0x00, 0xff))
        self.assertIsNone(locker.poll())

    def test_a_second_copy_ends_at_once(self):
        # No client sees another's surfaces: the first copy's lock tells it.
        env = dict(os.environ, HOME=self.saver.home, XDG_CONFIG_HOME=self.saver.home)
        other = subprocess.run([ARGS.program, "--no-music"], env=env, capture_output=True,
                               text=True, timeout=30)
        self.assertEqual((other.returncode, other.stderr), (0, ""))
        self.fades_on()
        self.assertTrue(self.saver.running())

    def test_a_modifier_alone_ends_it(self):
        subprocess.run(["wtype", "-k", "Shift_L"], check=True)
        self.assertEqual(self.saver.wait_end(), 0)


def leftovers():
    """What a client could leave behind: shared-memory files, System V
    segments, and the compositor's open files (our buffers' among them).
    Another client of the rig may end meanwhile, so none may grow."""
    compositor = os.environ["TIDELIGHT_COMPOSITOR_PID"]
    segments = subprocess.run(["ipcs", "-m"], capture_output=True, text=True).stdout
    return (frozenset(os.listdir("/dev/shm")), segments.count("\n0x"),
            len(os.listdir("/proc/%s/fd" % compositor)))


class StartedBySwayidle(unittest.TestCase):
    def test_idle_starts_it_and_input_ends_it_leaving_nothing_behind(self):
        self.addCleanup(end, keyboard())
        before = leftovers()
        home = tempfile.mkdtemp(prefix="tidelight-home.")
        env = dict(os.environ, HOME=home, XDG_CONFIG_HOME=home)
        idle = subprocess.Popen(["swayidle", "-w", "timeout", "1",
                                 "exec %s --no-music" % ARGS.program], env=env)
        try:
            saver = wait_until("swayidle to start tidelight",
                               lambda: subprocess.run(["pgrep", "-P", str(idle.pid)],
                                                      capture_output=True, text=True).stdout.split())
            pid = int(saver[0])
            for output in DESKTOPS:
                wait_until(output + " to fade", lambda o=output: darker(o))
            subprocess.run(["wtype", "x"], check=True)
            wait_until("tidelight to end", lambda: not os.path.exists("/proc/%d/cmdline" % pid)
                       or open("/proc/%d/stat" % pid).read().split()[2] == "Z")
        finally:
            idle.send_signal(signal.SIGTERM)
            idle.wait()
        # The compositor lets go of a client's buffers as it handles its
        # going; until then its files may still be open.
        wait_until("nothing left behind: %r, then %r" % (before, leftovers()),
                   lambda: all(a <= b for a, b in zip(leftovers(), before)), seconds=10)


def level_tables(depth):
    """Each level of the fade, in order, with its table of channel values
    (what the level makes of each byte)."""
    return [(lv, bytes(faded((c,), lv)[0] for c in range(256))) for lv in level_sequence(depth)]


def levels_shown(picture, shot, width, depth):
    """The two levels, one after the other in the fade, that explain every
    pixel of `shot` as `picture` at one of them (a step's reveal shows the
    new level inside its circle, the old one outside); None if none do."""
    tables = level_tables(depth)
    row = width * 3
    for (old, t_old), (new, t_new) in zip(tables, tables[1:]):
        a, b = picture.translate(t_old), picture.translate(t_new)
        explained = True
        for y in range(0, len(shot), row):
            got = shot[y:y + row]
            if got == a[y:y + row] or got == b[y:y + row]:
                continue
            if any(got[x:x + 3] != a[y + x:y + x + 3] and got[x:x + 3] != b[y + x:y + x + 3]
                   for x in range(0, row, 3)):
                explained = False
                break
        if explained:
            return old, new
    return None


class SamePixelsAsX11(unittest.TestCase):
    """One picture of the suite's own as the desktop of a Wayland output
    and of an X screen: the saver shows it through the same level table on
    both, every pixel."""
    DEPTH = 64
    W, H = 1024, 768

    def picture(self):
        # Every value of each channel, in ramps across and down.
        rows = []
        for y in range(self.H):
            rows.append(b"".join(bytes(((x * 255) // (self.W - 1), (y * 255) // (self.H - 1),
                                        ((x + y) * 7) & 255)) for x in range(self.W)))
        picture = b"".join(rows)
        path = os.path.join(tempfile.mkdtemp(prefix="desktop."), "desktop.ppm")
        with open(path, "wb") as f:
            f.write(b"P6 %d %d 255\n" % (self.W, self.H) + picture)
        subprocess.run(["convert", path, path[:-3] + "png"], check=True)
        return picture, path

    def faded_shot(self, saver, shot):
        """A shot once the picture shows at a level below the desktop's;
        every shot until then is the picture at two levels of the fade."""
        def faded_enough():
            self.assertTrue(saver.running(), "the saver ended")
            levels = levels_shown(self.pic, shot(), self.W, self.DEPTH)
            self.assertIsNotNone(levels, "a shot that is no level of the picture")
            return levels if max(levels) < 256 else None
        return wait_until("the picture to fade", faded_enough, 60)

    def test_the_fade_shows_the_same_pixels_as_on_x11(self):
        from winerun import start_xvfb, stop
        self.pic, path = self.picture()
        # Wayland: the first output's background.
        swaymsg("output", "HEADLESS-1", "bg", path[:-3] + "png", "stretch")

        def restore():
            swaymsg("output", "HEADLESS-1", "bg", "#%02x%02x%02x" % DESKTOPS["HEADLESS-1"],
                    "solid_color")
            wait_until("the desktop colour again",
                       lambda: centre("HEADLESS-1") == DESKTOPS["HEADLESS-1"])
        self.addCleanup(restore)

        def wayland_shot():
            data = subprocess.run(["grim", "-t", "ppm", "-o", "HEADLESS-1", "-"], check=True,
                                  capture_output=True).stdout
            return data.split(maxsplit=4)[4]
        wait_until("the picture on the output", lambda: wayland_shot() == self.pic)
        saver = Saver("--fade-depth", str(self.DEPTH))
        self.addCleanup(saver.stop)
        on_wayland = self.faded_shot(saver, wayland_shot)
        saver.stop()
        # X11: a window of the picture over a virtual screen's root.
        server, number = start_xvfb(self.W, self.H)
        self.addCleanup(stop, server)
        env = {k: v for k, v in os.environ.items() if k not in ("WAYLAND_DISPLAY",
                                                                   "XDG_SESSION_TYPE")}
        env["DISPLAY"] = ":%d" % number
        viewer = subprocess.Popen(["display", "-geometry", "+0+0", "-borderwidth", "0", path],
                                  env=env)
        self.addCleanup(end, viewer)

        def x11_shot():
            return subprocess.run(["import", "-window", "root", "-depth", "8", "rgb:-"], env=env,
                                  capture_output=True).stdout
        wait_until("the picture on the X screen", lambda: x11_shot() == self.pic)
        saver = Saver("--x11", "--fade-depth", str(self.DEPTH), env=env)
        self.addCleanup(saver.stop)
        on_x11 = self.faded_shot(saver, x11_shot)
        print("levels shown: Wayland %r, X11 %r" % (on_wayland, on_x11), file=sys.stderr)


class FollowingOutputs(unittest.TestCase):
    """The saver (self.saver) on a compositor whose outputs change: the
    headless one, or the one self.env names with self.desktops."""
    DEPTH = 64
    env = None
    desktops = DESKTOPS

    def fading(self, outputs):
        """The centre of each output, until each took three colours of the
        fade; each must be a level of its output's desktop where known."""
        seen = {o: set() for o in outputs}
        end = time.monotonic() + 60
        while time.monotonic() < end and min(len(v) for v in seen.values()) < 3:
            self.assertTrue(self.saver.running(), "the saver ended")
            for output, values in seen.items():
                got = centre(output, self.env)
                if output in self.desktops:
                    self.assertIn(got, levels_of(self.desktops[output], self.DEPTH), output)
                values.add(got)
        for output, values in seen.items():
            self.assertGreaterEqual(len(values), 3, "%s did not fade: %r" % (output, values))
        return seen


class NestedSway:
    """A second sway inside the headless one, on wlroots' wayland back end:
    each of its outputs is a window of the headless sway, and closing that
    window destroys the output and its global, which Debian 12's sway
    cannot do to a headless output (one turned off stays listed)."""
    # An output added later has no background of its own: one would come
    # at a time of its own, perhaps after the saver copied the output.
    DESKTOPS = {"WL-1": (0x30, 0x70, 0xb0), "WL-2": (0xb0, 0x50, 0x30)}
    W, H = 320, 240

    def __init__(self):
        self.dir = tempfile.mkdtemp(prefix="inner.")
        config = os.path.join(self.dir, "config")
        with open(config, "w") as f:
            for name, colour in self.DESKTOPS.items():
                f.write("output %s bg #%02x%02x%02x solid_color\n" % ((name,) + colour))
        outer = os.path.join(os.environ["XDG_RUNTIME_DIR"], os.environ["WAYLAND_DISPLAY"])
        env = {k: v for k, v in os.environ.items() if k != "SWAYSOCK"}
        env.update(WAYLAND_DISPLAY=outer, XDG_RUNTIME_DIR=self.dir, WLR_BACKENDS="wayland",
                   WLR_RENDERER="pixman", WLR_WL_OUTPUTS="2", WLR_LIBINPUT_NO_DEVICES="1")
        # Its log says it has no Xwayland, which no case needs.
        self.log = open(os.path.join(self.dir, "sway.log"), "w")
        self.proc = subprocess.Popen(["sway", "-c", config], env=env, stdout=self.log,
                                     stderr=self.log)
        try:
            self.start()
        except BaseException:
            self.stop()
            raise

    def start(self):
        sock = wait_until("the inner sway's socket", lambda: [
            n for n in os.listdir(self.dir) if n.startswith("sway-ipc.")])[0]
        display = [n for n in os.listdir(self.dir) if n.startswith("wayland-")
                   and not n.endswith(".lock")][0]
        self.env = dict(os.environ, XDG_RUNTIME_DIR=self.dir, WAYLAND_DISPLAY=display,
                        SWAYSOCK=os.path.join(self.dir, sock))
        for name in wait_until("the inner outputs", lambda: self.outputs(any_size=True)
                               if len(self.outputs(any_size=True)) == 2 else None):
            self.place(name)

    def outputs(self, any_size=False):
        """The inner sway's outputs (placed, unless `any_size`), by name."""
        try:
            listed = json.loads(swaymsg("-t", "get_outputs", "-r", env=self.env))
        except subprocess.CalledProcessError:
            return []  # not answering yet
        return sorted(o["name"] for o in listed if o["active"] and (any_size or (
            o["rect"]["width"], o["rect"]["height"]) == (self.W, self.H)))

    def place(self, name):
        """Floats the output's window at one small size, side by side with
        the others on the first headless output: no output of the inner
        sway changes when another goes or comes."""
        at = int(name.split("-")[1]) - 1
        command = ('[title="^wlroots - %s$"] floating enable, border none, resize set %d %d, '
                   'move absolute position %d 0' % (name, self.W, self.H, at * (self.W + 10)))

        def placed():
            if name in self.outputs():
                return True
            # Again until it holds: one sent before the window's first
            # configure is undone by it.
            subprocess.run(["swaymsg", command], capture_output=True)
            return False
        wait_until(name + " placed", placed)

    def unplug(self, name):
        swaymsg('[title="^wlroots - %s$"] kill' % name)
        wait_until(name + " to go", lambda: name not in self.outputs(any_size=True))

    def plug(self):
        before = self.outputs(any_size=True)
        swaymsg("create_output", env=self.env)
        added = wait_until("an output to come", lambda: sorted(
            set(self.outputs(any_size=True)) - set(before)))[0]
        self.place(added)
        return added

    def stop(self):
        self.proc.terminate()
        try:
            self.proc.wait(30)
        except subprocess.TimeoutExpired:
            self.proc.kill()
            self.proc.wait()
        self.log.close()


def memory_files(pid):
    """How many memory files (memfd) a process has mapped."""
    with open("/proc/%d/maps" % pid) as maps:
        return len({line.split()[4] for line in maps if "/memfd:" in line})  # by inode


class OutputsUnplugged(FollowingOutputs):
    """Outputs of the inner sway that go (wl_registry.global_remove) and
    come while the saver runs on both."""
    desktops = NestedSway.DESKTOPS

    def unplugging(self, gone):
        inner = NestedSway()
        self.addCleanup(inner.stop)
        self.env = inner.env
        self.addCleanup(end, keyboard(inner.env))
        self.saver = Saver("--fade-depth", str(self.DEPTH), env=inner.env)
        self.addCleanup(self.saver.stop)
        self.fading(["WL-1", "WL-2"])
        both = memory_files(self.saver.proc.pid)
        inner.unplug(gone)
        kept = [o for o in ("WL-1", "WL-2") if o != gone]
        self.fading(kept)
        # The cover of the output that went is gone, not only hidden.
        self.assertLess(memory_files(self.saver.proc.pid), both)
        added = inner.plug()
        self.fading(kept + [added])
        self.assertEqual(memory_files(self.saver.proc.pid), both)
        subprocess.run(["wtype", "a"], env=inner.env, check=True)
        self.assertEqual((self.saver.wait_end(), self.saver.proc.stderr.read()), (0, ""))

    def test_another_output_that_goes(self):
        self.unplugging("WL-2")

    def test_the_primary_output_that_goes(self):
        # The next one becomes the primary: the main surface moves onto it.
        self.unplugging("WL-1")


class OutputsComeAndGo(FollowingOutputs):
    """Run last: the third output it adds stays (off) in the compositor."""

    def test_outputs_added_changed_and_turned_off_while_it_runs_stay_covered(self):
        # Debian 12's sway can neither unplug a headless output nor tell its
        # clients that one went (an output turned off keeps its global and
        # goes dark): what it can do is add one and change one.
        self.addCleanup(end, keyboard())
        # Placed where it stays whatever the second output does.
        swaymsg("output", "HEADLESS-3", "position", "2048", "0")
        self.saver = Saver("--fade-depth", str(self.DEPTH))
        self.addCleanup(self.saver.stop)
        self.fading(DESKTOPS)
        swaymsg("create_output")
        self.addCleanup(swaymsg, "output", "HEADLESS-3", "disable")
        added = self.fading(["HEADLESS-1", "HEADLESS-3"])["HEADLESS-3"]
        # A mode of another size: its cover goes, and a new one shows the
        # desktop of the new size.
        swaymsg("output", "HEADLESS-2", "resolution", "800x600")
        self.addCleanup(swaymsg, "output", "HEADLESS-2", "enable", "resolution", "1024x768")
        self.fading(["HEADLESS-1", "HEADLESS-2", "HEADLESS-3"])
        swaymsg("output", "HEADLESS-2", "disable")
        added |= self.fading(["HEADLESS-1", "HEADLESS-3"])["HEADLESS-3"]
        swaymsg("output", "HEADLESS-2", "enable")
        self.fading(["HEADLESS-2"])
        subprocess.run(["wtype", "a"], check=True)
        self.assertEqual(self.saver.wait_end(), 0)
        # The new output showed its own desktop (the compositor's background,
        # seen once the saver has gone) at the fade's levels.
        desktop = centre("HEADLESS-3")
        self.assertLessEqual(added, levels_of(desktop, self.DEPTH), desktop)


class WithoutLayerShell(unittest.TestCase):
    def test_weston_gets_one_line_and_its_own_status(self):
        runtime = os.environ["XDG_RUNTIME_DIR"]
        socket = "tidelight-weston"
        log = open(os.path.join(tempfile.mkdtemp(prefix="weston."), "weston.log"), "w")
        weston = subprocess.Popen(["weston", "--backend=headless-backend.so", "--socket=" + socket,
                                   "--idle-time=0"], stdout=log, stderr=log)
        try:
            wait_until("weston's socket", lambda: os.path.exists(os.path.join(runtime, socket)))
            env = dict(os.environ, WAYLAND_DISPLAY=socket)
            run = subprocess.run([ARGS.program, "--no-music"], env=env, capture_output=True,
                                 text=True, timeout=60)
            self.assertEqual(run.returncode, 3, run.stderr)
            lines = run.stderr.splitlines()
            self.assertEqual(len(lines), 1, run.stderr)
            self.assertIn("zwlr_layer_shell_v1", lines[0])
        finally:
            weston.terminate()
            weston.wait()

    def test_a_wayland_session_without_its_compositor_is_told(self):
        env = dict(os.environ, WAYLAND_DISPLAY="tidelight-none", XDG_SESSION_TYPE="wayland")
        run = subprocess.run([ARGS.program, "--no-music"], env=env, capture_output=True,
                             text=True, timeout=60)
        self.assertEqual(run.returncode, 4, run.stderr)
        self.assertEqual(len(run.stderr.splitlines()), 1, run.stderr)
        self.assertIn("Wayland session", run.stderr)


def main():
    global ARGS
    parser = argparse.ArgumentParser()
    parser.add_argument("--program", required=True)
    parser.add_argument("--only", default="")
    ARGS, rest = parser.parse_known_args()
    ARGS.program = os.path.abspath(ARGS.program)
    if "SWAYSOCK" not in os.environ:
        # Not yet inside a compositor: run again inside a headless sway.
        os.execv(os.path.join(ROOT, "scripts/lib/wayland-run.sh"),
                 [os.path.join(ROOT, "scripts/lib/wayland-run.sh"), "/usr/bin/python3",
                  os.path.abspath(__file__)] + sys.argv[1:])
    # Every file of the run under the compositor's runtime folder, which
    # the runner removes.
    tempfile.tempdir = os.environ["XDG_RUNTIME_DIR"]
    os.chdir(tempfile.mkdtemp(prefix="e2e."))
    suite = unittest.TestSuite()
    for case in (Covering, StartedBySwayidle, WithoutLayerShell, SamePixelsAsX11,
                 OutputsUnplugged, OutputsComeAndGo):
        for test in unittest.defaultTestLoader.loadTestsFromTestCase(case):
            if ARGS.only in test.id():
                suite.addTest(test)
    result = unittest.TextTestRunner(verbosity=2).run(suite)
    sys.exit(0 if result.wasSuccessful() else 1)


if __name__ == "__main__":
    main()

#!/usr/bin/env python3
"""End-to-end tests of the settings dialog: the real Tidelight.scr /c under
Wine on a virtual X screen, driven with xdotool and read from screenshots,
in Japanese (LANG=ja_JP.UTF-8, which is also the ANSI code page 932) and in
English (LANG=C.UTF-8, any other language). Wine takes the user-interface
language from LANG.

usage: dialog_e2e.py --scr Tidelight.scr --work DIR [unittest options]
"""
import argparse
import math
import os
import subprocess
import sys
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import e2e  # noqa: E402
from e2e import KEY_DEPTH, KEY_FILE, KEY_KIND, KEY_REPEAT, KEY_SPEED, Rig  # noqa: E402
from winerun import WINE, wait_until  # noqa: E402

TITLE = "<Tidelight>"
# Client pixels at 96 DPI (15 twips a pixel) of what the cases click.
PANEL = (12, 16)
ROW_CD = (PANEL[0] + 28 + 6, PANEL[1] + 56 + 6)          # the "音楽CD" mark
ROW_FILE_LABEL = (PANEL[0] + 44 + 10, PANEL[1] + 96 + 6)  # the start of the "MP3、WAV" row's label
FILE_BUTTON = (PANEL[0] + 32 + 18, PANEL[1] + 116 + 12)   # "..."
REPEAT_FIELD = (PANEL[0] + 112 + 12, PANEL[1] + 52 + 10)  # the repeat list's text
SPEED_RIGHT_ARROW = (PANEL[0] + 172 + 121 - 6, PANEL[1] + 220 + 8)
SET_BUTTON = (316 + 40, 296 + 12)
CANCEL_BUTTON = (400 + 40, 296 + 12)


def level(y, height):
    v = abs(math.sin(y / (height / 3.142)) * 220)
    return int(round(v))  # Python rounds ties to even, as the dialog does


def dialog_row(v):
    return (v, v, v + 30)


def panel_row(v):
    return (v + 30, v + 30, v + 30)


def settings(kind, repeat, music, depth, speed):
    """The file as the dialog writes it: each number after a blank."""
    return (b"[Section]\r\n" + KEY_KIND + b"=" + kind + b"\r\n" + KEY_REPEAT + b"=" + repeat +
            b"\r\n" + KEY_FILE + b"=" + music + b"\r\n" + KEY_DEPTH + b"=" + depth + b"\r\n" +
            KEY_SPEED + b"=" + speed + b"\r\n")


class DialogRig:
    """The dialog of one run: found on screen, its client area located from
    the shading's first rows."""

    def __init__(self, rig, client_size):
        self.rig, self.client_size = rig, client_size
        self.proc, found = rig.open_window(("/c",), TITLE)
        e2e.check(found, "no window titled %s appeared" % TITLE)
        self.window = found[0]
        self.origin = wait_until(self.locate, 20)
        e2e.check(self.origin, "the dialog's shading did not appear")

    def geometry(self):
        out = subprocess.run(["xdotool", "getwindowgeometry", "--shell", self.window],
                             env=self.rig.env, capture_output=True, text=True).stdout
        g = dict(line.split("=", 1) for line in out.split() if "=" in line)
        return int(g["X"]), int(g["Y"]), int(g["WIDTH"]), int(g["HEIGHT"])

    def locate(self):
        """The client area's top-left on the screen: the first row of
        (0, 0, 30) under which the second shading row follows."""
        x0, y0, w, h = self.geometry()
        shot = self.rig.shot()
        height = self.client_size[1]
        second = dialog_row(level(1, height))
        mid = min(x0 + w // 2, shot.width - 1)
        for y in range(max(y0, 0), min(y0 + h, shot.height - 1)):
            if shot.px(mid, y) == (0, 0, 30) and shot.px(mid, y + 1) == second:
                x = max(x0, 0)
                while x < mid and shot.px(x, y) != (0, 0, 30):
                    x += 1
                return x, y
        return None

    def screen_point(self, client):
        return self.origin[0] + client[0], self.origin[1] + client[1]

    def click(self, client, button="1"):
        x, y = self.screen_point(client)
        self.rig.xdotool("mousemove", str(x), str(y), "click", button)

    def crop(self, client, size):
        shot = self.rig.shot()
        x0, y0 = self.screen_point(client)
        return [shot.px(x0 + dx, y0 + dy) for dy in range(size[1]) for dx in range(size[0])]

    def ended(self, timeout=15):
        return self.rig.ended(self.proc, timeout)

    def kill(self):
        if self.proc.poll() is None:
            self.proc.kill()
            self.proc.wait()


JAPANESE, ENGLISH = "ja_JP.UTF-8", "C.UTF-8"


def use_language(lang):
    """The user-interface language of the programs started from now on: a
    new screen, since its Wine server keeps the locale it started with."""
    env = e2e.RIG.env
    if env.get("LANG") == lang and not {"LC_ALL", "LC_MESSAGES"} & set(env):
        return
    e2e.RIG.stop_screen()
    for name in ("LC_ALL", "LC_MESSAGES"):
        env.pop(name, None)
    env["LANG"] = lang


class DialogCase(unittest.TestCase):
    size = (1024, 768)
    dpi = None
    client = (496, 345)
    lang = JAPANESE

    @classmethod
    def setUpClass(cls):
        use_language(cls.lang)
        e2e.RIG.use_screen(cls.size, cls.dpi)

    def setUp(self):
        self.dialog = None

    def tearDown(self):
        if self.dialog:
            self.dialog.kill()
        e2e.RIG.kill_savers()

    def ini(self):
        return e2e.RIG.settings_bytes()

    def open_dialog(self):
        self.dialog = DialogRig(e2e.RIG, self.client)
        return self.dialog

    def check_shading(self, d):
        shot = e2e.RIG.shot()
        ox, oy = d.origin
        w, h = self.client
        for y in range(h):  # a column left of the panel, clear of every control
            self.assertEqual(shot.px(ox + 2, y + oy), dialog_row(level(y, h)), "dialog row %d" % y)
        tpp = 1440 // (self.dpi or 96)
        px, py = round(180 / tpp), round(240 / tpp)
        ph = round(4035 / tpp)
        for y in range(ph):
            self.assertEqual(shot.px(ox + px + 2, oy + py + y), panel_row(level(y, ph)),
                             "panel row %d" % y)
        # The whole first row is the edge colour: the client is as wide as asked.
        row = [shot.px(ox + x, oy) for x in range(w)]
        self.assertEqual(row, [(0, 0, 30)] * w)
        self.assertNotEqual(shot.px(ox + w, oy), (0, 0, 30))
        return shot

    def close_with_alt_f4(self, d):
        for _ in range(5):
            e2e.RIG.xdotool("windowfocus", "--sync", d.window)
            e2e.RIG.xdotool("key", "alt+F4")
            if d.ended(4):
                return True
        return False


class DialogTest(DialogCase):
    def test_place_shading_and_apply_of_rows_list_and_slider(self):
        e2e.RIG.write_settings()
        d = self.open_dialog()
        self.check_shading(d)
        # Without a window manager Wine draws no frame here, so the client
        # area is what shows: centred across, and below a third of the free
        # height by the caption's share (the exact frame is checked in the
        # win32 unit tests, which can ask for it).
        ox, oy = d.origin
        cw, ch = self.client
        self.assertLessEqual(abs(ox - (self.size[0] - cw) // 2), 1, ox)
        self.assertTrue(0 <= oy - (self.size[1] - ch) // 3 <= 30, oy)
        d.click(ROW_CD)
        d.click(REPEAT_FIELD)
        e2e.RIG.xdotool("type", "7")
        d.click(SPEED_RIGHT_ARROW)
        d.click(SPEED_RIGHT_ARROW)
        d.click(SET_BUTTON)
        self.assertTrue(d.ended(), "the dialog stayed after 設定")
        self.assertEqual(self.ini(), settings(b" 1", b" 7", b"", b" 24", b" 12"))

    def test_cancel_and_alt_f4_leave_the_file_untouched(self):
        e2e.RIG.write_settings(kind=1, repeat=3, depth=b"30")
        path = os.path.join(e2e.RIG.prog, "Tidelight.ini")
        before, stamp = self.ini(), os.stat(path).st_mtime_ns
        d = self.open_dialog()
        d.click(SPEED_RIGHT_ARROW)
        d.click(CANCEL_BUTTON)
        self.assertTrue(d.ended(), "the dialog stayed after ｷｬﾝｾﾙ")
        d = self.open_dialog()
        d.click(ROW_CD)
        self.assertTrue(self.close_with_alt_f4(d), "the dialog stayed after Alt+F4")
        self.assertEqual(self.ini(), before)
        self.assertEqual(os.stat(path).st_mtime_ns, stamp)

    def test_button_faces_follow_the_pointer(self):
        e2e.RIG.write_settings()
        d = self.open_dialog()
        corner, size = (400 + 2, 296 + 2), (77, 21)  # inside the "ｷｬﾝｾﾙ" button
        away = (250, 330)
        d.click(away, "3")
        normal = wait_until(lambda: d.crop(corner, size), 5)
        x, y = d.screen_point(CANCEL_BUTTON)
        e2e.RIG.xdotool("mousemove", str(x), str(y))
        hover = wait_until(lambda: (lambda c: c if c != normal else None)(d.crop(corner, size)), 5)
        self.assertTrue(hover, "no hover face")
        e2e.RIG.xdotool("mousedown", "1")
        pressed = wait_until(lambda: (lambda c: c if c != hover else None)(d.crop(corner, size)), 5)
        self.assertTrue(pressed, "no pressed face")
        # Released off the button: no click; the pointer watch takes the hover away.
        ax, ay = d.screen_point(away)
        e2e.RIG.xdotool("mousemove", str(ax), str(ay))
        e2e.RIG.xdotool("mouseup", "1")
        self.assertFalse(d.ended(1), "a release off the button clicked it")
        self.assertTrue(wait_until(lambda: d.crop(corner, size) != hover, 5))
        d.click(CANCEL_BUTTON)
        self.assertTrue(d.ended())


class HighDpiDialogTest(DialogCase):
    """In English: the place of every control the same at 144 DPI."""
    dpi = 144
    client = (744, 518)
    lang = ENGLISH

    @classmethod
    def tearDownClass(cls):
        e2e.RIG.stop_screen()
        e2e.RIG.set_dpi(None)

    def test_the_dialog_at_144_dpi_is_half_as_large_again(self):
        e2e.RIG.write_settings()
        d = self.open_dialog()
        self.check_shading(d)
        d.click((round(CANCEL_BUTTON[0] * 1.5), round(CANCEL_BUTTON[1] * 1.5)))
        self.assertTrue(d.ended())


class LanguageCase(DialogCase):
    """The texts of one language: the rows answer on their labels, the file
    dialog carries the language's title, and the file is written the same."""
    file_dialog_title = None

    def check_language(self):
        pass

    def test_speaks_its_language_and_writes_the_same_bytes(self):
        self.check_language()
        e2e.RIG.write_settings()
        d = self.open_dialog()
        self.check_shading(d)
        d.click(ROW_FILE_LABEL)
        d.click(FILE_BUTTON)
        chooser = wait_until(lambda: e2e.RIG.windows(self.file_dialog_title), 30)
        self.assertTrue(chooser, "no file dialog titled %s" % self.file_dialog_title)
        for _ in range(5):
            e2e.RIG.xdotool("windowfocus", "--sync", chooser[0])
            e2e.RIG.xdotool("key", "Escape")
            if wait_until(lambda: not e2e.RIG.windows(self.file_dialog_title), 4):
                break
        self.assertFalse(e2e.RIG.windows(self.file_dialog_title), "the file dialog stayed")
        d.click(SPEED_RIGHT_ARROW)
        d.click(SET_BUTTON)
        self.assertTrue(d.ended(), "the dialog stayed after its apply button")
        self.assertEqual(self.ini(), settings(b" 2", b" 0", b"", b" 24", b" 11"))


class JapaneseDialogTest(LanguageCase):
    lang = JAPANESE
    file_dialog_title = "ﾌｧｲﾙを開く"

    def check_language(self):
        # Wine's console speaks the Japanese system's code page.
        out = subprocess.run([WINE, "cmd", "/c", "chcp"], env=e2e.RIG.env,
                             capture_output=True).stdout
        self.assertIn("コード", out.decode("cp932", errors="replace"))


class EnglishDialogTest(LanguageCase):
    lang = ENGLISH
    file_dialog_title = "Choose a music file"


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--scr", required=True)
    parser.add_argument("--work", required=True)
    args, rest = parser.parse_known_args()
    e2e.RIG = Rig(args.scr, args.scr, args.work)
    try:
        e2e.RIG.setup()
        suite = unittest.TestSuite()
        loader = unittest.defaultTestLoader
        names = [a for a in rest if not a.startswith("-")]
        # Classes that share a language and a screen run one after another.
        for cls in (DialogTest, JapaneseDialogTest, EnglishDialogTest, HighDpiDialogTest):
            for test in loader.loadTestsFromTestCase(cls):
                if not names or any(n.lower() in test.id().lower() for n in names):
                    suite.addTest(test)
        result = unittest.TextTestRunner(verbosity=2).run(suite)
    finally:
        e2e.RIG.close()
    return 0 if result.wasSuccessful() and result.testsRun else 1


if __name__ == "__main__":
    sys.exit(main())

#!/usr/bin/env python3
"""The x64 installer under Wine: the x86 one beside it refuses this 64-bit
system and names the x64 one; msiexec puts each file in its place with its
bytes and registers the product; the installed saver runs; installing the
same package again repairs; another build of the same version with other
bytes installs over it; a build numbered higher upgrades to one copy with
the new bytes; uninstalling removes every installed file and the entry and
keeps the user's settings file.

usage: installer_e2e.py --msi Tidelight-1.00-x64.msi --work DIR [unittest options]
DIR may be the end-to-end suite's own folder: its Wine prefix is reused.
"""
import argparse
import os
import re
import subprocess
import sys
import tempfile
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
sys.path.insert(0, os.path.join(os.path.dirname(os.path.dirname(HERE)), "packaging"))
import msi  # noqa: E402
from winerun import WINE, Prefix, Screen, processes_of, wait_until  # noqa: E402

ARGS = None
UNINSTALL = r"HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall"


class InstallerTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.work = os.path.abspath(ARGS.work)
        cls.env = dict(os.environ, WINEDEBUG="-all", HOME=os.path.join(cls.work, "home"))
        cls.env.pop("DISPLAY", None)
        cls.prefix = Prefix(os.path.join(cls.work, "prefix"), cls.env)
        try:
            cls.screen = Screen(cls.env, 1024, 768)
        except BaseException:
            cls.prefix.close()
            raise
        cls.drive = os.path.join(cls.env["WINEPREFIX"], "drive_c")
        cls.version = re.search(r"Tidelight-(.+)-x64\.msi$", ARGS.msi).group(1)
        cls.newer = cls.version + ".1"  # 1.00.1 comes after 1.00

    @classmethod
    def tearDownClass(cls):
        cls.screen.close()
        cls.prefix.close()

    def wine(self, *args):
        return subprocess.run([WINE, *args], env=self.env, capture_output=True,
                              text=True, errors="replace")

    def msiexec(self, *args):
        result = self.wine("msiexec", *args, "/qn")
        self.assertEqual(result.returncode, 0, "msiexec %s: %s" % (" ".join(args), result.stderr))


    def host_path(self, windows_path):
        return os.path.join(self.drive, *windows_path[3:].split("\\"))

    def installed(self):
        """Where each file goes, on this side of the prefix."""
        programs = os.path.join(self.drive, "Program Files", "Tidelight")
        return {name: os.path.join(self.drive, "windows", "system32", name)
                if where == "system" else os.path.join(programs, name)
                for name, where in msi.INSTALLED.items()}

    def entries(self):
        """The Installed-apps entries named Tidelight, as {version: their values}."""
        keys = []
        for line in self.wine("reg", "query", UNINSTALL, "/s").stdout.splitlines():
            if line.startswith("HKEY_"):
                keys.append({})
            elif keys and len(line.split(None, 2)) == 3:
                name, _, value = line.split(None, 2)
                keys[-1][name] = value.strip()
        return {k.get("DisplayVersion"): k for k in keys if k.get("DisplayName") == "Tidelight"}

    def payload(self, package, folder):
        """The files of an installer, by name, and its icon."""
        subprocess.run(["msiextract", "-C", folder, package], check=True, stdout=subprocess.DEVNULL)
        files = {}
        for top, _, names in os.walk(folder):
            for name in names:
                with open(os.path.join(top, name), "rb") as f:
                    files[name] = f.read()
        files["tidelight.ico"] = subprocess.run(["msiinfo", "extract", package, "Icon.tidelight.ico"],
                                                capture_output=True, check=True).stdout
        return files

    def check_installed(self, files, version):
        for name, path in self.installed().items():
            with open(path, "rb") as f:
                self.assertEqual(f.read(), files[name], "%s at %s" % (name, path))
        entries = self.entries()
        self.assertEqual(list(entries), [version], "one Installed-apps entry, of this version")
        self.assertEqual(entries[version]["Publisher"], "Tidelight")

    def test_install_run_repair_upgrade_and_uninstall(self):
        appdata = self.wine("cmd", "/c", "echo %APPDATA%").stdout.strip()
        settings = os.path.join(self.host_path(appdata), "Tidelight", "Tidelight.ini")
        os.makedirs(os.path.dirname(settings), exist_ok=True)
        kept = b"[Section]\r\n\xCC\xAA\xB0\xC4\xDE\x93\x78= 48\r\n"
        with open(settings, "wb") as f:
            f.write(kept)
        built = [ARGS.msi]  # every package this test may leave installed
        with tempfile.TemporaryDirectory() as folder:
            try:
                # The x86 package on 64-bit Windows: refused by its launch
                # condition (1603, of which a Unix exit status keeps the low
                # byte). Wine's installer logs no message for it; the release
                # test reads that the message names the x64 package.
                x86 = ARGS.msi[:-len("x64.msi")] + "x86.msi"
                result = self.wine("msiexec", "/i", x86, "/qn")
                self.assertIn(result.returncode, (1603, 1603 & 0xFF), "the x86 package: %s" % result.stderr)
                self.assertEqual(self.entries(), {})

                first = self.payload(ARGS.msi, os.path.join(folder, "first"))
                self.msiexec("/i", ARGS.msi)
                self.check_installed(first, self.version)

                # The saver from its installed place: its window, and a click ends it.
                proc = subprocess.Popen([WINE, r"C:\windows\system32\Tidelight.scr", "/s"],
                                        env=self.env, stdout=subprocess.DEVNULL,
                                        stderr=subprocess.DEVNULL)
                find = ["xdotool", "search", "--name", "^Tidelight_Main$"]
                shown = wait_until(lambda: subprocess.run(find, env=self.env, capture_output=True)
                                   .stdout.strip(), 60)
                self.assertTrue(shown, "the installed saver showed no window")
                # The window is named before it is shown; a click that comes
                # earlier lands on the desktop, so click until it ends.
                for _ in range(5):
                    subprocess.run(["xdotool", "mousemove", "5", "5", "click", "1"], env=self.env)
                    try:
                        proc.wait(timeout=4)
                        break
                    except subprocess.TimeoutExpired:
                        pass
                self.assertIsNotNone(proc.poll(), "a click did not end the installed saver")

                # The same version again puts back what went missing.
                os.remove(self.installed()["tidelight-fx.exe"])
                self.msiexec("/i", ARGS.msi)
                self.check_installed(first, self.version)

                # Another build of the same version, with other bytes, goes
                # over it: not refused as another package of the product (1638).
                rebuilt = dict(first, **{"tidelight-fx.exe": first["tidelight-fx.exe"] + b"again"})
                again = os.path.join(folder, "again.msi")
                msi.build(again, "x64", self.version, rebuilt, 1796601600)  # any date will do
                built.append(again)
                self.msiexec("/i", again)
                self.check_installed(rebuilt, self.version)

                # A build numbered higher, with other bytes, replaces it.
                second = dict(first, **{"Tidelight.scr": first["Tidelight.scr"] + b"upgrade"})
                newer = os.path.join(folder, msi.msi_name(self.newer, "x64"))
                msi.build(newer, "x64", self.newer, second, 1796601600)
                built.append(newer)
                self.msiexec("/i", newer)
                self.check_installed(second, self.newer)

                self.msiexec("/x", newer)
                for path in self.installed().values():
                    self.assertFalse(os.path.exists(path), path)
                self.assertFalse(os.path.exists(os.path.dirname(self.installed()["README-en.txt"])))
                self.assertEqual(self.entries(), {})
                with open(settings, "rb") as f:
                    self.assertEqual(f.read(), kept)
            finally:
                # Nothing is left for the suites that share the prefix.
                for package in built:
                    if os.path.exists(package):
                        self.wine("msiexec", "/x", msi.product_code_of(package), "/qn")
                for pid in processes_of(r"C:\windows\system32\Tidelight.scr"):
                    os.kill(pid, 9)
                if os.path.exists(settings):
                    os.remove(settings)


def main():
    global ARGS
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--msi", required=True)
    parser.add_argument("--work", required=True)
    ARGS, rest = parser.parse_known_args()
    ARGS.msi = os.path.abspath(ARGS.msi)
    program = unittest.main(argv=[sys.argv[0], "-v", *rest], exit=False)
    return 0 if program.result.wasSuccessful() and program.result.testsRun else 1


if __name__ == "__main__":
    sys.exit(main())

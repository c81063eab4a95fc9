#!/usr/bin/env python3
"""Checks the release: the archive, what it holds and in which order, the
checksums, both programs' machine types and resources, the guides' encoding;
the two installers beside it, what they install where; and, given a second
release built from other build folders, identical bytes.

usage: archive_test.py ARCHIVE.zip [SECOND.zip] [unittest options]
"""
import hashlib
import os
import re
import struct
import subprocess
import sys
import tempfile
import unittest
import zipfile

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
sys.path.insert(0, os.path.join(ROOT, "packaging"))
import msi as packaging  # noqa: E402
ARCHIVE = None
SECOND = None

LISTING = ["README-en.txt", "README-ja.txt", "x64/Tidelight.scr", "x64/tidelight-fx.exe",
           "x86/Tidelight.scr", "x86/tidelight-fx.exe", "SHA256SUMS.txt"]
GUIDES = ["README-en.txt", "README-ja.txt"]
# Each program and its PE subsystem: 2 a Windows program, 3 a console one.
PROGRAMS = {"Tidelight.scr": 2, "tidelight-fx.exe": 3}
# DLLs that come with every Windows; no program may need another.
SYSTEM_DLLS = {"kernel32.dll", "user32.dll", "gdi32.dll", "msvcrt.dll", "shell32.dll",
               "winmm.dll", "comdlg32.dll", "msimg32.dll", "advapi32.dll", "ole32.dll",
               "oleaut32.dll", "comctl32.dll", "dwmapi.dll", "shcore.dll",
               "windowscodecs.dll"}
# Archive folder: the PE machine and optional-header magic its programs carry.
MACHINES = {"x64": (0x8664, 0x20B), "x86": (0x14C, 0x10B)}
# Installer architecture: its summary's template, the system and program
# folders, and the component attribute of 64-bit components.
INSTALLERS = {"x64": ("x64;1033", "System64Folder", "ProgramFiles64Folder", 256),
              "x86": ("Intel;1033", "SystemFolder", "ProgramFilesFolder", 0)}


def installer(archive, arch):
    """The installer of that architecture beside the archive."""
    version = re.fullmatch(r"Tidelight-(.+)-windows\.zip", os.path.basename(archive)).group(1)
    return os.path.join(os.path.dirname(archive), "Tidelight-%s-%s.msi" % (version, arch))


def release_version(archive):
    return re.fullmatch(r"Tidelight-(.+)-windows\.zip", os.path.basename(archive)).group(1)


def table(msi, name):
    """A table of the installer's database as rows of its columns."""
    out = subprocess.run(["msiinfo", "export", msi, name], capture_output=True, text=True,
                         check=True).stdout
    return [line.split("\t") for line in out.splitlines()[3:]]


def contents(path):
    with zipfile.ZipFile(path) as archive:
        return {info.filename: archive.read(info) for info in archive.infolist()}


def pe_header(data):
    """Machine, link time stamp, optional-header magic and subsystem."""
    offset = struct.unpack_from("<I", data, 0x3C)[0]
    if data[:2] != b"MZ" or data[offset:offset + 4] != b"PE\0\0":
        raise AssertionError("not a PE file")
    machine, _, stamp = struct.unpack_from("<HHI", data, offset + 4)
    optional = offset + 24
    magic = struct.unpack_from("<H", data, optional)[0]
    subsystem = struct.unpack_from("<H", data, optional + 68)[0]
    return machine, stamp, magic, subsystem


class ListingTest(unittest.TestCase):
    def test_entries_in_fixed_order(self):
        with zipfile.ZipFile(ARCHIVE) as archive:
            self.assertEqual([i.filename for i in archive.infolist()], LISTING)
            self.assertIsNone(archive.testzip())

    def test_entries_carry_no_build_machine_details(self):
        """One date for all, no Unix owner or mode, no extra fields: nothing
        that differs between two machines or two runs."""
        with zipfile.ZipFile(ARCHIVE) as archive:
            infos = archive.infolist()
        self.assertEqual(len({i.date_time for i in infos}), 1)
        for info in infos:
            with self.subTest(entry=info.filename):
                self.assertEqual((info.create_system, info.external_attr, info.extra),
                                 (0, 0x20, b""))


class ChecksumTest(unittest.TestCase):
    def test_every_other_entry_and_both_installers_listed_once_with_their_hash(self):
        files = contents(ARCHIVE)
        sums = files.pop("SHA256SUMS.txt")
        self.assertTrue(sums.endswith(b"\r\n") and b"\n" not in sums.replace(b"\r\n", b""))
        for arch in INSTALLERS:
            with open(installer(ARCHIVE, arch), "rb") as f:
                files[os.path.basename(installer(ARCHIVE, arch))] = f.read()
        listed = {}
        for line in sums.decode("ascii").splitlines():
            digest, name = re.fullmatch(r"([0-9a-f]{64})  (\S+)", line).groups()
            self.assertNotIn(name, listed)
            listed[name] = digest
        self.assertEqual(listed, {n: hashlib.sha256(d).hexdigest() for n, d in files.items()})
        # The same file beside the archive.
        with open(os.path.join(os.path.dirname(ARCHIVE), "SHA256SUMS.txt"), "rb") as f:
            self.assertEqual(f.read(), sums)

    def test_sha256sum_checks_the_extracted_files_and_the_installers(self):
        with tempfile.TemporaryDirectory() as folder:
            with zipfile.ZipFile(ARCHIVE) as archive:
                archive.extractall(folder)
            for where, count in ((folder, 6), (os.path.dirname(ARCHIVE), 2)):
                result = subprocess.run(["sha256sum", "--check", "--strict", "--ignore-missing",
                                         "SHA256SUMS.txt"], cwd=where, capture_output=True, text=True)
                self.assertEqual(result.returncode, 0, result.stdout + result.stderr)
                self.assertEqual(result.stdout.count(": OK"), count, result.stdout)


class ProgramTest(unittest.TestCase):
    def test_machine_type_fits_its_folder(self):
        files = contents(ARCHIVE)
        for folder, (machine, magic) in MACHINES.items():
            for program, want_subsystem in PROGRAMS.items():
                with self.subTest(program=folder + "/" + program):
                    got_machine, stamp, got_magic, subsystem = pe_header(
                        files[folder + "/" + program])
                    self.assertEqual((got_machine, got_magic), (machine, magic))
                    self.assertEqual(subsystem, want_subsystem)
                    self.assertEqual(stamp, 0, "the linker wrote its time into the header")

    def test_tool_needs_only_system_dlls(self):
        files = contents(ARCHIVE)
        with tempfile.TemporaryDirectory() as folder:
            for arch, dump in (("x64", "x86_64-w64-mingw32-objdump"),
                               ("x86", "i686-w64-mingw32-objdump")):
                with self.subTest(folder=arch):
                    path = os.path.join(folder, arch + ".exe")
                    with open(path, "wb") as f:
                        f.write(files[arch + "/tidelight-fx.exe"])
                    listing = subprocess.run([dump, "-p", path], capture_output=True,
                                             text=True, check=True).stdout
                    dlls = {m.lower() for m in re.findall(r"DLL Name: (\S+)", listing)}
                    self.assertTrue(dlls)
                    self.assertLessEqual(dlls, SYSTEM_DLLS)

    def test_each_program_carries_the_whole_version(self):
        version = release_version(ARCHIVE)
        numbers = (list(map(int, version.split("."))) + [0, 0, 0])[:4]  # 1.00 is 1.0.0.0
        # VS_FIXEDFILEINFO: its signature and structure version, then the file
        # and the product version, each as two 32-bit halves of 16-bit pairs.
        fixed = struct.pack("<IHH", 0xFEEF04BD, 0, 1) + \
            struct.pack("<4H", numbers[1], numbers[0], numbers[3], numbers[2]) * 2
        for name, data in contents(ARCHIVE).items():
            if name.endswith((".scr", ".exe")):
                with self.subTest(program=name):
                    self.assertIn(fixed, data)
                    # Each text: its key, its end, padding to four bytes, the value.
                    for key in ("FileVersion", "ProductVersion"):
                        self.assertRegex(data, re.escape(key.encode("utf-16-le")) + b"\0\0(?:\0\0)?" +
                                         re.escape(version.encode("utf-16-le")) + b"\0\0")

    def test_imports_version_information_and_manifest(self):
        with tempfile.TemporaryDirectory() as folder:
            with zipfile.ZipFile(ARCHIVE) as archive:
                archive.extractall(folder)
            for arch in MACHINES:
                with self.subTest(folder=arch):
                    result = subprocess.run(
                        [os.path.join(ROOT, "scripts", "check-scr.sh"),
                         os.path.join(folder, arch, "Tidelight.scr")],
                        capture_output=True, text=True)
                    self.assertEqual(result.returncode, 0, result.stdout + result.stderr)


class GuideTest(unittest.TestCase):
    def test_utf8_with_byte_order_mark_and_crlf(self):
        files = contents(ARCHIVE)
        for name in GUIDES:
            with self.subTest(guide=name):
                data = files[name]
                self.assertTrue(data.startswith(b"\xef\xbb\xbf"))
                data[3:].decode("utf-8")
                self.assertNotIn(b"\xef\xbb\xbf", data[3:])
                self.assertTrue(data.endswith(b"\r\n"))
                bare = data.replace(b"\r\n", b"")
                self.assertNotIn(b"\n", bare)
                self.assertNotIn(b"\r", bare)

    def test_japanese_guide_is_japanese(self):
        text = contents(ARCHIVE)["README-ja.txt"][3:].decode("utf-8")
        kana = sum(1 for c in text if "\u3040" <= c <= "\u30ff")
        self.assertGreater(kana, len(text) // 10)

    def test_names_only_files_the_archive_holds(self):
        files = contents(ARCHIVE)
        for name in GUIDES:
            text = files[name][3:].decode("utf-8")
            with self.subTest(guide=name):
                self.assertNotIn("@VERSION@", text)
                named = set(re.findall(r"\b(x64|x86)\\(\w+\.\w+)", text))
                self.assertLessEqual({("x64", "Tidelight.scr"), ("x86", "Tidelight.scr")}, named)
                for folder, program in named:
                    self.assertIn("%s/%s" % (folder, program), files)
                for other in re.findall(r"\b(README-\w+\.txt|SHA256SUMS\.txt)", text):
                    self.assertIn(other, files)


class InstallerTest(unittest.TestCase):
    def test_each_installs_the_archives_files_of_its_machine_where_windows_looks(self):
        files = contents(ARCHIVE)
        codes = set()
        for arch, (template, system, programs, attributes) in INSTALLERS.items():
            with self.subTest(arch=arch):
                msi = installer(ARCHIVE, arch)
                summary = subprocess.run(["msiinfo", "suminfo", msi], capture_output=True,
                                         text=True, check=True).stdout
                self.assertIn("Template: %s\n" % template, summary)
                props = dict(table(msi, "Property"))
                self.assertEqual((props["ProductName"], props["ProductVersion"], props["ALLUSERS"]),
                                 ("Tidelight", re.search(r"-(\d[\d.]*)-", msi).group(1), "1"))
                streams = subprocess.run(["msiinfo", "streams", msi], capture_output=True,
                                         text=True, check=True).stdout.split()
                self.assertIn("Icon." + props["ARPPRODUCTICON"], streams)
                codes.add(props["UpgradeCode"])
                # Each file in its folder; the system folder for the saver.
                folders = {row[0]: row[1] for row in table(msi, "Directory")}
                components = {row[0]: (row[2], int(row[3])) for row in table(msi, "Component")}
                placed = {row[2]: components[row[1]] for row in table(msi, "File")}
                self.assertEqual(placed, {"Tidelight.scr": (system, attributes),
                                          "tidelight-fx.exe": ("INSTALLFOLDER", attributes),
                                          "README-en.txt": ("INSTALLFOLDER", attributes),
                                          "README-ja.txt": ("INSTALLFOLDER", attributes)})
                self.assertEqual(folders["INSTALLFOLDER"], programs)
                # An older version goes before anything is installed.
                sequence = sorted((int(row[2]), row[0]) for row in table(msi, "InstallExecuteSequence"))
                actions = [action for _, action in sequence]
                self.assertEqual(actions[actions.index("InstallInitialize") + 1],
                                 "RemoveExistingProducts")
                # No registry value: the active screen saver is the user's choice.
                self.assertEqual(table(msi, "Registry"), [])
                with tempfile.TemporaryDirectory() as folder:
                    subprocess.run(["msiextract", "-C", folder, msi], check=True,
                                   stdout=subprocess.DEVNULL)
                    extracted = {}
                    for top, _, names in os.walk(folder):
                        for name in names:
                            with open(os.path.join(top, name), "rb") as f:
                                extracted[name] = f.read()
                    self.assertEqual(extracted, {n: files.get("%s/%s" % (arch, n), files.get(n))
                                                 for n in placed})
        self.assertEqual(len(codes), 2, "each machine needs its own upgrade code")

    def test_machine_refusal_rebuilds_of_a_version_and_the_repair_action(self):
        version = release_version(ARCHIVE)
        for arch, refused, other in (("x86", "NOT VersionNT64", "x64"), ("x64", "VersionNT64", "x86")):
            with self.subTest(arch=arch):
                msi = installer(ARCHIVE, arch)
                # The other machine is refused and told which package to take.
                self.assertIn(os.path.basename(installer(ARCHIVE, other)),
                              dict(table(msi, "LaunchCondition"))[refused])
                # Another build of this version replaces the installed one, not
                # refused as another package of it (1638): its product code
                # comes from the contents, and the upgrade takes both ends in.
                older = {row[6]: row for row in table(msi, "Upgrade")}["OLDERFOUND"]
                self.assertEqual((older[2], int(older[4]) & 0x300), (version, 0x300))
                payload = {n: b"other " + n.encode() for n in packaging.PAYLOAD}
                with tempfile.TemporaryDirectory() as folder:
                    rebuilt = os.path.join(folder, "rebuilt.msi")
                    packaging.build(rebuilt, arch, version, payload, 1796601600)
                    self.assertNotEqual(packaging.product_code_of(rebuilt), packaging.product_code_of(msi))
                # The repair sets a property (51), immediately: the
                # no-impersonation bit (0x800) belongs to deferred actions.
                self.assertEqual(table(msi, "CustomAction"), [["RepairWhenInstalled", "51", "REINSTALL", "ALL", ""]])


class ReproducibleTest(unittest.TestCase):
    def test_second_build_gives_the_same_bytes(self):
        if not SECOND:
            self.skipTest("no second archive given")
        for arch in INSTALLERS:
            with open(installer(ARCHIVE, arch), "rb") as a, open(installer(SECOND, arch), "rb") as b:
                self.assertTrue(a.read() == b.read(), "the %s installers differ" % arch)
        with open(ARCHIVE, "rb") as a, open(SECOND, "rb") as b:
            if a.read() == b.read():
                return
        first, second = contents(ARCHIVE), contents(SECOND)
        differ = sorted(n for n in set(first) | set(second) if first.get(n) != second.get(n))
        self.fail("the archives differ; entries that differ: %s" % (differ or "none (the zip)"))


if __name__ == "__main__":
    args = sys.argv[1:]
    files = [a for a in args if a.endswith(".zip")]
    if not 1 <= len(files) <= 2:
        sys.exit(__doc__)
    ARCHIVE, SECOND = files[0], files[1] if len(files) > 1 else None
    unittest.main(argv=[sys.argv[0], "-v"] + [a for a in args if a not in files])

#!/usr/bin/env python3
"""Writes the release for Windows users: the archive with the saver and the
effects tool for both machines and the guide in English and Japanese; beside
it an installer for each machine (packaging/msi.py); and SHA256SUMS.txt with
the checksums of the archive's other files and of both installers, in the
archive and beside it.

The programs come from the mingw-x86_64 and mingw-i686 build folders under
--builds (configured from the presets every time, and brought up to date).
The same sources give the same bytes: the entries have a fixed order, a fixed
date (SOURCE_DATE_EPOCH when set, else --date) and fixed attributes, and the
programs are linked without a time stamp.

usage: make_release.py --version 1.00 --date 2026-12-07 --builds DIR --out FILE.zip
                       [--cmake CMAKE]
"""
import argparse
import datetime
import hashlib
import os
import subprocess
import sys
import zipfile

import msi

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
HERE = os.path.join(ROOT, "packaging")

# Archive folder (and installer architecture), preset that builds it; adding
# a program is one line here.
BUILDS = [("x64", "mingw-x86_64"), ("x86", "mingw-i686")]
PROGRAMS = ["Tidelight.scr", "tidelight-fx.exe"]
GUIDES = [("README-en.txt", "guide-en.txt"), ("README-ja.txt", "guide-ja.txt")]
SUMS = "SHA256SUMS.txt"


def build(cmake, builds):
    for _, preset in BUILDS:
        folder = os.path.join(builds, preset)
        # Configured every time: a folder made from an older preset keeps its
        # old flags otherwise, and its programs differ from a fresh build's.
        subprocess.run([cmake, "--preset", preset, "-B", folder], cwd=ROOT, check=True,
                       stdout=subprocess.DEVNULL)
        subprocess.run([cmake, "--build", folder, "--target", *[p.split(".")[0] for p in PROGRAMS]],
                       cwd=ROOT, check=True)


def windows_text(text):
    """UTF-8 with a byte-order mark and CRLF line ends: Notepad on any
    locale, old ones included, shows it as written."""
    return b"\xef\xbb\xbf" + text.replace("\r\n", "\n").replace("\n", "\r\n").encode("utf-8")


def read(path):
    with open(path, "rb") as f:
        return f.read()


def entries(version, builds):
    out = []
    for name, source in GUIDES:
        with open(os.path.join(HERE, source), encoding="utf-8") as f:
            out.append((name, windows_text(f.read().replace("@VERSION@", version))))
    for folder, preset in BUILDS:
        for program in PROGRAMS:
            out.append(("%s/%s" % (folder, program), read(os.path.join(builds, preset, program))))
    return out


def installers(version, builds, archive, when, folder):
    """Writes both installers into `folder` from the archive's files;
    returns their names and bytes."""
    out = []
    files = dict(archive)
    for arch, preset in BUILDS:
        payload = {name: files.get("%s/%s" % (arch, name), files.get(name)) for name in msi.PAYLOAD}
        payload["tidelight.ico"] = read(os.path.join(builds, preset, "tidelight.ico"))
        name = msi.msi_name(version, arch)
        msi.build(os.path.join(folder, name), arch, version, payload, when)
        out.append((name, read(os.path.join(folder, name))))
    return out


def checksums(items):
    """sha256sum's own format, CRLF for Notepad; no byte-order mark, which
    sha256sum --check would not read."""
    return "".join("%s  %s\r\n" % (hashlib.sha256(data).hexdigest(), name)
                   for name, data in items).encode("ascii")


def release_time(default):
    """The release's date: SOURCE_DATE_EPOCH when set, else the given day, UTC."""
    if os.environ.get("SOURCE_DATE_EPOCH"):
        return datetime.datetime.fromtimestamp(int(os.environ["SOURCE_DATE_EPOCH"]),
                                               datetime.timezone.utc)
    return datetime.datetime.fromisoformat(default).replace(tzinfo=datetime.timezone.utc)


def entry_date(when):
    # A zip entry holds local time in two-second steps from 1980 on.
    when = max(when.replace(tzinfo=None), datetime.datetime(1980, 1, 1))
    return (when.year, when.month, when.day, when.hour, when.minute, when.second // 2 * 2)


def write_zip(path, items, date):
    os.makedirs(os.path.dirname(os.path.abspath(path)), exist_ok=True)
    partial = path + ".partial"
    with zipfile.ZipFile(partial, "w") as archive:
        for name, data in items:
            info = zipfile.ZipInfo(name, date)
            info.compress_type = zipfile.ZIP_DEFLATED
            info.create_system = 0          # made on "MS-DOS": no Unix owner or mode bits
            info.external_attr = 0x20       # the archive attribute, as Windows' own zips
            archive.writestr(info, data, compresslevel=9)
    os.replace(partial, path)


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--version", required=True)
    parser.add_argument("--date", required=True, help="the entries' date, YYYY-MM-DD")
    parser.add_argument("--builds", required=True)
    parser.add_argument("--out", required=True)
    parser.add_argument("--cmake", default="cmake")
    args = parser.parse_args()
    build(args.cmake, args.builds)
    when = release_time(args.date)
    folder = os.path.dirname(os.path.abspath(args.out))
    os.makedirs(folder, exist_ok=True)
    archive = entries(args.version, args.builds)
    msis = installers(args.version, args.builds, archive, int(when.timestamp()), folder)
    sums = checksums(archive + msis)
    write_zip(args.out, archive + [(SUMS, sums)], entry_date(when))
    with open(os.path.join(folder, SUMS), "wb") as f:
        f.write(sums)
    for path in [args.out] + [os.path.join(folder, name) for name, _ in msis]:
        print("wrote %s\n  SHA-256 %s" % (path, hashlib.sha256(read(path)).hexdigest()))
    return 0


if __name__ == "__main__":
    sys.exit(main())

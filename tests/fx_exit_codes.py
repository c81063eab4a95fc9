#!/usr/bin/env python3
"""The built tidelight-fx binary (under Wine for the Windows build): exit
statuses 0, 1 and 2, and no output left behind by a failed run."""
import os
import shutil
import struct
import subprocess
import sys
import zlib


def png(width, height):
    """A picture of our own: two ramps and a constant blue."""
    rows = b"".join(b"\0" + b"".join(bytes((x * 8 % 256, y * 8 % 256, 99)) for x in range(width))
                    for y in range(height))

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))

    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(rows)) + chunk(b"IEND", b""))


def main():
    tool, work = sys.argv[1], sys.argv[2]
    emulator = sys.argv[3:] if len(sys.argv) > 3 and sys.argv[3] else []
    shutil.rmtree(work, ignore_errors=True)
    os.makedirs(work)
    source = os.path.join(work, "in.png")
    with open(source, "wb") as f:
        f.write(png(24, 16))
    out = os.path.join(work, "out.png")
    failures = []
    checks = 0

    def check(ok, text):
        nonlocal checks
        checks += 1
        if not ok:
            failures.append(text)

    def run(expected, *args):
        result = subprocess.run(emulator + [tool, *args], capture_output=True, text=True, errors="replace")
        check(result.returncode == expected,
              f"{' '.join(args)}: exit {result.returncode}, expected {expected}\n{result.stderr}")
        return result

    check("tidelight-fx 1.00" in run(0, "--version").stdout, "--version does not name the tool")
    run(0, "--help")
    run(0, "--list")
    run(2, source, "--darker", "many", "-o", out)
    run(2, source, "--no-such-effect", "-o", out)
    run(2, source, "-o", os.path.join(work, "out.gif"))
    run(1, os.path.join(work, "missing.png"), "-o", out)
    run(1, source, "-o", os.path.join(work, "no folder", "out.png"))
    check(os.listdir(work) == ["in.png"], f"failed runs left files: {sorted(os.listdir(work))}")
    run(0, source, "--darker", "40", "--invert", "--undo", "-o", out)
    with open(out, "rb") as f:
        check(f.read(8).startswith(b"\x89PNG"), "the output is not a PNG file")
    for failure in failures:
        print(failure)
    print(f"{checks - len(failures)} passed, {len(failures)} failed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())

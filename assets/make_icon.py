#!/usr/bin/env python3
"""Draws the program's icon: a sun over layered tide bands, fading to dark.

Writes a Windows .ico with 16, 32 and 48 pixel images (32-bit BGRA DIBs)."""
import math
import struct
import sys


def pixel(x, y, n):
    u, v = (x + 0.5) / n, (y + 0.5) / n  # v grows downwards
    r = math.hypot(u - 0.5, v - 0.5)
    if r > 0.48:
        return (0, 0, 0, 0)
    edge = max(0.0, min(1.0, (0.48 - r) * n))
    if v < 0.55 and math.hypot(u - 0.5, v - 0.42) < 0.18:
        col = (255, 214, 110)  # sun
    elif v < 0.55:
        t = v / 0.55
        col = (int(40 + 60 * t), int(60 + 90 * t), int(120 + 100 * t))  # sky
    else:
        band = int((v - 0.55) * 12) % 2
        shade = 1.0 - (v - 0.55) * 1.6
        base = (30, 110, 170) if band else (20, 80, 140)
        col = tuple(int(c * shade) for c in base)
    return (col[2], col[1], col[0], int(255 * edge))  # BGRA


def image(n):
    rows = []
    for y in range(n - 1, -1, -1):  # bottom-up
        rows.append(b"".join(struct.pack("4B", *pixel(x, y, n)) for x in range(n)))
    xor = b"".join(rows)
    and_mask = b"\0" * (((n + 31) // 32) * 4 * n)
    header = struct.pack("<IiiHHIIiiII", 40, n, 2 * n, 1, 32, 0, len(xor) + len(and_mask), 0, 0, 0, 0)
    return header + xor + and_mask


def main(out):
    sizes = [16, 32, 48]
    images = [image(n) for n in sizes]
    data = struct.pack("<HHH", 0, 1, len(sizes))
    offset = 6 + 16 * len(sizes)
    for n, img in zip(sizes, images):
        data += struct.pack("<BBBBHHII", n, n, 0, 0, 1, 32, len(img), offset)
        offset += len(img)
    with open(out, "wb") as f:
        f.write(data + b"".join(images))


if __name__ == "__main__":
    main(sys.argv[1])

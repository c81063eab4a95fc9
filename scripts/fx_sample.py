#!/usr/bin/env python3
"""Writes the gallery's sample picture, drawn by this script: an evening sky
over the sea, a sun, white clouds and a black headland, as a PNG file.

usage: fx_sample.py WIDTH HEIGHT OUT.png
"""
import math
import struct
import sys
import zlib


def main():
    w, h, out = int(sys.argv[1]), int(sys.argv[2]), sys.argv[3]
    horizon = h * 3 // 5
    sun_x, sun_y, sun_r = w * 2 // 3, horizon - h // 8, h // 7
    rows = []
    for y in range(h):
        row = bytearray(b"\0")
        for x in range(w):
            if y < horizon:
                k = y / horizon
                c = (int(40 + 210 * k), int(60 + 110 * k * k), int(150 - 60 * k))
                if (x - sun_x) ** 2 + (y - sun_y) ** 2 <= sun_r ** 2:
                    c = (255, 220, 90)
                cloud = math.sin(x / 9.0) + math.sin(x / 23.0 + y / 5.0)
                if y < horizon // 3 and cloud > 1.4:
                    c = (255, 255, 255)
            else:
                k = (y - horizon) / max(h - horizon, 1)
                wave = 18 * math.sin(x / 6.0 + 9 * k) * (1 - k)
                c = (int(20 + 60 * (1 - k) + wave), int(70 + 50 * (1 - k) + wave), int(130 + 40 * k))
                if abs(x - sun_x) < sun_r * (1 - k) and (y // 2) % 2 == 0:
                    c = (250, 200, 100)
            # The headland: pure black, for the effects that look for it.
            if y > horizon - (h // 5) * math.exp(-((x - w // 8) / (w / 9.0)) ** 2) and y < horizon + h // 12 \
                    and x < w // 3:
                c = (0, 0, 0)
            row += bytes(max(0, min(255, v)) for v in c)
        rows.append(bytes(row))

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))

    with open(out, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", w, h, 8, 2, 0, 0, 0))
                + chunk(b"IDAT", zlib.compress(b"".join(rows), 9)) + chunk(b"IEND", b""))


if __name__ == "__main__":
    main()

#!/usr/bin/env python3
"""Writes a sample desktop of our own as a PPM picture: a sky-to-sea
gradient, a few desktop icons, an open window and a taskbar.

usage: sample_desktop.py WIDTH HEIGHT OUT.ppm
"""
import sys


def main():
    w, h, out = int(sys.argv[1]), int(sys.argv[2]), sys.argv[3]
    pix = bytearray(w * h * 3)

    def rect(l, t, r, b, colour):
        for y in range(max(t, 0), min(b, h)):
            row = bytes(colour) * (min(r, w) - max(l, 0))
            pix[3 * (y * w + max(l, 0)):3 * (y * w + min(r, w))] = row

    for y in range(h):
        k = y / max(h - 1, 1)
        colour = (int(40 + 200 * k * k), int(110 + 60 * k), int(200 - 90 * k))
        pix[3 * y * w:3 * (y + 1) * w] = bytes(colour) * w
    bar = max(h // 20, 24)
    rect(0, h - bar, w, h, (28, 30, 38))
    rect(8, h - bar + 4, 8 + bar, h - 4, (70, 140, 220))
    for i in range(4):
        y = 24 + i * (h // 8)
        rect(24, y, 24 + w // 30, y + w // 30, (235, 200, 90))
    l, t, r, b = w // 4, h // 6, w * 3 // 4, h * 2 // 3
    rect(l, t, r, b, (190, 190, 198))
    rect(l + 2, t + 2, r - 2, t + h // 24, (30, 80, 160))
    rect(l + 4, t + h // 24 + 2, r - 4, b - 4, (250, 250, 250))
    for i in range(8):
        y = t + h // 24 + 16 + i * (h // 30)
        rect(l + 16, y, l + 16 + (r - l) * (3 + i * 5 % 7) // 12, y + max(h // 120, 3),
             (80, 80, 96))
    with open(out, "wb") as f:
        f.write(b"P6 %d %d 255\n" % (w, h) + bytes(pix))


if __name__ == "__main__":
    main()

#!/usr/bin/env python3
"""Draws the program's icon and writes it as a .ico with a 16 x 16 and a 32 x 32 image, each
in the standard 16-colour palette with a transparency mask.

The picture: a program window (grey frame, dark blue title bar, white client area) with a clock
face over its lower right corner: a red rim and a white dial with two dark blue hands in a V.
The large image adds hour marks, a four-colour square at the left of the title bar and three
title-bar buttons at its right.

usage: make-icon.py OUT.ico
"""
import struct
import sys

PALETTE = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
           (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0),
           (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255)]
BLACK, NAVY, SILVER, GREY, RED, GREEN, YELLOW, BLUE, WHITE = 0, 4, 7, 8, 9, 10, 11, 12, 15
CLEAR = None


class Canvas:
    def __init__(self, size):
        self.size = size
        self.pixels = [[CLEAR] * size for _ in range(size)]

    def rect(self, left, top, right, bottom, colour):
        for y in range(top, bottom + 1):
            for x in range(left, right + 1):
                self.pixels[y][x] = colour

    def disc(self, cx, cy, radius, colour):
        for y in range(self.size):
            for x in range(self.size):
                if (x - cx) ** 2 + (y - cy) ** 2 <= radius ** 2:
                    self.pixels[y][x] = colour

    def line(self, x0, y0, x1, y1, colour):
        steps = int(max(abs(x1 - x0), abs(y1 - y0)))
        for i in range(steps + 1):
            self.pixels[round(y0 + (y1 - y0) * i / steps)][round(x0 + (x1 - x0) * i / steps)] = colour


def program_window(c, left, top, right, bottom, title_bottom):
    c.rect(left, top, right, bottom, GREY)
    c.rect(left + 1, top + 1, right - 1, bottom - 1, SILVER)
    c.rect(left + 1, top + 1, right - 1, title_bottom, NAVY)
    c.rect(left + 2, title_bottom + 2, right - 2, bottom - 2, WHITE)


def clock(c, cx, cy, radius, hand):
    c.disc(cx, cy, radius, RED)
    c.disc(cx, cy, radius - (2 if radius > 5 else 1.2), WHITE)
    c.line(cx, cy, cx - hand, cy - hand, NAVY)  # the two hands form a V
    c.line(cx, cy, cx + hand, cy - hand, NAVY)


def large():
    c = Canvas(32)
    program_window(c, 0, 2, 27, 25, 7)
    for x, y, colour in ((3, 3, RED), (4, 3, YELLOW), (3, 4, BLUE), (4, 4, GREEN)):  # four-colour square
        c.pixels[y][x] = colour
    for x in (17, 20, 23):  # title-bar buttons
        c.rect(x, 3, x + 1, 5, WHITE)
    clock(c, 22, 22, 8.6, 4)
    for x, y in ((22, 16), (22, 28), (16, 22), (28, 22)):
        c.pixels[y][x] = BLACK  # hour marks at 12, 6, 9 and 3
    return c


def small():
    c = Canvas(16)
    program_window(c, 0, 1, 13, 12, 3)
    clock(c, 11, 11, 4.6, 2)
    return c


def image(canvas):
    size = canvas.size
    xor_row = (size // 2 + 3) & ~3
    and_row = ((size + 31) // 32) * 4
    xor, mask = b"", b""
    for row in reversed(canvas.pixels):  # bottom-up
        colours = [0 if p is CLEAR else p for p in row]
        packed = bytes((colours[i] << 4) | colours[i + 1] for i in range(0, size, 2))
        xor += packed.ljust(xor_row, b"\0")
        bits = 0
        for p in row:
            bits = (bits << 1) | (p is CLEAR)
        mask += bits.to_bytes(size // 8, "big").ljust(and_row, b"\0")
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 4, 0, len(xor) + len(mask), 0, 0, 16, 0)
    palette = b"".join(struct.pack("BBBB", b, g, r, 0) for r, g, b in PALETTE)
    return header + palette + xor + mask


def ico(canvases):
    images = [image(c) for c in canvases]
    offset = 6 + 16 * len(images)
    out = struct.pack("<HHH", 0, 1, len(images))
    for c, data in zip(canvases, images):
        out += struct.pack("<BBBBHHII", c.size, c.size, 16, 0, 1, 4, len(data), offset)
        offset += len(data)
    return out + b"".join(images)


if __name__ == "__main__":
    with open(sys.argv[1], "wb") as f:
        f.write(ico([small(), large()]))

#!/usr/bin/env python3
"""Draws the program's icon (a panel with two lists, a green and a grey
bullet) and writes it as a 16/32/48 px .ico of 32-bit images."""
import struct
import sys


def pixel(size, x, y):
    s = size / 48.0
    def inside(x0, y0, x1, y1):
        return x0 * s <= x < x1 * s and y0 * s <= y < y1 * s
    if not inside(3, 5, 45, 43):
        return (0, 0, 0, 0)
    if not inside(5, 7, 43, 41):
        return (40, 70, 120, 255)           # frame
    rows = [(11, (40, 170, 70)), (19, (40, 170, 70)), (29, (150, 150, 150)), (36, (150, 150, 150))]
    for top, colour in rows:
        if inside(9, top - 2, 14, top + 3):
            return colour + (255,)          # bullet
        if inside(17, top - 1, 39, top + 2):
            return (60, 60, 60, 255)        # text line
    return (250, 250, 250, 255)


def image(size):
    rows = []
    for y in reversed(range(size)):          # bottom-up
        for x in range(size):
            r, g, b, a = pixel(size, x + 0.5, y + 0.5)
            rows.append(struct.pack("BBBB", b, g, r, a))
    xor = b"".join(rows)
    mask_row = ((size + 31) // 32) * 4
    andmask = b"\0" * (mask_row * size)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, len(xor) + len(andmask), 0, 0, 0, 0)
    return header + xor + andmask


def main(path):
    sizes = [16, 32, 48]
    images = [image(s) for s in sizes]
    out = struct.pack("<HHH", 0, 1, len(sizes))
    offset = 6 + 16 * len(sizes)
    for s, data in zip(sizes, images):
        out += struct.pack("<BBBBHHII", s, s, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    with open(path, "wb") as f:
        f.write(out + b"".join(images))


if __name__ == "__main__":
    main(sys.argv[1])

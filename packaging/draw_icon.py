#!/usr/bin/env python3
"""Draws Trakvel's icon, a parcel with a green tick, and writes it as a .ico file
(16, 24, 32 and 48 pixels, 32-bit colour with alpha). The icon is made here rather
than kept as a binary so that it can be changed by editing the shapes below.

usage: draw_icon.py OUT.ico [OUT.png]   (the PNG, 48 pixels, is for looking at it)
"""
import struct
import sys
import zlib

SIZES = (16, 24, 32, 48)
SAMPLES = 4  # per pixel and axis: edges come out smooth

BOX = (0xC8, 0x8A, 0x4B)
BOX_SIDE = (0xA0, 0x6A, 0x35)
TAPE = (0xF2, 0xDC, 0xA8)
TICK = (0x2E, 0xA0, 0x43)


def inside_polygon(x, y, points):
    inside = False
    for (x1, y1), (x2, y2) in zip(points, points[1:] + points[:1]):
        if (y1 > y) != (y2 > y) and x < x1 + (y - y1) * (x2 - x1) / (y2 - y1):
            inside = not inside
    return inside


def near_segment(x, y, a, b, width):
    (ax, ay), (bx, by) = a, b
    dx, dy = bx - ax, by - ay
    t = max(0.0, min(1.0, ((x - ax) * dx + (y - ay) * dy) / (dx * dx + dy * dy)))
    px, py = ax + t * dx - x, ay + t * dy - y
    return px * px + py * py <= width * width / 4


# Shapes on a unit square, drawn in order: the last one that covers a point wins.
SHAPES = (
    (BOX, lambda x, y: inside_polygon(x, y, [(0.08, 0.30), (0.62, 0.30), (0.62, 0.92), (0.08, 0.92)])),
    (BOX_SIDE, lambda x, y: inside_polygon(x, y, [(0.62, 0.30), (0.84, 0.14), (0.84, 0.74), (0.62, 0.92)])),
    (BOX, lambda x, y: inside_polygon(x, y, [(0.08, 0.30), (0.30, 0.14), (0.84, 0.14), (0.62, 0.30)])),
    (TAPE, lambda x, y: inside_polygon(x, y, [(0.29, 0.30), (0.41, 0.30), (0.41, 0.92), (0.29, 0.92)])),
    (TAPE, lambda x, y: inside_polygon(x, y, [(0.29, 0.30), (0.51, 0.14), (0.63, 0.14), (0.41, 0.30)])),
    ((0xFF, 0xFF, 0xFF), lambda x, y: near_segment(x, y, (0.50, 0.70), (0.66, 0.86), 0.22)
     or near_segment(x, y, (0.66, 0.86), (0.94, 0.50), 0.22)),
    (TICK, lambda x, y: near_segment(x, y, (0.50, 0.70), (0.66, 0.86), 0.13)
     or near_segment(x, y, (0.66, 0.86), (0.94, 0.50), 0.13)),
)


def pixel(px, py, size):
    red = green = blue = covered = 0
    for sy in range(SAMPLES):
        for sx in range(SAMPLES):
            x = (px + (sx + 0.5) / SAMPLES) / size
            y = (py + (sy + 0.5) / SAMPLES) / size
            colour = None
            for shape_colour, covers in SHAPES:
                if covers(x, y):
                    colour = shape_colour
            if colour:
                red, green, blue, covered = red + colour[0], green + colour[1], blue + colour[2], covered + 1
    if not covered:
        return (0, 0, 0, 0)
    return (red // covered, green // covered, blue // covered, 255 * covered // SAMPLES**2)


def image(size):
    return [[pixel(x, y, size) for x in range(size)] for y in range(size)]


def ico_entry(rows):
    size = len(rows)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    colour = b"".join(bytes((b, g, r, a)) for row in reversed(rows) for r, g, b, a in row)
    mask = bytes(((size + 31) // 32) * 4 * size)  # the alpha channel decides
    return header + colour + mask


def ico(images):
    entries = [ico_entry(rows) for rows in images]
    out = struct.pack("<HHH", 0, 1, len(entries))
    offset = 6 + 16 * len(entries)
    for rows, data in zip(images, entries):
        size = len(rows) % 256
        out += struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    return out + b"".join(entries)


def png(rows):
    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))
    raw = b"".join(b"\0" + b"".join(bytes(p) for p in row) for row in rows)
    size = len(rows)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(raw)) + chunk(b"IEND", b""))


def main():
    if len(sys.argv) not in (2, 3):
        sys.exit(__doc__)
    images = [image(size) for size in SIZES]
    with open(sys.argv[1], "wb") as out:
        out.write(ico(images))
    if len(sys.argv) == 3:
        with open(sys.argv[2], "wb") as out:
            out.write(png(images[-1]))


if __name__ == "__main__":
    main()

#!/usr/bin/env python3
"""Draws the application icon, resources/mensora.png: a vernier caliper with a digital
read-out on a rounded blue square, 64 x 64 pixels with an alpha channel.

Only the standard library is used, so the icon can be redrawn on any machine:
    python3 tools/icon/make_icon.py resources/mensora.png
    python3 tools/icon/make_icon.py resources/mensora.ico   # the same image as a Windows icon
"""

import struct
import sys
import zlib

SIZE = 64
SUBSAMPLES = 4  # per axis, for smooth edges

BACKGROUND = (28, 84, 148)
STEEL = (236, 240, 245)
READOUT = (40, 48, 56)
DIGITS = (120, 230, 140)


def rounded_square(x, y):
    radius, inset = 12.0, 2.0
    lo, hi = inset + radius, SIZE - inset - radius
    cx = min(max(x, lo), hi)
    cy = min(max(y, lo), hi)
    return (x - cx) ** 2 + (y - cy) ** 2 <= radius ** 2


def inside(x, y, left, top, right, bottom):
    return left <= x < right and top <= y < bottom


def colour_at(x, y):
    """The colour of the point (x, y), or None outside the icon."""
    if not rounded_square(x, y):
        return None
    # Digits of the read-out: three short bars on the dark window.
    if inside(x, y, 30, 21, 49, 30):
        if any(inside(x, y, left, 24, left + 3, 27) for left in (33, 38, 43)):
            return DIGITS
        return READOUT
    parts = (
        (8, 16, 56, 23),   # the beam
        (8, 23, 15, 50),   # the fixed jaw
        (26, 14, 52, 34),  # the slider with its read-out
        (26, 34, 33, 50),  # the sliding jaw
    )
    if any(inside(x, y, *part) for part in parts):
        return STEEL
    # Scale marks along the beam's lower edge.
    if 52 <= x < 56 and 23 <= y < 26:
        return STEEL
    return BACKGROUND


def pixel(px, py):
    totals = [0, 0, 0]
    covered = 0
    for sy in range(SUBSAMPLES):
        for sx in range(SUBSAMPLES):
            colour = colour_at(px + (sx + 0.5) / SUBSAMPLES, py + (sy + 0.5) / SUBSAMPLES)
            if colour is None:
                continue
            covered += 1
            for i in range(3):
                totals[i] += colour[i]
    if covered == 0:
        return (0, 0, 0, 0)
    alpha = round(255 * covered / SUBSAMPLES ** 2)
    return tuple(round(t / covered) for t in totals) + (alpha,)


def png_chunk(kind, data):
    body = kind + data
    return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)


def png_bytes():
    rows = bytearray()
    for py in range(SIZE):
        rows.append(0)  # no filter
        for px in range(SIZE):
            rows.extend(pixel(px, py))
    header = struct.pack(">IIBBBBB", SIZE, SIZE, 8, 6, 0, 0, 0)  # 8-bit RGBA
    return (b"\x89PNG\r\n\x1a\n" + png_chunk(b"IHDR", header)
            + png_chunk(b"IDAT", zlib.compress(bytes(rows), 9)) + png_chunk(b"IEND", b""))


def ico_bytes():
    """One 64 x 64 image stored as PNG inside the icon file, as Windows Vista and later read it."""
    image = png_bytes()
    header = struct.pack("<HHH", 0, 1, 1)  # reserved, type icon, one image
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 0, 0, 1, 32, len(image), 6 + 16)
    return header + entry + image


def main():
    target = sys.argv[1] if len(sys.argv) > 1 else "resources/mensora.png"
    with open(target, "wb") as out:
        out.write(ico_bytes() if target.endswith(".ico") else png_bytes())


if __name__ == "__main__":
    main()

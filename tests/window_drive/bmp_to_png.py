#!/usr/bin/env python3
"""Turns the 24-bit bottom-up BMP the window driver writes into a PNG, with the standard
library only:  bmp_to_png.py window.bmp window.png"""

import struct
import sys
import zlib


def main():
    source, target = sys.argv[1], sys.argv[2]
    data = open(source, "rb").read()
    offset = struct.unpack_from("<I", data, 10)[0]
    width, height = struct.unpack_from("<ii", data, 18)
    bits = struct.unpack_from("<H", data, 28)[0]
    if bits != 24:
        sys.exit(f"{source}: {bits}-bit BMP, expected 24")
    stride = (width * 3 + 3) & ~3
    rows = bytearray()
    for y in range(abs(height)):
        line = height - 1 - y if height > 0 else y
        start = offset + line * stride
        pixels = data[start:start + width * 3]
        rows.append(0)
        for x in range(0, len(pixels), 3):
            rows.extend((pixels[x + 2], pixels[x + 1], pixels[x]))

    def chunk(kind, body):
        return (struct.pack(">I", len(body)) + kind + body
                + struct.pack(">I", zlib.crc32(kind + body) & 0xFFFFFFFF))

    header = struct.pack(">IIBBBBB", width, abs(height), 8, 2, 0, 0, 0)
    with open(target, "wb") as out:
        out.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header)
                  + chunk(b"IDAT", zlib.compress(bytes(rows), 9)) + chunk(b"IEND", b""))


if __name__ == "__main__":
    main()

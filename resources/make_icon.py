#!/usr/bin/python3
"""Turns the 32 x 32 icon picture into the program's .ico: one 32-bit image
whose fourth byte is 0 throughout, so a 1-bit mask gives the transparency."""
import struct
import sys

from PIL import Image


def main(source, target):
    image = Image.open(source).convert("RGBA")
    if image.size != (32, 32):
        sys.exit(f"{source}: the icon must be 32 x 32, not {image.size}")
    size = 32
    colour = bytearray()
    mask = bytearray()
    for y in reversed(range(size)):  # bitmap rows are stored bottom-up
        row_bits = 0
        for x in range(size):
            r, g, b, a = image.getpixel((x, y))
            opaque = a >= 128
            colour += bytes((b, g, r, 0) if opaque else (0, 0, 0, 0))
            row_bits = (row_bits << 1) | (0 if opaque else 1)
        mask += struct.pack(">I", row_bits)  # 32 bits: one padded row
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, len(colour) + len(mask), 0, 0, 0, 0)
    body = header + colour + mask
    directory = struct.pack("<HHH", 0, 1, 1) + struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(body), 22)
    with open(target, "wb") as out:
        out.write(directory + body)


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2])

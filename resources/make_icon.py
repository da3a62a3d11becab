#!/usr/bin/python3
"""Builds the program's .ico from the icon pictures, one image per size that
Windows asks for:

    make_icon.py TARGET.ico icon16.png icon20.png ... icon256.png

Each image up to 64 x 64 is a 32-bit bitmap whose fourth byte is 0
throughout, so a 1-bit mask gives the transparency; the 256 x 256 image is
stored as PNG, as Windows reads it at that size."""
import io
import struct
import sys

from PIL import Image

SIZES = (16, 20, 24, 32, 40, 48, 64, 256)


def bitmap_image(image):
    size = image.width
    colour = bytearray()
    mask = bytearray()
    stride = (size + 31) // 32 * 4  # mask rows are padded to 32 bits
    for y in reversed(range(size)):  # bitmap rows are stored bottom-up
        row_bits = 0
        for x in range(size):
            r, g, b, a = image.getpixel((x, y))
            opaque = a >= 128
            colour += bytes((b, g, r, 0) if opaque else (0, 0, 0, 0))
            row_bits = (row_bits << 1) | (0 if opaque else 1)
        row_bits <<= stride * 8 - size
        mask += row_bits.to_bytes(stride, "big")
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, len(colour) + len(mask), 0, 0, 0, 0)
    return header + colour + mask


def png_image(image):
    out = io.BytesIO()
    # transparent pixels black, so the picture is the same whatever reads it
    clean = Image.new("RGBA", image.size, (0, 0, 0, 0))
    clean.paste(image, mask=image.getchannel("A").point(lambda a: 255 if a >= 128 else 0))
    clean.save(out, format="PNG", optimize=True)
    return out.getvalue()


def main(target, sources):
    images = {}
    for source in sources:
        image = Image.open(source).convert("RGBA")
        if image.width != image.height or image.width not in SIZES:
            sys.exit(f"{source}: an icon picture is square, one of {SIZES}, not {image.size}")
        if image.width in images:
            sys.exit(f"{source}: a second picture of {image.width} x {image.width}")
        images[image.width] = image
    missing = [s for s in SIZES if s not in images]
    if missing:
        sys.exit(f"no icon picture of size {', '.join(map(str, missing))}")
    bodies = [(size, png_image(images[size]) if size >= 256 else bitmap_image(images[size])) for size in SIZES]
    directory = struct.pack("<HHH", 0, 1, len(bodies))
    offset = 6 + 16 * len(bodies)
    for size, body in bodies:
        directory += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(body), offset)
        offset += len(body)
    with open(target, "wb") as out:
        out.write(directory + b"".join(body for _, body in bodies))


if __name__ == "__main__":
    if len(sys.argv) < 3:
        sys.exit("usage: make_icon.py TARGET.ico PICTURE.png...")
    main(sys.argv[1], sys.argv[2:])

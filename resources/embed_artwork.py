#!/usr/bin/python3
"""Turns the artwork PNGs into the C++ source that embeds them in the program.
A pixel is 0x00BBGGRR with bit 24 marking the opaque ones (alpha 255);
transparent pixels are 0. Each image list is stored compactly, as a palette
of its pixel values and the runs of equal pixels through all its cells, row
by row: pairs of (run length, palette index), which the program unpacks at
first use (scene/pixels.h, UnpackedPixels)."""
import sys
from pathlib import Path

from PIL import Image

MAX_RUN = 0xFFFF


def pixels(path, size):
    image = Image.open(path).convert("RGBA")
    if image.size != size:
        sys.exit(f"{path}: expected {size[0]} x {size[1]}, found {image.size[0]} x {image.size[1]}")
    out = []
    for y in range(size[1]):
        for x in range(size[0]):
            r, g, b, a = image.getpixel((x, y))
            if a not in (0, 255):
                sys.exit(f"{path}: pixel ({x}, {y}) is half transparent; artwork is drawn through a 1-bit mask")
            out.append(0x01000000 | (b << 16) | (g << 8) | r if a == 255 else 0)
    return out


def packed(values):
    """The palette (in order of first use) and the (length, index) runs."""
    palette, index, runs = [], {}, []
    for v in values:
        if v not in index:
            index[v] = len(palette)
            palette.append(v)
        if runs and runs[-1][1] == index[v] and runs[-1][0] < MAX_RUN:
            runs[-1][0] += 1
        else:
            runs.append([1, index[v]])
    if len(palette) > 0x10000:
        sys.exit("artwork has more than 65536 colours in one list")
    return palette, runs


def rows(values, fmt, per_line):
    return "\n".join("    " + ", ".join(fmt.format(v) for v in values[i:i + per_line]) + ","
                     for i in range(0, len(values), per_line))


def emit(name, files, size):
    palette, runs = packed([v for f in files for v in pixels(f, size)])
    flat = [v for run in runs for v in run]
    return (f"const uint32_t k{name}Palette[] = {{\n{rows(palette, '0x{:08X}', 8)}\n}};\n"
            f"const uint16_t k{name}Runs[] = {{\n{rows(flat, '{}', 16)}\n}};\n"
            f"const PackedPixels k{name}{{{size[0]}, {size[1]}, {len(files)}, k{name}Palette, "
            f"{len(palette)}, k{name}Runs, {len(runs)}}};\n")


# The lists: the 1x faces and all four pieces; at 2x and 5x the faces and the
# three pieces the scene draws.
LISTS = [("Faces", "faces", 17, 26, "FaceArtwork"), ("Pieces", "pieces", 4, 16, "PieceArtwork"),
         ("Faces2x", "faces@2x", 17, 52, "FaceArtwork2x"), ("Pieces2x", "pieces@2x", 3, 32, "PieceArtwork2x"),
         ("Faces5x", "faces@5x", 17, 130, "FaceArtwork5x"), ("Pieces5x", "pieces@5x", 3, 80, "PieceArtwork5x")]


def main(artwork, target):
    artwork = Path(artwork)
    source = ("// Generated from resources/artwork by resources/embed_artwork.py; do not edit.\n"
              "#include \"scene/pixels.h\"\n\nnamespace plakato {\nnamespace {\n\n")
    for name, folder, count, side, _ in LISTS:
        stem = "face{:02d}.png" if folder.startswith("faces") else "piece{}.png"
        files = [artwork / folder / stem.format(i) for i in range(count)]
        source += emit(name, files, (side, side)) + "\n"
    source += "}  // namespace\n\n"
    for name, _, _, _, function in LISTS:
        source += (f"const ImageListData& {function}() {{\n"
                   f"  static const std::vector<uint32_t> pixels = UnpackedPixels(k{name});\n"
                   f"  static const ImageListData list{{k{name}.width, k{name}.height, k{name}.count, pixels.data()}};\n"
                   f"  return list;\n}}\n")
    source += "\n}  // namespace plakato\n"
    Path(target).write_text(source)


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2])

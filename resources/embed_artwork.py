#!/usr/bin/python3
"""Turns the artwork PNGs into the C++ source that embeds them in the program:
each image list as one array of 0x00BBGGRR pixels with bit 24 marking the
opaque ones (alpha 255), transparent pixels 0."""
import sys
from pathlib import Path

from PIL import Image


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


def emit(name, files, size):
    values = [v for f in files for v in pixels(f, size)]
    lines = []
    for i in range(0, len(values), 8):
        lines.append("    " + ", ".join(f"0x{v:08X}" for v in values[i:i + 8]) + ",")
    return (f"const uint32_t k{name}Pixels[] = {{\n" + "\n".join(lines) + "\n};\n"
            f"const ImageListData k{name}{{{size[0]}, {size[1]}, {len(files)}, k{name}Pixels}};\n")


def main(artwork, target):
    artwork = Path(artwork)
    faces = [artwork / "faces" / f"face{i:02d}.png" for i in range(17)]
    pieces = [artwork / "pieces" / f"piece{i}.png" for i in range(4)]
    # The 2x art: the faces and the three pieces the scene draws.
    faces2x = [artwork / "faces@2x" / f"face{i:02d}.png" for i in range(17)]
    pieces2x = [artwork / "pieces@2x" / f"piece{i}.png" for i in range(3)]
    source = ("// Generated from resources/artwork by resources/embed_artwork.py; do not edit.\n"
              "#include \"scene/pixels.h\"\n\nnamespace plakato {\nnamespace {\n\n"
              + emit("Faces", faces, (26, 26)) + "\n" + emit("Pieces", pieces, (16, 16)) + "\n"
              + emit("Faces2x", faces2x, (52, 52)) + "\n" + emit("Pieces2x", pieces2x, (32, 32)) +
              "\n}  // namespace\n\n"
              "const ImageListData& FaceArtwork() { return kFaces; }\n"
              "const ImageListData& PieceArtwork() { return kPieces; }\n"
              "const ImageListData& FaceArtwork2x() { return kFaces2x; }\n"
              "const ImageListData& PieceArtwork2x() { return kPieces2x; }\n\n}  // namespace plakato\n")
    Path(target).write_text(source)


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2])

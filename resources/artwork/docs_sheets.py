#!/usr/bin/python3
"""Builds the review sheets for Plakato's artwork in docs/:

- docs/artwork-contact-sheet.png: every face and piece enlarged 8x on a
  checkerboard, labelled with its index, each beside its 2x drawing
  enlarged 4x (the same size on the sheet) and its 5x drawing enlarged 2x;
  the faces at actual size, at 2x and at 5x; the application icon in every
  size;
- docs/artwork-scenes.png: for every face, a mock-up of the 371x120 placard
  scene at start (sign "Quillion", pole, hands), drawn at 2x from the 2x
  art as a display at 200 % shows it.

Run after draw_artwork.py:  /usr/bin/python3 resources/artwork/docs_sheets.py
"""

import os

from PIL import Image, ImageDraw, ImageFont

HERE = os.path.dirname(os.path.abspath(__file__))
DOCS = os.path.normpath(os.path.join(HERE, "..", "..", "docs"))

FACE_COUNT = 17
PIECE_COUNT = 4
ZOOM = 8

SCENE_W, SCENE_H = 371, 120
CENTER_X, CENTER_Y = 185, 110
SCENE_ZOOM = 2
# Scene at start with a 13-pixel high "T": sign (148,74)-(222,96).
SIGN_RECT = (148, 74, 222, 96)
TEXT_POS = (153, 79)
POLE_TOP_Y = 82 - 13

FONT_PATHS = [
    "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf",
    "/usr/share/fonts/truetype/liberation/LiberationSans-Bold.ttf",
]


def font(size):
    for path in FONT_PATHS:
        if os.path.exists(path):
            return ImageFont.truetype(path, size)
    return ImageFont.load_default()


def load(*parts):
    return Image.open(os.path.join(HERE, *parts)).convert("RGBA")


def faces(folder="faces"):
    return [load(folder, "face%02d.png" % i) for i in range(FACE_COUNT)]


def pieces(folder="pieces", count=PIECE_COUNT):
    return [load(folder, "piece%d.png" % i) for i in range(count)]


ICON_SIZES = (16, 20, 24, 32, 40, 48, 64, 256)


def checkerboard(w, h, cell=8):
    board = Image.new("RGBA", (w, h), (255, 255, 255, 255))
    d = ImageDraw.Draw(board)
    for y in range(0, h, cell):
        for x in range(0, w, cell):
            if (x // cell + y // cell) % 2:
                d.rectangle([x, y, x + cell - 1, y + cell - 1],
                            fill=(228, 228, 232, 255))
    return board


def enlarged_tile(img, label, zoom=ZOOM):
    big = img.resize((img.width * zoom, img.height * zoom), Image.NEAREST)
    tile = checkerboard(big.width, big.height)
    tile.alpha_composite(big)
    out = Image.new("RGBA", (big.width + 8, big.height + 26),
                    (255, 255, 255, 255))
    out.paste(tile, (4, 22))
    d = ImageDraw.Draw(out)
    d.text((4, 2), label, fill=(0, 0, 0, 255), font=font(14))
    d.rectangle([3, 21, 4 + big.width, 22 + big.height],
                outline=(150, 150, 150, 255))
    return out


def contact_sheet():
    tiles = []
    for i, (one, two, five) in enumerate(zip(faces(), faces("faces@2x"),
                                             faces("faces@5x"))):
        tiles += [enlarged_tile(one, "face %d" % i),
                  enlarged_tile(two, "face %d at 2x" % i, ZOOM // 2),
                  enlarged_tile(five, "face %d at 5x" % i, 2)]
    two_pieces = pieces("pieces@2x", 3)
    five_pieces = pieces("pieces@5x", 3)
    for i, one in enumerate(pieces()):
        tiles.append(enlarged_tile(one, "piece %d" % i))
        if i < len(two_pieces):
            tiles.append(enlarged_tile(two_pieces[i], "piece %d at 2x" % i,
                                       ZOOM // 2))
            tiles.append(enlarged_tile(five_pieces[i], "piece %d at 5x" % i,
                                       2))
    per_row = 9
    tw = max(t.width for t in tiles) + 6
    th = max(t.height for t in tiles) + 6
    rows = (len(tiles) + per_row - 1) // per_row
    strip_h = 26 + 26 + 10 + 52 + 10 + 130 + 20
    icons = [load("icon%d.png" % n) for n in ICON_SIZES]
    icon_h = 26 + 256 + 12 + 8 * 16 + 12
    sheet = Image.new("RGBA", (tw * per_row, th * rows + strip_h + icon_h),
                      (255, 255, 255, 255))
    for i, t in enumerate(tiles):
        sheet.paste(t, ((i % per_row) * tw, (i // per_row) * th))
    # the faces at actual size and at 2x, as they appear on the tool bar
    d = ImageDraw.Draw(sheet)
    y = th * rows
    d.text((4, y), "actual size, and the 2x and 5x art at their sizes:",
           fill=(0, 0, 0, 255), font=font(14))
    for i, (one, two, five) in enumerate(zip(faces(), faces("faces@2x"),
                                             faces("faces@5x"))):
        sheet.alpha_composite(one, (4 + i * 33, y + 22))
        sheet.alpha_composite(two, (4 + i * 66, y + 22 + 26 + 10))
        sheet.alpha_composite(five, (4 + i * 138, y + 22 + 26 + 10 + 52 + 10))
    # the icon in every size, at actual size, then the small ones enlarged
    y += strip_h
    d.text((4, y), "the icon, every size at actual size, and enlarged:",
           fill=(0, 0, 0, 255), font=font(14))
    x = 4
    for icon in icons:
        sheet.alpha_composite(icon, (x, y + 22))
        x += icon.width + 12
    x = 4
    for icon in icons[:-1]:
        zoom = max(1, 128 // icon.width)
        big = icon.resize((icon.width * zoom, icon.height * zoom),
                          Image.NEAREST)
        if x + big.width > sheet.width:
            break
        sheet.alpha_composite(big, (x, y + 22 + 256 + 12))
        x += big.width + 12
    return sheet


def draw_masked(scene, img, x, y):
    """Image-list style drawing: opaque pixels replace, others are kept."""
    for cy in range(img.height):
        for cx in range(img.width):
            px = img.getpixel((cx, cy))
            sx, sy = x + cx, y + cy
            if px[3] == 255 and 0 <= sx < scene.width and 0 <= sy < scene.height:
                scene.putpixel((sx, sy), px)


def scene(face, parts, scale=1):
    """The placard scene as drawn at start, with the given face, at 1x or
    at 2x (coordinates, pen and text doubled, the 2x art)."""
    k = scale
    s = Image.new("RGBA", (SCENE_W * k, SCENE_H * k), (255, 255, 255, 255))
    d = ImageDraw.Draw(s)
    l, t, r, b = (v * k for v in SIGN_RECT)
    # a 3-pixel pen (6 at 2x) centred on the outline of (l,t)-(r-1,b-1)
    d.rectangle([l - k, t - k, r - 1 + k, b - 1 + k], fill=(0, 0, 0, 255))
    d.rectangle([l + 2 * k, t + 2 * k, r - 1 - 2 * k, b - 1 - 2 * k],
                fill=(255, 255, 255, 255))
    d.text((TEXT_POS[0] * k, TEXT_POS[1] * k), "Quillion",
           fill=(0, 0, 0, 255), font=font(11 * k))
    w2 = h2 = 13
    draw_masked(s, face, (CENTER_X - w2) * k, (CENTER_Y - h2) * k)
    draw_masked(s, parts[1], (CENTER_X + w2 - 11) * k, (CENTER_Y - w2 + 8) * k)
    draw_masked(s, parts[0], (CENTER_X - w2 - 5) * k, (CENTER_Y - h2) * k)
    draw_masked(s, parts[2], (CENTER_X - w2 - 4) * k, POLE_TOP_Y * k)
    return s


def scenes_sheet():
    parts = pieces("pieces@2x", 3)
    per_row = 3
    gap = 10
    label_h = 18
    cw, ch = SCENE_W * SCENE_ZOOM, SCENE_H * SCENE_ZOOM
    rows = (FACE_COUNT + per_row - 1) // per_row
    sheet = Image.new("RGBA", (per_row * (cw + gap) + gap,
                               rows * (ch + gap + label_h) + gap),
                      (200, 200, 205, 255))
    d = ImageDraw.Draw(sheet)
    for i, f in enumerate(faces("faces@2x")):
        x = gap + (i % per_row) * (cw + gap)
        y = gap + (i // per_row) * (ch + gap + label_h)
        d.text((x, y), "face %d" % i, fill=(0, 0, 0, 255), font=font(13))
        sheet.paste(scene(f, parts, SCENE_ZOOM), (x, y + label_h))
    return sheet


def main():
    os.makedirs(DOCS, exist_ok=True)
    contact_sheet().convert("RGB").save(
        os.path.join(DOCS, "artwork-contact-sheet.png"))
    scenes_sheet().convert("RGB").save(os.path.join(DOCS, "artwork-scenes.png"))
    print("wrote the contact sheet and the scene sheet to %s" % DOCS)


if __name__ == "__main__":
    main()

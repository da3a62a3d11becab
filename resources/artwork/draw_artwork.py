#!/usr/bin/python3
"""Draws Plakato's artwork: the 17 emoticon faces, the 4 pole pieces and the
application icon, written as RGBA PNG files next to this script.

Run with Debian's interpreter (it has PIL):

    /usr/bin/python3 resources/artwork/draw_artwork.py [--out DIR]

The output is deterministic.  Every pixel is either fully opaque (alpha 255)
or fully transparent (alpha 0, colour 0,0,0), which maps one to one onto the
1-bit image-list masks the program uses.

Faces are 26x26 cells: a shaded disc (lighter towards the upper left, darker
rim towards the lower right) plus hand-placed feature pixels.  Pixel patterns
are written as strings; each character is looked up in a small palette and
'.' (or a space) leaves the pixel as it is.
"""

import math
import os
import sys

from PIL import Image

HERE = os.path.dirname(os.path.abspath(__file__))

FACE_SIZE = 26
PIECE_SIZE = 16
ICON_SIZE = 32

TRANSPARENT = (0, 0, 0, 0)

# ---------------------------------------------------------------- colours --
BLACK = (0, 0, 0)
WHITE = (255, 255, 255)
OFF_WHITE = (244, 244, 240)
LIGHT_GREY = (214, 214, 214)
MID_GREY = (160, 160, 160)
DARK_GREY = (92, 92, 92)
CHARCOAL = (48, 48, 48)

DARK_BROWN = (92, 46, 8)
BROWN = (150, 84, 20)
ORANGE_BROWN = (196, 110, 24)
ORANGE = (255, 140, 20)
RED = (222, 30, 30)
DARK_RED = (150, 16, 16)
MOUTH_RED = (190, 36, 36)
TONGUE_RED = (236, 76, 76)
PINK_TONGUE = (250, 120, 120)
YELLOW_GLOW = (255, 236, 60)

TEAR_EDGE = (150, 150, 150)
TEAR_LIGHT = (236, 236, 236)
SICK_WHITE = (236, 238, 226)
SICK_GREY = (190, 194, 180)
SICK_EDGE = (140, 142, 132)
CREAM = (250, 240, 206)
SICK_LUMP = (176, 182, 120)
SHOCK_BLUE = (60, 80, 170)
TAPE_EDGE = (70, 70, 70)
EMBLEM_RED = (158, 18, 18)

CAMO_GREEN = (86, 130, 52)
CAMO_DARK = (46, 80, 28)
CAMO_KHAKI = (150, 150, 84)
CIGAR_BROWN = (128, 72, 30)
CIGAR_LIGHT = (170, 108, 52)

PIG_PINK = (250, 176, 190)
PIG_LIGHT = (255, 214, 222)
PIG_SHADE = (232, 140, 160)
PIG_SNOUT = (240, 140, 160)
PIG_OUTLINE = (140, 70, 40)

WOOD_LIGHT = (214, 128, 84)
WOOD = (170, 78, 44)
WOOD_DARK = (130, 54, 30)
HAND_YELLOW = (255, 208, 40)
HAND_SHADE = (196, 132, 30)


class Body:
    """Colours of a shaded face body, from highlight to darkest rim."""

    def __init__(self, light, base, shade, rim, rim_dark):
        self.light = light
        self.base = base
        self.shade = shade
        self.rim = rim
        self.rim_dark = rim_dark


YELLOW_BODY = Body(light=(255, 250, 170), base=(255, 218, 60),
                   shade=(246, 176, 30), rim=(222, 140, 20),
                   rim_dark=(158, 88, 10))
FLUSHED_BODY = Body(light=(255, 170, 120), base=(250, 104, 60),
                    shade=(228, 58, 36), rim=(200, 40, 26),
                    rim_dark=(140, 20, 14))
HOOD_BODY = Body(light=(84, 84, 84), base=(44, 44, 44),
                 shade=(30, 30, 30), rim=(22, 22, 22),
                 rim_dark=(0, 0, 0))
PIG_BODY = Body(light=PIG_LIGHT, base=PIG_PINK, shade=PIG_SHADE,
                rim=PIG_OUTLINE, rim_dark=(100, 46, 24))


# ---------------------------------------------------------------- helpers --
def new_cell(size):
    return Image.new("RGBA", (size, size), TRANSPARENT)


def put(img, x, y, colour):
    """Sets one opaque pixel; pixels outside the cell are ignored."""
    if 0 <= x < img.width and 0 <= y < img.height:
        img.putpixel((x, y), tuple(colour[:3]) + (255,))


def clear(img, x, y):
    if 0 <= x < img.width and 0 <= y < img.height:
        img.putpixel((x, y), TRANSPARENT)


def is_opaque(img, x, y):
    if 0 <= x < img.width and 0 <= y < img.height:
        return img.getpixel((x, y))[3] == 255
    return False


def stamp(img, x0, y0, rows, palette):
    """Draws a pixel pattern with its top-left character at (x0, y0)."""
    for dy, row in enumerate(rows):
        for dx, ch in enumerate(row):
            if ch in ". ":
                continue
            if ch == "_":
                clear(img, x0 + dx, y0 + dy)
            else:
                put(img, x0 + dx, y0 + dy, palette[ch])


def hline(img, x0, x1, y, colour):
    for x in range(x0, x1 + 1):
        put(img, x, y, colour)


def mix(a, b, t):
    """Linear blend from colour a (t=0) to colour b (t=1)."""
    t = max(0.0, min(1.0, t))
    return tuple(int(round(a[i] + (b[i] - a[i]) * t)) for i in range(3))


def ellipse_pixels(c0, c1, r0, r1):
    """Pixels of an ellipse whose opaque bounding box is exactly
    columns c0..c1 and rows r0..r1."""
    cx, cy = (c0 + c1) / 2.0, (r0 + r1) / 2.0
    rx, ry = (c1 - c0 + 1) / 2.0 + 0.1, (r1 - r0 + 1) / 2.0 + 0.1
    pixels = set()
    for y in range(r0, r1 + 1):
        for x in range(c0, c1 + 1):
            if ((x - cx) / rx) ** 2 + ((y - cy) / ry) ** 2 <= 1.0:
                pixels.add((x, y))
    return pixels


def shade_body(img, pixels, body):
    """Paints a body region with a soft gradient (light upper left, shaded
    lower right) and a rim that darkens towards the lower right."""
    xs = [p[0] for p in pixels]
    ys = [p[1] for p in pixels]
    cx = (min(xs) + max(xs)) / 2.0
    cy = (min(ys) + max(ys)) / 2.0
    rx = (max(xs) - min(xs) + 1) / 2.0
    ry = (max(ys) - min(ys) + 1) / 2.0

    def inside(x, y):
        return (x, y) in pixels

    for (x, y) in pixels:
        nx, ny = (x - cx) / rx, (y - cy) / ry
        # position along the light axis: -1 near the upper left, +1 lower right
        along = (nx + ny) / math.sqrt(2.0)
        # highlight spot up and left of the centre
        spot = math.hypot(nx + 0.35, ny + 0.4)
        colour = body.base
        if spot < 0.55:
            colour = mix(body.light, body.base, spot / 0.55)
        if along > 0.15:
            colour = mix(colour, body.shade, (along - 0.15) / 0.75)
        edge = not all(inside(x + dx, y + dy)
                       for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)))
        if edge:
            colour = body.rim_dark if along > 0.05 else body.rim
        elif along > 0.45 and not all(
                inside(x + dx, y + dy) for dx, dy in ((2, 0), (0, 2), (1, 1))):
            colour = mix(colour, body.rim, 0.55)
        put(img, x, y, colour)


def disc_face(c0, c1, r0, r1, body=YELLOW_BODY):
    """A new 26x26 cell holding a shaded disc with the given bounding box."""
    img = new_cell(FACE_SIZE)
    shade_body(img, ellipse_pixels(c0, c1, r0, r1), body)
    return img


def round_eye(img, x, y, look=(0, 0), outline=BLACK):
    """A white 4x5 eye with a 2x2 pupil; (x, y) is its top-left corner.
    look moves the pupil inside the white: (0, -1) makes the eye look up."""
    stamp(img, x, y, [
        ".oo.",
        "owwo",
        "owwo",
        "owwo",
        ".oo.",
    ], {"o": outline, "w": WHITE})
    px, py = x + 1, y + 2 + look[1]
    for dx in (0, 1):
        for dy in (0, 1):
            put(img, px + dx, py + dy, BLACK)


def oval_eye(img, x, y, colour=BLACK):
    """A plain 2x3 dark oval eye with a white glint at its top left."""
    stamp(img, x, y, ["gk", "kk", "kk"], {"k": colour, "g": WHITE})


def happy_arc(img, x, y, colour=DARK_BROWN):
    """A closed, upturned eye arc 5 wide and 3 high: ^"""
    stamp(img, x, y, [
        ".ccc.",
        "cc.cc",
        "c...c",
    ], {"c": colour})


def closed_arc(img, x, y, colour=DARK_BROWN):
    """A closed, content eye: a 5x2 arc bending down (u)."""
    stamp(img, x, y, [
        "c...c",
        ".ccc.",
    ], {"c": colour})


# ------------------------------------------------------------------ faces --
def face_masked():
    """0: white surgical mask over nose and mouth, eyes glancing sideways."""
    img = disc_face(4, 22, 3, 21)
    # brown-rimmed eyes, pupils to the viewer's left
    eye = [
        ".bbb.",
        "bkkwb",
        "bkkwb",
        ".bbb.",
    ]
    pal = {"b": ORANGE_BROWN, "w": WHITE, "k": DARK_BROWN}
    stamp(img, 8, 6, eye, pal)
    stamp(img, 14, 6, eye, pal)
    # mask: a white panel with grey pleats and straps out to the rim
    stamp(img, 5, 11, [
        "gg.............gg",
        "..gwwwwwwwwwwwg..",
        "..wwwwwwwwwwwwww.",
        ".wwwwwwwwwwwwwww.",
        ".lllllllllllllll.",
        ".wwwwwwwwwwwwwww.",
        ".wwwwwwwwwwwwwww.",
        "..lllllllllllll..",
        "...wwwwwwwwwwww..",
        ".....gwwwwwwwg...",
    ], {"w": WHITE, "l": LIGHT_GREY, "g": MID_GREY})
    hline(img, 7, 19, 12, WHITE)
    put(img, 6, 12, MID_GREY)
    put(img, 20, 12, MID_GREY)
    # ear loops from the mask's top corners up over the rim
    for (x, y) in ((5, 11), (4, 10), (4, 9), (21, 11), (22, 10), (22, 9)):
        if is_opaque(img, x, y):
            put(img, x, y, DARK_GREY)
    # shadow along the mask's lower right edge
    for (x, y) in ((20, 13), (20, 14), (20, 15), (20, 16), (19, 17), (19, 18),
                   (18, 19), (17, 20)):
        if is_opaque(img, x, y):
            put(img, x, y, MID_GREY)
    return img


def face_laughing():
    """1: eyes squeezed into ^ arcs, huge toothy grin, brow strokes."""
    img = disc_face(3, 21, 3, 21)
    pal = {"b": DARK_BROWN}
    # brow strokes at the top corners
    stamp(img, 5, 5, ["..b", ".b.", "b.."], pal)
    stamp(img, 17, 5, ["b..", ".b.", "..b"], pal)
    happy_arc(img, 6, 8)
    happy_arc(img, 14, 8)
    stamp(img, 5, 12, [
        "bbbbbbbbbbbbbbb",
        "bwwkwwkwwwkwwkb",
        "bwwkwwkwwwkwwkb",
        ".bbbbbbbbbbbbb.",
        ".brrrrrrrrrrrb.",
        "..brrrpppprrb..",
        "...bbrppppbb...",
        ".....bbbbbb....",
    ], {"b": DARK_BROWN, "w": WHITE, "k": BROWN, "r": DARK_RED,
        "p": TONGUE_RED})
    return img


def face_flushed_angry():
    """2: red face, wide round staring eyes, small frowning mouth, sweat
    drop."""
    img = disc_face(3, 21, 3, 21, FLUSHED_BODY)
    pal = {"k": BLACK, "w": WHITE, "d": DARK_RED}
    # angry brows slanting down to the middle
    stamp(img, 5, 6, ["kkk...", "..kkk."], pal)
    stamp(img, 14, 6, ["...kkk", ".kkk.."], pal)
    # round whites, lidded above and below, each with a pin-point pupil
    eye = [
        ".kkk.",
        "kwwwk",
        "wwwww",
        "wwkww",
        "wwwww",
        "kwwwk",
        ".kkk.",
    ]
    stamp(img, 6, 8, eye, pal)
    stamp(img, 14, 8, eye, pal)
    # small frown
    stamp(img, 9, 16, [
        "..ddd..",
        ".dkkkd.",
        "dk...kd",
    ], pal)
    # grey sweat drop at the upper right
    stamp(img, 17, 3, [
        ".g.",
        "glg",
        "gwg",
        ".g.",
    ], {"g": DARK_GREY, "l": MID_GREY, "w": LIGHT_GREY})
    return img


def face_winking():
    """3: left eye open, right eye shut as a chevron, red tongue out."""
    img = disc_face(3, 21, 3, 21)
    pal = {"k": DARK_BROWN, "w": WHITE, "r": DARK_RED, "t": TONGUE_RED,
           "p": PINK_TONGUE}
    oval_eye(img, 8, 7, DARK_BROWN)
    put(img, 8, 10, DARK_BROWN)
    put(img, 9, 10, DARK_BROWN)
    # shut right eye: a "<" chevron
    stamp(img, 14, 7, [
        "...kk",
        ".kk..",
        "kk...",
        ".kk..",
        "...kk",
    ], pal)
    # smile with the tongue hanging out of it
    stamp(img, 6, 13, [
        "k...........k",
        ".k.........k.",
        "..kkkkkkkkk..",
        "....rtttr....",
        "....tttpt....",
        "....tttpt....",
        ".....rtr.....",
    ], pal)
    return img


def face_lovestruck():
    """4: red heart eyes, wide open smile outlined in white."""
    img = disc_face(3, 21, 3, 21)
    heart = [
        ".rr.rr.",
        "rhrrrrr",
        "rrrrrrr",
        ".rrrrr.",
        "..rrr..",
        "...r...",
    ]
    pal = {"r": RED, "h": (255, 150, 150)}
    stamp(img, 4, 6, heart, pal)
    stamp(img, 13, 6, heart, pal)
    stamp(img, 6, 13, [
        "wwwwwwwwwwwww",
        "wdddddddddddw",
        ".wdddddddddw.",
        ".wddooooddw.",
        "..wdoooodw..",
        "...wwwwww...",
    ], {"w": WHITE, "d": MOUTH_RED, "o": ORANGE})
    return img


def face_soldier():
    """5: camouflage helmet, narrow eyes, cigar with a glowing tip."""
    img = disc_face(3, 21, 3, 21)
    # helmet: recolour the upper half of the disc in camouflage
    camo = [
        "......gggdggg......",
        "....ggdddgggkgg....",
        "...gkkggggdddggg...",
        "..ggkgggddggggkgg..",
        ".gggggdddgggkkgggg.",
        ".ggdddgggkkggggddg.",
        "gggddgggggkgggdddgg",
        "ggkkggddgggggkggggg",
        "dddddddddddddddddddd",
    ]
    pal = {"g": CAMO_GREEN, "d": CAMO_DARK, "k": CAMO_KHAKI}
    for dy, row in enumerate(camo):
        for dx, ch in enumerate(row):
            x, y = 3 + dx, 3 + dy
            if ch != "." and is_opaque(img, x, y):
                colour = pal[ch]
                # keep the lower right of the helmet a little darker
                if dx + dy > 19 and ch == "g":
                    colour = mix(colour, CAMO_DARK, 0.35)
                put(img, x, y, colour)
    # narrow dark eyes
    stamp(img, 6, 13, ["kkkk.....kkkk"], {"k": BLACK})
    stamp(img, 7, 14, ["kk.......kk"], {"k": BLACK})
    # straight mouth holding the cigar
    hline(img, 9, 14, 18, DARK_BROWN)
    stamp(img, 13, 16, [
        ".......rry",
        "....cccrry",
        "ccccllcrr.",
        ".cccccc...",
    ], {"c": CIGAR_BROWN, "l": CIGAR_LIGHT, "r": RED, "y": YELLOW_GLOW})
    return img


def face_hooded():
    """6: black hooded head, pale eye band trailing down the right side,
    the hood's knot on top: a sprout and two tie-ends."""
    img = disc_face(4, 22, 3, 22, HOOD_BODY)
    pal = {"w": OFF_WHITE, "l": LIGHT_GREY, "g": MID_GREY, "k": BLACK,
           "d": DARK_GREY}
    # the knot sits on the crown with its two tie-ends lying flat to either
    # side and a little sprout standing out of the middle; kept low and
    # joined up so that it does not read as tufts of hair
    stamp(img, 9, 3, [
        "....g....",
        "gg.dld.gg",
        "llgllldll",
        ".gg.d.gg.",
    ], pal)
    # pale band across the eyes
    stamp(img, 4, 10, [
        "wwwwwwwwwwwwwwwwwww",
        "wwwkkwwwwwwwwkkwwww",
        "wwwkkwwwwwwwwkkwwwl",
        "llllllllllllllllllg",
    ], pal)
    # the band's tail trailing down the right side
    stamp(img, 19, 14, [
        "lwl.",
        ".lwl",
        ".lwl",
        "..lw",
        "..lw",
        "..gl",
        "...g",
    ], pal)
    return img


def face_smiley():
    """7: plain smiley, round eyes, broad smile."""
    img = disc_face(3, 22, 3, 22)
    stamp(img, 8, 8, ["kk", "kk", "kk"], {"k": DARK_BROWN})
    stamp(img, 15, 8, ["kk", "kk", "kk"], {"k": DARK_BROWN})
    stamp(img, 6, 14, [
        "k..........k",
        "kk........kk",
        ".kk......kk.",
        "..kkkkkkkk..",
    ], {"k": DARK_BROWN})
    return img


def face_cool():
    """8: black sunglasses, slight smirk."""
    img = disc_face(3, 22, 3, 22)
    stamp(img, 4, 8, [
        "kkkkkkkkkkkkkkkkkk",
        ".kwkkkkkkkkwkkkkk.",
        ".kwkkkk..kwkkkkk..",
        "..kkkk....kkkkk...",
    ], {"k": BLACK, "w": (120, 120, 140)})
    # smirk rising to the right
    stamp(img, 9, 15, [
        ".......kk",
        "......k..",
        "kkkkkk...",
    ], {"k": DARK_BROWN})
    return img


def face_worried():
    """9: raised brows, wide eyes, wavy zigzag mouth."""
    img = disc_face(3, 21, 3, 21)
    pal = {"k": DARK_BROWN, "w": WHITE, "b": BLACK}
    # brows raised towards the middle
    stamp(img, 5, 5, ["...kk", ".kkk.", "kk..."], pal)
    stamp(img, 15, 5, ["kk...", ".kkk.", "...kk"], pal)
    round_eye(img, 7, 8, outline=DARK_BROWN)
    round_eye(img, 14, 8, outline=DARK_BROWN)
    # the zigzag is drawn with a two-pixel stroke so that it still reads as
    # a trembling mouth at real size
    stamp(img, 6, 15, [
        ".k...k...k...k.",
        "kkk.kkk.kkk.kkk",
        "k.kkk.kkk.kkk.k",
        "...k...k...k...",
    ], pal)
    return img


def face_crying():
    """10: eyes shut, mouth wide open, grey tears streaming down both
    sides."""
    img = disc_face(3, 21, 3, 21)
    pal = {"k": DARK_BROWN, "r": MOUTH_RED, "p": TONGUE_RED,
           "t": TEAR_EDGE, "l": TEAR_LIGHT}
    # eyes squeezed shut, the inner ends raised in grief
    stamp(img, 5, 7, ["...kkk", "kkkk.."], pal)
    stamp(img, 14, 7, ["kkk...", "..kkkk"], pal)
    # wide-open wailing mouth
    stamp(img, 8, 12, [
        "..kkkkk..",
        ".krrrrrk.",
        "krrrrrrrk",
        "krrrrrrrk",
        "krrpppprk",
        "kkpppppkk",
        ".kkkkkkk.",
    ], pal)
    # two broad streams of tears falling straight from the eyes' outer ends
    # and on past the lower rim, outlined in a darker grey so that they
    # stand out from the yellow
    for x0 in (4, 17):
        for y in range(9, 21):
            stamp(img, x0, y, ["tllt"], pal)
        stamp(img, x0, 21, [".tt."], pal)
    return img


def face_sick():
    """11: eyes shut tight, cheeks puffed, and a pale lumpy stream pouring
    out of a wide-open mouth, down over the chin and past the rim, where it
    splashes."""
    img = disc_face(3, 21, 3, 21)
    pal = {"k": DARK_BROWN, "r": DARK_RED, "w": SICK_WHITE, "g": SICK_LUMP,
           "o": SICK_EDGE}
    # squeezed eyes: > and <
    stamp(img, 5, 6, ["kk...", "..kkk", "kk..."], pal)
    stamp(img, 15, 6, ["...kk", "kkk..", "...kk"], pal)
    # the open mouth, dark inside, and the stream leaving it: narrow at the
    # lips, falling straight down and widening, edged in a darker grey so
    # that it reads as a flow and not as a flat patch
    stamp(img, 7, 10, [
        "..kkkkkkk....",
        ".krrrrrrrk...",
        ".krowwwork...",
        "..kowgwok....",
        "...owwwwo....",
        "...owwgwwo...",
        "...owwwwwo...",
        "....owgwwwo..",
        "....owwwwwo..",
        "...owwwwgwwo.",
        "..owwgwwwwwwo",
        "..oowwwwwgwwo",
        "....oo.oooo..",
    ], pal)
    # splashes flying off to the lower right, past the rim
    stamp(img, 20, 19, [
        "o..",
        "wo.",
        "..o",
        ".ow",
    ], pal)
    return img


def face_shocked():
    """12: round staring eyes with pin-point pupils under raised brows and a
    small open white oval mouth, all shifted to the left; blue shock lines
    standing out of the head at the upper left."""
    img = disc_face(3, 21, 3, 21)
    pal = {"w": WHITE, "b": DARK_BROWN, "k": BLACK, "s": SHOCK_BLUE}
    eye = [
        ".bbb.",
        "bwwwb",
        "bwwwb",
        "bwkwb",
        "bwwwb",
        ".bbb.",
    ]
    stamp(img, 5, 9, eye, pal)
    stamp(img, 12, 9, eye, pal)
    # brows raised high in a curve, clear of the eyes
    stamp(img, 5, 6, [".bbb.", "b...b"], pal)
    stamp(img, 12, 6, [".bbb.", "b...b"], pal)
    # the open mouth
    stamp(img, 7, 16, [
        ".bb.",
        "bwwb",
        "bwwb",
        "bwwb",
        ".bb.",
    ], pal)
    # shock lines at the upper left, reaching out past the rim
    stamp(img, 6, 3, [
        "s.s.s",
        "s.s.s",
        "..s..",
    ], pal)
    return img


def face_silenced():
    """13: mouth taped shut with a cross of white tape edged in dark grey,
    eyes rolled up under raised brows."""
    img = disc_face(3, 21, 3, 21)
    round_eye(img, 7, 5, look=(0, -1), outline=DARK_BROWN)
    round_eye(img, 14, 5, look=(0, -1), outline=DARK_BROWN)
    # two strips crossed over the mouth: a white core two pixels wide with
    # a dark edge, so the cross keeps its shape and the yellow shows in all
    # four wedges between the strips
    stamp(img, 7, 10, [
        "dd.......dd",
        "dwd.....dwd",
        "dwwd...dwwd",
        ".dwwd.dwwd.",
        "..dwwdwwd..",
        "...dwwwd...",
        "..dwwdwwd..",
        ".dwwd.dwwd.",
        "dwwd...dwwd",
        "dwd.....dwd",
        "dd.......dd",
    ], {"w": WHITE, "d": TAPE_EDGE})
    return img


def face_pig():
    """14: pink pig head with ears, small eyes and a large snout."""
    img = new_cell(FACE_SIZE)
    head = ellipse_pixels(3, 22, 7, 21)
    # ears on top, each a small triangle that overlaps the head
    for (x0, x1, y) in ((4, 6, 5), (4, 7, 6), (4, 8, 7), (5, 9, 8),
                        (19, 21, 5), (18, 21, 6), (17, 21, 7), (16, 20, 8)):
        for x in range(x0, x1 + 1):
            head.add((x, y))
    shade_body(img, head, PIG_BODY)
    # inner ears
    stamp(img, 5, 6, ["s.", "ss"], {"s": PIG_SHADE})
    stamp(img, 19, 6, [".s", "ss"], {"s": PIG_SHADE})
    # small black eyes
    stamp(img, 8, 10, ["k", "k"], {"k": BLACK})
    stamp(img, 17, 10, ["k", "k"], {"k": BLACK})
    # snout with two nostrils
    stamp(img, 8, 13, [
        ".oooooooo.",
        "osssssssso",
        "osnnssnnso",
        "osnnssnnso",
        "osssssssso",
        ".oooooooo.",
    ], {"o": PIG_OUTLINE, "s": PIG_SNOUT, "n": DARK_BROWN})
    return img


def face_headband():
    """15: a white headband tied round the head, a dark red sun in front
    hiding the eyes and the knot's two ends flying out over the upper right;
    below it a crooked, determined grin."""
    img = disc_face(4, 22, 3, 21)
    top = 6
    for x in range(4, 23):
        for y in range(top, top + 6):
            if not is_opaque(img, x, y):
                continue
            colour = WHITE
            if y == top:
                colour = LIGHT_GREY
            if y == top + 5:
                colour = DARK_GREY
            elif x >= 19 and y > top:
                colour = mix(colour, MID_GREY, 0.5)
            put(img, x, y, colour)
    # the emblem: a solid dark red sun in the middle of the band; red on
    # white and wider than tall, so that it reads neither as an eye nor
    # as a cross
    stamp(img, 10, 7, [
        ".kkkkk.",
        "kkkkkkk",
        "kkkkkkk",
        ".kkkkk.",
    ], {"k": EMBLEM_RED})
    # the knot at the upper right and its two ends flying out past the rim
    stamp(img, 17, 3, [
        "....gg",
        "..ggwg",
        ".gwwg.",
        "gwwggg",
        "gwwwwg",
        ".ggg..",
    ], {"g": DARK_GREY, "w": OFF_WHITE})
    # a crooked grin showing clenched teeth, one corner raised
    stamp(img, 8, 14, [
        "........kk",
        "k.....kkwk",
        ".kkkkkwwk.",
        "..kwwwwk..",
        "...kkkk...",
    ], {"k": DARK_BROWN, "w": WHITE})
    return img


def face_shy():
    """16: blushing cheeks, narrow content eyes, small smile."""
    img = disc_face(4, 22, 3, 21)
    pal = {"k": DARK_BROWN, "r": (240, 60, 40), "o": (255, 120, 50)}
    closed_arc(img, 7, 9)
    closed_arc(img, 15, 9)
    # broad, solid blush patches: a faint one reads as nothing at real size
    stamp(img, 5, 12, ["orrrro", "rrrrrr", ".orro."], pal)
    stamp(img, 16, 12, ["orrrro", "rrrrrr", ".orro."], pal)
    # small smile
    stamp(img, 11, 16, ["k...k", ".kkk."], pal)
    return img


FACES = [
    face_masked, face_laughing, face_flushed_angry, face_winking,
    face_lovestruck, face_soldier, face_hooded, face_smiley, face_cool,
    face_worried, face_crying, face_sick, face_shocked, face_silenced,
    face_pig, face_headband, face_shy,
]


# ----------------------------------------------------------------- pieces --
def piece_pole_with_left_hand():
    """Pole (columns 1-5, all rows) with the left fist gripping it."""
    img = new_cell(PIECE_SIZE)
    for y in range(PIECE_SIZE):
        put(img, 1, y, BLACK)
        put(img, 2, y, WOOD_LIGHT)
        put(img, 3, y, WOOD)
        put(img, 4, y, WOOD_DARK)
        put(img, 5, y, BLACK)
    hline(img, 1, 5, 15, BLACK)          # closed bottom end
    stamp(img, 0, 7, [
        ".kk.....",                      # top of the fist
        "kyy.wkkk",                      # arm outline above
        "kyykkyyy",                      # fingers across the pole, arm
        "kyykkyyy",
        ".kk..kkk",                      # bottom of fist, arm outline below
    ], {"k": BLACK, "y": HAND_YELLOW, "w": WOOD_DARK})
    return img


def piece_right_hand():
    """Right fist resting on the face's rim, with a white outer rim."""
    img = new_cell(PIECE_SIZE)
    stamp(img, 5, 4, [
        "shwww",
        "syykw",
        "syykw",
        "syykw",
        "syykw",
        "kkkkw",
        "..www",
    ], {"s": HAND_SHADE, "y": HAND_YELLOW, "h": (255, 232, 120),
        "k": BLACK, "w": WHITE})
    return img


def piece_pole_top():
    """Closed top end of the pole, 5x3."""
    img = new_cell(PIECE_SIZE)
    stamp(img, 0, 0, [
        "kkkkk",
        "klwdk",
        "klwdk",
    ], {"k": BLACK, "l": WOOD_LIGHT, "w": WOOD, "d": WOOD_DARK})
    return img


def piece_thumbnail():
    """Miniature placard: white field, black-framed bar with white dots,
    a pale cream patch under it."""
    img = new_cell(PIECE_SIZE)
    for y in range(3, 13):
        hline(img, 0, 15, y, WHITE)
    stamp(img, 3, 5, [
        "kkkkkkkkkkk",
        "kwkkwkwkkwk",
        "kkwkkwkwkkk",
        "kkkkkkkkkkk",
    ], {"k": BLACK, "w": WHITE})
    for y in range(9, 13):
        hline(img, 6, 9, y, CREAM)
    return img


PIECES = [piece_pole_with_left_hand, piece_right_hand, piece_pole_top,
          piece_thumbnail]


# ------------------------------------------------------------------- icon --
def app_icon():
    """Generic application icon: a window with a title bar showing a small
    landscape picture (sun and hills)."""
    img = new_cell(ICON_SIZE)
    frame = (40, 48, 72)
    title = (40, 90, 180)
    title_light = (110, 160, 230)
    sky = (190, 224, 250)
    hill = (70, 160, 70)
    hill_dark = (40, 120, 50)
    sun = (255, 210, 40)
    # window body with a drop shadow
    for y in range(4, 30):
        for x in range(2, 30):
            put(img, x, y, sky)
    for x in range(3, 31):
        put(img, x, 30, (120, 120, 120))
    for y in range(5, 31):
        put(img, 30, y, (120, 120, 120))
    for y in range(4, 9):
        for x in range(2, 30):
            put(img, x, y, mix(title_light, title, (y - 4) / 4.0))
    for x, c in ((24, (230, 80, 60)), (27, (240, 240, 240))):
        put(img, x, 6, c)
        put(img, x + 1, 6, c)
    # picture: sun and two hills
    for y in range(9, 30):
        for x in range(2, 30):
            if (x - 22) ** 2 + (y - 14) ** 2 <= 9:
                put(img, x, y, sun)
            if y >= 30 - 0.06 * (x - 10) ** 2 - 8 and y > 17:
                put(img, x, y, hill)
            if y >= 32 - 0.08 * (x - 24) ** 2 - 9 and y > 20:
                put(img, x, y, hill_dark)
    # frame
    for x in range(2, 30):
        put(img, x, 3, frame)
        put(img, x, 29, frame)
    for y in range(3, 30):
        put(img, 1, y, frame)
        put(img, 29, y, frame)
    hline(img, 2, 28, 9, frame)
    return img


# ------------------------------------------------------------------ write --
def normalised(img):
    """Forces alpha to 0/255 and transparent pixels to black."""
    out = new_cell(img.width)
    for y in range(img.height):
        for x in range(img.width):
            r, g, b, a = img.getpixel((x, y))
            if a >= 128:
                out.putpixel((x, y), (r, g, b, 255))
    return out


def all_images():
    """Every artwork image keyed by its path relative to the artwork folder."""
    images = {}
    for i, draw in enumerate(FACES):
        images[os.path.join("faces", "face%02d.png" % i)] = normalised(draw())
    for i, draw in enumerate(PIECES):
        images[os.path.join("pieces", "piece%d.png" % i)] = normalised(draw())
    images["icon32.png"] = normalised(app_icon())
    return images


def main(argv):
    out_dir = HERE
    if len(argv) == 3 and argv[1] == "--out":
        out_dir = argv[2]
    elif len(argv) != 1:
        print("usage: draw_artwork.py [--out DIR]")
        return 2
    for rel, img in all_images().items():
        path = os.path.join(out_dir, rel)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        img.save(path, format="PNG")
    print("wrote %d faces, %d pieces and the icon to %s"
          % (len(FACES), len(PIECES), out_dir))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))

#!/usr/bin/python3
"""Draws Plakato's artwork: the 17 emoticon faces, the 4 pole pieces and the
application icon, written as RGBA PNG files next to this script; the faces
and the three pieces the scene draws also at twice the size (faces@2x,
pieces@2x), and the icon in every size Windows asks for (icon16.png to
icon256.png).

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

from PIL import Image, ImageChops, ImageDraw

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
SICK_WHITE = (226, 230, 204)
SICK_GREY = (180, 186, 160)
SICK_EDGE = (140, 142, 132)
SICK_DARK = (98, 102, 80)
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


def body_box(pixels):
    """Centre and half sizes of a body's pixels."""
    xs = [p[0] for p in pixels]
    ys = [p[1] for p in pixels]
    return ((min(xs) + max(xs)) / 2.0, (min(ys) + max(ys)) / 2.0,
            (max(xs) - min(xs) + 1) / 2.0, (max(ys) - min(ys) + 1) / 2.0)


def body_light(body, box, x, y):
    """The body's colour at (x, y) before its rim, lit from the upper left,
    and the pixel's place along the light axis: -1 near the upper left, +1
    at the lower right."""
    cx, cy, rx, ry = box
    nx, ny = (x - cx) / rx, (y - cy) / ry
    along = (nx + ny) / math.sqrt(2.0)
    # highlight spot up and left of the centre
    spot = math.hypot(nx + 0.35, ny + 0.4)
    colour = body.base
    if spot < 0.55:
        colour = mix(body.light, body.base, spot / 0.55)
    if along > 0.15:
        colour = mix(colour, body.shade, (along - 0.15) / 0.75)
    return colour, along


def shade_body(img, pixels, body):
    """Paints a body region with a soft gradient (light upper left, shaded
    lower right) and a rim that darkens towards the lower right."""
    box = body_box(pixels)

    def inside(x, y):
        return (x, y) in pixels

    for (x, y) in pixels:
        colour, along = body_light(body, box, x, y)
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
    # grey sweat drop running down beside the right eye: pointed at the top
    # and round below, inside the rim, so that it reads as a drop and not as
    # a horn standing out of the head
    stamp(img, 19, 9, [
        ".g.",
        "gwg",
        "gwl",
        "gll",
        ".g.",
    ], {"g": DARK_GREY, "l": LIGHT_GREY, "w": WHITE})
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
    # the cigar: long and outlined in black so that it reads as a cigar, its
    # tip glowing red and yellow past the rim
    stamp(img, 11, 16, [
        "....kkkkkrry",
        "kkkkcllllrry",
        "kcccccccrry.",
        ".kkkkkkkkk..",
    ], {"k": BLACK, "c": CIGAR_BROWN, "l": CIGAR_LIGHT, "r": RED,
        "y": YELLOW_GLOW})
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
    stamp(img, 8, 3, [
        ".....l.....",
        "....lwl....",
        "wwllwwwllww",
        ".gg.lgl.gg.",
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
    # brows raised towards the middle, well inside the rim with yellow all
    # round them, so they do not melt into the outline
    stamp(img, 7, 6, ["..kk", "kk.."], pal)
    stamp(img, 14, 6, ["kk..", "..kk"], pal)
    # wide eyes: big whites with a small pupil in the middle
    for x0 in (6, 14):
        stamp(img, x0, 8, [
            ".kkk.",
            "kwwwk",
            "kwbwk",
            "kwbwk",
            "kwwwk",
            ".kkk.",
        ], pal)
    # the zigzag is drawn with a two-pixel stroke so that it still reads as
    # a trembling mouth at real size
    stamp(img, 6, 16, [
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
           "o": SICK_DARK, "s": SICK_GREY}
    # squeezed eyes: > and <
    stamp(img, 5, 6, ["kk...", "..kkk", "kk..."], pal)
    stamp(img, 15, 6, ["...kk", "kkk..", "...kk"], pal)
    # the open mouth, dark inside, and the stream leaving it: narrow at the
    # lips, falling straight down and widening, edged in a dark olive grey
    # and shaded on its right so that it stands out of the face as a
    # pouring mass, not a pale hole the colour of the tool bar
    stamp(img, 7, 10, [
        "..kkkkkkk....",
        ".krrrrrrrk...",
        ".krowwsork...",
        "..kowgsok....",
        "...owwwso....",
        "...owwgwso...",
        "...owwwwso...",
        "....owgwwso..",
        "....owwwwso..",
        "...owwwwgwso.",
        "..owwgwwwwsso",
        "..oowwwwwgsso",
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
    """13: mouth taped shut with a small cross of white tape edged in dark
    grey, big eyes rolled up towards raised brows."""
    img = disc_face(3, 21, 3, 21)
    pal = {"k": DARK_BROWN, "w": WHITE, "b": BLACK, "d": TAPE_EDGE}
    # brows raised high
    stamp(img, 7, 4, [".kkk", "k..."], pal)
    stamp(img, 14, 4, ["kkk.", "...k"], pal)
    # big whites with the pupils pushed up against the top
    for x0 in (7, 14):
        stamp(img, x0, 6, [
            ".kk.",
            "kbbk",
            "kbbk",
            "kwwk",
            "kwwk",
            ".kk.",
        ], pal)
    # a small cross of tape over the mouth only: two strips with a white
    # core and a dark edge, the yellow showing in all four wedges
    stamp(img, 8, 13, [
        "dd......dd",
        "dwd....dwd",
        ".dwd..dwd.",
        "..dwddwd..",
        "...dwwd...",
        "..dwddwd..",
        ".dwd..dwd.",
        "dwd....dwd",
        "dd......dd",
    ], pal)
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
    """15: a fighter's white headband tied round the head, a dark emblem in
    front hiding the eyes and the knot at the upper right with its two ends
    flying out; below it a crooked, determined grin."""
    img = disc_face(4, 22, 3, 21)
    # the band follows the round head: it dips a row at both sides
    for x in range(4, 23):
        side = 1 if x <= 6 or x >= 20 else 0
        top = 5 + side
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
    # the emblem: two bold dark characters written on the front, as on a
    # fighter's headband; no red, which reads as blood on a white band, and
    # no single dark disc, which reads as an eye or a patch
    stamp(img, 9, 6, [
        "kkk.k.kk",
        ".k..kkk.",
        "kkk.k.kk",
        "k.k.kk.k",
    ], {"k": CHARCOAL})
    # the knot at the upper right and its two ends flying out past the rim
    stamp(img, 17, 3, [
        "...g.g",
        "..gwgw",
        ".gwwgg",
        "gwwwg.",
        "gwwg..",
        ".gg...",
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


# ------------------------------------------------------ art drawn to size --
# The faces and the pieces the scene draws again at a larger size: at twice
# the size (52x52 faces, 32x32 pieces) for displays at 200 %, and at five
# times (130x130, 80x80) for the large pictures made from them.  They are
# drawn anew, not blown up: the body is shaded pixel by pixel at its size
# with a rim half a 1x pixel deep, and the features are drawn as smooth
# shapes four times finer still and then averaged down, so curves and
# diagonals stay clean.  Shapes are given in the coordinates of the 1x cell
# (a 1x pixel (x, y) is the square x..x+1, y..y+1), so that every size shows
# the same picture in the same place; one drawing serves every size.

SCALES = (2, 5)          # the sizes the art is drawn at, besides 1x
FINE = 4                 # supersampling of the features


def ring_sets(pixels):
    """The outline of a pixel set (pixels with a 4-neighbour outside) and
    the ring just inside it."""
    def outside_neighbour(x, y, inside):
        return any((x + dx, y + dy) not in inside
                   for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)))
    outline = {p for p in pixels if outside_neighbour(p[0], p[1], pixels)}
    rest = pixels - outline
    inner = {p for p in rest if outside_neighbour(p[0], p[1], rest)}
    return outline, inner


def depth_rings(pixels, count):
    """The first `count` rings of a pixel set, from its outline inwards."""
    rings, rest = [], set(pixels)
    while len(rings) < count:
        outline, inner = ring_sets(rest)
        rings += [outline, inner]
        rest = rest - outline - inner
    return rings[:count]


def shade_body_at(img, pixels, body, scale):
    """shade_body for bodies drawn `scale` times larger: the same light, a
    rim half a 1x pixel deep and a softer ring inside it, and a deeper shade
    along the lower right 1.5 to 2 1x pixels in."""
    box = body_box(pixels)
    rings = depth_rings(pixels, 2 * scale)

    def band(ring):
        middle = (ring + 0.5) / scale        # depth in 1x pixels
        return ("rim" if middle < 0.5 else "inner" if middle < 1.0 else
                "deep" if 1.5 <= middle < 2.0 else None)
    bands = {}
    for k, ring in enumerate(rings):
        for p in ring:
            bands[p] = band(k)
    for (x, y) in pixels:
        colour, along = body_light(body, box, x, y)
        rim = body.rim_dark if along > 0.05 else body.rim
        where = bands.get((x, y))
        if where == "rim":
            colour = rim
        elif where == "inner":
            colour = mix(colour, rim, 0.45 if along > 0.05 else 0.3)
        elif along > 0.45 and where == "deep":
            colour = mix(colour, body.rim, 0.4)
        put(img, x, y, colour)


def polygon_pixels(points, scale):
    """Pixels of a face cell drawn `scale` times larger whose centres lie
    inside a polygon given in 1x coordinates."""
    n = FACE_SIZE * scale
    fine = Image.new("L", (n, n), 0)
    ImageDraw.Draw(fine).polygon([(x * scale - 0.5, y * scale - 0.5)
                                  for x, y in points], fill=255)
    return {(x, y) for y in range(fine.height) for x in range(fine.width)
            if fine.getpixel((x, y))}


class Fine:
    """A cell drawn `scale` times larger than 1x, under construction: a
    shaded body, and two layers of smooth features drawn FINE times finer:
    `inside` is cut to the body's outline, `over` may reach past it.
    Coordinates are 1x cell units."""

    def __init__(self, cell, scale, body_pixels=None, body=YELLOW_BODY):
        self.scale = scale
        self.size = size = cell * scale
        self.unit = scale * FINE             # fine pixels per 1x pixel
        self.base = new_cell(size)
        self.body_pixels = body_pixels or set()
        if body_pixels:
            shade_body_at(self.base, body_pixels, body, scale)
        n = size * FINE
        self.layers = {"inside": Image.new("RGBA", (n, n), TRANSPARENT),
                       "over": Image.new("RGBA", (n, n), TRANSPARENT)}
        self.draws = {k: ImageDraw.Draw(v) for k, v in self.layers.items()}
        self.dots = []

    def pt(self, x, y):
        return (x * self.unit, y * self.unit)

    def box(self, x0, y0, x1, y1):
        u = self.unit
        return [x0 * u, y0 * u, x1 * u - 1, y1 * u - 1]

    def ellipse(self, box, fill, outline=None, width=0.0, layer="over"):
        d = self.draws[layer]
        x0, y0, x1, y1 = box
        if outline is not None:
            d.ellipse(self.box(x0, y0, x1, y1), fill=rgba(outline))
            x0, y0, x1, y1 = x0 + width, y0 + width, x1 - width, y1 - width
        if fill is not None:
            d.ellipse(self.box(x0, y0, x1, y1), fill=rgba(fill))

    def rect(self, box, fill, layer="over"):
        self.draws[layer].rectangle(self.box(*box), fill=rgba(fill))

    def poly(self, points, fill, layer="over"):
        self.draws[layer].polygon([self.pt(x, y) for x, y in points],
                                  fill=rgba(fill))

    def line(self, points, colour, width, layer="over", caps=True):
        d = self.draws[layer]
        pts = [self.pt(x, y) for x, y in points]
        w = max(1, int(round(width * self.unit)))
        d.line(pts, fill=rgba(colour), width=w, joint="curve")
        if caps:
            r = w / 2.0
            for (x, y) in (pts[0], pts[-1]):
                d.ellipse([x - r, y - r, x + r - 1, y + r - 1],
                          fill=rgba(colour))

    def strip(self, p0, p1, half, colour, layer="over"):
        """A straight strip with square ends, `half` wide on each side."""
        (x0, y0), (x1, y1) = p0, p1
        length = math.hypot(x1 - x0, y1 - y0)
        nx, ny = -(y1 - y0) / length * half, (x1 - x0) / length * half
        self.poly([(x0 + nx, y0 + ny), (x1 + nx, y1 + ny),
                   (x1 - nx, y1 - ny), (x0 - nx, y0 - ny)], colour, layer)

    def curve(self, points, colour, width, layer="over", steps=24):
        """A smooth line through the points (Catmull-Rom)."""
        self.line(smooth(points, steps), colour, width, layer)

    def dot(self, x, y, colour):
        """A square of whole pixels of the finished cell at the 1x point
        (x, y), its side nearly half a 1x pixel: one pixel at 2x."""
        side = max(1, int(self.scale * 0.45 + 0.5))
        px, py = int(x * self.scale), int(y * self.scale)
        for dy in range(side):
            for dx in range(side):
                self.dots.append((px + dx, py + dy, colour))

    def finish(self):
        size = self.size
        inside = self.layers["inside"]
        if self.body_pixels:
            clip = Image.new("L", (size, size), 0)
            for p in self.body_pixels:
                clip.putpixel(p, 255)
            clip = clip.resize(inside.size, Image.NEAREST)
            alpha = ImageChops.multiply(inside.getchannel("A"), clip)
            inside.putalpha(alpha)
        out = self.base.copy()
        for layer in (inside, self.layers["over"]):
            small = layer.convert("RGBa").reduce(FINE).convert("RGBA")
            for y in range(size):
                for x in range(size):
                    r, g, b, a = small.getpixel((x, y))
                    if a == 0:
                        continue
                    under = out.getpixel((x, y))
                    if under[3] == 255:
                        put(out, x, y, mix(under[:3], (r, g, b), a / 255.0))
                    elif a >= 128:
                        put(out, x, y, (r, g, b))
        for (x, y, colour) in self.dots:
            put(out, x, y, colour)
        return out


def rgba(colour):
    if len(colour) == 4:
        return tuple(colour)
    return tuple(colour) + (255,)


def smooth(points, steps):
    """Catmull-Rom spline through the points."""
    if len(points) < 3:
        return list(points)
    pts = [points[0]] + list(points) + [points[-1]]
    out = []
    for i in range(1, len(pts) - 2):
        p0, p1, p2, p3 = pts[i - 1], pts[i], pts[i + 1], pts[i + 2]
        for s in range(steps):
            t = s / float(steps)
            t2, t3 = t * t, t * t * t
            out.append(tuple(
                0.5 * (2 * p1[k] + (-p0[k] + p2[k]) * t
                       + (2 * p0[k] - 5 * p1[k] + 4 * p2[k] - p3[k]) * t2
                       + (-p0[k] + 3 * p1[k] - 3 * p2[k] + p3[k]) * t3)
                for k in range(2)))
    out.append(points[-1])
    return out


def disc_at(s, c0, c1, r0, r1, body=YELLOW_BODY):
    """A face drawn s times larger whose disc covers the same area as the
    1x disc c0..c1, r0..r1."""
    return Fine(FACE_SIZE, s, ellipse_pixels(s * c0, s * (c1 + 1) - 1,
                                             s * r0, s * (r1 + 1) - 1), body)


def glint(f, x, y):
    """A white catch-light, one pixel at 2x."""
    f.dot(x, y, WHITE)


def eye(f, box, outline, pupil_box, pupil=BLACK, white=WHITE,
           width=0.5, shine=True):
    """A white eye with an outline and a pupil; boxes in 1x units."""
    f.ellipse(box, white, outline, width)
    f.ellipse(pupil_box, pupil)
    if shine:
        glint(f, int(pupil_box[0] * 2 + 1) / 2.0, int(pupil_box[1] * 2 + 1) / 2.0)


def face_masked_at(s):
    f = disc_at(s, 4, 22, 3, 21)
    for x0 in (8, 14):
        f.ellipse((x0, 6, x0 + 5, 10), WHITE, ORANGE_BROWN, 0.55)
        f.ellipse((x0 + 0.6, 6.6, x0 + 3.1, 9.4), DARK_BROWN)
        glint(f, x0 + 1, 7)
    # the mask: a white panel with two pleats, its shadow at the lower right
    panel = [(5.6, 12.2), (9, 11.7), (17.5, 11.7), (21.2, 12.2),
             (21.6, 16.5), (20, 19.3), (17.5, 20.9), (9.5, 20.9),
             (7, 19.3), (5.3, 16.5)]
    f.poly(panel, MID_GREY, "inside")
    f.poly([(x * 0.97 + 0.3, y * 0.98 + 0.15) for x, y in panel], WHITE,
           "inside")
    for y in (15.5, 18.3):
        f.curve([(6.2, y), (13, y + 0.4), (20.6, y)], LIGHT_GREY, 0.55,
                "inside")
    f.curve([(20.6, 13), (20.5, 17), (17.5, 20.5)], (200, 200, 200), 0.6,
            "inside")
    # ear loops up over the rim
    f.curve([(6.2, 12.6), (4.6, 11.2), (4.2, 9.4)], DARK_GREY, 0.5,
            "inside")
    f.curve([(20.8, 12.6), (22.4, 11.2), (22.8, 9.4)], DARK_GREY, 0.5,
            "inside")
    return f.finish()


def face_laughing_at(s):
    f = disc_at(s, 3, 21, 3, 21)
    f.line([(7.6, 5.3), (5.4, 7.6)], DARK_BROWN, 0.9)
    f.line([(17.4, 5.3), (19.6, 7.6)], DARK_BROWN, 0.9)
    for x0 in (6, 14):
        f.curve([(x0 + 0.4, 10.8), (x0 + 1.2, 9.0), (x0 + 2.5, 8.5),
                 (x0 + 3.8, 9.0), (x0 + 4.6, 10.8)], DARK_BROWN, 1.0)
    # the grin: teeth along the top, dark red inside, the tongue below
    mouth = [(5, 12), (20, 12)] + [(12.5 + 7.5 * math.cos(t * math.pi / 16),
                                    12 + 8 * math.sin(t * math.pi / 16))
                                   for t in range(0, 17)]
    f.poly(mouth, DARK_BROWN)
    inner = [(x * 0.9 + 1.25, (y - 12) * 0.85 + 12.7) for x, y in mouth]
    f.poly(inner, DARK_RED)
    f.ellipse((9.6, 16.2, 15.4, 19.9), TONGUE_RED)
    f.poly([(5.9, 12.7), (19.1, 12.7), (18.8, 15), (6.2, 15)], WHITE)
    for x in (8.5, 11.5, 14.5, 17.5):
        f.line([(x, 12.8), (x, 14.9)], BROWN, 0.45, caps=False)
    f.line([(6, 15.1), (19, 15.1)], DARK_BROWN, 0.5, caps=False)
    return f.finish()


def face_flushed_angry_at(s):
    f = disc_at(s, 3, 21, 3, 21, FLUSHED_BODY)
    f.line([(5.2, 6.3), (8, 6.7), (10.6, 7.9)], BLACK, 1.0)
    f.line([(19.8, 6.3), (17, 6.7), (14.4, 7.9)], BLACK, 1.0)
    for x0 in (6, 14):
        f.ellipse((x0, 8, x0 + 5, 15), WHITE, BLACK, 0.5)
        f.ellipse((x0 + 1.8, 10.8, x0 + 3.2, 12.2), BLACK)
    f.curve([(9.4, 18.8), (10.6, 17.3), (12.5, 16.7), (14.4, 17.3),
             (15.6, 18.8)], DARK_RED, 1.4)
    f.curve([(9.9, 18.6), (10.8, 17.6), (12.5, 17.2), (14.2, 17.6),
             (15.1, 18.6)], BLACK, 0.7)
    # the sweat drop running down beside the right eye, inside the rim
    drop = [(20.5, 9.0), (21.7, 11.4), (22.0, 12.6), (21.5, 13.6),
            (20.5, 14.0), (19.5, 13.6), (19.0, 12.6), (19.3, 11.4)]
    f.poly(drop, DARK_GREY)
    f.poly([(x + (20.5 - x) * 0.3, y + (12.4 - y) * 0.25) for x, y in drop],
           LIGHT_GREY)
    f.ellipse((19.8, 11.2, 20.6, 12.4), WHITE)
    return f.finish()


def face_winking_at(s):
    f = disc_at(s, 3, 21, 3, 21)
    f.ellipse((8, 7, 10, 11), DARK_BROWN)
    f.dot(8, 7.5, WHITE)
    f.line([(18.9, 7.5), (15.0, 9.5), (18.9, 11.5)], DARK_BROWN, 1.0)
    # the tongue hangs out of the smile
    f.ellipse((10, 14.5, 15, 20), DARK_RED)
    f.ellipse((10.5, 15, 14.5, 19.5), TONGUE_RED)
    f.line([(12.6, 16), (12.6, 18.4)], PINK_TONGUE, 0.6)
    f.curve([(6.5, 13.3), (7.8, 14.8), (10, 15.5), (15, 15.5),
             (17.2, 14.8), (18.5, 13.3)], DARK_BROWN, 1.0)
    return f.finish()


def heart(f, x0, y0):
    f.ellipse((x0 + 0.0, y0 + 0.0, x0 + 3.7, y0 + 3.5), RED)
    f.ellipse((x0 + 3.3, y0 + 0.0, x0 + 7.0, y0 + 3.5), RED)
    f.poly([(x0 + 0.15, y0 + 2.2), (x0 + 6.85, y0 + 2.2),
            (x0 + 3.5, y0 + 6.0)], RED)
    f.ellipse((x0 + 0.9, y0 + 0.8, x0 + 2.2, y0 + 2.0), (255, 150, 150))


def face_lovestruck_at(s):
    f = disc_at(s, 3, 21, 3, 21)
    heart(f, 4, 6)
    heart(f, 13, 6)

    def bowl(top, rx, ry):
        return [(12.5 + rx * math.cos(t * math.pi / 16),
                 top + ry * math.sin(t * math.pi / 16)) for t in range(17)]
    f.poly(bowl(13, 6.5, 6), WHITE)
    f.poly(bowl(13.9, 5.5, 4.6), MOUTH_RED)
    f.ellipse((9.8, 16.2, 15.2, 19.2), ORANGE)
    return f.finish()


def face_soldier_at(s):
    f = disc_at(s, 3, 21, 3, 21)
    # the helmet: camouflage over the upper half, a dark brim below it
    f.rect((2, 2, 24, 11.5), CAMO_GREEN, "inside")
    for (box, colour) in (((9, 3, 13, 5), CAMO_DARK),
                          ((5, 5, 9, 7.5), CAMO_KHAKI),
                          ((10, 6.5, 14, 9), CAMO_DARK),
                          ((14.5, 4, 18, 6), CAMO_KHAKI),
                          ((3.5, 8, 8, 10.5), CAMO_DARK),
                          ((16, 7.8, 21.5, 10.5), CAMO_DARK),
                          ((13, 9.5, 16, 11.5), CAMO_KHAKI)):
        f.ellipse(box, colour, layer="inside")
    f.poly([(14, 11.5), (23, 3), (23, 11.5)], (30, 60, 20, 90), "inside")
    f.rect((2, 11, 24, 12.2), CAMO_DARK, "inside")
    f.poly([(6, 13), (10, 13), (9.2, 15), (6.8, 14.4)], BLACK)
    f.poly([(15, 13), (19, 13), (18.2, 14.4), (15.8, 15)], BLACK)
    f.line([(9, 18.5), (15, 18.5)], DARK_BROWN, 1.0)
    # the cigar, outlined in black, its lighter top and the glowing tip
    f.strip((12.3, 19.2), (21.2, 17.6), 1.55, BLACK)
    f.strip((12.9, 19.1), (21.0, 17.6), 0.95, CIGAR_BROWN)
    f.line([(13.6, 18.5), (20.6, 17.2)], CIGAR_LIGHT, 0.45, caps=False)
    f.poly([(20.7, 16.1), (22.0, 15.9), (22.3, 18.8), (21.0, 19.1)], RED)
    f.poly([(21.9, 15.9), (22.95, 15.8), (22.95, 18.3), (22.2, 18.7)],
           YELLOW_GLOW)
    return f.finish()


def face_hooded_at(s):
    f = disc_at(s, 4, 22, 3, 22, HOOD_BODY)
    # the knot: a sprout standing up and two tie-ends lying flat to either
    # side, in pale cloth that stands out of the black hood
    f.line([(13.5, 3.3), (13.5, 4.8)], LIGHT_GREY, 0.9)
    for (x0, x1) in ((8.1, 12.4), (14.6, 18.9)):
        f.ellipse((x0, 5.0, x1, 7.1), MID_GREY)
        f.ellipse((x0 + 0.3, 5.1, x1 - 0.3, 6.5), OFF_WHITE)
    f.ellipse((11.8, 4.0, 15.2, 7.0), MID_GREY)
    f.ellipse((12.1, 4.2, 14.9, 6.5), OFF_WHITE)
    # the band across the eyes, and its tail down the right side
    f.rect((3, 10, 24, 13), OFF_WHITE, "inside")
    f.rect((3, 13, 24, 14), LIGHT_GREY, "inside")
    f.poly([(20, 10), (24, 10), (24, 14), (21, 14)], (200, 200, 200, 120),
           "inside")
    f.ellipse((7, 10.9, 9, 12.9), BLACK)
    f.ellipse((17, 10.9, 19, 12.9), BLACK)
    f.curve([(20.4, 13.6), (21.3, 15.6), (21.9, 17.6), (22.3, 19.6),
             (22.5, 20.9)], MID_GREY, 1.6)
    f.curve([(20.4, 13.6), (21.3, 15.6), (21.9, 17.6), (22.3, 19.6),
             (22.5, 20.6)], OFF_WHITE, 0.8)
    return f.finish()


def face_smiley_at(s):
    f = disc_at(s, 3, 22, 3, 22)
    for x0 in (8, 15):
        f.ellipse((x0, 8, x0 + 2, 11), DARK_BROWN)
        f.dot(x0 + 0.5, 8.5, WHITE)
    f.curve([(6.5, 14.2), (7.4, 15.9), (9.2, 17.3), (12.5, 17.7),
             (15.8, 17.3), (17.6, 15.9), (18.5, 14.2)], DARK_BROWN, 1.1)
    return f.finish()


def face_cool_at(s):
    f = disc_at(s, 3, 22, 3, 22)
    f.rect((4, 8, 22, 9.2), BLACK)
    f.poly([(5, 8.5), (11.2, 8.5), (10.7, 10.7), (9.6, 12), (6.4, 12),
            (5.3, 10.6)], BLACK)
    f.poly([(13.9, 8.5), (20.9, 8.5), (20.3, 10.4), (19, 12), (15, 12),
            (14.1, 10.6)], BLACK)
    for x0 in (6.2, 15.2):
        f.line([(x0 + 0.6, 9.4), (x0, 10.9)], (120, 120, 140), 0.5)
    f.curve([(9.2, 17.5), (12, 17.6), (14.6, 17.3), (16.2, 16.2),
             (17.8, 15.4)], DARK_BROWN, 1.0)
    return f.finish()


def face_worried_at(s):
    f = disc_at(s, 3, 21, 3, 21)
    # brows raised towards the middle, clear of the rim
    f.line([(7.4, 7.6), (9.1, 6.9), (10.6, 6.3)], DARK_BROWN, 0.9)
    f.line([(14.4, 6.3), (15.9, 6.9), (17.6, 7.6)], DARK_BROWN, 0.9)
    # wide eyes: big whites, small pupils in the middle
    for x0 in (6, 14):
        eye(f, (x0, 8, x0 + 5, 14), DARK_BROWN, (x0 + 1.9, 9.9, x0 + 3.1, 12.1),
            width=0.6)
    f.line([(6.4, 18.2), (7.5, 16.6), (9.5, 19.1), (11.5, 16.6),
            (13.5, 19.1), (15.5, 16.6), (17.5, 19.1), (19.5, 16.6),
            (20.6, 18.2)], DARK_BROWN, 1.2)
    return f.finish()


def face_crying_at(s):
    f = disc_at(s, 3, 21, 3, 21)
    f.line([(5.2, 8.6), (8, 8.4), (10.8, 7.4)], DARK_BROWN, 0.95)
    f.line([(19.8, 8.6), (17, 8.4), (14.2, 7.4)], DARK_BROWN, 0.95)
    f.ellipse((8, 12, 17, 19), DARK_BROWN)
    f.ellipse((8.9, 12.8, 16.1, 18.2), MOUTH_RED)
    f.ellipse((9.8, 15.4, 15.2, 18.3), TONGUE_RED)
    # two streams of tears from the eyes' outer ends, past the lower rim
    for x0 in (4, 17):
        f.poly([(x0, 9), (x0 + 4, 9), (x0 + 4, 21), (x0 + 3, 22),
                (x0 + 1, 22), (x0, 21)], TEAR_EDGE)
        f.poly([(x0 + 0.7, 9), (x0 + 3.3, 9), (x0 + 3.3, 20.8),
                (x0 + 2.6, 21.4), (x0 + 1.4, 21.4), (x0 + 0.7, 20.8)],
               TEAR_LIGHT)
        f.curve([(x0 + 1.5, 10), (x0 + 1.9, 13), (x0 + 1.5, 16),
                 (x0 + 1.9, 19)], WHITE, 0.45)
    return f.finish()


def face_sick_at(s):
    f = disc_at(s, 3, 21, 3, 21)
    f.line([(5.3, 6.4), (9.5, 7.5), (5.3, 8.6)], DARK_BROWN, 0.9)
    f.line([(19.7, 6.4), (15.5, 7.5), (19.7, 8.6)], DARK_BROWN, 0.9)
    f.ellipse((8, 10, 17, 13.8), DARK_BROWN)
    f.ellipse((8.8, 10.8, 16.2, 13.2), DARK_RED)
    # the stream: narrow at the lips, widening as it falls past the rim
    stream = [(10.1, 12.1), (10.4, 14.5), (10.8, 16.5), (10.6, 18.5),
              (9.6, 20), (9.0, 21.2), (9.6, 22.2), (11, 22.9), (12.6, 22.4),
              (14, 22.9), (16, 22.9), (17.6, 22.3), (19.6, 21.9),
              (19.9, 20.5), (18.7, 19), (17.9, 17), (16.7, 15), (15.2, 13.4),
              (14.9, 12.1)]
    f.poly(stream, SICK_DARK)
    inner = [(x + (12.6 - x) * 0.12, y + (17 - y) * 0.06) for x, y in stream]
    f.poly(inner, SICK_GREY)
    f.poly([(x + (11.4 - x) * 0.3, y) for x, y in inner], SICK_WHITE)
    for (x, y, r) in ((12.3, 13.6, 0.6), (12.9, 15.6, 0.7), (14.0, 17.5, 0.6),
                      (15.2, 19.4, 0.7), (11.9, 20.6, 0.6), (16.6, 21.2, 0.6),
                      (13.6, 21.6, 0.5)):
        f.ellipse((x - r, y - r, x + r, y + r), SICK_LUMP)
    f.ellipse((11.2, 14.5, 11.9, 17.5), WHITE)
    # splashes flying off to the lower right
    f.ellipse((19.6, 19.0, 21.2, 20.6), SICK_DARK)
    f.ellipse((19.9, 19.3, 20.9, 20.3), SICK_WHITE)
    f.ellipse((21.2, 21.2, 23.0, 23.0), SICK_DARK)
    f.ellipse((21.6, 21.6, 22.6, 22.6), SICK_WHITE)
    return f.finish()


def face_shocked_at(s):
    f = disc_at(s, 3, 21, 3, 21)
    for x0 in (5, 12):
        f.ellipse((x0, 9, x0 + 5, 15), WHITE, DARK_BROWN, 0.6)
        f.ellipse((x0 + 1.9, 11.4, x0 + 3.1, 12.6), BLACK)
        f.curve([(x0 + 0.5, 7.9), (x0 + 1.3, 6.6), (x0 + 2.5, 6.3),
                 (x0 + 3.7, 6.6), (x0 + 4.5, 7.9)], DARK_BROWN, 0.9)
    f.ellipse((7, 16, 11, 21), WHITE, DARK_BROWN, 0.7)
    f.ellipse((7.8, 16.8, 10.2, 18.2), LIGHT_GREY)
    f.ellipse((7.8, 17.3, 10.2, 20.2), WHITE)
    for (x, y1) in ((6.5, 5.2), (8.5, 6.2), (10.5, 5.2)):
        f.line([(x, 3.5), (x, y1)], SHOCK_BLUE, 0.9)
    return f.finish()


def face_silenced_at(s):
    f = disc_at(s, 3, 21, 3, 21)
    f.curve([(7.3, 5.6), (8.4, 4.5), (10.6, 4.4)], DARK_BROWN, 0.8)
    f.curve([(14.4, 4.4), (16.6, 4.5), (17.7, 5.6)], DARK_BROWN, 0.8)
    # big whites with the pupils rolled up against the top
    for x0 in (7, 14):
        eye(f, (x0, 6, x0 + 4, 12), DARK_BROWN, (x0 + 0.8, 6.6, x0 + 3.2, 9.2))
    # two strips of tape crossed over the mouth only, cut straight across
    # at their ends; a faint crease runs along each
    for (top, bottom) in ((8.8, 17.2), (17.2, 8.8)):
        for (half, colour) in ((1.45, TAPE_EDGE), (0.75, WHITE)):
            f.strip((top, 13.6), (bottom, 21.4), half, colour, "inside")
        f.line([(top + (bottom - top) * 0.1, 14.4),
                (top + (bottom - top) * 0.9, 20.6)], OFF_WHITE, 0.25,
               "inside", caps=False)
    return f.finish()


def face_pig_at(s):
    head = ellipse_pixels(3 * s, 23 * s - 1, 7 * s, 22 * s - 1)
    head |= polygon_pixels([(4, 5), (7.2, 5), (10, 9), (5, 9.2), (4, 8)], s)
    head |= polygon_pixels([(23, 5), (19.8, 5), (17, 9), (22, 9.2),
                            (23, 8)], s)
    f = Fine(FACE_SIZE, s, head, PIG_BODY)
    f.poly([(5.1, 5.9), (6.6, 6.1), (8.2, 8.1), (5.3, 8.3)], PIG_SHADE,
           "inside")
    f.poly([(21.9, 5.9), (20.4, 6.1), (18.8, 8.1), (21.7, 8.3)], PIG_SHADE,
           "inside")
    for x0 in (8, 17):
        f.ellipse((x0 - 0.1, 10, x0 + 1.1, 12.2), BLACK)
        f.dot(x0, 10, WHITE)
    f.ellipse((8, 13, 18, 19), PIG_OUTLINE)
    f.ellipse((8.6, 13.6, 17.4, 18.4), PIG_SNOUT)
    f.ellipse((9.6, 14, 16, 15.4), (250, 170, 185))
    f.ellipse((10, 15, 12, 17.2), DARK_BROWN)
    f.ellipse((14, 15, 16, 17.2), DARK_BROWN)
    return f.finish()


def face_headband_at(s):
    f = disc_at(s, 4, 22, 3, 21)
    # the band round the head, dipping at both sides
    band = [(3, 6), (7, 5), (20, 5), (24, 6), (24, 12), (20, 11), (7, 11),
            (3, 12)]
    f.poly(band, DARK_GREY, "inside")
    f.poly([(3, 6.5), (7, 5.5), (20, 5.5), (24, 6.5), (24, 11.3),
            (20, 10.3), (7, 10.3), (3, 11.3)], WHITE, "inside")
    f.poly([(3, 6), (7, 5), (20, 5), (24, 6), (24, 6.5), (20, 5.5),
            (7, 5.5), (3, 6.5)], LIGHT_GREY, "inside")
    f.poly([(18.5, 5.5), (24, 6.5), (24, 11), (19.5, 10.3)],
           (160, 160, 160, 110), "inside")
    # the emblem: two bold dark characters written on the front
    k = CHARCOAL
    f.rect((9.1, 6.1, 11.9, 6.8), k)
    f.rect((10.2, 6.1, 10.8, 9.9), k)
    f.rect((9.1, 7.9, 11.9, 8.6), k)
    f.line([(9.4, 9.7), (10.5, 9.0), (11.6, 9.7)], k, 0.6, caps=False)
    f.rect((13.1, 6.1, 13.7, 9.9), k)
    f.rect((13.1, 6.9, 16.9, 7.5), k)
    f.rect((14.4, 6.1, 15.6, 8.6), k)
    f.line([(14.6, 9.8), (16.8, 8.8)], k, 0.6, caps=False)
    f.line([(16.3, 6.1), (16.6, 9.9)], k, 0.55, caps=False)
    # the knot and its two ends flying out over the upper right: broad
    # ribbons of cloth, shaded in grey and not outlined in dark, so that
    # they read as cloth
    f.poly([(18.0, 6.8), (20.4, 2.9), (23.0, 3.0), (20.9, 7.4)], MID_GREY)
    f.poly([(18.7, 6.6), (20.8, 3.4), (22.2, 3.5), (20.4, 7.0)], OFF_WHITE)
    f.poly([(19.4, 6.2), (23.0, 5.4), (23.0, 8.2), (19.4, 8.4)], MID_GREY)
    f.poly([(19.8, 6.7), (22.6, 6.0), (22.6, 7.7), (19.8, 7.9)], OFF_WHITE)
    f.ellipse((17.1, 5.7, 20.5, 8.9), MID_GREY)
    f.ellipse((17.4, 6.0, 20.2, 8.5), OFF_WHITE)
    f.curve([(18.0, 6.8), (18.8, 7.4), (19.6, 7.2)], LIGHT_GREY, 0.35)
    # the crooked grin with clenched teeth
    grin = [(8.2, 15.1), (10.5, 16.3), (13.5, 16.4), (16, 15), (17.9, 14.1),
            (17.4, 16.2), (15.8, 18.1), (13.5, 19), (11.2, 18.8),
            (9.6, 17.6)]
    f.poly(grin, DARK_BROWN)
    f.poly([(x + (13.2 - x) * 0.16, y + (17.2 - y) * 0.3) for x, y in grin],
           WHITE)
    f.line([(10, 17.1), (17, 16.2)], MID_GREY, 0.3, caps=False)
    for x in (12, 14.3):
        f.line([(x, 16.4), (x, 18.4)], MID_GREY, 0.3, caps=False)
    return f.finish()


def face_shy_at(s):
    f = disc_at(s, 4, 22, 3, 21)
    for x0 in (7, 15):
        f.curve([(x0 + 0.4, 9.2), (x0 + 1.4, 10.4), (x0 + 2.5, 10.7),
                 (x0 + 3.6, 10.4), (x0 + 4.6, 9.2)], DARK_BROWN, 0.95)
    for x0 in (5, 16):
        f.ellipse((x0, 12, x0 + 6, 15), (255, 120, 50))
        f.ellipse((x0 + 0.6, 12.3, x0 + 5.4, 14.6), (240, 60, 40))
        f.ellipse((x0 + 1.2, 12.6, x0 + 2.4, 13.4), (255, 150, 120))
    f.curve([(11.5, 16.3), (12.6, 17.5), (13.5, 17.7), (14.4, 17.5),
             (15.5, 16.3)], DARK_BROWN, 0.9)
    return f.finish()


FACES_FINE = [
    face_masked_at, face_laughing_at, face_flushed_angry_at, face_winking_at,
    face_lovestruck_at, face_soldier_at, face_hooded_at, face_smiley_at,
    face_cool_at, face_worried_at, face_crying_at, face_sick_at,
    face_shocked_at, face_silenced_at, face_pig_at, face_headband_at,
    face_shy_at,
]


PIECE_SIZE_2X = PIECE_SIZE * 2


def piece_pole_with_left_hand_2x():
    """The pole, two pixels for each column of the 1x pole, with grain in
    the wood; the left fist, two fingers curled round the pole, and the
    arm."""
    img = new_cell(PIECE_SIZE_2X)
    grain = {(6, 3), (6, 4), (7, 11), (7, 12), (5, 24), (5, 25), (6, 28),
             (7, 5), (6, 17), (7, 26)}
    for y in range(PIECE_SIZE_2X):
        for x, colour in ((2, BLACK), (3, BLACK), (4, WOOD_LIGHT),
                          (5, WOOD_LIGHT), (6, WOOD), (7, WOOD),
                          (8, WOOD_DARK), (9, WOOD_DARK), (10, BLACK),
                          (11, BLACK)):
            if (x, y) in grain:
                colour = mix(colour, WOOD_DARK, 0.7)
            put(img, x, y, colour)
        put(img, 4, y, mix(WOOD_LIGHT, WHITE, 0.15))
    hline(img, 2, 11, 30, BLACK)
    hline(img, 2, 11, 31, BLACK)
    stamp(img, 0, 14, [
        "..kkkk..........",
        ".kyhhyk.........",
        "kyhhyyk...kkkkkk",
        "kyyyyykkkkkkkkkk",
        "kyyyyyyyyyyyyyhy",
        "kyysyykkkksyyyyy",
        "kyyyyyyyyyyyyyyy",
        "kyysyykkkksyyyyy",
        ".kyyyykkkkkkkkkk",
        "..kkkk....kkkkkk",
    ], {"k": BLACK, "y": HAND_YELLOW, "h": (255, 232, 120),
        "s": HAND_SHADE})
    return img


def piece_right_hand_2x():
    """The right fist with its finger creases and the white rim."""
    img = new_cell(PIECE_SIZE_2X)
    stamp(img, 10, 8, [
        "sshhwwwwww",
        "shhyyykwww",
        "shyyyyykww",
        "syyyyyykww",
        "ssssyyykww",
        "syyyyyykww",
        "syyyyyykww",
        "ssssyyykww",
        "syyyyyykww",
        "syyyyyykww",
        "kkkkkkkkww",
        ".kkkkkkkww",
        "....wwwwww",
        "....wwwwww",
    ], {"s": HAND_SHADE, "y": HAND_YELLOW, "h": (255, 232, 120),
        "k": BLACK, "w": WHITE})
    return img


def piece_pole_top_2x():
    """The pole's closed top end, its corners rounded."""
    img = new_cell(PIECE_SIZE_2X)
    stamp(img, 0, 0, [
        ".kkkkkkkk.",
        "kkkkkkkkkk",
        "kkmlwwddkk",
        "kkmlwwddkk",
        "kkmlwwddkk",
        "kkmlwwddkk",
    ], {"k": BLACK, "l": WOOD_LIGHT, "w": WOOD, "d": WOOD_DARK,
        "m": mix(WOOD_LIGHT, WHITE, 0.15)})
    return img


PIECES_2X = [piece_pole_with_left_hand_2x, piece_right_hand_2x,
             piece_pole_top_2x]

# The pieces at 5x, drawn with the shapes the size allows: the pole's
# outline and ends stay exactly as wide as one 1x pixel, so that every
# reduction keeps them whole; the wood shows its grain, the fists their
# knuckles and creases.


def pole_wood_5x(x):
    """The pole's colour in column x of its 25 (5 of outline, 15 of wood
    lit from the left, 5 of outline)."""
    if x < 5 or x >= 20:
        return BLACK
    t = (x - 5) / 14.0
    if t < 0.5:
        colour = mix(mix(WOOD_LIGHT, WHITE, 0.1), WOOD, t * 2)
    else:
        colour = mix(WOOD, WOOD_DARK, (t - 0.5) * 2)
    return colour


def pole_shaft_5x(img, x0, rows, grain=()):
    """The pole's columns from x0, over the given rows; `grain` darkens
    short runs (x, first row, last row) of the wood."""
    for y in rows:
        for x in range(25):
            colour = pole_wood_5x(x)
            for (gx, g0, g1) in grain:
                if x == gx and g0 <= y <= g1:
                    colour = mix(colour, WOOD_DARK, 0.6)
            put(img, x0 + x, y, colour)


def piece_pole_with_left_hand_5x():
    f = Fine(PIECE_SIZE, 5)
    img = f.base
    pole_shaft_5x(img, 5, range(80),
                  grain=((9, 4, 13), (12, 20, 31), (16, 2, 9), (14, 60, 71),
                         (10, 52, 58), (17, 62, 66), (11, 70, 73)))
    for y in range(75, 80):
        hline(img, 5, 29, y, BLACK)
    # the arm reaching right from the pole towards the face
    f.rect((5, 8, 8, 12), BLACK)
    f.rect((5, 8.7, 8, 11.3), HAND_YELLOW)
    f.rect((5, 8.8, 8, 9.4), (255, 232, 120))
    f.rect((5, 10.7, 8, 11.3), HAND_SHADE)
    # the fist: two fingers curled round the front of the pole, the thumb
    # and palm on its left
    f.ellipse((0, 7, 3.6, 12), BLACK)
    f.rect((2, 8.2, 5.4, 11.8), BLACK)
    f.ellipse((0.7, 7.7, 2.9, 11.3), HAND_YELLOW)
    f.ellipse((1.0, 7.9, 2.2, 9.0), (255, 232, 120))
    for y0 in (8.6, 9.9):
        f.ellipse((1.5, y0 - 0.3, 5.4, y0 + 1.35), BLACK)
        f.ellipse((1.8, y0, 5.0, y0 + 1.05), HAND_YELLOW)
        f.line([(3.0, y0 + 0.3), (4.3, y0 + 0.3)], (255, 232, 120), 0.2)
    f.line([(1.0, 10.6), (2.2, 10.9)], HAND_SHADE, 0.3)
    return f.finish()


def piece_right_hand_5x():
    f = Fine(PIECE_SIZE, 5)
    # the white rim round the fist's outer side
    f.rect((7, 4, 10, 5), WHITE)
    f.rect((9, 4, 10, 11), WHITE)
    f.rect((7, 10, 10, 11), WHITE)
    # the fist, shaded on its left, outlined in black right and below
    f.rect((5, 4, 9, 10), BLACK)
    f.rect((5, 4, 8.3, 9.3), HAND_YELLOW)
    f.rect((5, 4, 5.9, 9.3), HAND_SHADE)
    f.poly([(5.9, 4), (8.3, 4), (8.3, 4.6), (6.4, 4.8), (5.9, 5.5)],
           (255, 232, 120))
    for y in (5.9, 7.6):
        f.line([(5, y), (6.8, y + 0.1)], HAND_SHADE, 0.3, caps=False)
    f.rect((8.9, 4.5, 9, 9.6), BLACK)
    return f.finish()


def piece_pole_top_5x():
    img = new_cell(PIECE_SIZE * 5)
    pole_shaft_5x(img, 0, range(5, 15))
    for y in range(5):
        inset = (2, 1, 0, 0, 0)[y]          # the top corners rounded
        hline(img, inset, 24 - inset, y, BLACK)
    return img


PIECES_5X = [piece_pole_with_left_hand_5x, piece_right_hand_5x,
             piece_pole_top_5x]
PIECES_FINE = {2: PIECES_2X, 5: PIECES_5X}


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


ICON_SIZES = (16, 20, 24, 32, 40, 48, 64, 256)

ICON_FRAME = (40, 48, 72)
ICON_TITLE = (40, 90, 180)
ICON_TITLE_LIGHT = (110, 160, 230)
ICON_SKY = (190, 224, 250)
ICON_SKY_HIGH = (150, 200, 246)
ICON_HILL = (70, 160, 70)
ICON_HILL_LIGHT = (110, 190, 90)
ICON_HILL_DARK = (40, 120, 50)
ICON_SUN = (255, 210, 40)
ICON_SUN_LIGHT = (255, 240, 150)
ICON_SHADOW = (120, 120, 120)
ICON_CLOSE = (230, 80, 60)
ICON_BUTTON = (240, 240, 240)


def app_icon_sized(n):
    """The application icon at n x n pixels, laid out for that size: the
    frame, title bar, buttons and shadow take whole pixels chosen for n, the
    landscape is drawn at n's own resolution (smoothed from 48 pixels up,
    crisp below), and the larger sizes gain clouds, sun rays and the
    hills' sunlit edges."""
    img = new_cell(n)
    u = n / 32.0                          # one pixel of the 32 x 32 icon
    frame = 1 if n < 48 else max(2, int(round(n / 40.0)))
    shadow = 1 if n < 48 else max(2, int(round(n / 36.0)))
    left = max(0, int(round(u)) - (1 if n >= 48 else 0))
    top = int(round(3 * u)) if n > 16 else 2
    right = n - 1 - shadow - (1 if n >= 20 else 0)
    bottom = right
    title = max(2, int(round(5 * u)) - (1 if n >= 48 else 0))
    if n <= 16:
        title = 3
    inner_left, inner_right = left + frame, right - frame
    title_top = top + frame
    title_bottom = title_top + title - 1
    pic_top = title_bottom + 1 + frame
    pic_bottom = bottom - frame
    smooth_art = n >= 48
    fine = 4 if smooth_art else 1

    def landscape(px, py):
        """Colour of the picture at a point given in 32-icon units."""
        colour = mix(ICON_SKY_HIGH, ICON_SKY,
                     (py - 10) / 8.0) if n >= 40 else ICON_SKY
        if n >= 48:
            for (cx, cy, rx, ry) in ((9, 13.2, 3.2, 1.1), (11.5, 12.4, 2.2, 1.2),
                                     (7.2, 13.4, 1.8, 0.8)):
                if ((px - cx) / rx) ** 2 + ((py - cy) / ry) ** 2 <= 1:
                    colour = WHITE
        sun_r = 3.0 if n >= 24 else 3.4
        d = math.hypot(px - 22, py - 14)
        if n >= 48 and d <= sun_r + 2.2 and d > sun_r + 0.7:
            angle = math.atan2(py - 14, px - 22)
            if math.cos(angle * 8) > 0.55:
                colour = ICON_SUN
        if d <= sun_r:
            colour = ICON_SUN
            if n >= 48 and math.hypot(px - 21.2, py - 13.2) <= 1.3:
                colour = ICON_SUN_LIGHT
        hill1 = 22 - 0.06 * (px - 10) ** 2
        if py >= hill1 and py > 17:
            colour = ICON_HILL
            if n >= 48 and py < max(hill1, 17) + 0.9:
                colour = ICON_HILL_LIGHT
        hill2 = 23 - 0.08 * (px - 24) ** 2
        if py >= hill2 and py > 20:
            colour = ICON_HILL_DARK
            if n >= 48 and py < max(hill2, 20) + 0.7:
                colour = ICON_HILL
        return colour

    # the picture, sampled fine and averaged where the size is large enough
    # for soft edges
    pic_w = inner_right - inner_left + 1
    pic_h = pic_bottom - pic_top + 1
    for y in range(pic_top, pic_bottom + 1):
        for x in range(inner_left, inner_right + 1):
            acc = [0, 0, 0]
            for sy in range(fine):
                for sx in range(fine):
                    fx = (x - inner_left + (sx + 0.5) / fine) / pic_w
                    fy = (y - pic_top + (sy + 0.5) / fine) / pic_h
                    c = landscape(2 + fx * 27, 10 + fy * 19)
                    for k in range(3):
                        acc[k] += c[k]
            put(img, x, y, tuple(int(round(a / float(fine * fine)))
                                 for a in acc))
    # title bar: a gradient from light to dark
    for y in range(title_top, title_bottom + 1):
        t = (y - title_top) / float(max(1, title - 1))
        hline(img, inner_left, inner_right, y, mix(ICON_TITLE_LIGHT,
                                                   ICON_TITLE, t))
    # the title bar's buttons, from 20 pixels up; a caption line from 40
    if n >= 20:
        bw = max(2, int(round(2 * u)))
        bh = max(1, int(round(u)))
        by = title_top + (title - bh) // 2
        gap = max(1, int(round(u)))
        x1 = inner_right - gap - bw + 1
        x0 = x1 - gap - bw
        for (bx, colour) in ((x0, ICON_CLOSE), (x1, ICON_BUTTON)):
            for y in range(by, by + bh):
                hline(img, bx, bx + bw - 1, y, colour)
        if n >= 40:
            cap_h = max(1, bh // 2)
            for y in range(by + (bh - cap_h) // 2,
                           by + (bh - cap_h) // 2 + cap_h):
                hline(img, inner_left + 2 * gap,
                      inner_left + 2 * gap + (x0 - inner_left) // 2, y,
                      mix(ICON_TITLE_LIGHT, WHITE, 0.6))
    else:
        put(img, inner_right - 1, title_top + 1, ICON_CLOSE)
    # frame and the line under the title bar
    for k in range(frame):
        hline(img, left, right, top + k, ICON_FRAME)
        hline(img, left, right, bottom - k, ICON_FRAME)
        hline(img, left, right, title_bottom + 1 + k, ICON_FRAME)
        for y in range(top, bottom + 1):
            put(img, left + k, y, ICON_FRAME)
            put(img, right - k, y, ICON_FRAME)
    # drop shadow below and right, offset by its own width
    for k in range(shadow):
        hline(img, left + shadow, right + shadow, bottom + 1 + k, ICON_SHADOW)
        for y in range(top + shadow, bottom + 1 + shadow):
            put(img, right + 1 + k, y, ICON_SHADOW)
    return img


def app_icon_16():
    """The icon at 16 x 16, placed by hand: a two-row title bar with one
    pixel for each button, a plus of a sun, two hills."""
    img = new_cell(16)
    stamp(img, 0, 0, [
        "................",
        "kkkkkkkkkkkkkkk.",
        "kLLLLLLLLLLLLLk.",
        "kTTTTTTTTTrTwTkS",
        "kkkkkkkkkkkkkkkS",
        "ksssssssssyssskS",
        "kssssssssyyysskS",
        "ksssssssssyssskS",
        "kssssssssssssskS",
        "kssgggggsssdddkS",
        "kgggggggggddddkS",
        "kgggggggggddddkS",
        "kgggggggggddddkS",
        "kgggggggggddddkS",
        "kkkkkkkkkkkkkkkS",
        ".SSSSSSSSSSSSSSS",
    ], {"k": ICON_FRAME, "L": ICON_TITLE_LIGHT, "T": ICON_TITLE,
        "r": ICON_CLOSE, "w": ICON_BUTTON, "s": ICON_SKY, "y": ICON_SUN,
        "g": ICON_HILL, "d": ICON_HILL_DARK, "S": ICON_SHADOW})
    return img


def icon_at(n):
    """The icon at size n: hand-drawn at 16 and 32, laid out for the size
    at every other."""
    if n == 16:
        return app_icon_16()
    return app_icon() if n == ICON_SIZE else app_icon_sized(n)


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
    for scale in SCALES:
        for i, draw in enumerate(FACES_FINE):
            images[os.path.join("faces@%dx" % scale, "face%02d.png" % i)] = \
                normalised(draw(scale))
        for i, draw in enumerate(PIECES_FINE[scale]):
            images[os.path.join("pieces@%dx" % scale, "piece%d.png" % i)] = \
                normalised(draw())
    for n in ICON_SIZES:
        images["icon%d.png" % n] = normalised(icon_at(n))
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
    print("wrote %d faces, %d pieces, their drawings at %s and the icon in "
          "%d sizes to %s" % (len(FACES), len(PIECES),
                              " and ".join("%dx" % k for k in SCALES),
                              len(ICON_SIZES), out_dir))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))

#!/usr/bin/python3
"""Checks Plakato's artwork PNGs against the layout the program relies on.

    /usr/bin/python3 resources/artwork/check_artwork.py

Prints one line per failed check and "N passed, M failed" at the end; the
exit status is non-zero when anything failed.
"""

import os
import subprocess
import sys
import tempfile

from PIL import Image

HERE = os.path.dirname(os.path.abspath(__file__))

# opaque bounding box of each face: (first col, last col, first row, last row)
FACE_BOXES = [
    (4, 22, 3, 21), (3, 21, 3, 21), (3, 21, 3, 21), (3, 21, 3, 21),
    (3, 21, 3, 21), (3, 22, 3, 21), (4, 22, 3, 22), (3, 22, 3, 22),
    (3, 22, 3, 22), (3, 21, 3, 21), (3, 21, 3, 21), (3, 22, 3, 22),
    (3, 21, 3, 21), (3, 21, 3, 21), (3, 22, 5, 21), (4, 22, 3, 21),
    (4, 22, 3, 21),
]
PIG = 14
# faces whose rim is partly covered by a feature: 5 the camouflage helmet
# (upper left), 6 the band's pale tail and 11 the pale mass (lower right)
RIM_COVERED = (5, 6, 11)

# scene at start: face cell top-left, and where each piece is drawn
FACE_AT = (172, 97)
PIECE_AT = {0: (167, 97), 1: (187, 105), 2: (168, 69)}

passed = 0
failed = 0


def check(ok, what):
    global passed, failed
    if ok:
        passed += 1
    else:
        failed += 1
        print("FAIL: " + what)


def load(rel):
    path = os.path.join(HERE, rel)
    if not os.path.exists(path):
        check(False, "%s exists" % rel)
        return None
    return Image.open(path)


def opaque(img, x, y):
    return img.getpixel((x, y))[3] == 255


def bbox(img):
    pts = [(x, y) for y in range(img.height) for x in range(img.width)
           if opaque(img, x, y)]
    if not pts:
        return None
    xs = [p[0] for p in pts]
    ys = [p[1] for p in pts]
    return (min(xs), max(xs), min(ys), max(ys))


def rgb(img, x, y):
    return img.getpixel((x, y))[:3]


def is_black(c):
    return max(c) <= 40


def is_white(c):
    return c == (255, 255, 255)


def is_yellow(c):
    r, g, b = c
    return r >= 200 and g >= 150 and b <= 130


def is_wood(c):
    r, g, b = c
    return r > g > b and r >= 100 and not is_yellow(c)


def check_format(rel, img, size):
    check(img.size == (size, size), "%s is %dx%d" % (rel, size, size))
    check(img.mode == "RGBA", "%s is RGBA" % rel)
    if img.mode != "RGBA":
        return
    alphas = {img.getpixel((x, y))[3] for y in range(img.height)
              for x in range(img.width)}
    check(alphas <= {0, 255}, "%s alpha only 0/255 (has %s)"
          % (rel, sorted(alphas - {0, 255})[:5]))
    dirty = [(x, y) for y in range(img.height) for x in range(img.width)
             if img.getpixel((x, y))[3] == 0 and rgb(img, x, y) != (0, 0, 0)]
    check(not dirty, "%s transparent pixels are black (first bad %s)"
          % (rel, dirty[:1]))


def cells(img, cols, rows, test, rel, what):
    bad = [(x, y) for y in rows for x in cols if not test(img, x, y)]
    check(not bad, "%s: %s (bad pixels %s)" % (rel, what, bad[:4]))


def colour_is(pred):
    return lambda img, x, y: opaque(img, x, y) and pred(rgb(img, x, y))


def transparent(img, x, y):
    return not opaque(img, x, y)


BLACK_PX = colour_is(is_black)
WHITE_PX = colour_is(is_white)
YELLOW_PX = colour_is(is_yellow)
WOOD_PX = colour_is(is_wood)


def check_faces():
    faces = {}
    for i, box in enumerate(FACE_BOXES):
        rel = "faces/face%02d.png" % i
        img = load(rel)
        if img is None:
            continue
        check_format(rel, img, 26)
        img = img.convert("RGBA")
        faces[i] = img
        check(bbox(img) == box, "%s opaque area cols %d-%d rows %d-%d, got %s"
              % ((rel,) + box + (bbox(img),)))
        cells(img, range(26), range(23, 26), transparent, rel,
              "rows 23-25 transparent")
        if i == PIG:
            cells(img, range(26), range(0, 5), transparent, rel,
                  "pig rows 0-4 transparent")
            continue
        # the left fist ends at cell column 2 in rows 7-11: the rim is near
        for y in range(7, 12):
            xs = [x for x in range(26) if opaque(img, x, y)]
            check(xs and 3 <= xs[0] <= 5,
                  "%s left rim of row %d in cols 3-5" % (rel, y))
        # the right fist covers the rim in rows 12-18
        for y in range(12, 19):
            xs = [x for x in range(26) if opaque(img, x, y)]
            check(xs and 19 <= xs[-1] <= 22,
                  "%s right rim of row %d in cols 19-22" % (rel, y))
        # shading: the rim is darker on the lower right than on the upper
        # left, except where a feature covers the rim itself
        if i in RIM_COVERED:
            continue
        ul, lr = edge_brightness(img, box)
        check(ul > lr, "%s rim darker at the lower right (%.0f vs %.0f)"
              % (rel, lr, ul))
    if len(faces) == len(FACE_BOXES):
        check_colours(faces)
        check_legible(faces)


def is_dark(c):
    return sum(c) < 200


def is_neutral(c):
    return max(c) - min(c) <= 8


def is_blush(c):
    r, g, b = c
    return r >= 230 and g <= 140 and b <= 80


def region(img, cols, rows, pred):
    return [(x, y) for y in rows for x in cols
            if opaque(img, x, y) and pred(rgb(img, x, y))]


def check_colours(faces):
    """Where the face table says grey or white, the pixels are not tinted
    blue (the tears once were), and the hooded head is greys only."""
    for i in (0, 2, 6, 10, 11, 13, 15):
        bluish = region(faces[i], range(26), range(26),
                        lambda c: c[2] > c[0])
        check(not bluish, "face%02d.png has no blue-tinted pixels (%s)"
              % (i, bluish[:3]))
    tinted = region(faces[6], range(26), range(26),
                    lambda c: not is_neutral(c))
    check(not tinted, "face06.png is black, white and greys only (%s)"
          % tinted[:3])


def check_legible(faces):
    """The marks that tell a face from its neighbours are big enough to be
    seen on the 26x26 tool button."""
    # 2: round staring eyes, not boxes: the corners of each white are cut
    for cols in (range(3, 12), range(13, 21)):
        white = region(faces[2], cols, range(6, 15), is_white)
        if not white:
            check(False, "face02.png has white eyes")
            continue
        xs, ys = [p[0] for p in white], [p[1] for p in white]
        corners = [(x, y) for x in (min(xs), max(xs)) for y in (min(ys), max(ys))]
        check(not any(c in white for c in corners),
              "face02.png eye whites in cols %d-%d are round" % (cols[0], cols[-1]))
    # 9: the zigzag mouth is drawn with a stroke two pixels thick
    mouth = region(faces[9], range(26), range(14, 21), is_dark)
    thin = sorted({x for x, _ in mouth} - {x for x, _ in mouth if
                   sum(1 for p in mouth if p[0] == x) >= 2})
    check(mouth and not thin, "face09.png zigzag two pixels thick in every "
          "column (thin in %s)" % thin)
    # 10: broad grey tears, each over at least 30 pixels and 10 rows
    for side, cols in (("left", range(3, 9)), ("right", range(16, 22))):
        tears = region(faces[10], cols, range(9, 23),
                       lambda c: is_neutral(c) and not is_dark(c))
        rows = {y for _, y in tears}
        check(len(tears) >= 30 and len(rows) >= 10,
              "face10.png %s tears broad and long (%d pixels, %d rows)"
              % (side, len(tears), len(rows)))
    # 11: the stream leaves a mouth that shows dark and open above it, and
    # runs down past the lower rim; without the mouth it reads as a hand
    open_mouth = region(faces[11], range(6, 18), range(9, 14),
                        lambda c: c[0] > 100 and c[1] < 60 and c[2] < 60)
    check(len(open_mouth) >= 6, "face11.png open mouth shows dark red "
          "(%d pixels)" % len(open_mouth))
    stream = region(faces[11], range(26), range(13, 23),
                    lambda c: min(c) >= 150 and max(c) - min(c) <= 40)
    check(len(stream) >= 40 and any(y >= 22 for _, y in stream),
          "face11.png pale stream is broad and passes the lower rim "
          "(%d pixels)" % len(stream))
    # 12: the eyes are round, not tall goggles; the open mouth is a white
    # oval of its own; the mark at the upper left is bold
    for cols in (range(3, 11), range(11, 19)):
        white = region(faces[12], cols, range(6, 16), is_white)
        xs, ys = [p[0] for p in white], [p[1] for p in white]
        check(white and max(ys) - min(ys) <= max(xs) - min(xs) + 1,
              "face12.png eye whites in cols %d-%d round, not tall"
              % (cols[0], cols[-1]))
    mouth = region(faces[12], range(3, 22), range(16, 22), is_white)
    check(len(mouth) >= 6, "face12.png open mouth shows (%d white pixels)"
          % len(mouth))
    mark = region(faces[12], range(3, 12), range(3, 6),
                  lambda c: c[2] > c[0] + 40)
    check(len(mark) >= 6, "face12.png mark at the upper left is bold "
          "(%d blue pixels)" % len(mark))
    # 13: a cross and not a blob: dark-edged tape, and the yellow showing in
    # all four wedges between the strips; small enough to tape the mouth
    # only, not to cross the face out, and the eyes rolled up above it
    edge = region(faces[13], range(5, 20), range(9, 21),
                  lambda c: is_neutral(c) and max(c) <= 100)
    check(len(edge) >= 30, "face13.png tape edged in a dark colour (%d "
          "pixels)" % len(edge))
    for name, (x, y) in (("top", (12, 14)), ("bottom", (12, 20)),
                         ("left", (8, 17)), ("right", (16, 17))):
        check(YELLOW_PX(faces[13], x, y), "face13.png yellow shows in the "
              "%s wedge of the cross at %d,%d" % (name, x, y))
    tape = region(faces[13], range(26), range(26),
                  lambda c: c == (70, 70, 70) or is_white(c))
    tape = [(x, y) for x, y in tape if y >= 12]
    xs, ys = [p[0] for p in tape], [p[1] for p in tape]
    check(tape and max(xs) - min(xs) < 11 and min(ys) >= 13,
          "face13.png cross covers the mouth only (cols %s-%s, from row %s)"
          % (min(xs or [0]), max(xs or [0]), min(ys or [0])))
    for cols in (range(6, 12), range(13, 19)):
        pupil = region(faces[13], cols, range(5, 13), is_black)
        white = region(faces[13], cols, range(5, 13), is_white)
        check(len(pupil) >= 3 and white and
              max(y for _, y in pupil) < min(y for _, y in white),
              "face13.png eye in cols %d-%d looks up: white below its pupil"
              % (cols[0], cols[-1]))
    # 15: the emblem is dark writing on the band, two characters with white
    # between them, and nothing red on the band (red on white reads as a
    # stain on a bandage)
    writing = region(faces[15], range(8, 18), range(6, 10), is_dark)
    check(len(writing) >= 16 and not any(x == 12 for x, _ in writing),
          "face15.png emblem is two dark characters (%d pixels)"
          % len(writing))
    red = region(faces[15], range(26), range(4, 13),
                 lambda c: c[0] > 120 and c[1] < 80 and c[2] < 80)
    check(not red, "face15.png band carries no red (%s)" % red[:3])
    # 15: a headband, not a bandage: the knot's ends stand out of the head
    # at the upper right, and the mouth below the band shows teeth
    ends = [(x, y) for x in range(17, 23) for y in range(3, 7)
            if opaque(faces[15], x, y) and not is_yellow(rgb(faces[15], x, y))
            and not opaque(faces[16], x, y)]
    check(len(ends) >= 6, "face15.png knot's ends stand out past the rim "
          "(%d pixels)" % len(ends))
    teeth = region(faces[15], range(4, 23), range(13, 21), is_white)
    check(len(teeth) >= 5, "face15.png grin shows teeth (%d pixels)"
          % len(teeth))
    # 2: the sweat drop sits on the face beside the eye, none of it standing
    # up out of the head like a horn
    drop = region(faces[2], range(17, 23), range(3, 16),
                  lambda c: is_neutral(c) and not is_black(c)
                  and not is_white(c))
    check(len(drop) >= 6 and min(y for _, y in drop) >= 8,
          "face02.png sweat drop beside the eye, below row 7 (%s)"
          % sorted(drop)[:3])
    # 5: the cigar is a brown stick, black-edged, not a red speck
    cigar = region(faces[5], range(11, 23), range(15, 21),
                   lambda c: c in ((128, 72, 30), (170, 108, 52)))
    edged = region(faces[5], range(11, 23), range(15, 21), is_black)
    check(len(cigar) >= 10 and len(edged) >= 12, "face05.png cigar long and "
          "outlined (%d brown, %d black pixels)" % (len(cigar), len(edged)))
    # 6: the knot on top is pale cloth standing out of the black hood
    knot = region(faces[6], range(8, 19), range(3, 7),
                  lambda c: min(c) >= 200)
    check(len(knot) >= 8, "face06.png knot pale and bold (%d pixels)"
          % len(knot))
    # 9: raised brows kept clear of the rim, and wide eyes: whites far
    # larger than their pupils
    for cols in (range(3, 12), range(13, 22)):
        brow = region(faces[9], cols, range(5, 8), is_dark)
        clear = all(opaque(faces[9], x + dx, y + dy) and not
                    edge_pixel(faces[9], x + dx, y + dy)
                    for x, y in brow for dx in (-1, 0, 1) for dy in (-1, 0, 1))
        check(len(brow) >= 4 and clear, "face09.png brow in cols %d-%d "
              "stands clear of the rim" % (cols[0], cols[-1]))
        white = region(faces[9], cols, range(8, 15), is_white)
        pupil = region(faces[9], cols, range(8, 15), is_black)
        check(len(white) >= 8 and 1 <= len(pupil) <= len(white) // 3,
              "face09.png eye in cols %d-%d wide (%d white, %d pupil)"
              % (cols[0], cols[-1], len(white), len(pupil)))
    # 11: the mass is edged dark and shaded, so that it stands out of the
    # face instead of showing the tool bar's pale grey as through a hole
    rim = region(faces[11], range(7, 24), range(11, 23),
                 lambda c: max(c) <= 110 and not c[0] > c[1] + 30)
    check(len(rim) >= 20, "face11.png mass edged in a dark grey (%d pixels)"
          % len(rim))
    # 16: each blushing cheek is a patch of at least 12 pixels
    for side, cols in (("left", range(4, 12)), ("right", range(14, 23))):
        blush = region(faces[16], cols, range(10, 17), is_blush)
        check(len(blush) >= 12, "face16.png %s blush is a patch (%d pixels)"
              % (side, len(blush)))


def edge_pixel(img, x, y):
    """An opaque pixel with a transparent 4-neighbour: the face's rim."""
    return opaque(img, x, y) and not all(
        0 <= x + dx < img.width and 0 <= y + dy < img.height
        and opaque(img, x + dx, y + dy)
        for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)))


def edge_brightness(img, box):
    """Mean brightness of the outline pixels in the upper-left and in the
    lower-right quarter of the face."""
    cx = (box[0] + box[1]) / 2.0
    cy = (box[2] + box[3]) / 2.0
    ul, lr = [], []
    for y in range(26):
        for x in range(26):
            if not opaque(img, x, y):
                continue
            if all(opaque(img, x + dx, y + dy) for dx, dy in
                   ((1, 0), (-1, 0), (0, 1), (0, -1))
                   if 0 <= x + dx < 26 and 0 <= y + dy < 26):
                continue
            if x < cx and y < cy:
                ul.append(sum(rgb(img, x, y)))
            elif x > cx and y > cy:
                lr.append(sum(rgb(img, x, y)))
    mean = lambda v: sum(v) / float(len(v)) if v else 0.0
    return mean(ul), mean(lr)


def check_pole(img, rel):
    check(bbox(img) == (0, 7, 0, 15), "%s opaque area cols 0-7 rows 0-15"
          % rel)
    cells(img, range(8, 16), range(16), transparent, rel,
          "columns 8-15 transparent")
    cells(img, [1], list(range(0, 8)) + list(range(11, 16)), BLACK_PX, rel,
          "outline column 1 black")
    cells(img, [5], list(range(0, 9)) + list(range(11, 16)), BLACK_PX, rel,
          "outline column 5 black")
    cells(img, range(2, 5), list(range(0, 7)) + list(range(12, 15)), WOOD_PX,
          rel, "wood in columns 2-4")
    light = sum(rgb(img, 2, 0))
    dark = sum(rgb(img, 4, 0))
    check(light > dark, "%s wood lighter on the left" % rel)
    cells(img, range(1, 6), [15], BLACK_PX, rel, "black bottom end row 15")
    cells(img, [0], range(8, 11), BLACK_PX, rel, "fist black in column 0")
    cells(img, range(1, 3), range(8, 11), YELLOW_PX, rel,
          "fist yellow in columns 1-2 rows 8-10")
    cells(img, range(3, 5), range(9, 11), BLACK_PX, rel,
          "black across the pole in columns 3-4 rows 9-10")
    cells(img, range(5, 8), range(9, 11), YELLOW_PX, rel,
          "arm yellow in columns 5-7 rows 9-10")
    cells(img, range(5, 8), [8, 11], BLACK_PX, rel,
          "arm outline black in columns 5-7 rows 8 and 11")
    cells(img, [0], list(range(0, 7)) + list(range(12, 16)), transparent, rel,
          "column 0 transparent outside the fist")
    cells(img, range(6, 8), list(range(0, 7)) + list(range(12, 16)),
          transparent, rel, "columns 6-7 transparent outside the arm")


def check_right_hand(img, rel):
    check(bbox(img) == (5, 9, 4, 10), "%s opaque area cols 5-9 rows 4-10"
          % rel)
    cells(img, [9], range(4, 11), WHITE_PX, rel, "white column 9 rows 4-10")
    cells(img, range(7, 10), [4, 10], WHITE_PX, rel,
          "white columns 7-9 of rows 4 and 10")
    cells(img, [8], range(5, 10), BLACK_PX, rel, "black right outline col 8")
    cells(img, range(5, 9), [9], BLACK_PX, rel, "black bottom outline row 9")
    cells(img, range(6, 8), range(5, 9), YELLOW_PX, rel,
          "yellow in columns 6-7")
    shade = colour_is(lambda c: not is_black(c) and not is_yellow(c)
                      and not is_white(c))
    cells(img, [5], range(5, 9), shade, rel, "brown shading in column 5")


def check_pole_top(img, rel, pole):
    check(bbox(img) == (0, 4, 0, 2), "%s opaque area cols 0-4 rows 0-2" % rel)
    cells(img, range(5), [0], BLACK_PX, rel, "black top row")
    cells(img, [0, 4], [1, 2], BLACK_PX, rel, "black sides")
    cells(img, range(1, 4), [1, 2], WOOD_PX, rel, "wood in columns 1-3")
    if pole is not None:
        same = all(rgb(img, x, y) == rgb(pole, x + 1, 0)
                   for x in range(1, 4) for y in (1, 2))
        check(same, "%s wood matches the pole's columns" % rel)


def check_thumbnail(img, rel):
    cells(img, range(16), range(3, 13), lambda i, x, y: opaque(i, x, y), rel,
          "rows 3-12 opaque in all columns")
    cells(img, range(16), list(range(0, 3)) + list(range(13, 16)),
          transparent, rel, "rows 0-2 and 13-15 transparent")
    frame = [(x, y) for x in range(3, 14) for y in (5, 8)] + \
            [(x, y) for x in (3, 13) for y in (6, 7)]
    check(all(BLACK_PX(img, x, y) for x, y in frame),
          "%s bar framed in black (cols 3-13, rows 5-8)" % rel)
    check(any(WHITE_PX(img, x, y) for x in range(4, 13) for y in (6, 7)),
          "%s white dots inside the bar" % rel)
    cream = colour_is(lambda c: not is_white(c) and min(c) >= 180
                      and c[0] >= c[1] >= c[2])
    cells(img, range(6, 10), range(9, 13), cream, rel,
          "pale cream patch cols 6-9 rows 9-12")
    field = [(x, y) for y in range(3, 13) for x in range(16)
             if not (3 <= x <= 13 and 5 <= y <= 8)
             and not (6 <= x <= 9 and 9 <= y <= 12)]
    check(all(WHITE_PX(img, x, y) for x, y in field),
          "%s white field around the bar" % rel)


def check_pieces():
    imgs = {}
    for i in range(4):
        rel = "pieces/piece%d.png" % i
        img = load(rel)
        if img is None:
            continue
        check_format(rel, img, 16)
        imgs[i] = img.convert("RGBA")
    if 0 in imgs:
        check_pole(imgs[0], "pieces/piece0.png")
    if 1 in imgs:
        check_right_hand(imgs[1], "pieces/piece1.png")
    if 2 in imgs:
        check_pole_top(imgs[2], "pieces/piece2.png", imgs.get(0))
    if 3 in imgs:
        check_thumbnail(imgs[3], "pieces/piece3.png")
    return imgs


def scene_span(img, at, pred):
    pts = [(at[0] + x, at[1] + y) for y in range(img.height)
           for x in range(img.width) if opaque(img, x, y) and pred(x, y)]
    xs = [p[0] for p in pts]
    ys = [p[1] for p in pts]
    return (min(xs), max(xs), min(ys), max(ys)) if pts else None


def check_scene(pieces):
    """Where the pieces land in the scene at start."""
    if 0 in pieces:
        p0 = pieces[0]
        shaft = scene_span(p0, PIECE_AT[0], lambda x, y: 1 <= x <= 5)
        check(shaft == (168, 172, 97, 112), "pole shaft in scene cols "
              "168-172 rows 97-112, got %s" % (shaft,))
        # the hand is whatever differs from the bare pole: pixels left and
        # right of it, yellow skin, black fingers over the wood
        hand = scene_span(p0, PIECE_AT[0],
                          lambda x, y: x in (0, 6, 7) or YELLOW_PX(p0, x, y)
                          or (2 <= x <= 4 and y < 15 and BLACK_PX(p0, x, y)))
        check(hand == (167, 174, 104, 108), "left hand in scene cols 167-174 "
              "rows 104-108, got %s" % (hand,))
        check(hand is not None and hand[1] < FACE_AT[0] + 3,
              "left hand ends left of the face rims")
    if 1 in pieces:
        hand = scene_span(pieces[1], PIECE_AT[1], lambda x, y: True)
        check(hand == (192, 196, 109, 115), "right hand in scene cols 192-196 "
              "rows 109-115, got %s" % (hand,))
    if 2 in pieces:
        top = scene_span(pieces[2], PIECE_AT[2], lambda x, y: True)
        check(top == (168, 172, 69, 71), "pole top in scene cols 168-172 "
              "rows 69-71, got %s" % (top,))


# ------------------------------------------------------ art drawn to size --
# Faces and the pole pieces at 2x (52x52 and 32x32) for displays at 200 %,
# and at 5x (130x130 and 80x80): the same layout at the larger size, drawn
# anew rather than blown up, and showing the same picture as the art of the
# next smaller size.

SCALES = (2, 5)


def scaled(box, s):
    return (s * box[0], s * (box[1] + 1) - 1, s * box[2], s * (box[3] + 1) - 1)


def near_box(got, want, slack=1):
    return got is not None and all(abs(g - w) <= slack
                                   for g, w in zip(got, want))


def averaged(big, size):
    """big averaged down to `size` by area, its opaque pixels only: for each
    pixel it covers, the mean colour of those pixels and the share of the
    pixel they cover.  (Transparent pixels are black, so the plain average
    over all of them, divided by that share, is the opaque ones' mean.)"""
    cover = big.getchannel("A").convert("F").resize(size, Image.BOX)
    chans = [c.convert("F").resize(size, Image.BOX)
             for c in big.convert("RGB").split()]
    out = {}
    for y in range(size[1]):
        for x in range(size[0]):
            share = cover.getpixel((x, y)) / 255.0
            if share > 0.001:
                out[(x, y)] = ([c.getpixel((x, y)) / share for c in chans],
                               share)
    return out


def reduced(small, big):
    """big averaged down to small's size, on the pixels opaque in small."""
    return {p: c for p, (c, _) in averaged(big, small.size).items()
            if opaque(small, *p)}


def scale_difference(small, big):
    """Mean colour difference per channel between the smaller picture and
    the larger one averaged down, both seen slightly out of focus (each
    pixel with its opaque neighbours), so that a feature drawn half a pixel
    further along does not count as a different picture."""
    low = reduced(small, big)
    one = {p: rgb(small, *p) for p in low}

    def soft(colours, x, y):
        near = [colours[(x + dx, y + dy)] for dy in (-1, 0, 1)
                for dx in (-1, 0, 1) if (x + dx, y + dy) in colours]
        return [sum(c[k] for c in near) / float(len(near)) for k in range(3)]
    diffs = []
    for (x, y) in low:
        a, b = soft(one, x, y), soft(low, x, y)
        diffs.append(sum(abs(a[k] - b[k]) for k in range(3)) / 3.0)
    return sum(diffs) / len(diffs) if diffs else 255.0


MAX_SCALE_DIFF = 20


def not_multiplied(small, big, rel):
    """big is not small with each pixel repeated: at a whole factor, a
    quarter of the blocks over small's pixels hold more than one colour; at
    any other, at least 15 % of its opaque pixels differ from small enlarged
    (flat areas, a white mask or black glasses, come out the same either
    way; an enlargement differs nowhere)."""
    k = big.width // small.width
    if big.width == k * small.width:
        blocks = mixed = 0
        for y in range(small.height):
            for x in range(small.width):
                px = {big.getpixel((k * x + dx, k * y + dy))
                      for dy in range(k) for dx in range(k)}
                if any(p[3] for p in px):
                    blocks += 1
                    mixed += len(px) > 1
        check(blocks and mixed >= 0.25 * blocks,
              "%s is drawn at its size, not %s with its pixels repeated (%d "
              "of %d blocks of %dx%d differ within)"
              % (rel, small.size, mixed, blocks, k, k))
        return
    grown = small.resize(big.size, Image.NEAREST)
    pts = [(x, y) for y in range(big.height) for x in range(big.width)
           if opaque(big, x, y)]
    same = sum(big.getpixel(p) == grown.getpixel(p) for p in pts)
    check(pts and same < 0.85 * len(pts), "%s is drawn at its size, not %s "
          "enlarged (%d of %d pixels as enlarged)"
          % (rel, small.size, same, len(pts)))


def compare_scales(small, big, rel):
    """big is not small enlarged, and averaged back down it gives the small
    picture: the same outline and, seen at a glance, the same colours in
    the same places."""
    not_multiplied(small, big, rel)
    cover = averaged(big, small.size)
    area = mismatched = 0
    for y in range(small.height):
        for x in range(small.width):
            inside = opaque(small, x, y)
            share = cover.get((x, y), (None, 0.0))[1]
            area += inside
            mismatched += (inside and share < 0.5) or (not inside
                                                       and share > 0.5)
    check(mismatched <= max(4, area // 40), "%s outline averaged down "
          "matches the %dx%d outline (%d of %d pixels differ)"
          % (rel, small.width, small.height, mismatched, area))
    diff = scale_difference(small, big)
    check(diff <= MAX_SCALE_DIFF, "%s averaged down is close to the %dx%d "
          "picture (mean difference %.1f, at most %d)"
          % (rel, small.width, small.height, diff, MAX_SCALE_DIFF))
    return diff


def face_folder(s):
    return "faces" if s == 1 else "faces@%dx" % s


def check_faces_at(s, smaller):
    """The faces drawn at s times the size, each against the same face at
    the next smaller size `smaller`."""
    lows, highs = {}, {}
    n = 26 * s
    for i, box in enumerate(FACE_BOXES):
        rel = "%s/face%02d.png" % (face_folder(s), i)
        img = load(rel)
        low = load("%s/face%02d.png" % (face_folder(smaller), i))
        if img is None or low is None:
            continue
        check_format(rel, img, n)
        img, low = img.convert("RGBA"), low.convert("RGBA")
        want = scaled(box, s)
        check(near_box(bbox(img), want, slack=s // 2),
              "%s opaque area within %d pixels of cols %d-%d rows %d-%d, "
              "got %s" % ((rel, s // 2) + want + (bbox(img),)))
        cells(img, range(n), range(23 * s, n), transparent, rel,
              "rows %d-%d transparent" % (23 * s, n - 1))
        if i != PIG:
            for y in range(7 * s, 12 * s):
                xs = [x for x in range(n) if opaque(img, x, y)]
                check(xs and 3 * s <= xs[0] < 6 * s,
                      "%s left rim of row %d in cols %d-%d"
                      % (rel, y, 3 * s, 6 * s - 1))
            for y in range(12 * s, 19 * s):
                xs = [x for x in range(n) if opaque(img, x, y)]
                check(xs and 19 * s <= xs[-1] < 23 * s,
                      "%s right rim of row %d in cols %d-%d"
                      % (rel, y, 19 * s, 23 * s - 1))
        compare_scales(low, img, rel)
        if s > 2:
            one = load("faces/face%02d.png" % i)
            if one is not None:
                not_multiplied(one.convert("RGBA"), img, rel)
        lows[i], highs[i] = low, img
    # each face, averaged down, is nearer its own smaller face than any other
    if len(highs) == len(FACE_BOXES):
        for i in highs:
            own = scale_difference(lows[i], highs[i])
            near = min((scale_difference(lows[j], highs[i]), j)
                       for j in lows if j != i)
            check(own < near[0], "%s/face%02d.png looks most like face %d at "
                  "%dx (%.1f), not face %d (%.1f)"
                  % (face_folder(s), i, i, smaller, own, near[1], near[0]))
    return highs


# opaque areas of the pieces: the 1x ones scaled
PIECE_BOXES = {0: (0, 7, 0, 15), 1: (5, 9, 4, 10), 2: (0, 4, 0, 2)}


def check_pieces_at(s, smaller, pieces):
    """The three pieces the scene draws, at s times the size, against those
    at the next smaller size; the pole's outline as wide as at 1x."""
    pole = None
    for i, box in sorted(PIECE_BOXES.items()):
        rel = "pieces@%dx/piece%d.png" % (s, i)
        img = load(rel)
        low = load(("pieces/piece%d.png" if smaller == 1 else
                    "pieces@%dx/piece%%d.png" % smaller) % i)
        if img is None or low is None or i not in pieces:
            continue
        check_format(rel, img, 16 * s)
        img, low = img.convert("RGBA"), low.convert("RGBA")
        check(bbox(img) == scaled(box, s), "%s opaque area cols %d-%d rows "
              "%d-%d, got %s" % ((rel,) + scaled(box, s) + (bbox(img),)))
        compare_scales(low, img, rel)
        if smaller > 1:
            not_multiplied(pieces[i], img, rel)
        if i == 0:
            # the pole runs the full height, open at the top, in the
            # columns the pole top covers, and nothing lies right of the arm
            shaft = list(range(0, 7 * s)) + list(range(12 * s, 15 * s))
            cells(img, list(range(s, 2 * s)) + list(range(5 * s, 6 * s)),
                  shaft, BLACK_PX, rel, "pole outlined in black, 1x columns "
                  "1 and 5")
            cells(img, range(2 * s, 5 * s), shaft, WOOD_PX, rel,
                  "wood in 1x columns 2-4")
            cells(img, range(s, 6 * s), range(15 * s, 16 * s), BLACK_PX,
                  rel, "black bottom end, 1x row 15")
            cells(img, range(8 * s, 16 * s), range(16 * s), transparent,
                  rel, "1x columns 8-15 transparent")
            pole = img
        if i == 2 and pole is not None:
            same = all(rgb(img, x, y) == rgb(pole, x + s, 0)
                       for x in range(5 * s) for y in range(s, 3 * s))
            check(same, "%s matches the pole's columns" % rel)


ICON_SIZES = (16, 20, 24, 32, 40, 48, 64, 256)
ICON_FRAME = (40, 48, 72)


def check_icon():
    icons = {}
    for n in ICON_SIZES:
        rel = "icon%d.png" % n
        img = load(rel)
        if img is None:
            continue
        check_format(rel, img, n)
        img = img.convert("RGBA")
        icons[n] = img
        count = sum(opaque(img, x, y) for y in range(n) for x in range(n))
        check(count >= n * n * 0.6, "%s has a visible picture (%d opaque "
              "pixels)" % (rel, count))
        # drawn for the size: the window's top edge is one unbroken line of
        # the frame colour, which a picture scaled from another size would
        # smear at most sizes
        box = bbox(img)
        top = [rgb(img, x, box[2]) for x in range(img.width)
               if opaque(img, x, box[2])]
        check(box and all(c == ICON_FRAME for c in top),
              "%s window's top edge is one crisp line of the frame colour"
              % rel)
    if 32 in icons:
        for n, img in icons.items():
            if n != 32:
                scaled = icons[32].resize((n, n), Image.NEAREST)
                check(img.tobytes() != scaled.tobytes(),
                      "icon%d.png is not the 32 x 32 icon scaled" % n)
    if len(icons) == len(ICON_SIZES):
        check_icon_file(icons)


def check_icon_file(icons):
    """make_icon.py puts every size into one .ico: a bitmap with a 1-bit
    mask up to 64 x 64, PNG at 256 x 256, each the picture of its file."""
    import io
    import struct
    with tempfile.TemporaryDirectory() as tmp:
        target = os.path.join(tmp, "plakato.ico")
        result = subprocess.run(
            [sys.executable, os.path.join(HERE, "..", "make_icon.py"), target]
            + [os.path.join(HERE, "icon%d.png" % n) for n in ICON_SIZES],
            capture_output=True, text=True)
        check(result.returncode == 0, "make_icon.py runs: "
              + result.stderr.strip()[-200:])
        if result.returncode != 0:
            return
        data = open(target, "rb").read()
    reserved, kind, count = struct.unpack_from("<HHH", data, 0)
    check((reserved, kind, count) == (0, 1, len(ICON_SIZES)),
          "plakato.ico holds %d icon images (%s)" % (len(ICON_SIZES), count))
    for k in range(count):
        w, h, _, _, planes, bits, length, offset = struct.unpack_from(
            "<BBBBHHII", data, 6 + 16 * k)
        n = w or 256
        body = data[offset:offset + length]
        picture = icons.get(n)
        if picture is None:
            check(False, "plakato.ico image %d has a known size (%d)" % (k, n))
            continue
        if body[:8] == b"\x89PNG\r\n\x1a\n":
            got = Image.open(io.BytesIO(body)).convert("RGBA")
            check(got.tobytes() == picture.tobytes(),
                  "plakato.ico %d x %d PNG is icon%d.png" % (n, n, n))
            check(n == 256, "plakato.ico stores only 256 x 256 as PNG (%d)" % n)
            continue
        size, width, height, _, depth = struct.unpack_from("<IiiHH", body, 0)
        check((width, height, depth) == (n, 2 * n, 32),
              "plakato.ico %d x %d bitmap header" % (n, n))
        stride = (n + 31) // 32 * 4
        colours = body[40:40 + 4 * n * n]
        mask = body[40 + 4 * n * n:]
        same = len(mask) == stride * n
        for y in range(n):
            row = n - 1 - y
            for x in range(n):
                b, g, r, a = colours[4 * (row * n + x):4 * (row * n + x) + 4]
                bit = (mask[row * stride + x // 8] >> (7 - x % 8)) & 1 \
                    if same else 1
                want = picture.getpixel((x, y))
                if a != 0 or bit == (want[3] == 255) or \
                        (want[3] == 255 and (r, g, b) != want[:3]):
                    same = False
        check(same, "plakato.ico %d x %d bitmap and mask are icon%d.png"
              % (n, n, n))


def check_regenerates():
    """The committed PNGs are exactly what the generator draws."""
    with tempfile.TemporaryDirectory() as tmp:
        result = subprocess.run(
            [sys.executable, os.path.join(HERE, "draw_artwork.py"),
             "--out", tmp], capture_output=True, text=True)
        check(result.returncode == 0, "draw_artwork.py runs: "
              + result.stderr.strip()[-200:])
        if result.returncode != 0:
            return
        rels = ["faces/face%02d.png" % i for i in range(17)] + \
               ["pieces/piece%d.png" % i for i in range(4)] + \
               ["icon%d.png" % n for n in ICON_SIZES]
        for s in SCALES:
            rels += ["faces@%dx/face%02d.png" % (s, i) for i in range(17)]
            rels += ["pieces@%dx/piece%d.png" % (s, i) for i in range(3)]
        for rel in rels:
            fresh = os.path.join(tmp, rel)
            kept = os.path.join(HERE, rel)
            if not (os.path.exists(fresh) and os.path.exists(kept)):
                check(False, "%s drawn and kept" % rel)
                continue
            a = Image.open(fresh).convert("RGBA")
            b = Image.open(kept).convert("RGBA")
            check(a.size == b.size and a.tobytes() == b.tobytes(),
                  "%s matches the generator's output" % rel)


def main():
    check_faces()
    pieces = check_pieces()
    check_scene(pieces)
    smaller = 1
    for s in SCALES:
        check_faces_at(s, smaller)
        check_pieces_at(s, smaller, pieces)
        smaller = s
    check_icon()
    check_regenerates()
    print("%d passed, %d failed" % (passed, failed))
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())

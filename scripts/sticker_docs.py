#!/usr/bin/python3
"""Draws docs/sticker-on-themes.png from the files the sticker benchmark saves
(`sticker_bench.exe --save FOLDER`): the sticker over white, a dark chat's
#1E1E1E and a chat blue, above the 2x picture enlarged to the same size over
the same three, as a chat that enlarges a small picture would show it.
    /usr/bin/python3 scripts/sticker_docs.py FOLDER OUT.png
"""
import sys

from PIL import Image

folder, out = sys.argv[1], sys.argv[2]
sticker = Image.open(f"{folder}/sticker.png").convert("RGBA")
large = Image.open(f"{folder}/large.png").convert("RGBA")
scale = max(sticker.size) / max(large.size)
enlarged = large.resize((round(large.width * scale), round(large.height * scale)), Image.BICUBIC)
backgrounds = [(255, 255, 255), (0x1E, 0x1E, 0x1E), (0x2A, 0x7F, 0xDB)]
pad = 24
cell_w = max(sticker.width, enlarged.width) + 2 * pad
cell_h = max(sticker.height, enlarged.height) + 2 * pad
sheet = Image.new("RGB", (cell_w * len(backgrounds), cell_h * 2), (255, 255, 255))
for column, colour in enumerate(backgrounds):
    for row, picture in enumerate([sticker, enlarged]):
        cell = Image.new("RGBA", (cell_w, cell_h), colour + (255,))
        cell.alpha_composite(picture, ((cell_w - picture.width) // 2, (cell_h - picture.height) // 2))
        sheet.paste(cell.convert("RGB"), (column * cell_w, row * cell_h))
sheet.save(out, optimize=True)
print(f"wrote {out}: {sheet.width} x {sheet.height}")

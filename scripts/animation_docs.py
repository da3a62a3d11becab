#!/usr/bin/python3
"""Makes the animation's pictures for the README from the files the animation
benchmark saves (`animation_bench.exe --save FOLDER`): docs/animation.gif,
the default sign's 举牌 as the program writes it, and docs/animation-frames.png,
every frame of each motion (举牌, 跳动, 摇晃) side by side, frame 0 first.
    /usr/bin/python3 scripts/animation_docs.py FOLDER DOCS
"""
import shutil
import sys

from PIL import Image, ImageSequence

folder, docs = sys.argv[1], sys.argv[2]
shutil.copyfile(f"{folder}/pump.gif", f"{docs}/animation.gif")
rows = [[f.convert("RGB") for f in ImageSequence.Iterator(Image.open(f"{folder}/{name}.gif"))]
        for name in ("pump", "hop", "shake")]
gap = 4
width = max(sum(f.width + gap for f in row) for row in rows)
height = sum(row[0].height + gap for row in rows)
sheet = Image.new("RGB", (width, height), (160, 160, 160))
y = 0
for row in rows:
    x = 0
    for frame in row:
        sheet.paste(frame, (x, y))
        x += frame.width + gap
    y += row[0].height + gap
sheet.save(f"{docs}/animation-frames.png", optimize=True)
print(f"wrote {docs}/animation.gif and {docs}/animation-frames.png: {sheet.width} x {sheet.height}")

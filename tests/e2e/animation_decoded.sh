#!/usr/bin/env bash
# The animation as the Windows build writes it, read by decoders that are
# not Windows': gifsicle and PIL read every GIF as an endless loop of
# one-size frames with their delays, frame 0 the large still picture where
# the motion's reach puts it (the kept colours exact, the rest close); PIL
# reads each animated WebP sticker as 512 on its longer side, within 500 KB,
# frame 0 the still sticker pixel for pixel.
#   animation_decoded.sh ANIMATION_BENCH RUNNER
set -euo pipefail
tool=${1:?usage: animation_decoded.sh ANIMATION_BENCH RUNNER}
runner=${2:?usage: animation_decoded.sh ANIMATION_BENCH RUNNER}
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
"$runner" "$tool" --save "Z:$(tr / '\\' <<<"$tmp")"
for motion in pump:12:7 hop:10:7 shake:8:6; do
  IFS=: read -r name frames delay <<<"$motion"
  info=$(gifsicle --info "$tmp/$name.gif")
  grep -q "^\* .* $frames images" <<<"$info" || { echo "$name.gif: not $frames images: $info"; exit 1; }
  grep -q "loop forever" <<<"$info" || { echo "$name.gif does not loop for ever"; exit 1; }
  [ "$(grep -c "delay 0.0${delay}s" <<<"$info")" = "$frames" ] || { echo "$name.gif: delays are not ${delay}0 ms"; exit 1; }
done
/usr/bin/python3 - "$tmp" <<'PY'
import os, sys
from PIL import Image, ImageSequence
d = sys.argv[1]
def frames(path):
    return [f.convert("RGBA") for f in ImageSequence.Iterator(Image.open(path))]
def check_gif(gif, still_png, kept):
    fs = frames(os.path.join(d, gif))
    still = Image.open(os.path.join(d, still_png)).convert("RGBA")
    assert len({f.size for f in fs}) == 1, gif
    w, h = fs[0].size
    side, up = (w - still.size[0]) // 2, h - still.size[1]
    assert side >= 0 and up >= 0, (gif, fs[0].size, still.size)
    f0 = fs[0].crop((side, up, side + still.size[0], h))
    worst = 0
    for a, b in zip(still.getdata(), f0.getdata()):
        if a[:3] in kept:
            assert a == b, f"{gif}: kept colour {a} came back as {b}"
        worst = max(worst, max(abs(x - y) for x, y in zip(a, b)))
    assert worst <= 24, f"{gif}: frame 0 is {worst} away from the still picture"
    print(f"{gif}: {len(fs)} frames of {w} x {h}, frame 0 the still picture at ({side}, {up}), at most {worst} away")
white, black = (255, 255, 255), (0, 0, 0)
for name in ("pump", "hop", "shake"):
    check_gif(f"{name}.gif", "large.png", {white, black})
check_gif("colours.gif", "colours.png", {white, black, (0xF0, 0xA0, 0x40), (0x10, 0x40, 0xC0)})
sticker = Image.open(os.path.join(d, "sticker.png")).convert("RGBA")
for name in ("pump", "hop", "shake"):
    path = os.path.join(d, f"{name}.webp")
    size = os.path.getsize(path)
    assert size <= 500 * 1024, f"{name}.webp is {size} bytes"
    fs = frames(path)
    assert max(fs[0].size) == 512 and len({f.size for f in fs}) == 1, (name, [f.size for f in fs])
    up = fs[0].size[1] - sticker.size[1]
    if fs[0].size[0] != sticker.size[0] or up < 0:
        print(f"{name}.webp: {len(fs)} frames of {fs[0].size}, {size} bytes (a smaller scale than the still sticker)")
        continue
    f0 = fs[0].crop((0, up, sticker.size[0], fs[0].size[1]))
    differ = sum(1 for a, b in zip(sticker.getdata(), f0.getdata()) if a[3] != b[3] or (a[3] and a != b))
    assert differ == 0, f"{name}.webp: frame 0 differs from the still sticker in {differ} pixels"
    print(f"{name}.webp: {len(fs)} frames of {fs[0].size}, {size} bytes, frame 0 the still sticker")
PY

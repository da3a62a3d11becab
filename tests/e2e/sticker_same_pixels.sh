#!/usr/bin/env bash
# The sticker as the Windows build writes it: its WebP, decoded by Debian's
# dwebp, is pixel for pixel its PNG as PIL reads it (colour wherever any of
# it shows, and alpha everywhere), 512 on its longer side, RGBA.
#   sticker_same_pixels.sh STICKER_BENCH RUNNER
set -euo pipefail
tool=${1:?usage: sticker_same_pixels.sh STICKER_BENCH RUNNER}
runner=${2:?usage: sticker_same_pixels.sh STICKER_BENCH RUNNER}
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
"$runner" "$tool" --save "Z:$(tr / '\\' <<<"$tmp")"
dwebp -quiet "$tmp/sticker.webp" -o "$tmp/from-webp.png"
/usr/bin/python3 - "$tmp/sticker.png" "$tmp/from-webp.png" <<'PY'
import sys
from PIL import Image
png, webp = Image.open(sys.argv[1]), Image.open(sys.argv[2]).convert("RGBA")
assert png.mode == "RGBA", png.mode
assert max(png.size) == 512 and min(png.size) <= 512, png.size
assert png.size == webp.size, (png.size, webp.size)
differ = sum(1 for a, b in zip(png.getdata(), webp.getdata()) if a[3] != b[3] or (a[3] and a != b))
assert differ == 0, f"{differ} pixels differ"
print(f"sticker {png.size[0]} x {png.size[1]}: the WebP decodes to the PNG's pixels")
PY

#!/usr/bin/env bash
# The program's PNG encoder, run under Wine, writes files that Debian's PIL
# reads back to exactly the pixels of the picture: 8-bit RGB, no alpha, and
# no chunk (gamma, chromaticities, ICC profile, sRGB, resolution) that could
# change how a viewer shows them.
#   png_same_pixels.sh TOOL RUNNER
set -euo pipefail
tool=${1:?usage: png_same_pixels.sh TOOL RUNNER}
runner=${2:?usage: png_same_pixels.sh TOOL RUNNER}
python=/usr/bin/python3
"$python" -c 'import PIL' 2>/dev/null || { echo "Debian's python3-pil is missing"; exit 1; }
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
winpath() { echo "Z:$(tr / '\\' <<<"$1")"; }
for size in "1 1" "2 3" "101 61" "100 61" "257 9" "371 120"; do
  set -- $size
  name="$tmp/p$1x$2"
  # Pixels from a fixed seed: noise in every channel, different per channel.
  "$python" - "$1" "$2" "$name.ppm" <<'PY'
import random, sys
w, h, path = int(sys.argv[1]), int(sys.argv[2]), sys.argv[3]
rng = random.Random(w * 1000 + h)
with open(path, "wb") as f:
    f.write(b"P6\n%d %d\n255\n" % (w, h) + bytes(rng.randrange(256) for _ in range(w * h * 3)))
PY
  "$runner" "$tool" png "$(winpath "$name.ppm")" "$(winpath "$name.png")"
  "$python" - "$name.ppm" "$name.png" <<'PY'
import struct, sys
from PIL import Image
ppm, png = sys.argv[1], sys.argv[2]
data = open(png, "rb").read()
assert data[:8] == b"\x89PNG\r\n\x1a\n", "no PNG signature"
chunks, at = [], 8
while at < len(data):
    length, = struct.unpack(">I", data[at:at + 4])
    chunks.append(data[at + 4:at + 8].decode("latin-1"))
    at += length + 12
assert chunks[0] == "IHDR" and chunks[-1] == "IEND" and set(chunks[1:-1]) == {"IDAT"}, chunks
reference = Image.open(ppm)
image = Image.open(png)
assert image.mode == "RGB", image.mode
colour_info = {"gamma", "icc_profile", "srgb", "chromaticity", "dpi", "transparency"} & set(image.info)
assert not colour_info, colour_info
assert image.size == reference.size, (image.size, reference.size)
assert image.tobytes() == reference.convert("RGB").tobytes(), "pixels differ"
print("%dx%d: %d bytes, %s, same pixels" % (image.size + (len(data), " ".join(chunks))))
PY
done

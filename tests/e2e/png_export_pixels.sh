#!/usr/bin/env bash
# A PNG written by the real program through its save dialog, read back by
# Debian's PIL (a decoder that is not the program's), holds exactly the
# crop of the scene the screen showed: 8-bit RGB, same size, same pixels.
#   png_export_pixels.sh E2E_TESTS RUNNER
set -euo pipefail
tests=${1:?usage: png_export_pixels.sh E2E_TESTS RUNNER}
runner=${2:?usage: png_export_pixels.sh E2E_TESTS RUNNER}
folder="$(dirname "$tests")/png-export"
rm -rf "$folder"
"$runner" "$tests" --gtest_filter='PlacardOutE2e.CtrlSOpensTheSaveDialogAndItsPngTypeWritesTheCropOnScreen' | tr -d '\r' | tail -n 3
/usr/bin/python3 - "$folder/screen-crop.ppm" "$folder/举牌.png" <<'PY'
import sys
from PIL import Image
expected, written = Image.open(sys.argv[1]), Image.open(sys.argv[2])
assert written.format == "PNG", written.format
assert written.mode == "RGB", "mode %s" % written.mode
assert written.size == expected.size, "size %s, the screen's crop %s" % (written.size, expected.size)
assert not written.info.get("transparency"), "a transparent colour"
diff = sum(a != b for a, b in zip(written.getdata(), expected.getdata()))
assert diff == 0, "%d pixels differ from the screen" % diff
print("PNG %dx%d RGB: every pixel as on screen" % written.size)
PY

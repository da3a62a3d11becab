#!/usr/bin/env bash
# The program's JPEG encoder gives, byte for byte, what Debian's cjpeg gives
# with the same settings for the same pixels. Run with the native tool, or with
# the Windows tool and the Wine runner, so both builds are held to one answer.
#   jpeg_same_bytes.sh TOOL [RUNNER]
set -euo pipefail
tool=${1:?usage: jpeg_same_bytes.sh TOOL [RUNNER]}
runner=${2:-}
command -v cjpeg >/dev/null || { echo "cjpeg is missing (package libjpeg-turbo-progs)"; exit 1; }
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
# Paths as the tool sees them: Wine maps the Unix root to drive Z:.
tool_path() { if [ -n "$runner" ]; then echo "Z:$(tr / '\\' <<<"$1")"; else echo "$1"; fi; }
run_tool() { if [ -n "$runner" ]; then "$runner" "$tool" "$@"; else "$tool" "$@"; fi; }
for size in "101 61 1" "1 1 2" "371 120 3" "16 16 4" "257 9 5"; do
  set -- $size
  name="$tmp/p$1x$2"
  run_tool picture "$1" "$2" "$3" "$(tool_path "$name.ppm")"
  cjpeg -quality 90 -baseline -dct float -outfile "$name.ref.jpg" "$name.ppm"
  run_tool encode "$(tool_path "$name.ppm")" "$(tool_path "$name.jpg")"
  cmp "$name.ref.jpg" "$name.jpg"
  echo "$1x$2: $(stat -c %s "$name.jpg") bytes, same as cjpeg"
done

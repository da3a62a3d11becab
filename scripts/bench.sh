#!/usr/bin/env bash
# Benchmarks, printed as figures (nothing here passes or fails):
#   start-up: median milliseconds from process start to the visible main
#   window, for plakato.exe and for a minimal window program built by the same
#   toolchain, under the same Wine (server kept running) and Xvfb; their ratio;
#   the size of plakato.exe; start-up at 192 dpi against 96 dpi;
#   scene: median time of one redraw of the placard scene (DrawPlacard and the
#   repaint of the picture) for every face, and by display dpi;
#   md2: throughput of the program's MD2 and of GNU Nettle's on the same bytes
#   (native, optimised, no sanitizers), and their ratio;
#   digest: the file digest of a 64 MiB file against the in-memory digest of
#   the same bytes under Wine, and the peak working set by file size;
#   face index: the messenger index update (read, load, patch, safe save) of
#   indexes of 6,250 to 100,000 entries against a plain file copy, natively,
#   with its peak memory by file size;
#   export: the export to a file (click to closed file) and the messenger
#   export (click to status text) with indexes of 1,000 and 100,000 entries,
#   under Wine, the latter against copies of the index file;
#   drag: what a drag out of the window prepares before it starts (the JPEG
#   file in the drag folder, the bitmap, the PNG) against the export's file
#   write alone, under Wine;
#   preview: the save dialog's preview of crafted and large pictures (tiny
#   files claiming huge sizes among them): time and peak memory, natively and
#   under Wine;
#   codecs: encode time and file size of a 512 x 512 still WebP with alpha,
#   a 12-frame 200 x 130 GIF (few colours, and over 256 colours), and a
#   12-frame 512 x 512 animated WebP, on synthetic placard-like pictures,
#   natively (optimised, no sanitizers) and under Wine;
#   mutation check: the slips of scripts/mutations.txt killed and survived by
#   the native core tests, per slip, per file and in total (takes minutes);
#   coverage: the share of branches of the platform-free core the native
#   tests take, per file.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
runs=${RUNS:-21}

bash scripts/setup-deps.sh >/dev/null
cmake --preset mingw >/dev/null
cmake --build --preset mingw --target plakato plakato_driver_cli minimal_window scene_bench digest_bench export_bench drag_bench png_bench preview_bench codec_bench sticker_bench animation_bench >/dev/null
# The native benchmarks need an optimised build without the test build's sanitizers.
cmake -S . -B build/native-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DPLAKATO_SANITIZE=OFF >/dev/null
cmake --build build/native-bench --target md2_bench face_index_bench preview_bench codec_bench >/dev/null

export PLAKATO_WINEPREFIX=$root/build/mingw/wineprefix
source scripts/xvfb.sh
start_xvfb
scripts/wine-prefix.sh "$PLAKATO_WINEPREFIX"
export WINEPREFIX=$PLAKATO_WINEPREFIX WINEDEBUG=-all
wineserver -p  # keep the server alive so every run starts alike

windows_path() { echo "Z:$(realpath -m "$1" | tr / '\\')"; }
driver=build/mingw/bin/plakato-driver.exe
once() {  # exe caption -> milliseconds to the visible window, one run
  build/mingw/wine-run.sh "$driver" time-start "$(windows_path "$1")" "$2" 1 > "$tmp/out" 2>&1
  tr -d '\r' < "$tmp/out" | awk '/^median_ms:/ {print $2}'
}
median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"; stop_wine; kill "$_xvfb_pid" 2>/dev/null || true' EXIT
once build/mingw/bin/plakato.exe "Plakato - " >/dev/null  # warm-up
once build/mingw/bin/minimal_window.exe "Minimal window" >/dev/null
# Runs alternate between the two programs so that drift in the machine's
# load falls on both alike.
for _ in $(seq "$runs"); do
  once build/mingw/bin/plakato.exe "Plakato - " >> "$tmp/plakato"
  once build/mingw/bin/minimal_window.exe "Minimal window" >> "$tmp/minimal"
done
plakato=$(median < "$tmp/plakato")
minimal=$(median < "$tmp/minimal")
# The same start-up on a 192-dpi display (a prefix of that system DPI)
# against 96 dpi, alternating.
PLAKATO_WINE_DPI=192 once build/mingw/bin/plakato.exe "Plakato - " >/dev/null  # warm-up
for _ in $(seq "$runs"); do
  once build/mingw/bin/plakato.exe "Plakato - " >> "$tmp/at96"
  PLAKATO_WINE_DPI=192 once build/mingw/bin/plakato.exe "Plakato - " >> "$tmp/at192"
done
at96=$(median < "$tmp/at96")
at192=$(median < "$tmp/at192")
size=$(stat -c %s build/mingw/bin/plakato.exe)
echo "start-to-visible median over $runs alternating runs: plakato.exe ${plakato} ms, minimal window ${minimal} ms"
awk -v a="$plakato" -v b="$minimal" 'BEGIN { printf "start-up ratio plakato/minimal: %.2f\n", a / b }'
awk -v s="$size" 'BEGIN { printf "plakato.exe size: %d bytes (%.2f MiB)\n", s, s / 1048576 }'
echo "start-to-visible median over $runs alternating runs: 96 dpi ${at96} ms, 192 dpi ${at192} ms"
awk -v a="$at192" -v b="$at96" 'BEGIN { printf "start-up ratio 192/96 dpi: %.2f\n", a / b }'
build/mingw/wine-run.sh build/mingw/bin/scene_bench.exe | tr -d '\r'
build/native-bench/bin/md2_bench "${MD2_RUNS:-7}"
build/mingw/wine-run.sh build/mingw/bin/digest_bench.exe "${DIGEST_RUNS:-5}" | tr -d '\r'
build/native-bench/bin/face_index_bench build/native-bench
build/mingw/wine-run.sh build/mingw/bin/export_bench.exe | tr -d '\r'
build/mingw/wine-run.sh build/mingw/bin/drag_bench.exe | tr -d '\r'
build/mingw/wine-run.sh build/mingw/bin/sticker_bench.exe | tr -d '\r'
build/mingw/wine-run.sh build/mingw/bin/animation_bench.exe | tr -d '\r'
build/mingw/wine-run.sh build/mingw/bin/png_bench.exe | tr -d '\r'
echo "save dialog preview, native:"
build/native-bench/bin/preview_bench
echo "save dialog preview, under Wine:"
build/mingw/wine-run.sh build/mingw/bin/preview_bench.exe | tr -d '\r'
echo "sticker and animation encoders, native:"
build/native-bench/bin/codec_bench
echo "sticker and animation encoders, under Wine:"
build/mingw/wine-run.sh build/mingw/bin/codec_bench.exe | tr -d '\r'
echo "mutation check of the platform-free core (scripts/mutate.py):"
/usr/bin/python3 scripts/mutate.py
echo "branch coverage of the platform-free core (scripts/coverage.sh):"
bash scripts/coverage.sh

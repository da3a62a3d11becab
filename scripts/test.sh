#!/usr/bin/env bash
# Runs every test of Plakato on a Debian 12 machine, doing all set-up first:
# Debian packages, libjpeg-turbo for mingw, both builds, a Wine prefix and an
# X server for the window tests.
#   layers  every include keeps to the source folders' layer order
#   core  natively on Linux (sanitizers on), and again as a Windows program under Wine
#   fuzz  the face index patch under libFuzzer for a short while
#   win   the window in-process under Wine
#   e2e   the real plakato.exe under Wine and Xvfb, driven from outside
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

echo "[test] include layers"
bash scripts/check-layers.sh

bash scripts/setup-deps.sh

echo "[test] native build and core tests"
cmake --preset native >/dev/null
cmake --build --preset native
ctest --preset native

echo "[test] face index fuzzer (clang, libFuzzer), a short run"
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz
mkdir -p build/fuzz/corpus
# New inputs go to the build folder; a crash leaves its input there and fails the script.
# The progress lines go to a log; the console gets the final figures, or the
# log's end when the fuzzer fails.
fuzz_log=build/fuzz/fuzz.log
if build/fuzz/bin/face_index_fuzz -max_total_time=20 -max_len=16384 -rss_limit_mb=2048 -print_final_stats=1 \
  -artifact_prefix=build/fuzz/ build/fuzz/corpus tests/fuzz/corpus > "$fuzz_log" 2>&1; then
  grep -E '^(stat::|Done )' "$fuzz_log"
else
  status=$?
  echo "[test] the fuzzer failed (exit $status); the end of $fuzz_log:" >&2
  tail -n 100 "$fuzz_log" >&2
  exit "$status"
fi

echo "[test] Windows build"
cmake --preset mingw >/dev/null
cmake --build --preset mingw

# The window tests need an X display; give them a private one.
export PLAKATO_WINEPREFIX=$root/build/mingw/wineprefix
source scripts/xvfb.sh
start_xvfb

# Wine's server and the helper processes it starts stay up for the whole run,
# started here with their output away from ctest: started by a test, they
# would hold its output pipe open and ctest would wait seconds for each test
# until they exit.
bash scripts/wine-prefix.sh "$PLAKATO_WINEPREFIX"
WINEPREFIX="$PLAKATO_WINEPREFIX" wineserver -p </dev/null >/dev/null 2>&1 || true  # "already running" is fine
build/mingw/wine-run.sh wineboot </dev/null >/dev/null 2>&1

echo "[test] Windows tests under Wine (display $DISPLAY)"
status=0
# A test that fails is run once more: now and then a Wine program ends at
# start-up without running (no output, under a tenth of a second), which is
# Wine's and not the test's; a test that really fails fails twice.
ctest --preset mingw --repeat until-pass:2 || status=$?
stop_wine
exit "$status"

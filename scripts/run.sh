#!/usr/bin/env bash
# Builds plakato.exe (doing all set-up on a fresh Debian 12 machine) and runs
# it under Wine. With a display ($DISPLAY) the window opens there and the
# command returns when it is closed. Without one, the program runs under a
# private Xvfb: a screenshot is saved to build/screenshot.png and the window
# is closed again.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

bash scripts/setup-deps.sh
cmake --preset mingw >/dev/null
cmake --build --preset mingw --target plakato plakato_driver_cli

wine_run=build/mingw/wine-run.sh
exe=build/mingw/bin/plakato.exe
if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  echo "[run] starting plakato.exe on $DISPLAY"
  exec "$wine_run" "$exe"
fi

export PLAKATO_WINEPREFIX=$root/build/mingw/wineprefix
source scripts/xvfb.sh
start_xvfb
echo "[run] no display: running under Xvfb and saving a screenshot"
windows_path() { echo "Z:$(realpath -m "$1" | tr / '\\')"; }
"$wine_run" build/mingw/bin/plakato-driver.exe screenshot "$(windows_path "$exe")" "Plakato - " \
  "$(windows_path build/screenshot.bmp)"
convert build/screenshot.bmp build/screenshot.png
rm -f build/screenshot.bmp
echo "[run] screenshot saved to build/screenshot.png"

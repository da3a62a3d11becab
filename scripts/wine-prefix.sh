#!/usr/bin/env bash
# Makes the Wine prefix the tests and the run command use, once: a fresh
# prefix with the font replacements that give the window its designed size
# ("宋体" measures 12 pixels, "隶书" has a face). Several callers may race
# for it; the first makes it, the others wait.
set -euo pipefail
prefix=${1:?usage: wine-prefix.sh PREFIX [DPI]}
dpi=${2:-}

# With a DPI other than 96: a copy of the prefix (PREFIX-dpiDPI) whose system
# DPI is DPI, made once. Each DPI keeps a prefix of its own, since Wine
# makes a prefix's font and metric caches for its DPI.
if [ -n "$dpi" ] && [ "$dpi" != 96 ]; then
  base=$prefix
  prefix=$base-dpi$dpi
  [ -f "$prefix/.plakato-ready-v3" ] && exit 0
  "$0" "$base"
  exec 9>"$prefix.lock"
  flock 9
  [ -f "$prefix/.plakato-ready-v3" ] && exit 0
  echo "[wine] making the $dpi-dpi prefix $prefix" >&2
  rm -rf "$prefix"
  cp -a "$base" "$prefix"
  rm -f "$prefix/.plakato-ready-v3"
  export WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  wine=/usr/lib/wine/wine64
  [ -x "$wine" ] || wine=wine
  for key in 'HKCU\Control Panel\Desktop' 'HKLM\System\CurrentControlSet\Hardware Profiles\Current\Software\Fonts'; do
    "$wine" reg add "$key" /v LogPixels /t REG_DWORD /d "$dpi" /f </dev/null >/dev/null 2>&1
  done
  wineserver -k 2>/dev/null || true
  wineserver -w
  touch "$prefix/.plakato-ready-v3"
  exit 0
fi

[ -f "$prefix/.plakato-ready-v3" ] && exit 0
mkdir -p "$(dirname "$prefix")"
exec 9>"$prefix.lock"
flock 9
[ -f "$prefix/.plakato-ready-v3" ] && exit 0

export WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
for font in /usr/share/fonts/truetype/arphic-gbsn00lp/gbsn00lp.ttf /usr/share/fonts/truetype/arphic-gkai00mp/gkai00mp.ttf \
  /usr/share/wine/fonts/tahoma.ttf /usr/share/wine/fonts/tahomabd.ttf; do
  [ -f "$font" ] || { echo "[wine] missing font $font: run scripts/setup-deps.sh" >&2; exit 1; }
done

echo "[wine] making a fresh Wine prefix in $prefix" >&2
rm -rf "$prefix"
wineboot -i </dev/null >/dev/null 2>&1

reg=$(mktemp --suffix=.reg)
trap 'rm -f "$reg"' EXIT
cat <<'REG' | iconv -f UTF-8 -t UTF-16LE | { printf '\xff\xfe'; cat; } > "$reg"
Windows Registry Editor Version 5.00

[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]
"宋体"="AR PL SungtiL GB"
"SimSun"="AR PL SungtiL GB"
"新宋体"="AR PL SungtiL GB"
"NSimSun"="AR PL SungtiL GB"
"隶书"="AR PL KaitiM GB"
"LiSu"="AR PL KaitiM GB"
REG
# Wine's own Tahoma ("MS Shell Dlg 2", the logo letter) is installed by
# fonts-wine where Debian's Wine does not look; the prefix gets a copy.
cp /usr/share/wine/fonts/tahoma.ttf /usr/share/wine/fonts/tahomabd.ttf "$prefix/drive_c/windows/Fonts/"
# Chinese text in the sign's default font (Tahoma, made bold) takes its
# glyphs from a linked Song face, as Chinese Windows links Tahoma to SimSun.
cp /usr/share/fonts/truetype/arphic-gbsn00lp/gbsn00lp.ttf "$prefix/drive_c/windows/Fonts/"
wine=/usr/lib/wine/wine64
[ -x "$wine" ] || wine=wine
"$wine" regedit /S "$(winepath -w "$reg" 2>/dev/null)" </dev/null >/dev/null 2>&1
for face in Tahoma "Tahoma Bold" "Microsoft Sans Serif" "MS Sans Serif"; do
  "$wine" reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink' /v "$face" \
    /t REG_MULTI_SZ /d "gbsn00lp.ttf" /f </dev/null >/dev/null 2>&1
done
wineserver -w
touch "$prefix/.plakato-ready-v3"
echo "[wine] prefix ready" >&2

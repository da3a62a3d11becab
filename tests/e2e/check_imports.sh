#!/usr/bin/env bash
# plakato.exe is one self-contained file: it may import only DLLs that every
# Windows has, never a compiler runtime (libstdc++, libgcc, winpthread) or libjpeg.
set -euo pipefail
exe=${1:?usage: check_imports.sh plakato.exe}
allowed='^(kernel32|user32|gdi32|comctl32|comdlg32|advapi32|shell32|ole32|oleaut32|msvcrt|api-ms-win-[a-z0-9-]+)\.dll$'
imports=$(x86_64-w64-mingw32-objdump -p "$exe" | awk '/DLL Name:/ {print tolower($3)}')
[ -n "$imports" ] || { echo "no imports found in $exe"; exit 1; }
bad=$(grep -v -E "$allowed" <<<"$imports" || true)
echo "imports: $(tr '\n' ' ' <<<"$imports")"
if [ -n "$bad" ]; then
  echo "not a system DLL: $bad"
  exit 1
fi

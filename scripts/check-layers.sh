#!/usr/bin/env bash
# Checks the include rules of the source folders, which are layers in the
# order base < scene < export < messenger < app:
#   a file includes project headers only from its own folder or a lower one;
#   a platform-free file (its name not ending in _win.cpp or _win.h) includes
#   neither <windows.h> nor any *_win.h header.
# Prints each offending "file: include" and fails when there is one.
# Usage: check-layers.sh [ROOT]  (ROOT holds src/; the project by default)
set -euo pipefail
root=${1:-$(cd "$(dirname "$0")/.." && pwd)}
src=$(cd "$root/src" && pwd)
declare -A rank=([base]=0 [scene]=1 [export]=2 [messenger]=3 [app]=4)

normal() {  # sets target to the path under src/ without "." or ".." parts
  case /$1/ in
    */./* | */../*) target=$(realpath -m --relative-to="$src" "$src/$1") ;;
    *) target=$1 ;;
  esac
}

offences=0
offend() {  # file include reason
  echo "$1: $2 ($3)"
  offences=$((offences + 1))
}

while IFS= read -r -d '' file; do
  rel=${file#"$src/"}
  dir=.
  [[ $rel == */* ]] && dir=${rel%/*}
  layer=${rel%%/*}
  own=${rank[$layer]:--1}
  name=${rel##*/}
  platform_free=1
  case $name in *_win.cpp | *_win.h) platform_free=0 ;; esac
  while IFS=$'\t' read -r delimiter path; do
    [ -n "$path" ] || continue
    closing='"'
    [ "$delimiter" = '<' ] && closing='>'
    shown="$delimiter$path$closing"
    base=${path##*/}
    if [ "$platform_free" = 1 ]; then
      if [ "${base,,}" = windows.h ]; then
        offend "src/$rel" "$shown" "a platform-free file includes the Windows API"
      elif [[ $base == *_win.h ]]; then
        offend "src/$rel" "$shown" "a platform-free file includes a Win32 header"
      fi
    fi
    # A quoted name is looked for beside the file first, then from src/, as
    # the compiler does; a name that lands in no layer folder is not ours.
    if [ "$delimiter" = '"' ] && [ -f "$src/$dir/$path" ]; then
      normal "$dir/$path"
    else
      normal "$path"
    fi
    [[ $target == */* ]] || continue
    included=${rank[${target%%/*}]:--1}
    [ "$included" -ge 0 ] || continue
    if [ "$own" -lt 0 ]; then
      offend "src/$rel" "$shown" "the file is in no layer folder"
    elif [ "$included" -gt "$own" ]; then
      offend "src/$rel" "$shown" "${target%%/*} is above $layer"
    fi
  done < <(sed -nE 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*([<"])([^>"]+)[>"].*/\1\t\2/p' "$file")
done < <(find "$src" -type f \( -name '*.h' -o -name '*.hpp' -o -name '*.c' -o -name '*.cpp' -o -name '*.inl' \) \
  -print0 | sort -z)

if [ "$offences" -gt 0 ]; then
  echo "[layers] $offences include(s) break the layer rules" >&2
  exit 1
fi
echo "[layers] every include keeps to the layers"

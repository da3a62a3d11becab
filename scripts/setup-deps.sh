#!/usr/bin/env bash
# Installs everything Plakato needs to build and test on Debian 12, once:
# the Debian packages, and libjpeg-turbo, libwebp and giflib built static for
# mingw-w64 from Debian's own source packages (the same versions as the
# native -dev packages, so both builds encode alike).
# Safe to run again: every step is skipped when its result is already there.
set -euo pipefail
export DEBIAN_FRONTEND=noninteractive

root=$(cd "$(dirname "$0")/.." && pwd)
# Built dependencies live outside build/, so that cleaning the build folder
# does not throw away a library that takes minutes to make; CMakeLists.txt
# looks in the same place.
deps=${PLAKATO_DEPS:-${XDG_CACHE_HOME:-$HOME/.cache}/plakato/deps}

packages=(
  cmake ninja-build g++ dpkg-dev
  g++-mingw-w64-x86-64-posix mingw-w64-tools nasm
  wine wine64 xvfb xauth x11-utils imagemagick locales
  fonts-arphic-gbsn00lp fonts-arphic-gkai00mp fonts-wine
  libjpeg62-turbo-dev libjpeg-turbo-progs
  libwebp-dev libgif-dev webp gifsicle
  googletest libgtest-dev libbenchmark-dev nettle-dev
  python3-pil gcovr
  clang libclang-rt-14-dev
)

say() { echo "[setup] $*"; }

# Changes to the system (packages, apt's sources) need root: sudo when not root.
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo -n"
need_root() {
  if [ -n "$sudo" ] && ! command -v sudo >/dev/null; then
    echo "[setup] $*; run as root, or with sudo available" >&2
    exit 1
  fi
}

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  need_root "missing packages: ${missing[*]}"
  say "installing Debian packages: ${missing[*]}"
  $sudo apt-get update -qq </dev/null
  # With recommends: Wine loads its X11 and graphics libraries only when present.
  $sudo apt-get install -y -qq "${missing[@]}" </dev/null >/dev/null
fi

src_root="$deps/src"
# The folder of Debian's source package $1 (unpacked, with Debian's patches),
# fetched into $src_root once; apt gets a deb-src entry first when it has none.
debian_source() {
  local name=$1
  mkdir -p "$src_root"
  if ! ls -d "$src_root/$name"-*/ >/dev/null 2>&1; then
    if ! grep -rqs '^Types:.*deb-src' /etc/apt/sources.list.d/ && ! grep -qs '^deb-src' /etc/apt/sources.list; then
      need_root "apt has no deb-src entry for Debian's $name source"
      say "adding a deb-src entry so Debian's source packages can be fetched"
      if [ -f /etc/apt/sources.list.d/debian.sources ]; then
        sed 's/^Types:.*/Types: deb-src/' /etc/apt/sources.list.d/debian.sources |
          $sudo tee /etc/apt/sources.list.d/plakato-deb-src.sources >/dev/null
      else
        grep '^deb ' /etc/apt/sources.list | sed 's/^deb /deb-src /' |
          $sudo tee /etc/apt/sources.list.d/plakato-deb-src.list >/dev/null
      fi
      $sudo apt-get update -qq </dev/null
    fi
    say "fetching Debian's $name source" >&2
    (cd "$src_root" && apt-get source -qq "$name" </dev/null >/dev/null)
  fi
  ls -d "$src_root/$name"-*/ | head -n 1
}

# libjpeg-turbo for mingw-w64, built once under $deps and reused.
jpeg_prefix="$deps/libjpeg-turbo-mingw"
if [ ! -f "$jpeg_prefix/lib/libjpeg.a" ]; then
  src=$(debian_source libjpeg-turbo)
  say "building libjpeg-turbo for mingw-w64 from $src"
  cmake -S "$src" -B "$deps/libjpeg-turbo-build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$jpeg_prefix" \
    -DENABLE_SHARED=0 -DENABLE_STATIC=1 -DWITH_TURBOJPEG=0 -DWITH_SIMD=1 \
    -DCMAKE_ASM_NASM_COMPILER=nasm >/dev/null
  cmake --build "$deps/libjpeg-turbo-build" --target install >/dev/null
fi

# libwebp for mingw-w64: the encoder (libwebp) and the animation encoder
# (libwebpmux) that the program links, beside the decoders libwebp's own
# build makes; no tools.
webp_prefix="$deps/libwebp-mingw"
if [ ! -f "$webp_prefix/lib/libwebpmux.a" ]; then
  src=$(debian_source libwebp)
  say "building libwebp for mingw-w64 from $src"
  cmake -S "$src" -B "$deps/libwebp-build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$webp_prefix" \
    -DBUILD_SHARED_LIBS=OFF -DWEBP_BUILD_ANIM_UTILS=OFF -DWEBP_BUILD_CWEBP=OFF \
    -DWEBP_BUILD_DWEBP=OFF -DWEBP_BUILD_GIF2WEBP=OFF -DWEBP_BUILD_IMG2WEBP=OFF \
    -DWEBP_BUILD_VWEBP=OFF -DWEBP_BUILD_WEBPINFO=OFF -DWEBP_BUILD_WEBPMUX=OFF \
    -DWEBP_BUILD_EXTRAS=OFF -DWEBP_BUILD_LIBWEBPMUX=ON >/dev/null
  cmake --build "$deps/libwebp-build" --target install >/dev/null
fi

# giflib for mingw-w64: its library's C files compiled and archived
# directly, as its own Makefile does (which builds for the host only).
gif_prefix="$deps/giflib-mingw"
if [ ! -f "$gif_prefix/lib/libgif.a" ]; then
  src=$(debian_source giflib)
  say "building giflib for mingw-w64 from $src"
  obj="$deps/giflib-build"
  rm -rf "$obj"
  mkdir -p "$obj" "$gif_prefix/lib" "$gif_prefix/include"
  for c in dgif_lib egif_lib gifalloc gif_err gif_font gif_hash openbsd-reallocarray; do
    x86_64-w64-mingw32-gcc-posix -O2 -ffunction-sections -fdata-sections -c "$src/$c.c" -o "$obj/$c.o"
  done
  x86_64-w64-mingw32-ar rcs "$obj/libgif.a" "$obj"/*.o
  cp "$src/gif_lib.h" "$gif_prefix/include/"
  cp "$obj/libgif.a" "$gif_prefix/lib/libgif.a"
fi
say "dependencies ready"

#!/usr/bin/env bash
# Fetches zlib (for minizip) and libpng from Debian's source packages and builds
# them as static libraries for both flavours into build/deps/<flavour>.
# Idempotent: a flavour whose stamp exists is skipped.
set -euo pipefail
top=$(cd "$(dirname "$0")/../.." && pwd)
deps=$top/build/deps
src=$deps/src
mkdir -p "$src"

fetch() { # package name, folder glob
  local pkg=$1 glob=$2
  compgen -G "$src/$glob" >/dev/null && return
  echo "deps: fetching the source of $pkg" >&2
  # The security archive does not always carry the sources; the release suite does.
  (cd "$src" && { apt-get source -qq "$pkg" >/dev/null 2>&1 ||
                  apt-get source -qq "$pkg/$(. /etc/os-release && echo "$VERSION_CODENAME")" >/dev/null; })
}
fetch zlib 'zlib-*/contrib/minizip/unzip.c'
fetch libpng1.6 'libpng1.6-*/png.c'
zsrc=$(dirname "$(dirname "$(compgen -G "$src/zlib-*/contrib/minizip/unzip.c" | head -n1)")")
zsrc=$(dirname "$zsrc")
psrc=$(dirname "$(compgen -G "$src/libpng1.6-*/png.c" | head -n1)")

for flavour in x86 x64; do
  stamp=$deps/$flavour/.built
  [ -f "$stamp" ] && continue
  echo "deps: building minizip and libpng for $flavour" >&2
  cmake -S "$top/cmake/deps" -B "$deps/build-$flavour" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$top/cmake/toolchain-$flavour.cmake" \
    -DCMAKE_INSTALL_PREFIX="$deps/$flavour" -DZLIB_SRC="$zsrc" -DPNG_SRC="$psrc" >/dev/null
  cmake --build "$deps/build-$flavour" -j"$(nproc)" >/dev/null
  cmake --install "$deps/build-$flavour" >/dev/null
  touch "$stamp"
done

#!/usr/bin/env bash
# package.sh [BUILD_DIR] — makes the Debian package quillmere_<version>_amd64.deb and prints
# its path last. Without an argument it installs what is missing and builds Release into
# build-package/; with one it packages that already configured build tree as it is.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
if [ $# -eq 0 ]; then
  dir=$top/build-package
  "$top/scripts/install-deps.sh"
  "$top/scripts/build.sh" build-package Release -DQUILLMERE_TESTS=OFF -DQUILLMERE_BENCH=OFF
else
  dir=$(cd "$1" && pwd)
  cmake --build "$dir" -j"$(nproc)" --target quillmere quillmere_packaging_files
fi
cd "$dir"
rm -f quillmere_*.deb
cpack -G DEB >&2
ls "$dir"/quillmere_*_*.deb

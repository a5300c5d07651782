#!/usr/bin/env bash
# Installs what is missing, builds everything with the tests (into build-tests/) and
# runs every test through CTest. Extra arguments go to ctest (e.g. -R Folder).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/install-deps.sh"
"$top/scripts/build.sh" build-tests RelWithDebInfo -DQUILLMERE_TESTS=ON
cd "$top/build-tests"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$(nproc)" "$@"

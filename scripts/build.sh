#!/usr/bin/env bash
# build.sh BUILD_DIR BUILD_TYPE [CMAKE_ARGS…] — configures and builds with every core.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
dir=${1:?usage: build.sh BUILD_DIR BUILD_TYPE [CMAKE_ARGS…]}
type=${2:?usage: build.sh BUILD_DIR BUILD_TYPE [CMAKE_ARGS…]}
shift 2
cmake -S "$top" -B "$top/$dir" -DCMAKE_BUILD_TYPE="$type" "$@"
cmake --build "$top/$dir" -j"$(nproc)"

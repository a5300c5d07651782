#!/usr/bin/env bash
# bench/run.sh NAME [ARGS…] — builds what the benchmark needs (Release, build-bench/)
# and runs bench/NAME.sh, which ends with one key=value line per figure.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
top=$(cd "$here/.." && pwd)
name=${1:?usage: bench/run.sh NAME [ARGS…]}
shift
script="$here/$name.sh"
[ -f "$script" ] || { echo "no benchmark named $name (expected $script)" >&2; exit 2; }
export QUILLMERE_TOP="$top"
export QUILLMERE_BENCH_BUILD="$top/build-bench"
cmake -S "$top" -B "$QUILLMERE_BENCH_BUILD" -DCMAKE_BUILD_TYPE=Release -DQUILLMERE_TESTS=OFF >/dev/null
cmake --build "$QUILLMERE_BENCH_BUILD" -j"$(nproc)" >/dev/null
export QT_QPA_PLATFORM=offscreen
exec bash "$script" "$@"

#!/usr/bin/env bash
# Fuzzes the table-text reader and writer with libFuzzer for a fixed time (default 60 s);
# fails on a crash, a sanitizer finding or a broken round trip.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
seconds=${FUZZ_SECONDS:-60}
out=${FUZZ_BUILD:-$top/build-fuzz}
mkdir -p "$out/corpus"
cxx=$(command -v clang++ || command -v clang++-14)
sources=(
  "$top/src/exchange/CaptureListText.cpp"
  "$top/src/exchange/ScratchGrid.cpp"
  "$top/src/exchange/TableTextParser.cpp"
  "$top/src/exchange/TableTextWriter.cpp"
  "$top/tests/exchange/TableTextFuzzer.cpp"
)
# shellcheck disable=SC2046
"$cxx" -std=c++20 -g -O1 -fPIC -DQT_NO_KEYWORDS -fsanitize=fuzzer,address,undefined \
  -fno-sanitize-recover=undefined -I"$top/src" $(pkg-config --cflags Qt6Core) \
  "${sources[@]}" $(pkg-config --libs Qt6Core) -o "$out/table_text_fuzzer"
printf '序号\t图片名全称\t图片类别\t图片说明\r\n1\t/home/u/My Photos/a.jpg\t假日\t海边\r\n' \
  >"$out/corpus/spreadsheet.txt"
printf 'a\tb\nc\t\n\n\td' >"$out/corpus/lf.txt"
cd "$out"
ASAN_OPTIONS=detect_leaks=0 ./table_text_fuzzer -max_total_time="$seconds" -max_len=4096 \
  -rss_limit_mb=2048 -print_final_stats=1 corpus

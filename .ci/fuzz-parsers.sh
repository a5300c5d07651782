#!/usr/bin/env bash
# Fuzzes every parser of the program's own with libFuzzer under AddressSanitizer and
# UndefinedBehaviorSanitizer: each target for FUZZ_SECONDS (default 30), FUZZ_JOBS at a
# time (default: the cores), from seeds made at run time. Any crash, sanitizer finding,
# broken promise of a target, leak, slow input (-timeout) or memory beyond -rss_limit_mb
# fails the run. Prints one line per target with its runs and coverage. The corpora grow
# in build-fuzz/corpus, which is not committed; a failing input is kept in
# build-fuzz/artifacts.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
seconds=${FUZZ_SECONDS:-30}
jobs=${FUZZ_JOBS:-$(nproc)}
out=${FUZZ_BUILD:-$top/build-fuzz}
start=$(date +%s)
cxx=$(command -v clang++ || command -v clang++-14)
launcher=$(command -v ccache || true)

# Each target: its harness and the sources of ours it is built from, nothing more.
declare -A sources=(
  [pcx]="tests/fuzz/PcxFuzzer.cpp src/picture/PcxDecoder.cpp"
  [picture_structure]="tests/fuzz/PictureStructureFuzzer.cpp src/picture/PictureStructure.cpp
    src/picture/PictureKind.cpp"
  [picture_kind]="tests/fuzz/PictureKindFuzzer.cpp src/picture/PictureKind.cpp"
  [jpeg_header]="tests/fuzz/JpegHeaderFuzzer.cpp src/picture/JpegHeader.cpp"
  [exif_thumbnail]="tests/fuzz/ExifThumbnailFuzzer.cpp src/picture/ExifThumbnail.cpp
    src/picture/EmbeddedThumbnail.cpp src/picture/JpegHeader.cpp src/picture/Orientation.cpp
    src/picture/PictureStructure.cpp src/picture/PictureKind.cpp"
  [progressive_jpeg]="tests/fuzz/ProgressiveJpegFuzzer.cpp src/picture/ProgressiveJpeg.cpp
    src/picture/JpegDecoding.cpp src/picture/JpegHeader.cpp src/picture/ExifThumbnail.cpp"
  [gif_resolution]="tests/fuzz/GifResolutionFuzzer.cpp src/picture/GifResolution.cpp"
  [pdf_rewrite]="tests/fuzz/PdfRewriteFuzzer.cpp src/pdf/PdfRewrite.cpp"
  [pdf_text_map]="tests/fuzz/PdfTextMapFuzzer.cpp src/pdf/PdfTextMap.cpp"
  [capture_list]="tests/fuzz/CaptureListFuzzer.cpp src/exchange/CaptureListText.cpp"
  [table_text]="tests/exchange/TableTextFuzzer.cpp src/exchange/CaptureListText.cpp
    src/exchange/ScratchGrid.cpp src/exchange/TableTextParser.cpp src/exchange/TableTextWriter.cpp"
  [read_picture]="tests/fuzz/ReadPictureFuzzer.cpp src/picture/PictureReader.cpp
    src/picture/ColourProfile.cpp src/picture/MatrixShaper.cpp src/picture/EmbeddedThumbnail.cpp
    src/picture/ExifThumbnail.cpp
    src/picture/HeifColour.cpp src/picture/JpegDecoding.cpp src/picture/JpegHeader.cpp
    src/picture/Orientation.cpp src/picture/PcxDecoder.cpp src/picture/PictureKind.cpp
    src/picture/PictureStructure.cpp src/picture/PngColour.cpp src/picture/ProgressiveJpeg.cpp
    src/picture/QtPictureReader.cpp src/picture/ShrunkJpeg.cpp src/picture/VipsBridge.cpp
    src/picture/VipsPictureReader.cpp src/picture/VipsStart.cpp src/platform/MappedFile.cpp
    src/platform/Paths.cpp src/platform/MemoryPolicy.cpp"
)
# The slowest first, so the last round is not one long target alone.
targets=(read_picture exif_thumbnail progressive_jpeg pdf_rewrite pcx jpeg_header
  picture_structure capture_list table_text pdf_text_map picture_kind gif_resolution)
# Inputs above the largest seed: the kind detector reads 4096 bytes of a file's start.
declare -A max_len=([picture_kind]=8192)
# The memory a target may take in all (libFuzzer's -rss_limit_mb, 2048 unless named): a
# picture of 100 million pixels takes 400 MB, and the route from bytes to pixels may hold
# it more than once while it finishes it, with AddressSanitizer's quarantine besides.
declare -A rss_mb=([read_picture]=4096)

libs="Qt6Gui vips-cpp lcms2 libheif libjpeg"
# shellcheck disable=SC2207
cflags=(-std=c++20 -g -O1 -fPIC -Wall -Wextra -DQT_NO_KEYWORDS -DQT_NO_FOREACH -I"$top/src"
  -I"$top/tests/fuzz" -I"$top/tests/support" $(pkg-config --cflags $libs))
# shellcheck disable=SC2207
ldflags=($(pkg-config --libs $libs))
sanitize=(-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
mkdir -p "$out/obj" "$out/bin" "$out/corpus" "$out/artifacts" "$out/logs"
rm -rf "$out/seeds"

object() { echo "$out/obj/${1//\//_}.o"; }
compile() {
  ${launcher:+"$launcher"} "$cxx" "${cflags[@]}" "${sanitize[@]}" -fsanitize=fuzzer-no-link \
    -c "$top/$1" -o "$(object "$1")"
}
export -f object compile
export top out cxx launcher
export cflags_list="${cflags[*]}" sanitize_list="${sanitize[*]}"

echo "-- compiling"
# Every source once, however many targets share it.
# shellcheck disable=SC2086
units=$(printf '%s\n' ${sources[*]} | sort -u)
printf '%s\n' $units | xargs -P "$jobs" -I{} bash -c '
  cflags=($cflags_list); sanitize=($sanitize_list); compile "$1"' _ {}
for target in "${targets[@]}"; do
  objects=()
  for unit in ${sources[$target]}; do objects+=("$(object "$unit")"); done
  "$cxx" "${sanitize[@]}" -fsanitize=fuzzer "${objects[@]}" "${ldflags[@]}" \
    -o "$out/bin/$target"
done
${launcher:+"$launcher"} "$cxx" -std=c++20 -O1 -fPIC -DQT_NO_KEYWORDS -I"$top/src" \
  -I"$top/tests/support" $(pkg-config --cflags $libs) "$top/tests/fuzz/FuzzSeeds.cpp" \
  "$top/tests/support/TestPictures.cpp" "$top/src/picture/GifResolution.cpp" "${ldflags[@]}" \
  -o "$out/bin/fuzz_seeds"
QT_QPA_PLATFORM=offscreen "$out/bin/fuzz_seeds" "$out/seeds"
echo "-- built in $(($(date +%s) - start)) s"

fuzz_one() {
  local target=$1 log="$out/logs/$1.log" status=0
  mkdir -p "$out/corpus/$target"
  (
    cd "$out"
    ASAN_OPTIONS="detect_leaks=1:strict_string_checks=1:detect_stack_use_after_return=0" \
      UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1" \
      LSAN_OPTIONS="suppressions=$top/.ci/lsan.supp" QT_QPA_PLATFORM=offscreen \
      "bin/$target" -max_total_time="$seconds" -rss_limit_mb="${rss_mb[$target]:-2048}" -timeout=25 \
      ${max_len[$target]:+-max_len=${max_len[$target]}} -print_final_stats=1 \
      -artifact_prefix="$out/artifacts/$target-" "corpus/$target" "seeds/$target"
  ) >"$log" 2>&1 || status=$?
  local runs cov ft corpus
  runs=$(grep -o 'stat::number_of_executed_units: [0-9]*' "$log" | tail -1 | grep -o '[0-9]*$' || echo 0)
  cov=$(grep -o 'cov: [0-9]*' "$log" | tail -1 | grep -o '[0-9]*$' || echo 0)
  ft=$(grep -o 'ft: [0-9]*' "$log" | tail -1 | grep -o '[0-9]*$' || echo 0)
  corpus=$(grep -o 'corp: [0-9]*' "$log" | tail -1 | grep -o '[0-9]*$' || echo 0)
  if [ "$status" -ne 0 ]; then
    echo "fuzz $target FAILED (exit $status) runs=$runs cov=$cov; its log:"
    grep -v '^#[0-9]' "$log" | tail -60
    return 1
  fi
  echo "fuzz $target runs=$runs cov=$cov ft=$ft corpus=$corpus"
}
export -f fuzz_one
export seconds
declare -p max_len rss_mb >"$out/limits.sh"

echo "-- fuzzing ${#targets[@]} targets for $seconds s each, $jobs at a time"
failed=0
printf '%s\n' "${targets[@]}" | xargs -P "$jobs" -I{} bash -c '
  source "$out/limits.sh"; fuzz_one "$1"' _ {} || failed=1

# A rewritten PDF must read wherever the file it was made from reads: pdfinfo on the
# rewrites of a sample of the corpus.
pdfs="$out/pdf-sample"
rm -rf "$pdfs" && mkdir -p "$pdfs"
mapfile -t sample < <(ls -1 "$out/corpus/pdf_rewrite" | shuf -n 40 --random-source=<(yes))
(
  cd "$out/corpus/pdf_rewrite"
  QUILLMERE_FUZZ_PDF_OUT="$pdfs" ASAN_OPTIONS=detect_leaks=0 "$out/bin/pdf_rewrite" \
    "${sample[@]}" "$out/seeds/pdf_rewrite/"* >/dev/null 2>&1
)
checked=0
for input in "$pdfs"/*.in.pdf; do
  [ -e "$input" ] || continue
  pdfinfo "$input" >/dev/null 2>&1 || continue
  checked=$((checked + 1))
  if ! pdfinfo "${input%.in.pdf}.out.pdf" >/dev/null 2>&1; then
    echo "fuzz pdf_rewrite FAILED: pdfinfo reads $input but not its rewrite"
    failed=1
  fi
done
echo "fuzz pdf_rewrite: $checked rewrites read by pdfinfo"
[ "$checked" -gt 0 ] || { echo "fuzz pdf_rewrite FAILED: no rewrite to read"; failed=1; }

echo "-- fuzz stage took $(($(date +%s) - start)) s"
exit "$failed"

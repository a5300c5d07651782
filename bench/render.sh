#!/usr/bin/env bash
# Picture paths of the print engine on a 6000 × 4000 camera JPEG (24 megapixels):
# full decode, shrink-on-load decode, the reduce step (shrink, resample to 1000 × 667,
# re-encode, load on the surface), the surfaces' own decoder, and one A4 page file
# (2100 × 2970, 254 dpi JPEG). Medians of 5 runs. The peer is ImageMagick reducing the
# same photo to 1000 × 667 with and without its own JPEG size hint.
set -euo pipefail
bin="$QUILLMERE_BENCH_BUILD/bench/render_bench"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

field() { sed -n "s/^$1=//p" "$2"; }

"$bin" "$work/big.jpg" >"$work/ours"

median() {
  local runs=()
  for _ in 1 2 3 4 5; do
    start=$(date +%s.%N)
    "$@" >/dev/null 2>&1
    end=$(date +%s.%N)
    runs+=("$(echo "$end - $start" | bc -l)")
  done
  printf '%s\n' "${runs[@]}" | sort -g | sed -n 3p
}
magick_hint=$(median convert -define jpeg:size=1000x667 "$work/big.jpg" -resize 1000x667 "$work/m1.jpg")
magick_full=$(median convert "$work/big.jpg" -resize 1000x667 "$work/m2.jpg")

reduce=$(field reduce_s "$work/ours")
cat "$work/ours"
printf 'magick_reduce_hint_s=%.4f\n' "$magick_hint"
printf 'magick_reduce_full_s=%.4f\n' "$magick_full"
printf 'reduce_over_magick_hint=%.2f\n' "$(echo "$reduce / $magick_hint" | bc -l)"
printf 'shrunk_over_full_load=%.2f\n' "$(echo "$(field shrunk_load_s "$work/ours") / $(field full_load_s "$work/ours")" | bc -l)"

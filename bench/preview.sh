#!/usr/bin/env bash
# bench/run.sh preview [PHOTOS] — the page preview of a first page of camera-size JPEGs
# (4000 × 3000, several MB each), median of several presses of 打印预览, against
# ImageMagick's montage composing the same 5 × 5 page at the same size in its fastest
# form (JPEG shrink-on-load hint) and against the decode floor (the same photos decoded
# at 1/8 scale by djpeg, one stream per core), both in the same run. Ends with
# preview_s=….
set -euo pipefail
photos=${1:-25}
driver="$QUILLMERE_BENCH_BUILD/bench/preview_bench"
# the album benchmark's camera-like photos, made once and shared
store=/tmp/quillmere-bench/photos
work=/tmp/quillmere-bench-preview
mkdir -p "$store" "$work"
"$QUILLMERE_BENCH_BUILD/bench/quillmere_bench_photos" "$store" "$photos" >/dev/null
mapfile -t files < <(ls "$store"/*.jpg | sort | head -n "$photos")
echo "photo_mb=$(du -cm "${files[@]}" | tail -1 | cut -f1)"

median() { sort -g | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }

# the same page with montage: 5 × 5 tiles of a 210 × 297 page (1 px per mm) with labels
montage_runs=()
for run in 1 2 3; do
  start=$(date +%s.%N)
  montage -define jpeg:size=76x102 "${files[@]}" -label '%t' -tile 5x5 \
    -geometry 38x49+1+1 "$work/montage.bmp"
  end=$(date +%s.%N)
  montage_runs+=("$(echo "$end - $start" | bc -l)")
done
montage_s=$(printf '%s\n' "${montage_runs[@]}" | median)

# the floor: nothing but the JPEG decoding the preview cannot avoid, on every core
floor_runs=()
for run in 1 2 3; do
  start=$(date +%s.%N)
  printf '%s\n' "${files[@]}" | xargs -P "$(nproc)" -I{} sh -c 'djpeg -scale 1/8 "$1" >/dev/null' _ {}
  end=$(date +%s.%N)
  floor_runs+=("$(echo "$end - $start" | bc -l)")
done
floor_s=$(printf '%s\n' "${floor_runs[@]}" | median)

result=$("$driver" "$store" "$photos" 7)
echo "$result" | grep -v '^preview_s='
preview_s=$(echo "$result" | sed -n 's/^preview_s=//p')
echo "montage_fast_s=$(printf '%.3f' "$montage_s")"
echo "ratio_vs_montage_fast=$(echo "$montage_s / $preview_s" | bc -l | xargs printf '%.2f')"
echo "decode_floor_s=$(printf '%.3f' "$floor_s")"
echo "ratio_vs_floor=$(echo "$preview_s / $floor_s" | bc -l | xargs printf '%.2f')"
echo "preview_s=$preview_s"

#!/usr/bin/env bash
# bench/run.sh preview — the page preview of a first page of camera photos, median of
# several presses of 打印预览, in one run for photos that carry an EXIF thumbnail as
# cameras write them and for the same kind of photos without one, side by side with
# ImageMagick's montage composing the same page at the same size in its fastest form
# (JPEG shrink-on-load hint) and with the decode floor (the photos decoded at 1/8 scale
# by djpeg, one stream per core).
#
#   PHOTOS=25 GRID=5   photos and cells per side of the page (defaults)
#   SIZE=4000x3000     photo size; GRID=7 defaults to 5120x2880: the slow 7 × 7 case,
#                      copies of one desktop background, whose photos without
#                      thumbnails are progressive JPEGs as web pictures often are
#   THUMBS=0           only the photos without thumbnails
#
# Ends with preview_s=… (with thumbnails, or without for THUMBS=0).
set -euo pipefail
photos=${PHOTOS:-${1:-25}}
grid=${GRID:-5}
if [ "$grid" = 7 ]; then size=${SIZE:-5120x2880}; else size=${SIZE:-4000x3000}; fi
thumbs=${THUMBS:-1}
width=${size%x*} height=${size#*x}
driver="$QUILLMERE_BENCH_BUILD/bench/preview_bench"
maker="$QUILLMERE_BENCH_BUILD/bench/quillmere_bench_photos"
bench=/tmp/quillmere-bench
work=/tmp/quillmere-bench-preview
mkdir -p "$work"

median() { sort -g | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }
seconds() { local start end; start=$(date +%s.%N); "$@" >/dev/null; end=$(date +%s.%N); echo "$end - $start" | bc -l; }
median_of_3() { local runs=(); for _ in 1 2 3; do runs+=("$(seconds "$@")"); done; printf '%s\n' "${runs[@]}" | median; }

# photo sets, made once and shared: the album's photos (no thumbnail) and camera copies
plain_dir=$bench/photos
[ "$size" = 4000x3000 ] || plain_dir=$bench/photos-progressive-$size
exif_dir=$bench/photos-exif
[ "$size" = 4000x3000 ] || exif_dir=$bench/photos-exif-$size
# Other sizes: copies of one picture, made once.
make_set() {  # make_set DIR KIND
  if [ "$size" = 4000x3000 ]; then
    "$maker" "$1" "$photos" "$width" "$height" "$2" >/dev/null
    return
  fi
  "$maker" "$1" 1 "$width" "$height" "$2" >/dev/null
  for ((i = 2; i <= photos; i++)); do
    copy=$(printf '%s/photo_%04d.jpg' "$1" "$i")
    [ -f "$copy" ] || cp "$1/photo_0001.jpg" "$copy"
  done
}
plain_kind=plain
[ "$size" = 4000x3000 ] || plain_kind=progressive
make_set "$plain_dir" "$plain_kind"
# the same photos as a camera writes them: an EXIF block with a thumbnail in front
[ "$thumbs" = 0 ] || "$maker" --camera-copies "$plain_dir" "$exif_dir"
mapfile -t files < <(ls "$plain_dir"/*.jpg | sort | head -n "$photos")

# montage composes the page: tiles of one cell (1 px per mm of A4) with labels
cell_w=$(( (210 - 20) / grid )) cell_h=$(( (297 - 38) / grid - 3 ))
montage_page() {
  montage -define "jpeg:size=$((cell_w * 2))x$((cell_h * 2))" "${files[@]}" -label '%t' \
    -tile "${grid}x${grid}" -geometry "${cell_w}x${cell_h}+1+1" "$work/montage.bmp"
}
floor_page() {
  printf '%s\n' "${files[@]}" | xargs -P "$(nproc)" -I{} djpeg -scale 1/8 -outfile /dev/null {}
}
montage_s=$(median_of_3 montage_page)
floor_s=$(median_of_3 floor_page)

field() { sed -n "s/^$1=//p" <<<"$2"; }
plain=$("$driver" "$plain_dir" "$photos" 7 "$grid")
echo "photos=$photos"
echo "grid=${grid}x${grid}"
echo "photo_size=$size"
echo "photos_without_thumbnails=$plain_kind"
echo "photo_mb=$(du -cm "${files[@]}" | tail -1 | cut -f1)"
echo "progress_paints_per_preview=$(field progress_paints_per_preview "$plain")"
echo "preview_nothumbs_s=$(field preview_s "$plain")"
echo "preview_nothumbs_cpu_s=$(field preview_cpu_s "$plain")"
echo "bytes_read_per_photo_nothumbs=$(field bytes_read_per_photo "$plain")"
preview_s=$(field preview_s "$plain")
if [ "$thumbs" != 0 ]; then
  exif=$("$driver" "$exif_dir" "$photos" 7 "$grid")
  preview_s=$(field preview_s "$exif")
  echo "preview_thumbs_min_s=$(field preview_min_s "$exif")"
  echo "preview_cpu_s=$(field preview_cpu_s "$exif")"
  echo "bytes_read_per_photo=$(field bytes_read_per_photo "$exif")"
fi
echo "montage_fast_s=$(printf '%.3f' "$montage_s")"
echo "decode_floor_s=$(printf '%.3f' "$floor_s")"
echo "ratio_vs_montage_fast=$(echo "$montage_s / $preview_s" | bc -l | xargs printf '%.2f')"
echo "ratio_vs_floor=$(echo "$preview_s / $floor_s" | bc -l | xargs printf '%.2f')"
echo "nothumbs_ratio_vs_floor=$(echo "$(field preview_s "$plain") / $floor_s" | bc -l | xargs printf '%.2f')"
echo "preview_s=$preview_s"

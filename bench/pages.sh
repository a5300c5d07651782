#!/usr/bin/env bash
# bench/run.sh pages — 全部页面预览 on an album of PHOTOS camera photos (default 400: 16
# pages of 5 × 5), turning page after page as PageDown does: the median and the slowest
# time from the key to the page shown, once for photos as cameras write them (an EXIF
# block with a 160 × 120 thumbnail) and once for the same photos without one, beside
# the decode floor of one page (its 25 photos decoded at 1/8 scale by djpeg, one
# stream per core) measured in the same run; the peak memory of each; and
# `quillmere print --check` on CHECK (default 10000) photos, each its own file.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
check_photos=${CHECK:-10000}
source "$here/common.sh" "${PHOTOS:-400}"

exif_dir=$bench_dir/photos-exif
"$bin/quillmere_bench_photos" --camera-copies "$photo_dir" "$exif_dir" >/dev/null
sed "s#^$photo_dir/#$exif_dir/#" "$list" >"$work/exif.txt"

run_pages() {  # run_pages LIST NAME
  /usr/bin/time -f '%M' -o "$work/rss_$2" "$bin/pages_bench" "$1" >"$work/out_$2"
}
run_pages "$list" plain
run_pages "$work/exif.txt" thumbs

head -25 "$list" >"$work/page.txt"
floors=() floor_cpus=()
for _ in 1 2 3; do
  floors+=("$(timed bash -c 'xargs -P "$(nproc)" -I{} djpeg -scale 1/8 -outfile /dev/null {} <"$1"' _ "$work/page.txt")")
  floor_cpus+=("$(cat "$work/cpu")")
done
floor_s=$(med "${floors[@]}")
floor_cpu_s=$(med "${floor_cpus[@]}")

# --check: every row its own file (hard links to the album's photos).
check_dir=$bench_dir/check-$check_photos
mkdir -p "$check_dir"
table=$work/check.txt
printf '序号\t图片名全称\t图片类别\t图片说明\n' >"$table"
for ((i = 1; i <= check_photos; i++)); do
  name=$(printf '%s/photo_%05d.jpg' "$check_dir" "$i")
  [ -e "$name" ] || ln "$(printf '%s/photo_%04d.jpg' "$photo_dir" $(( (i - 1) % unique + 1 )))" "$name"
  printf '%d\t%s\t相册\t照片%d\n' "$i" "$name" "$i"
done >>"$table"
check_s=$(timed "$QUILLMERE_BENCH_BUILD/quillmere" print --check "$table")
check_rss=$(cat "$work/rss")
"$QUILLMERE_BENCH_BUILD/quillmere" print --check "$table" | head -1 >"$work/check_summary"

echo "photos=$photos"
echo "pages=$(field pages "$work/out_plain")"
echo "check_summary=$(cat "$work/check_summary")"
echo "decode_floor_page_s=$(printf '%.3f' "$floor_s")"
echo "decode_floor_page_cpu_s=$(printf '%.3f' "$floor_cpu_s")"
echo "page_thumbs_median_s=$(field page_median_s "$work/out_thumbs")"
echo "page_thumbs_max_s=$(field page_max_s "$work/out_thumbs")"
echo "page_thumbs_ratio_vs_floor=$(echo "$(field page_median_s "$work/out_thumbs") / $floor_s" | bc -l | xargs printf '%.2f')"
echo "page_thumbs_cpu_median_s=$(field page_cpu_median_s "$work/out_thumbs")"
echo "page_nothumbs_median_s=$(field page_median_s "$work/out_plain")"
echo "page_nothumbs_max_s=$(field page_max_s "$work/out_plain")"
echo "page_nothumbs_ratio_vs_floor=$(echo "$(field page_median_s "$work/out_plain") / $floor_s" | bc -l | xargs printf '%.2f')"
echo "page_nothumbs_cpu_median_s=$(field page_cpu_median_s "$work/out_plain")"
echo "first_page_thumbs_s=$(field first_page_s "$work/out_thumbs")"
echo "peak_mb_thumbs=$(awk '{ printf "%.1f", $1 / 1024 }' "$work/rss_thumbs")"
echo "peak_mb_nothumbs=$(awk '{ printf "%.1f", $1 / 1024 }' "$work/rss_plain")"
echo "check_photos=$check_photos"
echo "check_s=$(printf '%.2f' "$check_s")"
echo "check_peak_mb=$check_rss"

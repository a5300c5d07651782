#!/usr/bin/env bash
# The search button of the main window against find on a generated tree of 100,000 files in 1,000
# folders, a quarter of them pictures with mixed-case extensions; then the same search with
# 读取拍摄信息 checked, which reads every picture's header. Median of RUNS runs each, page
# cache warm for all.
# The JPEG-named pictures are hard links to 20 camera-like JPEGs (640 × 480, an EXIF block
# with make, model, date, a 30 KB maker note and a thumbnail, as cameras write them), the
# BMP- and GIF-named ones small real BMP and GIF files; each link is opened, mapped and
# parsed on its own, the disk holds the 20 only. The other files are empty.
set -euo pipefail
runs=${1:-7}
tree=${SEARCH_BENCH_TREE:-/tmp/quillmere-search-bench}
driver="$QUILLMERE_BENCH_BUILD/bench/search_bench"
templates=/tmp/quillmere-bench/search-photos

if [ ! -f "$tree/.complete-v2" ]; then
  rm -rf "$tree"
  "$QUILLMERE_BENCH_BUILD/bench/quillmere_bench_photos" "$templates" 20 640 480 camera
  python3 - "$tree" "$templates" <<'PY'
import os, struct, sys
root, templates = sys.argv[1], sys.argv[2]
os.makedirs(root, exist_ok=True)
photos = sorted(os.path.join(templates, f) for f in os.listdir(templates) if f.endswith(".jpg"))
# A 2 × 2 24-bit BMP and a 1 × 1 GIF.
pixels = b"\x00\x00\xff\x00\xff\x00\x00\x00" + b"\xff\x00\x00\xff\xff\xff\x00\x00"
bmp = (b"BM" + struct.pack("<IHHI", 14 + 40 + len(pixels), 0, 0, 54)
       + struct.pack("<IiiHHIIiiII", 40, 2, 2, 1, 24, 0, len(pixels), 2835, 2835, 0, 0) + pixels)
gif = bytes.fromhex("47494638396101000100800000ffffff00000021f90401000000002c00000000010001000002024401003b")
pictures = ["jpg", "JPG", "Jpeg", "jpeg", "bmp", "BMP", "gif", "GIF"]
others = ["txt", "png", "tif", "dat", "jpg.txt", "JPE"]
n = 0
for top in range(10):
    for sub in range(100):
        # 10 top folders, each holding 99 sub-folders: 1,000 folders in all.
        folder = os.path.join(root, f"Top{top}") if sub == 0 else os.path.join(root, f"Top{top}", f"sub {sub:02d}")
        os.makedirs(folder, exist_ok=True)
        for i in range(100):
            ext = pictures[n % len(pictures)] if n % 4 == 0 else others[n % len(others)]
            path = os.path.join(folder, f"IMG_{n:06d}.{ext}")
            kind = ext.lower()
            if n % 4 != 0:
                open(path, "w").close()
            elif kind in ("jpg", "jpeg"):
                os.link(photos[n % len(photos)], path)
            else:
                with open(path, "wb") as f:
                    f.write(bmp if kind == "bmp" else gif)
            n += 1
PY
  touch "$tree/.complete-v2"
fi

median() { sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }

find_times=()
for _ in $(seq "$runs"); do
  start=$(date +%s%N)
  count=$(find "$tree" -type f \( -iname '*.jpg' -o -iname '*.jpeg' -o -iname '*.bmp' -o -iname '*.gif' \) | wc -l)
  end=$(date +%s%N)
  find_times+=("$(awk -v s="$start" -v e="$end" 'BEGIN {printf "%.1f", (e - s) / 1e6}')")
done
find_ms=$(printf '%s\n' "${find_times[@]}" | median)

out=$("$driver" "$tree" "$runs")
echo "$out" | grep '^run '
search_ms=$(echo "$out" | sed -n 's/^median_ms=//p')
rows=$(echo "$out" | sed -n 's/^rows=//p')
rss=$(echo "$out" | sed -n 's/^peak_rss_mb=//p')
[ "$rows" = "$count" ] || { echo "search found $rows pictures, find $count" >&2; exit 1; }

info=$("$driver" "$tree" "$runs" --photo-info)
echo "$info" | grep '^run ' | sed 's/^/photo info /'
info_ms=$(echo "$info" | sed -n 's/^median_ms=//p')
info_rows=$(echo "$info" | sed -n 's/^photo_info_rows=//p')
info_rss=$(echo "$info" | sed -n 's/^peak_rss_mb=//p')
[ "$info_rows" = "$count" ] || { echo "photo data read for $info_rows of $count pictures" >&2; exit 1; }

echo "pictures=$count"
echo "find_median_ms=$find_ms"
echo "search_median_ms=$search_ms"
echo "ratio_vs_find=$(awk -v a="$search_ms" -v b="$find_ms" 'BEGIN {printf "%.2f", a / b}')"
echo "peak_rss_mb=$rss"
echo "photo_info_median_ms=$info_ms"
echo "photo_info_ratio_vs_search=$(awk -v a="$info_ms" -v b="$search_ms" 'BEGIN {printf "%.2f", a / b}')"
echo "photo_info_peak_rss_mb=$info_rss"

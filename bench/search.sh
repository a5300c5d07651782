#!/usr/bin/env bash
# The search button of the main window against find on a generated tree of 100,000 files in 1,000
# folders, a quarter of them pictures with mixed-case extensions. Median of RUNS runs
# each, page cache warm for both.
set -euo pipefail
runs=${1:-7}
tree=${SEARCH_BENCH_TREE:-/tmp/quillmere-search-bench}
driver="$QUILLMERE_BENCH_BUILD/bench/search_bench"

if [ ! -f "$tree/.complete" ]; then
  rm -rf "$tree"
  python3 - "$tree" <<'PY'
import os, sys
root = sys.argv[1]
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
            open(os.path.join(folder, f"IMG_{n:06d}.{ext}"), "w").close()
            n += 1
PY
  touch "$tree/.complete"
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

echo "pictures=$count"
echo "find_median_ms=$find_ms"
echo "search_median_ms=$search_ms"
echo "ratio_vs_find=$(awk -v a="$search_ms" -v b="$find_ms" 'BEGIN {printf "%.2f", a / b}')"
echo "peak_rss_mb=$rss"

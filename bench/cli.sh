#!/usr/bin/env bash
# bench/run.sh cli [PHOTOS] [BIG] — the album of `bench/run.sh album` (PHOTOS camera-like
# 4000 × 3000 JPEGs, default 100, 5 × 5 on A4, JPEG pages, optimisation level 3, the
# file names as captions, one category) printed by `quillmere print` from a table
# file, side by side in the same run with the album benchmark's driver, which runs the
# page loop as the main window's print button does. Then an album of BIG photos
# (default 1,000: 40 pages) through the command line alone. Photos are shared with the
# album benchmark under /tmp/quillmere-bench/photos (100 unique ones, reused in turn).
# Figures are medians of RUNS runs (BIG_RUNS for the big album, RUNS by default).
set -euo pipefail
photos=${1:-100}
big=${2:-1000}
runs=${RUNS:-3}
big_runs=${BIG_RUNS:-$runs}
photo_dir=/tmp/quillmere-bench/photos
bin=$QUILLMERE_BENCH_BUILD
unique=$(( photos < 100 ? photos : 100 ))
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

"$bin/bench/quillmere_bench_photos" "$photo_dir" 100

photo() { printf '%s/photo_%04d.jpg' "$photo_dir" $(( $1 % $2 + 1 )); }
# The album driver reads one path a line; the command line reads a table as the
# capture-list import does.
for ((i = 0; i < photos; i++)); do photo "$i" "$unique"; echo; done >"$work/list.txt"
table() {  # table COUNT
  printf '序号\t图片名全称\t图片类别\t图片说明\r\n'
  for ((i = 0; i < $1; i++)); do
    printf '%d\t%s\t相册\tphoto_%04d\r\n' $(( i + 1 )) "$(photo "$i" 100)" $(( i % 100 + 1 ))
  done
}
table "$photos" >"$work/album.txt"
table "$big" >"$work/big.txt"

median() { sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
med() { printf '%s\n' "$@" | median; }
# Wall seconds of a command; CPU seconds into $work/cpu, peak memory (MB) into $work/rss.
timed() {
  local start end
  start=$(date +%s.%N)
  /usr/bin/time -f '%M %U %S' -o "$work/usage" "$@" >/dev/null 2>"$work/err" || { cat "$work/err" >&2; return 1; }
  end=$(date +%s.%N)
  awk '{ printf "%.1f", $1 / 1024 }' "$work/usage" >"$work/rss"
  awk '{ printf "%.3f", $2 + $3 }' "$work/usage" >"$work/cpu"
  echo "$end - $start" | bc -l
}
pages_in() { find "$1" -type f | wc -l; }
# The album's header and footer, as the album driver draws them.
album=(--quiet --format jpg --header 相册 --footer '第 &p 页，共 &a 页')

cli=() cli_cpu=() gui=() gui_cpu=()
pages=$(( (photos + 24) / 25 ))
for ((r = 0; r < runs; r++)); do
  rm -rf "$work/gui" "$work/cli" && mkdir -p "$work/gui" "$work/cli"
  gui+=("$(timed "$bin/bench/quillmere_bench_album" files "$work/gui" "$work/list.txt")")
  gui_cpu+=("$(cat "$work/cpu")")
  cli+=("$(timed "$bin/quillmere" print "${album[@]}" --out "$work/cli" "$work/album.txt")")
  cli_cpu+=("$(cat "$work/cpu")")
  for out in gui cli; do
    [ "$(pages_in "$work/$out")" -eq "$pages" ] || { echo "$out: expected $pages pages" >&2; exit 1; }
  done
done

big_s=() big_rss=()
big_pages=$(( (big + 24) / 25 ))
for ((r = 0; r < big_runs; r++)); do
  rm -rf "$work/big" && mkdir -p "$work/big"
  big_s+=("$(timed "$bin/quillmere" print "${album[@]}" --out "$work/big" "$work/big.txt")")
  big_rss+=("$(cat "$work/rss")")
  [ "$(pages_in "$work/big")" -eq "$big_pages" ] || { echo "expected $big_pages pages" >&2; exit 1; }
done

cli_s=$(med "${cli[@]}") gui_s=$(med "${gui[@]}")
cli_c=$(med "${cli_cpu[@]}") gui_c=$(med "${gui_cpu[@]}")
big_median=$(med "${big_s[@]}")
printf 'photos=%d\npages=%d\nruns=%d\n' "$photos" "$pages" "$runs"
printf 'cli_s=%.2f\ngui_path_s=%.2f\ncli_cpu_s=%.2f\ngui_path_cpu_s=%.2f\n' "$cli_s" "$gui_s" "$cli_c" "$gui_c"
printf 'cpu_ratio_vs_gui_path=%.2f\n' "$(echo "$cli_c / $gui_c" | bc -l)"
printf 'ratio_vs_gui_path=%.2f\n' "$(echo "$cli_s / $gui_s" | bc -l)"
printf 'big_photos=%d\nbig_pages=%d\nbig_s=%.2f\n' "$big" "$big_pages" "$big_median"
printf 's_per_page=%.3f\n' "$(echo "$big_median / $big_pages" | bc -l)"
printf 'peak_rss_mb=%s\n' "$(printf '%s\n' "${big_rss[@]}" | sort -g | tail -1)"

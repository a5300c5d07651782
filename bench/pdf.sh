#!/usr/bin/env bash
# bench/run.sh pdf [PHOTOS] — the camera album of `bench/run.sh album` (PHOTOS camera-like
# 4000 × 3000 JPEGs, default 100, 5 × 5 on A4 at optimisation level 3) written as one PDF
# file, side by side in the same run with the same album as JPEG page files and, when
# the CUPS-PDF queue of the printing tests is set up, through that queue (seconds until
# its PDF is complete). Figures are medians of RUNS runs (default 3); the queue route
# runs once.
set -euo pipefail
photos=${1:-100}
runs=${RUNS:-3}
bench_dir=/tmp/quillmere-bench
photo_dir=$bench_dir/photos
bin=$QUILLMERE_BENCH_BUILD/bench
unique=$(( photos < 100 ? photos : 100 ))
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

"$bin/quillmere_bench_photos" "$photo_dir" "$unique"
list=$work/photos.txt
for ((i = 0; i < photos; i++)); do
  printf '%s/photo_%04d.jpg\n' "$photo_dir" $(( i % unique + 1 ))
done >"$list"
pages=$(( (photos + 24) / 25 ))

field() { sed -n "s/^$1=//p" "$2"; }
median() { sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
med() { printf '%s\n' "$@" | median; }
now() { date +%s.%N; }
# Wall seconds of a command; its peak memory (MB) into $work/rss.
timed() {
  local start end
  start=$(now)
  /usr/bin/time -f '%M' -o "$work/usage" "$@" >/dev/null 2>"$work/err" || { cat "$work/err" >&2; return 1; }
  end=$(now)
  awk '{ printf "%.1f", $1 / 1024 }' "$work/usage" >"$work/rss"
  echo "$end - $start" | bc -l
}

pdf_t=() pdf_rss=() files_t=()
mkdir -p "$work/pdf" "$work/pages"
for ((r = 0; r < runs; r++)); do
  rm -rf "$work/pdf"/* "$work/pages"/*
  pdf_t+=("$(timed "$bin/quillmere_bench_album" pdf-file "$work/pdf" "$list")")
  pdf_rss+=("$(cat "$work/rss")")
  pdf=$(find "$work/pdf" -name '*.pdf')
  [ "$(echo "$pdf" | wc -l)" -eq 1 ] || { echo "expected one PDF, found: $pdf" >&2; exit 1; }
  got=$(pdfinfo "$pdf" | sed -n 's/^Pages: *//p')
  [ "$got" -eq "$pages" ] || { echo "expected $pages pages in the PDF, found $got" >&2; exit 1; }
  pdf_bytes=$(stat -c %s "$pdf")
  files_t+=("$(timed "$bin/quillmere_bench_album" files "$work/pages" "$list")")
  written=$(ls "$work/pages" | wc -l)
  [ "$written" -eq "$pages" ] || { echo "expected $pages page files, found $written" >&2; exit 1; }
done
pdf_s=$(med "${pdf_t[@]}")
files_s=$(med "${files_t[@]}")
rss=$(printf '%s\n' "${pdf_rss[@]}" | sort -g | tail -1)
pdf_mb=$(echo "$pdf_bytes / 1048576" | bc -l)

# The same album through the CUPS-PDF queue: seconds until its PDF is complete.
cups_lines=()
queue=${QUILLMERE_PDF_QUEUE:-QuillmerePDF}
queue_dir=/tmp/quillmere-cups-pdf/$queue
if lpstat -v "$queue" >/dev/null 2>&1 && [ -d "$queue_dir" ]; then
  touch "$work/marker"
  start=$(now)
  if "$bin/quillmere_bench_album" printer "$queue" "$list" >"$work/cups.out" 2>&1; then
    prefix=$(field document "$work/cups.out" | cut -d_ -f1)
    cups="" last=-1
    for _ in $(seq 1 2400); do
      cups=$(find "$queue_dir" -name "${prefix}_*.pdf" -newer "$work/marker" | head -1)
      if [ -n "$cups" ]; then
        size=$(stat -c %s "$cups")
        [ "$size" -gt 0 ] && [ "$size" -eq "$last" ] && pdfinfo "$cups" >/dev/null 2>&1 && break
        last=$size
      fi
      sleep 0.25
    done
    if [ -n "$cups" ]; then
      cups_s=$(echo "$(now) - $start - 0.25" | bc -l)
      cups_mb=$(echo "$(stat -c %s "$cups") / 1048576" | bc -l)
      cups_lines+=("$(printf 'cups_pdf_s=%.2f' "$cups_s")")
      cups_lines+=("$(printf 'cups_pdf_mb=%.1f' "$cups_mb")")
      cups_lines+=("$(printf 'ratio_vs_cups_pdf=%.2f' "$(echo "$cups_s / $pdf_s" | bc -l)")")
      cups_lines+=("$(printf 'size_ratio_vs_cups_pdf=%.2f' "$(echo "$cups_mb / $pdf_mb" | bc -l)")")
    fi
  fi
fi

printf 'photos=%d\npages=%d\nruns=%d\n' "$photos" "$pages" "$runs"
printf 'pdf_s=%.2f\npagefiles_s=%.2f\n' "$pdf_s" "$files_s"
printf 'pdf_mb=%.2f\npdf_mb_per_page=%.2f\n' "$pdf_mb" "$(echo "$pdf_mb / $pages" | bc -l)"
printf 'pdf_s_per_page=%.3f\n' "$(echo "$pdf_s / $pages" | bc -l)"
for line in "${cups_lines[@]}"; do echo "$line"; done
printf 'ratio_vs_pagefiles=%.2f\n' "$(echo "$files_s / $pdf_s" | bc -l)"
printf 'peak_rss_mb=%s\n' "$rss"

#!/usr/bin/env bash
# bench/run.sh album [PHOTOS] — an album of PHOTOS (default 100) camera-like 4000 × 3000
# JPEGs printed to JPEG page files at 5 × 5 on A4 with file-name captions and
# optimisation level 3, side by side in the same run with ImageMagick montage making
# the same pages (plain, and with its jpeg:size decode hint) and with the decode
# floor (the same photos decoded by djpeg at the DCT scale that covers a cell, one
# stream per core, as the album decodes them on every core; for the other kinds by
# libvips' thumbnail, shrinking on load where the format allows it).
# Then the same album through a CUPS-PDF queue when one can be set up. The album, KIND
# and the helpers are bench/common.sh's. Figures are medians of RUNS runs.
set -euo pipefail
source "$(dirname "$0")/common.sh"

# ImageMagick's packaged policy caps its pixel cache far below what 25 full-size
# photos need, which makes plain montage thrash its disk cache and drop photos; the
# peer gets the memory it needs.
mkdir -p "$bench_dir/im"
cat >"$bench_dir/im/policy.xml" <<'XML'
<policymap>
  <policy domain="resource" name="memory" value="8GiB"/>
  <policy domain="resource" name="map" value="8GiB"/>
  <policy domain="resource" name="area" value="1GP"/>
  <policy domain="resource" name="disk" value="16GiB"/>
</policymap>
XML
export MAGICK_CONFIGURE_PATH=$bench_dir/im

# The cell of the album: (1900 - 4 × 10) / 5 wide, (2590 - 4 × 10) / 5 high, in
# 0.1 mm = page pixels; montage tiles of that size with a label line under them.
cell=372x510
montage_page() {  # montage_page OUT HINT FILES…
  local out=$1 hint=$2
  shift 2
  local define=()
  [ -n "$hint" ] && define=(-define "jpeg:size=$hint")
  montage "${define[@]}" -label '%t' "$@" -tile 5x5 -geometry "${cell}+5+5" -pointsize 22 \
    -background white "$out"
}
montage_album() {  # montage_album HINT
  local hint=$1 p=0
  mapfile -t all <"$list"
  for ((first = 0; first < photos; first += 25)); do
    montage_page "$work/montage/page_$p.jpg" "$hint" "${all[@]:first:25}"
    p=$((p + 1))
  done
}
# Level 3 keeps 2 pixels per 0.1 mm: 744 × 1020 for a cell, which a 4000 × 3000 photo
# covers at 1/2 scale (1/4 gives 1000 × 750).
floor_album() {
  if [ "$kind" = jpg ]; then
    xargs -P "$(nproc)" -I{} djpeg -scale 1/2 -outfile /dev/null {} <"$list"
  else
    xargs -P "$(nproc)" -n 1 vipsthumbnail --size 744x1020 -o "$work/floor/%s.v" <"$list"
  fi
}

ours=() ours_cpu=() ours_rss=() plain=() plain_cpu=() fast=() fast_cpu=() floor=() floor_cpu=()
mkdir -p "$work/pages" "$work/montage" "$work/floor"
# A peer's script, run in its own shell so /usr/bin/time measures it and its children.
peer() { echo "$(declare -f montage_page montage_album floor_album); list='$list' photos=$photos work='$work' cell=$cell kind=$kind; $1"; }
for ((r = 0; r < runs; r++)); do
  rm -rf "$work/pages"/* "$work/montage"/* "$work/floor"/*
  ours+=("$(timed "$bin/quillmere_bench_album" files "$work/pages" "$list")")
  ours_cpu+=("$(cat "$work/cpu")") ours_rss+=("$(cat "$work/rss")")
  written=$(ls "$work/pages" | wc -l)
  [ "$written" -eq "$pages" ] || { echo "expected $pages pages, found $written" >&2; exit 1; }
  plain+=("$(timed bash -c "$(peer "montage_album ''")")") plain_cpu+=("$(cat "$work/cpu")")
  fast+=("$(timed bash -c "$(peer "montage_album 744x1020")")") fast_cpu+=("$(cat "$work/cpu")")
  floor+=("$(timed bash -c "$(peer floor_album)")") floor_cpu+=("$(cat "$work/cpu")")
done

ours_s=$(med "${ours[@]}") plain_s=$(med "${plain[@]}") fast_s=$(med "${fast[@]}") floor_s=$(med "${floor[@]}")
ours_c=$(med "${ours_cpu[@]}") plain_c=$(med "${plain_cpu[@]}") fast_c=$(med "${fast_cpu[@]}") floor_c=$(med "${floor_cpu[@]}")
rss=$(printf '%s\n' "${ours_rss[@]}" | sort -g | tail -1)

# The same album through the CUPS-PDF queue the printing tests set up: seconds until
# its PDF is complete, and the PDF's size.
pdf_lines=()
cups_pdf_route
if [ -n "$cups_pdf" ]; then
  pdf_lines+=("$(printf 'cups_pdf_s=%.2f' "$cups_s")")
  pdf_lines+=("$(printf 'cups_pdf_mb=%.1f' "$(echo "$(stat -c %s "$cups_pdf") / 1048576" | bc -l)")")
  pdf_lines+=("cups_pdf_pages=$(pdfinfo "$cups_pdf" | sed -n 's/^Pages: *//p')")
fi

printf 'profile=%s\n' "${profile:-srgb}"
printf 'kind=%s\nphotos=%d\npages=%d\nruns=%d\n' "$kind" "$photos" "$pages" "$runs"
printf 'ours_s=%.2f\nmontage_s=%.2f\nmontage_fast_s=%.2f\nfloor_s=%.2f\n' "$ours_s" "$plain_s" "$fast_s" "$floor_s"
printf 'ours_cpu_s=%.2f\nmontage_cpu_s=%.2f\nmontage_fast_cpu_s=%.2f\nfloor_cpu_s=%.2f\n' "$ours_c" "$plain_c" "$fast_c" "$floor_c"
printf 'cpu_ratio_vs_montage=%.2f\ncpu_ratio_vs_montage_fast=%.2f\ncpu_ratio_vs_floor=%.2f\n' \
  "$(echo "$plain_c / $ours_c" | bc -l)" "$(echo "$fast_c / $ours_c" | bc -l)" "$(echo "$ours_c / $floor_c" | bc -l)"
for line in "${pdf_lines[@]}"; do echo "$line"; done
printf 's_per_page=%.3f\n' "$(echo "$ours_s / $pages" | bc -l)"
printf 'ratio_vs_montage=%.2f\n' "$(echo "$plain_s / $ours_s" | bc -l)"
printf 'ratio_vs_montage_fast=%.2f\n' "$(echo "$fast_s / $ours_s" | bc -l)"
printf 'ratio_vs_floor=%.2f\n' "$(echo "$ours_s / $floor_s" | bc -l)"
printf 'peak_rss_mb=%s\n' "$rss"

# Sourced by the album benchmarks (album.sh, pdf.sh) with their arguments: the camera
# album of PHOTOS (first argument, default 100) camera-like 4000 × 3000 JPEGs, generated
# once under /tmp/quillmere-bench/photos (the first 100 are unique; larger albums reuse
# them in turn), and the helpers that time runs and read figures. Sets photos, runs
# (RUNS, default 3), pages (5 × 5 a page), list (the photo list), bin and work (a
# scratch folder removed on exit).
# KIND=png|heic|webp makes the album of the same photos converted once (libvips' default
# settings) into that kind, under /tmp/quillmere-bench/photos-KIND; KIND=jpg (the
# default) is the JPEGs themselves. PROFILE=adobergb makes the same JPEGs converted into
# Adobe RGB (1998) with that profile embedded, under /tmp/quillmere-bench/photos-adobergb,
# so the album pays for colour management on every photo.
photos=${1:-100}
runs=${RUNS:-3}
kind=${KIND:-jpg}
profile=${PROFILE:-}
case $profile in
  "" | adobergb) ;;
  *) echo "PROFILE must be adobergb or unset, not $profile" >&2; exit 2 ;;
esac
case $kind in
  jpg | png | heic | webp) ;;
  *) echo "KIND must be jpg, png, heic or webp, not $kind" >&2; exit 2 ;;
esac
bench_dir=/tmp/quillmere-bench
photo_dir=$bench_dir/photos
bin=$QUILLMERE_BENCH_BUILD/bench
unique=$(( photos < 100 ? photos : 100 ))
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

"$bin/quillmere_bench_photos" "$photo_dir" "$unique"
if [ -n "$profile" ]; then
  [ "$kind" = jpg ] || { echo "PROFILE goes with the JPEG album only" >&2; exit 2; }
  profile_dir=$bench_dir/photos-$profile
  mkdir -p "$profile_dir"
  "$bin/quillmere_bench_profile" "$profile" "$profile_dir/profile.icc"
  for ((i = 1; i <= unique; i++)); do
    name=$(printf 'photo_%04d' "$i")
    [ -f "$profile_dir/$name.jpg" ] || echo "$name"
  done | xargs -r -P "$(nproc)" -I{} sh -c \
    'vips icc_transform "$1/{}.jpg" "$2/{}.part.jpg[Q=90]" "$2/profile.icc" --input-profile srgb && mv "$2/{}.part.jpg" "$2/{}.jpg"' _ \
    "$photo_dir" "$profile_dir"
  photo_dir=$profile_dir
fi
if [ "$kind" != jpg ]; then
  kind_dir=$bench_dir/photos-$kind
  mkdir -p "$kind_dir"
  for ((i = 1; i <= unique; i++)); do
    name=$(printf 'photo_%04d' "$i")
    [ -f "$kind_dir/$name.$kind" ] || echo "$name"
  done | xargs -r -P "$(nproc)" -I{} sh -c \
    'vips copy "$1/{}.jpg" "$2/{}.part.$3" && mv "$2/{}.part.$3" "$2/{}.$3"' _ \
    "$photo_dir" "$kind_dir" "$kind"
  photo_dir=$kind_dir
fi
list=$work/photos.txt
for ((i = 0; i < photos; i++)); do
  printf '%s/photo_%04d.%s\n' "$photo_dir" $(( i % unique + 1 )) "$kind"
done >"$list"
pages=$(( (photos + 24) / 25 ))

field() { sed -n "s/^$1=//p" "$2"; }
median() { sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
med() { printf '%s\n' "$@" | median; }
now() { date +%s.%N; }
# Wall seconds of a command; its CPU seconds (user + system) into $work/cpu and its
# peak memory (MB) into $work/rss. On a shared machine the CPU seconds are the steadier
# figure, so both are kept.
timed() {
  local start end
  start=$(now)
  /usr/bin/time -f '%M %U %S' -o "$work/usage" "$@" >/dev/null 2>"$work/err" || { cat "$work/err" >&2; return 1; }
  end=$(now)
  awk '{ printf "%.1f", $1 / 1024 }' "$work/usage" >"$work/rss"
  awk '{ printf "%.3f", $2 + $3 }' "$work/usage" >"$work/cpu"
  echo "$end - $start" | bc -l
}

# The album through the CUPS-PDF queue the printing tests set up, when it is there: sets
# cups_s (seconds until the queue's PDF is complete) and cups_pdf (that PDF); both stay
# empty without the queue or its PDF.
cups_pdf_route() {
  cups_s="" cups_pdf=""
  local queue=${QUILLMERE_PDF_QUEUE:-QuillmerePDF}
  local queue_dir=/tmp/quillmere-cups-pdf/$queue
  lpstat -v "$queue" >/dev/null 2>&1 && [ -d "$queue_dir" ] || return 0
  local start prefix found="" size last=-1
  touch "$work/marker"
  start=$(now)
  "$bin/quillmere_bench_album" printer "$queue" "$list" >"$work/cups.out" 2>&1 || return 0
  # cups-pdf names the file after the job; its time-number prefix tells ours apart from
  # other jobs on the same queue.
  prefix=$(field document "$work/cups.out" | cut -d_ -f1)
  for _ in $(seq 1 2400); do
    found=$(find "$queue_dir" -name "${prefix}_*.pdf" -newer "$work/marker" | head -1)
    if [ -n "$found" ]; then
      size=$(stat -c %s "$found")
      [ "$size" -gt 0 ] && [ "$size" -eq "$last" ] && pdfinfo "$found" >/dev/null 2>&1 && break
      last=$size
    fi
    sleep 0.25
  done
  [ -n "$found" ] || return 0
  cups_s=$(echo "$(now) - $start - 0.25" | bc -l)
  cups_pdf=$found
}

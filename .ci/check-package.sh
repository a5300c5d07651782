#!/usr/bin/env bash
# check-package.sh [BUILD_DIR] — the Debian package as a user gets it: made from BUILD_DIR
# (default build-tests/, which the test step has built), its desktop entry, metainfo and
# lintian checked (lintian errors fail), then installed, run headless from /usr/bin to
# PNG and PDF pages, its manual page and completion looked up, and removed again.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
dir=${1:-build-tests}
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$dir/CMakeCache.txt")
app_id=org.quillmere.Quillmere
apt=(apt-get)
[ "$(id -u)" -eq 0 ] || apt=(sudo apt-get)

deb=$(scripts/package.sh "$dir" | tail -1)
echo "-- package: $(basename "$deb")"
dpkg-deb --field "$deb" Version Depends | sed 's/^/   /'
[ "$(basename "$deb")" = "quillmere_${version}_amd64.deb" ] || { echo "unexpected package name"; exit 1; }

echo "-- desktop-file-validate"
desktop-file-validate "packaging/$app_id.desktop" && echo "   no findings"
echo "-- appstreamcli validate"
appstreamcli validate --no-net "$dir/packaging/$app_id.metainfo.xml"
echo "-- lintian (errors fail; warnings and notes shown)"
lintian --fail-on error --display-info "$deb" | sed 's/^/   /'
echo "   lintian: no errors"

if dpkg-query -W -f='${Status}' quillmere 2>/dev/null | grep -q "ok installed"; then
  echo "quillmere is already installed here; this check would remove it"; exit 1
fi
work=$(mktemp -d)
remove() {
  echo "-- removing the package"
  DEBIAN_FRONTEND=noninteractive "${apt[@]}" purge -y -q quillmere >/dev/null
  dpkg-query -W quillmere 2>/dev/null && { echo "   still installed"; exit 1; }
  echo "   removed"
  rm -rf "$work"
}
trap remove EXIT
echo "-- apt-get install ./$(basename "$deb")"
DEBIAN_FRONTEND=noninteractive "${apt[@]}" install -y -q "$deb" | grep -E '^(Setting up|Unpacking) quillmere' | sed 's/^/   /'

echo "-- the installed program, without a display"
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM
[ "$(command -v quillmere)" = /usr/bin/quillmere ] || { echo "quillmere is not /usr/bin/quillmere"; exit 1; }
shown=$(quillmere --version)
echo "   quillmere --version: $shown"
[ "$shown" = "quillmere $version" ] || { echo "   want: quillmere $version"; exit 1; }
quillmere --help | grep -q 'quillmere print' || { echo "   --help does not name quillmere print"; exit 1; }

# Five photos in one folder at 2 × 2 cells: one job of two pages.
mkdir -p "$work/photos"
for i in 1 2 3 4 5; do
  convert -size 400x300 "gradient:#3a7bd5-#f5d76e" -fill "#2d7a39" -draw "rectangle 0,200 400,300" \
    "$work/photos/photo$i.jpg"
done
album() {  # album FORMAT — prints the photos into $work/FORMAT and lists what came out
  quillmere print --quiet --out "$work/$1" --format "$1" --rows 2 --cols 2 --header "&f 第&p页" \
    "$work/photos"
  ls "$work/$1" | sed 's/^/   /'
}
echo "   quillmere print … --format png:"
album png
[ "$(ls "$work/png" | grep -c '\.png$')" -eq 2 ] || { echo "   want two PNG pages"; exit 1; }
for page in "$work"/png/*.png; do
  [ "$(identify -format '%m %wx%h' "$page")" = "PNG 2100x2970" ] || { echo "   $page is not an A4 PNG page at 300 dpi"; exit 1; }
done
echo "   quillmere print … --format pdf:"
album pdf
pdfs=("$work"/pdf/*.pdf)
if [ "$(ls "$work/pdf" | wc -l)" -ne 1 ] || [ ! -f "${pdfs[0]}" ]; then
  echo "   want one PDF file for the one job"; exit 1
fi
pdfinfo "${pdfs[0]}" | grep -E '^(Pages|Page size):' | sed 's/^/   /'
[ "$(pdfinfo "${pdfs[0]}" | sed -n 's/^Pages: *//p')" = 2 ] || { echo "   want a PDF of two pages"; exit 1; }

echo "-- man -w quillmere: $(man -w quillmere)"
[ "$(man -w quillmere)" = /usr/share/man/man1/quillmere.1.gz ]
man quillmere 2>&1 >/dev/null | grep . && { echo "   man reports problems"; exit 1; }
completions=$(bash -c 'source /usr/share/bash-completion/bash_completion
  COMP_WORDS=(quillmere print --format ""); COMP_CWORD=3; COMP_LINE="quillmere print --format "
  COMP_POINT=${#COMP_LINE}; _completion_loader quillmere; _quillmere; echo "${COMPREPLY[*]}"')
echo "-- bash completion of quillmere print --format: $completions"
[ -n "$completions" ]

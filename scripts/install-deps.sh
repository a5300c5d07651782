#!/usr/bin/env bash
# Installs the Debian 12 packages Quillmere needs to build, run and test; packages
# already installed are skipped, and the package lists are refreshed only when a
# package cannot be found in them. Run as root (or with sudo available).
set -euo pipefail

packages=(
  build-essential cmake pkg-config ccache
  qt6-base-dev qt6-base-dev-tools libgl-dev
  libvips-dev libjpeg-dev libcups2-dev liblcms2-dev libexif-dev
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  fonts-noto-cjk fonts-arphic-ukai
  xvfb xauth xdotool xclip imagemagick
  cups cups-bsd cups-client printer-driver-cups-pdf poppler-utils
  qpdf
  clang clang-format clang-tidy libclang-rt-14-dev
  libvips-tools libjpeg-turbo-progs
  openbox x11-utils qt6-translations-l10n libheif-examples webp libheif-dev
  librsvg2-bin groff man-db bash-completion desktop-file-utils appstream lintian dpkg-dev fakeroot
)

installed=$(dpkg-query -W -f='${Package} ${db:Status-Status}\n' "${packages[@]}" 2>/dev/null |
  awk '$2 == "installed" {print $1}' || true)
missing=()
for p in "${packages[@]}"; do
  grep -qx -- "$p" <<<"$installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -eq 0 ]; then
  sudo=()
elif command -v sudo >/dev/null; then
  sudo=(sudo)
else
  echo "These packages are missing and installing them needs root: ${missing[*]}" >&2
  exit 1
fi

echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
needs_update=0
for p in "${missing[@]}"; do
  candidate=$(apt-cache policy "$p" 2>/dev/null | awk '/Candidate:/ {print $2}')
  if [ -z "$candidate" ] || [ "$candidate" = "(none)" ]; then needs_update=1; break; fi
done
[ $needs_update -eq 1 ] && "${sudo[@]}" apt-get update -q
"${sudo[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"

#!/usr/bin/env bash
# Every #include "lib/…" in src/ must name a library its own target links directly, and
# no library may link one of a higher layer. Layers, lowest first (peers may link each
# other one way):
#   model, platform < picture, pdf, layout < render < settings, collect, exchange < print < cli < app
set -euo pipefail
cd "$(dirname "$0")/.."

declare -A rank=([model]=0 [platform]=0 [picture]=1 [pdf]=1 [layout]=1 [render]=2 [settings]=3
                 [collect]=3 [exchange]=3 [print]=4 [cli]=5 [app]=6)
status=0
for dir in src/*/; do
  lib=$(basename "$dir")
  [ -n "${rank[$lib]+x}" ] || { echo "src/$lib: no layer assigned in $0"; status=1; continue; }
  links=$(tr '\n' ' ' <"$dir/CMakeLists.txt" | grep -o 'target_link_libraries([^)]*)' |
    grep -o 'quillmere_[a-z]*' | sed 's/quillmere_//' | sort -u)
  for dep in $links; do
    [ "$dep" = "$lib" ] || [ "$dep" = options ] && continue
    [ -n "${rank[$dep]+x}" ] || continue
    if [ "${rank[$dep]}" -gt "${rank[$lib]}" ]; then
      echo "src/$lib links quillmere_$dep, which is a higher layer"; status=1
    fi
  done
  while IFS=: read -r file _ include; do
    used=$(sed -E 's/.*"([a-z]+)\/.*/\1/' <<<"$include")
    [ "$used" = "$lib" ] && continue
    [ -n "${rank[$used]+x}" ] || continue
    if ! grep -qx -- "$used" <<<"$links"; then
      echo "$file includes $used/ but quillmere_$lib does not link quillmere_$used"; status=1
    fi
  done < <(grep -rnE '^#include "[a-z]+/' "$dir" --include='*.h' --include='*.cpp' || true)
done
[ $status -eq 0 ] && echo "layers: every include follows a declared link"
exit $status

#!/usr/bin/env bash
# Prepares the benchmark folder of bench_version_reader: the PE files of Wine's library
# package (libwine), copied several times into bench/data/wine so that the benchmark reads
# a few thousand real images. Nothing here is committed (bench/data/ is ignored by git).
#   bench/setup_wine_dlls.sh [COPIES]     default 4 copies of every file
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
copies="${1:-4}"
wine_dirs=(/usr/lib/x86_64-linux-gnu/wine/x86_64-windows /usr/lib/x86_64-linux-gnu/wine/i386-windows
           /usr/lib/i386-linux-gnu/wine/i386-windows)

if ! dpkg-query -W -f='${Status}' libwine 2>/dev/null | grep -q "install ok installed"; then
  echo "Installing libwine"
  sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends libwine
fi

target="$here/data/wine"
rm -rf "$target"
mkdir -p "$target"
count=0
for dir in "${wine_dirs[@]}"; do
  [ -d "$dir" ] || continue
  arch="$(basename "$dir")"
  for ((c = 1; c <= copies; c++)); do
    for f in "$dir"/*; do
      [ -f "$f" ] || continue
      cp "$f" "$target/${c}_${arch}_$(basename "$f")"
      count=$((count + 1))
    done
  done
done
echo "Copied $count files into $target"

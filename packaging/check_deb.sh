#!/usr/bin/env bash
# Builds the Debian package from a configured build folder and checks its file list and
# its dependencies. Usage: check_deb.sh BUILD_DIR
set -euo pipefail
build="$1"
out="$build/package"
rm -rf "$out"
mkdir -p "$out"
(cd "$build" && cpack -G DEB -B "$out" >"$out/cpack.log" 2>&1) || { cat "$out/cpack.log"; exit 1; }
deb=$(ls "$out"/quorvane_*.deb)
echo "package: $(basename "$deb")"

files=$(dpkg-deb -c "$deb" | awk '{print $6}')
status=0
for want in ./usr/bin/quorvane ./usr/bin/quorvane-cli ./usr/share/quorvane/QUORVANE.HTM \
            ./usr/share/applications/quorvane.desktop ./usr/share/pixmaps/quorvane.xpm; do
  if ! grep -qx "$want" <<<"$files"; then
    echo "missing from the package: $want"
    status=1
  fi
done

depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
for want in libqt6widgets6 libqt6gui6 libqt6core6 fonts-ipafont-gothic qt6-translations-l10n libc6; do
  if ! grep -q "$want" <<<"$depends"; then
    echo "missing dependency: $want"
    status=1
  fi
done
if grep -q -- "-dev" <<<"$depends"; then
  echo "a development package is listed as a dependency"
  status=1
fi
exit $status

#!/usr/bin/env bash
# Builds Quorvane and takes the README's pictures under a virtual X server: both pages after
# real runs (docs/screenshots/extraction.png, docs/screenshots/comparison.png) and the help
# window on the bundled help file (docs/screenshots/help.png).
set -euo pipefail
QUORVANE_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
source "$QUORVANE_ROOT/scripts/common.sh"

quorvane_install_missing
command -v xvfb-run >/dev/null || {
  sudo=""; [ "$(id -u)" -ne 0 ] && sudo="sudo"
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends xvfb xauth
}
quorvane_build build >&2
cmake --build "$QUORVANE_ROOT/build" --target page_screenshots -j2 >&2
out="$QUORVANE_ROOT/docs/screenshots"
mkdir -p "$out"
QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1280x1024x24" \
  "$QUORVANE_ROOT/build/tests/page_screenshots" "$out"
ls -l "$out"/*.png

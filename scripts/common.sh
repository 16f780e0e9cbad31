# Shared by run.sh and test.sh: install what is missing, configure and build.
# shellcheck shell=bash

QUORVANE_PACKAGES=(
  build-essential cmake ninja-build pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev
  qt6-base-dev qt6-translations-l10n fonts-ipafont-gothic
)

# The Windows cross-build: the compilers, Wine to run the tests, and GoogleTest's
# sources (the packaged libraries are Linux ones).
QUORVANE_WINDOWS_PACKAGES=(
  cmake ninja-build
  g++-mingw-w64-x86-64-posix wine wine64 googletest
)

quorvane_install_missing() {
  local missing=()
  for p in "${QUORVANE_PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# quorvane_build BUILD_DIR [extra cmake args...]
quorvane_build() {
  local dir="$1"; shift
  cmake -S "$QUORVANE_ROOT" -B "$QUORVANE_ROOT/$dir" -G Ninja "$@" >/dev/null
  cmake --build "$QUORVANE_ROOT/$dir" -j2
}

# quorvane_wine PROGRAM [args...]: runs a Windows program the way the Windows build's
# tests do (its own Wine prefix in build-windows/wine, no debug output, UTC).
quorvane_wine() {
  env WINEPREFIX="$QUORVANE_ROOT/build-windows/wine" WINEDEBUG=-all \
      WINEDLLOVERRIDES="mscoree,mshtml=" TZ=UTC wine "$@"
}

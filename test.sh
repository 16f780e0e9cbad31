#!/usr/bin/env bash
# Installs what is missing, builds and runs every test.
#   ./test.sh             build/ and ctest
#   ./test.sh --sanitize  the same in build-asan/ with AddressSanitizer and UBSan
#   ./test.sh --windows   the core, quorvane-cli and their tests cross-built for 64-bit
#                         Windows in build-windows/ and run under Wine
#   ./test.sh --coverage  a Debug build in build-cov/ with --coverage, ctest offscreen, then
#                         gcovr's line and branch summary of src/ (not run by the CI)
set -euo pipefail
QUORVANE_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
source "$QUORVANE_ROOT/scripts/common.sh"

dir=build
args=()
coverage=0
if [ "${1:-}" = "--sanitize" ]; then
  dir=build-asan
  args=(-DQUORVANE_SANITIZE=ON -DQUORVANE_BENCH=OFF -DCMAKE_BUILD_TYPE=Debug)
elif [ "${1:-}" = "--windows" ]; then
  QUORVANE_PACKAGES=("${QUORVANE_WINDOWS_PACKAGES[@]}")
  dir=build-windows
  args=(-DCMAKE_TOOLCHAIN_FILE="$QUORVANE_ROOT/cmake/mingw-w64-x86_64.cmake"
        -DQUORVANE_GTEST_SOURCE_DIR=/usr/src/googletest -DQUORVANE_BENCH=OFF)
  if command -v ccache >/dev/null; then args+=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache); fi
elif [ "${1:-}" = "--coverage" ]; then
  dir=build-cov
  coverage=1
  args=(-DQUORVANE_BENCH=OFF -DCMAKE_BUILD_TYPE=Debug
        "-DCMAKE_CXX_FLAGS=--coverage -fprofile-update=atomic" -DCMAKE_EXE_LINKER_FLAGS=--coverage)
  if command -v ccache >/dev/null; then args+=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache); fi
fi

quorvane_install_missing
quorvane_build "$dir" "${args[@]}"
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=0}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"
cd "$QUORVANE_ROOT/$dir"
if [ "$dir" = build-windows ]; then
  # Make the build's Wine prefix once, before tests start in parallel.
  quorvane_wine wineboot --init
fi
if [ "$coverage" = 1 ]; then
  command -v gcovr >/dev/null || { echo "gcovr is missing (apt-get install gcovr)" >&2; exit 1; }
  # Counters from an earlier run would add to this one.
  find . -name '*.gcda' -delete
  status=0
  QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2 -E debian_package || status=$?
  cd "$QUORVANE_ROOT"
  # The full report goes beside the build: gcovr 5 deletes a file named by -o while it checks
  # that it can write there, which would remove /dev/null itself. Only the build folder is
  # searched: the Windows build's Wine prefix links its drive Z: to the whole file system.
  gcovr -r . --filter src/ --object-directory "$dir" --print-summary -o "$dir/coverage.txt" "$dir"
  exit "$status"
fi
ctest --output-on-failure -j2

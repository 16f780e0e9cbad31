#!/usr/bin/env bash
# Installs what is missing, builds, and starts Quorvane.
#   ./run.sh           the program
#   ./run.sh ARGS...   the command-line front end: quorvane-cli ARGS...
set -euo pipefail
QUORVANE_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
source "$QUORVANE_ROOT/scripts/common.sh"

quorvane_install_missing
quorvane_build build >&2
if [ $# -gt 0 ] || [ ! -x "$QUORVANE_ROOT/build/src/shell/quorvane" ]; then
  exec "$QUORVANE_ROOT/build/src/cli/quorvane-cli" "$@"
fi
exec "$QUORVANE_ROOT/build/src/shell/quorvane"

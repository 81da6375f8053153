#!/usr/bin/env bash
# Runs one Windows program of the build under Wine with the build's environment (CTest's emulator).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
. "$top/scripts/wine-env.sh" "${FOLVANE_BUILD_DIR:?}"
folvane_ensure_prefix
exec wine "$@"

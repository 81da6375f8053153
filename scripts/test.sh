#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test under Wine (on a private Xvfb when there is
# no display). Ends with CTest's summary.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build_dir=${FOLVANE_BUILD_DIR:-$top/build}
"$top/scripts/install-deps.sh"
"$top/scripts/build.sh" "$build_dir"
. "$top/scripts/wine-env.sh" "$build_dir"
folvane_ensure_display
folvane_ensure_prefix
trap folvane_stop_display EXIT
cd "$build_dir"
ctest --output-on-failure --timeout 900 "$@"

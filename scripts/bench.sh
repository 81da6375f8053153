#!/usr/bin/env bash
# Installs what is missing, builds, and runs every benchmark (bench_*.exe) under Wine.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build_dir=${FOLVANE_BUILD_DIR:-$top/build}
"$top/scripts/install-deps.sh"
"$top/scripts/build.sh" "$build_dir"
. "$top/scripts/wine-env.sh" "$build_dir"
folvane_ensure_display
folvane_ensure_prefix
trap folvane_stop_display EXIT
for bench in "$build_dir"/bench/bench_*.exe; do
  echo "== $(basename "$bench")"
  SECONDS=0
  (cd "$build_dir" && wine "$bench")
  echo "== $(basename "$bench") took $SECONDS s"
done

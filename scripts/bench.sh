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
# A benchmark that fails is reported and the others still run; the script then ends with failure.
failed=0
for bench in "$build_dir"/bench/bench_*.exe; do
  echo "== $(basename "$bench")"
  SECONDS=0
  status=0
  (cd "$build_dir" && wine "$bench") || status=$?
  echo "== $(basename "$bench") took $SECONDS s"
  if [ $status -ne 0 ]; then
    echo "== $(basename "$bench") failed with exit code $status"
    failed=1
  fi
done
exit $failed

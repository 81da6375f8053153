#!/usr/bin/env bash
# Configures and builds everything (program, tests, benchmarks) into BUILD_DIR (default: build).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build_dir=${1:-$top/build}
cmake -S "$top" -B "$build_dir" -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$top/cmake/mingw-w64-x86_64.cmake" \
  -DCMAKE_BUILD_TYPE="${FOLVANE_BUILD_TYPE:-Release}" >/dev/null
cmake --build "$build_dir"

#!/usr/bin/env bash
# Draws the embedded skin's sheet: every top-level object at a typical control size in the states
# normal, hot, pressed, focused and disabled, with labels. Writes a PNG (default:
# BUILD_DIR/skin-sheet.png, or the path given as the only argument).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build_dir=${FOLVANE_BUILD_DIR:-$top/build}
"$top/scripts/install-deps.sh"
if [ -f "$build_dir/build.ninja" ]; then
  cmake --build "$build_dir" --target skinc skin_store
else
  "$top/scripts/build.sh" "$build_dir"
fi
build_dir=$(cd "$build_dir" && pwd)
out=$(realpath -m "${1:-$build_dir/skin-sheet.png}")
. "$top/scripts/wine-env.sh" "$build_dir"
folvane_ensure_display
folvane_ensure_prefix
trap folvane_stop_display EXIT

sheet_bmp="$build_dir/skin-sheet.bmp"
wine "$build_dir/skinc.exe" sheet "Z:$build_dir/resources/folvane.skin" "Z:$sheet_bmp"
convert "$sheet_bmp" "$out"
rm -f "$sheet_bmp"
echo "Skin sheet: $out"

#!/usr/bin/env bash
# Installs what is missing, builds, and starts folvane.exe under Wine. Without a display it runs on a
# private Xvfb and leaves a screenshot of the window in build/folvane-screenshot.png.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build_dir=${FOLVANE_BUILD_DIR:-$top/build}
"$top/scripts/install-deps.sh"
"$top/scripts/build.sh" "$build_dir"
. "$top/scripts/wine-env.sh" "$build_dir"

had_display=0
if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then had_display=1; fi
folvane_ensure_display
folvane_ensure_prefix

if [ $had_display -eq 1 ]; then
  exec wine "$build_dir/folvane.exe"
fi

trap folvane_stop_display EXIT
wine "$build_dir/folvane.exe" &
for _ in $(seq 100); do
  xdotool search --name "Folvane Tool" >/dev/null 2>&1 && break
  sleep 0.2
done
sleep 2
import -window root "$build_dir/folvane-screenshot.png"
echo "folvane.exe is running on the private display $DISPLAY; screenshot: $build_dir/folvane-screenshot.png"
echo "Press Ctrl+C to stop it."
wait

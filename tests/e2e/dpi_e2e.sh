#!/usr/bin/env bash
# End-to-end check at a display scale of 150 % (144 DPI), in a copy of the build's Wine prefix with
# that setting: folvane.exe must be laid out 1.5 times its 100 % size (the skinned frame's border
# and caption too), and a person must be able to work it where they see it: the root typed into the
# box, depth 2 picked from the drop-down list by its scaled rows, Add and Start clicked at their
# scaled places, the listing written. A screenshot of the window is left in
# BUILD_DIR/tests/e2e-main-window-144dpi.png for people to look at.
# Usage: dpi_e2e.sh BUILD_DIR FOLVANE_EXE PROBE_EXE
set -euo pipefail
top=$(cd "$(dirname "$0")/../.." && pwd)
build_dir=$1
folvane_exe=$(realpath "$2")
probe_exe=$(realpath "$3")
. "$top/scripts/wine-env.sh" "$build_dir"
folvane_ensure_display
folvane_ensure_prefix
dpi=144
folvane_use_dpi_prefix $dpi
. "$top/tests/e2e/e2e_session.sh"

root="$work/根目錄"
mkdir -p "$root/資料/子" "$work/out"
root_win="Z:$(echo "$root/" | tr / '\\')"
start_folvane "$folvane_exe" "$work/out"
read -r fw fh fx fy <<<"$(wine "$probe_exe" frame "Folvane Tool")"
# The skin's 5-pixel border and 30-pixel caption, around the 363-pixel wide client area.
[ $((ox - fx)) -eq "$(s 5)" ] && [ $((oy - fy)) -eq "$(s 30)" ] \
  || fail "the client area starts at $((ox - fx)),$((oy - fy)) inside the frame, not at $(s 5),$(s 30)"
[ "$fw" -eq $(($(s 363) + 2 * $(s 5))) ] || fail "the window is $fw pixels wide at $dpi DPI"

type_root "$root_win"
choose_depth_2
# Add (BitBtn2 at 272, 57), then Start (BitBtn5 at 192, 328).
click 309 69
click 228 340
message=$(wait_message "Folvane Tool")
[ "$message" = "目錄列舉完畢" ] || fail "completion message: '$message'"
read -r dclass dw dh dx dy _ <<<"$(wine "$probe_exe" dialog "Folvane Tool")"
[ "$dclass" = "Folvane.MessageForm" ] || fail "the completion message is not the skinned dialog ($dclass)"
shot="$build_dir/tests/e2e-main-window-144dpi.png"
import -window root -crop "$((dx + dw - fx > fw ? dx + dw - fx : fw))x${fh}+${fx}+${fy}" +repage "$shot" \
  && echo "screenshot: $shot"
xdotool key Return

listing="$work/out/folvane.txt"
[ -f "$listing" ] || fail "no listing file"
expected_body=$(printf '\r\n%s\r\n\t%s資料\\\r\n\t\t%s資料\\子\r\n' "$root_win" "$root_win" "$root_win" |
  iconv -f utf-8 -t cp950 | xxd -p | tr -d '\n')
actual_body=$(tail -n +2 "$listing" | xxd -p | tr -d '\n')
[ "$actual_body" = "$expected_body" ] || fail "listing body differs
$(tail -n +2 "$listing" | iconv -f cp950 -t utf-8 | cat -A)"

wine "$probe_exe" close "Folvane Tool" >/dev/null 2>&1 || true
for _ in $(seq 30); do
  kill -0 "$folvane_pid" 2>/dev/null || break
  sleep 0.5
done
kill -0 "$folvane_pid" 2>/dev/null && fail "the program did not end when its window was closed"
wineserver -k 2>/dev/null || true
echo "PASS: at $dpi DPI the window is laid out at 1.5 times its size and works where it is seen"

#!/usr/bin/env bash
# End-to-end check of a listing run: starts folvane.exe under Wine on the display, works it with
# xdotool as a person would (types a root, picks a depth from the drop-down list, clicks Add and
# Start on the skinned buttons, confirms the skinned completion dialog with Enter) and compares the
# listing file byte for byte; then saves the configuration from the keyboard through the menu (Alt+F,
# S) and compares that file too; then opens the program's own system menu with Alt+Space and with a
# right click on the caption, and ends the program with Alt+F4. The header's date and time are
# checked against the headers that the helper builds from the platform's formats for every second
# between the click on Start and the message. Screenshots of the main window after the run and of
# its system menu are left in BUILD_DIR/tests (e2e-main-window.png, e2e-system-menu.png) for people
# to look at.
# Usage: listing_e2e.sh BUILD_DIR FOLVANE_EXE PROBE_EXE
set -euo pipefail
top=$(cd "$(dirname "$0")/../.." && pwd)
build_dir=$1
folvane_exe=$(realpath "$2")
probe_exe=$(realpath "$3")
. "$top/scripts/wine-env.sh" "$build_dir"
folvane_ensure_display
folvane_ensure_prefix

. "$top/tests/e2e/e2e_session.sh"

# The tree: a root with a Chinese name (typed into the edit as Chinese characters), one visible
# folder with a Chinese name holding three folders (two levels, the lower one sorted), a folder
# hidden by its dot name, and plain files.
root="$work/根目錄"
mkdir -p "$root/資料/beta" "$root/資料/Alpha/deeper" "$root/資料/gamma" "$root/.cache/inside" "$work/out"
touch "$root/notes.txt" "$root/資料/readme.txt"
root_win="Z:$(echo "$root/" | tr / '\\')"

# Started from the output folder, so the output box shows it.
start_folvane "$folvane_exe" "$work/out"

type_root "$root_win"
choose_depth_2
# Add (BitBtn2 at 272, 57), then Start (BitBtn5 at 192, 328).
click 309 69
started=$(date +%s)
click 228 340

message=$(wait_message "Folvane Tool")
finished=$(date +%s)
[ "$message" = "目錄列舉完畢" ] || fail "completion message: '$message'"
# The program's own skinned dialog, centred on the screen; Enter reaches its focused OK button.
read -r dclass dw dh dx dy sw sh <<<"$(wine "$probe_exe" dialog "Folvane Tool")"
[ "$dclass" = "Folvane.MessageForm" ] || fail "the completion message is not the skinned dialog ($dclass)"
[ "$dx" -eq $(((sw - dw) / 2)) ] && [ "$dy" -eq $(((sh - dh) / 2)) ] || fail "dialog at $dx,$dy is not centred"
dialog_shot="$build_dir/tests/e2e-completion-dialog.png"
import -window root -crop "${dw}x${dh}+${dx}+${dy}" +repage "$dialog_shot" && echo "screenshot: $dialog_shot"
xdotool key Return
wait_closed "Folvane Tool"

read -r fw fh fx fy <<<"$(wine "$probe_exe" frame "Folvane Tool")"
shot="$build_dir/tests/e2e-main-window.png"
import -window root -crop "${fw}x${fh}+${fx}+${fy}" +repage "$shot" && echo "screenshot: $shot"

listing="$work/out/folvane.txt"
[ -f "$listing" ] || fail "no listing file"
# The header is the first line; no byte of a code page 950 text is a line feed.
header_hex=$(head -n 1 "$listing" | xxd -p | tr -d '\n')
wine "$probe_exe" headers "$started" "$finished" | tr -d '\r' | grep -qx "$header_hex" \
  || fail "header '$(head -n 1 "$listing" | iconv -f cp950 -t utf-8)' is not the one of the run's start"

line() {
  printf '\r\n'
  for _ in $(seq 1 "$1"); do printf '\t'; done
  printf '%s' "$2"
}
# After the header's line break, the root's line break makes the empty line.
expected_body=$({
  line 0 "$root_win"
  line 1 "${root_win}資料\\"
  line 2 "${root_win}資料\\Alpha"
  line 2 "${root_win}資料\\beta"
  line 2 "${root_win}資料\\gamma"
  printf '\r\n'
} | iconv -f utf-8 -t cp950 | xxd -p | tr -d '\n')
actual_body=$(tail -n +2 "$listing" | xxd -p | tr -d '\n')
[ "$actual_body" = "$expected_body" ] || fail "listing body differs
$(tail -n +2 "$listing" | iconv -f cp950 -t utf-8 | cat -A)"

# The configuration saved from the keyboard: Alt+F opens the file menu, S chooses the save entry.
xdotool key alt+f
sleep 1
xdotool key s
dialog=""
for _ in $(seq 30); do
  dialog=$(xdotool search --name "選擇檔案儲存" 2>/dev/null || true)
  [ -n "$dialog" ] && break
  sleep 0.5
done
[ -n "$dialog" ] || fail "the save dialog did not open from the menu"
sleep 1
out_win="Z:$(echo "$work/out/" | tr / '\\')"
xdotool type --delay 30 "${out_win}saved.cfg"
xdotool key Return
message=$(wait_message "Folvane Tool")
[ "$message" = "儲存設定檔完成" ] || fail "save message: '$message'"
xdotool key Return
config="$work/out/saved.cfg"
[ -f "$config" ] || fail "no configuration file"
expected_config=$(printf '[DIR]\r\nDIR0=%s;2\r\n[OUTPUT]\r\nOUTPUTDIR=%s\r\nOUTPUTTYPE=0\r\nOUTPUTFILE=folvane.txt\r\n' \
  "$root_win" "$out_win" | iconv -f utf-8 -t cp950 | xxd -p | tr -d '\n')
[ "$(xxd -p "$config" | tr -d '\n')" = "$expected_config" ] || fail "configuration file differs
$(iconv -f cp950 -t utf-8 "$config" | cat -A)"

# The same kind of run from a .cfg: loaded in the window through its menu ("載入設定檔") and started
# there, then run without a window by "folvane.exe /run"; both files must hold the same bytes after
# their headers, and each header must be the one of its own run's start.
mkdir -p "$work/plan dir/out"
plan_win="Z:$(echo "$work/plan dir/" | tr / '\\')"
printf '[DIR]\r\nDIR0=%s;2\r\nDIR1=%s資料\\;1\r\n[OUTPUT]\r\nOUTPUTDIR=%sout\\\r\nOUTPUTTYPE=0\r\nOUTPUTFILE=清單.txt\r\n' \
  "$root_win" "$root_win" "$plan_win" | iconv -f utf-8 -t cp950 >"$work/plan dir/plan.cfg"
planned_listing="$work/plan dir/out/清單.txt"

check_header() {
  local hex
  hex=$(head -n 1 "$1" | xxd -p | tr -d '\n')
  wine "$probe_exe" headers "$2" "$3" | tr -d '\r' | grep -qx "$hex" \
    || fail "header of $1 is not the one of its run's start"
}

wait_closed "Folvane Tool"
xdotool key alt+f
sleep 0.5
xdotool key l
[ -n "$(wait_message "選擇檔案載入")" ] || fail "the load dialog did not open"
sleep 1
xdotool type --delay 30 "${plan_win}plan.cfg"
xdotool key Return
message=$(wait_message "Folvane Tool")
[ "$message" = "載入設定檔完成" ] || fail "load message: '$message'"
xdotool key Return
wait_closed "Folvane Tool"

started=$(date +%s)
click 228 340
message=$(wait_message "Folvane Tool")
finished=$(date +%s)
[ "$message" = "目錄列舉完畢" ] || fail "completion message after the load: '$message'"
xdotool key Return
wait_closed "Folvane Tool"
[ -f "$planned_listing" ] || fail "the window wrote no file for the .cfg"
check_header "$planned_listing" "$started" "$finished"
mkdir -p "$work/plan"
mv "$planned_listing" "$work/plan/window.txt"


# The system menu is the program's own: Alt+Space shows it at the client area's origin, below the
# system-menu icon, and Escape closes it; a right click on the caption shows it at the click.
wait_menu() {
  menu=""
  for _ in $(seq 20); do
    menu=$(wine "$probe_exe" menu 2>/dev/null || true)
    [ -n "$menu" ] && return 0
    sleep 0.5
  done
  return 1
}
wait_menu_closed() {
  for _ in $(seq 20); do
    wine "$probe_exe" menu >/dev/null 2>&1 || return 0
    sleep 0.5
  done
  return 1
}
xdotool key alt+space
wait_menu || fail "Alt+Space showed no menu of the program's own"
read -r mw mh mx my <<<"$menu"
[ "$mx" -eq "$ox" ] && [ "$my" -eq "$oy" ] || fail "the system menu at $mx,$my is not at the client origin $ox,$oy"
menu_shot="$build_dir/tests/e2e-system-menu.png"
import -window root -crop "$((mx + mw - fx > fw ? mx + mw - fx : fw))x$((my + mh - fy > fh ? my + mh - fy : fh))+${fx}+${fy}" \
  +repage "$menu_shot" && echo "screenshot: $menu_shot"
xdotool key Escape
wait_menu_closed || fail "the system menu did not close on Escape"
xdotool mousemove "$((fx + 150))" "$((fy + 12))" click 3
wait_menu || fail "a right click on the caption showed no system menu"
read -r mw mh mx my <<<"$menu"
[ "$mx" -eq "$((fx + 150))" ] && [ "$my" -eq "$((fy + 12))" ] || fail "the system menu at $mx,$my is not at the click"
xdotool key Escape
wait_menu_closed || fail "the system menu did not close on Escape"

# Alt+F4 ends the program.
xdotool key alt+F4
for _ in $(seq 30); do
  kill -0 "$folvane_pid" 2>/dev/null || break
  sleep 0.5
done
kill -0 "$folvane_pid" 2>/dev/null && fail "Alt+F4 did not end the program"

# A path with a blank, in quotes.
started=$(date +%s)
status=0
wine "$folvane_exe" /run "${plan_win}plan.cfg" >"$work/plan/stdout" 2>"$work/plan/stderr" || status=$?
finished=$(date +%s)
[ "$status" -eq 0 ] || fail "folvane.exe /run ended with $status: $(iconv -f cp950 -t utf-8 <"$work/plan/stderr")"
[ -f "$planned_listing" ] || fail "folvane.exe /run wrote no file"
check_header "$planned_listing" "$started" "$finished"
cmp <(tail -n +2 "$work/plan/window.txt") <(tail -n +2 "$planned_listing") \
  || fail "the unattended run's file differs from the window's
$(diff <(iconv -f cp950 -t utf-8 <"$work/plan/window.txt" | cat -A) <(iconv -f cp950 -t utf-8 <"$planned_listing" | cat -A))"
[ "$(wc -l <"$planned_listing")" -ge 6 ] || fail "the .cfg's listing is too short"

# The command line's other answers.
status=0
wine "$folvane_exe" /? >"$work/plan/usage" 2>/dev/null || status=$?
[ "$status" -eq 0 ] && grep -q -- "/run" "$work/plan/usage" || fail "/? ended with $status and printed no usage"
status=0
wine "$folvane_exe" --run "$work/plan/missing.cfg" >/dev/null 2>"$work/plan/stderr" || status=$?
[ "$status" -eq 3 ] && grep -q '^Cannot open file ' "$work/plan/stderr" || fail "a missing .cfg ended with $status"
status=0
wine "$folvane_exe" -run >/dev/null 2>&1 || status=$?
[ "$status" -eq 2 ] || fail "-run without a file ended with $status"

# A .cfg written by hand that asks for UTF-8 and excludes a folder name: the listing starts with the
# byte-order mark, holds a name that code page 950 cannot hold exactly, and leaves the excluded
# folder out.
utf8_root="$work/utf8"
mkdir -p "$utf8_root/Beyoncé" "$utf8_root/node_modules/inside" "$utf8_root/Zappa" "$work/utf8-out"
utf8_root_win="Z:$(echo "$utf8_root/" | tr / '\\')"
utf8_out_win="Z:$(echo "$work/utf8-out/" | tr / '\\')"
printf '[DIR]\r\nDIR0=%s;1\r\n[OUTPUT]\r\nOUTPUTDIR=%s\r\nOUTPUTTYPE=0\r\nOUTPUTFILE=utf8.txt\r\nOUTPUTENCODING=UTF-8\r\n[EXCLUDE]\r\nEXCLUDE0=node_modules\r\n' \
  "$utf8_root_win" "$utf8_out_win" >"$work/utf8.cfg"
status=0
wine "$folvane_exe" /run "Z:$(echo "$work/utf8.cfg" | tr / '\\')" >/dev/null 2>"$work/utf8-out/stderr" || status=$?
[ "$status" -eq 0 ] || fail "the UTF-8 run ended with $status: $(iconv -f cp950 -t utf-8 <"$work/utf8-out/stderr")"
utf8_listing="$work/utf8-out/utf8.txt"
[ -f "$utf8_listing" ] || fail "the UTF-8 run wrote no file"
header_prefix=$(printf '\xef\xbb\xbf列舉日期: ' | xxd -p | tr -d '\n')
[[ "$(head -n 1 "$utf8_listing" | xxd -p | tr -d '\n')" == "$header_prefix"*0d0a ]] \
  || fail "the UTF-8 listing's header is '$(head -n 1 "$utf8_listing" | cat -A)'"
expected_body=$(printf '\r\n%s\r\n\t%sBeyoncé\r\n\t%sZappa\r\n' "$utf8_root_win" "$utf8_root_win" "$utf8_root_win" |
  xxd -p | tr -d '\n')
[ "$(tail -n +2 "$utf8_listing" | xxd -p | tr -d '\n')" = "$expected_body" ] || fail "the UTF-8 listing's body differs
$(tail -n +2 "$utf8_listing" | cat -A)"

echo "PASS: the listing of $root_win written by folvane.exe matches byte for byte, and so does the configuration saved from the menu; the system menu and Alt+F4 are the program's own"
echo "PASS: folvane.exe /run writes the window's bytes for the same .cfg, a UTF-8 listing without the excluded folder for a hand-written one; /? and bad command lines answer"

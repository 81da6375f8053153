# Sourced by the other scripts: the environment every Wine process of one build folder shares.
# Usage: . scripts/wine-env.sh BUILD_DIR
folvane_build_dir=$(cd "$1" && pwd)
export WINEPREFIX="$folvane_build_dir/wineprefix"
export WINEARCH=win64
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export LANG=zh_TW.UTF-8
export LC_ALL=zh_TW.UTF-8

# A private X display when there is none: Xvfb on the first free number from 90 on.
folvane_ensure_display() {
  if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then return 0; fi
  local n=90
  while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
  Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  FOLVANE_XVFB_PID=$!
  export DISPLAY=":$n"
  for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
}

# The prefix is made on first use, with the settings below; later runs find it ready. Callers that
# start at once (CTest's jobs) wait for each other. A prefix that Wine makes by itself lacks the
# settings: without a window manager, hiding each window would then wait two seconds.
folvane_ensure_prefix() {
  (
    flock 9
    folvane_prepare_prefix
  ) 9>"$folvane_build_dir/wineprefix.lock"
}

folvane_prepare_prefix() {
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "Creating the Wine prefix in $WINEPREFIX"
    wineboot -i >/dev/null 2>&1 || true
    wineserver -w
  fi
  # Without a window manager (Xvfb) nobody would draw the frames, and hiding a window would wait two
  # seconds for a window manager's answer: Wine draws caption and borders and places windows itself.
  if ! grep -q '"Managed"="N"' "$WINEPREFIX/user.reg" 2>/dev/null; then
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /t REG_SZ /d N /f >/dev/null 2>&1 || true
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1 || true
    wineserver -w
  fi
  # A crashing program must end at once with a failure, not wait in the interactive debugger.
  if ! grep -q '"Debugger"="false"' "$WINEPREFIX/system.reg" 2>/dev/null; then
    wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' /v Debugger /t REG_SZ /d false /f \
      >/dev/null 2>&1 || true
    wineserver -w
  fi
  # Wine's own TrueType fonts (Marlett for the caption buttons, MS Sans Serif, Tahoma) are not found
  # where this Wine looks, so they go into the prefix; their Chinese characters come from the CJK
  # font through the system's font links, as on a Traditional Chinese Windows.
  local fonts="$WINEPREFIX/drive_c/windows/Fonts"
  if [ ! -f "$fonts/marlett.ttf" ]; then
    local sources=(/usr/share/wine/fonts/*.ttf)
    if [ ! -f "${sources[0]}" ]; then
      echo "Wine's fonts are missing from /usr/share/wine/fonts (Debian package fonts-wine);" \
        "run scripts/install-deps.sh" >&2
      return 1
    fi
    mkdir -p "$fonts"
    cp "${sources[@]}" "$fonts/"
  fi
  if ! grep -q 'WenQuanYi Micro Hei' "$WINEPREFIX/system.reg" 2>/dev/null; then
    local face
    for face in "MS Sans Serif" "Microsoft Sans Serif" "Tahoma"; do
      wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink' /v "$face" \
        /t REG_MULTI_SZ /d 'wqy-microhei.ttc,WenQuanYi Micro Hei' /f >/dev/null 2>&1 || true
    done
    wineserver -w
  fi
}

# A copy of the prefix whose display scale is DPI (96 is 100 %), made on first use beside it, becomes
# the prefix of this shell: the programs started from now on see that DPI. The build's own prefix
# stays at 100 % for the other tests.
folvane_use_dpi_prefix() {
  local scaled="$WINEPREFIX-$1dpi"
  if [ ! -f "$scaled/user.reg" ] || ! grep -q "\"LogPixels\"=dword:$(printf '%08x' "$1")" "$scaled/user.reg"; then
    rm -rf "$scaled"
    mkdir -p "$scaled"
    cp -a "$WINEPREFIX/drive_c" "$WINEPREFIX/dosdevices" "$WINEPREFIX"/*.reg "$scaled/"
    WINEPREFIX="$scaled" wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1
    WINEPREFIX="$scaled" wineserver -w
  fi
  export WINEPREFIX="$scaled"
}

folvane_stop_display() {
  wineserver -k 2>/dev/null || true
  if [ -n "${FOLVANE_XVFB_PID:-}" ]; then kill "$FOLVANE_XVFB_PID" 2>/dev/null || true; fi
}

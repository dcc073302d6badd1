# Shared by the entry points: build folders, a private Wine prefix and a virtual display.
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${KV_BUILD:-$root/build}
jobs=$(nproc 2>/dev/null || echo 2)

configure_windows() { # $1: build type
  cmake -S "$root" -B "$build/windows" -DCMAKE_BUILD_TYPE="$1" \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" >/dev/null
}

# Starts Xvfb on a free display number; sets DISPLAY and xvfb_pid.
start_xvfb() {
  local n=${KV_DISPLAY_START:-91}
  while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
  Xvfb ":$n" -screen 0 2560x1600x24 -nolisten tcp >/dev/null 2>&1 &
  xvfb_pid=$!
  export DISPLAY=":$n"
  for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && return 0; sleep 0.1; done
  echo "Xvfb did not start on $DISPLAY" >&2
  return 1
}

# One wineserver for the whole run; the first start of a prefix takes a few seconds.
start_wine() {
  export WINEPREFIX="$build/windows/wineprefix" WINEDEBUG=-all LANG=C.UTF-8 LC_ALL=C.UTF-8
  # Shortcuts and file types made in the test prefix must not reach the Linux desktop's menus.
  export WINEDLLOVERRIDES="winemenubuilder.exe=d"
  mkdir -p "$WINEPREFIX"
  [ -f "$WINEPREFIX/system.reg" ] || wineboot -i >/dev/null 2>&1 || true
  wineserver -p 2>/dev/null || true  # already running is fine
  # A new prefix does not see the fonts of Debian's fonts-wine: without them the title-bar
  # buttons show letters and the default GUI font falls back to one with other metrics.
  local fonts="$WINEPREFIX/drive_c/windows/Fonts" font
  mkdir -p "$fonts"
  for font in marlett tahoma tahomabd; do
    [ -f "$fonts/$font.ttf" ] || cp "/usr/share/wine/fonts/$font.ttf" "$fonts/" 2>/dev/null || true
  done
  # A crashing test must fail at once, not wait on Wine's crash dialog until the time-out.
  if [ ! -f "$WINEPREFIX/.kv-no-crash-dialog" ]; then
    "$root/scripts/wine-exec" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog \
      /t REG_DWORD /d 0 /f >/dev/null 2>&1 && touch "$WINEPREFIX/.kv-no-crash-dialog" || true
  fi
}

stop_wine() { wineserver -k >/dev/null 2>&1 || true; }

# For a trap on EXIT: stops whatever start_xvfb and start_wine started, however the script ends.
stop_display_and_wine() {
  [ -n "${WINEPREFIX:-}" ] && stop_wine
  [ -n "${xvfb_pid:-}" ] && kill "$xvfb_pid" 2>/dev/null
  xvfb_pid=""
}

# Sourced by scripts that run Windows programs: the project's Wine prefix (WK_WINEPREFIX,
# default build/wineprefix; made once) and an X display (DISPLAY, else a private Xvfb).
wk_repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
export WINEPREFIX=${WK_WINEPREFIX:-$wk_repo/build/wineprefix} WINEDEBUG=${WINEDEBUG:--all} WINEARCH=win64
wk_prepare_prefix() {
  mkdir -p "$(dirname "$WINEPREFIX")"
  (
    flock 9
    [ -f "$WINEPREFIX/.wk-ready" ] && exit 0
    rm -rf "$WINEPREFIX"
    # No Mono or Gecko: nothing may be downloaded. Managed=N: without a window manager Wine
    # would wait ~2 s on every hide or close of a window.
    WINEDLLOVERRIDES="mscoree,mshtml=d" wine wineboot -i >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
    wineserver -w; touch "$WINEPREFIX/.wk-ready"
  ) 9>"$WINEPREFIX.lock"
}
wk_start_display() {
  [ -n "${DISPLAY:-}" ] && return 0
  local number
  for number in $(seq 90 140); do
    [ -e "/tmp/.X11-unix/X$number" ] || [ -e "/tmp/.X$number-lock" ] && continue
    Xvfb ":$number" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 & WK_XVFB_PID=$!
    export DISPLAY=":$number"
    for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$number" ] && return 0; sleep 0.1; done
  done
  echo "could not start Xvfb" >&2; return 1
}
wk_stop_display() { [ -n "${WK_XVFB_PID:-}" ] && kill "$WK_XVFB_PID" 2>/dev/null; WK_XVFB_PID=; }

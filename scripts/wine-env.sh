# Sourced by scripts that run Windows programs: the project's Wine prefix (WK_WINEPREFIX,
# default build/wineprefix), an X display (DISPLAY, else a private Xvfb), and wk_wine, which
# starts a program with the loader of its own bitness.
wk_repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEPREFIX=${WK_WINEPREFIX:-$wk_repo/build/wineprefix} WINEDEBUG=${WINEDEBUG:--all} WINEARCH=win64
# With wine32 installed, Debian's /usr/bin/wine always takes the 32-bit loader, which cannot
# start anything where the kernel runs no 32-bit code. 64-bit programs go to wine64 directly;
# Wine derives the 32-bit loader from this name when a 64-bit process starts a 32-bit one.
# Another wine on PATH (a build of one's own) is used as it is.
wk_path_wine=$(command -v wine 2>/dev/null || true)
if [ -z "$wk_path_wine" ] || [ "$wk_path_wine" = /usr/bin/wine ]; then
  wk_wine64=/usr/lib/wine/wine64 wk_wine32=/usr/lib/wine/wine
  export WINELOADER=$wk_wine64
else
  wk_wine64=$wk_path_wine wk_wine32=$wk_path_wine
fi

# wk_pe_bits FILE: 32 or 64 from the PE header's machine field; nothing for other files.
wk_pe_bits() {
  local offset machine
  offset=$(od -An -tu4 -j60 -N4 "$1" 2>/dev/null | tr -d ' ') || return 1
  machine=$(od -An -tx2 -j$((offset + 4)) -N2 "$1" 2>/dev/null | tr -d ' ')
  case $machine in 8664) echo 64 ;; 014c) echo 32 ;; *) return 1 ;; esac
}

# wk_loader PROGRAM: the loader for a .exe path by its bitness; anything else (wineboot, reg) is
# started as 64-bit. wk_wine PROGRAM [ARGS...] runs it.
wk_loader() {
  if [ -f "$1" ] && [ "$(wk_pe_bits "$1")" = 32 ]; then echo "$wk_wine32"; else echo "$wk_wine64"; fi
}
wk_wine() { "$(wk_loader "$1")" "$@"; }

# What the prefix was made with: a prefix made before wine32 was installed stops every exe
# ("could not load kernel32.dll"), so any change of Wine's packages makes it anew.
wk_wine_stamp() {
  dpkg --print-foreign-architectures | sort
  dpkg-query -W -f='${Package}:${Architecture} ${Version} ${Status}\n' 'wine*' 'libwine*' 2>/dev/null | sort
}

# The end-to-end tests put a stand-in (fake_cmd.exe) over Wine's own cmd, winver, control, msconfig,
# msinfo32 and hh, keeping Wine's as NAME.wk-wine, and put them back when they end. A run that was
# killed leaves the stand-ins, and every later start of the program would record fake captures:
# put Wine's own programs back.
wk_restore_wine_programs() {
  local windows=$WINEPREFIX/drive_c/windows folder name path stand_in found=
  for folder in "$windows/system32" "$windows/syswow64" "$windows"; do
    for name in cmd winver control msconfig msinfo32 hh; do
      path=$folder/$name.exe
      [ -f "$path" ] || continue
      for stand_in in "$wk_repo"/build/win*-tests/fake_cmd.exe; do
        cmp -s "$path" "$stand_in" || continue
        found=1
        # A kept copy that is a stand-in too was never Wine's own.
        cmp -s "$path.wk-wine" "$stand_in" && rm -f "$path.wk-wine"
        if [ -f "$path.wk-wine" ]; then cp "$path.wk-wine" "$path"; else rm -f "$path"; fi
      done
    done
  done
  if [ -n "$found" ]; then
    for name in cmd winver control msconfig msinfo32 hh; do
      wk_wine reg delete 'HKCU\Software\Wine\DllOverrides' /v "$name.exe" /f >/dev/null 2>&1
    done
    # Let that wineserver end: one started without a display would keep serving its desktop
    # without a display driver, and no later window of the program would show.
    wineserver -w
  fi
  return 0
}

wk_prepare_prefix() {
  mkdir -p "$(dirname "$WINEPREFIX")"
  (
    flock 9
    stamp=$(wk_wine_stamp)
    [ -f "$WINEPREFIX/.wk-ready" ] && [ "$(cat "$WINEPREFIX/.wk-ready")" = "$stamp" ] && { wk_restore_wine_programs; exit 0; }
    [ -d "$WINEPREFIX" ] && { wineserver -k; wineserver -w; } 2>/dev/null
    rm -rf "$WINEPREFIX"
    # No Mono or Gecko: nothing may be downloaded. Managed=N: without a window manager Wine
    # would wait ~2 s on every hide or close of a window. No debugger dialog after a crash:
    # it would block a test run until its time-out.
    WINEDLLOVERRIDES="mscoree,mshtml=d" wk_wine wineboot -i >/dev/null 2>&1
    wk_wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
    wk_wine reg add 'HKCU\Software\Wine\DllOverrides' /v winedbg.exe /d '' /f >/dev/null 2>&1
    wineserver -w
    [ -f "$WINEPREFIX/system.reg" ] || { echo "could not make the Wine prefix $WINEPREFIX" >&2; exit 1; }
    echo "$stamp" >"$WINEPREFIX/.wk-ready"
  ) 9>"$WINEPREFIX.lock"
}

# wk_runs_32bit ARGS...: whether this kernel runs 32-bit programs, found out by running Wine's
# 32-bit loader with ARGS (--version: it ends at once with status 0).
wk_runs_32bit() {
  [ -x "$wk_wine32" ] && timeout 120 "$wk_wine32" "$@" >/dev/null 2>&1
}

wk_start_display() {
  [ -n "${DISPLAY:-}" ] && return 0
  local number
  for number in $(seq 90 140); do
    [ -e "/tmp/.X11-unix/X$number" ] || [ -e "/tmp/.X$number-lock" ] && continue
    Xvfb ":$number" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 & WK_XVFB_PID=$!
    export DISPLAY=":$number"
    for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$number" ] && return 0; sleep 0.1; done
    kill "$WK_XVFB_PID" 2>/dev/null; WK_XVFB_PID=; unset DISPLAY
  done
  echo "could not start Xvfb" >&2; return 1
}
wk_stop_display() {
  if [ -n "${WK_XVFB_PID:-}" ]; then kill "$WK_XVFB_PID" 2>/dev/null; wait "$WK_XVFB_PID" 2>/dev/null; fi
  WK_XVFB_PID=
  return 0
}

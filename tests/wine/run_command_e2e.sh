#!/usr/bin/env bash
# The README's run command for the build under test (WK_PRODUCT_EXE): without a display it saves a
# picture of the drawn main window; with a wine that starts everything but the program it saves
# none, says why, exits non-zero and leaves no Xvfb behind. Runs in a copy of the test prefix.
set -u
source "$(dirname "$0")/../../scripts/wine-env.sh"
wk_prepare_prefix
build=win$(wk_pe_bits "${WK_PRODUCT_EXE:?}")
work=$(mktemp -d "${TMPDIR:-/tmp}/wk-run.XXXXXX") || exit 1
trap 'WINEPREFIX=$work/prefix wineserver -k 2>/dev/null; rm -rf "$work"' EXIT
cp -a "$WINEPREFIX" "$work/prefix" || exit 1
shot=$work/screenshot.png failed=0
fail() { echo "FAIL: $*"; failed=1; }
# run [VAR=VALUE...]: scripts/run without a display in a session of its own, whose number goes to
# $work/session; sets out and status and prints the last lines.
run() {
  out=$(env -u DISPLAY WK_WINEPREFIX="$work/prefix" WK_SCREENSHOT="$shot" "$@" \
    setsid bash -c 'echo $$ >"$0"; exec "$@"' "$work/session" "$wk_repo/scripts/run" "$build" 2>&1)
  status=$?
  tail -n 3 <<<"$out"
}
xvfbs_left() {  # Xvfb servers still running in that session: the ones scripts/run started and left
  local stat fields
  for stat in /proc/[0-9]*/stat; do
    [ "$(readlink "${stat%/stat}/exe")" = /usr/bin/Xvfb ] && read -r -a fields <"$stat" &&
      [ "${fields[5]}" = "$(cat "$work/session")" ] && echo "${stat%/stat}"
  done
}

run  # the default wait, 120 s: a first 32-bit start on a loaded machine is slow
[ $status = 0 ] || fail "scripts/run $build ended with $status"
grep -q "^screenshot: $shot ($build build)" <<<"$out" || fail "no screenshot line"
[ -f "$shot" ] && [ "$(identify -format '%k' "$shot")" -gt 16 ] || fail "the picture does not show the window"

# A wine that starts everything except the program, which then never shows a window.
mkdir "$work/bin" && printf '#!/bin/sh\ncase "$1" in *wendelkamm.exe) exec sleep 600 ;; esac\nexec %s "$@"\n' \
  /usr/lib/wine/wine64 >"$work/bin/wine" && chmod +x "$work/bin/wine"
rm -f "$shot"
run PATH="$work/bin:$PATH" WK_RUN_WAIT_S=5
[ $status != 0 ] || fail "scripts/run reported success without a window"
grep -q "the main window did not show within 5 s" <<<"$out" || fail "no message that the window did not show"
[ ! -e "$shot" ] || fail "a picture was saved without a window"
[ -z "$(xvfbs_left)" ] || fail "an Xvfb was left running"
[ $failed = 0 ] && echo "ok: scripts/run $build shows the window or says why"
exit $failed

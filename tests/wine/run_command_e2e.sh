#!/usr/bin/env bash
# The README's scripts/run for the build under test, without a display, in a prefix copy: it saves a picture
# of the drawn main window; if the program never shows: no picture, a reason, non-zero, no Xvfb left.
set -u
source "$(dirname "$0")/../../scripts/wine-env.sh"
wk_prepare_prefix
build=win$(wk_pe_bits "${WK_PRODUCT_EXE:?}")
work=$(mktemp -d "${TMPDIR:-/tmp}/wk-run.XXXXXX") || exit 1
trap 'WINEPREFIX=$work/prefix wineserver -k 2>/dev/null; rm -rf "$work"' EXIT
cp -a "$WINEPREFIX" "$work/prefix" || exit 1
shot=$work/screenshot.png failed=0
fail() { echo "FAIL: $*"; failed=1; }
run() {  # [VAR=VALUE...]: in a session of its own (number in $work/session); sets out and status
  out=$(env -u DISPLAY WK_WINEPREFIX="$work/prefix" WK_SCREENSHOT="$shot" "$@" \
    setsid bash -c 'echo $$ >"$0"; exec "$@"' "$work/session" "$wk_repo/scripts/run" "$build" 2>&1)
  status=$?
  tail -n 3 <<<"$out"
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
for stat in /proc/[0-9]*/stat; do  # an Xvfb still running in that session: scripts/run left it
  [ "$(readlink "${stat%/stat}/exe")" = /usr/bin/Xvfb ] && read -r -a fields <"$stat" &&
    [ "${fields[5]}" = "$(cat "$work/session")" ] && fail "an Xvfb was left running: ${stat%/stat}"
done
[ $failed = 0 ] && echo "ok: scripts/run $build shows the window or says why"
exit $failed

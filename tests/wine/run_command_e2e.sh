#!/usr/bin/env bash
# The README's run command for the build under test (WK_PRODUCT_EXE): without a display it saves a
# picture of the drawn main window; with a wine that starts everything but the program it saves
# none, says why, exits non-zero and leaves no Xvfb behind. Runs in a copy of the test prefix.
set -u
source_dir=${WK_SOURCE_DIR:-$(cd "$(dirname "$0")/../.." && pwd)}
source "$source_dir/scripts/wine-env.sh"
wk_prepare_prefix
build=win64; [ "$(wk_pe_bits "${WK_PRODUCT_EXE:?}")" = 32 ] && build=win32
work=$(mktemp -d "${TMPDIR:-/tmp}/wk-run.XXXXXX") || exit 1
trap 'WINEPREFIX=$work/prefix wineserver -k 2>/dev/null; rm -rf "$work"' EXIT
cp -a "$WINEPREFIX" "$work/prefix" || exit 1
failed=0
fail() { echo "FAIL: $*"; failed=1; }
# run [VAR=VALUE...]: scripts/run without a display in a session of its own, whose number goes to
# $work/session; prints what it said.
run() {
  env -u DISPLAY WK_WINEPREFIX="$work/prefix" WK_SCREENSHOT="$shot" "$@" \
    setsid bash -c 'echo $$ >"$0"; exec "$@"' "$work/session" "$source_dir/scripts/run" $build 2>&1
}
# Xvfb servers still running in that session: the ones scripts/run started and left.
xvfbs_left() {
  local stat fields
  for stat in /proc/[0-9]*/stat; do
    fields=$(cat "$stat" 2>/dev/null) || continue
    fields=(${fields##*) })  # state, parent, group, session, ...
    [ "${fields[3]}" = "$(cat "$work/session")" ] && [ "$(readlink "${stat%/stat}/exe")" = /usr/bin/Xvfb ] &&
      echo "${stat%/stat}"
  done
}

shot=$work/screenshot.png
out=$(run)  # the default wait, 120 s: a first 32-bit start on a loaded machine is slow
status=$?
echo "$out" | tail -n 3
[ $status = 0 ] || fail "scripts/run $build ended with $status"
grep -q "^screenshot: $shot ($build build)" <<<"$out" || fail "no screenshot line"
[ -f "$shot" ] && [ "$(identify -format '%k' "$shot")" -gt 16 ] || fail "the picture does not show the window"

# A wine that starts everything except the program, which then never shows a window.
mkdir "$work/bin" && cat >"$work/bin/wine" <<'WINE' && chmod +x "$work/bin/wine"
#!/bin/sh
case "$1" in *wendelkamm.exe) exec sleep 600 ;; esac
exec /usr/lib/wine/wine64 "$@"
WINE
rm -f "$shot"
out=$(run PATH="$work/bin:$PATH" WK_RUN_WAIT_S=5)
status=$?
echo "$out" | tail -n 1
[ $status != 0 ] || fail "scripts/run reported success without a window"
grep -q "the main window did not show within 5 s" <<<"$out" || fail "no message that the window did not show"
[ ! -e "$shot" ] || fail "a picture was saved without a window"
[ -z "$(xvfbs_left)" ] || fail "an Xvfb was left running"
[ $failed = 0 ] && echo "ok: scripts/run $build shows the window or says why"
exit $failed

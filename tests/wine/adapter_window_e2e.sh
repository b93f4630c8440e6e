#!/usr/bin/env bash
# The "Adapter" window end to end: each suite of e2e_tests.exe (WK_STAND_IN_DIR, against
# WK_PRODUCT_EXE) runs in a network namespace with adapters of our own; all are removed at the end.
set -u
source "$(dirname "$0")/../../scripts/wine-env.sh"
source "$wk_repo/tests/e2e/adapter_netns.sh"
log=$(mktemp)
trap 'wk_netns_cleanup; wk_stop_display; rm -f "$log"' EXIT
trap 'exit 1' INT TERM
wk_start_display || exit 1
wk_prepare_prefix
failed=0
run_suite() {  # SUITE NAMESPACE ADDRESS...; a suite that skips had the wrong environment
  local suite=$1 namespace=$2 status=0
  shift 2
  wk_netns_create "$namespace" || exit 1
  [ $# = 0 ] || wk_netns_adapter "$namespace" wkad0 "$@" || exit 1
  echo "=== $suite in namespace $namespace ($*)"
  wk_netns_wine "$namespace" WK_ADAPTER_ADDRESSES="$(IFS=,; echo "$*")" \
    -- "${WK_STAND_IN_DIR:?}/e2e_tests.exe" --gtest_filter="$suite.*" >"$log" 2>&1 || status=$?
  cat "$log"
  [ $status = 0 ] && ! grep -q '\[  SKIPPED \]' "$log" && grep -q '\[  PASSED  \]' "$log" ||
    { echo "FAIL: $suite"; failed=1; }
}
run_suite AdapterWindowOneAdapter one 10.200.0.1 10.200.0.2
run_suite AdapterWindowManyAddresses many $(seq -f '10.200.1.%g' 1 12)
run_suite AdapterWindowNoAdapter none
exit $failed

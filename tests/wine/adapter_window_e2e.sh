#!/usr/bin/env bash
# The "Adapter" window end to end, with adapters of our own: each scenario
# builds a network namespace, runs the shipped exe inside it (driven by
# tests/e2e/adapter_window_test.cpp) and removes everything again.
# Environment (set by ctest): WK_PRODUCT_EXE, WK_STAND_IN_DIR, WK_SOURCE_DIR.
set -u
source_dir=${WK_SOURCE_DIR:-$(cd "$(dirname "$0")/../.." && pwd)}
source "$source_dir/tests/wine/wine-env.sh"
source "$source_dir/tests/e2e/adapter_netns.sh"
e2e_exe=$WK_STAND_IN_DIR/e2e_tests.exe

log=$(mktemp)
cleanup() { wk_netns_cleanup; wk_stop_display; rm -f "$log"; }
trap cleanup EXIT
trap 'exit 1' INT TERM

for file in "$WK_PRODUCT_EXE" "$e2e_exe"; do
  [ -f "$file" ] || { echo "FAIL: $file is missing (build the win64 and win64-tests presets)"; exit 1; }
done
wk_start_display || exit 1
wk_prepare_prefix

failed=0
# run_suite SUITE SCENARIO ADDRESSES NAMESPACE: runs one test suite inside the
# namespace; a suite that skips means its environment was wrong.
run_suite() {
  local suite=$1 scenario=$2 addresses=$3 namespace=$4 status=0
  echo "=== $suite in namespace $namespace ($addresses)"
  wk_netns_wine "$namespace" WK_PRODUCT_EXE="$WK_PRODUCT_EXE" \
    WK_STAND_IN_DIR="$WK_STAND_IN_DIR" WK_ADAPTER_SCENARIO="$scenario" \
    WK_ADAPTER_NAME=wkad0 WK_ADAPTER_ADDRESSES="$addresses" \
    -- "$e2e_exe" --gtest_filter="$suite.*" >"$log" 2>&1 || status=$?
  local output
  output=$(cat "$log")
  echo "$output"
  if [ $status != 0 ] || grep -q '\[  SKIPPED \]' <<<"$output" ||
     ! grep -q '\[  PASSED  \]' <<<"$output"; then
    echo "FAIL: $suite"
    failed=1
  fi
}

wk_netns_create one || exit 1
wk_netns_adapter one wkad0 10.200.0.1 10.200.0.2 || exit 1
run_suite AdapterWindowOneAdapter one-adapter 10.200.0.1,10.200.0.2 one

twelve=()
for host in $(seq 1 12); do twelve+=("10.200.1.$host"); done
wk_netns_create many || exit 1
wk_netns_adapter many wkad0 "${twelve[@]}" || exit 1
run_suite AdapterWindowManyAddresses many-addresses "$(IFS=,; echo "${twelve[*]}")" many

wk_netns_create none || exit 1
run_suite AdapterWindowNoAdapter no-adapter "" none

exit $failed

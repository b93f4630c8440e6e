#!/usr/bin/env bash
# The public address lookup against the shipped page over real sockets.
# Two network namespaces of our own joined by a veth pair: the web server
# (php's built-in server running public/stuff/showIP.php) at 10.200.77.1,
# Wine and the programs under test at 10.200.77.2. Inside the client's
# namespace the page hosts of the test build ("showip.wk-test") and of the
# shipped exe ("wendelkamm.de") resolve to the server and every other name
# fails at once (no name server). Nothing leaves the namespaces.
# Environment (set by ctest): WK_STAND_IN_DIR, WK_PRODUCT_EXE, WK_SOURCE_DIR.
set -u
source_dir=${WK_SOURCE_DIR:-$(cd "$(dirname "$0")/../.." && pwd)}
source "$source_dir/tests/wine/wine-env.sh"
tests_exe=${WK_STAND_IN_DIR:?}/wine_tests.exe
e2e_exe=$WK_STAND_IN_DIR/e2e_tests.exe
product_exe=${WK_PRODUCT_EXE:-}

server_address=10.200.77.1
client_address=10.200.77.2
client_ns=wkip-$$-client
server_ns=wkip-$$-server
work=
server_pid=
made_namespaces=()

stop_prefix() {
  [ -n "$work" ] && [ -d "$work/prefix" ] || return 0
  WINEPREFIX=$work/prefix wineserver -k 2>/dev/null
  WINEPREFIX=$work/prefix wineserver -w 2>/dev/null
}

stop_server() {
  [ -n "$server_pid" ] || return 0
  kill "$server_pid" 2>/dev/null
  wait "$server_pid" 2>/dev/null
  server_pid=
}

cleanup() {
  stop_prefix
  stop_server
  local name
  for name in "${made_namespaces[@]}"; do
    ip netns delete "$name" 2>/dev/null
    rm -rf "/etc/netns/$name"
  done
  [ -n "$work" ] && rm -rf "$work"
  wk_stop_display
}
trap cleanup EXIT
trap 'exit 1' INT TERM

for file in "$tests_exe" "$e2e_exe" "$product_exe"; do
  [ -f "$file" ] || { echo "FAIL: '$file' is missing (build the win64 and win64-tests presets)"; exit 1; }
done
[ "$(id -u)" = 0 ] || { echo "FAIL: network namespaces need root"; exit 1; }

# A proxy from the environment would send WinINet's request elsewhere.
unset http_proxy https_proxy HTTP_PROXY HTTPS_PROXY no_proxy NO_PROXY

make_namespaces() {
  local name
  for name in "$client_ns" "$server_ns"; do
    ip netns add "$name" || return 1
    made_namespaces+=("$name")
    ip -n "$name" link set lo up || return 1
  done
  ip link add wkip0 netns "$client_ns" type veth peer name wkip0 netns "$server_ns" || return 1
  ip -n "$client_ns" address add "$client_address/24" dev wkip0 || return 1
  ip -n "$server_ns" address add "$server_address/24" dev wkip0 || return 1
  ip -n "$client_ns" link set wkip0 up && ip -n "$server_ns" link set wkip0 up || return 1
  # `ip netns exec` puts these over /etc/hosts and /etc/resolv.conf.
  mkdir -p "/etc/netns/$client_ns" || return 1
  printf '127.0.0.1 localhost %s\n%s showip.wk-test wendelkamm.de\n' \
    "$(hostname)" "$server_address" >"/etc/netns/$client_ns/hosts"
  : >"/etc/netns/$client_ns/resolv.conf"
}

start_server() {
  echo page >"$work/mode"
  ip netns exec "$server_ns" env WK_PAGE_DIR="$work" \
    php -S "$server_address:80" -t "$source_dir" "$source_dir/tests/wine/public_ip_server.php" \
    >"$work/server.out" 2>&1 &
  server_pid=$!
  local attempt
  for attempt in $(seq 50); do
    ip netns exec "$client_ns" bash -c "exec 3<>/dev/tcp/$server_address/80" 2>/dev/null && return 0
    sleep 0.1
  done
  echo "FAIL: the test web server did not start"; cat "$work/server.out"
  return 1
}

failed=0
# run_suites PROGRAM FILTER VAR=VALUE...: one Wine run inside the client's
# namespace; a skipped or missing test counts as a failure.
run_suites() {
  local program=$1 filter=$2
  shift 2
  echo "=== $(basename "$program") --gtest_filter=$filter"
  local output status=0
  # A crash would wait for a debugger forever: bound every run.
  output=$(timeout 300 ip netns exec "$client_ns" env WINEPREFIX="$work/prefix" WK_TEST_NAMESPACE=1 \
             WK_PAGE_DIR="$work" WK_CLIENT_ADDRESS="$client_address" \
             WK_PRODUCT_EXE="$product_exe" WK_STAND_IN_DIR="$WK_STAND_IN_DIR" "$@" \
             wine "$program" --gtest_filter="$filter" 2>&1) || status=$?
  echo "$output"
  if [ $status != 0 ] || grep -q '\[  SKIPPED \]\|Running 0 tests' <<<"$output" ||
     ! grep -q '\[  PASSED  \]' <<<"$output"; then
    echo "FAIL: $filter"
    failed=1
  fi
}

work=$(mktemp -d "${TMPDIR:-/tmp}/wk-public-ip.XXXXXX") || exit 1
chmod 755 "$work"
make_namespaces || { echo "FAIL: could not build the test namespaces"; exit 1; }
wk_start_display || exit 1
wk_prepare_prefix
# The wineserver creates the sockets, so it must start inside the client's
# namespace: a copy of the prepared prefix has none running yet.
cp -a "$WINEPREFIX" "$work/prefix" || exit 1
start_server || exit 1

run_suites "$tests_exe" 'PublicIpServed.*:FetchPage.*:ResolveName.*'
run_suites "$e2e_exe" 'PublicIpEndToEnd.*'

stop_server
run_suites "$tests_exe" 'PublicIpWithoutServer.*' WK_PAGE_SERVER_DOWN=1

echo "=== requests the server saw"
cat "$work/requests.log" 2>/dev/null
exit $failed

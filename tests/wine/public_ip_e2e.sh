#!/usr/bin/env bash
# The public address lookup over real sockets, as root: php's built-in server runs the shipped
# public/stuff/showIP.php at 10.200.77.1 in one namespace of ours, Wine at 10.200.77.2 in another
# (a veth pair between). There the page hosts resolve to the server and other names fail at once.
set -u
source_dir=${WK_SOURCE_DIR:-$(cd "$(dirname "$0")/../.." && pwd)}
source "$source_dir/scripts/wine-env.sh"
server=10.200.77.1 client=10.200.77.2 c=wkip-$$-c s=wkip-$$-s server_pid= failed=0
work=$(mktemp -d "${TMPDIR:-/tmp}/wk-public-ip.XXXXXX") && chmod 755 "$work" || exit 1
stop_server() { [ -n "$server_pid" ] && kill "$server_pid" && wait "$server_pid"; server_pid=; } 2>/dev/null
cleanup() {
  [ -d "$work/prefix" ] && WINEPREFIX=$work/prefix wineserver -k && WINEPREFIX=$work/prefix wineserver -w
  stop_server
  ip netns delete $c; ip netns delete $s; rm -rf "/etc/netns/$c" "$work"
  wk_stop_display
} 2>/dev/null
trap cleanup EXIT
trap 'exit 1' INT TERM
for file in "${WK_STAND_IN_DIR:?}/wine_tests.exe" "$WK_STAND_IN_DIR/e2e_tests.exe" "${WK_PRODUCT_EXE:-}"; do
  [ -f "$file" ] || { echo "FAIL: '$file' is missing (build the win64 and win64-tests presets)"; exit 1; }
done
unset http_proxy https_proxy HTTP_PROXY HTTPS_PROXY no_proxy NO_PROXY  # WinINet would use them

ip netns add $c && ip netns add $s && ip -n $c link set lo up && ip -n $s link set lo up &&
  ip link add wkip0 netns $c type veth peer name wkip0 netns $s &&
  ip -n $c address add $client/24 dev wkip0 && ip -n $s address add $server/24 dev wkip0 &&
  ip -n $c link set wkip0 up && ip -n $s link set wkip0 up && mkdir -p "/etc/netns/$c" ||
  { echo "FAIL: could not build the test namespaces (root needed)"; exit 1; }
# `ip netns exec` puts these over /etc/hosts and /etc/resolv.conf.
printf '127.0.0.1 localhost %s\n%s showip.wk-test wendelkamm.de\n' "$(hostname)" $server >"/etc/netns/$c/hosts"
: >"/etc/netns/$c/resolv.conf"
wk_start_display || exit 1
wk_prepare_prefix
# The wineserver makes the sockets: a copy of the prefix starts its own inside the namespace.
cp -a "$WINEPREFIX" "$work/prefix" || exit 1
echo page >"$work/mode"
ip netns exec $s env WK_PAGE_DIR="$work" php -S $server:80 -t "$source_dir" \
  "$source_dir/tests/wine/public_ip_server.php" >"$work/server.out" 2>&1 &
server_pid=$!
for try in $(seq 50) fail; do
  [ $try = fail ] && { echo "FAIL: the test web server did not start"; cat "$work/server.out"; exit 1; }
  ip netns exec $c bash -c "exec 3<>/dev/tcp/$server/80" 2>/dev/null && break || sleep 0.1
done

run() {  # PROGRAM FILTER [VAR=VALUE...]: a bounded Wine run in the client's namespace; skips fail too
  local out
  echo "=== $(basename "$1") --gtest_filter=$2"
  out=$(timeout 300 ip netns exec $c env WINEPREFIX="$work/prefix" WK_PAGE_DIR="$work" WK_CLIENT_ADDRESS=$client \
    WK_PRODUCT_EXE="${WK_PRODUCT_EXE:-}" WK_STAND_IN_DIR="$WK_STAND_IN_DIR" "${@:3}" "$(wk_loader "$1")" "$1" --gtest_filter="$2" 2>&1)
  local status=$?
  echo "$out"
  [ $status = 0 ] && grep -q '\[  PASSED  \]' <<<"$out" && ! grep -q '\[  SKIPPED \]\|Running 0 tests' <<<"$out" ||
    { echo "FAIL: $2"; failed=1; }
}
run "$WK_STAND_IN_DIR/wine_tests.exe" 'PublicIpServed.*'
echo page >"$work/mode"
run "$WK_STAND_IN_DIR/e2e_tests.exe" 'PublicIpEndToEnd.*'
echo badaddress >"$work/mode"
run "$WK_STAND_IN_DIR/e2e_tests.exe" 'HostilePublicIpPage.*'
# Last: the silent answer holds the single-threaded server until it is stopped.
run "$WK_STAND_IN_DIR/wine_tests.exe" 'PublicIpSilentServer.*'
stop_server
run "$WK_STAND_IN_DIR/wine_tests.exe" 'PublicIpWithoutServer.*' WK_PAGE_SERVER_DOWN=1
exit $failed

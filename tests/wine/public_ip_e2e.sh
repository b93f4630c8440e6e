#!/usr/bin/env bash
# The public address lookup over real sockets, as root: php's built-in server runs the shipped
# public/stuff/showIP.php at 10.200.77.1 in one namespace of ours, Wine at 10.200.77.2 in another
# (a veth pair between). There the page hosts resolve to the server and other names fail at once.
set -u
source "$(dirname "$0")/../../scripts/wine-env.sh"
source "$wk_repo/tests/e2e/adapter_netns.sh"
server=10.200.77.1 client=10.200.77.2 c=$wk_netns_prefix-ip s=$wk_netns_prefix-ip-p server_pid= failed=0
work=$(mktemp -d "${TMPDIR:-/tmp}/wk-public-ip.XXXXXX") && chmod 755 "$work" || exit 1
stop_server() { [ -n "$server_pid" ] && kill "$server_pid" && wait "$server_pid"; server_pid=; } 2>/dev/null
trap 'wk_netns_stop_copy "$work/prefix"; stop_server; wk_netns_cleanup; rm -rf "/etc/netns/$c" "$work"
  wk_stop_display' EXIT
trap 'exit 1' INT TERM
for file in "${WK_STAND_IN_DIR:?}/wine_tests.exe" "$WK_STAND_IN_DIR/e2e_tests.exe" "${WK_PRODUCT_EXE:-}"; do
  [ -f "$file" ] || { echo "FAIL: '$file' is missing (build the win64 and win64-tests presets)"; exit 1; }
done
unset http_proxy https_proxy HTTP_PROXY HTTPS_PROXY no_proxy NO_PROXY  # WinINet would use them
wk_netns_create ip && wk_netns_adapter ip wkip0 $client && ip -n $s address add $server/24 dev wkip0p &&
  mkdir -p "/etc/netns/$c" || { echo "FAIL: could not build the test namespaces (root needed)"; exit 1; }
# `ip netns exec` puts these over /etc/hosts and /etc/resolv.conf.
printf '127.0.0.1 localhost %s\n%s showip.wk-test wendelkamm.de\n' "$(hostname)" $server >"/etc/netns/$c/hosts"
: >"/etc/netns/$c/resolv.conf"
wk_start_display || exit 1
wk_prepare_prefix
# The wineserver makes the sockets: a copy of the prefix starts its own inside the namespace.
cp -a "$WINEPREFIX" "$work/prefix" || exit 1
ip netns exec $s env WK_PAGE_DIR="$work" php -S $server:80 -t "$wk_repo" "$wk_repo/tests/wine/public_ip_server.php" \
  >"$work/server.out" 2>&1 &
server_pid=$!
ip netns exec $c timeout 5 bash -c "until : 3<>/dev/tcp/$server/80; do sleep 0.1; done" 2>/dev/null ||
  { echo "FAIL: the test web server did not start"; cat "$work/server.out"; exit 1; }

run() {  # MODE PROGRAM FILTER [VAR=VALUE...]: a bounded Wine run in the client's namespace; skips fail too
  local out status=0
  echo "$1" >"$work/mode"
  echo "=== $2 --gtest_filter=$3 (server: $1)"
  out=$(timeout 300 ip netns exec $c env WINEPREFIX="$work/prefix" WK_PAGE_DIR="$work" WK_CLIENT_ADDRESS=$client \
    "${@:4}" "$(wk_loader "$WK_STAND_IN_DIR/$2")" "$WK_STAND_IN_DIR/$2" --gtest_filter="$3" 2>&1) || status=$?
  echo "$out"
  [ $status = 0 ] && grep -q '\[  PASSED  \]' <<<"$out" && ! grep -q '\[  SKIPPED \]\|Running 0 tests' <<<"$out" ||
    { echo "FAIL: $3"; failed=1; }
}
run page wine_tests.exe 'PublicIpServed.*'
run page e2e_tests.exe 'PublicIpEndToEnd.*'
run badaddress e2e_tests.exe 'HostilePublicIpPage.*'
# Last: the silent answer holds the single-threaded server until it is stopped.
run silent wine_tests.exe 'PublicIpSilentServer.*'
stop_server
run page wine_tests.exe 'PublicIpWithoutServer.*' WK_PAGE_SERVER_DOWN=1
exit $failed

#!/usr/bin/env bash
# As root, each suite once, in network namespaces of ours that are removed at the end: the "Adapter"
# window with adapters of our own (wkad0), and the public address lookup over real sockets, where php's
# built-in server runs the shipped public/stuff/showIP.php at 10.200.77.1 for Wine at 10.200.77.2.
set -u
source "$(dirname "$0")/../../scripts/wine-env.sh"
source "$wk_repo/tests/e2e/adapter_netns.sh"
server=10.200.77.1 client=10.200.77.2 c=$wk_netns_prefix-ip s=$wk_netns_prefix-ip-p server_pid= failed=0
one="10.200.0.1 10.200.0.2" many=$(seq -s ' ' -f '10.200.1.%g' 1 12)
work=$(mktemp -d "${TMPDIR:-/tmp}/wk-namespaces.XXXXXX") && chmod 755 "$work" || exit 1
stop_server() { [ -n "$server_pid" ] && kill "$server_pid" && wait "$server_pid"; server_pid=; } 2>/dev/null
trap 'stop_server; wk_netns_cleanup; rm -rf "/etc/netns/$c" "$work"; wk_stop_display' EXIT
trap 'exit 1' INT TERM
unset http_proxy https_proxy HTTP_PROXY HTTPS_PROXY no_proxy NO_PROXY  # WinINet would use them
wk_netns_create one && wk_netns_adapter one wkad0 $one && wk_netns_create many && wk_netns_adapter many wkad0 $many &&
  wk_netns_create none && wk_netns_create ip && wk_netns_adapter ip wkip0 $client &&
  ip -n $s address add $server/24 dev wkip0p && mkdir -p "/etc/netns/$c" ||
  { echo "FAIL: could not build the test namespaces (root needed)"; exit 1; }
# In the client's namespace the page hosts are the server and other names fail at once.
printf '127.0.0.1 localhost %s\n%s showip.wk-test wendelkamm.de\n' "$(hostname)" $server >"/etc/netns/$c/hosts"
: >"/etc/netns/$c/resolv.conf"
wk_start_display || exit 1
wk_prepare_prefix
ip netns exec $s env WK_PAGE_DIR="$work" php -S $server:80 -t "$wk_repo" "$wk_repo/tests/wine/public_ip_server.php" \
  >"$work/server.out" 2>&1 &
server_pid=$!
ip netns exec $c timeout 5 bash -c "until : 3<>/dev/tcp/$server/80; do sleep 0.1; done" 2>/dev/null ||
  { echo "FAIL: the test web server did not start"; cat "$work/server.out"; exit 1; }

run() {  # NAMESPACE PROGRAM FILTER [VAR=VALUE...], in a prefix copy whose wineserver starts there; skips fail
  local status=0
  wk_netns_wine "$1" WK_PAGE_DIR="$work" WK_CLIENT_ADDRESS=$client "${@:4}" -- "${WK_STAND_IN_DIR:?}/$2" \
    --gtest_filter="$3" >"$work/out" 2>&1 || status=$?
  cat "$work/out"
  [ $status = 0 ] && grep -q '\[  PASSED  \]' "$work/out" && ! grep -q '\[  SKIPPED \]\|Running 0 tests' "$work/out" ||
    { echo "FAIL: $3"; failed=1; }
}
run one e2e_tests.exe 'AdapterWindowOneAdapter.*' WK_ADAPTER_ADDRESSES="${one// /,}"
run many e2e_tests.exe 'AdapterWindowManyAddresses.*' WK_ADAPTER_ADDRESSES="${many// /,}"
run none e2e_tests.exe 'AdapterWindowNoAdapter.*' WK_ADAPTER_ADDRESSES=
echo page >"$work/mode"
run ip e2e_tests.exe 'PublicIpEndToEnd.*'
echo badaddress >"$work/mode"
run ip e2e_tests.exe 'HostilePublicIpPage.*'
# Last: its silent answer holds the single-threaded server until it is stopped.
run ip wine_tests.exe 'Windows.PublicIpServed*'
stop_server
run ip wine_tests.exe 'Windows.PublicIpWithoutServer*' WK_PAGE_SERVER_DOWN=1
exit $failed

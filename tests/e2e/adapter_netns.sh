# Sourced by tests/wine/adapter_window_e2e.sh and scripts/bench-adapters:
# network namespaces with adapters of our own, and Wine runs inside them.
# Needs root. Every namespace and Wine prefix copy made here is removed by
# wk_netns_cleanup, which the sourcing script runs from its EXIT trap.
#
# Wine reports a namespace's adapters only when its wineserver (and the
# services it starts) runs inside that namespace, so each run gets its own
# copy of the prepared prefix and with it its own wineserver.

wk_netns_prefix=wkad-$$
wk_netns_names=()
wk_netns_copies=()

# wk_netns_create NAME: an empty namespace with loopback up.
wk_netns_create() {
  local name=$wk_netns_prefix-$1
  ip netns add "$name" || return 1
  wk_netns_names+=("$name")
  ip -n "$name" link set lo up
}

# wk_netns_adapter NAME IFNAME ADDRESS...: a veth end named IFNAME with the
# given addresses (each a.b.c.d, /24) in namespace NAME. Its peer goes into
# a namespace of its own, so NAME sees exactly this one adapter and no
# interface appears outside the test's namespaces.
wk_netns_adapter() {
  local name=$wk_netns_prefix-$1 ifname=$2
  shift 2
  local peer=$name-p
  ip netns add "$peer" || return 1
  wk_netns_names+=("$peer")
  ip link add "$ifname" netns "$name" type veth peer name "${ifname}p" netns "$peer" || return 1
  local address
  for address in "$@"; do
    ip -n "$name" address add "$address/24" dev "$ifname" || return 1
  done
  ip -n "$peer" link set "${ifname}p" up
  ip -n "$name" link set "$ifname" up
}

# wk_netns_wine NAME VAR=VALUE... -- PROGRAM.exe ARGS...: runs a Windows
# program inside namespace NAME with a fresh copy of $WINEPREFIX, then stops
# that copy's wineserver and removes the copy. Returns the program's status.
# Call it with output redirected rather than inside $(...), whose subshell
# would keep the copy out of wk_netns_cleanup's reach.
wk_netns_wine() {
  local name=$wk_netns_prefix-$1
  shift
  local variables=()
  while [ $# -gt 0 ] && [ "$1" != -- ]; do variables+=("$1"); shift; done
  shift
  local copy
  copy=$(mktemp -d "${TMPDIR:-/tmp}/wk-netns-prefix.XXXXXX") || return 1
  wk_netns_copies+=("$copy")
  cp -a "$WINEPREFIX/." "$copy/" || return 1
  # In the background and waited for, so that a signal reaches the caller's
  # trap at once instead of after the program has ended.
  ip netns exec "$name" env WINEPREFIX="$copy" "${variables[@]}" wine "$@" &
  local status=0
  wait $! || status=$?
  wk_netns_stop_copy "$copy"
  return $status
}

wk_netns_stop_copy() {
  local copy=$1
  [ -d "$copy" ] || return 0
  WINEPREFIX=$copy wineserver -k 2>/dev/null
  WINEPREFIX=$copy wineserver -w 2>/dev/null
  rm -rf "$copy"
}

wk_netns_cleanup() {
  local copy name
  for copy in "${wk_netns_copies[@]}"; do wk_netns_stop_copy "$copy"; done
  for name in "${wk_netns_names[@]}"; do ip netns delete "$name" 2>/dev/null; done
  wk_netns_copies=()
  wk_netns_names=()
}

# Sourced as root: namespaces with adapters of our own, Wine runs in them; wk_netns_cleanup (EXIT trap) removes it all.
wk_netns_prefix=wkad-$$ wk_netns_names=() wk_netns_copies=()

wk_netns_create() {  # NAME: an empty namespace with loopback up
  ip netns add "$wk_netns_prefix-$1" || return 1
  wk_netns_names+=("$wk_netns_prefix-$1")
  ip -n "$wk_netns_prefix-$1" link set lo up
}

wk_netns_adapter() {  # NAME IFNAME ADDRESS...: veth end IFNAME with these /24s in NAME, its peer in NAME-p
  local name=$wk_netns_prefix-$1 ifname=$2 address
  wk_netns_create "$1-p" || return 1
  shift 2
  ip link add "$ifname" netns "$name" type veth peer name "${ifname}p" netns "$name-p" || return 1
  for address in "$@"; do ip -n "$name" address add "$address/24" dev "$ifname" || return 1; done
  ip -n "$name-p" link set "${ifname}p" up && ip -n "$name" link set "$ifname" up
}

# wk_netns_wine NAME VAR=VALUE... -- PROGRAM.exe ARGS...: at most 300 s in NAME, with a copy of $WINEPREFIX removed
# after; its status. Waited for in the background (a signal reaches the trap at once); $(...) escapes the clean-up.
wk_netns_wine() {
  local name=$wk_netns_prefix-$1 variables=() copy status=0
  shift
  while [ $# -gt 0 ] && [ "$1" != -- ]; do variables+=("$1"); shift; done
  shift
  copy=$(mktemp -d "${TMPDIR:-/tmp}/wk-netns-prefix.XXXXXX") || return 1
  wk_netns_copies+=("$copy")
  cp -a "$WINEPREFIX/." "$copy/" || return 1
  timeout 300 ip netns exec "$name" env WINEPREFIX="$copy" "${variables[@]}" "$(wk_loader "$1")" "$@" &
  wait $! || status=$?
  wk_netns_stop_copy "$copy"
  return $status
}

wk_netns_stop_copy() {
  [ -d "$1" ] || return 0
  WINEPREFIX=$1 wineserver -k 2>/dev/null; WINEPREFIX=$1 wineserver -w 2>/dev/null
  rm -rf "$1"
}

wk_netns_cleanup() {
  local item
  for item in "${wk_netns_copies[@]}"; do wk_netns_stop_copy "$item"; done
  for item in "${wk_netns_names[@]}"; do ip netns delete "$item" 2>/dev/null; done
}

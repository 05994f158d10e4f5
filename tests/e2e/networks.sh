# shellcheck shell=bash
# Networks for the suites that check mail, as root. Vantrel asks no server while the computer has
# no route off it: a suite run in a namespace of loopback alone (scripts/test-e2e beside another
# one, say) is given one, a veth pair with nothing behind it. A case that wants the machine without
# a network runs Wine, and the servers it needs, in a namespace of its own whose name look-ups stay
# at 127.0.0.1; nothing is ever aimed at an address off the machine.

NETWORKS_VETH=""

# Whether a route leads through an interface other than the loopback one.
networks_route_off_loopback() { ip -4 route show | grep -qv ' dev lo\b'; }

# A route off the machine where there is none; networks_down takes away what this made.
networks_up() {
  networks_route_off_loopback && return 0
  NETWORKS_VETH=vtr$$
  ip link add "${NETWORKS_VETH}a" type veth peer name "${NETWORKS_VETH}b" &&
    ip addr add 10.9.9.9/24 dev "${NETWORKS_VETH}a" && ip link set "${NETWORKS_VETH}a" up &&
    ip link set "${NETWORKS_VETH}b" up && ip route add default via 10.9.9.1
}

networks_down() {
  [[ -z "$NETWORKS_VETH" ]] || ip link del "${NETWORKS_VETH}a" 2>/dev/null || true
  NETWORKS_VETH=""
}

# The namespace NAME, loopback alone, and WINE and WINESERVER (of this shell) running in it. The
# prefix's Windows processes end first: Wine starts a wineserver of the namespace's own.
offline_begin() {  # offline_begin NAME
  local name=$1 bin=$E2E_WORK/offline-bin
  mkdir -p "/etc/netns/$name" "$bin"
  echo 'nameserver 127.0.0.1' >"/etc/netns/$name/resolv.conf"
  ip netns add "$name" && ip netns exec "$name" ip link set lo up || return 1
  printf '#!/bin/sh\nexec ip netns exec %s %s "$@"\n' "$name" "$WINE" >"$bin/wine"
  printf '#!/bin/sh\nexec ip netns exec %s %s "$@"\n' "$name" "$WINESERVER" >"$bin/wineserver"
  chmod +x "$bin/wine" "$bin/wineserver"
  wine_stop
  WINE=$bin/wine
  WINESERVER=$bin/wineserver
}

# A network comes back in the namespace: a default route, nothing behind it.
offline_network_back() {  # offline_network_back NAME
  ip netns exec "$1" sh -c 'ip link add v0 type veth peer name v1 &&
    ip addr add 10.9.9.9/24 dev v0 && ip link set v0 up && ip link set v1 up &&
    ip route add default via 10.9.9.1'
}

# Wine's processes in the namespace end, and the namespace goes.
offline_end() {  # offline_end NAME
  wine_stop
  ip netns del "$1" 2>/dev/null || true
  rm -rf "/etc/netns/$1"
}

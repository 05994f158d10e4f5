#!/usr/bin/env bash
# The time from a delivery to its announcement: push_bench (the program's app layer on the real
# event loop) pushing one account of a private dovecot in clear text, which offers IDLE, while
# DELIVERIES messages land in its maildir one after the other; beside it, push_peer.py waiting in
# IDLE on a second mailbox times the server's own notice, the floor. One "name: value" a line.
# Usage: bench/push_delivery.sh PUSH_BENCH [DELIVERIES]   (default 20)
set -euo pipefail
bench=$1
deliveries=${2:-20}
root=$(cd "$(dirname "$0")/.." && pwd)

source "$root/tests/net/servers.sh"
mkdir -p "$net_dir/run" "$net_dir/mail"
: >"$net_dir/passwd"
dovecot_mailbox "$net_dir" pushed secret 0
dovecot_mailbox "$net_dir" peer secret 0
chown -R dovecot:dovecot "$net_dir/mail"
port=$(net_free_port)
dovecot_conf "$net_dir" "$(net_free_port)" "" "$port" "" >"$net_dir/dovecot.conf"
/usr/sbin/dovecot -c "$net_dir/dovecot.conf"
net_wait_port "$port"
"$bench" "$port" pushed:secret "$net_dir/mail/pushed" "$deliveries"
python3 "$root/bench/push_peer.py" "$port" peer:secret "$net_dir/mail/peer" "$deliveries"

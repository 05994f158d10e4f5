#!/usr/bin/env bash
# What the senders and subjects of waiting mail cost a mail check: ACCOUNTS mailboxes of five
# unread messages whose senders and subjects are encoded words of five character sets, on a
# private dovecot, checked one after another over POP3 and IMAP, the count alone and with the
# newest five summaries decoded, by net_bench and by Python's poplib and imaplib with email.header
# in the same run: first in clear text, against a dovecot that offers no TLS (so that IMAP is not
# taken to STARTTLS), then over implicit TLS. One "name: value" a line.
# Usage: bench/previews.sh NET_BENCH ACCOUNTS [ROUNDS]
set -euo pipefail
bench=$1
accounts=$2
rounds=${3:-7}
newest=5
root=$(cd "$(dirname "$0")/.." && pwd)
peer=$root/bench/previews_peer.py

# Its temporary tree, its helpers, and the end of the dovecot there when this script ends.
source "$root/tests/net/servers.sh"
mkdir -p "$net_dir/run" "$net_dir/mail" "$net_dir/tls"
: >"$net_dir/passwd"
credentials=()
for i in $(seq -w "$accounts"); do
  dovecot_previews_mailbox "$net_dir" "reader$i" "secret$i"
  credentials+=("reader$i:secret$i")
done
chown -R dovecot:dovecot "$net_dir/mail"
tls_certs "$net_dir/tls"
test_root=$net_dir/tls/ca.pem
results=$net_dir/previews.txt

dovecot_start() {  # dovecot_start POP3_PORT POP3S_PORT IMAP_PORT IMAPS_PORT (TLS ports may be "")
  dovecot_conf "$net_dir" "$@" >"$net_dir/dovecot.conf"
  /usr/sbin/dovecot -c "$net_dir/dovecot.conf"
  for port in "$@"; do [ -z "$port" ] || net_wait_port "$port"; done
}
dovecot_stop() {
  kill "$(cat "$net_dir/run/master.pid")"
  for _ in $(seq 50); do [ -f "$net_dir/run/master.pid" ] || return 0; sleep 0.1; done
}

vantrel() {  # vantrel PROTOCOL PORT NEWEST
  "$bench" previews "$1" "$2" "$test_root" "$3" "$accounts" "${credentials[@]}"
}
python_peer() {  # python_peer PROTOCOL PORT NEWEST
  python3 "$peer" "$1" "$2" "$test_root" "$3" "$accounts" "${credentials[@]}"
}
rounds_of() {  # rounds_of POP3_NAME POP3_PORT IMAP_NAME IMAP_PORT
  local protocol port round
  # dovecot builds its indexes on an account's first visit, and a fresh one warms up: a round
  # that is not counted.
  for protocol in "$1:$2" "$3:$4"; do
    vantrel "${protocol%:*}" "${protocol#*:}" "$newest" >/dev/null
    python_peer "${protocol%:*}" "${protocol#*:}" "$newest" >/dev/null
  done
  # Each ratio's two runs follow each other.
  for round in $(seq "$rounds"); do
    for protocol in "$1:$2" "$3:$4"; do
      port=${protocol#*:}
      protocol=${protocol%:*}
      {
        vantrel "$protocol" "$port" 0
        vantrel "$protocol" "$port" "$newest"
        python_peer "$protocol" "$port" "$newest"
        python_peer "$protocol" "$port" 0
      } | sed "s/^/$round /" >>"$results"
    done
  done
}

ports=()
for _ in 1 2 3 4; do ports+=("$(net_free_port)"); done
dovecot_start "${ports[0]}" "" "${ports[2]}" ""
rounds_of pop3 "${ports[0]}" imap "${ports[2]}"
dovecot_stop
dovecot_start "${ports[@]}"
rounds_of pop3s "${ports[1]}" imaps "${ports[3]}"

# Each time is the best of its rounds, and each ratio the median of the ratios of single rounds,
# whose runs followed each other closely: dovecot's own pace and the other work on the machine
# weigh more than any client, and they drift.
python3 - "$results" "$accounts" "$newest" <<'PY'
import collections, statistics, sys
times = collections.defaultdict(dict)
for line in open(sys.argv[1]):
    round_, name, value = line.split()
    times[name.removesuffix("_seconds:")][round_] = float(value)
print(f"previews_accounts: {sys.argv[2]}")
print(f"previews_shown_per_account: {sys.argv[3]}")
for protocol in ("pop3", "imap", "pop3s", "imaps"):
    python = "imaplib" if protocol.startswith("imap") else "poplib"
    names = [f"{protocol}_{run}" for run in
             ("count_vantrel", "previews_vantrel", f"count_{python}", f"previews_{python}")]
    for name in names:
        print(f"{name}_seconds: {min(times[name].values()):.3f}")
    def ratio(over, under):
        return statistics.median(times[over][r] / times[under][r] for r in times[over])
    print(f"{protocol}_previews_over_count_vantrel: {ratio(names[1], names[0]):.2f}")
    print(f"{protocol}_previews_vantrel_over_{python}: {ratio(names[1], names[3]):.2f}")
PY

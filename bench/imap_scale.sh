#!/usr/bin/env bash
# What an IMAP check costs as an inbox grows: inboxes of 100, 10,000 and 50,000 unread messages on
# a private dovecot in clear text, each checked by net_bench (the count alone, and the count with
# the newest five summaries decoded) and by Python's imaplib doing EXAMINE, UID SEARCH UNSEEN and
# the FETCH of the newest five headers, in the same rounds. One "name: value" a line, in
# milliseconds per check.
# Usage: bench/imap_scale.sh NET_BENCH [ROUNDS] [CHECKS]   (CHECKS: checks in a row per run)
set -euo pipefail
bench=$1
rounds=${2:-7}
checks=${3:-3}
sizes=(100 10000 50000)
newest=5
root=$(cd "$(dirname "$0")/.." && pwd)
peer=$root/bench/previews_peer.py

source "$root/tests/net/servers.sh"
mkdir -p "$net_dir/run" "$net_dir/mail"
: >"$net_dir/passwd"
for size in "${sizes[@]}"; do dovecot_large_mailbox "$net_dir" "scale$size" "secret$size" "$size"; done
chown -R dovecot:dovecot "$net_dir/mail"
port=$(net_free_port)
dovecot_conf "$net_dir" "$(net_free_port)" "" "$port" "" >"$net_dir/dovecot.conf"
/usr/sbin/dovecot -c "$net_dir/dovecot.conf"
net_wait_port "$port"
results=$net_dir/scale.txt

for size in "${sizes[@]}"; do
  account=scale$size:secret$size
  # dovecot indexes an inbox on its first visit: a round that is not counted.
  "$bench" previews imap "$port" "" "$newest" 1 "$account" >/dev/null
  python3 "$peer" examine "$port" "" "$newest" 1 "$account" >/dev/null
  for round in $(seq "$rounds"); do
    {
      "$bench" previews imap "$port" "" 0 "$checks" "$account"
      "$bench" previews imap "$port" "" "$newest" "$checks" "$account"
      python3 "$peer" examine "$port" "" "$newest" "$checks" "$account"
    } | sed "s/^/$size $round /" >>"$results"
  done
done

# Each time is the best of its rounds, and each ratio the median of the ratios of single rounds,
# whose runs followed each other closely: dovecot's own pace and the other work on the machine
# weigh more than any client, and they drift.
python3 - "$results" "$checks" <<'PY'
import collections, statistics, sys
checks = int(sys.argv[2])
names = {"imap_count_vantrel_seconds:": "count_vantrel",
         "imap_previews_vantrel_seconds:": "lines_vantrel",
         "examine_previews_imaplib_seconds:": "lines_imaplib"}
times = collections.defaultdict(lambda: collections.defaultdict(dict))
for line in open(sys.argv[1]):
    size, round_, name, value = line.split()
    times[int(size)][names[name]][round_] = 1000 * float(value) / checks
for size in sorted(times):
    found = times[size]
    for name in names.values():
        print(f"imap_scale_{size}_{name}_ms: {min(found[name].values()):.1f}")
    ratio = statistics.median(found["lines_vantrel"][r] / found["lines_imaplib"][r]
                              for r in found["lines_vantrel"])
    print(f"imap_scale_{size}_lines_vantrel_over_imaplib: {ratio:.2f}")
PY

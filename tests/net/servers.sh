# Sourced by scripts/test-net and scripts/bench: starts a private dovecot (POP3 and IMAP) and the
# test HTTP server on 127.0.0.1 on free ports, exports their ports, and stops both when the
# calling script exits.
# Accounts: alice/secret (3 messages), bob/hunter2 (empty), carol/opensesame (1 message), and
# dora, whose password holds a quote, a backslash and an accented letter (Windows-1252 bytes,
# also in VANTREL_ODD_PASSWORD) with 2 unread and 3 read messages, and erin/summaries, whose
# senders and subjects come in encoded words, folded and raw (dovecot_summaries_mailbox), and
# frank/pushed (1 message), whose mailbox the push checks deliver into: the mail
# tree is VANTREL_MAIL_DIR.
# IMAP on the same mailboxes: VANTREL_IMAP_PORT (plain, offering STARTTLS) and VANTREL_IMAPS_PORT
# (implicit TLS).
# VANTREL_SILENT_PORT: a listener that never accepts, so connections open and stay silent.
# VANTREL_LATE_POP3_PORT: a POP3 server that greets only after 300 ms; any login, 2 messages.
# TLS: VANTREL_TEST_CA (the test root, beside the DER and PEM files of tests/net/tls_certs.sh),
# VANTREL_POP3S_PORT (dovecot's implicit TLS, certificate for localhost from the test root),
# VANTREL_DOVECOT_LOG, and VANTREL_TLS_<NAME>_PORT for servers whose certificate must be refused
# (OTHERNAME, EXPIRED, UNTRUSTED, NOINTER, whose intermediate is left out, and NOSIGN, whose key
# may not sign the key exchange), for good ones (LOCALHOST, and PIECES, which cuts its replies
# across records and its records into single bytes, and ASKS, which asks for an optional client
# certificate; and RENEGOTIATES, which asks for a new handshake after the client's USER), for one
# that speaks nothing newer than TLS 1.1 (OLD), for two that speak no TLS at all (GARBAGE
# greets in plain text, HANGSUP closes after the client's hello), and for FORGES, which answers
# every hello with a forged alert that it shares nothing with the client; they write what they
# hear to VANTREL_TLS_LOG. NOINTER's certificate gives the address of a listener that writes
# every connection it gets to VANTREL_AIA_LOG: no client may call it.
# STALLS (reads nothing until told) and ENDS (ends the connection as asked) serve the checks of
# what a TLS engine's send and receive promise (tests/net/tls_server.py tells how).

net_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
net_dir=$(mktemp -d /tmp/vantrel-net.XXXXXX)
chmod 755 "$net_dir"
net_http_pid=""
net_silent_pid=""
net_late_pid=""
net_tls_pid=""
net_aia_pid=""
net_renegotiates_pid=""
source "$net_root/tests/net/tls_certs.sh"
source "$net_root/tests/net/dovecot_conf.sh"

net_stop() {
  if [ -f "$net_dir/run/master.pid" ]; then kill "$(cat "$net_dir/run/master.pid")" 2>/dev/null || true; fi
  for pid in $net_http_pid $net_silent_pid $net_late_pid $net_tls_pid $net_aia_pid $net_renegotiates_pid; do kill "$pid" 2>/dev/null || true; done
  # dovecot removes its pid file as it ends; give it a moment before the tree goes.
  for _ in $(seq 50); do [ -f "$net_dir/run/master.pid" ] || break; sleep 0.1; done
  rm -rf "$net_dir"
}
trap net_stop EXIT

net_free_port() {
  python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])'
}

net_wait_port() {
  for _ in $(seq 100); do
    if python3 -c 'import socket, sys; socket.create_connection(("127.0.0.1", int(sys.argv[1])), 1)' "$1" 2>/dev/null; then
      return 0
    fi
    sleep 0.1
  done
  echo "net-servers: nothing listens on port $1" >&2
  return 1
}

net_port_file() {  # file variable: waits for a server to write its port to file, exports it
  for _ in $(seq 100); do [ -s "$1" ] && break; sleep 0.1; done
  export "$2=$(cat "$1")"
}

net_start() {
  mkdir -p "$net_dir/run" "$net_dir/mail"
  : >"$net_dir/passwd"
  dovecot_mailbox "$net_dir" alice secret 3
  dovecot_mailbox "$net_dir" bob hunter2 0
  dovecot_mailbox "$net_dir" carol opensesame 1
  export VANTREL_ODD_PASSWORD
  VANTREL_ODD_PASSWORD=$(printf 'q"b\\\xe9t')
  dovecot_mailbox "$net_dir" dora "$VANTREL_ODD_PASSWORD" 2 3
  dovecot_summaries_mailbox "$net_dir" erin summaries
  dovecot_mailbox "$net_dir" frank pushed 1
  export VANTREL_MAIL_DIR=$net_dir/mail
  export VANTREL_POP3_PORT VANTREL_POP3S_PORT VANTREL_IMAP_PORT VANTREL_IMAPS_PORT
  export VANTREL_TEST_CA VANTREL_DOVECOT_LOG
  VANTREL_POP3_PORT=$(net_free_port)
  VANTREL_POP3S_PORT=$(net_free_port)
  VANTREL_IMAP_PORT=$(net_free_port)
  VANTREL_IMAPS_PORT=$(net_free_port)
  mkdir -p "$net_dir/tls"
  export VANTREL_AIA_LOG=$net_dir/aia.log
  : >"$VANTREL_AIA_LOG"
  local aia_port
  aia_port=$(net_free_port)
  python3 -c '
import socket, sys
s = socket.socket(); s.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
s.bind(("127.0.0.1", int(sys.argv[1]))); s.listen(16)
while True:
    conn, _ = s.accept()
    with open(sys.argv[2], "a") as log: log.write("connection\n")
    conn.close()' "$aia_port" "$VANTREL_AIA_LOG" &
  net_aia_pid=$!
  tls_certs "$net_dir/tls" "http://127.0.0.1:$aia_port/inter.crt"
  VANTREL_TEST_CA=$net_dir/tls/ca.pem
  VANTREL_DOVECOT_LOG=$net_dir/dovecot.log
  dovecot_conf "$net_dir" "$VANTREL_POP3_PORT" "$VANTREL_POP3S_PORT" "$VANTREL_IMAP_PORT" \
    "$VANTREL_IMAPS_PORT" >"$net_dir/dovecot.conf"
  chown -R dovecot:dovecot "$net_dir/mail"
  /usr/sbin/dovecot -c "$net_dir/dovecot.conf"
  for port in "$VANTREL_POP3_PORT" "$VANTREL_POP3S_PORT" "$VANTREL_IMAP_PORT" "$VANTREL_IMAPS_PORT"; do
    net_wait_port "$port"
  done

  export VANTREL_TLS_LOG=$net_dir/tls.log
  : >"$VANTREL_TLS_LOG"
  python3 "$net_root/tests/net/tls_server.py" "$VANTREL_TLS_LOG" "$net_dir/tls.ports" \
    "$net_dir/tls" othername expired untrusted nointer nosign localhost old asks pieces narrow \
    garbage hangsup forges stalls ends &
  net_tls_pid=$!
  for _ in $(seq 100); do [ -s "$net_dir/tls.ports" ] && break; sleep 0.1; done
  local tls_name tls_port
  while read -r tls_name tls_port; do
    export "VANTREL_TLS_${tls_name^^}_PORT=$tls_port"
  done <"$net_dir/tls.ports"
  /usr/bin/python3 "$net_root/tests/net/renegotiating_server.py" "$VANTREL_TLS_LOG" \
    "$net_dir/renegotiates.port" "$net_dir/tls/localhost.pem" "$net_dir/tls/localhost.key" &
  net_renegotiates_pid=$!
  net_port_file "$net_dir/renegotiates.port" VANTREL_TLS_RENEGOTIATES_PORT

  python3 "$net_root/tests/net/http_server.py" "$net_dir/http.port" 900 &
  net_http_pid=$!
  net_port_file "$net_dir/http.port" VANTREL_HTTP_PORT
  net_wait_port "$VANTREL_HTTP_PORT"

  python3 -c '
import socket, sys, time
s = socket.socket(); s.bind(("127.0.0.1", 0)); s.listen(16)
open(sys.argv[1], "w").write(str(s.getsockname()[1]))
time.sleep(900)' "$net_dir/silent.port" &
  net_silent_pid=$!
  net_port_file "$net_dir/silent.port" VANTREL_SILENT_PORT

  python3 "$net_root/tests/net/late_pop3_server.py" "$net_dir/late.port" 300 900 &
  net_late_pid=$!
  net_port_file "$net_dir/late.port" VANTREL_LATE_POP3_PORT
}

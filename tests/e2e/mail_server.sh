# shellcheck shell=bash
# A private dovecot POP3 server on 127.0.0.1 port 110, the port of a plain account without a port
# of its own (binding it needs root), and IMAP on 143 likewise, offering STARTTLS. Mailboxes:
# alice/secret (3 messages), bob/hunter2 (2), carol/opensesame (none), dave/cumulus (2 unread, 1
# read), fay/zephyr (none, for deliveries), erin/nouvelles (8 unread and 2 read, whose senders and
# subjects come in several character sets: dovecot_summaries_mailbox). IMAP over implicit TLS on
# MAIL_SERVER_IMAPS_PORT. Over implicit TLS for POP3: dovecot's pop3s on MAIL_SERVER_POP3S_PORT (a
# certificate for localhost from the test root of mail_server_trust_root) and, on
# MAIL_SERVER_UNTRUSTED_PORT, a server with a certificate from an unknown root, and on
# MAIL_SERVER_NOINTER_PORT one that leaves out the intermediate of its certificate, both writing
# what they hear to MAIL_SERVER_TLS_LOG. The address that certificate gives for its intermediate
# is a listener that writes every connection it gets to MAIL_SERVER_AIA_LOG.

MAIL_SERVER_DIR=""
MAIL_SERVER_POP3S_PORT=""
MAIL_SERVER_IMAPS_PORT=""
MAIL_SERVER_UNTRUSTED_PORT=""
MAIL_SERVER_NOINTER_PORT=""
MAIL_SERVER_TLS_PID=""
MAIL_SERVER_TLS_LOG=""
MAIL_SERVER_AIA_PID=""
MAIL_SERVER_AIA_LOG=""
source "$(dirname "${BASH_SOURCE[0]}")/../net/tls_certs.sh"
source "$(dirname "${BASH_SOURCE[0]}")/../net/dovecot_conf.sh"

mail_server_listening() {  # mail_server_listening [PORT]
  python3 -c 'import socket, sys; socket.create_connection(("127.0.0.1", int(sys.argv[1])), 1)' \
    "${1:-110}" 2>/dev/null
}

mail_server_start() {
  local port
  for port in 110 143; do
    if mail_server_listening "$port"; then
      echo "mail server: something already listens on 127.0.0.1:$port" >&2
      return 1
    fi
  done
  MAIL_SERVER_DIR=$(mktemp -d /tmp/vantrel-mail.XXXXXX)
  chmod 755 "$MAIL_SERVER_DIR"
  mkdir -p "$MAIL_SERVER_DIR/run" "$MAIL_SERVER_DIR/mail"
  : >"$MAIL_SERVER_DIR/passwd"
  dovecot_mailbox "$MAIL_SERVER_DIR" alice secret 3
  dovecot_mailbox "$MAIL_SERVER_DIR" bob hunter2 2
  dovecot_mailbox "$MAIL_SERVER_DIR" carol opensesame 0
  dovecot_mailbox "$MAIL_SERVER_DIR" dave cumulus 2 1
  dovecot_mailbox "$MAIL_SERVER_DIR" fay zephyr 0
  dovecot_summaries_mailbox "$MAIL_SERVER_DIR" erin nouvelles
  # Implicit TLS beside: dovecot's pop3s with a certificate for localhost from the test root, and
  # a server whose certificate comes from a root nobody trusts, which writes down what it hears.
  mkdir -p "$MAIL_SERVER_DIR/tls"
  MAIL_SERVER_AIA_LOG=$MAIL_SERVER_DIR/aia.log
  : >"$MAIL_SERVER_AIA_LOG"
  python3 -c '
import socket, sys
s = socket.socket(); s.bind(("127.0.0.1", 0)); s.listen(16)
open(sys.argv[1] + ".tmp", "w").write(str(s.getsockname()[1]))
__import__("os").rename(sys.argv[1] + ".tmp", sys.argv[1])
while True:
    conn, _ = s.accept()
    with open(sys.argv[2], "a") as log: log.write("connection\n")
    conn.close()' "$MAIL_SERVER_DIR/aia.port" "$MAIL_SERVER_AIA_LOG" &
  MAIL_SERVER_AIA_PID=$!
  local _
  for _ in $(seq 100); do [[ -s "$MAIL_SERVER_DIR/aia.port" ]] && break; sleep 0.1; done
  tls_certs "$MAIL_SERVER_DIR/tls" "http://127.0.0.1:$(cat "$MAIL_SERVER_DIR/aia.port")/inter.crt"
  MAIL_SERVER_POP3S_PORT=$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
  MAIL_SERVER_IMAPS_PORT=$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
  dovecot_conf "$MAIL_SERVER_DIR" 110 "$MAIL_SERVER_POP3S_PORT" 143 "$MAIL_SERVER_IMAPS_PORT" \
    >"$MAIL_SERVER_DIR/dovecot.conf"
  chown -R dovecot:dovecot "$MAIL_SERVER_DIR/mail"
  /usr/sbin/dovecot -c "$MAIL_SERVER_DIR/dovecot.conf" || return 1
  MAIL_SERVER_TLS_LOG=$MAIL_SERVER_DIR/tls.log
  : >"$MAIL_SERVER_TLS_LOG"
  python3 "$(dirname "${BASH_SOURCE[0]}")/../net/tls_server.py" "$MAIL_SERVER_TLS_LOG" \
    "$MAIL_SERVER_DIR/tls.ports" "$MAIL_SERVER_DIR/tls" untrusted nointer &
  MAIL_SERVER_TLS_PID=$!
  for _ in $(seq 100); do
    [[ -s "$MAIL_SERVER_DIR/tls.ports" ]] && mail_server_listening && mail_server_listening 143 &&
      break
    sleep 0.1
  done
  MAIL_SERVER_UNTRUSTED_PORT=$(sed -n 's/^untrusted //p' "$MAIL_SERVER_DIR/tls.ports")
  MAIL_SERVER_NOINTER_PORT=$(sed -n 's/^nointer //p' "$MAIL_SERVER_DIR/tls.ports")
  [[ -n "$MAIL_SERVER_UNTRUSTED_PORT" ]] && mail_server_listening && mail_server_listening 143 &&
    return 0
  echo "mail server: dovecot or the untrusted TLS server does not listen" >&2
  return 1
}

# Trusts the test root in the current Wine prefix only, where Windows keeps a user's own roots.
mail_server_trust_root() {
  local der sha1 length
  der=$(openssl x509 -in "$MAIL_SERVER_DIR/tls/ca.pem" -outform DER | od -An -v -tx1 | tr -d ' \n')
  sha1=$(openssl x509 -in "$MAIL_SERVER_DIR/tls/ca.pem" -outform DER | sha1sum | cut -d' ' -f1)
  length=$(printf '%08x' $((${#der} / 2)))
  wine_run reg add "HKCU\\Software\\Microsoft\\SystemCertificates\\Root\\Certificates\\${sha1^^}" \
    /v Blob /t REG_BINARY /f \
    /d "2000000001000000${length:6:2}${length:4:2}${length:2:2}${length:0:2}$der" >/dev/null
}

mail_server_stop() {
  [[ -n "$MAIL_SERVER_DIR" ]] || return 0
  [[ -n "$MAIL_SERVER_TLS_PID" ]] && kill "$MAIL_SERVER_TLS_PID" 2>/dev/null
  [[ -n "$MAIL_SERVER_AIA_PID" ]] && kill "$MAIL_SERVER_AIA_PID" 2>/dev/null
  MAIL_SERVER_TLS_PID=""
  MAIL_SERVER_AIA_PID=""
  local pid=$MAIL_SERVER_DIR/run/master.pid _
  [[ -f "$pid" ]] && kill "$(cat "$pid")" 2>/dev/null
  # dovecot removes its pid file as it ends; give it a moment before the tree goes.
  for _ in $(seq 50); do [[ -f "$pid" ]] || break; sleep 0.1; done
  rm -rf "$MAIL_SERVER_DIR"
  MAIL_SERVER_DIR=""
}

# The stored form of a password in the settings file: byte i shifted by 3, -1, -2, 4, 1, -4, 2,
# -3 (i mod 8), written as UTF-8 for e2e_write_settings, which stores Windows-1252.
scrambled_password() {  # scrambled_password TEXT
  python3 -c '
import sys
shift = [3, -1, -2, 4, 1, -4, 2, -3]
data = sys.argv[1].encode("cp1252")
out = bytes((b + shift[i % 8]) % 256 for i, b in enumerate(data))
sys.stdout.write(out.decode("cp1252"))' "$1"
}

# shellcheck shell=bash
# The private dovecot the network and mail suites and the benchmarks run: POP3 on 127.0.0.1,
# plain and implicit TLS with the test root's certificate for localhost (tests/net/tls_certs.sh
# made it in DIR/tls), and IMAP beside it when its ports are given (plain, offering STARTTLS, and
# implicit TLS).

# dovecot_conf DIR POP3_PORT POP3S_PORT [IMAP_PORT IMAPS_PORT]: the configuration, on standard
# output. An empty POP3S_PORT leaves TLS out altogether (no implicit TLS port, no STARTTLS offer,
# no certificate): the plain conversations the benchmarks time.
dovecot_conf() {
  local protocols=pop3
  [ -n "${4:-}" ] && protocols="imap pop3"
  cat <<CONF
protocols = $protocols
listen = 127.0.0.1
base_dir = $1/run
state_dir = $1/run
log_path = $1/dovecot.log
CONF
  if [ -n "$3" ]; then
    cat <<CONF
ssl = yes
ssl_cert = <$1/tls/localhost.pem
ssl_key = <$1/tls/localhost.key
CONF
  else
    echo "ssl = no"
  fi
  cat <<CONF
disable_plaintext_auth = no
auth_mechanisms = plain
# Refusals are answered at once (dovecot still slows down an address that keeps failing).
auth_failure_delay = 0
first_valid_uid = 1
default_internal_user = dovecot
default_login_user = dovenull
passdb {
  driver = passwd-file
  args = scheme=PLAIN $1/passwd
}
userdb {
  driver = passwd-file
  args = $1/passwd
}
mail_location = maildir:$1/mail/%u
CONF
  dovecot_listeners pop3 "$2" "$3"
  [ -n "${4:-}" ] || return 0
  dovecot_listeners imap "$4" "${5:-}"
}

# dovecot_listeners PROTOCOL PORT [TLS_PORT]
dovecot_listeners() {
  echo "service $1-login {"
  echo "  inet_listener $1 {"
  echo "    port = $2"
  echo "  }"
  if [ -n "${3:-}" ]; then
    echo "  inet_listener ${1}s {"
    echo "    port = $3"
    echo "    ssl = yes"
    echo "  }"
  fi
  echo "}"
}

# dovecot_mailbox DIR USER PASSWORD UNREAD [READ]: a maildir in DIR/mail with that many unread
# and read messages, and its line in DIR/passwd
dovecot_mailbox() {
  local box=$1/mail/$2 i
  mkdir -p "$box/new" "$box/cur" "$box/tmp"
  for i in $(seq "$4"); do
    printf 'From: sender%s@example.com\r\nSubject: note %s\r\n\r\nbody %s\r\n' "$i" "$i" "$i" \
      >"$box/new/100000000$i.M$i.vantrel"
  done
  # Read messages: in cur/, flagged seen.
  for i in $(seq "${5:-0}"); do
    printf 'From: reader%s@example.com\r\nSubject: old %s\r\n\r\nread %s\r\n' "$i" "$i" "$i" \
      >"$box/cur/200000000$i.M$i.vantrel:2,S"
  done
  echo "$2:{PLAIN}$3:$(id -u dovecot):$(id -g dovecot)::$box" >>"$1/passwd"
}

# The senders and subjects of the summaries mailboxes, one header a line in printf's escapes:
# encoded words of five character sets, then one folded over three lines, one in raw 8-bit bytes
# and one without a subject.
dovecot_summary_headers() {
  cat <<'HEADERS'
From: =?UTF-8?Q?Ren=C3=A9e_Dupr=C3=A9?= <renee@example.com>\r\nSubject: =?UTF-8?B?0J/RgNC40LLQtdGCLCDQvNC40YA=?=\r\n
From: =?ISO-8859-1?Q?J=F6rg_M=FCller?= <jorg@example.com>\r\nSubject: =?ISO-8859-1?Q?Caf=E9_cr=E8me_=E0_10h?=\r\n
From: =?ISO-8859-5?B?wdXg09XZ?= <sergei@example.com>\r\nSubject: =?iso-8859-5?B?vuLn8eIg19Ag3NDg4g==?=\r\n
From: =?windows-1251?B?xOzo8vDo6Q==?= <dmitri@example.com>\r\nSubject: =?windows-1251?B?0fe48iC5IDQy?=\r\n
From: =?Shift_JIS?B?jlKTY5G+mFk=?= <yamada@example.jp>\r\nSubject: =?Shift_JIS?B?ie+LY4LMjpGXvw==?=\r\n
From: Folded Sender <folded@example.com>\r\nSubject: =?UTF-8?Q?Un_sujet_tr=C3=A8s?=\r\n =?UTF-8?Q?_long_qui_continue?=\r\n\t=?UTF-8?Q?_sur_trois_lignes?=\r\n
From: J\xf6rg <raw@example.com>\r\nSubject: Caf\xe9 cr\xe8me\r\n
From: nosubject@example.com\r\n
HEADERS
}

# dovecot_unread_headers DIR USER: into DIR/mail/USER/new, a message for each header line on
# standard input, numbered from 1 in its Message-ID and Date
dovecot_unread_headers() {
  local box=$1/mail/$2 i=0 header
  mkdir -p "$box/new" "$box/cur" "$box/tmp"
  while IFS= read -r header; do
    i=$((i + 1))
    # shellcheck disable=SC2059
    printf "${header}Message-ID: <m$i@example.com>\\r\\nDate: Mon, 3 Mar 2025 10:0$i:00 +0100\\r\\n\\r\\nbody $i\\r\\n" \
      >"$box/new/300000000$i.M$i.vantrel"
  done
}

# dovecot_summaries_mailbox DIR USER PASSWORD: a maildir of eight unread messages whose senders
# and subjects come as encoded words of several character sets, folded over three lines, as raw
# 8-bit bytes or not at all, then two read messages, and its line in DIR/passwd
dovecot_summaries_mailbox() {
  local box=$1/mail/$2 i
  dovecot_summary_headers | dovecot_unread_headers "$1" "$2"
  for i in 1 2; do
    printf 'From: reader%s@example.com\r\nSubject: old %s\r\nMessage-ID: <r%s@example.com>\r\n\r\nread %s\r\n' \
      "$i" "$i" "$i" "$i" >"$box/cur/400000000$i.M$i.vantrel:2,S"
  done
  echo "$2:{PLAIN}$3:$(id -u dovecot):$(id -g dovecot)::$box" >>"$1/passwd"
}

# dovecot_previews_mailbox DIR USER PASSWORD: a maildir of five unread messages whose senders and
# subjects are encoded words of five character sets, and its line in DIR/passwd
dovecot_previews_mailbox() {
  dovecot_summary_headers | sed -n 1,5p | dovecot_unread_headers "$1" "$2"
  echo "$2:{PLAIN}$3:$(id -u dovecot):$(id -g dovecot)::$1/mail/$2" >>"$1/passwd"
}

# dovecot_large_mailbox DIR USER PASSWORD UNREAD: a maildir of UNREAD small unread messages, each
# with a sender and a subject, written by one process (a shell loop takes minutes for 50,000), and
# its line in DIR/passwd
dovecot_large_mailbox() {
  python3 - "$1/mail/$2" "$4" <<'PY'
import os, sys
box, unread = sys.argv[1], int(sys.argv[2])
for part in ("new", "cur", "tmp"):
    os.makedirs(os.path.join(box, part), exist_ok=True)
for i in range(1, unread + 1):
    with open(os.path.join(box, "new", f"{1000000000 + i}.M{i}.vantrel"), "wb") as message:
        message.write(f"From: sender{i}@example.com\r\nSubject: note {i}\r\n"
                      f"Message-ID: <s{i}@example.com>\r\n\r\nbody {i}\r\n".encode())
PY
  echo "$2:{PLAIN}$3:$(id -u dovecot):$(id -g dovecot)::$1/mail/$2" >>"$1/passwd"
}

# The peers of net_bench's previews: Python's poplib and imaplib doing the same mail check, the
# newest NEWEST senders and subjects of every account decoded by email.header (0: the count
# alone), in clear text (pop3, imap) or over implicit TLS to localhost with a certificate from
# ROOT (pop3s, imaps). "examine" is IMAP in clear text counting the way a client that wants the
# newest messages anyway does: EXAMINE, UID SEARCH UNSEEN (the count is the number of UIDs), then
# the FETCH of the newest headers. Prints one "name: value" line.
# Usage: previews_peer.py pop3|imap|pop3s|imaps|examine PORT ROOT NEWEST ACCOUNTS USER:PASSWORD...
import email.header
import email.parser
import imaplib
import poplib
import re
import ssl
import sys
import time

protocol, port, root = sys.argv[1], int(sys.argv[2]), sys.argv[3]
newest, accounts = int(sys.argv[4]), int(sys.argv[5])
pairs = [pair.split(":", 1) for pair in sys.argv[6:]]
parser = email.parser.BytesHeaderParser()
context = None
if protocol in ("pop3s", "imaps"):
    # The system's roots and the test root, as net_bench trusts them.
    context = ssl.create_default_context()
    context.load_verify_locations(cafile=root)


def shown(header):
    """1 when the header gives both a sender and a subject, decoded as a mail list shows them."""
    fields = parser.parsebytes(header)
    texts = [str(email.header.make_header(email.header.decode_header(fields[name])))
             for name in ("From", "Subject") if fields[name] is not None]
    return int(len(texts) == 2 and all(texts))


def pop3(user, password):
    if context:
        box = poplib.POP3_SSL("localhost", port, timeout=5, context=context)
    else:
        box = poplib.POP3("127.0.0.1", port, timeout=5)
    box.user(user)
    box.pass_(password)
    count, _ = box.stat()
    found = 0
    for number in range(count, max(count - newest, 0), -1):
        _, lines, _ = box.top(number, 0)
        found += shown(b"\r\n".join(lines) + b"\r\n")
    box.quit()
    return found


def imap(user, password):
    if context:
        box = imaplib.IMAP4_SSL("localhost", port, timeout=5, ssl_context=context)
    else:
        box = imaplib.IMAP4("127.0.0.1", port, timeout=5)
    box.login(user, password)
    _, status = box.status('"INBOX"', "(UNSEEN)")
    unseen = int(re.search(rb"UNSEEN (\d+)", status[0]).group(1))
    found = 0
    if newest > 0 and unseen > 0:
        box.select("INBOX", readonly=True)
        _, searched = box.uid("SEARCH", "UNSEEN")
        uids = sorted(int(uid) for uid in searched[0].split())[-newest:]
        if uids:
            _, fetched = box.uid("FETCH", ",".join(map(str, uids)),
                                 "(BODY.PEEK[HEADER.FIELDS (FROM SUBJECT DATE MESSAGE-ID)])")
            found = sum(shown(item[1]) for item in fetched if isinstance(item, tuple))
    box.logout()
    return found


def examine(user, password):
    box = imaplib.IMAP4("127.0.0.1", port, timeout=5)
    box.login(user, password)
    box.select("INBOX", readonly=True)
    _, searched = box.uid("SEARCH", "UNSEEN")
    uids = sorted(int(uid) for uid in searched[0].split())
    found = 0
    if newest > 0 and uids:
        _, fetched = box.uid("FETCH", ",".join(map(str, uids[-newest:])),
                             "(BODY.PEEK[HEADER.FIELDS (FROM SUBJECT DATE MESSAGE-ID)])")
        found = sum(shown(item[1]) for item in fetched if isinstance(item, tuple))
    box.logout()
    return found


check = {"pop3": pop3, "pop3s": pop3, "imap": imap, "imaps": imap, "examine": examine}[protocol]
peer = "poplib" if protocol.startswith("pop3") else "imaplib"
figure = f"{protocol}_{'previews' if newest > 0 else 'count'}_{peer}"
start = time.monotonic()
found = 0
for i in range(accounts):
    found += check(*pairs[i % len(pairs)])
elapsed = time.monotonic() - start
if found != accounts * newest:
    print(f"{figure}: {found} summaries shown of {accounts * newest}", file=sys.stderr)
print(f"{figure}_seconds: {elapsed:.3f}")

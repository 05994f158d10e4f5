# The floor beside push_bench: a bare client waiting in IDLE on the same kind of mailbox, timing
# each delivery to the server's "* N EXISTS" about it, with nothing counted or shown. What is left
# of push_bench's figures above these is the program's own. Prints "name: value" lines.
# Usage: push_peer.py PORT USER:PASSWORD MAILDIR DELIVERIES
import os
import socket
import statistics
import sys
import time

port, pair, maildir, deliveries = int(sys.argv[1]), sys.argv[2], sys.argv[3], int(sys.argv[4])
user, password = pair.split(":", 1)
owner = os.stat(maildir)
connection = socket.create_connection(("127.0.0.1", port), timeout=10)
lines = connection.makefile("rb")


def until(ending):
    """Reads lines until one starts with `ending`."""
    while True:
        line = lines.readline()
        if not line:
            sys.exit("push_peer: the server hung up")
        if line.startswith(ending):
            return line


until(b"* OK")
connection.sendall(f'a LOGIN "{user}" "{password}"\r\nb EXAMINE INBOX\r\nc IDLE\r\n'.encode())
until(b"b OK")
until(b"+")
delays = []
for number in range(1, deliveries + 1):
    name = f"700000000{number}.M1.peer"
    written = os.path.join(maildir, "tmp", name)
    with open(written, "wb") as out:
        out.write(b"From: Peer <peer@example.com>\r\nSubject: peer %d\r\n\r\nbody\r\n" % number)
    os.chown(written, owner.st_uid, owner.st_gid)
    delivered = time.monotonic()
    os.rename(written, os.path.join(maildir, "new", name))
    while not until(b"* ").rstrip().endswith(b"EXISTS"):
        pass
    delays.append(1000 * (time.monotonic() - delivered))
    time.sleep(0.3)
connection.sendall(b"DONE\r\nd LOGOUT\r\n")
print(f"push_delivery_peer_median_ms: {statistics.median(delays):.0f}")
print(f"push_delivery_peer_worst_ms: {max(delays):.0f}")

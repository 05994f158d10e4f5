"""POP3 over implicit TLS that serves certificates a client must refuse, and writes down what it
hears, so the tests can show that no USER or PASS reached it.

Usage: tls_server.py LOG PORTS_FILE CERT_DIR NAME...
Listens on 127.0.0.1, one free port per certificate NAME (NAME.pem, NAME.key in CERT_DIR),
writes "NAME PORT" lines to PORTS_FILE, and appends to LOG one line per connection event:
"NAME accepted", "NAME handshake refused", "NAME heard <line>".

The NAME "pieces" is a good server (the certificate of localhost) that plays a POP3 dialogue
whose reply lines are cut across TLS records, and whose records reach the socket one byte at a
time: the mailbox holds 2 messages. The NAME "old" has the certificate of localhost but speaks
nothing newer than TLS 1.1. The NAME "asks" has the certificate of localhost and asks the client
for a certificate of its own, which it may do without. The NAME "narrow" has the certificate
of localhost and one cipher suite only, ECDHE-RSA-AES256-SHA384 (CBC with a SHA-384 MAC), which
the built-in client offers and Wine's SChannel does not. Two NAMEs speak no TLS at all: "garbage"
greets in plain text as a POP3 server does, and "hangsup" reads the client's hello and closes.
"forges" is someone on the way who answers every client's hello with a fatal handshake_failure
alert in clear text, as a server that shares nothing with that client would, and closes.

Two more good servers (the certificate of localhost) speak no mail protocol. "stalls" makes the
handshake, then reads nothing until a plain connection to the same port sends "go" (the oldest
stalled connection goes on, and the plain one is closed); it then reads up to a line end and
answers "+OK <count>" when the bytes before it were "abcd...z" over and over, or "-ERR <offset>"
at the first that was not. "ends" reads one line naming how it ends the connection, answers
"+OK <that line>", and then: "close notify" sends its close notice and hangs up; "hang up" hangs
up without one; "cut record" sends the first half of one more record and hangs up.
"""
import contextlib
import os
import socket
import ssl
import sys
import threading
import time
import warnings

log_lock = threading.Lock()


def note(log, text):
    with log_lock:
        with open(log, "a", encoding="utf-8") as out:
            out.write(text + "\n")


def serve_one(conn, context, name, log):
    note(log, f"{name} accepted")
    conn.settimeout(10)
    try:
        tls = context.wrap_socket(conn, server_side=True)
    except (ssl.SSLError, OSError):
        note(log, f"{name} handshake refused")
        conn.close()
        return
    try:
        tls.sendall(b"+OK ready\r\n")
        for line in tls.makefile("rb"):
            note(log, f"{name} heard {line.decode('latin-1').rstrip()}")
            tls.sendall(b"+OK\r\n")
    except (ssl.SSLError, OSError):
        pass
    finally:
        tls.close()


def serve_not_tls(conn, name, log):
    note(log, f"{name} accepted")
    conn.settimeout(10)
    try:
        if name == "garbage":
            conn.sendall(b"+OK POP3 ready\r\n")
        conn.recv(65536)
        if name == "forges":
            conn.sendall(bytes([0x15, 0x03, 0x03, 0x00, 0x02, 0x02, 0x28]))
    except OSError:
        pass
    finally:
        conn.close()


class Records:
    """TLS over a connection whose every byte the server handles itself, through memory."""

    def __init__(self, conn, context):
        self.conn = conn
        self.incoming, self.outgoing = ssl.MemoryBIO(), ssl.MemoryBIO()
        self.tls = context.wrap_bio(self.incoming, self.outgoing, server_side=True)
        while True:
            try:
                self.tls.do_handshake()
                break
            except ssl.SSLWantReadError:
                self.push()
                self.pull()
        self.push()

    def push(self, pause=0):  # with a pause, one byte at a time
        data = self.outgoing.read()
        if not pause:
            self.conn.sendall(data)
            return
        for at in range(len(data)):
            self.conn.sendall(data[at : at + 1])
            time.sleep(pause)

    def pull(self):
        data = self.conn.recv(65536)
        if not data:
            raise EOFError
        self.incoming.write(data)

    def say(self, *records, pause=0):  # each write is a record of its own
        for record in records:
            self.tls.write(record)
        self.push(pause)

    def hear(self):
        line = b""
        while not line.endswith(b"\n"):
            try:
                line += self.tls.read(1)
            except ssl.SSLWantReadError:
                self.pull()
        return line


def serve_pieces(conn, context, log):
    note(log, "pieces accepted")
    conn.settimeout(10)
    conn.setsockopt(socket.IPPROTO_TCP, socket.TCP_NODELAY, 1)

    try:
        records = Records(conn, context)

        def say(*parts):
            records.say(*parts, pause=0.002)

        def hear():
            note(log, f"pieces heard {records.hear().decode('latin-1').rstrip()}")

        say(b"+OK rea", b"dy\r\n")
        hear()
        say(b"+", b"OK\r", b"\n")
        hear()
        say(b"+OK logged in\r\n")
        hear()
        say(b"+OK 2", b" 3", b"20\r\n")
        hear()
        say(b"+OK bye\r\n")
    except (ssl.SSLError, OSError, EOFError):
        note(log, "pieces broken off")
    finally:
        conn.close()


def serve_ends(conn, context):
    conn.settimeout(10)
    try:
        records = Records(conn, context)
        way = records.hear().rstrip(b"\r\n")
        records.say(b"+OK " + way + b"\r\n")
        if way == b"close notify":
            try:
                records.tls.unwrap()
            except ssl.SSLWantReadError:
                pass
            records.push()
        elif way == b"cut record":
            records.tls.write(b"+OK never whole\r\n")
            data = records.outgoing.read()
            conn.sendall(data[: len(data) // 2])
        # An end, not a reset: the client's last bytes are read until it closes.
        conn.shutdown(socket.SHUT_WR)
        while conn.recv(65536):
            pass
    except (ssl.SSLError, OSError, EOFError):
        pass
    finally:
        conn.close()


class Stalled:
    """The stalled connections of "stalls", oldest first."""

    def __init__(self):
        self.lock = threading.Lock()
        self.waiting = []

    @contextlib.contextmanager
    def turn(self):
        event = threading.Event()
        with self.lock:
            self.waiting.append(event)
        try:
            yield event
        finally:
            with self.lock:
                if event in self.waiting:
                    self.waiting.remove(event)

    def release_oldest(self):
        with self.lock:
            if self.waiting:
                self.waiting.pop(0).set()


def serve_stalls(conn, context, stalled):
    conn.settimeout(10)
    tls = None
    try:
        if conn.recv(1, socket.MSG_PEEK) == b"g":
            conn.recv(16)
            stalled.release_oldest()
            return  # the close tells the client that the word was taken
        # Stalled before the handshake can end, so that a client's word never comes too early.
        with stalled.turn() as go:
            tls = context.wrap_socket(conn, server_side=True)
            go.wait(10)
        data = bytearray()
        while not data.endswith(b"\n"):
            chunk = tls.recv(65536)
            if not chunk:
                return
            data += chunk
        body = bytes(data[:-1])
        expected = (b"abcdefghijklmnopqrstuvwxyz" * (len(body) // 26 + 1))[: len(body)]
        if body == expected:
            tls.sendall(b"+OK %d\r\n" % len(body))
        else:
            wrong = next(at for at in range(len(body)) if body[at] != expected[at])
            tls.sendall(b"-ERR %d\r\n" % wrong)
    except (ssl.SSLError, OSError):
        pass
    finally:
        (tls or conn).close()


def tls_service(name, cert_dir, log):
    context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
    cert = "localhost" if name in ("pieces", "old", "asks", "narrow", "stalls", "ends") else name
    if name == "asks":
        context.verify_mode = ssl.CERT_OPTIONAL
        context.load_verify_locations(os.path.join(cert_dir, "ca.pem"))
    if name == "narrow":
        context.maximum_version = ssl.TLSVersion.TLSv1_2
        context.set_ciphers("ECDHE-RSA-AES256-SHA384")
    if name == "old":
        context.set_ciphers("DEFAULT:@SECLEVEL=0")
        with warnings.catch_warnings():  # old on purpose
            warnings.simplefilter("ignore", DeprecationWarning)
            context.minimum_version = ssl.TLSVersion.TLSv1
            context.maximum_version = ssl.TLSVersion.TLSv1_1
    context.load_cert_chain(os.path.join(cert_dir, cert + ".pem"), os.path.join(cert_dir, cert + ".key"))
    stalled = Stalled()
    return {
        "pieces": lambda conn: serve_pieces(conn, context, log),
        "ends": lambda conn: serve_ends(conn, context),
        "stalls": lambda conn: serve_stalls(conn, context, stalled),
    }.get(name, lambda conn: serve_one(conn, context, name, log))


def listen(name, cert_dir, log):
    if name in ("garbage", "hangsup", "forges"):
        serve = lambda conn: serve_not_tls(conn, name, log)
    else:
        serve = tls_service(name, cert_dir, log)
    server = socket.socket()
    if name == "stalls":  # a small window, filled by a few sends
        server.setsockopt(socket.SOL_SOCKET, socket.SO_RCVBUF, 4096)
    server.bind(("127.0.0.1", 0))
    server.listen(16)

    def accept_loop():
        while True:
            conn, _ = server.accept()
            threading.Thread(target=serve, args=(conn,), daemon=True).start()

    threading.Thread(target=accept_loop, daemon=True).start()
    return server.getsockname()[1]


def main():
    log, ports_file, cert_dir, names = sys.argv[1], sys.argv[2], sys.argv[3], sys.argv[4:]
    lines = [f"{name} {listen(name, cert_dir, log)}" for name in names]
    with open(ports_file + ".tmp", "w", encoding="utf-8") as out:
        out.write("\n".join(lines) + "\n")
    os.rename(ports_file + ".tmp", ports_file)
    threading.Event().wait()


if __name__ == "__main__":
    main()

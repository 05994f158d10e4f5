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
"""
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
    except OSError:
        pass
    finally:
        conn.close()


def serve_pieces(conn, context, log):
    note(log, "pieces accepted")
    conn.settimeout(10)
    conn.setsockopt(socket.IPPROTO_TCP, socket.TCP_NODELAY, 1)
    incoming, outgoing = ssl.MemoryBIO(), ssl.MemoryBIO()
    tls = context.wrap_bio(incoming, outgoing, server_side=True)

    def push(pause):
        data = outgoing.read()
        for at in range(0, len(data)):
            conn.sendall(data[at : at + 1])
            time.sleep(pause)

    def pull():
        data = conn.recv(65536)
        if not data:
            raise EOFError
        incoming.write(data)

    def say(*records):  # each write is a record of its own
        for record in records:
            tls.write(record)
        push(0.002)

    def hear():
        line = b""
        while not line.endswith(b"\n"):
            try:
                line += tls.read(1)
            except ssl.SSLWantReadError:
                pull()
        note(log, f"pieces heard {line.decode('latin-1').rstrip()}")

    try:
        while True:
            try:
                tls.do_handshake()
                break
            except ssl.SSLWantReadError:
                push(0)
                pull()
        push(0)
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


def tls_service(name, cert_dir, log):
    context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
    cert = "localhost" if name in ("pieces", "old", "asks", "narrow") else name
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
    if name == "pieces":
        return lambda conn: serve_pieces(conn, context, log)
    return lambda conn: serve_one(conn, context, name, log)


def listen(name, cert_dir, log):
    if name in ("garbage", "hangsup"):
        serve = lambda conn: serve_not_tls(conn, name, log)
    else:
        serve = tls_service(name, cert_dir, log)
    server = socket.socket()
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

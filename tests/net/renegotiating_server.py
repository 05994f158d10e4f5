"""POP3 over implicit TLS 1.2 from a server that asks for a new handshake in the middle of the
conversation, after the client's USER and before answering it, as some servers do before a
login. It writes what happens to LOG: "renegotiates heard <line>" and "renegotiates renewed"
once the new handshake is done. The mailbox holds 4 messages.

Usage: /usr/bin/python3 renegotiating_server.py LOG PORT_FILE CERT KEY
(Debian's Python, for its OpenSSL binding, python3-openssl: the standard ssl module cannot ask
for a new handshake.)
"""
import select
import socket
import sys
import threading

from OpenSSL import SSL


def note(log, text):
    with open(log, "a", encoding="utf-8") as out:
        out.write(text + "\n")


def wait(conn, seconds=10):
    select.select([conn], [], [], seconds)


def serve(conn, context, log):
    tls = SSL.Connection(context, conn)
    tls.set_accept_state()
    conn.setblocking(False)

    def attempt(call):
        while True:
            try:
                return call()
            except SSL.WantReadError:
                wait(conn)

    def send(data):
        attempt(lambda: tls.sendall(data))

    def line():
        text = b""
        while not text.endswith(b"\n"):
            text += attempt(lambda: tls.recv(1))
        note(log, "renegotiates heard " + text.decode("latin-1").rstrip())
        return text

    try:
        attempt(tls.do_handshake)
        send(b"+OK ready\r\n")
        line()  # USER
        tls.renegotiate()
        attempt(tls.do_handshake)  # the request goes out
        # The client answers with a new handshake, which reading runs; it sends nothing else
        # before the reply to its USER.
        while tls.total_renegotiations() < 1 or tls.renegotiate_pending():
            try:
                tls.recv(1)
            except SSL.WantReadError:
                wait(conn, 0.05)
        note(log, "renegotiates renewed")
        send(b"+OK\r\n")
        line()  # PASS
        send(b"+OK logged in\r\n")
        line()  # STAT
        send(b"+OK 4 400\r\n")
        line()  # QUIT
        send(b"+OK bye\r\n")
    except (SSL.Error, OSError):
        note(log, "renegotiates broken off")
    finally:
        conn.close()


def main():
    log, port_file, cert, key = sys.argv[1:5]
    context = SSL.Context(SSL.TLS_METHOD)
    context.set_min_proto_version(SSL.TLS1_2_VERSION)
    context.set_max_proto_version(SSL.TLS1_2_VERSION)
    context.use_certificate_file(cert)
    context.use_privatekey_file(key)
    server = socket.socket()
    server.bind(("127.0.0.1", 0))
    server.listen(16)
    with open(port_file + ".tmp", "w", encoding="utf-8") as out:
        out.write(str(server.getsockname()[1]))
    __import__("os").rename(port_file + ".tmp", port_file)
    while True:
        conn, _ = server.accept()
        threading.Thread(target=serve, args=(conn, context, log), daemon=True).start()


if __name__ == "__main__":
    main()

"""POP3 over implicit TLS that serves certificates a client must refuse, and writes down what it
hears, so the tests can show that no USER or PASS reached it.

Usage: tls_server.py LOG PORTS_FILE CERT_DIR NAME...
Listens on 127.0.0.1, one free port per certificate NAME (NAME.pem, NAME.key in CERT_DIR),
writes "NAME PORT" lines to PORTS_FILE, and appends to LOG one line per connection event:
"NAME accepted", "NAME handshake refused", "NAME heard <line>".
"""
import os
import socket
import ssl
import sys
import threading

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


def listen(name, cert_dir, log):
    context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
    context.load_cert_chain(os.path.join(cert_dir, name + ".pem"), os.path.join(cert_dir, name + ".key"))
    server = socket.socket()
    server.bind(("127.0.0.1", 0))
    server.listen(16)

    def accept_loop():
        while True:
            conn, _ = server.accept()
            threading.Thread(target=serve_one, args=(conn, context, name, log), daemon=True).start()

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

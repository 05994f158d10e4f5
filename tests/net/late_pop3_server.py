#!/usr/bin/env python3
"""A POP3 server on 127.0.0.1 that greets each connection only after a pause.

Usage: late_pop3_server.py PORT_FILE [DELAY_MS] [IDLE_SECONDS] [PASS_REPLY]
Binds a free port and writes it to PORT_FILE. It offers no STLS; any user and password log in,
unless PASS_REPLY gives the answer to PASS (a refusal); STAT answers "+OK 2 20". Stops by itself
after IDLE_SECONDS.
"""
import socket
import sys
import threading
import time


def serve(client, delay, pass_reply):
    with client:
        try:
            time.sleep(delay)
            client.sendall(b"+OK late\r\n")
            for line in client.makefile("rb"):
                if line.startswith(b"CAPA"):
                    client.sendall(b"+OK\r\nUSER\r\n.\r\n")
                elif line.startswith(b"STAT"):
                    client.sendall(b"+OK 2 20\r\n")
                elif line.startswith(b"PASS") and pass_reply:
                    client.sendall(pass_reply + b"\r\n")
                else:
                    client.sendall(b"+OK\r\n")
                if line.startswith(b"QUIT"):
                    return
        except OSError:
            pass  # the client dropped the connection: a time-out under test


def main():
    delay = int(sys.argv[2]) / 1000 if len(sys.argv) > 2 else 0.3
    idle = float(sys.argv[3]) if len(sys.argv) > 3 else 900
    pass_reply = sys.argv[4].encode() if len(sys.argv) > 4 else b""
    listener = socket.socket()
    listener.bind(("127.0.0.1", 0))
    listener.listen(16)
    listener.settimeout(idle)
    with open(sys.argv[1], "w") as out:
        out.write(str(listener.getsockname()[1]))
    while True:
        try:
            client, _ = listener.accept()
        except socket.timeout:
            return
        threading.Thread(target=serve, args=(client, delay, pass_reply), daemon=True).start()


if __name__ == "__main__":
    main()

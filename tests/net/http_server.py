#!/usr/bin/env python3
"""The HTTP server of the network tests, on 127.0.0.1.

Usage: http_server.py PORT_FILE [IDLE_SECONDS]
Binds a free port, writes it to PORT_FILE, and stops by itself after IDLE_SECONDS without a
request. Answers carry the exact bytes of their request: /echo ones as their body, the others
Base64-encoded in an X-Request header line. /slow/MS answers like the update check after MS
milliseconds; /hold never answers; /endless sends a body for ever.
"""
import base64
import socketserver
import sys
import threading
import time

CHUNK = 1 << 16


class Handler(socketserver.BaseRequestHandler):
    def read_request(self):
        data = b""
        while b"\r\n\r\n" not in data:
            got = self.request.recv(4096)
            if not got:
                return data
            data += got
        head, _, rest = data.partition(b"\r\n\r\n")
        length = 0
        for line in head.split(b"\r\n")[1:]:
            name, _, value = line.partition(b":")
            if name.strip().lower() == b"content-length":
                length = int(value.strip() or 0)
        while len(rest) < length:
            got = self.request.recv(4096)
            if not got:
                break
            rest += got
        return head + b"\r\n\r\n" + rest

    def answer(self, status, request, body=b"", extra=()):
        lines = [b"HTTP/1.0 " + status, b"Content-Length: %d" % len(body)]
        if request is not body:
            lines.append(b"X-Request: " + base64.b64encode(request))
        lines.extend(extra)
        self.request.sendall(b"\r\n".join(lines) + b"\r\n\r\n" + body)

    def handle(self):
        self.server.touch()
        request = self.read_request()
        parts = request.split(b" ")
        path = parts[1] if len(parts) > 1 else b""
        port = self.server.server_address[1]
        if path.startswith(b"/checkupdate.php"):
            self.answer(b"200 OK", request, b"2.3")
        elif path.startswith(b"/echo"):
            self.answer(b"200 OK", request, request)
        elif path.startswith(b"/redirect"):
            self.answer(b"302 Found", request, b"moved", [
                b"LOCATION: http://127.0.0.1:%d/echo/after" % port,
                b"Set-Cookie: session=abc123"])
        elif path.startswith(b"/silent"):
            pass
        elif path.startswith(b"/slow/"):
            time.sleep(int(path[len(b"/slow/"):]) / 1000)
            self.answer(b"200 OK", request, b"2.3")
        elif path.startswith(b"/hold"):
            while self.request.recv(4096):
                pass
        elif path.startswith(b"/endless"):
            self.request.sendall(b"HTTP/1.0 200 OK\r\n\r\n")
            block = b"9" * CHUNK
            try:
                while True:
                    self.request.sendall(block)
            except OSError:
                pass
        elif path.startswith(b"/big/"):
            size = int(path[len(b"/big/"):])
            self.request.sendall(b"HTTP/1.0 200 OK\r\nContent-Length: %d\r\n\r\n" % size)
            block = b"x" * CHUNK
            while size > 0:
                self.request.sendall(block[:min(size, CHUNK)])
                size -= CHUNK
        else:
            self.answer(b"404 Not Found", request, b"not here")


class Server(socketserver.ThreadingTCPServer):
    daemon_threads = True
    allow_reuse_address = True

    def __init__(self):
        super().__init__(("127.0.0.1", 0), Handler)
        self.last = time.monotonic()

    def touch(self):
        self.last = time.monotonic()


def main():
    idle = float(sys.argv[2]) if len(sys.argv) > 2 else 600
    server = Server()
    with open(sys.argv[1], "w") as out:
        out.write(str(server.server_address[1]))

    def watchdog():
        while time.monotonic() - server.last < idle:
            time.sleep(1)
        server.shutdown()

    threading.Thread(target=watchdog, daemon=True).start()
    server.serve_forever()


if __name__ == "__main__":
    main()

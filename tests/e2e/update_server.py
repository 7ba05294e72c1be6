#!/usr/bin/env python3
"""The update server the end-to-end tests talk to, on 127.0.0.1 only.

    update_server.py SITE PORT

Serves the files under SITE (404 with an HTML page for anything else). The tests steer
it through SITE/mode: "serve" (the default), "silent" (accept connections and never
answer) or "down" (not listening at all); SITE/state names the mode once it holds.
Requests are noted in SITE/requests.log as "path user-agent", silent connections in
SITE/silent.log as "open" and "closed". It ends by itself after half an hour.
"""
import os
import select
import socket
import sys
import time

site, port = sys.argv[1], int(sys.argv[2])
deadline = time.monotonic() + 1800
SILENT_LIMIT = 120  # seconds a silent connection is held at most


def note(name, line):
    with open(os.path.join(site, name), "a") as log:
        log.write(line + "\n")


def wanted_mode():
    try:
        with open(os.path.join(site, "mode")) as f:
            return f.read().strip() or "serve"
    except OSError:
        return "serve"


def serve(conn):
    conn.settimeout(5)
    request = b""
    try:
        while b"\r\n\r\n" not in request and len(request) < 65536:
            chunk = conn.recv(4096)
            if not chunk:
                break
            request += chunk
        lines = request.decode("latin-1").split("\r\n")
        path = lines[0].split(" ")[1] if len(lines[0].split(" ")) > 1 else "/"
        agent = next((l.split(":", 1)[1].strip() for l in lines if l.lower().startswith("user-agent:")), "")
        note("requests.log", f"{path} {agent}")
        file = os.path.realpath(os.path.join(site, path.lstrip("/")))
        if file.startswith(os.path.realpath(site) + os.sep) and os.path.isfile(file):
            status, body = "200 OK", open(file, "rb").read()
        else:
            status, body = "404 Not Found", b"<html><body><h1>404 Not Found</h1></body></html>"
        head = f"HTTP/1.1 {status}\r\nContent-Length: {len(body)}\r\nConnection: close\r\n\r\n"
        conn.sendall(head.encode() + body)
    except OSError:
        pass
    finally:
        conn.close()


listener = None
mode = None
silent = {}  # connection -> when it was accepted
while time.monotonic() < deadline:
    want = wanted_mode()
    if want != mode:
        if want == "down" and listener:
            listener.close()
            listener = None
        elif want != "down" and not listener:
            listener = socket.socket()
            listener.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
            listener.bind(("127.0.0.1", port))
            listener.listen(8)
        mode = want
        with open(os.path.join(site, "state.new"), "w") as f:
            f.write(mode)
        os.replace(os.path.join(site, "state.new"), os.path.join(site, "state"))
    ready, _, _ = select.select(([listener] if listener else []) + list(silent), [], [], 0.05)
    for s in ready:
        if s is listener:
            conn, _ = listener.accept()
            if mode == "silent":
                silent[conn] = time.monotonic()
                note("silent.log", "open")
            else:
                serve(conn)
            continue
        try:
            data = s.recv(4096)
        except OSError:
            data = b""
        if not data:
            del silent[s]
            s.close()
            note("silent.log", "closed")
    for s, since in list(silent.items()):
        if time.monotonic() - since > SILENT_LIMIT:
            del silent[s]
            s.close()

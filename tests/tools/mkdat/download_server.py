#!/usr/bin/env python3
"""Japan Post's download addresses as the tests need them, on 127.0.0.1 only.

    download_server.py ZIP_FOLDER WORK_FOLDER

Makes a certificate for 127.0.0.1 in WORK_FOLDER (cert.pem, its own
authority), serves HTTPS and plain HTTP on free ports and prints
"<https port> <http port>" once both listen. Under /ok/ the zip files of
ZIP_FOLDER; the other folders give each file broken in one way: /truncated/,
/nocsv/ (a zip without a CSV), /html/ (a page), /redirect/ (to /html/),
/downgrade/ (to plain HTTP), /404/, /500/, /silent/ (never answers).
"""
import http.server
import io
import os
import ssl
import subprocess
import sys
import threading
import time
import zipfile

zips, work = sys.argv[1], sys.argv[2]
cert, key = os.path.join(work, "cert.pem"), os.path.join(work, "key.pem")
subprocess.run(["openssl", "req", "-x509", "-newkey", "rsa:2048", "-nodes", "-keyout", key, "-out", cert,
                "-days", "2", "-subj", "/CN=127.0.0.1", "-addext", "subjectAltName=IP:127.0.0.1"],
               check=True, capture_output=True)

no_csv = io.BytesIO()
with zipfile.ZipFile(no_csv, "w") as z:
    z.writestr("readme.txt", "no postal codes here\n")
PAGE = b"<html><body>Moved. Please see our new download page.</body></html>"
ports = {}


class Handler(http.server.BaseHTTPRequestHandler):
    def log_message(self, *args):
        pass

    def reply(self, status, body, kind="application/zip", headers=()):
        self.send_response(status)
        self.send_header("Content-Type", kind)
        self.send_header("Content-Length", str(len(body)))
        for name, value in headers:
            self.send_header(name, value)
        self.end_headers()
        self.wfile.write(body)

    def do_GET(self):
        parts = self.path.split("/")
        if len(parts) != 3:
            return self.reply(404, b"", "text/plain")
        way, name = parts[1], parts[2]
        path = os.path.join(zips, name)
        if way == "silent":
            time.sleep(3600)
        if way in ("404", "500"):
            return self.reply(int(way), b"error", "text/plain")
        if way == "html":
            return self.reply(200, PAGE, "text/html")
        if way == "redirect":
            return self.reply(302, b"", "text/plain", [("Location", "/html/" + name)])
        if way == "downgrade":
            return self.reply(302, b"", "text/plain", [("Location", f"http://127.0.0.1:{ports['http']}/ok/{name}")])
        if way == "nocsv":
            return self.reply(200, no_csv.getvalue())
        if not os.path.isfile(path):
            return self.reply(404, b"", "text/plain")
        with open(path, "rb") as f:
            body = f.read()
        if way == "truncated":
            body = body[: len(body) // 2]
        elif way != "ok":
            return self.reply(404, b"", "text/plain")
        self.reply(200, body)


class Server(http.server.ThreadingHTTPServer):
    daemon_threads = True

    def handle_error(self, request, client_address):
        pass  # a client that gives up (a test's fault) is no news


def serve(name, wrap):
    server = Server(("127.0.0.1", 0), Handler)
    if wrap:
        context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
        context.load_cert_chain(cert, key)
        server.socket = context.wrap_socket(server.socket, server_side=True)
    ports[name] = server.server_address[1]
    threading.Thread(target=server.serve_forever, daemon=True).start()


serve("https", True)
serve("http", False)
print(ports["https"], ports["http"], flush=True)
# Gone with the test that started it, even when that one is killed.
parent = os.getppid()
while os.getppid() == parent:
    time.sleep(1)

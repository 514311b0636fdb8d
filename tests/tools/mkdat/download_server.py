#!/usr/bin/env python3
"""Japan Post's download addresses for the tests, on 127.0.0.1 only.

    download_server.py ZIP_FOLDER WORK_FOLDER

Makes WORK_FOLDER/cert.pem (its own authority) for 127.0.0.1, serves HTTPS and
HTTP on free ports and prints "<https port> <http port>". /ok/<file> gives the
file of ZIP_FOLDER; /truncated/, /nocsv/ (a zip without CSV), /html/ (a page),
/redirect/ (to /html/), /downgrade/ (to HTTP), /404/, /500/ and /silent/ (no
answer) give it broken.
"""
import http.server, io, os, ssl, subprocess, sys, threading, time, zipfile

zips, work = sys.argv[1:3]
cert, key = os.path.join(work, "cert.pem"), os.path.join(work, "key.pem")
subprocess.run(["openssl", "req", "-x509", "-newkey", "rsa:2048", "-nodes", "-keyout", key, "-out", cert, "-days",
                "2", "-subj", "/CN=127.0.0.1", "-addext", "subjectAltName=IP:127.0.0.1"], check=True,
               capture_output=True)
no_csv = io.BytesIO()
with zipfile.ZipFile(no_csv, "w") as z:
    z.writestr("readme.txt", "no postal codes here\n")
ports = {}


class Handler(http.server.BaseHTTPRequestHandler):
    def log_message(self, *args):
        pass

    def reply(self, status, body=b"", kind="application/zip", location=None):
        self.send_response(status)
        self.send_header("Content-Type", kind)
        self.send_header("Content-Length", str(len(body)))
        if location:
            self.send_header("Location", location)
        self.end_headers()
        self.wfile.write(body)

    def do_GET(self):
        _, way, name = (self.path.split("/") + ["", ""])[:3]
        path = os.path.join(zips, name)
        if way == "silent":
            time.sleep(3600)
        elif way in ("404", "500"):
            self.reply(int(way), b"error", "text/plain")
        elif way == "html":
            self.reply(200, b"<html><body>Moved. See our new download page.</body></html>", "text/html")
        elif way == "redirect":
            self.reply(302, location="/html/" + name)
        elif way == "downgrade":
            self.reply(302, location=f"http://127.0.0.1:{ports['http']}/ok/{name}")
        elif way == "nocsv":
            self.reply(200, no_csv.getvalue())
        elif way in ("ok", "truncated") and os.path.isfile(path):
            body = open(path, "rb").read()
            self.reply(200, body if way == "ok" else body[: len(body) // 2])
        else:
            self.reply(404, b"", "text/plain")


class Server(http.server.ThreadingHTTPServer):
    daemon_threads = True

    def handle_error(self, request, client_address):
        pass  # a client that gives up (a test's fault) is no news


for name in ("https", "http"):
    server = Server(("127.0.0.1", 0), Handler)
    if name == "https":
        context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
        context.load_cert_chain(cert, key)
        server.socket = context.wrap_socket(server.socket, server_side=True)
    ports[name] = server.server_address[1]
    threading.Thread(target=server.serve_forever, daemon=True).start()
print(ports["https"], ports["http"], flush=True)
# Gone with the test that started it, even when that one is killed.
parent = os.getppid()
while os.getppid() == parent:
    time.sleep(1)

#!/usr/bin/env python3
"""Runs a test executable under Wine against web servers on loopback.

Servers (Python standard library, 127.0.0.1 only):
  http      plain HTTP
  https     TLS with a certificate for "localhost" from a test CA
  rogue     TLS with a certificate for "localhost" from another CA (a verifying client refuses it)

The executable is copied, with the DLLs beside it (and the files given with --also), into a scratch folder whose curl-ca-bundle.crt
is the test CA. Its environment gets the servers' addresses:
  WKE_TEST_HTTP=http://127.0.0.1:P   WKE_TEST_HTTPS=https://localhost:P
  WKE_TEST_HTTPS_IP=https://127.0.0.1:P (the name is not in the certificate)
  WKE_TEST_ROGUE=https://localhost:Q

Paths every server answers:
  /html?b=TEXT             TEXT (UTF-8, percent-encoded) as text/html
  /plain?b=TEXT            TEXT as text/plain
  /set-cookie?name=N&value=V&path=P   sets the cookie N=V and answers a small page
  /cookies                 a page whose script calls report('cookies', <the Cookie header>)
  /form                    a page whose script calls report(method, <query or body>)
  /redirect?to=PATH        302 to PATH
  /missing                 404 with a page
"""
import argparse
import http.server
import json
import os
import pathlib
import shutil
import ssl
import subprocess
import sys
import threading
import urllib.parse


def openssl(*args, cwd):
    subprocess.run(["openssl", *args], cwd=cwd, check=True, capture_output=True)


def make_certs(folder):
    folder.mkdir(parents=True, exist_ok=True)
    for ca in ("ca", "other-ca"):
        openssl("req", "-x509", "-newkey", "rsa:2048", "-nodes", "-days", "2", "-subj", f"/CN=Web test {ca}",
                "-keyout", f"{ca}.key", "-out", f"{ca}.pem", cwd=folder)
    (folder / "san.ext").write_text("subjectAltName=DNS:localhost\n")
    for name, ca in (("server", "ca"), ("rogue", "other-ca")):
        openssl("req", "-newkey", "rsa:2048", "-nodes", "-subj", "/CN=localhost",
                "-keyout", f"{name}.key", "-out", f"{name}.csr", cwd=folder)
        openssl("x509", "-req", "-in", f"{name}.csr", "-CA", f"{ca}.pem", "-CAkey", f"{ca}.key", "-CAcreateserial",
                "-days", "2", "-extfile", "san.ext", "-out", f"{name}.pem", cwd=folder)


def script_page(*args):
    call = ", ".join(json.dumps(a) for a in args)
    return f"<html><head><title>report</title></head><body><p>report</p><script>report({call});</script></body></html>"


class Handler(http.server.BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"

    def log_message(self, *args):
        pass

    def _send(self, status, body, content_type="text/html; charset=utf-8", headers=()):
        data = body.encode("utf-8") if isinstance(body, str) else body
        self.send_response(status)
        self.send_header("Content-Type", content_type)
        self.send_header("Content-Length", str(len(data)))
        for k, v in headers:
            self.send_header(k, v)
        self.end_headers()
        self.wfile.write(data)

    def _route(self, method, body=b""):
        url = urllib.parse.urlsplit(self.path)
        query = urllib.parse.parse_qs(url.query, keep_blank_values=True)
        first = lambda k, d="": query.get(k, [d])[0]
        if url.path == "/html":
            self._send(200, first("b"))
        elif url.path == "/plain":
            self._send(200, first("b"), "text/plain; charset=utf-8")
        elif url.path == "/set-cookie":
            cookie = f"{first('name')}={first('value')}; Path={first('path', '/')}; Max-Age=3600"
            self._send(200, "<html><head><title>cookie set</title></head><body>cookie set</body></html>",
                       headers=[("Set-Cookie", cookie)])
        elif url.path == "/cookies":
            self._send(200, script_page("cookies", self.headers.get("Cookie", "")))
        elif url.path == "/form":
            data = body.decode("utf-8") if method == "POST" else url.query
            self._send(200, script_page(method.lower(), data))
        elif url.path == "/redirect":
            self._send(302, "", headers=[("Location", first("to", "/html?b=redirected"))])
        else:
            self._send(404, "<html><head><title>404</title></head><body><h1>404 Not Found</h1></body></html>")

    def do_GET(self):
        self._route("GET")

    def do_POST(self):
        length = int(self.headers.get("Content-Length", "0"))
        self._route("POST", self.rfile.read(length))


def serve(cert=None, key=None):
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Handler)
    server.daemon_threads = True
    if cert:
        context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
        context.load_cert_chain(cert, key)
        server.socket = context.wrap_socket(server.socket, server_side=True)
    threading.Thread(target=server.serve_forever, daemon=True).start()
    return server


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--wine-run", required=True)
    parser.add_argument("--wineprefix", required=True)
    parser.add_argument("--exe", required=True)
    parser.add_argument("--scratch", required=True)
    parser.add_argument("--also", action="append", default=[], help="another file to copy beside the executable")
    parser.add_argument("args", nargs="*", help="arguments for the executable")
    args = parser.parse_args()

    scratch = pathlib.Path(args.scratch)
    shutil.rmtree(scratch, ignore_errors=True)
    certs = scratch / "certs"
    make_certs(certs)

    servers = {
        "WKE_TEST_HTTP": (serve(), "http://127.0.0.1:{}"),
        "WKE_TEST_HTTPS": (serve(certs / "server.pem", certs / "server.key"), "https://localhost:{}"),
        "WKE_TEST_ROGUE": (serve(certs / "rogue.pem", certs / "rogue.key"), "https://localhost:{}"),
    }
    env = dict(os.environ)
    for name, (server, pattern) in servers.items():
        env[name] = pattern.format(server.server_address[1])
    env["WKE_TEST_HTTPS_IP"] = "https://127.0.0.1:{}".format(servers["WKE_TEST_HTTPS"][0].server_address[1])

    exe = pathlib.Path(args.exe)
    run = scratch / "run"
    run.mkdir()
    shutil.copy2(exe, run)
    for dll in exe.parent.glob("*.dll"):
        shutil.copy2(dll, run)
    for extra in args.also:
        shutil.copy2(extra, run)
    shutil.copy2(certs / "ca.pem", run / "curl-ca-bundle.crt")

    result = subprocess.run([args.wine_run, "--prefix", args.wineprefix, str(run / exe.name), *args.args],
                            env=env, timeout=600)
    for server, _ in servers.values():
        server.shutdown()
    return result.returncode


if __name__ == "__main__":
    sys.exit(main())

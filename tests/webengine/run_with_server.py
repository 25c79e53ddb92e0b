#!/usr/bin/env python3
"""Runs a test executable under Wine against web servers on loopback.

Servers (Python standard library, 127.0.0.1 only):
  http      plain HTTP
  https     TLS with a certificate for "localhost" from a test CA
  rogue     TLS with a certificate for "localhost" from another CA (a verifying client refuses it)

The certificates are the local services' test set (tests/fixtures/services/certs.py) and one for
"localhost" from another CA. The executable is copied, with the DLLs beside it (and the files given
with --also), into a scratch folder whose curl-ca-bundle.crt is the test CA. Its environment gets
the servers' addresses:
  WKE_TEST_HTTP=http://127.0.0.1:P   WKE_TEST_HTTPS=https://localhost:P
  WKE_TEST_HTTPS_IP=https://127.0.0.1:P (the name is not in the certificate)
  WKE_TEST_ROGUE=https://localhost:Q
With --services the local account service runs too (tests/fixtures/services), with the same CA:
  WKE_TEST_SIGNIN_URL  a signed address of its sign-in page "Index/UserLogin/DoLogin"
  WKE_TEST_SIGNIN_ID   the user id that page hands to msgBox

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
import urllib.request

HERE = pathlib.Path(__file__).resolve().parent
sys.path.insert(0, str(HERE.parent / "fixtures" / "services"))
import certs as test_certs  # noqa: E402
import run_with_services  # noqa: E402
import signing  # noqa: E402

SIGN_IN_PAGE = "Index/UserLogin/DoLogin"
SIGN_IN_ID = "u-20417"  # a "-" reaches the page's script as an escape


def make_certs(folder):
    """The services' test CA with its certificate for "localhost" (account.pem), and a certificate
    for "localhost" from another CA (stranger.pem), which a verifying client refuses."""
    test_certs.make_certs(folder)
    test_certs.make_ca(folder, "other-ca")
    test_certs.make_host_certificate(folder, "stranger", "localhost", ca="other-ca")


def start_account_service(scratch, cert_dir, lifetime):
    """The local services with the test CA of cert_dir, their sign-in page handing over SIGN_IN_ID:
    (their process, the environment that names the page)."""
    scratch.mkdir()
    process, ready = run_with_services.start_services(scratch, {}, lifetime, cert_dir)
    control = "http://127.0.0.1:%d/control/login_page" % ready["control_port"]
    request = urllib.request.Request(control, data=json.dumps({"ids": [SIGN_IN_ID]}).encode("utf-8"))
    urllib.request.urlopen(request, timeout=10).close()
    fields = [(b"m_id", b"0a1b2c3d-4e5f6071-8293a4b5-c6d7e8f9"), (b"version_information", b"220327001"),
              (b"nonce_str", b"Zq81XyWb03KdLmN5pQr7StUv9wXa2Bc4")]
    address = "https://localhost:%d/%s?%s" % (ready["account_port"], SIGN_IN_PAGE,
                                             signing.signed_query(fields).decode("ascii"))
    return process, {"WKE_TEST_SIGNIN_URL": address, "WKE_TEST_SIGNIN_ID": SIGN_IN_ID}


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
    parser.add_argument("--services", action="store_true", help="also run the local account service")
    parser.add_argument("args", nargs="*", help="arguments for the executable")
    args = parser.parse_args()

    scratch = pathlib.Path(args.scratch)
    shutil.rmtree(scratch, ignore_errors=True)
    certs = scratch / "certs"
    make_certs(certs)

    servers = {
        "WKE_TEST_HTTP": (serve(), "http://127.0.0.1:{}"),
        "WKE_TEST_HTTPS": (serve(certs / "account.pem", certs / "account.key"), "https://localhost:{}"),
        "WKE_TEST_ROGUE": (serve(certs / "stranger.pem", certs / "stranger.key"), "https://localhost:{}"),
    }
    env = dict(os.environ)
    for name, (server, pattern) in servers.items():
        env[name] = pattern.format(server.server_address[1])
    env["WKE_TEST_HTTPS_IP"] = "https://127.0.0.1:{}".format(servers["WKE_TEST_HTTPS"][0].server_address[1])
    services = None
    if args.services:
        services, service_env = start_account_service(scratch / "services", certs, 660)
        env.update(service_env)

    exe = pathlib.Path(args.exe)
    run = scratch / "run"
    run.mkdir()
    shutil.copy2(exe, run)
    for dll in exe.parent.glob("*.dll"):
        shutil.copy2(dll, run)
    for extra in args.also:
        shutil.copy2(extra, run)
    shutil.copy2(certs / "ca.pem", run / "curl-ca-bundle.crt")

    try:
        return subprocess.run([args.wine_run, "--prefix", args.wineprefix, str(run / exe.name), *args.args],
                              env=env, timeout=600).returncode
    finally:
        for server, _ in servers.values():
            server.shutdown()
        if services:
            services.terminate()
            services.wait(10)


if __name__ == "__main__":
    sys.exit(main())

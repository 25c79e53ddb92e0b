#!/usr/bin/env python3
"""Runs harness_https.exe under Wine against a TLS server on loopback.

The certificates are the local services' test set (tests/fixtures/services/certs.py): the test CA
with its certificate for "localhost", and an unrelated CA. The executable is copied into scratch
folders, each with its own curl-ca-bundle.crt beside it:
  - the test CA, host "localhost"            -> the GET succeeds;
  - an unrelated CA                          -> libcurl's certificate error (60);
  - the test CA, host 127.0.0.1 (not in SAN) -> the host check fails (60).
"""
import argparse
import http.server
import pathlib
import shutil
import ssl
import subprocess
import sys
import threading

HERE = pathlib.Path(__file__).resolve().parent
sys.path.insert(0, str(HERE.parent / "fixtures" / "services"))
import certs as test_certs  # noqa: E402

CURLE_PEER_FAILED_VERIFICATION = 60


class Handler(http.server.BaseHTTPRequestHandler):
    def do_GET(self):
        body = b"harness-ok"
        self.send_response(200)
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        self.wfile.write(body)

    def log_message(self, *args):
        pass


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--wine-run", required=True)
    parser.add_argument("--wineprefix", required=True)
    parser.add_argument("--exe", required=True)
    parser.add_argument("--scratch", required=True)
    args = parser.parse_args()

    scratch = pathlib.Path(args.scratch)
    shutil.rmtree(scratch, ignore_errors=True)
    certs = test_certs.make_certs(scratch / "certs")
    test_certs.make_ca(certs, "other-ca")

    context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
    context.load_cert_chain(certs / "account.pem", certs / "account.key")
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Handler)
    server.socket = context.wrap_socket(server.socket, server_side=True)
    port = server.server_address[1]
    threading.Thread(target=server.serve_forever, daemon=True).start()

    exe = pathlib.Path(args.exe)
    cases = [
        ("trusted", "ca.pem", f"https://localhost:{port}/", "ok"),
        ("untrusted", "other-ca.pem", f"https://localhost:{port}/", str(CURLE_PEER_FAILED_VERIFICATION)),
        ("wrong-host", "ca.pem", f"https://127.0.0.1:{port}/", str(CURLE_PEER_FAILED_VERIFICATION)),
    ]
    failed = []
    for name, bundle, url, expect in cases:
        folder = scratch / name
        folder.mkdir()
        shutil.copy2(exe, folder)
        for dll in exe.parent.glob("*.dll"):
            shutil.copy2(dll, folder)
        shutil.copy2(certs / bundle, folder / "curl-ca-bundle.crt")
        env = dict(__import__("os").environ, HARNESS_URL=url, HARNESS_EXPECT=expect)
        result = subprocess.run([args.wine_run, "--prefix", args.wineprefix, str(folder / exe.name)],
                                env=env, capture_output=True, text=True, timeout=120)
        print(f"--- {name}: {url} with {bundle}, expecting {expect}: exit {result.returncode}")
        print(result.stdout)
        if result.returncode != 0:
            print(result.stderr, file=sys.stderr)
            failed.append(name)
    server.shutdown()
    if failed:
        print("failed:", ", ".join(failed))
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())

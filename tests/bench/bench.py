#!/usr/bin/env python3
"""The benchmark behind scripts/bench.sh (which builds, gives a display and documents the figures).

    bench.py --build DIR --runs N

Prepares DIR/bench (the program's folder with the services' test CA, a Wine prefix, a sample PDF),
starts the local services on the compiled-in ports and one Wine server for the whole run, then
takes every figure and prints the summary. Samples go to DIR/bench/samples.txt as "NAME VALUE".
"""
import argparse
import json
import os
import pathlib
import re
import shutil
import statistics
import subprocess
import sys
import threading
import time

HERE = pathlib.Path(__file__).resolve().parent
ROOT = HERE.parent.parent
sys.path.insert(0, str(ROOT / "tests" / "scenarios"))
from sample_pdf import sample_pdf  # noqa: E402

TITLE = "BravikPDF编辑器3.2.7"
MINIMAL_TITLE = "BenchMinimalWindow"
EXE = "BravikPdfEditor.exe"
PROGRAMS = (EXE, "Updrell.exe", "bench_minimal_window.exe", "bench_exit_at_once.exe", "window_watch.exe",
            "md5_throughput.exe")
SIGNED_IN = ("userid=10001", "userdic=10001;")  # the user the local services know


def windows_path(path):
    return "Z:" + str(path).replace("/", "\\")


class Bench:
    def __init__(self, build, runs):
        self.runs = runs
        self.dir = build / "bench"
        self.bin = self.dir / "bin"
        self.prefix = self.dir / "wineprefix"
        for sub in ("bin", "services", "docs"):
            shutil.rmtree(self.dir / sub, ignore_errors=True)
        self.bin.mkdir(parents=True)
        for item in (build / "bin").iterdir():
            if item.suffix.lower() == ".dll" or item.name in PROGRAMS:
                shutil.copy2(item, self.bin)
        missing = [name for name in PROGRAMS if not (self.bin / name).exists()]
        if missing:
            sys.exit("bench: not built: " + ", ".join(missing))
        shutil.copytree(build / "bin" / "convert", self.bin / "convert")
        self.pdf = self.dir / "docs" / "sample.pdf"
        self.pdf.parent.mkdir()
        self.pdf.write_bytes(sample_pdf(1))
        self.samples = self.dir / "samples.txt"
        self.samples.write_text("")
        self.env = dict(os.environ, WINEPREFIX=str(self.prefix), WINEARCH="win32", WINEDEBUG="-all",
                        WINEDLLOVERRIDES="mscoree,mshtml=", LC_ALL="zh_CN.UTF-8", LANG="zh_CN.UTF-8")
        self.services = None
        self.watch = None

    # Environment.

    def start_services(self, cache):
        ports = {}
        text = cache.read_text()
        for key in ("BRAVIK_ACCOUNT_BASE_URL", "BRAVIK_CRASH_REPORT_URL"):
            found = re.search(r"^%s:[A-Z]*=.*:(\d+)/" % key, text, re.M)
            if not found:
                sys.exit("bench: the build has no local service addresses (configure it as scripts/build.sh does)")
            ports[key] = found.group(1)
        state = self.dir / "services"
        state.mkdir()
        ready = state / "ready.json"
        self.services = subprocess.Popen(
            [sys.executable, str(ROOT / "tests" / "fixtures" / "services" / "services.py"), "--state-dir", str(state),
             "--ready-file", str(ready), "--account-port", ports["BRAVIK_ACCOUNT_BASE_URL"],
             "--crash-port", ports["BRAVIK_CRASH_REPORT_URL"], "--control-port", "28081",
             "--ca-copy", str(self.bin / "curl-ca-bundle.crt")],
            stdout=(state / "log.txt").open("w"), stderr=subprocess.STDOUT)
        end = time.monotonic() + 60
        while not ready.exists():
            if self.services.poll() is not None or time.monotonic() > end:
                sys.exit("bench: the local services did not start: " + (state / "log.txt").read_text())
            time.sleep(0.1)

    def start_wine(self, wine_run):
        # The prefix is made (or checked) by the project's runner; then one Wine server stays for the
        # whole run, so no timed start pays for a new one. A server left by an interrupted run of
        # this benchmark's own prefix is ended first.
        subprocess.run(["wineserver", "-k"], env=self.env, stderr=subprocess.DEVNULL)
        subprocess.run([wine_run, "--prefix", str(self.prefix), "cmd", "/c", "exit"], check=True,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        subprocess.run(["wineserver", "-w"], env=self.env, check=True)
        subprocess.run(["wineserver", "-p"], env=self.env, check=True, stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL)
        self.watch = subprocess.Popen(["wine", str(self.bin / "window_watch.exe")], env=self.env,
                                      stdin=subprocess.PIPE, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL,
                                      text=True, encoding="utf-8")

    def close(self):
        if self.watch:
            self.watch.stdin.close()
            self.watch.wait(30)
        subprocess.run(["wineserver", "-k"], env=self.env, stderr=subprocess.DEVNULL)
        if self.services:
            self.services.terminate()
            self.services.wait(10)

    def settings(self, *lines):
        """The settings of a later start (first-start marker set, so no guide), with further lines."""
        local = next(p for p in self.prefix.glob("drive_c/users/*/AppData/Local") if p.parent.parent.name != "Public")
        folder = local / "BravikPdfEditor"
        shutil.rmtree(folder, ignore_errors=True)
        folder.mkdir()
        text = "".join(line + "\r\n" for line in ("[App]", "fsi=1", "openDocPath=") + lines)
        (folder / "wconfig.ini").write_bytes(text.encode("gbk"))

    # Starts and their figures.

    def ask(self, command):
        self.watch.stdin.write(command + "\n")
        self.watch.stdin.flush()
        return self.watch.stdout.readline().strip()

    def launch(self, exe, *args):
        return subprocess.Popen(["wine", str(self.bin / exe), *args], env=self.env, stdin=subprocess.DEVNULL,
                                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

    def time_window(self, exe, title):
        """Launch until the window answers, in milliseconds; then closes it and awaits the end."""
        self.watch.stdin.write("await " + title + "\n")
        self.watch.stdin.flush()
        begin = time.monotonic()
        process = self.launch(exe)
        answer = self.watch.stdout.readline().strip()
        elapsed = (time.monotonic() - begin) * 1000
        if answer != "shown":
            process.kill()
            sys.exit("bench: %s showed no window %r (%s)" % (exe, title, answer))
        self.end_window(process, title)
        return elapsed

    def end_window(self, process, title):
        if self.ask("close " + title) != "closed":
            sys.exit("bench: the window %r is gone before it was closed" % title)
        process.wait(60)

    def time_exit(self, exe, *args):
        begin = time.monotonic()
        process = self.launch(exe, *args)
        # A blocking wait: wait(timeout) polls with growing sleeps, which would round the figure up.
        limit = threading.Timer(120, process.kill)
        limit.start()
        code = process.wait()
        elapsed = (time.monotonic() - begin) * 1000
        limit.cancel()
        if code != 0:
            sys.exit("bench: %s ended with %d" % (exe, code))
        return elapsed

    def series(self, probes, settle=lambda: None):
        """One untimed warm-up of each probe, then the probes take turns, runs rounds; settle runs
        untimed after every probe."""
        for _, probe in probes:
            probe()
            settle()
        with self.samples.open("a") as out:
            for _ in range(self.runs):
                for name, probe in probes:
                    value = probe()
                    settle()
                    out.write("%s %.1f\n" % (name, value))
                    print("%s %.1f" % (name, value), file=sys.stderr, flush=True)

    def run(self):
        minimal = lambda: self.time_window("bench_minimal_window.exe", MINIMAL_TITLE)  # noqa: E731
        print("bench: launch, no stored user", file=sys.stderr)
        self.settings()
        self.series([("launch_no_user", lambda: self.time_window(EXE, TITLE)), ("minimal_window_1", minimal)])

        print("bench: launch, signed-in user with the sign-in switch on", file=sys.stderr)
        self.settings(*SIGNED_IN)
        self.series([("launch_signed_in", lambda: self.time_window(EXE, TITLE)), ("minimal_window_2", minimal)])

        print("bench: hand-off of a document to the running instance", file=sys.stderr)
        self.settings()
        first = self.launch(EXE)
        if self.ask("await " + TITLE) != "shown":
            sys.exit("bench: the first instance showed no window")
        pdf = windows_path(self.pdf)

        def first_instance_idle():
            # The running instance has opened the document and painted again: the next start
            # does not share the machine with the last one's aftermath.
            if self.ask("await " + TITLE) != "shown":
                sys.exit("bench: the first instance does not answer")

        self.series([("handoff", lambda: self.time_exit(EXE, pdf)),
                     ("exit_at_once", lambda: self.time_exit("bench_exit_at_once.exe"))], first_instance_idle)
        self.end_window(first, TITLE)

        print("bench: MD5", file=sys.stderr)
        # Through a file: a Wine helper process started meanwhile would hold a pipe open.
        md5 = self.dir / "md5.txt"
        with md5.open("w") as out:
            subprocess.run(["wine", str(self.bin / "md5_throughput.exe"), "--runs", str(self.runs)], env=self.env,
                           stdin=subprocess.DEVNULL, stdout=out, stderr=subprocess.DEVNULL, check=True)
        with self.samples.open("a") as out:
            out.write(md5.read_text().replace("\r", ""))


def summary(samples, runs):
    values = {}
    for line in samples.read_text().splitlines():
        name, value = line.split()
        values.setdefault(name, []).append(float(value))
    with open("/proc/loadavg") as load:
        load_average = " ".join(load.read().split()[:3])

    def row(name, unit):
        v = values[name]
        return "  %-18s %9.1f %9.1f %9.1f  %s" % (name, min(v), statistics.median(v), max(v), unit)

    print("figures over %d runs; load average at the end: %s" % (runs, load_average))
    print("  %-18s %9s %9s %9s" % ("", "min", "median", "max"))
    for subject, baseline, unit, label, target in (
            ("launch_no_user", "minimal_window_1", "ms", "launch, no stored user", "<= 1.6"),
            ("launch_signed_in", "minimal_window_2", "ms", "launch, signed-in user", "<= 2.2"),
            ("handoff", "exit_at_once", "ms", "hand-off", "<= 5"),
            ("md5_own", "md5_openssl", "MB/s", "MD5 own against OpenSSL", ">= 0.9")):
        print(row(subject, unit))
        print(row(baseline, unit))
        ratio = statistics.median(values[subject]) / statistics.median(values[baseline])
        print("  %-38s ratio %.2f  (target %s)" % (label, ratio, target))


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--build", required=True, type=pathlib.Path)
    parser.add_argument("--runs", type=int, default=9)
    args = parser.parse_args()
    bench = Bench(args.build.resolve(), args.runs)
    try:
        bench.start_services(args.build / "CMakeCache.txt")
        bench.start_wine(str(ROOT / "scripts" / "wine-run"))
        print("load average at the start: " + " ".join(open("/proc/loadavg").read().split()[:3]), file=sys.stderr)
        bench.run()
    finally:
        bench.close()
    summary(bench.samples, args.runs)


if __name__ == "__main__":
    main()

#!/usr/bin/env python3
"""The benchmark behind scripts/bench.sh (which builds, gives a display and documents the figures).

    bench.py --build DIR --runs N

Prepares DIR/bench (the program's folder with the services' test CA, a Wine prefix, the PDFs to
hand over), starts the local services on the compiled-in ports and one Wine server for the whole
run, then takes every figure and prints the summary. Samples go to DIR/bench/samples.txt as
"NAME VALUE". A figure ends only once its road is complete (the watcher waits for what the window
must hold), and every request of a run must have been logged by then: a run that missed its road
ends the benchmark with a message and a non-zero exit, so it never counts as a better figure.
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
import xml.etree.ElementTree as ElementTree

HERE = pathlib.Path(__file__).resolve().parent
ROOT = HERE.parent.parent
sys.path.insert(0, str(ROOT / "tests" / "scenarios"))
from sample_pdf import sample_pdf  # noqa: E402

TITLE = "BravikPDF编辑器3.2.7"
MINIMAL_TITLE = "BenchMinimalWindow"
FLOOR_TITLE = "BenchFloorWindow"
EXE = "BravikPdfEditor.exe"
FLOOR = "bench_floor.exe"
PROGRAMS = (EXE, "Updrell.exe", "bench_minimal_window.exe", "bench_exit_at_once.exe", FLOOR, "window_watch.exe",
            "md5_throughput.exe")
USER_ID = "10001"  # the user the local services know
USER_NAME = "测试用户"  # the name their profile reply carries
USER_NAME_ELEMENT = "user_name"  # the main window's account area shows it there
SIGNED_IN = ("userid=" + USER_ID, "userdic=%s;" % USER_ID)
LOAD_INFO = "Index/UserLogin/DoLoadInfo"
USER_DATA = "Index/UserLogin/GetUserData"
# The account requests each road makes, in their order: a start without a stored user asks for the
# start-up information only; with a signed-in user and the sign-in switch on, the start-up
# information's own profile request and the main window's one follow.
NO_USER_REQUESTS = (LOAD_INFO,)
SIGNED_IN_REQUESTS = (LOAD_INFO, USER_DATA, USER_DATA)
OBJDUMP = "i686-w64-mingw32-objdump"


def windows_path(path):
    return "Z:" + str(path).replace("/", "\\")


def fail(message):
    sys.exit("bench: " + message)


def control_window_class():
    """The window class of the PDF control's window, as the main window's layout names it."""
    layout = ElementTree.parse(ROOT / "res" / "xml" / "layout" / "mainwnd.xml")
    return next(e.get("wndclass") for e in layout.iter("realwnd") if e.get("name") == "pdf_control")


def imported_modules(program):
    """The module names in a program's import table, in lower case."""
    try:
        header = subprocess.run([OBJDUMP, "-p", str(program)], check=True, capture_output=True, text=True).stdout
    except (OSError, subprocess.CalledProcessError) as error:
        fail("cannot read the imports of %s: %s" % (program.name, error))
    return {name.lower() for name in re.findall(r"^\s*DLL Name: (\S+)", header, re.M)}


class RequestLog:
    """The local services' log of received requests, read from where the last look ended."""

    def __init__(self, path):
        self.path = path
        self.offset = 0
        self.request_fields = {}  # machine code and version information: one each for the whole run

    def take(self):
        with self.path.open("rb") as log:
            log.seek(self.offset)
            data = log.read()
        complete = data[:data.rfind(b"\n") + 1]
        self.offset += len(complete)
        return [json.loads(line) for line in complete.decode("utf-8").splitlines() if line]

    def expect(self, what, paths, figure_end):
        """The requests since the last look are exactly these account requests, in this order, each
        logged no later than the figure's end (time.time()), in the layout of its path, validly
        signed, with the run's one machine code and version."""
        requests = self.take()
        made = [(r.get("service"), r.get("path")) for r in requests]
        if made != [("account", path) for path in paths]:
            fail("%s made the requests %s, expected %s" % (what, made, list(paths)))
        for request in requests:
            if request["time"] > figure_end:
                fail("%s made its request %s %.1f ms after its figure's end"
                     % (what, request["path"], (request["time"] - figure_end) * 1000))
            if not (request.get("layout_ok") and request.get("sign_ok")):
                fail("%s sent a request without a valid signature: %s?%s" % (what, request["path"], request["query"]))
            fields = dict(request["fields"])
            if request["path"] == USER_DATA and fields.get("u_id") != USER_ID:
                fail("%s asked for the profile of %r" % (what, fields.get("u_id")))
            for name in ("m_id", "version_information"):
                seen = self.request_fields.setdefault(name, fields.get(name))
                if fields.get(name) != seen:
                    fail("%s sent %s=%r, earlier requests %r" % (what, name, fields.get(name), seen))


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
            fail("not built: " + ", ".join(missing))
        program_imports, floor_imports = imported_modules(self.bin / EXE), imported_modules(self.bin / FLOOR)
        if program_imports != floor_imports:
            fail("the floor's imports differ from the program's: only the program's %s, only the floor's %s"
                 % (sorted(program_imports - floor_imports), sorted(floor_imports - program_imports)))
        shutil.copytree(build / "bin" / "convert", self.bin / "convert")
        self.docs = self.dir / "docs"
        self.docs.mkdir()
        self.handoffs = 0
        self.journal = self.dir / "journal.txt"
        self.journal.unlink(missing_ok=True)
        self.samples = self.dir / "samples.txt"
        self.samples.write_text("")
        self.env = dict(os.environ, WINEPREFIX=str(self.prefix), WINEARCH="win32", WINEDEBUG="-all",
                        WINEDLLOVERRIDES="mscoree,mshtml=", LC_ALL="zh_CN.UTF-8", LANG="zh_CN.UTF-8")
        self.control_class = control_window_class()
        self.services = None
        self.requests = None
        self.watch = None

    # Environment.

    def start_services(self, cache):
        ports = {}
        text = cache.read_text()
        for key in ("BRAVIK_ACCOUNT_BASE_URL", "BRAVIK_CRASH_REPORT_URL"):
            found = re.search(r"^%s:[A-Z]*=.*:(\d+)/" % key, text, re.M)
            if not found:
                fail("the build has no local service addresses (configure it as scripts/build.sh does)")
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
                fail("the local services did not start: " + (state / "log.txt").read_text())
            time.sleep(0.1)
        self.requests = RequestLog(state / "requests.jsonl")

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

    def tell(self, *command):
        self.watch.stdin.write("\t".join(command) + "\n")
        self.watch.stdin.flush()

    def ask(self, *command):
        self.tell(*command)
        return self.watch.stdout.readline().strip()

    def launch(self, exe, *args, env=None):
        return subprocess.Popen(["wine", str(self.bin / exe), *args], env=env or self.env, stdin=subprocess.DEVNULL,
                                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

    def main_window(self, signed_in=False):
        """The watcher's road of the program's main window: the PDF control's window in it and,
        signed in, the profile's user in its account area."""
        road = (TITLE, self.control_class)
        return road + (USER_NAME_ELEMENT, USER_NAME) if signed_in else road

    def time_window(self, exe, shown, *args, road):
        """A launch until the watcher has seen its window shown with all that `shown` names (the
        watcher's await fields, title first), in milliseconds. Then the window is closed and the
        process awaited, and road checks the run against the figure's end (time.time())."""
        self.tell("await", *shown)
        begin = time.monotonic()
        process = self.launch(exe, *args)
        answer = self.watch.stdout.readline().strip()
        elapsed = (time.monotonic() - begin) * 1000
        figure_end = time.time()
        if answer != "shown":
            process.kill()
            fail("%s was not shown as %r: %s" % (exe, shown, answer))
        self.end_window(process, shown[0])
        road(figure_end)
        return elapsed

    def end_window(self, process, title):
        if self.ask("close", title) != "closed":
            fail("the window %r is gone before it was closed" % title)
        process.wait(60)

    def journal_lines(self):
        return self.journal.read_text("utf-8").splitlines() if self.journal.exists() else []

    def time_handoff(self):
        """A second launch that hands a document of its own to the running instance, in
        milliseconds; the first instance must have opened exactly that document."""
        self.handoffs += 1
        pdf = self.docs / ("handoff-%d.pdf" % self.handoffs)
        pdf.write_bytes(sample_pdf(1))
        mark = len(self.journal_lines())
        elapsed = self.time_exit(EXE, windows_path(pdf),
                                 road=lambda end: self.requests.expect("the hand-off's launch", NO_USER_REQUESTS, end))
        lines = self.journal_lines()[mark:]
        opened = [line for line in lines if line.startswith('opened "%s":' % windows_path(pdf))]
        if len(opened) != 1 or any(line.startswith(("refused ", "open refused ")) for line in lines):
            fail("the running instance did not open the handed-over %s once; its control's journal since the "
                 "hand-off: %r" % (windows_path(pdf), lines))
        return elapsed

    def time_exit(self, exe, *args, road):
        """A start until the process has ended, in milliseconds; road checks the run against the
        figure's end (time.time())."""
        begin = time.monotonic()
        process = self.launch(exe, *args)
        # A blocking wait: wait(timeout) polls with growing sleeps, which would round the figure up.
        limit = threading.Timer(120, process.kill)
        limit.start()
        code = process.wait()
        elapsed = (time.monotonic() - begin) * 1000
        figure_end = time.time()
        limit.cancel()
        if code != 0:
            fail("%s ended with %d" % (exe, code))
        road(figure_end)
        return elapsed

    def series(self, probes, settle=lambda: None):
        """One untimed warm-up of each probe, then the probes take turns, runs rounds; settle runs
        untimed after every probe."""
        probes = list(probes)
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
        no_requests = lambda end: self.requests.expect("a baseline", (), end)  # noqa: E731
        minimal = lambda: self.time_window("bench_minimal_window.exe", (MINIMAL_TITLE,), road=no_requests)  # noqa: E731

        def launches(paths, signed_in):
            launch_road = lambda end: self.requests.expect("the launch", paths, end)  # noqa: E731
            floor_road = lambda end: self.requests.expect("the floor's launch", paths, end)  # noqa: E731
            return [lambda: self.time_window(EXE, self.main_window(signed_in), road=launch_road), minimal,
                    lambda: self.time_window(FLOOR, (FLOOR_TITLE,), "window", road=floor_road)]

        print("bench: launch, no stored user", file=sys.stderr)
        self.settings()
        self.series(zip(("launch_no_user", "minimal_window_1", "floor_window_1"), launches(NO_USER_REQUESTS, False)))

        print("bench: launch, signed-in user with the sign-in switch on", file=sys.stderr)
        self.settings(*SIGNED_IN)
        self.series(zip(("launch_signed_in", "minimal_window_2", "floor_window_2"),
                        launches(SIGNED_IN_REQUESTS, True)))

        print("bench: hand-off of a document to the running instance", file=sys.stderr)
        self.settings()
        first = self.launch(EXE, env=dict(self.env, BRAVIK_PDFCONTROL_JOURNAL=windows_path(self.journal)))
        shown = self.ask("await", *self.main_window())
        if shown != "shown":
            fail("the first instance was not shown: " + shown)
        self.requests.expect("the first instance", NO_USER_REQUESTS, time.time())

        def first_instance_idle():
            # The running instance has opened the document and painted again: the next start
            # does not share the machine with the last one's aftermath.
            answer = self.ask("await", *self.main_window())
            if answer != "shown":
                fail("the first instance does not answer: " + answer)

        floor_road = lambda end: self.requests.expect("the floor's start", NO_USER_REQUESTS, end)  # noqa: E731
        self.series([("handoff", self.time_handoff),
                     ("exit_at_once", lambda: self.time_exit("bench_exit_at_once.exe", road=no_requests)),
                     ("floor_exit", lambda: self.time_exit(FLOOR, road=floor_road))], first_instance_idle)
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

    def against(subject, baseline, unit, label, target=None):
        median, base = statistics.median(values[subject]), statistics.median(values[baseline])
        line = "    %-26s ratio %5.2f  difference %+8.1f %s" % (label, median / base, median - base, unit)
        return line + ("  (target %s)" % target if target else "")

    print("figures over %d runs; load average at the end: %s" % (runs, load_average))
    print("ratios and differences are of the medians; each run took its road (requests, hand-over checked)")
    print("  %-18s %9s %9s %9s" % ("", "min", "median", "max"))
    for subject, baselines, unit, label in (
            ("launch_no_user", (("minimal_window_1", "<= 1.6"), ("floor_window_1", None)), "ms",
             "launch, no stored user"),
            ("launch_signed_in", (("minimal_window_2", "<= 2.2"), ("floor_window_2", None)), "ms",
             "launch, signed-in user"),
            ("handoff", (("exit_at_once", "<= 5"), ("floor_exit", None)), "ms", "hand-off"),
            ("md5_own", (("md5_openssl", ">= 0.9"),), "MB/s", "MD5 own")):
        print(row(subject, unit))
        for baseline, _ in baselines:
            print(row(baseline, unit))
        print("  " + label)
        for baseline, target in baselines:
            print(against(subject, baseline, unit, "against " + baseline, target))


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

"""What the program-level scenarios share: the program's folder copied into a scratch folder (with
the services' test CA as its CA bundle), the suite's Wine prefix, the local services on the fixed
ports of the compiled-in addresses (each suite runs on a network of its own), and the base class
of a scenario with its ways of starting the program and reading its traces.

Before each scenario the prefix's per-user folder of the program is removed and every process of the
prefix ended. The control stand-in's journal and the updater's and converter's records go to files
of the scenario; a scenario fails when the journal shows a call the control refused, or when the UI
library's journal (also a file of the scenario, shared by the program's processes) shows anything it
refused or lacks the start line of a program process the scenario started. Each scenario has a time
limit of its own.

Buttons of the translucent dialogs are pressed with posted mouse messages: without a window
manager Wine leaves a newly shown dialog below the main window in the stacking order, so a real
click there would land on the main window. Caption buttons, menu items and the sign-in page's
button get real clicks.

A suite file defines Scenario subclasses and ends with `run()`.
"""
import argparse
import json
import ntpath
import os
import pathlib
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import time
import unittest
import urllib.request

HERE = pathlib.Path(__file__).resolve().parent
ROOT = HERE.parent.parent
sys.path.insert(0, str(ROOT / "tests" / "soui"))
sys.path.insert(0, str(HERE))
from souispy import Spy, SpyError, parse_records  # noqa: E402
from sample_pdf import sample_pdf  # noqa: E402

ARGS = None
TITLE = "BravikPDF编辑器3.2.7"
CONTROL_TITLE = "BravikPDF编辑器"  # the control's title, which the program sets; its questions carry it
EXE = "BravikPdfEditor.exe"
MAINWND = "LAYOUT:XML_MAINWND"
TIP = "LAYOUT:XML_TIP"
GUIDE = "LAYOUT:XML_GUIDE"
WKEDLG = "LAYOUT:XML_WKEDLG"
USERINFO = "LAYOUT:XML_USERINFO"
LOAD_INFO = "Index/UserLogin/DoLoadInfo"
USER_DATA = "Index/UserLogin/GetUserData"
LOGIN_PAGE = "Index/UserLogin/DoLogin"
USER_ID = "10001"  # the id that the services' sign-in page reports
USER_NAME = "测试用户"  # the name that the services' profile reply carries
TIME_LIMIT = 90  # seconds for one scenario
WM_SYSCOMMAND, SC_MINIMIZE, SC_MAXIMIZE = 0x112, 0xF020, 0xF030
WM_SHOW_LOGIN = 0x408
UPDATE_OFFER = {"errno": "1000", "res": {"OlVersion": "328", "LoadUrl": "dologin:1"}}  # switches with a newer version
UPDATER_NOT_STARTED = "无法启动升级程序！"
UI_JOURNAL_START = re.compile(r"started (?P<executable>.+) \(process \d+\)")


def windows_path(path):
    return "Z:" + str(path).replace("/", "\\")


def wait_for(condition, timeout, what):
    end = time.monotonic() + timeout
    while time.monotonic() < end:
        value = condition()
        if value:
            return value
        time.sleep(0.2)
    raise AssertionError("timed out waiting for " + what)


# The settings file's text, as the scenarios write and read it.

UTF16_MARK = b"\xff\xfe"


def settings_bytes(lines, encoding="gbk", mark=b""):
    """A settings file of these lines, each ended with CR LF, after the mark."""
    return mark + "".join(line + "\r\n" for line in lines).encode(encoding)


def settings_text(data, ansi="gbk", errors="strict"):
    """A settings file's text: UTF-16 LE after its mark, else its bytes in the ANSI code page."""
    if data.startswith(UTF16_MARK):
        return data[len(UTF16_MARK):].decode("utf-16-le", errors)
    return data.decode(ansi, errors)


def settings_lines(text, written=False):
    """The lines of a settings text (str or bytes) as the program reads them: cut at LF, a CR
    directly before it belonging to the line end; a last line without LF is a line. written: the
    text as the program writes it, every line ended with CR LF (anything else fails)."""
    lf, cr = ("\n", "\r") if isinstance(text, str) else (b"\n", b"\r")
    if written:
        assert text.endswith(cr + lf), repr(text[-20:])
        return text[:-2].split(cr + lf)
    pieces = text.split(lf)
    lines = [piece[:-1] if piece.endswith(cr) else piece for piece in pieces[:-1]]
    return lines + ([pieces[-1]] if pieces[-1] else [])


def blank_free(lines):
    """The lines without their blanks, which the program's writes may add or drop around "="."""
    return [line.replace(" " if isinstance(line, str) else b" ", type(line)()) for line in lines]


class Suite:
    """What the scenarios share: the program's folder, the prefix and the services."""

    def __init__(self):
        self.scratch = pathlib.Path(ARGS.scratch)
        shutil.rmtree(self.scratch, ignore_errors=True)
        self.scratch.mkdir(parents=True)
        self.prefix = pathlib.Path(ARGS.prefix)
        self.bin = self.scratch / "bin"
        self.bin.mkdir()
        source = pathlib.Path(ARGS.bin)
        for item in source.iterdir():
            if item.suffix.lower() == ".dll" or item.name in (EXE, "Updrell.exe", "souispy.exe", "wkespy.exe", "scenario_send.exe"):
                shutil.copy2(item, self.bin)
        if (source / "convert").is_dir():
            shutil.copytree(source / "convert", self.bin / "convert")
        self.services = self._start_services()
        shutil.copyfile(self.ready["ca_file"], self.bin / "curl-ca-bundle.crt")
        self.spy = Spy(ARGS.wine_run, str(self.prefix), str(self.bin), timeout=150)
        subprocess.run([ARGS.wine_run, "--prefix", str(self.prefix), "cmd", "/c", "exit"], stdin=subprocess.DEVNULL,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=300)
        # The prefix is kept between runs: the PDF control is registered from this suite's folder
        # again, so the program loads the module just built, not an earlier copy.
        subprocess.run([ARGS.wine_run, "--prefix", str(self.prefix), "regsvr32", "/s",
                        windows_path(self.bin / "wke.dll")],
                       stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=300,
                       check=True)

    def _start_services(self):
        state = self.scratch / "services"
        ready_file = state / "ready.json"
        state.mkdir()
        command = [sys.executable, str(ROOT / "tests" / "fixtures" / "services" / "services.py"),
                   "--state-dir", str(state), "--ready-file", str(ready_file),
                   "--account-port", str(ARGS.account_port), "--crash-port", str(ARGS.crash_port),
                   "--lifetime", "1200", "--parent-pid", str(os.getpid())]
        process = subprocess.Popen(command, stdout=(state / "log.txt").open("w"), stderr=subprocess.STDOUT)
        wait_for(lambda: ready_file.exists() or process.poll() is not None, 60, "the local services")
        if process.poll() is not None:
            raise RuntimeError("the local services did not start: " + (state / "log.txt").read_text())
        self.ready = json.loads(ready_file.read_text())
        return process

    def reply(self, path, value):
        self.control("reply", {"path": path, "body": json.dumps(value, ensure_ascii=False)})

    def requests(self, path=None):
        return [r for r in self.control("requests") if path is None or r.get("path") == path]

    def control(self, path, payload=None):
        url = "http://127.0.0.1:%d/control/%s" % (self.ready["control_port"], path)
        data = json.dumps(payload or {}).encode("utf-8") if payload is not None or path != "requests" else None
        with urllib.request.urlopen(urllib.request.Request(url, data=data), timeout=10) as reply:
            return json.loads(reply.read() or b"null")

    def wine_env(self):
        return dict(os.environ, WINEPREFIX=str(self.prefix))

    def end_processes(self):
        if self.prefix.exists():
            subprocess.run(["wineserver", "-k"], env=self.wine_env(), stderr=subprocess.DEVNULL, timeout=30)
            subprocess.run(["wineserver", "-w"], env=self.wine_env(), stderr=subprocess.DEVNULL, timeout=30)

    def data_dirs(self):
        return list(self.prefix.glob("drive_c/users/*/AppData/Local/BravikPdfEditor"))

    def close(self):
        self.end_processes()
        self.services.terminate()
        self.services.wait(10)


SUITE = None
FRAME = re.compile(r" in (?P<module>[\w.-]+) \(\+0x(?P<offset>[0-9a-f]+)\)")


def symbolized(block):
    """A backtrace with the function and line of each frame in a module of the program's folder."""
    def frame(match):
        module = next((f for f in SUITE.bin.iterdir() if f.stem.lower() == match["module"].lower()
                       and f.suffix.lower() in (".dll", ".exe")), None)
        if module is None:
            return match[0]
        try:
            header = subprocess.run(["i686-w64-mingw32-objdump", "-p", str(module)], capture_output=True,
                                    text=True, timeout=30).stdout
            base = int(re.search(r"ImageBase\s+([0-9a-f]+)", header)[1], 16)
            where = subprocess.run(["i686-w64-mingw32-addr2line", "-f", "-C", "-e", str(module),
                                    hex(base + int(match["offset"], 16))], capture_output=True, text=True,
                                   timeout=30).stdout.split()
        except (OSError, subprocess.SubprocessError, TypeError):
            return match[0]
        return match[0] + " " + " ".join(where)
    return FRAME.sub(frame, block)


def over_time(signum, frame):
    raise AssertionError("the scenario took longer than %d seconds" % TIME_LIMIT)


class Scenario(unittest.TestCase):
    @property
    def suite(self):
        return SUITE

    def setUp(self):
        signal.signal(signal.SIGALRM, over_time)
        signal.alarm(TIME_LIMIT)
        self.addCleanup(signal.alarm, 0)  # also when the set-up fails
        SUITE.end_processes()
        for folder in SUITE.data_dirs():
            shutil.rmtree(folder)
        SUITE.control("reset", {})
        self.dir = SUITE.scratch / self.id().rsplit(".", 1)[-1]
        self.docs = self.dir / "文档 目录"
        self.docs.mkdir(parents=True)
        self.journal = self.dir / "journal.txt"
        self.starts = self.dir / "starts"
        self.starts.mkdir()
        self.processes = []
        self.program_starts = 0

    def tearDown(self):
        signal.alarm(0)
        if self._failed():
            self.report_threads()
        SUITE.end_processes()
        for process in self.processes:
            if process.poll() is None:
                process.kill()
            process.wait(10)
        # Every scenario: the program made no call that the PDF control refused.
        refused = [line for line in self.journal_lines() if line.startswith("refused ")]
        self.assertEqual(refused, [], "the PDF control refused calls of the program")
        # ...and none that the UI library refused (a misspelt element, attribute, value or resource).
        refused_ui = [line for line in self.ui_journal_lines() if line.startswith("refused")]
        self.assertEqual(refused_ui, [], "the UI library refused requests of the program")
        # The journal is watched: every program process started (and a further one it may start
        # itself) left its start line there.
        program_lines = [line for line in self.ui_journal_lines() if self._is_program_start(line)]
        self.assertGreaterEqual(len(program_lines), self.program_starts,
                                "the UI library's journal has %d start lines of the program for %d starts: %r"
                                % (len(program_lines), self.program_starts, self.ui_journal_lines()[-20:]))

    @staticmethod
    def _is_program_start(line):
        match = UI_JOURNAL_START.fullmatch(line)
        return bool(match) and ntpath.basename(match["executable"]).lower() == EXE.lower()

    def _failed(self):
        result = self._outcome.result
        return any(test is self for test, _ in result.errors + result.failures)

    def report_threads(self):
        """Where every thread of the program's processes stands, for a scenario that failed: a program
        that hangs shows where. Saved beside the journal and printed, frames of the program's own
        modules with their functions."""
        try:
            trace = subprocess.run(["wine", "winedbg", "--command", "bt all"],
                                   env=dict(SUITE.wine_env(), WINEDEBUG="-all"), stdin=subprocess.DEVNULL,
                                   capture_output=True, timeout=60).stdout.decode("utf-8", "replace")
        except (OSError, subprocess.SubprocessError) as error:
            print("no thread report: %s" % error, file=sys.stderr)
            return
        ours = [block for block in trace.split("\nBacktracing for ") if "\\bin\\" in block.split("\n", 1)[0]]
        text = "\n".join("Backtracing for " + symbolized(block) for block in ours)
        (self.dir / "threads.txt").write_text(text, "utf-8")
        print("\nthreads of the program's processes:\n" + text, file=sys.stderr)

    # The program and its traces.

    def program_env(self, extra_env=None):
        """The environment of every program start: the scenario's journals and records, then
        extra_env's further variables."""
        return dict(os.environ, BRAVIK_PDFCONTROL_JOURNAL=windows_path(self.journal),
                    BRAVIK_STARTS_DIR=windows_path(self.starts), BRAVIK_SOUI_JOURNAL=windows_path(self.ui_journal()),
                    **(extra_env or {}))

    def start(self, *args, extra_env=None, stderr=None):
        """The program with these arguments, as a user starts it; extra_env: further environment
        variables; stderr: a path that takes Wine's standard error (else it is dropped)."""
        return self.start_from(SUITE.bin, *args, extra_env=extra_env, stderr=stderr)

    def start_from(self, folder, *args, extra_env=None, stderr=None):
        """As start(), with the program of another folder."""
        with open(stderr, "wb") if stderr else open(os.devnull, "wb") as errors:
            process = subprocess.Popen([ARGS.wine_run, "--prefix", str(SUITE.prefix), str(folder / EXE), *args],
                                       env=self.program_env(extra_env), stdin=subprocess.DEVNULL,
                                       stdout=subprocess.DEVNULL, stderr=errors)
        self.processes.append(process)
        self.program_starts += 1
        return process

    def send(self, *args):
        """scenario_send in the background: for messages whose handler runs a modal dialog."""
        process = subprocess.Popen([ARGS.wine_run, "--prefix", str(SUITE.prefix),
                                    str(SUITE.bin / "scenario_send.exe"), *args], stdin=subprocess.DEVNULL,
                                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.processes.append(process)
        return process

    def tool(self, exe, *args):
        """Runs a tool of the program's folder to its end: (exit code, its records)."""
        # Output through a file: a Wine server started by the call would keep a pipe open.
        with tempfile.TemporaryFile() as out:
            code = subprocess.run([ARGS.wine_run, "--prefix", str(SUITE.prefix), str(SUITE.bin / exe), *args],
                                  stdin=subprocess.DEVNULL, stdout=out, stderr=subprocess.DEVNULL,
                                  timeout=60).returncode
            out.seek(0)
            return code, parse_records(out.read().decode("utf-8", "replace"))

    def records(self, exe, *args):
        """The records of a tool of the program's folder that must succeed: a tool that fails reads
        as no records otherwise."""
        code, records = self.tool(exe, *args)
        self.assertEqual(code, 0, "%s %s failed: %r" % (exe, " ".join(args), records))
        return records

    def dialogs(self):
        """Every shown standard dialog."""
        return self.records("scenario_send.exe", "dialogs")

    def main_window_state(self):
        code, records = self.tool("scenario_send.exe", "window", TITLE)
        self.assertEqual(code, 0, "the main window is there")
        return records[0]

    def message_box(self, caption):
        """The shown standard dialog with the caption, once it is there."""
        def find():
            return next((d for d in self.dialogs() if d.get("caption") == caption), None)
        return wait_for(find, 30, "a message box captioned %r" % caption)

    def choose_from_menu(self, button, item):
        """Opens a caption button's menu with a real click and chooses the item; the menu's items."""
        SUITE.spy.click(MAINWND, button)
        items = wait_for(SUITE.spy.menu, 30, "the menu of " + button)
        SUITE.spy.menu_click(text=item)
        return [i["text"] for i in items]

    def without(self, name):
        """The program's folder without `name` until the returned put-back (a second call does
        nothing) or the end of this scenario."""
        present, hidden = SUITE.bin / name, self.dir / name
        shutil.move(present, hidden)

        def put_back():
            if hidden.exists():
                shutil.move(hidden, present)
        self.addCleanup(put_back)
        return put_back

    def prompt_texts(self):
        """The texts of the shown prompt's named elements, by name; empty while none is shown."""
        try:
            return {r["name"]: r["text"] for r in SUITE.spy.list(TIP)}
        except SpyError:
            return {}

    def close_updater_notice(self):
        """Waits for the notice that the updater did not start, checks it and closes it."""
        def notice():
            texts = self.prompt_texts()
            return texts if texts.get("pro_text") == UPDATER_NOT_STARTED else None
        texts = wait_for(notice, 30, "the notice that the updater did not start")
        self.assertEqual({n: texts.get(n) for n in ("title_name", "btn_dir_ok", "btn_dir_cancel")},
                         {"title_name": "提示", "btn_dir_ok": "确定", "btn_dir_cancel": "取消"})
        SUITE.spy.click(TIP, "btn_dir_ok", post=True)
        SUITE.spy.wait_gone(TIP, timeout=30)

    def wait_login_page(self):
        """The web view's record once the service's sign-in page has loaded with its button."""
        code, page = self.tool("wkespy.exe", "wait", "--id", "login", "--url-contains", LOGIN_PAGE,
                               "--timeout", "30000")
        self.assertEqual(code, 0, page)
        self.assertEqual(page[0]["title"], "登录")
        return page[0]

    def sign_in_on_page(self):
        """In the open sign-in dialog: waits for the service's page and presses its button."""
        view = SUITE.spy.wait(WKEDLG, name="wke_test", timeout_ms=30000)
        page = self.wait_login_page()
        left, top = view["client"][:2]
        code, click = self.tool("wkespy.exe", "click", "--id", "login", "--screen-origin", "%d,%d" % (left, top))
        self.assertEqual(code, 0, click)
        return page

    def journal_mark(self):
        return len(self.journal_lines())

    def journal_since(self, mark):
        return self.journal_lines()[mark:]

    def pdf(self, name, pages=1):
        path = self.docs / name
        path.write_bytes(sample_pdf(pages))
        return windows_path(path)

    def ui_journal(self):
        """The UI library's journal of what it refused, shared by every process of the scenario."""
        return self.dir / "ui_journal.txt"

    def ui_journal_lines(self):
        return self.ui_journal().read_text("utf-8").splitlines() if self.ui_journal().exists() else []

    def journal_lines(self):
        return self.journal.read_text("utf-8").splitlines() if self.journal.exists() else []

    def wait_journal(self, part, count=1, timeout=60):
        return wait_for(lambda: sum(part in line for line in self.journal_lines()) >= count, timeout,
                        "%d journal lines with %r; journal: %r" % (count, part, self.journal_lines()[-20:]))

    def settings(self):
        dirs = SUITE.data_dirs()
        if not dirs or not (dirs[0] / "wconfig.ini").exists():
            return {}
        values = {}
        for line in settings_lines(settings_text((dirs[0] / "wconfig.ini").read_bytes(), errors="replace")):
            key, sep, value = line.partition("=")
            if sep:
                values[key.strip()] = value.strip()
        return values

    def not_first_start(self, *lines):
        """A settings file whose first-start marker is already set, so no guide tour is shown, with
        further "key=value" lines."""
        self.put_settings(settings_bytes(("[App]", "fsi=1", "openDocPath=") + lines))

    def put_settings(self, data):
        """The settings file with these bytes, before the program starts; its path."""
        prefix_users = wait_for(lambda: list(SUITE.prefix.glob("drive_c/users/*/AppData/Local")), 120,
                                "the prefix's user folders")
        folder = prefix_users[0] / "BravikPdfEditor"
        folder.mkdir(exist_ok=True)
        (folder / "wconfig.ini").write_bytes(data)
        return folder / "wconfig.ini"

    def ensure_prefix(self):
        if not SUITE.prefix.exists():
            subprocess.run([ARGS.wine_run, "--prefix", str(SUITE.prefix), "cmd", "/c", "exit"],
                           stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                           timeout=300)

    def wait_main_window(self):
        return SUITE.spy.wait(MAINWND, name="btn_close", timeout_ms=90000)

    def settled(self):
        """Returns once the main window's thread has handled what it was sent before: a message that
        does nothing, answered after them."""
        self.assertEqual(self.tool("scenario_send.exe", "message", TITLE, "0")[0], 0)

    def maximise(self):
        """Maximises the main window; it writes frameState before the message returns."""
        code, _ = self.tool("scenario_send.exe", "message", TITLE, str(WM_SYSCOMMAND), str(SC_MAXIMIZE))
        self.assertEqual(code, 0)

    # Shared checks.

    def assert_signed_requests(self, requests):
        """Every request to the account service carried a valid signature and the one machine code."""
        self.assertTrue(requests)
        for request in requests:
            self.assertTrue(request.get("layout_ok") and request.get("sign_ok"), request)
        machine_codes = {dict(r["fields"])["m_id"] for r in requests}
        self.assertEqual(len(machine_codes), 1, machine_codes)
        self.assertEqual({dict(r["fields"])["version_information"] for r in requests}, {"220327001"})

    def save(self):
        """Asks the control to save, as Ctrl+S does: (the sender, the journal mark before it)."""
        mark = self.journal_mark()
        return self.send("save", TITLE), mark

    def assert_save_stopped(self, sender, mark):
        self.assertEqual(sender.wait(30), 0, "the save was stopped")
        lines = self.journal_since(mark)
        self.assertIn("event:e.document.performSave.14(0)", lines)
        self.assertIn("save stopped", lines)
        self.assertFalse(any(l.startswith('saved "') or "afterSave" in l for l in lines), lines)

    def assert_saved(self, sender, mark, pdf):
        self.assertEqual(sender.wait(30), 1, "the save went on")
        self.wait_journal("event e.document.afterSave")
        lines = self.journal_since(mark)
        self.assertIn('saved "%s"' % pdf, lines)
        self.assertFalse(any(".14(" in l for l in lines), lines)


def run():
    global ARGS, SUITE
    parser = argparse.ArgumentParser()
    parser.add_argument("--wine-run", required=True)
    parser.add_argument("--bin", required=True)
    parser.add_argument("--scratch", required=True)
    parser.add_argument("--prefix", required=True)
    parser.add_argument("--account-port", type=int, required=True)
    parser.add_argument("--crash-port", type=int, required=True)
    ARGS, rest = parser.parse_known_args()
    SUITE = Suite()
    try:
        result = unittest.main(module="__main__", argv=[sys.argv[0]] + rest, exit=False).result
    finally:
        SUITE.close()
    sys.exit(0 if result.wasSuccessful() else 1)

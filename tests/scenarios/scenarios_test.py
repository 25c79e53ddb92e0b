#!/usr/bin/env python3
"""The real program under Wine against the local services on the fixed ports: documents on the
command line, the hand-off of a second instance, WM_COPYDATA with a missing file, closing with two
documents, the accepted update offer and the guide tour of the first start.

The program runs from a scratch copy of its folder (with the services' test CA as its CA bundle)
in a Wine prefix of this suite; before each scenario the prefix's per-user folder of the program is
removed and every process of the prefix ended. The control stand-in's journal and the updater's
record go to files of the scenario.
"""
import argparse
import json
import os
import pathlib
import shutil
import subprocess
import sys
import time
import unittest
import urllib.request

HERE = pathlib.Path(__file__).resolve().parent
ROOT = HERE.parent.parent
sys.path.insert(0, str(ROOT / "tests" / "soui"))
sys.path.insert(0, str(HERE))
from souiinspect import Spy, SpyError  # noqa: E402
from sample_pdf import sample_pdf  # noqa: E402

ARGS = None
TITLE = "BravikPDF编辑器3.2.7"
EXE = "BravikPdfEditor.exe"
MAINWND = "LAYOUT:XML_MAINWND"
TIP = "LAYOUT:XML_TIP"
GUIDE = "LAYOUT:XML_GUIDE"


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


class Suite:
    """What the scenarios share: the program's folder, the prefix and the services."""

    def __init__(self):
        self.scratch = pathlib.Path(ARGS.scratch)
        shutil.rmtree(self.scratch, ignore_errors=True)
        self.scratch.mkdir(parents=True)
        self.prefix = self.scratch / "prefix"
        self.bin = self.scratch / "bin"
        self.bin.mkdir()
        source = pathlib.Path(ARGS.bin)
        for item in source.iterdir():
            if item.suffix.lower() == ".dll" or item.name in (EXE, "Updrell.exe", "souispy.exe", "scenario_send.exe"):
                shutil.copy2(item, self.bin)
        if (source / "convert").is_dir():
            shutil.copytree(source / "convert", self.bin / "convert")
        self.services = self._start_services()
        shutil.copyfile(self.ready["ca_file"], self.bin / "curl-ca-bundle.crt")
        self.spy = Spy(ARGS.wine_run, str(self.prefix), str(self.bin), timeout=150)

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


class Scenario(unittest.TestCase):
    def setUp(self):
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

    def tearDown(self):
        SUITE.end_processes()
        for process in self.processes:
            if process.poll() is None:
                process.kill()
            process.wait(10)

    # The program and its traces.

    def start(self, *args):
        env = dict(os.environ, BRAVIK_PDFCONTROL_JOURNAL=windows_path(self.journal),
                   BRAVIK_STARTS_DIR=windows_path(self.starts))
        process = subprocess.Popen([ARGS.wine_run, "--prefix", str(SUITE.prefix), str(SUITE.bin / EXE), *args],
                                   env=env, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                                   stderr=subprocess.DEVNULL)
        self.processes.append(process)
        return process

    def send(self, *args):
        return subprocess.Popen([ARGS.wine_run, "--prefix", str(SUITE.prefix), str(SUITE.bin / "scenario_send.exe"),
                                 *args], stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                                stderr=subprocess.DEVNULL)

    def pdf(self, name, pages=1):
        path = self.docs / name
        path.write_bytes(sample_pdf(pages))
        return windows_path(path)

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
        for line in (dirs[0] / "wconfig.ini").read_bytes().decode("gbk", "replace").splitlines():
            key, sep, value = line.partition("=")
            if sep:
                values[key.strip()] = value.strip()
        return values

    def not_first_start(self):
        """A settings file whose first-start marker is already set, so no guide tour is shown."""
        prefix_users = wait_for(lambda: list(SUITE.prefix.glob("drive_c/users/*/AppData/Local")), 120,
                                "the prefix's user folders")
        folder = prefix_users[0] / "BravikPdfEditor"
        folder.mkdir(exist_ok=True)
        (folder / "wconfig.ini").write_bytes(b"[App]\r\nfsi=1\r\nopenDocPath=\r\n")

    def ensure_prefix(self):
        if not SUITE.prefix.exists():
            subprocess.run([ARGS.wine_run, "--prefix", str(SUITE.prefix), "cmd", "/c", "exit"],
                           stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                           timeout=300)

    def wait_main_window(self):
        return SUITE.spy.wait(MAINWND, name="btn_close", timeout_ms=90000)

    # Scenarios.

    def test_pdf_on_the_command_line_is_opened(self):
        self.ensure_prefix()
        self.not_first_start()
        pdf = self.pdf("样例.pdf", 3)
        program = self.start(pdf)  # a path with a blank: Wine passes it inside one pair of quotes
        self.wait_main_window()
        self.wait_journal('opened "%s": 3 pages' % pdf)
        lines = self.journal_lines()
        self.assertLess(next(i for i, l in enumerate(lines) if "V.43(W, 1, 0)" in l),
                        next(i for i, l in enumerate(lines) if "opened" in l), "set up before the document opens")
        self.assertIsNone(program.poll())

    def test_a_second_instance_hands_over_its_command_line(self):
        self.ensure_prefix()
        self.not_first_start()
        first = self.start()
        self.wait_main_window()
        pdf = self.pdf("交给 第一个.pdf", 2)
        second = self.start(pdf)
        self.assertEqual(second.wait(120), 0)
        self.wait_journal('opened "%s"' % pdf)
        self.assertEqual(self.settings().get("openDocPath"), "", "emptied by the first instance")
        self.assertIsNone(first.poll(), "the first instance goes on")
        requests = SUITE.control("requests")
        if isinstance(requests, dict):
            requests = requests.get("requests", [])
        infos = [r for r in requests if "DoLoadInfo" in r.get("path", "")]
        self.assertGreaterEqual(len(infos), 2, "the second instance asked for the start-up information too")

    def test_copydata_with_a_missing_file_names_it(self):
        self.ensure_prefix()
        self.not_first_start()
        self.start()
        self.wait_main_window()
        missing = windows_path(self.docs / "不存在.pdf")
        sender = self.send("copydata", TITLE, missing)
        text = SUITE.spy.wait(TIP, name="pro_text", timeout_ms=60000)
        self.assertEqual(text["text"], "该文件不存在！")
        self.assertEqual(SUITE.spy.find(TIP, "title_name")["text"], "提示")
        self.assertEqual(SUITE.spy.find(TIP, "btn_dir_ok")["text"], "确定")
        # Posted: without a window manager the prompt is reported covered at its button's centre.
        SUITE.spy.click(TIP, "btn_dir_ok", post=True)
        self.assertEqual(sender.wait(60), 1, "WM_COPYDATA answers 1")
        self.assertFalse(any("opened" in line for line in self.journal_lines()))

    def test_closing_with_two_documents_closes_both_and_ends(self):
        self.ensure_prefix()
        self.not_first_start()
        one, two = self.pdf("一.pdf", 1), self.pdf("二.pdf", 2)
        program = self.start(one + ";" + two + ";")
        self.wait_main_window()
        self.wait_journal("opened", 2)
        SUITE.spy.click(MAINWND, "btn_close")
        self.assertEqual(program.wait(90), 0)
        lines = self.journal_lines()
        self.assertEqual(sum("V.26(-1)" in line for line in lines), 2, lines[-30:])
        closing = [l for l in lines if "V.26(-1)" in l or "X.11(0)" in l or "X.84(" in l]
        self.assertEqual([c.split("(")[0] for c in closing], ["V.26", "V.26", "X.11", "X.84"], closing)

    def test_accepted_update_starts_the_updater_and_no_main_window(self):
        self.ensure_prefix()
        self.not_first_start()
        SUITE.control("reply", {"path": "Index/UserLogin/DoLoadInfo", "body": json.dumps(
            {"errno": "1000", "res": {"OlVersion": "999", "LoadUrl": "dologin:1"}})})
        program = self.start()
        ok = SUITE.spy.wait(TIP, name="btn_dir_ok", timeout_ms=90000)
        self.assertEqual(ok["text"], "下载更新")
        self.assertEqual(SUITE.spy.find(TIP, "flush_str2")["text"], "2、增加深度扫描恢复的文件类型；")
        SUITE.spy.click(TIP, "btn_dir_ok")
        self.assertEqual(program.wait(90), 0)
        record = wait_for(lambda: (self.starts / "Updrell.starts.txt").exists() and
                          (self.starts / "Updrell.starts.txt").read_text("utf-8"), 30, "the updater's record")
        self.assertIn("argument1=327\n", record)
        self.assertIn("argument2=220327001\n", record)
        self.assertFalse(any("C.101" in line for line in self.journal_lines()), "the control was never set up")

    def test_the_first_start_shows_the_guide(self):
        self.ensure_prefix()
        program = self.start()
        start = SUITE.spy.wait(GUIDE, name="btn_start", timeout_ms=90000)
        self.assertTrue(start["visible"])
        self.assertEqual(self.settings().get("fsi"), "1")
        SUITE.spy.click(GUIDE, "btn_close")
        SUITE.spy.wait(GUIDE, name="btn_end", timeout_ms=30000)
        SUITE.spy.click(GUIDE, "btn_end")
        SUITE.spy.wait_gone(GUIDE, timeout=30)
        self.wait_main_window()
        self.assertIsNone(program.poll())


def main():
    global ARGS, SUITE
    parser = argparse.ArgumentParser()
    parser.add_argument("--wine-run", required=True)
    parser.add_argument("--bin", required=True)
    parser.add_argument("--scratch", required=True)
    parser.add_argument("--account-port", type=int, required=True)
    parser.add_argument("--crash-port", type=int, required=True)
    ARGS, rest = parser.parse_known_args()
    SUITE = Suite()
    try:
        result = unittest.main(argv=[sys.argv[0]] + rest, exit=False).result
    finally:
        SUITE.close()
    sys.exit(0 if result.wasSuccessful() else 1)


if __name__ == "__main__":
    main()

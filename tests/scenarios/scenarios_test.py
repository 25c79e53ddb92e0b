#!/usr/bin/env python3
"""The real program under Wine against the local services on the fixed ports: documents on the
command line, the hand-off of a second instance, WM_COPYDATA with a missing file, closing with two
documents, the accepted update offer and the guide tour of the first start; signing in through the
web page, the account menu and signing out, the sign-in asked for before a save, the main menu's
update check, the converter, WM_USER+8 and the frame state kept across starts.

The program runs from a scratch copy of its folder (with the services' test CA as its CA bundle)
in a Wine prefix of this suite; before each scenario the prefix's per-user folder of the program is
removed and every process of the prefix ended. The control stand-in's journal and the updater's
and converter's records go to files of the scenario. Each scenario has a time limit of its own.

Buttons of the translucent dialogs are pressed with posted mouse messages: without a window
manager Wine leaves a newly shown dialog below the main window in the stacking order, so a real
click there would land on the main window. Caption buttons, menu items and the sign-in page's
button get real clicks.
"""
import argparse
import json
import os
import pathlib
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
            if item.suffix.lower() == ".dll" or item.name in (EXE, "Updrell.exe", "souispy.exe", "wkespy.exe", "scenario_send.exe"):
                shutil.copy2(item, self.bin)
        if (source / "convert").is_dir():
            shutil.copytree(source / "convert", self.bin / "convert")
        self.services = self._start_services()
        shutil.copyfile(self.ready["ca_file"], self.bin / "curl-ca-bundle.crt")
        self.spy = Spy(ARGS.wine_run, str(self.prefix), str(self.bin), timeout=150)
        subprocess.run([ARGS.wine_run, "--prefix", str(self.prefix), "cmd", "/c", "exit"], stdin=subprocess.DEVNULL,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=300)

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


def over_time(signum, frame):
    raise AssertionError("the scenario took longer than %d seconds" % TIME_LIMIT)


class Scenario(unittest.TestCase):
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

    def tearDown(self):
        signal.alarm(0)
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

    def main_window_state(self):
        code, records = self.tool("scenario_send.exe", "window", TITLE)
        self.assertEqual(code, 0, "the main window is there")
        return records[0]

    def message_box(self, caption):
        """The shown standard dialog with the caption, once it is there."""
        def find():
            return next((d for d in self.tool("scenario_send.exe", "dialogs")[1] if d.get("caption") == caption),
                        None)
        return wait_for(find, 30, "a message box captioned %r" % caption)

    def choose_from_menu(self, button, item):
        """Opens a caption button's menu with a real click and chooses the item; the menu's items."""
        SUITE.spy.click(MAINWND, button)
        items = wait_for(lambda: SUITE.spy.menu(), 30, "the menu of " + button)
        SUITE.spy.menu_click(text=item)
        return [i["text"] for i in items]

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

    def not_first_start(self, *lines):
        """A settings file whose first-start marker is already set, so no guide tour is shown, with
        further "key=value" lines."""
        prefix_users = wait_for(lambda: list(SUITE.prefix.glob("drive_c/users/*/AppData/Local")), 120,
                                "the prefix's user folders")
        folder = prefix_users[0] / "BravikPdfEditor"
        folder.mkdir(exist_ok=True)
        text = "".join(line + "\r\n" for line in ("[App]", "fsi=1", "openDocPath=") + lines)
        (folder / "wconfig.ini").write_bytes(text.encode("gbk"))

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


    def assert_signed_requests(self, requests):
        """Every request to the account service carried a valid signature and the one machine code."""
        self.assertTrue(requests)
        for request in requests:
            self.assertTrue(request.get("layout_ok") and request.get("sign_ok"), request)
        machine_codes = {dict(r["fields"])["m_id"] for r in requests}
        self.assertEqual(len(machine_codes), 1, machine_codes)
        self.assertEqual({dict(r["fields"])["version_information"] for r in requests}, {"220327001"})

    def test_signing_in_through_the_web_page(self):
        self.not_first_start()
        self.start()
        self.wait_main_window()
        self.assertEqual(SUITE.spy.find(MAINWND, "user_name")["text"], "未登录")
        self.assertEqual(SUITE.requests(USER_DATA), [], "no user id stored: no profile request")
        SUITE.spy.click(MAINWND, "btn_log")
        self.assertEqual(SUITE.spy.wait(WKEDLG, name="title_name", timeout_ms=30000)["text"], "登录")
        page = self.sign_in_on_page()
        self.assertIn("/" + LOGIN_PAGE + "?m_id=", page["url"])
        SUITE.spy.wait_gone(WKEDLG, timeout=30)
        name = SUITE.spy.find(MAINWND, "user_name")
        self.assertEqual(name["text"], USER_NAME)
        button = SUITE.spy.find(MAINWND, "btn_log")
        self.assertEqual(button["skin"], "btn_wechat_normal_imglist", "the skin of sign-in method 1")
        self.assertEqual(button["tip"], USER_NAME)
        settings = self.settings()
        self.assertEqual(settings.get("userid"), USER_ID)
        self.assertEqual(settings.get("userdic"), USER_ID + ";")
        logins = SUITE.requests(LOGIN_PAGE)
        self.assertEqual(len(logins), 1)
        profiles = SUITE.requests(USER_DATA)
        self.assertEqual(len(profiles), 2, "the notification's profile request and its refresh of the account area")
        self.assertTrue(all(dict(r["fields"])["u_id"] == USER_ID for r in profiles))
        self.assert_signed_requests(SUITE.requests(LOAD_INFO) + logins + profiles)

    def test_account_information_and_signing_out(self):
        self.not_first_start("userid=" + USER_ID, "userdic=" + USER_ID + ";")
        SUITE.reply(USER_DATA, {"result_code": "1", "u_name": USER_NAME, "login_method": "3"})
        self.start()
        self.wait_main_window()
        self.assertEqual(SUITE.spy.find(MAINWND, "user_name")["text"], USER_NAME)
        self.assertEqual(SUITE.spy.find(MAINWND, "btn_log")["skin"], "btn_phone_normal_imglist")
        self.assertEqual(self.choose_from_menu("btn_log", "账户信息"), ["账户信息", "退出登录"])
        nickname = SUITE.spy.wait(USERINFO, name="nickname", timeout_ms=30000)
        self.assertEqual(nickname["text"], "昵称      ： " + USER_NAME)
        self.assertEqual(SUITE.spy.find(USERINFO, "userid")["text"], "ID         ：" + USER_ID)
        SUITE.spy.click(USERINFO, "btn_close", post=True)
        SUITE.spy.wait_gone(USERINFO, timeout=30)
        infos_before = len(SUITE.requests(LOAD_INFO))
        self.choose_from_menu("btn_log", "退出登录")
        wait_for(lambda: self.settings().get("userid") == "", 30, "the user id cleared in the settings")
        wait_for(lambda: SUITE.spy.find(MAINWND, "user_name")["text"] == "未登录", 30, "the signed-out area")
        name = SUITE.spy.find(MAINWND, "user_name")
        self.assertEqual(name["tip"], "点击登录")
        button = SUITE.spy.find(MAINWND, "btn_log")
        self.assertEqual(button["skin"], "btn_log_imglist")
        self.assertEqual(button["tip"], USER_NAME, "the old name stays only as the button's tip")
        self.assertEqual(len(SUITE.requests(LOAD_INFO)), infos_before + 1, "the switches asked for again")
        self.assertEqual(self.settings().get("userdic"), USER_ID + ";", "the known ids stay")
        # Signed out, the account button offers the sign-in again.
        SUITE.spy.click(MAINWND, "btn_log")
        SUITE.spy.wait(WKEDLG, name="wke_test", timeout_ms=30000)

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

    def test_saving_asks_for_a_sign_in_first(self):
        self.not_first_start()
        pdf = self.pdf("保存 前.pdf")
        self.start(pdf)
        self.wait_main_window()
        self.wait_journal('opened "%s"' % pdf)

        # The prompt, declined.
        sender, mark = self.save()
        SUITE.spy.wait(TIP, name="pro_text", timeout_ms=30000)
        texts = {n: SUITE.spy.find(TIP, n)["text"] for n in ("title_name", "pro_text", "flush_str1", "btn_dir_ok",
                                                              "btn_dir_cancel")}
        self.assertEqual(texts, {"title_name": "提示", "pro_text": "是否登录账号？",
                                 "flush_str1": "需要登录账号才能执行保存操作！", "btn_dir_ok": "免费登录",
                                 "btn_dir_cancel": "取消"})
        SUITE.spy.click(TIP, "btn_dir_cancel", post=True)
        self.assert_save_stopped(sender, mark)

        # Accepted, then the sign-in dialog closed by the user.
        sender, mark = self.save()
        SUITE.spy.wait(TIP, name="btn_dir_ok", timeout_ms=30000)
        SUITE.spy.click(TIP, "btn_dir_ok", post=True)
        SUITE.spy.wait(WKEDLG, name="btn_close", timeout_ms=30000)
        SUITE.spy.click(WKEDLG, "btn_close", post=True)
        self.assert_save_stopped(sender, mark)

        # Accepted and signed in: the save goes on.
        sender, mark = self.save()
        SUITE.spy.wait(TIP, name="btn_dir_ok", timeout_ms=30000)
        SUITE.spy.click(TIP, "btn_dir_ok", post=True)
        self.sign_in_on_page()
        self.assert_saved(sender, mark, pdf)
        self.assertEqual(self.settings().get("userid"), USER_ID)

        # Signed in: no prompt at all (it would hold the sender until the time-out).
        sender, mark = self.save()
        self.assert_saved(sender, mark, pdf)

    def test_saving_without_the_sign_in_switch(self):
        self.not_first_start()
        SUITE.reply(LOAD_INFO, {"errno": "1000",
                                "res": {"OlVersion": "0", "LoadUrl": "dologin:0;编辑:1;阅读:1;转换:1"}})
        pdf = self.pdf("无需登录.pdf")
        self.start(pdf)
        self.wait_main_window()
        self.wait_journal('opened "%s"' % pdf)
        left, top, right, bottom = SUITE.spy.find(MAINWND, "btn_log")["rect"]
        self.assertEqual((right - left, bottom - top), (0, 0), "the account area is collapsed")
        sender, mark = self.save()
        self.assert_saved(sender, mark, pdf)

    def test_update_check_from_the_main_menu(self):
        self.not_first_start()
        program = self.start()
        self.wait_main_window()
        main = self.main_window_state()["hwnd"]
        self.assertEqual(self.choose_from_menu("btn_menu", "检查更新"), ["使用教程", "检查更新"])
        box = self.message_box("提示")
        self.assertEqual(box["texts"], "已经是最新版本！")
        self.assertEqual(box["owner"], main, "over the main window")
        self.assertEqual(box["buttons"], "1:确定")
        self.assertEqual(self.tool("scenario_send.exe", "press", box["hwnd"], "1")[0], 0)
        wait_for(lambda: not self.tool("scenario_send.exe", "dialogs")[1], 30, "the message box gone")
        self.assertIsNone(program.poll())
        self.assertFalse((self.starts / "Updrell.starts.txt").exists())

    def test_update_from_the_main_menu_starts_the_updater_and_ends(self):
        self.not_first_start()
        SUITE.reply(LOAD_INFO, {"errno": "1000", "res": {"OlVersion": "328", "LoadUrl": "dologin:1"}})
        program = self.start()
        # The offer at start-up, declined: the program goes on.
        SUITE.spy.wait(TIP, name="btn_dir_cancel", timeout_ms=60000)
        self.assertEqual(SUITE.spy.find(TIP, "title_name")["text"], "更新")
        SUITE.spy.click(TIP, "btn_dir_cancel", post=True)
        self.wait_main_window()
        self.choose_from_menu("btn_menu", "检查更新")
        SUITE.spy.wait(TIP, name="btn_dir_ok", timeout_ms=30000)
        self.assertEqual(SUITE.spy.find(TIP, "flush_str2")["text"], "2、优化程序,提升程序的运行效率；")
        self.assertEqual(SUITE.spy.find(TIP, "btn_dir_ok")["text"], "下载更新")
        self.assertFalse(self.tool("scenario_send.exe", "dialogs")[1], "no system message box")
        SUITE.spy.click(TIP, "btn_dir_ok", post=True)
        self.assertEqual(program.wait(60), 0, "the main window destroyed, the process ends")
        path = self.starts / "Updrell.starts.txt"
        record = wait_for(lambda: path.exists() and path.read_text("utf-8"), 30, "the updater's record")
        self.assertEqual(record.count("[start]"), 1, record)
        self.assertIn("argument1=327\n", record)
        self.assertIn("argument2=220327001\n", record)
        self.assertNotIn("argument3=", record)
        self.assertTrue(record.split("program=")[1].split("\n")[0].endswith("\\bin\\Updrell.exe"), record)

    def test_the_convert_button_starts_the_converter(self):
        self.assertTrue((SUITE.bin / "convert" / "Transvera.exe").exists())
        self.not_first_start()
        program = self.start()
        self.wait_main_window()
        self.assertTrue(SUITE.spy.find(MAINWND, "btn_convert")["visible"], "switched on by the service")
        SUITE.spy.click(MAINWND, "btn_convert")
        path = self.starts / "Transvera.starts.txt"
        record = wait_for(lambda: path.exists() and path.read_text("utf-8"), 30, "the converter's record")
        self.assertEqual(record.count("[start]"), 1, record)
        self.assertTrue(record.split("program=")[1].split("\n")[0].endswith("\\bin\\convert\\Transvera.exe"), record)
        self.assertNotIn("argument1=", record, "started without parameters")
        self.assertIsNone(program.poll())

    def test_show_login_message_opens_the_sign_in_dialog(self):
        self.not_first_start()
        self.start()
        self.wait_main_window()
        sender = self.send("message", TITLE, str(WM_SHOW_LOGIN))
        self.assertEqual(SUITE.spy.wait(WKEDLG, name="title_name", timeout_ms=30000)["text"], "登录")
        self.wait_login_page()
        self.assert_signed_requests(SUITE.requests(LOGIN_PAGE))
        self.assertIsNone(sender.poll(), "the message is answered when the dialog ends")
        SUITE.spy.click(WKEDLG, "btn_close", post=True)
        self.assertEqual(sender.wait(30), 0)
        SUITE.spy.wait_gone(WKEDLG, timeout=30)
        self.assertNotIn("userid", self.settings())

    def test_the_frame_state_is_kept_across_starts(self):
        self.not_first_start()
        program = self.start()
        self.wait_main_window()
        self.assertEqual(self.main_window_state()["zoomed"], "0")
        code, _ = self.tool("scenario_send.exe", "message", TITLE, str(WM_SYSCOMMAND), str(SC_MAXIMIZE))
        self.assertEqual(code, 0)
        self.assertEqual(self.main_window_state()["zoomed"], "1")
        self.assertEqual(self.settings().get("frameState"), "max")
        self.assertTrue(SUITE.spy.find(MAINWND, "btn_restore")["visible"])
        self.assertFalse(SUITE.spy.find(MAINWND, "btn_max")["visible"])
        SUITE.spy.click(MAINWND, "btn_close")
        self.assertEqual(program.wait(60), 0)

        program = self.start()
        self.wait_main_window()
        self.assertEqual(self.main_window_state()["zoomed"], "1", "shown maximised as the settings say")
        SUITE.spy.click(MAINWND, "btn_restore")
        wait_for(lambda: self.settings().get("frameState") == "normal", 30, "frameState=normal")
        self.assertEqual(self.main_window_state()["zoomed"], "0")
        self.assertTrue(SUITE.spy.find(MAINWND, "btn_max")["visible"])
        self.assertFalse(SUITE.spy.find(MAINWND, "btn_restore")["visible"])
        # Minimising leaves the frame state alone.
        self.tool("scenario_send.exe", "message", TITLE, str(WM_SYSCOMMAND), str(SC_MINIMIZE))
        self.assertEqual(self.main_window_state()["iconic"], "1")
        self.assertEqual(self.settings().get("frameState"), "normal")

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

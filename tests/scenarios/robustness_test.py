#!/usr/bin/env python3
"""Robustness: the account service answering what it should not (broken, huge or deeply nested
JSON, an error page, numbers or arrays where texts belong, a customer-service address that is not a
web address) or never answering. Start-up completes, nothing a bad reply carries is applied, and
the customer-service button opens the default address. A silent service only holds the main window
back until the transfers' time-outs have run.

A stored user id makes the program ask for both the start-up information and the profile, and
both get the case's reply. The shell's handler of https addresses is, during this suite, the updater
stand-in under another name, which records how it was started.
"""
import json
import shutil
import subprocess

from scenario_support import LOAD_INFO, MAINWND, Scenario, USER_DATA, USER_ID, run, wait_for, windows_path
import scenario_support

DEFAULT_ADDRESS = ("https://service.example.com/client?k=5c07e2a9b41d8f36a0e7c25b9d14f803&wp=1&gid=10086"
                   "&robotShuntSwitch=0")
BROWSER = "browser"
HANDLER_KEY = r"HKCR\https\shell\open\command"
SWITCHED_BUTTONS = ("btn_edit", "btn_read", "btn_convert")
SIGNED_OUT = "未登录"
ALL_SWITCHES = "dologin:1;编辑:1;阅读:1;转换:1;"


def json_body(value):
    return {"body": json.dumps(value, ensure_ascii=False)}


# name, the reply to both requests, whether the reply's switches apply (the caption's three buttons
# shown). A reply that counts as no answer leaves them hidden, as without a service.
CASES = [
    ("invalid_json", {"body": '{"errno":"1000","res":{"OlVersion":"999","LoadUrl":"' + ALL_SWITCHES}, False),
    ("ten_megabytes", json_body({"errno": "1000", "res": {"OlVersion": "0", "LoadUrl": "kfurl:" + "a" * 10_000_000},
                                 "result_code": "0"}), False),
    ("deep_nesting", {"body": "[" * 100_000 + "]" * 100_000}, False),
    ("html_page", {"body": "<!DOCTYPE html><html><body><h1>系统维护中</h1></body></html>",
                   "content_type": "text/html; charset=utf-8"}, False),
    ("server_error", {"status": 500, "body": "<html><body><h1>500 Internal Server Error</h1></body></html>",
                      "content_type": "text/html"}, False),
    ("numbers_for_texts", json_body({"errno": 1000, "res": {"OlVersion": 0, "LoadUrl": 1}, "result_code": 0,
                                     "u_name": 7, "login_method": 1}), False),
    # Each reply would change something if it were applied in part: the version offers an update,
    # the result code signs the user in.
    ("arrays_for_texts", json_body({"errno": "1000", "res": {"OlVersion": "999", "LoadUrl": [ALL_SWITCHES]},
                                    "result_code": "1", "u_name": ["测试用户"], "login_method": "1"}), False),
    ("file_address", json_body({"errno": "1000", "res": {
        "OlVersion": "0", "LoadUrl": ALL_SWITCHES + "kfurl:file:///c:/windows/win.ini"}}), True),
    ("script_address", json_body({"errno": "1000", "res": {
        "OlVersion": "0", "LoadUrl": ALL_SWITCHES + "kfurl:javascript:alert(document.cookie)"}}), True),
]


class Robustness(Scenario):
    @classmethod
    def setUpClass(cls):
        shutil.copy2(scenario_support.SUITE.bin / "Updrell.exe", scenario_support.SUITE.bin / (BROWSER + ".exe"))
        # The prefix is shared with the other suites: its own handler comes back at the end.
        cls.saved_handler = windows_path(scenario_support.SUITE.scratch / "https-handler.reg")
        cls.registry("export", HANDLER_KEY, cls.saved_handler, "/y")
        command = '"%s" "%%1"' % windows_path(scenario_support.SUITE.bin / (BROWSER + ".exe"))
        cls.registry("add", HANDLER_KEY, "/ve", "/d", command, "/f")

    @classmethod
    def tearDownClass(cls):
        cls.registry("import", cls.saved_handler)

    @staticmethod
    def registry(*args):
        subprocess.run([scenario_support.ARGS.wine_run, "--prefix", str(scenario_support.SUITE.prefix), "reg", *args],
                       stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                       timeout=120, check=True)

    def answer_both(self, reply):
        for path in (LOAD_INFO, USER_DATA):
            self.suite.control("reply", dict(reply, path=path))

    def assert_defaults_kept(self, switches_apply):
        for button in SWITCHED_BUTTONS:
            self.assertEqual(self.suite.spy.find(MAINWND, button)["visible"], switches_apply, button)
        self.assertEqual(self.suite.spy.find(MAINWND, "user_name")["text"], SIGNED_OUT)
        self.assertTrue(self.suite.requests(LOAD_INFO) and self.suite.requests(USER_DATA),
                        "both requests reached the service")

    def assert_opens_the_default_address(self):
        self.suite.spy.click(MAINWND, "btn_consultation")
        path = self.starts / (BROWSER + ".starts.txt")
        record = wait_for(lambda: path.exists() and path.read_text("utf-8"), 30, "the browser's record")
        self.assertEqual(record.count("[start]"), 1, record)
        self.assertIn("argument1=" + DEFAULT_ADDRESS + "\n", record)

    def check_bad_reply(self, reply, switches_apply):
        self.not_first_start("userid=" + USER_ID)
        self.answer_both(reply)
        program = self.start()
        self.wait_main_window()
        self.assert_defaults_kept(switches_apply)
        self.assert_opens_the_default_address()
        self.assertIsNone(program.poll(), "the program goes on")

    def test_a_silent_service_holds_the_main_window_until_the_time_outs(self):
        self.not_first_start("userid=" + USER_ID)
        self.answer_both({"silent": True})
        program = self.start()
        wait_for(lambda: self.suite.requests(LOAD_INFO), 60, "the start-up request")
        self.assertFalse(any(h.get("layout", "").upper() == MAINWND for h in self.suite.spy.hosts()),
                         "no main window while the service holds the request")
        self.wait_main_window()
        self.assert_defaults_kept(False)
        self.assertIsNone(program.poll(), "the program goes on")


def add_case(name, reply, switches_apply):
    setattr(Robustness, "test_" + name, lambda self: self.check_bad_reply(reply, switches_apply))


for case in CASES:
    add_case(*case)


if __name__ == "__main__":
    run()

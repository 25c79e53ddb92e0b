#!/usr/bin/env python3
"""Outside text that must not reach a file, the shell or a service malformed: user ids reported by
the sign-in page, and the customer-service address sent by the account service."""
import subprocess

import scenario_support
from scenario_support import LOAD_INFO, LOGIN_PAGE, MAINWND, Scenario, USER_DATA, WKEDLG, run, wait_for

# What the sign-in page reports before the good id; none of it may be stored or sent.
HOSTILE_IDS = [
    "1\r\n[Other]\r\nuserdic=forged;",
    "a;b",
    "a&b=c",
    "9" * 129,
    "",
    "a b",
    "x'\"\\",
    "100%",
    "\U0001F600",  # not in the ANSI code page
]
GOOD_ID = "A20002"
# The default customer-service address (resource "customUrl"), with its own upper-case letters.
DEFAULT_CUSTOMER_URL = ("https://service.example.com/client?k=5c07e2a9b41d8f36a0e7c25b9d14f803&wp=1&gid=10086"
                        "&robotShuntSwitch=0")
SWITCHES = "dologin:1;编辑:1;阅读:1;转换:1"


class HostileInput(Scenario):
    def press_on_page(self, element, view):
        left, top = view["client"][:2]
        code, click = self.tool("wkespy.exe", "click", "--id", element, "--screen-origin", "%d,%d" % (left, top))
        self.assertEqual(code, 0, click)

    def test_sign_in_page_reporting_hostile_ids_stores_nothing_until_a_good_id(self):
        self.not_first_start()
        self.suite.control("login_page", {"ids": HOSTILE_IDS + [GOOD_ID]})
        self.start()
        self.wait_main_window()
        self.suite.spy.click(MAINWND, "btn_log")
        view = self.suite.spy.wait(WKEDLG, name="wke_test", timeout_ms=30000)
        code, page = self.tool("wkespy.exe", "wait", "--id", "login%d" % len(HOSTILE_IDS), "--url-contains",
                               LOGIN_PAGE, "--timeout", "30000")
        self.assertEqual(code, 0, page)
        for index in range(len(HOSTILE_IDS)):
            self.press_on_page("login%d" % index if index else "login", view)
        # The page's calls run one after the other on the program's UI thread: once the good id
        # has signed in, every hostile one before it has been handled.
        self.press_on_page("login%d" % len(HOSTILE_IDS), view)
        self.suite.spy.wait_gone(WKEDLG, timeout=30)

        profiles = self.suite.requests(USER_DATA)
        self.assertEqual([dict(r["fields"])["u_id"] for r in profiles], [GOOD_ID, GOOD_ID],
                         "no profile request for a hostile id")
        self.assertTrue(all(r["sign_ok"] for r in profiles))
        settings_file = self.suite.data_dirs()[0] / "wconfig.ini"
        lines = settings_file.read_bytes().decode("gbk").splitlines()
        self.assertEqual([l for l in lines if l.startswith("[")], ["[App]"], lines)
        settings = self.settings()
        self.assertEqual(settings.get("userid"), GOOD_ID)
        self.assertEqual(settings.get("userdic"), GOOD_ID + ";")
        self.assertEqual(settings.get("fsi"), "1", "the keys around the id keep their values")

    def shell_opens(self):
        """Makes the shell's web-page opener record the addresses it is given; returns the record."""
        record = self.dir / "opened.txt"
        recorder = self.dir / "browser.sh"
        recorder.write_text("#!/bin/sh\nprintf '%s\\n' \"$@\" >> '" + str(record) + "'\n")
        recorder.chmod(0o755)
        self.wine_reg("add", "HKCU\\Software\\Wine\\WineBrowser", "/v", "Browsers", "/d", str(recorder), "/f")
        self.addCleanup(self.wine_reg, "delete", "HKCU\\Software\\Wine\\WineBrowser", "/v", "Browsers", "/f")
        return record

    def wine_reg(self, *args):
        subprocess.run([scenario_support.ARGS.wine_run, "--prefix", str(self.suite.prefix), "reg", *args],
                       stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=120)

    def open_customer_service(self, kfurl):
        """Starts the program with the service's customer-service switch, presses the button and
        returns what the shell opened, once the program is still there afterwards."""
        record = self.shell_opens()
        self.not_first_start()
        self.suite.reply(LOAD_INFO, {"errno": "1000", "res": {"OlVersion": "0", "LoadUrl": SWITCHES + ";kfurl:" + kfurl}})
        program = self.start()
        self.wait_main_window()
        self.suite.spy.click(MAINWND, "btn_consultation")
        opened = wait_for(lambda: record.exists() and record.read_text("utf-8").splitlines(), 60,
                          "the shell to open the customer-service page")
        self.assertIsNone(program.poll(), "the program survives")
        self.assertTrue(self.main_window_state()["hwnd"])
        return opened

    def test_customer_service_address_keeps_its_case(self):
        # The shell writes the host name in lower case: host names have no case.
        address = "https://service.example.com/Chat?robotShuntSwitch=1&GroupId=AbC:7"
        self.assertEqual(self.open_customer_service(address), [address])

    def test_customer_service_address_too_long_is_refused(self):
        address = "https://service.example.com/" + "a" * 5000
        self.assertEqual(self.open_customer_service(address), [DEFAULT_CUSTOMER_URL])


if __name__ == "__main__":
    run()

#!/usr/bin/env python3
"""The account: signing in through the web page, the account menu and signing out, the sign-in
asked for before a save, WM_USER+8, a sign-in page that cannot be loaded."""
import json

from scenario_support import (LOAD_INFO, LOGIN_PAGE, MAINWND, Scenario, TIP, TITLE, USERINFO, USER_DATA, USER_ID,
    USER_NAME, WKEDLG, WM_SHOW_LOGIN, run, wait_for)


class Account(Scenario):
    def name_extent(self):
        """How far the account area's name stands from the left of the account button, as drawn."""
        return self.suite.spy.find(MAINWND, "user_name")["rect"][0] - self.suite.spy.find(MAINWND, "btn_log")["client"][0]

    def test_signing_in_through_the_web_page(self):
        self.not_first_start()
        self.start()
        self.wait_main_window()
        self.assertEqual(self.suite.spy.find(MAINWND, "user_name")["text"], "未登录")
        self.assertEqual(self.name_extent(), 38, "the signed-out area's extent")
        self.assertEqual(self.suite.requests(USER_DATA), [], "no user id stored: no profile request")
        self.suite.spy.click(MAINWND, "btn_log")
        self.assertEqual(self.suite.spy.wait(WKEDLG, name="title_name", timeout_ms=30000)["text"], "登录")
        page = self.sign_in_on_page()
        self.assertIn("/" + LOGIN_PAGE + "?m_id=", page["url"])
        self.suite.spy.wait_gone(WKEDLG, timeout=30)
        name = self.suite.spy.find(MAINWND, "user_name")
        self.assertEqual(name["text"], USER_NAME)
        self.assertEqual(self.name_extent(), 65, "the signed-in area's extent")
        button = self.suite.spy.find(MAINWND, "btn_log")
        self.assertEqual(button["skin"], "btn_wechat_normal_imglist", "the skin of sign-in method 1")
        self.assertEqual(button["tip"], USER_NAME)
        settings = self.settings()
        self.assertEqual(settings.get("userid"), USER_ID)
        self.assertEqual(settings.get("userdic"), USER_ID + ";")
        logins = self.suite.requests(LOGIN_PAGE)
        self.assertEqual(len(logins), 1)
        profiles = self.suite.requests(USER_DATA)
        self.assertEqual(len(profiles), 2, "the notification's profile request and its refresh of the account area")
        self.assertTrue(all(dict(r["fields"])["u_id"] == USER_ID for r in profiles))
        self.assert_signed_requests(self.suite.requests(LOAD_INFO) + logins + profiles)

    def test_a_sign_in_page_that_cannot_be_loaded(self):
        """A user whose session the service no longer confirms presses the account button while the
        service is down, while its certificate is refused, and while its page refuses the signature:
        each time the dialog shows what the web engine shows, closes with its button, stores nothing
        and asks for no profile; with the service back the account button signs the user in."""
        cases = [
            # name, the services' control, what the page shows: its title and a piece of its text
            ("service down", ("account", {"listening": False}), "无法打开页面", "Couldn't connect to server"),
            ("certificate refused", ("account", {"certificate": "rogue"}), "无法打开页面",
             "SSL certificate problem"),
            ("bad signature", ("signing_key", {"path": LOGIN_PAGE, "key": "another key"}), "", "sign error"),
        ]
        signed_out = {"result_code": "0"}
        self.not_first_start("userid=" + USER_ID, "userdic=" + USER_ID + ";")
        self.suite.reply(USER_DATA, signed_out)
        self.start()
        self.wait_main_window()
        for name, (control, value), title, text in cases:
            # One case after another in the same program: a failure stops the loop, the case named.
            self.suite.reply(USER_DATA, signed_out)
            stored = {k: self.settings().get(k) for k in ("userid", "userdic")}
            self.suite.control(control, value)
            self.suite.spy.click(MAINWND, "btn_log")
            self.suite.spy.wait(WKEDLG, name="wke_test", timeout_ms=30000)
            profiles = len(self.suite.requests(USER_DATA))  # the press's own request is made by now
            code, page = self.tool("wkespy.exe", "wait", "--url-contains", LOGIN_PAGE, "--timeout", "30000")
            self.assertEqual(code, 0, (name, page))
            host = page[0]["host"]  # the window in which the view of the sign-in page draws
            code, shown = self.tool("wkespy.exe", "text", "--host", host)
            self.assertEqual(code, 0, (name, shown))
            self.assertEqual(shown[0]["title"], title, name)
            self.assertIn(text, shown[0]["text"], name)
            # That view answered that it has no such element (a tool that failed says otherwise).
            code, button = self.tool("wkespy.exe", "element", "--host", host, "--id", "login")
            self.assertEqual((code, [(r.get("host"), r.get("found")) for r in button]), (1, [(host, False)]),
                             "%s: a sign-in button, or no answer of the view: %r" % (name, button))
            self.assertEqual(self.suite.spy.find(WKEDLG, "title_name")["text"], "登录", name)
            self.assertTrue(self.suite.spy.find(WKEDLG, "wke_test")["visible"], name + ": the loaded page not shown")
            self.suite.spy.click(WKEDLG, "btn_close", post=True)
            self.suite.spy.wait_gone(WKEDLG, timeout=30)
            self.assertEqual({k: self.settings().get(k) for k in stored}, stored, name + ": something stored")
            self.assertEqual(len(self.suite.requests(USER_DATA)), profiles, name + ": a profile asked for")

            # The service back as it was: the press still finds the session ended, the page signs in.
            self.suite.control("reset", {})
            self.suite.control("reply", {"path": USER_DATA, "body": json.dumps(signed_out), "once": True})
            self.suite.spy.click(MAINWND, "btn_log")
            self.sign_in_on_page()
            self.suite.spy.wait_gone(WKEDLG, timeout=30)
            self.assertEqual(self.suite.spy.find(MAINWND, "user_name")["text"], USER_NAME, name)
            self.assertEqual(self.settings().get("userid"), USER_ID, name)

    def test_account_information_and_signing_out(self):
        self.not_first_start("userid=" + USER_ID, "userdic=" + USER_ID + ";")
        self.suite.reply(USER_DATA, {"result_code": "1", "u_name": USER_NAME, "login_method": "3"})
        self.start()
        self.wait_main_window()
        self.assertEqual(self.suite.spy.find(MAINWND, "user_name")["text"], USER_NAME)
        self.assertEqual(self.suite.spy.find(MAINWND, "btn_log")["skin"], "btn_phone_normal_imglist")
        self.assertEqual(self.choose_from_menu("btn_log", "账户信息"), ["账户信息", "退出登录"])
        nickname = self.suite.spy.wait(USERINFO, name="nickname", timeout_ms=30000)
        self.assertEqual(nickname["text"], "昵称      ： " + USER_NAME)
        self.assertEqual(self.suite.spy.find(USERINFO, "userid")["text"], "ID         ：" + USER_ID)
        self.suite.spy.click(USERINFO, "btn_close", post=True)
        self.suite.spy.wait_gone(USERINFO, timeout=30)
        infos_before = len(self.suite.requests(LOAD_INFO))
        self.choose_from_menu("btn_log", "退出登录")
        wait_for(lambda: self.settings().get("userid") == "", 30, "the user id cleared in the settings")
        wait_for(lambda: self.suite.spy.find(MAINWND, "user_name")["text"] == "未登录", 30, "the signed-out area")
        name = self.suite.spy.find(MAINWND, "user_name")
        self.assertEqual(name["tip"], "点击登录")
        button = self.suite.spy.find(MAINWND, "btn_log")
        self.assertEqual(button["skin"], "btn_log_imglist")
        self.assertEqual(button["tip"], USER_NAME, "the old name stays only as the button's tip")
        self.assertEqual(len(self.suite.requests(LOAD_INFO)), infos_before + 1, "the switches asked for again")
        self.assertEqual(self.settings().get("userdic"), USER_ID + ";", "the known ids stay")
        # Signed out, the account button offers the sign-in again.
        self.suite.spy.click(MAINWND, "btn_log")
        self.suite.spy.wait(WKEDLG, name="wke_test", timeout_ms=30000)

    def test_saving_asks_for_a_sign_in_first(self):
        self.not_first_start()
        pdf = self.pdf("保存 前.pdf")
        self.start(pdf)
        self.wait_main_window()
        self.wait_journal('opened "%s"' % pdf)

        # The prompt, declined.
        sender, mark = self.save()
        self.suite.spy.wait(TIP, name="pro_text", timeout_ms=30000)
        texts = {n: self.suite.spy.find(TIP, n)["text"] for n in ("title_name", "pro_text", "flush_str1", "btn_dir_ok",
                                                              "btn_dir_cancel")}
        self.assertEqual(texts, {"title_name": "提示", "pro_text": "是否登录账号？",
                                 "flush_str1": "需要登录账号才能执行保存操作！", "btn_dir_ok": "免费登录",
                                 "btn_dir_cancel": "取消"})
        self.suite.spy.click(TIP, "btn_dir_cancel", post=True)
        self.assert_save_stopped(sender, mark)

        # Accepted, then the sign-in dialog closed by the user.
        sender, mark = self.save()
        self.suite.spy.wait(TIP, name="btn_dir_ok", timeout_ms=30000)
        self.suite.spy.click(TIP, "btn_dir_ok", post=True)
        self.suite.spy.wait(WKEDLG, name="btn_close", timeout_ms=30000)
        self.suite.spy.click(WKEDLG, "btn_close", post=True)
        self.assert_save_stopped(sender, mark)

        # Accepted and signed in: the save goes on.
        sender, mark = self.save()
        self.suite.spy.wait(TIP, name="btn_dir_ok", timeout_ms=30000)
        self.suite.spy.click(TIP, "btn_dir_ok", post=True)
        self.sign_in_on_page()
        self.assert_saved(sender, mark, pdf)
        self.assertEqual(self.settings().get("userid"), USER_ID)

        # Signed in: no prompt at all (it would hold the sender until the time-out).
        sender, mark = self.save()
        self.assert_saved(sender, mark, pdf)

    def test_saving_without_the_sign_in_switch(self):
        self.not_first_start()
        self.suite.reply(LOAD_INFO, {"errno": "1000",
                                "res": {"OlVersion": "0", "LoadUrl": "dologin:0;编辑:1;阅读:1;转换:1"}})
        pdf = self.pdf("无需登录.pdf")
        self.start(pdf)
        self.wait_main_window()
        self.wait_journal('opened "%s"' % pdf)
        left, top, right, bottom = self.suite.spy.find(MAINWND, "btn_log")["rect"]
        self.assertEqual((right - left, bottom - top), (0, 0), "the account area is collapsed")
        sender, mark = self.save()
        self.assert_saved(sender, mark, pdf)

    def test_show_login_message_opens_the_sign_in_dialog(self):
        self.not_first_start()
        self.start()
        self.wait_main_window()
        sender = self.send("message", TITLE, str(WM_SHOW_LOGIN))
        self.assertEqual(self.suite.spy.wait(WKEDLG, name="title_name", timeout_ms=30000)["text"], "登录")
        self.wait_login_page()
        self.assert_signed_requests(self.suite.requests(LOGIN_PAGE))
        self.assertIsNone(sender.poll(), "the message is answered when the dialog ends")
        self.suite.spy.click(WKEDLG, "btn_close", post=True)
        self.assertEqual(sender.wait(30), 0)
        self.suite.spy.wait_gone(WKEDLG, timeout=30)
        self.assertNotIn("userid", self.settings())


if __name__ == "__main__":
    run()

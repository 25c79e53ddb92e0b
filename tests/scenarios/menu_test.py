#!/usr/bin/env python3
"""The main menu and the caption: the update check, with and without an update, and the converter."""
from scenario_support import LOAD_INFO, MAINWND, Scenario, TIP, run, wait_for


class MainMenu(Scenario):
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
        wait_for(lambda: not self.dialogs(), 30, "the message box gone")
        self.assertIsNone(program.poll())
        self.assertFalse((self.starts / "Updrell.starts.txt").exists())

    def test_update_from_the_main_menu_starts_the_updater_and_ends(self):
        self.not_first_start()
        self.suite.reply(LOAD_INFO, {"errno": "1000", "res": {"OlVersion": "328", "LoadUrl": "dologin:1"}})
        pdf = self.pdf("升级前.pdf")
        program = self.start(pdf)
        # The offer at start-up, declined: the program goes on.
        self.suite.spy.wait(TIP, name="btn_dir_cancel", timeout_ms=60000)
        self.assertEqual(self.suite.spy.find(TIP, "title_name")["text"], "更新")
        self.suite.spy.click(TIP, "btn_dir_cancel", post=True)
        self.wait_main_window()
        self.wait_journal("opened")
        self.choose_from_menu("btn_menu", "检查更新")
        self.suite.spy.wait(TIP, name="btn_dir_ok", timeout_ms=30000)
        self.assertEqual(self.suite.spy.find(TIP, "flush_str2")["text"], "2、优化程序,提升程序的运行效率；")
        self.assertEqual(self.suite.spy.find(TIP, "btn_dir_ok")["text"], "下载更新")
        self.assertFalse(self.dialogs(), "no system message box")
        self.suite.spy.click(TIP, "btn_dir_ok", post=True)
        self.assertEqual(program.wait(60), 0, "the main window destroyed, the process ends")
        path = self.starts / "Updrell.starts.txt"
        record = wait_for(lambda: path.exists() and path.read_text("utf-8"), 30, "the updater's record")
        self.assertEqual(record.count("[start]"), 1, record)
        self.assertIn("argument1=327\n", record)
        self.assertIn("argument2=220327001\n", record)
        self.assertNotIn("argument3=", record)
        self.assertTrue(record.split("program=")[1].split("\n")[0].endswith("\\bin\\Updrell.exe"), record)
        # The document closed before the window went.
        closing = [l for l in self.journal_lines() if l.startswith(("close ", "X.11("))]
        self.assertEqual(closing, ['close "%s"' % pdf, "X.11(0)"])

    def test_the_convert_button_starts_the_converter(self):
        self.assertTrue((self.suite.bin / "convert" / "Transvera.exe").exists())
        self.not_first_start()
        program = self.start()
        self.wait_main_window()
        self.assertTrue(self.suite.spy.find(MAINWND, "btn_convert")["visible"], "switched on by the service")
        self.suite.spy.click(MAINWND, "btn_convert")
        path = self.starts / "Transvera.starts.txt"
        record = wait_for(lambda: path.exists() and path.read_text("utf-8"), 30, "the converter's record")
        self.assertEqual(record.count("[start]"), 1, record)
        self.assertTrue(record.split("program=")[1].split("\n")[0].endswith("\\bin\\convert\\Transvera.exe"), record)
        self.assertNotIn("argument1=", record, "started without parameters")
        self.assertIn("show=5\n", record, "SW_SHOW")
        self.assertIsNone(program.poll())


if __name__ == "__main__":
    run()

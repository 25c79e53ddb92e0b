#!/usr/bin/env python3
"""Roads of the start-up: an updater that cannot be started after an accepted offer (at start-up
and from the main menu), the missing crash library, and every frame state other than "max"."""
import shutil
import signal

import scenario_support
from scenario_support import LOAD_INFO, MAINWND, Scenario, TIP, TITLE, run, wait_for
from souispy import SpyError

UPDATE = {"errno": "1000", "res": {"OlVersion": "328", "LoadUrl": "dologin:1"}}
UPDATER_NOT_STARTED = "无法启动升级程序！"


class Roads(Scenario):
    def without(self, name):
        """The program's folder without `name` for this scenario."""
        present, hidden = self.suite.bin / name, self.dir / name
        shutil.move(present, hidden)
        self.addCleanup(shutil.move, hidden, present)

    def tip_text(self):
        try:
            return self.suite.spy.find(TIP, "pro_text")["text"]
        except SpyError:
            return None

    def accept_offer_and_expect_the_notice(self):
        self.suite.spy.wait(TIP, name="btn_dir_ok", timeout_ms=60000)
        self.assertEqual(self.suite.spy.find(TIP, "title_name")["text"], "更新")
        self.suite.spy.click(TIP, "btn_dir_ok", post=True)
        wait_for(lambda: self.tip_text() == UPDATER_NOT_STARTED, 30, "the notice that the updater did not start")
        self.assertEqual(self.suite.spy.find(TIP, "title_name")["text"], "提示")
        self.assertEqual(self.suite.spy.find(TIP, "btn_dir_ok")["text"], "确定")
        self.assertEqual(self.suite.spy.find(TIP, "btn_dir_cancel")["text"], "取消")
        self.suite.spy.click(TIP, "btn_dir_ok", post=True)
        self.suite.spy.wait_gone(TIP, timeout=30)

    def test_a_missing_updater_at_start_up_is_reported_and_the_main_window_follows(self):
        self.ensure_prefix()
        self.not_first_start()
        self.without("Updrell.exe")
        self.suite.reply(LOAD_INFO, UPDATE)
        program = self.start()
        self.accept_offer_and_expect_the_notice()
        self.wait_main_window()
        self.assertTrue(self.main_window_state()["visible"])
        self.assertIsNone(program.poll())

    def test_a_missing_updater_from_the_main_menu_is_reported_and_the_program_goes_on(self):
        self.not_first_start()
        self.without("Updrell.exe")
        self.suite.reply(LOAD_INFO, UPDATE)
        pdf = self.pdf("升级.pdf")
        program = self.start(pdf)
        self.suite.spy.wait(TIP, name="btn_dir_cancel", timeout_ms=60000)
        self.suite.spy.click(TIP, "btn_dir_cancel", post=True)
        self.wait_main_window()
        self.wait_journal("opened")
        self.choose_from_menu("btn_menu", "检查更新")
        self.accept_offer_and_expect_the_notice()
        self.settled()
        self.assertIsNone(program.poll())
        self.assertTrue(self.main_window_state()["visible"])
        # The document closed before the updater was tried; the engine heard of no exit.
        lines = self.journal_lines()
        self.assertIn('close "%s"' % pdf, lines)
        self.assertFalse(any(l.startswith("X.11(") for l in lines), lines)

    def test_without_the_crash_library_one_box_then_a_normal_start(self):
        self.not_first_start()
        self.without("crashkeep.dll")
        program = self.start()
        box = self.message_box("提示")
        self.assertEqual(box["texts"], "无法加载DLL,crashkeep.dll")
        self.assertEqual(box["owner"], "0x00000000")
        self.assertEqual(box["buttons"], "1:确定")
        self.assertEqual(len(self.dialogs()), 1)
        self.assertFalse(self.suite.requests(LOAD_INFO), "the start-up waits for the box")
        self.assertEqual(self.tool("scenario_send.exe", "press", box["hwnd"], "1")[0], 0)
        self.wait_main_window()
        self.assertTrue(self.suite.requests(LOAD_INFO))
        self.assertFalse(self.dialogs(), "one box only")
        self.assertIsNone(program.poll())

    def test_only_the_exact_frame_state_max_shows_the_main_window_maximised(self):
        for value, zoomed in (("max", "1"), ("MAX", "0"), ("normal", "0"), ("", "0"), ("maximized", "0")):
            with self.subTest(frameState=value):
                signal.alarm(scenario_support.TIME_LIMIT)  # a start each
                self.suite.end_processes()
                self.not_first_start("frameState=" + value)
                self.start()
                self.wait_main_window()
                state = self.main_window_state()
                self.assertEqual((state["visible"], state["zoomed"]), (True, zoomed))
                self.assertEqual(self.suite.spy.find(MAINWND, "btn_restore")["visible"], zoomed == "1")


if __name__ == "__main__":
    run()

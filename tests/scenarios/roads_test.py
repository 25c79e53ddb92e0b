#!/usr/bin/env python3
"""Roads of the start-up: an updater that cannot be started after the offer at start-up was
accepted (from the main menu: closing_test), the missing crash library, and every frame state other
than "max"."""
import signal

import scenario_support
from scenario_support import LOAD_INFO, MAINWND, TIP, UPDATE_OFFER, Scenario, run


class Roads(Scenario):
    def test_a_missing_updater_at_start_up_is_reported_and_the_main_window_follows(self):
        self.ensure_prefix()
        self.not_first_start()
        self.without("Updrell.exe")
        self.suite.reply(LOAD_INFO, UPDATE_OFFER)
        program = self.start()
        self.suite.spy.wait(TIP, name="btn_dir_ok", timeout_ms=60000)
        self.assertEqual(self.suite.spy.find(TIP, "title_name")["text"], "更新")
        self.suite.spy.click(TIP, "btn_dir_ok", post=True)
        self.close_updater_notice()
        self.wait_main_window()
        self.assertTrue(self.main_window_state()["visible"])
        self.assertIsNone(program.poll())

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

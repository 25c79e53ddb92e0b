#!/usr/bin/env python3
"""Start-up: the accepted update offer, the guide tour of the first start, the frame state kept
across starts."""
import json

from scenario_support import (GUIDE, MAINWND, SC_MAXIMIZE, SC_MINIMIZE, Scenario, TIP, TITLE, WM_SYSCOMMAND, run,
    wait_for)


class StartUp(Scenario):
    def root_margin(self):
        """The main window's root margin as drawn: its client rectangle inside its rectangle."""
        root = self.suite.spy.find(MAINWND, "root")
        (left, top, right, bottom), (c_left, c_top, c_right, c_bottom) = root["rect"], root["client"]
        return c_left - left, c_top - top, right - c_right, bottom - c_bottom

    def test_accepted_update_starts_the_updater_and_no_main_window(self):
        self.ensure_prefix()
        self.not_first_start()
        self.suite.control("reply", {"path": "Index/UserLogin/DoLoadInfo", "body": json.dumps(
            {"errno": "1000", "res": {"OlVersion": "999", "LoadUrl": "dologin:1"}})})
        program = self.start()
        ok = self.suite.spy.wait(TIP, name="btn_dir_ok", timeout_ms=90000)
        self.assertEqual(ok["text"], "下载更新")
        self.assertEqual(self.suite.spy.find(TIP, "flush_str2")["text"], "2、增加深度扫描恢复的文件类型；")
        self.suite.spy.click(TIP, "btn_dir_ok")
        self.assertEqual(program.wait(90), 0)
        record = wait_for(lambda: (self.starts / "Updrell.starts.txt").exists() and
                          (self.starts / "Updrell.starts.txt").read_text("utf-8"), 30, "the updater's record")
        self.assertIn("argument1=327\n", record)
        self.assertIn("argument2=220327001\n", record)
        self.assertIn("show=1\n", record, "SW_SHOWNORMAL")
        self.assertFalse(any("C.101" in line for line in self.journal_lines()), "the control was never set up")

    def test_the_first_start_shows_the_guide(self):
        self.ensure_prefix()
        program = self.start()
        start = self.suite.spy.wait(GUIDE, name="btn_start", timeout_ms=90000)
        self.assertTrue(start["visible"])
        self.assertEqual(self.settings().get("fsi"), "1")
        self.suite.spy.click(GUIDE, "btn_close")
        self.suite.spy.wait(GUIDE, name="btn_end", timeout_ms=30000)
        self.suite.spy.click(GUIDE, "btn_end")
        self.suite.spy.wait_gone(GUIDE, timeout=30)
        self.wait_main_window()
        self.assertIsNone(program.poll())

    def test_the_frame_state_is_kept_across_starts(self):
        self.not_first_start()
        program = self.start()
        self.wait_main_window()
        self.assertEqual(self.main_window_state()["zoomed"], "0")
        code, _ = self.tool("scenario_send.exe", "message", TITLE, str(WM_SYSCOMMAND), str(SC_MAXIMIZE))
        self.assertEqual(code, 0)
        self.assertEqual(self.main_window_state()["zoomed"], "1")
        self.assertEqual(self.settings().get("frameState"), "max")
        self.assertTrue(self.suite.spy.find(MAINWND, "btn_restore")["visible"])
        self.assertFalse(self.suite.spy.find(MAINWND, "btn_max")["visible"])
        self.assertEqual(self.root_margin(), (7, 5, 7, 5), "the maximised window's border")
        self.suite.spy.click(MAINWND, "btn_close")
        self.assertEqual(program.wait(60), 0)

        program = self.start()
        self.wait_main_window()
        self.assertEqual(self.main_window_state()["zoomed"], "1", "shown maximised as the settings say")
        self.assertEqual(self.root_margin(), (7, 5, 7, 5))
        self.suite.spy.click(MAINWND, "btn_restore")
        wait_for(lambda: self.settings().get("frameState") == "normal", 30, "frameState=normal")
        self.assertEqual(self.root_margin(), (0, 0, 0, 0), "the restored window has no border")
        self.assertEqual(self.main_window_state()["zoomed"], "0")
        self.assertTrue(self.suite.spy.find(MAINWND, "btn_max")["visible"])
        self.assertFalse(self.suite.spy.find(MAINWND, "btn_restore")["visible"])
        # Minimising leaves the frame state alone.
        self.tool("scenario_send.exe", "message", TITLE, str(WM_SYSCOMMAND), str(SC_MINIMIZE))
        self.assertEqual(self.main_window_state()["iconic"], "1")
        self.assertEqual(self.settings().get("frameState"), "normal")


if __name__ == "__main__":
    run()

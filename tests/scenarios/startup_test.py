#!/usr/bin/env python3
"""Start-up: the accepted update offer, the guide tour of the first start, the caption's minimise,
maximise and restore buttons and the frame state kept across starts."""
import json

from scenario_support import GUIDE, MAINWND, Scenario, TIP, TITLE, WM_SYSCOMMAND, run, wait_for

SC_RESTORE = 0xF120


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
        self.suite.spy.wait(GUIDE, name="btn_start", timeout_ms=90000)
        self.assertEqual(self.settings().get("fsi"), "1")
        self.suite.spy.click(GUIDE, "btn_close")
        self.suite.spy.wait(GUIDE, name="btn_end", timeout_ms=30000)
        self.suite.spy.click(GUIDE, "btn_end")
        self.suite.spy.wait_gone(GUIDE, timeout=30)
        self.wait_main_window()
        self.assertIsNone(program.poll())

    def test_the_caption_buttons_and_the_frame_state_kept_across_starts(self):
        """Maximise, minimise and restore pressed on the caption with real clicks: the frame state
        each leaves in the settings, what the window and its caption show, and the next start."""
        def shows(zoomed, iconic, frame_state):
            wait_for(lambda: (self.main_window_state()["zoomed"], self.main_window_state()["iconic"]) == (
                str(zoomed), str(iconic)), 30, "zoomed=%d iconic=%d" % (zoomed, iconic))
            self.settled()  # the click's size handling is over by then
            self.assertEqual(self.settings().get("frameState"), frame_state)
            # The caption offers the other of the two, also while minimised.
            maximised = frame_state == "max"
            self.assertEqual(self.suite.spy.find(MAINWND, "btn_max")["visible"], not maximised)
            self.assertEqual(self.suite.spy.find(MAINWND, "btn_restore")["visible"], maximised)
            if not iconic:
                # The root's margin as drawn: a border around the maximised window only.
                self.assertEqual(self.root_margin(), (7, 5, 7, 5) if zoomed else (0, 0, 0, 0))

        # Without a window manager there is no taskbar, and a minimised window keeps no caption to
        # click: it is restored as the shell restores it, with WM_SYSCOMMAND SC_RESTORE.
        def restore_as_the_shell_does():
            code, _ = self.tool("scenario_send.exe", "message", TITLE, str(WM_SYSCOMMAND), str(SC_RESTORE))
            self.assertEqual(code, 0)

        self.not_first_start()
        program = self.start()
        self.wait_main_window()
        self.assertEqual(self.main_window_state()["zoomed"], "0")
        self.assertNotIn("frameState", self.settings(), "nothing written before the first press")
        self.suite.spy.click(MAINWND, "btn_max")
        shows(zoomed=1, iconic=0, frame_state="max")
        self.suite.spy.click(MAINWND, "btn_min")
        shows(zoomed=0, iconic=1, frame_state="max")  # a minimised window is not zoomed
        restore_as_the_shell_does()
        shows(zoomed=1, iconic=0, frame_state="max")
        self.suite.spy.click(MAINWND, "btn_close")
        self.assertEqual(program.wait(60), 0)

        program = self.start()
        self.wait_main_window()
        shows(zoomed=1, iconic=0, frame_state="max")  # shown maximised as the settings say
        self.suite.spy.click(MAINWND, "btn_restore")
        shows(zoomed=0, iconic=0, frame_state="normal")
        self.suite.spy.click(MAINWND, "btn_min")
        shows(zoomed=0, iconic=1, frame_state="normal")
        restore_as_the_shell_does()
        shows(zoomed=0, iconic=0, frame_state="normal")


if __name__ == "__main__":
    run()

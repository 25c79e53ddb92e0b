#!/usr/bin/env python3
"""Second launches that wait long: one queued behind a hand-off that the running instance keeps in
a question for longer than a minute keeps its place and is delivered afterwards; one whose running
instance takes no message tells the user, takes its text back out of the settings and ends with a
non-zero code, and nothing of it opens when that instance answers again."""
import signal
import time

from handoff_support import HandOffScenario
from scenario_support import LOAD_INFO, TITLE, run, wait_for, windows_path

QUEUED_WAIT = 70  # seconds a launch is kept waiting for its turn, beyond the former bound of 60
ANSWER_WAIT = 45  # seconds a running instance may leave a hand-off untaken


class HandOffWaits(HandOffScenario):
    def test_a_queued_launch_keeps_its_place_behind_a_long_question(self):
        signal.alarm(QUEUED_WAIT + 150)
        self.not_first_start()
        first = self.start()
        self.wait_main_window()
        damaged = self.damaged_pdf("损坏 文件.pdf")
        asking = self.start(damaged)
        box = self.repair_question("损坏 文件.pdf")
        pdf = self.pdf("排队 等候.pdf")
        queued = self.start(pdf)
        wait_for(lambda: len(self.suite.requests(LOAD_INFO)) >= 3, 60, "the queued launch's start-up request")
        time.sleep(QUEUED_WAIT)
        self.assertIsNone(queued.poll(), "it keeps its place")
        self.assertIsNone(asking.poll())
        self.assertFalse(self.opened(pdf))
        self.answer_repair(box)
        self.assertEqual(asking.wait(60), 0)
        self.assertEqual(queued.wait(60), 0)
        self.assert_each_opened_once([damaged, pdf])
        self.assertEqual(self.settings().get("openDocPath"), "")
        self.assertIsNone(first.poll())

    def test_a_running_instance_that_does_not_answer_is_told_and_nothing_opens_later(self):
        signal.alarm(ANSWER_WAIT + 150)
        self.not_first_start()
        first = self.start()
        self.wait_main_window()
        resume = self.dir / "resume"
        suspender, out = self.background_send("suspend", TITLE, windows_path(resume))
        self.assertIn("suspended=1", self.background_output(out, "suspended=", "the main window's thread suspended"))
        pdf = self.pdf("无 响应.pdf")
        launch = self.start(pdf)
        wait_for(lambda: len(self.suite.requests(LOAD_INFO)) >= 2, 60, "the launch's start-up request")
        time.sleep(ANSWER_WAIT / 2)
        self.assertIsNone(launch.poll(), "it waits for an answer")
        self.not_handed_over_prompt("正在运行的程序没有响应。", ANSWER_WAIT + 30)
        self.assertEqual(launch.wait(30), 1)
        self.assertEqual(self.settings().get("openDocPath"), "", "its text was taken back")

        resume.write_text("")
        self.assertEqual(suspender.wait(30), 0)
        self.settled()  # what the launch sent has been handled by now
        self.assertFalse([line for line in self.journal_lines() if "open" in line])
        self.assertIsNone(first.poll())
        # It answers again: the next launch is delivered.
        other = self.pdf("恢复 以后.pdf")
        self.assertEqual(self.start(other).wait(120), 0)
        self.assert_each_opened_once([other])
        self.assertEqual(self.opened(pdf), 0)


if __name__ == "__main__":
    run()

#!/usr/bin/env python3
"""Second launches that wait long, each scenario a CTest entry of its own so that they run side by
side: one queued behind a hand-off that the running instance keeps in a question for longer than a
minute keeps its place and is delivered afterwards; one whose running instance takes no message
tells the user, takes its text back out of the settings and ends with a non-zero code, and nothing
of it opens when that instance answers again; one whose running instance hangs in its handler
after it took the text tells the user, as do the launches queued behind it, whose documents the
hung instance never gets."""
import signal
import time

from handoff_support import BOUND_MARGIN, NOT_ANSWERING, HandOffScenario
from scenario_support import TITLE, run, wait_for, windows_path

QUEUED_WAIT = 70  # seconds a launch is kept waiting for its turn, beyond the former bound of 60
ANSWER_WAIT = 45  # seconds a running instance may take no message


class QueuedBehindAQuestion(HandOffScenario):
    def test_a_queued_launch_keeps_its_place_behind_a_long_question(self):
        signal.alarm(QUEUED_WAIT + 150)
        self.not_first_start()
        first = self.start()
        self.wait_main_window()
        damaged = self.damaged_pdf("损坏 文件.pdf")
        asking = self.start(damaged)
        box = self.repair_question("损坏 文件.pdf")
        debug_output = self.listen_to_debug_output(QUEUED_WAIT + 60)
        pdf = self.pdf("排队 等候.pdf")
        queued = self.start(pdf)
        self.wait_turn_waiters(debug_output, 1)
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


class SuspendedInstance(HandOffScenario):
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
        self.assert_told_after_bound(launch, self.start_up_asked(2), ANSWER_WAIT)
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


class HungHandler(HandOffScenario):
    def test_an_instance_that_hangs_after_it_took_the_text_is_told_and_keeps_the_queued_documents_out(self):
        signal.alarm(ANSWER_WAIT + 180)
        self.not_first_start()
        held = self.pdf("网络 共享.pdf")  # the control's thread is held while it opens this one
        first = self.start(extra_env={"BRAVIK_PDFCONTROL_HOLD_OPEN": held})
        self.wait_main_window()
        taken = self.start(held)
        taken_asked = self.start_up_asked(2)
        self.wait_journal('holding "%s"' % held)
        self.assertEqual(self.settings().get("openDocPath"), "", "the hung instance took the text")
        debug_output = self.listen_to_debug_output(ANSWER_WAIT + 60)
        # Some seconds later, so that the two prompts come one after the other.
        time.sleep(max(0.0, taken_asked + 10 - time.monotonic()))
        queued_pdf = self.pdf("排队 文档.pdf")
        queued = self.start(queued_pdf)
        queued_asked = self.start_up_asked(3)
        self.wait_turn_waiters(debug_output, 1)

        self.assert_prompted_after_bound(taken, taken_asked, ANSWER_WAIT)
        # The turn is the queued launch's now, but the window has not answered in it: nothing of the
        # launch reaches the key, and its prompt is not there before a bound of its own.
        while time.monotonic() < queued_asked + ANSWER_WAIT - BOUND_MARGIN:
            self.assertEqual(self.settings().get("openDocPath"), "", "the queued launch's text reached the key")
            time.sleep(0.5)
        self.assertIsNone(queued.poll(), "the queued launch waits")
        self.assertEqual(self.prompts_shown(), 1, "the queued launch waits out a bound of its own")
        wait_for(lambda: self.prompts_shown() == 2, 30, "the queued launch's prompt")
        for left in (1, 0):  # whichever prompt is above
            self.not_handed_over_prompt(NOT_ANSWERING, 60)
            wait_for(lambda: self.prompts_shown() == left, 30, "the prompt closed")
        self.assertEqual([taken.wait(30), queued.wait(30)], [1, 1])
        self.assertEqual(self.settings().get("openDocPath"), "", "nothing of the queued launch is in the key")

        # It recovers: the document it had taken opens, the queued one does not.
        (self.docs / "网络 共享.pdf.release").write_text("")
        self.wait_journal('held "%s"' % held)
        self.settled()
        self.assert_each_opened_once([held])
        self.assertEqual(self.opened(queued_pdf), 0)
        self.assertIsNone(first.poll())
        self.assertEqual(self.start(queued_pdf).wait(120), 0, "the next launch is delivered")
        self.assert_each_opened_once([held, queued_pdf])


if __name__ == "__main__":
    run()

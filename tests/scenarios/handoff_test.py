#!/usr/bin/env python3
"""Second launches: the command line handed to the running instance opens with its exact names,
launches at the same moment all open, a launch while the first instance is still starting waits
for its main window, only that window receives the hand-off (not another program's window with
the title), a launch that finds no window tells the user after a bounded wait, one whose instance
ended goes on as the first instance, and one that cannot write the settings file hands its paths
over one by one."""
import json
import signal
import time

from handoff_support import HandOffScenario
from scenario_support import LOAD_INFO, TITLE, USER_DATA, USER_ID, USER_NAME, run, wait_for, windows_path

NAMES = ["한국어 문서.pdf", "ภาษาไทย.pdf", "ß straße.pdf", "100% done.pdf", "two  blanks @@ x=[1].pdf",
         "表情 \U0001F600.pdf"]
MAIN_WINDOW_WAIT = 60  # seconds a launch waits for the running instance's main window


class HandOff(HandOffScenario):
    def test_second_launches_hand_over_their_exact_names(self):
        self.ensure_prefix()
        self.not_first_start()
        first_pdf = self.plain_pdf("第一个.pdf")
        first = self.start(first_pdf)  # as a console passes a path without blanks
        self.wait_main_window()
        self.assert_each_opened_once([first_pdf])

        single = self.pdf("a@b.pdf")
        listed = [self.pdf(name) for name in NAMES]
        unquoted = [self.plain_pdf("第二个@%.pdf"), self.plain_pdf("第三个.pdf")]
        for arguments in ([single], ["".join(p + ";" for p in listed)], ["".join(p + ";" for p in unquoted)]):
            self.assertEqual(self.start(*arguments).wait(120), 0)
        pdfs = [first_pdf, single] + listed + unquoted
        self.assert_each_opened_once(pdfs)
        self.assertEqual(sum('opened "' in line for line in self.journal_lines()), len(pdfs))
        self.assertEqual(self.settings().get("openDocPath"), "", "emptied by the first instance")
        self.assertIsNone(first.poll(), "the first instance goes on")
        self.assertGreaterEqual(len(self.suite.requests(LOAD_INFO)), 4,
                                "each launch asked for the start-up information")

    def test_launches_at_the_same_moment_all_open_in_the_main_window_only(self):
        self.not_first_start()
        self.start()
        self.wait_main_window()
        # Another program's window with the title, above the main window.
        other, out = self.background_send("title-window", TITLE, "25")
        wait_for(lambda: "hwnd=" in out.read_text("utf-8"), 30, "the other window")
        pdfs = [self.pdf("同时 %d.pdf" % i) for i in range(4)]
        launches = [self.start(pdf) for pdf in pdfs]
        self.assertEqual([launch.wait(150) for launch in launches], [0] * 4)
        self.assert_each_opened_once(pdfs)
        self.assertEqual(self.settings().get("openDocPath"), "")
        self.assertIsNone(other.poll(), "the other window was there all the time")
        self.assertEqual(other.wait(60), 0, "the other window received no hand-off")

    def test_a_launch_while_the_first_instance_starts_opens_once_its_window_is_there(self):
        self.not_first_start("userid=" + USER_ID)
        profile = json.dumps({"result_code": "1", "u_name": USER_NAME, "login_method": "1"}, ensure_ascii=False)
        # The main window's own profile request, made while the window is built and before it is
        # shown, is held back; the start-up's request before it is answered at once.
        hold_back = 8
        self.suite.control("reply", {"path": USER_DATA, "body": profile, "once": True})
        self.suite.control("reply", {"path": USER_DATA, "body": profile, "once": True, "delay": hold_back})
        first = self.start()
        held = wait_for(lambda: self.suite.requests(USER_DATA)[1:2], 90, "the main window's profile request")[0]
        pdf = self.pdf("启动 期间.pdf")
        second = self.start(pdf)
        self.assertEqual(second.wait(120), 0)
        self.assert_each_opened_once([pdf])
        self.assertLess(self.suite.requests(LOAD_INFO)[-1]["time"], held["time"] + hold_back - 1,
                        "the second launch was up before the first one's main window")
        self.assertEqual(self.settings().get("openDocPath"), "")
        self.assertIsNone(first.poll())

    def test_a_waiting_launch_goes_on_as_the_first_instance_when_the_starting_one_ends(self):
        self.not_first_start()
        holder = self.hold_instance(20)
        pdf = self.pdf("已 退出.pdf")
        launch = self.start(pdf)
        wait_for(lambda: self.suite.requests(LOAD_INFO), 60, "the launch's start-up request")
        self.assertIsNone(holder.poll(), "the launch reached the instance while it was starting")
        time.sleep(3)
        self.assertIsNone(launch.poll(), "it waits for a main window")
        self.assertFalse(self.journal_lines(), "nothing opened yet")
        self.assertEqual(holder.wait(60), 0)
        self.wait_main_window()
        self.assert_each_opened_once([pdf])
        self.assertIsNone(launch.poll(), "it runs as the first instance")
        # Now the first instance, it takes the next launch's documents.
        other = self.pdf("下一个.pdf")
        self.assertEqual(self.start(other).wait(120), 0)
        self.assert_each_opened_once([pdf, other])

    def test_launches_waiting_on_an_ending_instance_go_on_with_one_of_them_as_the_first(self):
        signal.alarm(150)
        self.not_first_start()
        self.start()
        self.wait_main_window()
        damaged = self.damaged_pdf("损坏.pdf")
        asking = self.start(damaged)  # its hand-off stops in the control's question
        self.repair_question("损坏.pdf")
        debug_output = self.listen_to_debug_output(120)
        pdfs = [self.pdf("等候 %d.pdf" % i) for i in range(2)]
        waiting = [self.start(pdf) for pdf in pdfs]
        self.wait_turn_waiters(debug_output, 2)
        self.assertEqual(self.tool("scenario_send.exe", "terminate", TITLE)[0], 0)  # End task
        # One of the three owns the instance now; the damaged document is asked about again there.
        self.answer_repair(self.repair_question("损坏.pdf"))
        self.assert_each_opened_once([damaged] + pdfs)
        launches = [asking] + waiting
        wait_for(lambda: sum(l.poll() is None for l in launches) == 1, 60, "the others handed over")
        self.assertEqual(sorted(l.poll() for l in launches if l.poll() is not None), [0, 0])
        self.assertEqual(self.main_window_state()["visible"], 1)
        self.assertEqual(self.settings().get("openDocPath"), "")

    def test_a_settings_file_held_open_hands_the_paths_over_one_by_one(self):
        self.not_first_start()
        first_pdf = self.pdf("第一个.pdf")
        self.start(first_pdf)
        self.wait_main_window()
        self.assert_each_opened_once([first_pdf])
        settings = self.suite.data_dirs()[0] / "wconfig.ini"
        holder, out = self.background_send("hold-file", windows_path(settings), "40")
        self.assertIn("held=1", self.background_output(out, "held=", "the settings file held"))
        listed = [self.pdf("逐个 %d.pdf" % i) for i in range(3)]
        mark = self.journal_mark()
        launch = self.start("".join(p + ";" for p in listed))
        self.assertEqual(launch.wait(120), 0)
        self.assertIsNone(holder.poll(), "the file was held all the time")
        opened = [l for l in self.journal_since(mark) if l.startswith("opened ")]
        self.assertEqual(opened, ['opened "%s": 1 pages' % p for p in reversed(listed)], "in the list's order")
        self.assertEqual(holder.wait(60), 0)
        self.assertEqual(self.settings().get("openDocPath"), "")


class WithoutAMainWindow(HandOffScenario):
    """Its own CTest entry: it waits out the bound for a main window."""

    def test_a_launch_tells_the_user_after_its_bounded_wait(self):
        signal.alarm(MAIN_WINDOW_WAIT + 120)
        self.not_first_start()
        holder = self.hold_instance(MAIN_WINDOW_WAIT + 90)
        launch = self.start(self.pdf("无人 接收.pdf"))
        self.assert_told_after_bound(launch, self.start_up_asked(1), MAIN_WINDOW_WAIT)
        self.assertIsNone(holder.poll(), "it ended by itself while the instance was still starting")
        self.assertFalse([line for line in self.journal_lines() if "open" in line])
        self.assertEqual(self.settings().get("openDocPath"), "")


if __name__ == "__main__":
    run()

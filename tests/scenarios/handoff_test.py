#!/usr/bin/env python3
"""Second launches: the command line handed to the running instance opens with its exact names,
launches at the same moment all open, a launch while the first instance is still starting waits
for its main window, only that window receives the hand-off (not the guide tour, not another
program's window with the title), and a launch that finds no window ends after a bounded wait."""
import json
import signal
import subprocess
import time

import scenario_support
from sample_pdf import sample_pdf
from scenario_support import (GUIDE, LOAD_INFO, TITLE, USER_DATA, USER_ID, USER_NAME, Scenario, run, wait_for,
    windows_path)

NAMES = ["한국어 문서.pdf", "ภาษาไทย.pdf", "ß straße.pdf", "100% done.pdf", "two  blanks @@ x=[1].pdf",
         "表情 \U0001F600.pdf"]
MAIN_WINDOW_WAIT = 60  # seconds a launch waits for the running instance's main window


class HandOff(Scenario):
    def background_send(self, *args):
        """scenario_send in the background with its output in a file: (the process, the file)."""
        out = self.dir / ("send-%d.txt" % len(self.processes))
        with out.open("wb") as sink:
            process = subprocess.Popen([scenario_support.ARGS.wine_run, "--prefix", str(self.suite.prefix),
                                        str(self.suite.bin / "scenario_send.exe"), *args],
                                       stdin=subprocess.DEVNULL, stdout=sink, stderr=subprocess.DEVNULL)
        self.processes.append(process)
        return process, out

    def hold_instance(self, seconds):
        """A process that owns the instance mutex and has no main window, as a first instance
        that is still starting."""
        holder, out = self.background_send("hold-instance", str(seconds))
        wait_for(lambda: "owned=" in out.read_text("utf-8"), 60, "the instance mutex held")
        self.assertIn("owned=1", out.read_text("utf-8"))
        return holder

    def plain_pdf(self, name):
        """A PDF whose path has no blank, so Wine passes it without quotation marks."""
        folder = self.dir / "无空格"
        folder.mkdir(exist_ok=True)
        path = folder / name
        self.assertNotIn(" ", str(path))
        path.write_bytes(sample_pdf(1))
        return windows_path(path)

    def opened(self, pdf):
        return sum(line.startswith('opened "%s":' % pdf) for line in self.journal_lines())

    def assert_each_opened_once(self, pdfs):
        wait_for(lambda: all(self.opened(p) for p in pdfs), 60,
                 "%r opened; journal: %r" % (pdfs, self.journal_lines()[-20:]))
        self.assertEqual([self.opened(p) for p in pdfs], [1] * len(pdfs), self.journal_lines()[-30:])

    def assert_nothing_handed_over(self, launch):
        self.assertEqual(launch.wait(30), 0)
        self.assertFalse([line for line in self.journal_lines() if "open" in line])
        self.assertEqual(self.settings().get("openDocPath"), "")

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

    def test_a_launch_during_the_guide_tour_reaches_the_main_window(self):
        self.ensure_prefix()
        first = self.start()  # the first start shows the guide tour over the main window
        self.suite.spy.wait(GUIDE, name="btn_start", timeout_ms=90000)
        pdf = self.pdf("导览 期间.pdf")
        self.assertEqual(self.start(pdf).wait(120), 0)
        self.assert_each_opened_once([pdf])
        self.assertEqual(self.settings().get("openDocPath"), "")
        self.suite.spy.find(GUIDE, "btn_start")  # the guide tour goes on
        self.assertIsNone(first.poll())

    def test_without_a_main_window_a_launch_ends_after_its_bounded_wait(self):
        signal.alarm(MAIN_WINDOW_WAIT + 120)
        self.not_first_start()
        holder = self.hold_instance(MAIN_WINDOW_WAIT + 90)
        launch = self.start(self.pdf("无人 接收.pdf"))
        wait_for(lambda: self.suite.requests(LOAD_INFO), 60, "the launch's start-up request")
        time.sleep(MAIN_WINDOW_WAIT / 3)
        self.assertIsNone(launch.poll(), "it waits for a main window")
        self.assertEqual(launch.wait(MAIN_WINDOW_WAIT + 30), 0)
        self.assertIsNone(holder.poll(), "it ended by itself while the instance was still starting")
        self.assert_nothing_handed_over(launch)

    def test_a_waiting_launch_stops_when_the_starting_instance_ends(self):
        self.not_first_start()
        holder = self.hold_instance(20)
        launch = self.start(self.pdf("已 退出.pdf"))
        wait_for(lambda: self.suite.requests(LOAD_INFO), 60, "the launch's start-up request")
        self.assertIsNone(holder.poll(), "the launch reached the instance while it was starting")
        time.sleep(3)
        self.assertIsNone(launch.poll(), "it waits for a main window")
        self.assertEqual(holder.wait(60), 0)
        self.assertEqual(launch.wait(MAIN_WINDOW_WAIT / 2), 0, "it stopped waiting once the instance had gone")
        self.assert_nothing_handed_over(launch)


if __name__ == "__main__":
    run()

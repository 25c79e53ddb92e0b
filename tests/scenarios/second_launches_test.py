#!/usr/bin/env python3
"""The second launches a user makes while the program runs (the shortcut clicked again, documents
opened from the desktop): each ends within a few seconds with exit code 0, opens each of its
documents once in the running program, leaves no process behind and brings the running program's
window to the front."""
import time

from handoff_support import HandOffScenario
from scenario_support import EXE, GUIDE, MAINWND, run

LAUNCH_ENDS = 15  # seconds: a launch's own start-up under Wine, well below the hand-off's bounds


class SecondLaunches(HandOffScenario):
    def host(self, layout):
        """The window handle of the shown window of the layout."""
        return int(self.suite.spy.shown(layout)[0]["hwnd"], 16)

    def assert_launch(self, arguments, opened, refused, front):
        """A launch with these arguments: it ends at once with 0, the control is handed `opened`
        (each once) and `refused` (paths it could not read), only the first instance runs, and one
        of the `front` windows is in front."""
        mark = self.journal_mark()
        started = time.monotonic()
        launch = self.start(*arguments)
        self.assertEqual(launch.wait(LAUNCH_ENDS + 60), 0)
        self.assertLess(time.monotonic() - started, LAUNCH_ENDS, "the launch ended within a few seconds")
        lines = self.journal_since(mark)
        self.assertEqual(sorted(l for l in lines if l.startswith('opened "')),
                         sorted('opened "%s": 1 pages' % p for p in opened), lines)
        self.assertEqual([l.rsplit('": ', 1)[0] + '"' for l in lines if l.startswith("open refused ")],
                         ['open refused "%s"' % p for p in refused], lines)
        self.assertEqual(self.records("scenario_send.exe", "processes", EXE)[0]["count"], "1", "no launch is left")
        self.assertIn(int(self.records("scenario_send.exe", "foreground")[0]["hwnd"], 16), front,
                      "the running program's window is in front")
        self.assertEqual(self.settings().get("openDocPath"), "")

    def test_the_second_launches_a_user_makes(self):
        self.ensure_prefix()
        first = self.start()  # a first start: the guide tour shows over the main window
        self.suite.spy.wait(GUIDE, name="btn_start", timeout_ms=90000)
        open_one = self.pdf("已 打开.pdf")
        # The guide tour is modal over the main window: either of them may be the active window.
        self.assert_launch([open_one], [open_one], [], {self.host(MAINWND), self.host(GUIDE)})
        self.assertTrue(self.suite.spy.find(GUIDE, "btn_start")["visible"], "the guide tour goes on")
        # The hand-off activated the main window. Without a window manager Wine then stacks that
        # owner above the guide it owns, which Windows never does, so the guide's buttons are pressed
        # with posted messages.
        self.suite.spy.click(GUIDE, "btn_close", post=True)
        self.suite.spy.wait(GUIDE, name="btn_end", timeout_ms=30000)
        self.suite.spy.click(GUIDE, "btn_end", post=True)
        self.suite.spy.wait_gone(GUIDE, timeout=30)

        gone = self.pdf("已 删除.pdf")
        (self.docs / "已 删除.pdf").unlink()
        one = self.pdf("一个 文档.pdf")
        a, b = self.pdf("第一 个.pdf"), self.pdf("第二 个.pdf")
        rows = [
            ("no arguments", [], [], []),
            ("the document that is already open", [open_one], [open_one], []),
            ("a path that no longer exists", [gone], [], [gone]),
            ("one document", [one], [one], []),
            ("two documents in one launch", [a + ";" + b + ";"], [a, b], []),
        ]
        main = {self.host(MAINWND)}
        for what, arguments, opened, refused in rows:
            with self.subTest(what):
                self.assert_launch(arguments, opened, refused, main)
        self.assertIsNone(first.poll())


if __name__ == "__main__":
    run()

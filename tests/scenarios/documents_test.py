#!/usr/bin/env python3
"""Documents: the command line, WM_COPYDATA with a missing file, closing with two documents (the
hand-off of a second instance: handoff_test.py)."""
from scenario_support import MAINWND, Scenario, TIP, TITLE, run, windows_path


class Documents(Scenario):
    def test_pdf_on_the_command_line_is_opened(self):
        self.ensure_prefix()
        self.not_first_start()
        pdf = self.pdf("样例.pdf", 3)
        program = self.start(pdf)  # a path with a blank: Wine passes it inside one pair of quotes
        self.wait_main_window()
        self.wait_journal('opened "%s": 3 pages' % pdf)
        lines = self.journal_lines()
        self.assertLess(next(i for i, l in enumerate(lines) if "V.43(W, 1, 0)" in l),
                        next(i for i, l in enumerate(lines) if "opened" in l), "set up before the document opens")
        self.assertIsNone(program.poll())

    def test_copydata_with_a_missing_file_names_it(self):
        self.ensure_prefix()
        self.not_first_start()
        self.start()
        self.wait_main_window()
        missing = windows_path(self.docs / "不存在.pdf")
        sender = self.send("copydata", TITLE, missing)
        text = self.suite.spy.wait(TIP, name="pro_text", timeout_ms=60000)
        self.assertEqual(text["text"], "该文件不存在！")
        self.assertEqual(self.suite.spy.find(TIP, "title_name")["text"], "提示")
        self.assertEqual(self.suite.spy.find(TIP, "btn_dir_ok")["text"], "确定")
        # Posted: without a window manager the prompt is reported covered at its button's centre.
        self.suite.spy.click(TIP, "btn_dir_ok", post=True)
        self.assertEqual(sender.wait(60), 1, "WM_COPYDATA answers 1")
        self.assertFalse(any("opened" in line for line in self.journal_lines()))

    def test_closing_with_two_documents_closes_both_and_ends(self):
        self.ensure_prefix()
        self.not_first_start()
        one, two = self.pdf("一.pdf", 1), self.pdf("二.pdf", 2)
        program = self.start(one + ";" + two + ";")
        self.wait_main_window()
        self.wait_journal("opened", 2)
        self.suite.spy.click(MAINWND, "btn_close")
        self.assertEqual(program.wait(90), 0)
        lines = self.journal_lines()
        self.assertEqual(sum("V.26(-1)" in line for line in lines), 2, lines[-30:])
        closing = [l for l in lines if "V.26(-1)" in l or "X.11(0)" in l or "X.84(" in l]
        self.assertEqual([c.split("(")[0] for c in closing], ["V.26", "V.26", "X.11", "X.84"], closing)


if __name__ == "__main__":
    run()

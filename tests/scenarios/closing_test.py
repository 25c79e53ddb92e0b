#!/usr/bin/env python3
"""Closing: a document with unsaved changes is asked about by the control; a close the user
cancels keeps the program and ends the closing, so a later close of one document closes only that
one; "save" saves, then closes, unless the sign-in the save asks for is declined; the update from
the main menu closes the program the same way and starts the updater once every document has
closed; an updater that cannot start is reported then, and the program stays."""
import signal

import scenario_support
from scenario_support import CONTROL_TITLE, LOAD_INFO, MAINWND, TIP, TITLE, UPDATE_OFFER, Scenario, run, wait_for

IDYES, IDCANCEL, IDNO = 6, 2, 7
NO_SIGN_IN = {"errno": "1000", "res": {"OlVersion": "0", "LoadUrl": "dologin:0"}}


class Closing(Scenario):
    def modify_active_document(self):
        self.assertEqual(self.tool("scenario_send.exe", "modify", TITLE)[0], 1)

    def answer_question(self, document, button):
        """Answers the control's question about the unsaved changes of `document`."""
        box = self.message_box(CONTROL_TITLE)
        self.assertIn(document, box["texts"])
        self.assertEqual(box["owner"], self.main_window_state()["hwnd"])
        self.assertEqual(self.tool("scenario_send.exe", "press", box["hwnd"], str(button))[0], 0)

    def test_a_cancelled_close_keeps_the_program_and_a_later_close_closes_one_document(self):
        self.ensure_prefix()
        self.not_first_start()
        changed, other = self.pdf("改.pdf"), self.pdf("别.pdf")
        program = self.start(changed + ";" + other + ";")  # opened from the last: the first is active
        self.wait_main_window()
        self.wait_journal("opened", 2)
        self.modify_active_document()

        self.suite.spy.click(MAINWND, "btn_close")
        self.answer_question("改.pdf", IDCANCEL)
        self.wait_journal("answer cancel")
        self.settled()
        self.assertIsNone(program.poll())

        # The user closes the document with the changes, dropping them: only that one closes.
        mark = self.journal_mark()
        closer = self.send("close", TITLE)
        self.answer_question("改.pdf", IDNO)
        self.assertEqual(closer.wait(30), 1, "closed")
        self.wait_journal("event e.document.closed")
        self.settled()  # the event's handler has run
        lines = self.journal_since(mark)
        self.assertEqual([l for l in lines if l.startswith("close ")], ['close "%s"' % changed], lines)
        self.assertFalse(any("V.26(" in l for l in lines), lines)
        self.assertIsNone(program.poll())
        self.assertTrue(self.main_window_state()["visible"])

        # The close button still closes the program.
        self.suite.spy.click(MAINWND, "btn_close")
        self.assertEqual(program.wait(60), 0)
        self.assertIn('close "%s"' % other, self.journal_lines())

    def save_then_close(self, pdf):
        """Presses the close button with the changed `pdf` active and answers "save"."""
        self.suite.spy.click(MAINWND, "btn_close")
        self.answer_question(pdf.rsplit("\\", 1)[-1], IDYES)

    def test_closing_with_save_saves_then_closes(self):
        self.not_first_start()
        self.suite.reply(LOAD_INFO, NO_SIGN_IN)
        pdf = self.pdf("要保存.pdf")
        program = self.start(pdf)
        self.wait_main_window()
        self.wait_journal("opened")
        self.modify_active_document()
        mark = self.journal_mark()
        self.save_then_close(pdf)
        self.assertEqual(program.wait(60), 0)
        closing = [l.split(" (")[0] for l in self.journal_since(mark)
                   if l.startswith(("answer", "event e.document.performSave", "saved ", "close ", "X.11("))]
        self.assertEqual(closing, ["answer yes", "event e.document.performSave", 'saved "%s"' % pdf,
                                   'close "%s"' % pdf, "X.11(0)"], closing)

    def test_a_declined_sign_in_while_saving_on_close_keeps_the_document_and_the_program(self):
        """The sign-in switch is on and nobody is signed in: the save of "save" asks for a sign-in."""
        self.not_first_start()
        other, changed = self.pdf("其他.pdf"), self.pdf("需登录.pdf")
        program = self.start(other)
        self.wait_main_window()
        self.wait_journal("opened")
        self.modify_active_document()
        self.assertEqual(self.tool("scenario_send.exe", "copydata", TITLE, changed)[0], 1)
        self.wait_journal('opened "%s"' % changed)
        self.modify_active_document()

        mark = self.journal_mark()
        self.save_then_close(changed)
        self.suite.spy.wait(TIP, name="btn_dir_cancel", timeout_ms=30000)
        self.assertEqual(self.suite.spy.find(TIP, "pro_text")["text"], "是否登录账号？")
        self.suite.spy.click(TIP, "btn_dir_cancel", post=True)
        self.wait_journal('kept "%s"' % changed)
        self.settled()
        lines = self.journal_since(mark)
        self.assertIn("event:e.document.performSave.14(0)", lines)
        self.assertIn("save stopped", lines)
        self.assertFalse(any(l.startswith(("saved ", "close ")) for l in lines), lines)
        self.assertIsNone(program.poll())
        self.assertTrue(self.main_window_state()["visible"])

        # The closing has ended: closing that document alone asks again and closes only it.
        mark = self.journal_mark()
        closer = self.send("close", TITLE)
        self.answer_question("需登录.pdf", IDNO)
        self.assertEqual(closer.wait(30), 1, "closed")
        self.wait_journal("event e.document.closed")
        self.settled()
        lines = self.journal_since(mark)
        self.assertEqual([l for l in lines if l.startswith("close ")], ['close "%s"' % changed], lines)
        self.assertFalse(any("V.26(" in l for l in lines), lines)
        self.assertIsNone(program.poll())

        # A later press of the close button asks about the other document's changes.
        self.suite.spy.click(MAINWND, "btn_close")
        self.answer_question("其他.pdf", IDNO)
        self.assertEqual(program.wait(60), 0)

    def update_from_the_menu(self, name, answer=None):
        """Accepts the main menu's update offer with the document `name` open: unchanged (answer
        None), or with unsaved changes and the control's question about them answered with
        `answer`; the program, the document and the journal mark before the offer."""
        self.not_first_start()
        self.suite.reply(LOAD_INFO, UPDATE_OFFER)
        pdf = self.pdf(name)
        program = self.start(pdf)
        self.suite.spy.wait(TIP, name="btn_dir_cancel", timeout_ms=60000)
        self.suite.spy.click(TIP, "btn_dir_cancel", post=True)  # the offer at start-up, declined
        self.wait_main_window()
        self.wait_journal('opened "%s"' % pdf)
        if answer is not None:
            self.modify_active_document()
        mark = self.journal_mark()
        self.choose_from_menu("btn_menu", "检查更新")
        self.suite.spy.wait(TIP, name="btn_dir_ok", timeout_ms=30000)
        self.assertEqual(self.suite.spy.find(TIP, "title_name")["text"], "更新")
        self.suite.spy.click(TIP, "btn_dir_ok", post=True)
        if answer is not None:
            self.message_box(CONTROL_TITLE)
            self.assert_no_updater_started("no updater while the control asks")
            self.answer_question(name, answer)
        return program, pdf, mark

    def updater_record(self):
        return self.starts / "Updrell.starts.txt"

    def assert_no_updater_started(self, message):
        """No updater ran: once none runs, a started one has left its record."""
        self.assertEqual(self.tool("scenario_send.exe", "processes-ended", "Updrell.exe", "30")[0], 0)
        self.assertFalse(self.updater_record().exists(), message)

    def updater_starts(self):
        path = self.updater_record()
        record = wait_for(lambda: path.exists() and path.read_text("utf-8"), 30, "the updater's record")
        self.assertIn("argument1=327\n", record)
        self.assertIn("show=5\n", record)
        return record.count("[start]")

    def test_update_from_the_menu_asks_first_and_a_cancel_keeps_the_program(self):
        program, pdf, mark = self.update_from_the_menu("未保存.pdf", IDCANCEL)
        self.wait_journal("answer cancel")
        self.settled()
        self.assertIsNone(program.poll())
        self.assertTrue(self.main_window_state()["visible"])
        self.assertFalse(any(l.startswith("close ") for l in self.journal_since(mark)))
        # The update went with the closing: the close button then ends the program alone.
        self.suite.spy.click(MAINWND, "btn_close")
        self.answer_question("未保存.pdf", IDNO)
        self.assertEqual(program.wait(60), 0)
        self.assert_no_updater_started("no updater started")

    def test_update_from_the_menu_ends_once_the_changes_are_dropped(self):
        program, pdf, mark = self.update_from_the_menu("未保存.pdf", IDNO)
        self.assertEqual(program.wait(60), 0)
        self.assertEqual(self.updater_starts(), 1)
        closing = [l for l in self.journal_since(mark) if l.startswith(("answer", "close ", "X.11(", "X.84("))]
        self.assertEqual([c.split(" ")[0].split("(")[0] for c in closing], ["answer", "close", "X.11", "X.84"],
                         closing)

    def test_an_updater_that_cannot_start_is_reported_once_the_document_closed_and_the_program_stays(self):
        """The updater missing, the main menu's update accepted with the document unchanged or with
        its changes dropped."""
        for name, answer in (("升级.pdf", None), ("改动 丢弃.pdf", IDNO)):
            with self.subTest(unsaved_changes=answer is not None):
                signal.alarm(scenario_support.TIME_LIMIT)  # a start each
                self.suite.end_processes()
                put_back = self.without("Updrell.exe")
                try:
                    program, pdf, mark = self.update_from_the_menu(name, answer)
                    self.close_updater_notice()
                    self.settled()
                    self.assertIsNone(program.poll())
                    self.assertTrue(self.main_window_state()["visible"])
                    # The document closed before the updater was tried; the engine heard of no exit.
                    lines = self.journal_since(mark)
                    self.assertIn('close "%s"' % pdf, lines)
                    self.assertFalse(any(l.startswith(("X.11(", "X.84(")) for l in lines), lines)
                finally:
                    put_back()
                # The update went with the closing: the close button ends the program and starts nothing.
                self.suite.spy.click(MAINWND, "btn_close")
                self.assertEqual(program.wait(60), 0)
                self.assert_no_updater_started("no updater started")


if __name__ == "__main__":
    run()

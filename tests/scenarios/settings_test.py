#!/usr/bin/env python3
"""The settings file: whatever bytes the user put there (an end-of-file control byte, a file saved
as UTF-16 with characters outside the ANSI code page) are read and survive the program's writes,
also when a second instance hands its documents over while the first writes its frame state."""
from scenario_support import (SC_MAXIMIZE, TITLE, USER_DATA, USER_ID, UTF16_MARK, WM_SYSCOMMAND, Scenario,
                              blank_free, run, settings_bytes, settings_lines, settings_text, wait_for)


def user_lines():
    """The lines of a user's settings file: the user id and many lines of the user's own."""
    return (["[App]", "fsi=1", "openDocPath=", "userid=" + USER_ID, "userdic=" + USER_ID + ";"] +
            ["extra%d = the user's own text" % i for i in range(120)])


class Settings(Scenario):
    def assert_profile_asked_for_the_user(self):
        profiles = wait_for(lambda: self.suite.requests(USER_DATA), 60, "the profile request")
        self.assertEqual(dict(profiles[0]["fields"])["u_id"], USER_ID)

    def assert_kept(self, before, after):
        """Every line of before is in after, in its order, with frameState as the one line added."""
        self.assertIn("frameState=max", blank_free(after))
        kept = [line for line in blank_free(after) if not line.startswith("frameState=")]
        self.assertEqual(kept, blank_free(before))

    def test_an_end_of_file_byte_keeps_the_lines_after_it(self):
        self.ensure_prefix()
        before = user_lines()
        before.insert(3, "note=\x1a")
        path = self.put_settings(settings_bytes(before))
        self.start()
        self.wait_main_window()
        self.assert_profile_asked_for_the_user()
        self.maximise()
        self.assert_kept(before, settings_lines(settings_text(path.read_bytes()), written=True))

    def test_a_utf16_file_is_read_and_kept_through_a_hand_off(self):
        self.ensure_prefix()
        # U+0E01 and U+1F600 are outside the ANSI code page.
        before = user_lines() + ["note=\u0e01\U0001f600 \u63d0\u793a"]
        path = self.put_settings(settings_bytes(before, "utf-16-le", UTF16_MARK))
        first = self.start()
        self.wait_main_window()
        self.assert_profile_asked_for_the_user()

        # The second instance writes openDocPath while the first writes frameState.
        pdf = self.pdf("交给 第一个.pdf", 2)
        maximiser = self.send("message", TITLE, str(WM_SYSCOMMAND), str(SC_MAXIMIZE))
        second = self.start(pdf)
        self.assertEqual(second.wait(120), 0)
        self.assertEqual(maximiser.wait(60), 0)
        self.wait_journal('opened "%s"' % pdf)
        data = path.read_bytes()
        self.assertTrue(data.startswith(UTF16_MARK), data[:16])
        self.assert_kept(before, settings_lines(settings_text(data), written=True))
        self.assertIsNone(first.poll(), "the first instance goes on")


if __name__ == "__main__":
    run()

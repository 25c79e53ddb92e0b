#!/usr/bin/env python3
"""The settings file: whatever bytes the user put there (an end-of-file control byte, a file saved
as UTF-16 with characters outside the ANSI code page) are read and survive the program's writes,
also when a second instance hands its documents over while the first writes its frame state."""
from scenario_support import SC_MAXIMIZE, Scenario, TITLE, USER_DATA, USER_ID, WM_SYSCOMMAND, run, wait_for

UTF16_MARK = b"\xff\xfe"


def lines_of(data, encoding):
    text = data.decode(encoding)
    assert text.endswith("\r\n"), repr(text[-20:])
    return text[:-2].split("\r\n")


def without_blanks(lines):
    return [line.replace(" ", "") for line in lines]


def user_lines():
    """The lines of a user's settings file: the user id and many lines of the user's own."""
    return (["[App]", "fsi=1", "openDocPath=", "userid=" + USER_ID, "userdic=" + USER_ID + ";"] +
            ["extra%d = the user's own text" % i for i in range(120)])


class Settings(Scenario):
    def assert_profile_asked_for_the_user(self):
        profiles = wait_for(lambda: self.suite.requests(USER_DATA), 60, "the profile request")
        self.assertEqual(dict(profiles[0]["fields"])["u_id"], USER_ID)

    def maximise(self):
        """Maximises the main window; it writes frameState before the message returns."""
        code, _ = self.tool("scenario_send.exe", "message", TITLE, str(WM_SYSCOMMAND), str(SC_MAXIMIZE))
        self.assertEqual(code, 0)

    def assert_kept(self, before, after):
        """Every line of before is in after, in its order, with frameState as the one line added."""
        self.assertIn("frameState=max", without_blanks(after))
        kept = [line for line in without_blanks(after) if not line.startswith("frameState=")]
        self.assertEqual(kept, without_blanks(before))

    def test_an_end_of_file_byte_keeps_the_lines_after_it(self):
        self.ensure_prefix()
        before = user_lines()
        before.insert(3, "note=\x1a")
        path = self.put_settings("".join(line + "\r\n" for line in before).encode("gbk"))
        self.start()
        self.wait_main_window()
        self.assert_profile_asked_for_the_user()
        self.maximise()
        self.assert_kept(before, lines_of(path.read_bytes(), "gbk"))

    def test_a_utf16_file_is_read_and_kept_through_a_hand_off(self):
        self.ensure_prefix()
        # U+0E01 and U+1F600 are outside the ANSI code page.
        before = user_lines() + ["note=\u0e01\U0001f600 \u63d0\u793a"]
        path = self.put_settings(UTF16_MARK + "".join(line + "\r\n" for line in before).encode("utf-16-le"))
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
        self.assert_kept(before, lines_of(data[len(UTF16_MARK):], "utf-16-le"))
        self.assertIsNone(first.poll(), "the first instance goes on")


if __name__ == "__main__":
    run()

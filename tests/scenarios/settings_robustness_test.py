#!/usr/bin/env python3
"""The settings file under hard conditions.

Ended while it writes: another process maximises and restores the main window in a loop, each turn
rewriting frameState, and the program is ended with TerminateProcess, in turn at a random moment of
the loop and at the moment a writer's temporary file appears; ten times for a file of ANSI bytes and
ten for a UTF-16 file. TerminateProcess stops every thread of the program wherever it is, as the
task manager's End task does, and nothing of the program runs after it (no clean-up, no flush of a
half-written file), so what a write left half-done stays so; a temporary file left behind shows
that a writer was stopped half-way. After each kill the file is there, whole, with every value as
before but frameState, which is "max" or "normal"; and the next start shows the main window.

Bad files: random bytes, no [App] section, values of 100 KB, a pending command line of 10,000
paths, a folder in the file's place. The program starts each time; where the file was readable,
every line the user had in it is still there, in its order, after the program's own writes.
"""
import random
import signal
import time

from scenario_support import (TITLE, UTF16_MARK, Scenario, blank_free, run, settings_bytes, settings_lines,
                              settings_text, wait_for, windows_path)

KILLS = 10  # per file: twenty in all
KILL_TIME_LIMIT = 300  # seconds for the ten kills and starts of one file
OWN_KEYS = ("fsi=", "frameState=", "openDocPath=")  # what the program itself writes at start and here
WM_OPEN_PENDING_DOC = 0x410


def text_of(data):
    """A file's text as str: UTF-16 after its mark (lone surrogates kept, an odd last byte left out),
    else its bytes one character each."""
    if data.startswith(UTF16_MARK) and len(data) % 2:
        data = data[:-1]
    return settings_text(data, "latin-1", "surrogatepass")


def hand_off_form(text):
    """The stored form of a handed-over command line, as a second instance writes it."""
    return "".join(c if c.isascii() and (c.isalnum() or c in "-._~") else "%%%04X" % ord(c) for c in text)


def user_lines(*app_lines):
    """A user's file: the [App] section with these lines, a section of the user's own and notes."""
    return (["[App]", "fsi=1", "userid=", *app_lines, "note = 用户 自己的 笔记"] +
            ["[用户]", "name = 测试 用户", "path = C:\\文档 目录\\a@b.pdf"] +
            ["extra%d = value %d" % (i, i) for i in range(40)])


def random_bytes(seed, size):
    data = bytearray(random.Random(seed).randbytes(size))
    data[0] = 0x41  # no byte-order mark by chance
    return bytes(data)


PATHS = ["Z:\\无此 目录\\文档%05d.pdf" % i for i in range(10000)]

# name, the file's bytes (None: a folder in its place).
BAD_FILES = [
    ("random_bytes", random_bytes(1, 16384)),
    ("random_utf16_units", UTF16_MARK + random_bytes(2, 16385)),
    ("no_app_section", settings_bytes(user_lines()[3:], "gbk")),
    ("hundred_kb_values", settings_bytes(user_lines(
        "openDocPath=", "userdic=" + "10001;" * 17000,
        "history=" + "2024-06-11@10:00:00|C:\\文档\\a.pdf|0|3;" * 2600) + ["big = " + "x" * 102400], "gbk")),
    ("folder_in_place", None),
]

# name, encoding and mark of the file a kill must leave whole.
KILLED_FILES = [("ansi", "gbk", b""), ("utf16", "utf-16-le", UTF16_MARK)]


class SettingsRobustness(Scenario):
    def start_shown(self):
        program = self.start()
        self.wait_main_window()
        return program

    def check_killed_while_writing(self, encoding, mark):
        signal.alarm(KILL_TIME_LIMIT)  # twice ten starts: more than one scenario's limit
        self.ensure_prefix()
        # A long file (some 250 KB): each write takes a while, so a kill at the temporary file finds
        # the writer still at work.
        before = user_lines("openDocPath=", "frameState=normal") + [
            "history%d = 2024-06-11@10:00:00|C:\\文档\\%d.pdf|0|3;" % (i, i) for i in range(6000)]
        path = self.put_settings(settings_bytes(before, encoding, mark))
        expected = {state: [("frameState=" + state if line.startswith("frameState=") else line)
                            for line in blank_free(before)] for state in ("max", "normal")}

        def lines_now(errors="strict"):
            return blank_free(settings_lines(settings_text(path.read_bytes(), errors=errors)))

        def frame_state():
            return next((line for line in lines_now("replace") if line.startswith("frameState=")), None)

        def temporaries():
            return list(path.parent.glob(path.name + ".*.tmp"))

        moments = random.Random(encoding)
        stopped_writers = 0
        for kill in range(KILLS):
            program = self.start_shown()
            self.assertFalse(temporaries(), "stale temporary files are removed at start")
            state = frame_state()
            toggler = self.send("toggle", TITLE)
            wait_for(lambda: frame_state() not in (None, state), 30, "the toggling's writes")
            if kill % 2:
                # The moment a writer has made its temporary file: the replace has not happened yet.
                code, _ = self.tool("scenario_send.exe", "terminate", TITLE, windows_path(path) + ".*.tmp")
            else:
                time.sleep(moments.uniform(0.05, 1.0))
                code, _ = self.tool("scenario_send.exe", "terminate", TITLE)
            self.assertEqual(code, 0, "the program was ended")
            self.assertEqual(toggler.wait(30), 0)
            program.wait(30)
            stopped_writers += bool(temporaries())
            data = path.read_bytes()
            self.assertTrue(data.startswith(mark) and len(data) > len(mark), "kill %d: %r" % (kill, data[:40]))
            self.assertIn(lines_now(), expected.values(), "kill %d" % kill)
        # Usually each kill at the temporary file stops a writer half-way; a busy machine may let the
        # writer finish first now and then.
        print("\n%s: %d of %d kills left a writer's temporary file" % (encoding, stopped_writers, KILLS))
        self.assertGreater(stopped_writers, 0, "no kill came in the middle of a write")
        self.start_shown()

    def check_bad_file(self, data, message=None):
        """Starts the program over the file, gives it the message if any, maximises its window."""
        self.ensure_prefix()
        path = self.put_settings(data or b"")
        if data is None:
            path.unlink()
            path.mkdir()
            (path / "用户的.txt").write_text("kept")
        program = self.start_shown()
        if message is not None:
            code, _ = self.tool("scenario_send.exe", "message", TITLE, str(message))
            self.assertEqual(code, 0)
        self.maximise()
        self.assertIsNone(program.poll(), "the program goes on")
        if data is None:
            self.assertTrue(path.is_dir() and (path / "用户的.txt").read_text() == "kept")
            return

        after = path.read_bytes()
        self.assertEqual(after[:2] == UTF16_MARK, data[:2] == UTF16_MARK)
        if data.startswith(UTF16_MARK) and len(data) % 2:
            self.assertEqual(after[-1:], data[-1:], "the odd last byte stays")
        before_lines, after_lines = (blank_free(settings_lines(text_of(d))) for d in (data, after))
        # Not assertIn: the message would hold every line of the file.
        self.assertTrue("frameState=max" in after_lines and "[App]" in after_lines,
                        "the program's writes took effect")

        def users(lines):
            return [line for line in lines if not line.startswith(OWN_KEYS) and line != "[App]"]
        self.assertEqual(users(after_lines), users(before_lines))

    def test_a_pending_command_line_of_ten_thousand_paths_is_taken_whole(self):
        pending = hand_off_form('"' + ";".join(PATHS) + ';"')
        self.check_bad_file(settings_bytes(user_lines("openDocPath=" + pending), "gbk"), WM_OPEN_PENDING_DOC)
        refused = [line for line in self.journal_lines() if line.startswith("open refused")]
        self.assertEqual(refused, ['open refused "%s": cannot read the file' % p for p in reversed(PATHS)])
        self.assertEqual(self.settings().get("openDocPath"), "")


def add_case(name, check, *args):
    setattr(SettingsRobustness, "test_" + name, lambda self: check(self, *args))


for name, encoding, mark in KILLED_FILES:
    add_case("killed_while_writing_" + name, SettingsRobustness.check_killed_while_writing, encoding, mark)
for name, data in BAD_FILES:
    add_case("bad_file_" + name, SettingsRobustness.check_bad_file, data)


if __name__ == "__main__":
    run()

#!/usr/bin/env python3
"""A program under Wine driven from Linux through souispy: the demo's translucent dialog is
found, read and pressed like a user would, and the program ends with the pressed button's code."""
import argparse
import os
import subprocess
import sys
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from souispy import Spy, SpyError, parse_records  # noqa: E402

ARGS = None


class ParseTest(unittest.TestCase):
    def test_fields_are_typed_and_unescaped(self):
        [rec] = parse_records("found=1\tname=a\\tb\tid=8\trect=1,2,3,4\ttext=x\\\\y\\nz\n")
        self.assertEqual(rec["name"], "a\tb")
        self.assertEqual(rec["id"], 8)
        self.assertEqual(rec["rect"], (1, 2, 3, 4))
        self.assertEqual(rec["text"], "x\\y\nz")
        self.assertTrue(rec["found"])


class DemoTest(unittest.TestCase):
    def setUp(self):
        self.spy = Spy(ARGS.wine_run, ARGS.prefix, ARGS.bin)
        self.demo = subprocess.Popen([ARGS.wine_run, "--prefix", ARGS.prefix, os.path.join(ARGS.bin, "soui_demo.exe")],
                                     stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                                     stderr=subprocess.DEVNULL)

    def tearDown(self):
        if self.demo.poll() is None:
            self.demo.kill()
            self.demo.wait()

    def test_dialog_is_read_and_pressed_from_another_process(self):
        ok = self.spy.wait("LAYOUT:XML_TESTDLG", name="btn_dir_ok", timeout_ms=30000)
        self.assertEqual(ok["text"], "确定")
        self.assertEqual(ok["id"], 1)
        self.assertEqual(ok["skin"], "strip_h_imglist")
        text = self.spy.find("LAYOUT:XML_TESTDLG", "pro_text")
        self.assertTrue(text["visible"])
        self.assertIn("半透明", text["text"])
        names = [r["name"] for r in self.spy.list("LAYOUT:XML_TESTDLG")]
        self.assertIn("btn_dir_cancel", names)
        with self.assertRaises(SpyError):
            self.spy.find("LAYOUT:XML_TESTDLG", "no_such_element")
        # The owner is disabled under the modal dialog, so its button is covered or refused;
        # the dialog's own button takes the click.
        self.spy.click("LAYOUT:XML_TESTDLG", "btn_dir_cancel")
        self.assertEqual(self.demo.wait(timeout=30), 2)


def main():
    global ARGS
    parser = argparse.ArgumentParser()
    parser.add_argument("--wine-run", required=True)
    parser.add_argument("--prefix", required=True)
    parser.add_argument("--bin", required=True)
    ARGS, rest = parser.parse_known_args()
    unittest.main(argv=[sys.argv[0]] + rest)


if __name__ == "__main__":
    main()

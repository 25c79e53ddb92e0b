#!/usr/bin/env python3
"""A module missing from the program's folder, as a quarantine of an antivirus program or a cut-short
installation leaves it. The UI library's render module and image decoder and the web engine: one
message box names it, and the program ends with its own exit code before it shows any window. The PDF
control: after the registration was tried, the prompt says that the component is unavailable, and
the program ends without a main window.

Each scenario runs the program from a copy of the suite's folder without that module (hard links,
removed afterwards). The PDF control is registered from the copy before its module is removed, as on
a user's machine where the registered file went missing; the suite's folder is registered again
afterwards."""
import os
import shutil
import subprocess

import scenario_support
from scenario_support import LOAD_INFO, TIP, Scenario, run, windows_path

EXIT_MODULE_MISSING = 2
EXIT_PDF_CONTROL_UNAVAILABLE = 3


def same_window(a, b):
    return int(a, 16) == int(b, 16)


class MissingModules(Scenario):
    def folder_without(self, name, registered=False):
        """A copy of the program's folder without `name`; with `registered`, the PDF control is
        registered from the copy first."""
        folder = self.dir / "bin"
        shutil.copytree(self.suite.bin, folder, copy_function=os.link)
        self.addCleanup(shutil.rmtree, folder, ignore_errors=True)
        if registered:
            self.register(folder / "wke.dll")
            self.addCleanup(self.register, self.suite.bin / "wke.dll")
        (folder / name).unlink()
        return folder

    def register(self, module):
        subprocess.run([scenario_support.ARGS.wine_run, "--prefix", str(self.suite.prefix), "regsvr32", "/s",
                        windows_path(module)], stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL, timeout=120, check=True)

    def assert_only_window_of_its_process(self, hwnd):
        code, windows = self.tool("scenario_send.exe", "process-windows", hwnd)
        self.assertEqual(code, 0)
        self.assertEqual(len(windows), 1, windows)
        self.assertTrue(same_window(windows[0]["hwnd"], hwnd), windows)

    def assert_told_in_one_box(self, missing, text):
        self.not_first_start()
        program = self.start_from(self.folder_without(missing))
        box = self.message_box("提示")
        self.assertEqual((box["texts"], box["owner"], box["buttons"]), (text, "0x00000000", "1:确定"))
        self.assert_only_window_of_its_process(box["hwnd"])
        self.assertEqual(self.tool("scenario_send.exe", "press", box["hwnd"], "1")[0], 0)
        self.assertEqual(program.wait(30), EXIT_MODULE_MISSING)
        self.assertEqual(self.suite.requests(LOAD_INFO), [], "the start-up went on to the account service")

    def test_without_the_render_module(self):
        self.assert_told_in_one_box("render-gdi.dll", "无法加载DLL,render-gdi.dll")

    def test_without_the_image_decoder(self):
        self.assert_told_in_one_box("imgdecoder-gdip.dll", "无法加载DLL,imgdecoder-gdip.dll")

    def test_without_the_web_engine(self):
        self.assert_told_in_one_box("node.dll", "无法加载DLL,node.dll")

    def test_without_the_pdf_control_the_prompt_says_so_and_no_main_window_follows(self):
        self.not_first_start()
        folder = self.folder_without("wke.dll", registered=True)
        program = self.start_from(folder, self.pdf("文档.pdf"))
        self.suite.spy.wait(TIP, name="btn_dir_ok", timeout_ms=60000)
        texts = [self.suite.spy.find(TIP, name)["text"] for name in
                 ("title_name", "pro_text", "flush_str1", "flush_str2", "flush_str3", "btn_dir_ok", "btn_dir_cancel")]
        self.assertEqual(texts, ["提示", "PDF组件不可用！", "程序无法打开PDF文档，请重新安装本程序。", "", "", "确定", "取消"])
        # Nothing else: no main window, and no box of the registration that was tried.
        shown = [h for h in self.suite.spy.hosts() if h.get("visible")]
        self.assertEqual([h["layout"] for h in shown], [TIP])
        self.assert_only_window_of_its_process(shown[0]["hwnd"])
        self.assertEqual(self.tool("scenario_send.exe", "dialogs"), (0, []))
        self.suite.spy.click(TIP, "btn_dir_ok", post=True)
        self.assertEqual(program.wait(30), EXIT_PDF_CONTROL_UNAVAILABLE)


if __name__ == "__main__":
    run()

"""What the hand-off scenarios share: tools in the background, a process that holds the instance
mutex, PDFs with and without blanks in their paths and one cut short, the control's journal read
per document, the control's questions answered and the hand-off's prompt."""
import subprocess
import time

import scenario_support
from sample_pdf import sample_pdf
from scenario_support import CONTROL_TITLE, LOAD_INFO, TIP, Scenario, wait_for, windows_path

IDYES = 6
NOT_HANDED_OVER = "无法把文档交给正在运行的程序！"
NOT_ANSWERING = "正在运行的程序没有响应。"
BOUND_MARGIN = 3  # seconds a bound may seem short by: the polls of the launch and of the scenario
TURN_WAIT = "hand-off: waiting for the turn"  # what a launch queued behind another sends to the debugger
PROMPT_CAPTION = "format msg"  # the window text of the prompt, from its layout


class HandOffScenario(Scenario):
    def background_send(self, *args):
        """scenario_send in the background with its output in a file: (the process, the file)."""
        out = self.dir / ("send-%d.txt" % len(self.processes))
        with out.open("wb") as sink:
            process = subprocess.Popen([scenario_support.ARGS.wine_run, "--prefix", str(self.suite.prefix),
                                        str(self.suite.bin / "scenario_send.exe"), *args],
                                       stdin=subprocess.DEVNULL, stdout=sink, stderr=subprocess.DEVNULL)
        self.processes.append(process)
        return process, out

    def background_output(self, out, part, what):
        wait_for(lambda: part in out.read_text("utf-8"), 60, what)
        return out.read_text("utf-8")

    def hold_instance(self, seconds):
        """A process that owns the instance mutex and has no main window, as a first instance
        that is still starting."""
        holder, out = self.background_send("hold-instance", str(seconds))
        self.assertIn("owned=1", self.background_output(out, "owned=", "the instance mutex held"))
        return holder

    def plain_pdf(self, name):
        """A PDF whose path has no blank, so Wine passes it without quotation marks."""
        folder = self.dir / "无空格"
        folder.mkdir(exist_ok=True)
        path = folder / name
        self.assertNotIn(" ", str(path))
        path.write_bytes(sample_pdf(1))
        return windows_path(path)

    def damaged_pdf(self, name):
        """A PDF cut short before its end marker: the control asks whether to repair it."""
        path = self.docs / name
        path.write_bytes(sample_pdf(1).rsplit(b"%%EOF", 1)[0])
        return windows_path(path)

    def opened(self, pdf):
        return sum(line.startswith('opened "%s":' % pdf) for line in self.journal_lines())

    def assert_each_opened_once(self, pdfs):
        wait_for(lambda: all(self.opened(p) for p in pdfs), 60,
                 "%r opened; journal: %r" % (pdfs, self.journal_lines()[-20:]))
        self.assertEqual([self.opened(p) for p in pdfs], [1] * len(pdfs), self.journal_lines()[-30:])

    def repair_question(self, name):
        """The control's question about a damaged document, once it is shown."""
        box = self.message_box(CONTROL_TITLE)
        self.assertIn('"%s" is damaged' % name, box["texts"])
        return box

    def answer_repair(self, box):
        self.assertEqual(self.tool("scenario_send.exe", "press", box["hwnd"], str(IDYES))[0], 0)

    def start_up_asked(self, count):
        """When the account service had been asked for the start-up information `count` times."""
        wait_for(lambda: len(self.suite.requests(LOAD_INFO)) >= count, 60, "%d start-up requests" % count)
        return time.monotonic()

    def prompts_shown(self):
        """How many prompts are shown, from the window list alone: the UI library's inspection waits
        seconds on a running instance that takes no message, which would hide when a prompt came."""
        return len(self.records("scenario_send.exe", "titled-windows", PROMPT_CAPTION))

    def assert_prompted_after_bound(self, launch, asked, bound):
        """A launch whose start-up request was answered at `asked` waits out a bound of `bound`
        seconds before it tells the user: nothing shown at half the bound, a prompt no earlier than
        the bound."""
        time.sleep(max(0.0, asked + bound / 2 - time.monotonic()))
        self.assertIsNone(launch.poll(), "it waits")
        self.assertEqual(self.prompts_shown(), 0, "no prompt at half the bound")
        wait_for(self.prompts_shown, bound + 30, "the prompt")
        self.assertGreaterEqual(time.monotonic() - asked, bound - BOUND_MARGIN, "the prompt waited for the bound")

    def assert_told_after_bound(self, launch, asked, bound, why=NOT_ANSWERING):
        """As assert_prompted_after_bound, then the prompt's texts and exit code 1."""
        self.assert_prompted_after_bound(launch, asked, bound)
        self.not_handed_over_prompt(why, 60)
        self.assertEqual(launch.wait(30), 1)

    def listen_to_debug_output(self, seconds):
        """Every process's debugger output from now on, for `seconds`: the file it goes to."""
        out = self.dir / "debug-output.txt"
        _, ready = self.background_send("debug-output", windows_path(out), str(seconds))
        self.assertIn("listening=1", self.background_output(ready, "listening=", "the debugger output listened to"))
        return out

    def wait_turn_waiters(self, debug_output, count):
        """Until `count` processes have said they wait for their turn to hand over."""
        def waiters():
            text = debug_output.read_text("utf-8") if debug_output.exists() else ""
            return {line.split("\t", 1)[0] for line in text.splitlines() if TURN_WAIT in line}
        wait_for(lambda: len(waiters()) >= count, 60, "%d launches waiting for their turn" % count)

    def not_handed_over_prompt(self, why, timeout):
        """The prompt of a launch whose documents did not reach the running program, closed with its
        OK button once its texts are checked."""
        self.suite.spy.wait(TIP, name="pro_text", timeout_ms=timeout * 1000)
        texts = {n: self.suite.spy.find(TIP, n)["text"] for n in ("title_name", "pro_text", "flush_str1",
                                                                   "btn_dir_ok")}
        self.assertEqual(texts, {"title_name": "提示", "pro_text": NOT_HANDED_OVER, "flush_str1": why,
                                 "btn_dir_ok": "确定"})
        self.suite.spy.click(TIP, "btn_dir_ok", post=True)

"""Drives the UI library's windows in a program running under Wine, from a test on the Linux side.

It runs the stand-in's tool souispy.exe (built beside the program) through the project's Wine runner,
on the same Wine prefix and display as the program under test:

    spy = Spy(wine_run="scripts/wine-run", prefix="build/wineprefix", bin_dir="build/bin")
    spy.wait("LAYOUT:XML_TIP", name="btn_dir_ok")          # until the dialog shows the button
    rec = spy.find("LAYOUT:XML_TIP", "pro_text")           # {"text": ..., "visible": True, "rect": (l, t, r, b), ...}
    spy.click("LAYOUT:XML_TIP", "btn_dir_ok")              # a real click at the element's centre
    spy.menu()                                             # the open popup menu's items; None while none is open
    spy.menu_click(text="退出登录")                          # an item of the open popup menu

Windows are chosen by layout resource name (or title); with several, the topmost. Each record is a
dict of the element's fields: class, name, id, visible, shown, enabled, rect, client, text, skin,
tip, data. Errors (no such window, element hidden or covered) raise SpyError.
"""
import os
import subprocess
import tempfile
import time


class SpyError(Exception):
    pass


NO_MENU = {"found": False, "error": "no menu"}  # the record of souispy's "menu" while none is open


def _unescape(value):
    out, i = [], 0
    while i < len(value):
        c = value[i]
        if c == "\\" and i + 1 < len(value):
            out.append({"t": "\t", "n": "\n", "\\": "\\"}.get(value[i + 1], value[i + 1]))
            i += 2
            continue
        out.append(c)
        i += 1
    return "".join(out)


def parse_records(text):
    """Lines of tab-separated key=value fields into dicts; rectangles become tuples, flags booleans."""
    records = []
    for line in text.splitlines():
        if not line.strip():
            continue
        rec = {}
        for field in line.split("\t"):
            key, sep, value = field.partition("=")
            if not sep:
                continue
            value = _unescape(value)
            if key in ("rect", "client"):
                value = tuple(int(v) for v in value.split(","))
            elif key in ("found", "visible", "shown", "enabled", "clicked"):
                value = value == "1"
            elif key in ("id", "data"):
                value = int(value)
            rec[key] = value
        records.append(rec)
    return records


class Spy:
    def __init__(self, wine_run, prefix, bin_dir, timeout=60):
        self.wine_run = wine_run
        self.prefix = prefix
        self.exe = os.path.join(bin_dir, "souispy.exe")
        self.timeout = timeout

    def run(self, *args):
        """Runs souispy with the arguments; returns (exit code, records)."""
        # Output through a file, not a pipe: a Wine server started by this call would keep a pipe
        # open long after the tool has ended.
        with tempfile.TemporaryFile() as out:
            proc = subprocess.run([self.wine_run, "--prefix", self.prefix, self.exe, *args],
                                  stdin=subprocess.DEVNULL, stdout=out, stderr=subprocess.DEVNULL,
                                  timeout=self.timeout)
            out.seek(0)
            return proc.returncode, parse_records(out.read().decode("utf-8", "replace"))

    def _checked(self, *args):
        code, recs = self.run(*args)
        if code != 0:
            raise SpyError("souispy %s: exit %d %r" % (" ".join(args), code, recs))
        return recs

    @staticmethod
    def _window(layout, title):
        return ["--layout", layout] if layout else ["--title", title]

    def hosts(self):
        return self._checked("hosts")

    def shown(self, layout):
        """The records of the shown windows of the layout."""
        return [h for h in self.hosts() if h.get("layout", "").upper() == layout.upper() and h.get("visible")]

    def find(self, layout=None, name=None, title=None):
        return self._checked("find", *self._window(layout, title), "--name", name)[0]

    def list(self, layout=None, title=None):
        return self._checked("list", *self._window(layout, title))

    def click(self, layout=None, name=None, title=None, post=False):
        self._checked("click", *self._window(layout, title), "--name", name, *(["--post"] if post else []))

    def wait(self, layout=None, name=None, title=None, timeout_ms=10000):
        args = ["wait", *self._window(layout, title), "--timeout", str(timeout_ms)]
        if name:
            args += ["--name", name]
        return self._checked(*args)[0]

    def menu(self):
        """Items of the open popup menu; None while no menu is open (other failures raise)."""
        code, recs = self.run("menu")
        if code == 1 and recs == [NO_MENU]:
            return None
        if code != 0:
            raise SpyError("souispy menu: exit %d %r" % (code, recs))
        return recs

    def menu_click(self, text=None, item_id=None, post=False):
        args = ["menu-click"] + (["--text", text] if text is not None else ["--id", str(item_id)])
        self._checked(*args, *(["--post"] if post else []))

    def wait_gone(self, layout, timeout=10.0):
        """Until no window of the layout is shown."""
        end = time.time() + timeout
        while time.time() < end:
            if not self.shown(layout):
                return
            time.sleep(0.2)
        raise SpyError("%s still shown" % layout)

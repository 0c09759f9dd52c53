#!/usr/bin/env python3
"""Opens a large source in the real program under an address-space limit and then does what a
user does next, on a virtual display of its own: the figures of "After a load near the limit"
in bench/README.md.

Each run starts build/src/veldra with the source on its command line under
`prlimit --as=LIMIT`, on Xvfb (1600 by 1000, no window manager), and waits, at most
--wait seconds, for the box that refuses it (the loader's, under "Ostrel") or the caption
that names the program. Then, each step bounded by --step seconds:
  box       the box answered with Return
  help      Help > Help Contents: the help window, a new window of its own, comes, painted,
            and goes with Escape
  book      (a loaded program) Program > Create Program Book: its file dialog comes, painted,
            and goes with Escape, and the main window is back; with --listing, the book is
            made instead (the listing named in the dialog, "Listing Information" answered OK,
            "Plot Numerics" No), and the run waits for its preview or the box that says why
            not, which is then answered; the preview is closed with Close
  save, load (a loaded program, with --state) File > State > Save State into a new file, then
            Load State of it, twice: each waited for until the program has done (its processor time
            stands still for two seconds) or a box comes, which is answered; for each, the
            process's resident memory at its peak above what it held before (its high-water
            mark reset first), what it still held above that after, and the file's size
  open      File > Open ("Continue Open?" answered OK when a program is loaded): the Open
            dialog comes, painted, and goes with Escape, leaving "Card File"
  exit      File > Exit: the process ends
A step "hangs" when its window does not come (or the process does not end) in time, and
"black" when the window came but its pixels are all black. "Thread creation error" counts
Qt's complaints on standard error. The program is killed at the end of a run, whatever
happened.

  bench/capped_runs.py --names 7600000 --limits 2470 2600
  bench/capped_runs.py --names 7600000 --long --limits 4400
  bench/capped_runs.py --comments 80000 --limits 400
  bench/capped_runs.py --operands 213000 --limits 800 1150
  bench/capped_runs.py --names 7600000 --state --limits 2470 3000
  bench/capped_runs.py --source gen134000.ml2 --listing examples/interlocking.mll --limits 600
"""

import argparse
import os
import shutil
import signal
import struct
import subprocess
import sys
import tempfile
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))


def write_names(path, count, long_names):
    """Declares `count` Boolean bits, B0, B1, ... or names of 30 to 60 characters, and one
    statement."""
    with open(path, "w", newline="") as out:
        out.write("PROGRAM NAMES;\r\nBOOLEAN BITS")
        for i in range(count):
            if long_names:
                name = "ROUTE_SETTING_%d_" % i
                name += "ABCDEFGHIJKLMNOPQRSTUVWXYZABCDEFGHIJKLMNOPQRSTUVWXYZABCDEFGH"[
                    : 30 + i % 31 - len(name)
                ]
            else:
                name = "B%d" % i
            out.write(("\r\n    " if i % 16 == 0 else "") + name)
            out.write(";" if i + 1 == count else ",")
        out.write("\r\nLOGIC BEGIN\r\n    ASSIGN B0 TO B1;\r\nEND LOGIC\r\nEND PROGRAM\r\n")


def write_comments(path, lines):
    """A small program, 20 boards and 2,000 statements, behind `lines` lines of "//" comments
    of eleven different words each."""
    with open(path, "w", newline="") as out:
        out.write("PROGRAM COMMENTED;\r\n")
        for i in range(lines):
            out.write("// " + " ".join("%s%d" % (word, i) for word in (
                "ROUTE", "SIGNAL", "POINTS", "TRACK", "LOCK", "RELEASE", "APPROACH", "OVERLAP",
                "CALLON", "SHUNT", "BERTH")) + "\r\n")
        out.write("BOOLEAN BITS\r\n")
        for i in range(0, 4000, 16):
            out.write("    " + ",".join("B%d" % j for j in range(i, i + 16)) +
                      (";" if i + 16 >= 4000 else ",") + "\r\n")
        out.write("LOGIC BEGIN\r\n")
        for i in range(2000):
            out.write("    ASSIGN B%d * B%d TO B%d; // statement %d\r\n" % (
                2 * i, (2 * i + 3) % 4000, 2 * i + 1, i))
        out.write("END LOGIC\r\nEND PROGRAM\r\n")


def long_operand(i):
    """A name of 80 characters that differs from the others only in its last ones."""
    number = "_%d" % i
    return "OPERAND_NAME_" + "X" * (80 - 13 - len(number)) + number


def write_long_operands(path, statements):
    """`statements` statements over names of 80 characters that no section declares, four
    operands and a result each, every name used once."""
    with open(path, "w", newline="") as out:
        out.write("PROGRAM OPERANDS;\r\nLOGIC BEGIN\r\n")
        for i in range(statements):
            names = [long_operand(5 * i + k) for k in range(5)]
            out.write("    ASSIGN %s TO %s;\r\n" % (" * ".join(names[:4]), names[4]))
        out.write("END LOGIC\r\nEND PROGRAM\r\n")


def xdotool(display, *args):
    done = subprocess.run(
        ["xdotool", *args],
        env=dict(os.environ, DISPLAY=display),
        capture_output=True,
        text=True,
        timeout=20,
    )
    return done.stdout.strip()


def windows(display):
    """The visible windows: id -> (name, width, height)."""
    found = {}
    for wid in xdotool(display, "search", "--onlyvisible", "--name", ".").split():
        name = xdotool(display, "getwindowname", wid)
        geometry = xdotool(display, "getwindowgeometry", "--shell", wid)
        size = dict(line.split("=") for line in geometry.splitlines() if "=" in line)
        found[wid] = (name, int(size.get("WIDTH", 0)), int(size.get("HEIGHT", 0)),
                      int(size.get("X", 0)), int(size.get("Y", 0)))
    return found


def named(display, predicate):
    for wid, (name, width, height, x, y) in windows(display).items():
        if predicate(name) and width > 1 and height > 1:
            return wid, (x, y, width, height)
    return None


def black(fbdir, box):
    """Whether the screen's pixels inside `box` (x, y, width, height) are all black."""
    with open(os.path.join(fbdir, "Xvfb_screen0"), "rb") as screen:
        data = screen.read()
    header_size, _, _, depth, width, height = struct.unpack(">6I", data[:24])
    bits_per_pixel, bytes_per_line = struct.unpack(">2I", data[44:52])
    colours = struct.unpack(">I", data[76:80])[0]
    pixels = header_size + colours * 12
    step = bits_per_pixel // 8
    x0, y0, w, h = box
    for y in range(max(y0, 0), min(y0 + h, height), 7):
        row = pixels + y * bytes_per_line
        for x in range(max(x0, 0), min(x0 + w, width), 7):
            at = row + x * step
            if any(data[at:at + 3]):
                return False
    return True


class Run:
    def __init__(self, args, source, limit):
        self.args = args
        self.source = source
        self.limit = limit
        self.folder = tempfile.mkdtemp(prefix="capped_")
        self.display = ":%d" % (400 + os.getpid() % 500)
        self.xvfb = subprocess.Popen(
            ["Xvfb", self.display, "-screen", "0", "1600x1000x24", "-fbdir", self.folder,
             "-nolisten", "tcp"],
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        time.sleep(1.0)
        self.errors = open(os.path.join(self.folder, "stderr"), "w+")
        env = dict(os.environ, DISPLAY=self.display, QT_QPA_PLATFORM="xcb",
                   XDG_CONFIG_HOME=self.folder, HOME=self.folder)
        self.program = subprocess.Popen(
            ["prlimit", "--as=%d" % (limit << 20), args.program, source],
            env=env, stdout=subprocess.DEVNULL, stderr=self.errors, start_new_session=True)

    def wait_for(self, predicate, seconds):
        end = time.monotonic() + seconds
        while time.monotonic() < end:
            if self.program.poll() is not None:
                return None
            found = predicate()
            if found:
                return found
            time.sleep(0.5)
        return None

    def window(self, predicate):
        return named(self.display, predicate)

    def main_window(self):
        return self.window(lambda name: "Card File" in name)

    def keys(self, wid, *keys):
        xdotool(self.display, "windowfocus", "--sync", wid)
        for key in keys:
            xdotool(self.display, "key", "--clearmodifiers", key)
            time.sleep(0.3)

    def menu(self, along, *items):
        """The main window's menu bar taken with Alt, `along` keys to a menu (from File),
        opened, then `items` keys."""
        main = self.main_window()
        if not main:
            return False
        self.keys(main[0], "alt", *along, "Down", *items)
        return True

    def dialog_step(self, predicate, painted=True):
        found = self.wait_for(lambda: self.window(predicate), self.args.step)
        if not found:
            return "hangs"
        time.sleep(1.0)
        outcome = "black" if painted and black(self.folder, found[1]) else "works"
        self.keys(found[0], "Escape")
        gone = self.wait_for(lambda: not self.window(predicate), self.args.step)
        return outcome if gone else outcome + ", stays"

    def status(self, field):
        """A field of the program's /proc status, in MB; 0 once it has gone."""
        try:
            with open("/proc/%d/status" % self.program.pid) as status:
                for line in status:
                    if line.startswith(field + ":"):
                        return int(line.split()[1]) // 1024
        except OSError:
            pass
        return 0

    def cpu(self):
        try:
            with open("/proc/%d/stat" % self.program.pid) as stat:
                fields = stat.read().rsplit(")", 1)[1].split()
            return int(fields[11]) + int(fields[12])
        except OSError:
            return None

    def reset_high_water(self):
        try:
            with open("/proc/%d/clear_refs" % self.program.pid, "w") as refs:
                refs.write("5")
        except OSError:
            pass

    def settle(self, boxes):
        """Waits until a box of those titles comes (its name) or the program's processor time
        stands still for two seconds ("done"); "hangs" after --wait seconds."""
        end = time.monotonic() + self.args.wait
        last, still = self.cpu(), 0
        while time.monotonic() < end:
            if self.program.poll() is not None:
                return "ended"
            box = self.window(lambda name: name in boxes)
            if box:
                return xdotool(self.display, "getwindowname", box[0])
            time.sleep(0.5)
            now = self.cpu()
            still = still + 1 if now == last else 0
            last = now
            if still >= 4:
                return "done"
        return "hangs"

    def answer_box(self, title):
        box = self.window(lambda name: name == title)
        if box:
            self.keys(box[0], "Return")

    def file_dialog(self, title, path):
        dialog = self.wait_for(lambda: self.window(lambda n: n == title), self.args.step)
        if not dialog:
            return False
        time.sleep(1.0)
        self.keys(dialog[0], "ctrl+a")
        xdotool(self.display, "type", "--delay", "20", path)
        time.sleep(0.3)
        self.keys(dialog[0], "Return")
        return True

    def measured(self, step):
        """Runs `step` and gives its outcome, with the resident memory it took at its peak above
        what the program held before, in MB."""
        before = self.status("VmRSS")
        self.reset_high_water()
        outcome = step()
        return "%s, +%s MB (%s MB kept)" % (
            outcome, format(max(self.status("VmHWM") - before, 0), ","),
            format(self.status("VmRSS") - before, ","))

    def shot(self, name):
        """A screenshot of the display into the --shots folder, named by the step and limit."""
        if self.args.shots:
            time.sleep(1.0)
            subprocess.run(["import", "-window", "root",
                            os.path.join(self.args.shots, "%s_%d.png" % (name, self.limit))],
                           env=dict(os.environ, DISPLAY=self.display))

    def answer_when(self, title, key):
        """Waits for the window of that title and answers it with the key; False when none came."""
        window = self.wait_for(lambda: self.window(lambda n: n == title), self.args.step)
        if not window:
            return False
        time.sleep(1.0)
        self.keys(window[0], key)
        return True

    def make_book(self):
        if not self.menu(["Right"], "Down", "Return"):
            return "no main window"
        if not self.file_dialog("Open", os.path.abspath(self.args.listing)):
            return "no dialog"
        if not self.answer_when("Listing Information", "Return"):
            return "no listing dialog"
        if not self.answer_when("Plot Numerics", "n"):
            return "no numerics question"
        end = time.monotonic() + self.args.wait
        while time.monotonic() < end and self.program.poll() is None:
            preview = self.window(lambda n: n.startswith("Print Preview"))
            if preview:
                pages = xdotool(self.display, "getwindowname", preview[0])
                self.keys(preview[0], "alt", "Down", "Up", "Return")  # File > Close, the last
                self.wait_for(self.main_window, self.args.step)
                return "made (%s)" % pages.split(": ", 1)[1]
            failed = self.window(lambda n: n == "Create Book Failed")
            if failed:
                self.shot("book")
                self.keys(failed[0], "Return")
                return "box"
            time.sleep(0.5)
        return "hangs" if self.program.poll() is None else "ended"

    def save_and_load_state(self, result):
        state = os.path.join(self.folder, "state.sst")
        if not self.menu([], "Down", "Down", "Right", "Return") or not self.file_dialog(
                "Save State", state):
            result["save"] = "no dialog"
            return
        result["save"] = self.measured(lambda: self.settle(["Veldra"]))
        if self.window(lambda n: n == "Veldra"):
            self.answer_box("Veldra")
            result["save"] += " (box)"
        size = os.path.getsize(state) if os.path.exists(state) else 0
        result["save"] += ", file %s MB" % format(size >> 20, ",")
        if not size:
            return
        if not self.menu([], "Down", "Down", "Right", "Down", "Return") or not self.file_dialog(
                "Load State", state):
            result["load"] = "no dialog"
            return
        boxes = ["Error Loading File", "Bit Not Found"]
        for step in ("load", "load again"):
            if step != "load" and not (
                    self.menu([], "Down", "Down", "Right", "Down", "Return")
                    and self.file_dialog("Load State", state)):
                result[step] = "no dialog"
                return
            result[step] = self.measured(lambda: self.settle(boxes))
            if self.window(lambda n: n in boxes):
                self.shot("state")
                self.answer_box("Error Loading File")
                result[step] += " (box)"
                return

    def peak(self):
        try:
            with open("/proc/%d/status" % self.program.pid) as status:
                for line in status:
                    if line.startswith("VmPeak"):
                        return int(line.split()[1]) // 1024
        except OSError:
            pass
        return 0

    def go(self):
        start = time.monotonic()
        # prlimit execs the program: its pid is the program's.
        outcome = self.wait_for(
            lambda: ("refused" if self.window(lambda name: name == "Ostrel") else None)
            or ("loaded" if self.window(lambda name: "Card File:" in name) else None),
            self.args.wait)
        seconds = time.monotonic() - start
        result = {"outcome": outcome or "nothing", "seconds": seconds, "peak": self.peak()}
        if outcome == "refused":
            box = self.window(lambda name: name == "Ostrel")
            self.keys(box[0], "Return")
            result["box"] = "works" if self.wait_for(
                lambda: self.main_window() and not self.window(lambda n: n == "Ostrel"),
                self.args.step) else "hangs"
        result["help"] = (self.dialog_step(lambda n: n.startswith("Veldra Help"))
                          if self.menu(["Left"], "Return") else "no main window")
        if outcome == "loaded" and self.args.listing:
            result["book"] = self.measured(self.make_book)
        elif outcome == "loaded":
            if self.menu(["Right"], "Down", "Return"):
                result["book"] = self.dialog_step(lambda n: n == "Open")
                back = self.wait_for(self.main_window, self.args.step)
                result["book"] += "" if back and not black(self.folder, back[1]) else ", main black"
            else:
                result["book"] = "no main window"
        if outcome == "loaded" and self.args.state:
            self.save_and_load_state(result)
        if self.menu([], "Return"):
            if outcome == "loaded":
                question = self.wait_for(lambda: self.window(lambda n: n == "Continue Open?"),
                                         self.args.step)
                if question:
                    self.keys(question[0], "Return")
            result["open"] = self.dialog_step(lambda n: n == "Open")
            after = self.wait_for(
                lambda: self.window(lambda n: n.endswith("Card File")), self.args.step)
            result["open"] += "" if after and not black(self.folder, after[1]) else ", main black"
        else:
            result["open"] = "no main window"
        if self.menu([], "Up", "Return"):
            try:
                self.program.wait(self.args.step)
                result["exit"] = "works"
            except subprocess.TimeoutExpired:
                result["exit"] = "hangs"
        else:
            result["exit"] = "no main window"
        self.errors.seek(0)
        result["thread errors"] = self.errors.read().count("Thread creation error")
        return result

    def end(self):
        if self.program.poll() is None:
            os.killpg(self.program.pid, signal.SIGKILL)
            self.program.wait()
        self.xvfb.terminate()
        self.xvfb.wait()
        self.errors.close()
        shutil.rmtree(self.folder, ignore_errors=True)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--names", type=int, default=7600000)
    parser.add_argument("--long", action="store_true", help="names of 30 to 60 characters")
    parser.add_argument("--comments", type=int,
                        help="a small program behind this many lines of comments")
    parser.add_argument("--operands", type=int,
                        help="this many statements over long names no section declares")
    parser.add_argument("--source", help="a source of your own instead of generated names")
    parser.add_argument("--limits", type=int, nargs="+", required=True, help="in MB")
    parser.add_argument("--program", default=os.path.join(ROOT, "build", "src", "veldra"))
    parser.add_argument("--listing", help="make the program book with this listing")
    parser.add_argument("--state", action="store_true", help="save the state and load it")
    parser.add_argument("--shots", help="a folder for screenshots of the boxes the steps meet")
    parser.add_argument("--wait", type=float, default=200)
    parser.add_argument("--step", type=float, default=20)
    args = parser.parse_args()
    source = args.source
    if not source and args.comments:
        source = "/tmp/capped_comments_%d.ml2" % args.comments
        if not os.path.exists(source):
            write_comments(source, args.comments)
    if not source and args.operands:
        source = "/tmp/capped_operands_%d.ml2" % args.operands
        if not os.path.exists(source):
            write_long_operands(source, args.operands)
    if not source:
        source = "/tmp/capped_%s_%d.ml2" % ("long" if args.long else "short", args.names)
        if not os.path.exists(source):
            write_names(source, args.names, args.long)
    print("source %s, %.1f MB" % (source, os.path.getsize(source) / 1e6))
    for limit in args.limits:
        run = Run(args, source, limit)
        try:
            result = run.go()
        finally:
            run.end()
        print("| %d MB | %s | %.1f | %s MB | %s |" % (
            limit, result.pop("outcome"), result.pop("seconds"), format(result.pop("peak"), ","),
            ", ".join("%s: %s" % item for item in result.items())))
        sys.stdout.flush()


if __name__ == "__main__":
    main()

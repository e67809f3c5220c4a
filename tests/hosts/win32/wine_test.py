#!/usr/bin/python3
"""Tessary.exe as a Windows user meets it, under Wine in a real X server with
a window manager, read back from what the screen shows.
Usage: wine_test.py BUILD-WINDOWS-DIR"""
import contextlib
import os
import subprocess
import sys
import tempfile
import time
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "support"))
import waiting  # noqa: E402
from xwd_shot import XwdShot  # noqa: E402

BUILD = os.path.abspath(sys.argv.pop(1) if len(sys.argv) > 1 else "build-windows")
PATIENCE = 20  # seconds for something the program should do
STILL = 0.5  # seconds a stopped picture must stay the same
BLACK, PINK = (0, 0, 0), (255, 192, 192)
# Where the definition puts the buttons, in pixels at 96 dpi: left, top, width, height.
BUTTONS = {"Move": (0, 16, 41, 17), "Color": (56, 16, 41, 17), "Slower": (112, 16, 41, 17),
           "Faster": (176, 16, 41, 17), "Stop": (232, 16, 41, 17), "Clear": (288, 16, 41, 17)}
BARE = (200, 150)  # a point on the bare area
# Milliseconds between keys: a person's pace, and the quickest that X and Wine
# still deliver one by one, for the hundreds of Slower that reach the timer's
# limit. Clicks closer than CLICK_DELAY, Wine may take for fewer.
KEY_DELAY, QUICK_DELAY, CLICK_DELAY = 30, 2, 25


def command(*words, check=True):
    return subprocess.run(words, capture_output=True, text=True, check=check).stdout.strip()


def quietly(*words):
    """A Wine command, away from our pipes: the services it may start would hold them open."""
    subprocess.run(words, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, check=True)


def boot(*words):
    """wineboot, asked again where it fails: right after another Wine server
    ended, one in a while finds it half gone (status 53 on a new prefix)."""
    until(lambda: subprocess.run(["wineboot", *words], stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                                 stderr=subprocess.DEVNULL).returncode == 0, "wineboot %s failed" % " ".join(words))


def until(condition, why):
    return waiting.until(condition, why, PATIENCE)


class Shot(XwdShot):
    """A window's pixels, and what of them is the drawing."""

    def drawn(self):
        """The bare area's pixels, less the edge where the focus frame may show."""
        edge = 2
        return [self.rows[y][4 * edge:4 * (self.width - edge)] for y in range(edge, self.height - edge)
                if not BUTTONS["Move"][1] <= y < BUTTONS["Move"][1] + BUTTONS["Move"][3]]

    def under_button(self, x, y, scale=1):
        return any(round(l * scale) <= x < round((l + w) * scale) and round(t * scale) <= y < round((t + h) * scale)
                   for l, t, w, h in BUTTONS.values())

    def rings(self):
        """The lit pixels of the bare area: how many, their box's centre, their colours."""
        lit = [(x, y, self.pixel(x, y)) for y in range(self.height) for x in range(self.width)
               if not self.under_button(x, y) and self.pixel(x, y) != BLACK]
        if not lit:
            return 0, None, set()
        xs, ys = [x for x, _, _ in lit], [y for _, y, _ in lit]
        return len(lit), ((min(xs) + max(xs)) / 2, (min(ys) + max(ys)) / 2), {c for _, _, c in lit}


def window_geometry(window):
    info = command("xwininfo", "-id", window)
    field = lambda name: int(info.split(name + ":")[1].split()[0])
    return field("Absolute upper-left X"), field("Absolute upper-left Y"), field("Width"), field("Height")


def windows(name):
    return set(command("xdotool", "search", "--onlyvisible", "--name", name, check=False).split())


class Program:
    def __init__(self, name="Tessary.exe", environment=None, desktop=None):
        """desktop: inside a Wine virtual desktop of that name and size, where Wine draws the frame."""
        before = windows("^Form1$")
        inside = ["explorer", "/desktop=" + desktop] if desktop else []
        self.process = subprocess.Popen(["wine"] + inside + [os.path.join(BUILD, name)], env=environment,
                                        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.window = until(lambda: next(iter(windows("^Form1$") - before), None), "no window Form1")
        self.scale = 1

    def geometry(self):
        return window_geometry(self.window)

    def shot(self):
        return Shot(self.window)

    def click(self, x, y):
        command("xdotool", "mousemove", "--window", self.window, str(x), str(y), "click", "1")

    def press(self, button):
        left, top, width, height = (round(v * self.scale) for v in BUTTONS[button])
        self.click(left + width // 2, top + height // 2)

    def keys(self, *keys, delay=KEY_DELAY):
        command("xdotool", "windowactivate", "--sync", self.window)
        command("xdotool", "key", "--delay", str(delay), *keys)

    def stopped(self):
        """Stops the rings (by mouse) and returns what stays on the screen."""
        self.press("Stop")
        return self.steady()

    def steady(self):
        """The screen once it has shown one picture for STILL seconds, as it must after Stop."""
        last, since = self.shot(), time.monotonic()

        def settled():
            nonlocal last, since
            shot = self.shot()
            if shot.drawn() != last.drawn():
                last, since = shot, time.monotonic()
            return last if time.monotonic() - since >= STILL else None

        return until(settled, "the picture went on changing")

    def close(self):
        command("wmctrl", "-i", "-c", self.window)
        return self.process.wait(timeout=PATIENCE)


class WineSession(unittest.TestCase):
    """A Wine prefix of its own, in its own X server with a window manager."""

    @classmethod
    def setUpClass(cls):
        cls.home = tempfile.TemporaryDirectory()
        os.environ.update(WINEPREFIX=os.path.join(cls.home.name, "prefix"), WINEDEBUG="-all",
                          WINEDLLOVERRIDES="mscoree,mshtml=")
        cls.display = contextlib.ExitStack()
        cls.open_display(cls.display)
        boot("-i")
        cls.serve()

    @classmethod
    def open_display(cls, display):
        """Xvfb, with a window manager."""
        server = subprocess.Popen(["Xvfb", "-displayfd", "1", "-screen", "0", "1024x768x24", "-nolisten", "tcp"],
                                  stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
        display.callback(lambda: (server.terminate(), server.wait()))
        os.environ["DISPLAY"] = ":" + server.stdout.readline().decode().strip()
        manager = subprocess.Popen(["openbox", "--sm-disable"], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        display.callback(lambda: (manager.terminate(), manager.wait()))

    @classmethod
    def serve(cls):
        """A Wine server that stays between programs, so that each starts in a blink."""
        quietly("wineserver", "-w")
        cls.wineserver = subprocess.Popen(["wineserver", "-f", "-p"], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        boot()

    @classmethod
    def unserve(cls):
        subprocess.run(["wineserver", "-k"], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        cls.wineserver.wait()

    @classmethod
    def tearDownClass(cls):
        cls.unserve()
        cls.display.close()
        cls.home.cleanup()


class WineTest(WineSession):
    def start(self, name="Tessary.exe", environment=None, desktop=None):
        program = Program(name, environment, desktop)
        self.addCleanup(lambda: program.process.poll() is not None or (program.process.kill(), program.process.wait()))
        until(lambda: program.shot().rings()[0] > 0, "no rings without a click")
        return program

    def set_dpi(self, dpi):
        """Wine's screen density, read anew by a Wine that starts again."""
        quietly("wine", "reg", "add", r"HKCU\Control Panel\Desktop", "/v", "LogPixels", "/t", "REG_DWORD", "/d", str(dpi), "/f")
        self.unserve()
        self.serve()

    def test_the_window_and_its_client_area_at_96_and_192_dpi(self):
        self.addCleanup(self.set_dpi, 96)
        for dpi, size in ((96, (353, 214)), (192, (706, 428))):
            with self.subTest(dpi=dpi):
                self.set_dpi(dpi)
                program = self.start()
                self.assertEqual(program.geometry()[2:], size)
                self.assertEqual(program.close(), 0)

    def test_the_buttons_stand_where_the_definition_puts_them(self):
        shot = self.start().shot()
        for caption, (left, top, width, height) in BUTTONS.items():
            with self.subTest(button=caption):
                row = top + height // 2
                face = [x for x in range(left - 4, left + width + 4) if shot.pixel(x, top + 2) == PINK]
                self.assertEqual((face[0], face[-1]), (left + 1, left + width - 2))
                self.assertEqual(shot.pixel(left + 1, top + height - 2), PINK)
                # Inside the focus frame, which Slower shows two pixels in.
                self.assertNotEqual(shot.pixel(left + 3, row), BLACK)

    def test_each_button_does_what_it_says_and_the_bare_area_starts_them_again(self):
        program = self.start()
        program.stopped()
        program.press("Clear")
        self.assertEqual(until(lambda: program.shot().rings()[0] == 0 or None, "Clear left rings"), True)

        def rings_after(*buttons):
            for button in buttons:
                program.press(button)
            program.click(*BARE)
            # Any lit pixel is a ring: a centre near the top gives rings of a pixel or two.
            until(lambda: program.shot().rings()[0] > 0, "no rings after a click on the bare area")
            drawn = program.stopped().rings()
            program.press("Clear")
            return drawn

        first = rings_after()
        moved = rings_after("Move")
        self.assertNotEqual(moved[1], first[1], "Move kept the centre")
        coloured = rings_after("Color")
        self.assertNotEqual(coloured[2], moved[2], "Color kept the colour")

    def test_the_keyboard_alone_reaches_every_command(self):
        program = self.start()
        program.keys("Tab", "Tab", "Tab", "Tab", "Tab", "space")  # Slower to Stop
        stopped = program.steady()
        program.keys("Tab", "space")  # the drawing area
        until(lambda: program.shot().drawn() != stopped.drawn(), "Space on the drawing area did not start them")
        program.keys("shift+Tab", "Return")  # Return on a button presses it, as Space does
        stopped = program.steady()
        program.keys("Tab", "Return")
        until(lambda: program.shot().drawn() != stopped.drawn(), "Return on the drawing area did not start them")

    def test_the_656th_slower_opens_one_error_window_beside_and_closing_still_ends_with_0(self):
        program = self.start()
        program.keys(*["space"] * 656, delay=QUICK_DELAY)  # Slower has the focus at start
        errors = until(lambda: command("xdotool", "search", "--onlyvisible", "--name", "^Tessary$", check=False),
                       "no error window")
        info = command("xwininfo", "-id", errors.split("\n")[0])
        field = lambda name: int(info.split(name + ":")[1].split()[0])
        x, y, width, height = program.geometry()
        left, top = field("Absolute upper-left X"), field("Absolute upper-left Y")
        apart = left >= x + width or top >= y + height or left + field("Width") <= x or top + field("Height") <= y
        self.assertTrue(apart, "the error window stands over the form")
        self.assertEqual(command("xdotool", "getactivewindow"), program.window, "the error window took the activation")
        # The next error's count needs a line more: the window grows to show it, where it stands.
        program.keys("space")
        grown = until(lambda: (lambda g: g if g[3] > field("Height") else None)(window_geometry(errors.split("\n")[0])),
                      "the error window did not grow for the next error")
        self.assertEqual(grown[:2], (left, top), "the error window moved")
        self.assertEqual(program.close(), 0)

    def test_the_screen_shows_the_picture_one_to_one_also_after_a_dpi_change(self):
        # At 144 dpi the window takes the size Windows suggests, 1.5 times its own.
        for dpi, scale, size in ((None, 1, (353, 214)), ("144", 1.5, (530, 321))):
            with self.subTest(dpi=dpi):
                out = os.path.join(self.home.name, "counts")
                environment = dict(os.environ, TESSARY_BENCH_OUT="Z:" + out.replace("/", "\\"))
                if dpi:
                    environment["TESSARY_TEST_DPI"] = dpi
                program = self.start("Tessary-bench.exe", environment)
                until(lambda: program.geometry()[2:] == size, "the window did not take the size for %s dpi" % dpi)
                program.scale = scale
                shot = program.stopped()
                left, top, width, height = (round(v * scale) for v in BUTTONS["Color"])
                self.assertEqual(shot.pixel(left + 2, top + height - 3), PINK, "the buttons did not follow")
                self.assertEqual(program.close(), 0)
                with open(out, "rb") as counts:
                    lines = [counts.readline() for _ in range(5)]
                    width, height = map(int, lines[4].split()[1:])
                    pixels = counts.read()
                self.assertEqual((width, height), (shot.width, shot.height))
                unlike = sum(1 for y in range(height) for x in range(width) if not shot.under_button(x, y, scale)
                             and shot.pixel(x, y) != tuple(pixels[4 * (y * width + x) + k] for k in (2, 1, 0)))
                self.assertEqual(unlike, 0)

    def test_the_rings_go_on_while_windows_runs_a_modal_loop_of_its_own(self):
        # In a virtual desktop Wine draws the frame and runs the move loop and the system menu itself.
        program = self.start(desktop="tessary-modal,800x600")
        self.addCleanup(lambda: [command("wmctrl", "-i", "-c", desktop) for desktop in windows("Wine desktop$")])
        # An error window to drag: the 656th Slower (which has the focus)
        # raises it; as many Faster bring the rings back to every millisecond.
        command("xdotool", "windowactivate", "--sync", program.window)
        command("xdotool", "key", "--delay", str(QUICK_DELAY), *["space"] * 656, "Tab", *["space"] * 656)
        errors = until(lambda: next(iter(windows("^Tessary$")), None), "no error window")
        # The error window's own move loop, from the press on its title bar on.
        command("xdotool", "mousemove", "--window", errors, "100", "6", "mousedown", "1")
        pictures = set()
        for step in range(10):  # far enough each way that Wine takes it for a drag
            command("xdotool", "mousemove_relative", "--", str(5 - 10 * (step % 2)), "0")
            pictures.add(b"".join(program.shot().drawn()))
            time.sleep(0.1)
        command("xdotool", "mouseup", "1")
        self.assertGreater(len(pictures), 3, "the rings stood still while the error window was dragged")
        title = (150, 12)  # on the title bar, from the frame's top left
        for how, hold, let_go in (
                ("title bar held", lambda: command("xdotool", "mousemove", "--window", program.window, *map(str, title),
                                                   "mousedown", "1"), lambda: command("xdotool", "mouseup", "1")),
                ("system menu open", lambda: program.click(10, 12), lambda: command("xdotool", "key", "Escape"))):
            with self.subTest(how):
                hold()
                pictures = set()
                for step in range(10):
                    if how.startswith("title"):  # a drag that keeps moving
                        command("xdotool", "mousemove_relative", "--", str(2 - 4 * (step % 2)), "0")
                    pictures.add(b"".join(program.shot().drawn()))
                    time.sleep(0.1)
                let_go()
                self.assertGreater(len(pictures), 3, "the rings stood still with the " + how)
        command("xdotool", "mousemove", "--window", program.window, *map(str, title), "click", "1", "key", "alt+F4")

    def test_a_double_click_counts_as_two_clicks(self):
        program = self.start()
        left, top, width, height = BUTTONS["Slower"]

        def slower(clicks):
            command("xdotool", "mousemove", "--window", program.window, str(left + width // 2), str(top + height // 2),
                    "click", "--repeat", str(clicks), "--delay", str(CLICK_DELAY), "1")

        # Quick clicks pair up into double clicks: 654 bring the interval to
        # the longest the timer takes, and the rings to a halt.
        slower(654)
        program.press("Clear")  # handled after every Slower: the area black shows they all were
        until(lambda: program.shot().rings()[0] == 0 or None, "Clear left rings")
        self.assertEqual(windows("^Tessary$"), set(), "an error before the timer's limit")
        slower(2)
        until(lambda: windows("^Tessary$"), "the 656th click on Slower raised no error")

    def test_the_focus_comes_back_where_it_was(self):
        program = self.start()
        program.keys("Tab", "Tab", "Tab", "Tab", "Tab")  # Slower to Stop
        elsewhere = subprocess.Popen(["xmessage", "-name", "elsewhere", "elsewhere"])
        self.addCleanup(elsewhere.kill)
        other = until(lambda: next(iter(windows("^elsewhere$")), None), "no other window")
        command("wmctrl", "-i", "-a", other)
        until(lambda: command("xdotool", "getactivewindow", check=False) == other or None, "the other window was not activated")
        command("wmctrl", "-i", "-a", program.window)
        until(lambda: command("xdotool", "getactivewindow", check=False) == program.window or None, "Form1 was not activated again")
        command("xdotool", "key", "space")
        program.steady()  # Space pressed Stop

    def test_a_screen_reader_finds_the_window_its_buttons_and_the_drawing_area_and_hears_errors(self):
        program = self.start()

        def probe(*words):
            return subprocess.run(["wine", os.path.join(BUILD, "tessary-msaa-probe.exe"), *words], capture_output=True,
                                  text=True, stdin=subprocess.DEVNULL)

        tree = [line.split(" ", 1)[1] for line in probe("tree").stdout.splitlines()]
        # Wine gives owner-drawn buttons a role of its own, so only the drawing area's role is read.
        self.assertEqual(tree, ["Form1", "Slower -", "Faster -", "Clear -", "Color -", "Move -", "Stop -",
                                "Drawing area Click"])
        self.assertEqual(probe("tree").stdout.splitlines()[-1].split(" ")[0], "43", "the drawing area is no push button")
        stopped = program.stopped()
        self.assertEqual(probe("press", "Drawing area").returncode, 0)
        until(lambda: program.shot().drawn() != stopped.drawn() or None, "the drawing area's action did not start them")
        listening = subprocess.Popen(["wine", os.path.join(BUILD, "tessary-msaa-probe.exe"), "alerts", "60"],
                                     stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, stdin=subprocess.DEVNULL, text=True)
        self.addCleanup(listening.kill)
        self.assertEqual(listening.stdout.readline().strip(), "listening")
        program.keys("Tab", "Tab", *["space"] * 656, delay=QUICK_DELAY)  # from Stop by the drawing area to Slower
        error = "Error 380: Invalid property value / Object: tmrtime / Operation: Interval"
        self.assertEqual(listening.stdout.readline().strip(), "alert " + error, "the error was not announced")
        program.keys("space")
        self.assertEqual(listening.stdout.readline().strip(), "alert %s / Errors so far: 2" % error,
                         "the next error was not announced")
        # The keyboard's way there and back: F6, then Escape or its Close button; the focus is Slower's again.
        for close in ("Escape", "space"):
            program.keys("F6", close)
            until(lambda: not windows("^Tessary$"), "%s did not close the error window" % close)
            program.keys("space")
            until(lambda: windows("^Tessary$"), "Slower did not have the focus back")


if __name__ == "__main__":
    unittest.main(verbosity=2)

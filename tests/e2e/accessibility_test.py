"""The real program as a keyboard user and a screen reader reach it.

Run by accessibility_test.sh inside a desktop of its own (X display, window
manager, D-Bus session, AT-SPI bus). Drives the program through a real AT-SPI
client (pyatspi) and through xdotool; prints one line per check and exits 1
if any failed.
"""

import os
import signal
import subprocess
import sys
import time

import pyatspi

PROGRAM = sys.argv[1]
SCRATCH = os.environ["TESSARY_SCRATCH"]
CAPTIONS = ["Move", "Color", "Slower", "Faster", "Stop", "Clear"]
SLOWER_CENTRE = (132, 24)  # inside the window, at its defined size
# 1 + 655 x 100 is the last interval the timer takes: of 700 presses from the
# start, the last 45 are refused.
PRESSES = 700
REFUSED = 45
# Milliseconds between presses. The window manager's click-to-focus grab
# loses some clicks that come 5 ms apart, before the program sees them; keys
# pass no grab.
CLICK_DELAY = 20
KEY_DELAY = 5
WAIT = 15

failures = []


def check(what, ok, detail=""):
    print(("ok: " if ok else "FAILED: ") + what + (f" ({detail})" if detail else ""), flush=True)
    if not ok:
        failures.append(what)
    return ok


def run(*words):
    return subprocess.run(words, capture_output=True, text=True, timeout=60).stdout.strip()


def poll(find, seconds=WAIT):
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        found = find()
        if found:
            return found
        time.sleep(0.1)
    return None


class Session:
    """One run of the program, ended by SIGHUP as a closed terminal would."""

    def __init__(self):
        environment = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
        self.process = subprocess.Popen([PROGRAM], env=environment, stderr=subprocess.DEVNULL)
        self.window = poll(lambda: run("xdotool", "search", "--onlyvisible", "--name", "^Form1$").split("\n")[0])
        self.app = poll(self._application)
        if self.window:
            run("xdotool", "windowactivate", "--sync", self.window)
            poll(lambda: run("xdotool", "getwindowfocus") == self.window, 5)

    def _application(self):
        for app in pyatspi.Registry.getDesktop(0):
            if app is not None and app.name == "Tessary":
                return app
        return None

    def frame(self):
        return next((c for c in self.app if c.getRole() == pyatspi.ROLE_FRAME), None)

    def find(self, role, name=None):
        return pyatspi.findDescendant(self.app, lambda a: a.getRole() == role and (name is None or a.name == name))

    def press(self, accessible):
        action = accessible.queryAction()
        names = [action.getName(i).lower() for i in range(action.nActions)]
        action.doAction(names.index("press"))

    def dialog_text(self):
        dialog = self.find(pyatspi.ROLE_DIALOG)
        if not dialog:
            return ""
        return " ".join(a.name for a in pyatspi.findAllDescendants(dialog, lambda a: a.getRole() == pyatspi.ROLE_LABEL))

    def frame_geometry(self, window):
        """The window with the frame the window manager puts around it, on the screen."""
        values = {}
        for line in run("xwininfo", "-frame", "-id", window).split("\n"):
            key, _, value = line.strip().partition(":")
            values[key] = value.strip()
        return (int(values["Absolute upper-left X"]), int(values["Absolute upper-left Y"]),
                int(values["Width"]), int(values["Height"]))

    def screenshot(self, name):
        path = os.path.join(SCRATCH, name + ".png")
        run("scrot", "--overwrite", path)
        with open(path, "rb") as shot:
            return shot.read()

    def picture_changes(self, seconds=1):
        """Whether the picture changes within that many seconds."""
        first = self.screenshot("first")
        return poll(lambda: first != self.screenshot("second"), seconds) is not None

    def picture_starts_changing(self):
        """Whether the picture changes within WAIT seconds: a busy machine may
        take a while to deliver the keys that start it."""
        first = self.screenshot("first")
        return poll(lambda: first != self.screenshot("later")) is not None

    def picture_stands_still(self):
        """Whether, within WAIT seconds, the picture stays the same for one."""
        return poll(lambda: not self.picture_changes()) is not None

    def tab_to(self, name, tabs):
        """Presses Tab that many times, one at a time, each once the focus has
        moved, and tells whether the focus is then on the named control."""
        for _ in range(tabs):
            before = self.focused_name()
            run("xdotool", "key", "Tab")
            poll(lambda: self.focused_name() != before, 5)
        return poll(lambda: self.focused_name() == name, 5) is not None

    def focused_name(self):
        accessible = pyatspi.findDescendant(self.app, lambda a: a.getState().contains(pyatspi.STATE_FOCUSED))
        return accessible.name if accessible else None

    def end(self):
        self.process.send_signal(signal.SIGHUP)
        return self.process.wait(WAIT)


def overlap(a, b):
    return a[0] < b[0] + b[2] and b[0] < a[0] + a[2] and a[1] < b[1] + b[3] and b[1] < a[1] + a[3]


def the_tree_and_its_actions():
    session = Session()
    if check("the program is on the AT-SPI bus as Tessary", session.app is not None):
        frame = session.frame()
        check("the window is a frame named Form1", frame is not None and frame.name == "Form1",
              frame.name if frame else "no frame")
        buttons = pyatspi.findAllDescendants(session.app, lambda a: a.getRole() == pyatspi.ROLE_PUSH_BUTTON)
        names = [b.name for b in buttons]
        check("six push buttons named by their captions", sorted(names) == sorted(CAPTIONS), str(names))
        for button in buttons:
            action = button.queryAction()
            check(f"{button.name} has a Press action",
                  "press" in [action.getName(i).lower() for i in range(action.nActions)])
        area = pyatspi.findDescendant(session.app, lambda a: a.name == "Drawing area")
        if check("the drawing area is there by name", area is not None):
            action = area.queryAction()
            check("the drawing area has a Press action",
                  "press" in [action.getName(i).lower() for i in range(action.nActions)])
            session.press(session.find(pyatspi.ROLE_PUSH_BUTTON, "Stop"))
            check("after Press on Stop the picture stands still", session.picture_stands_still())
            session.press(area)
            check("the drawing area's action starts the rings again", session.picture_starts_changing())
    check("SIGHUP ends it with status 0", session.end() == 0)


def seven_hundred_presses(how, press):
    session = Session()
    if not check(f"{how}: the window has the focus", session.window is not None
                 and run("xdotool", "getwindowfocus") == session.window):
        session.end()
        return
    press(session)
    text = poll(lambda: session.dialog_text() if f"Errors so far: {REFUSED}" in session.dialog_text() else None)
    # No more may follow: the count must hold for a second.
    more = poll(lambda: f"Errors so far: {REFUSED}" not in session.dialog_text(), 1)
    check(f"{how}: {PRESSES} presses on Slower give {REFUSED} refusals", text is not None and not more,
          session.dialog_text())
    dialog = run("xdotool", "search", "--onlyvisible", "--name", "^Tessary$").split("\n")[0]
    if check(f"{how}: the error dialog is on screen", bool(dialog)):
        main, box = session.frame_geometry(session.window), session.frame_geometry(dialog)
        check(f"{how}: the dialog does not cover the window", not overlap(main, box), f"window {main}, dialog {box}")
    check(f"{how}: the focus stayed on the window", run("xdotool", "getwindowfocus") == session.window)
    check(f"{how}: SIGHUP ends it with status 0", session.end() == 0)


def by_mouse(session):
    run("xdotool", "mousemove", "--window", session.window, str(SLOWER_CENTRE[0]), str(SLOWER_CENTRE[1]))
    run("xdotool", "click", "--repeat", str(PRESSES), "--delay", str(CLICK_DELAY), "1")


def by_space(session):
    run("xdotool", "key", "--repeat", str(PRESSES), "--delay", str(KEY_DELAY), "space")


def the_keyboard_stops_and_resumes():
    session = Session()
    # Slower has the focus at start; Tab runs Faster, Clear, Color, Move, Stop,
    # the drawing area, then Slower again.
    if check("keyboard: five Tabs from Slower reach Stop", session.tab_to("Stop", 5), session.focused_name()):
        run("xdotool", "key", "space")
        check("keyboard: Space on Stop halts the rings", session.picture_stands_still())
    if check("keyboard: one more reaches the drawing area", session.tab_to("Drawing area", 1), session.focused_name()):
        run("xdotool", "key", "space")
        check("keyboard: Space on the drawing area starts them again", session.picture_starts_changing())
    if check("keyboard: six Tabs from there come round to Stop", session.tab_to("Stop", 6), session.focused_name()):
        run("xdotool", "key", "space")
        check("keyboard: Space on Stop halts them again", session.picture_stands_still())
    if check("keyboard: one more reaches the drawing area again", session.tab_to("Drawing area", 1),
             session.focused_name()):
        run("xdotool", "key", "Return")
        check("keyboard: Return on the drawing area starts them too", session.picture_starts_changing())
    check("keyboard: SIGHUP ends it with status 0", session.end() == 0)


the_tree_and_its_actions()
seven_hundred_presses("mouse", by_mouse)
seven_hundred_presses("space", by_space)
the_keyboard_stops_and_resumes()
print(f"{len(failures)} failed" if failures else "all passed")
sys.exit(1 if failures else 0)

#!/usr/bin/python3
"""Tessary.scr as Windows runs it, under Wine in a real X server: full screen,
the preview inside a window of another program, the settings over one, and
the arguments Windows never passes.
Usage: wine_saver_test.py BUILD-WINDOWS-DIR"""
import os
import subprocess
import sys
import unittest

import wine_test
from wine_test import BLACK, Shot, command, quietly, until, window_geometry, windows
import dummy_xorg  # noqa: E402 (beside the tests' other helpers, which wine_test finds)

SCREEN = (0, 0, 1024, 768)  # the X server's, as wine_test starts it
PARENT = (152, 112)  # the client size of the helper's window
SETTINGS = "^Tessary Screen Saver Settings$"


def registry():
    """The change period kept, as reg prints it, or None."""
    out = subprocess.run(["wine", "reg", "query", r"HKCU\Software\Tessary", "/v", "ChangeEvery"], capture_output=True,
                         text=True, stdin=subprocess.DEVNULL).stdout.split()
    return out[out.index("REG_DWORD") + 1] if "REG_DWORD" in out else None


class WineSaverTest(wine_test.WineSession):
    def saver(self, *arguments):
        process = subprocess.Popen(["wine", os.path.join(wine_test.BUILD, "Tessary.scr"), *arguments],
                                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, stdin=subprocess.DEVNULL)
        self.addCleanup(lambda: process.poll() is not None or (process.kill(), process.wait()))
        return process

    def full_screen(self):
        process = self.saver("/s")
        window = until(lambda: next(iter(windows("^Tessary$")), None), "no full-screen window")
        return process, window

    def parent(self):
        """The helper's window, and how it says what came into it."""
        helper = subprocess.Popen(["wine", os.path.join(wine_test.BUILD, "tessary-saver-parent.exe")],
                                  stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, stdin=subprocess.DEVNULL, text=True)
        self.addCleanup(helper.stdout.close)
        self.addCleanup(lambda: helper.poll() is not None or (helper.kill(), helper.wait()))
        return helper, helper.stdout.readline().strip()

    def ended(self, process):
        return process.wait(timeout=wine_test.PATIENCE)

    def test_full_screen_it_covers_the_screen_with_rings_of_two_colours_and_a_real_move_ends_it(self):
        process, window = self.full_screen()
        self.assertEqual(window_geometry(window), SCREEN)
        colours = lambda shot: {shot.pixel(x, y) for y in range(0, SCREEN[3], 2) for x in range(0, SCREEN[2], 2)}
        until(lambda: len(colours(Shot(window)) - {BLACK}) >= 2 or None, "no rings of two colours")
        command("xdotool", "mousemove_relative", "2", "2")
        with self.assertRaises(subprocess.TimeoutExpired, msg="a move of 2 px ended it"):
            process.wait(timeout=wine_test.STILL)
        command("xdotool", "mousemove_relative", "100", "0")
        self.assertEqual(self.ended(process), 0)

    def test_full_screen_a_key_ends_it(self):
        process, window = self.full_screen()
        until(lambda: command("xdotool", "getactivewindow", check=False) == window or None, "the saver was not activated")
        command("xdotool", "key", "shift")
        self.assertEqual(self.ended(process), 0)

    def test_full_screen_another_window_taking_the_activation_ends_it(self):
        process, window = self.full_screen()
        until(lambda: command("xdotool", "getactivewindow", check=False) == window or None, "the saver was not activated")
        elsewhere = subprocess.Popen(["xmessage", "-name", "elsewhere", "elsewhere"], stderr=subprocess.DEVNULL)
        self.addCleanup(lambda: (elsewhere.kill(), elsewhere.wait()))
        other = until(lambda: next(iter(windows("^elsewhere$")), None), "no other window")
        command("wmctrl", "-i", "-a", other)
        self.assertEqual(self.ended(process), 0)

    def test_the_preview_is_a_child_filling_its_parent_and_ends_with_it(self):
        helper, handle = self.parent()
        process = self.saver("/p", handle)
        self.assertEqual(helper.stdout.readline().strip(),
                         "child WS_CHILD parent self at 0,0 size %dx%d" % PARENT)
        self.assertEqual(helper.wait(timeout=wine_test.PATIENCE), 0)  # it destroys its window a second later
        self.assertEqual(self.ended(process), 0)

    def test_the_settings_are_owned_by_the_window_named_and_only_ok_keeps_them(self):
        before = registry()
        for keys, kept in ((["1", "2", "Escape"], before), (["1", "2", "Return"], "0xc")):
            with self.subTest(keys=keys):
                helper, handle = self.parent()
                process = self.saver("/c:" + handle)
                self.assertEqual(helper.stdout.readline().strip(), "owned Tessary Screen Saver Settings")
                dialog = until(lambda: next(iter(windows(SETTINGS)), None), "no settings dialog")
                owner = command("xprop", "-id", dialog, "WM_TRANSIENT_FOR").split()[-1]
                self.assertEqual(int(owner, 16), int(next(iter(windows("^Saver parent$"))), 10))
                command("xdotool", "windowactivate", "--sync", dialog, "key", "--delay", "30", *keys)
                self.assertEqual(self.ended(process), 0)
                self.assertEqual(registry(), kept)

    def test_the_password_switch_does_nothing_and_anything_else_says_how_it_is_used(self):
        self.assertEqual(self.ended(self.saver("/a")), 0)
        process = self.saver("/x")
        message = until(lambda: next(iter(windows("^Tessary$")), None), "no usage message")
        command("xdotool", "windowactivate", "--sync", message, "key", "Return")
        self.assertEqual(self.ended(process), 1)


class WineMonitorsTest(wine_test.WineSession):
    """On a real X server of two monitors of two sizes, with no window manager,
    as Windows has none: openbox would put a full-screen window on one monitor."""

    @classmethod
    def open_display(cls, display):
        cls.monitors = display.enter_context(dummy_xorg.two_monitors())

    def test_full_screen_it_covers_every_monitor_with_rings(self):
        # Rings gather near their centre, which may stay on one monitor for a
        # while: with the least change period a user may choose, a new centre
        # each second makes a monitor left dark for the whole wait unlikely.
        quietly("wine", "reg", "add", r"HKCU\Software\Tessary", "/v", "ChangeEvery", "/t", "REG_DWORD", "/d", "1", "/f")
        process = subprocess.Popen(["wine", os.path.join(wine_test.BUILD, "Tessary.scr"), "/s"],
                                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, stdin=subprocess.DEVNULL)
        self.addCleanup(lambda: process.poll() is not None or (process.kill(), process.wait()))
        window = until(lambda: next(iter(windows("^Tessary$")), None), "no full-screen window")
        right = max(x + width for x, _, width, _ in self.monitors)
        bottom = max(y + height for _, y, _, height in self.monitors)
        self.assertEqual(window_geometry(window), (0, 0, right, bottom))
        within = lambda point, box: box[0] <= point[0] < box[0] + box[2] and box[1] <= point[1] < box[1] + box[3]
        until(lambda: all(any(within(p, m) for p in Shot().lit(8)) for m in self.monitors) or None,
              "no rings on each monitor")


if __name__ == "__main__":
    unittest.main(verbosity=2)

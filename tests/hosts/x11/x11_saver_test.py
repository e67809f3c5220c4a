#!/usr/bin/python3
"""The XScreenSaver module as XScreenSaver runs it, in a real X server:
directly in a window of the test's making, and started and stopped by the
XScreenSaver daemon itself, as an unprivileged user.
Usage: x11_saver_test.py MODULE [TestCase.test_name ...]
(The trace driver, for the colours the module draws first, is beside MODULE.)"""
import contextlib
import ctypes
import os
import re
import pwd
import shutil
import signal
import subprocess
import sys
import tempfile
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "support"))
import dummy_xorg  # noqa: E402
import waiting  # noqa: E402
from x_server import as_display  # noqa: E402
from xwd_shot import XwdShot  # noqa: E402

MODULE = os.path.abspath(sys.argv.pop(1))
TRACE = os.path.join(os.path.dirname(MODULE), "tessary-trace")
PATIENCE = 20  # seconds for something the module should do
SIGTERM_GRACE = 1  # seconds it may take to end on SIGTERM
SMALL, LARGE = (200, 150), (600, 400)


def until(condition, why):
    return waiting.until(condition, why, PATIENCE)


def top_level_windows():
    return subprocess.run(["xwininfo", "-root", "-children"], capture_output=True, text=True,
                          check=True).stdout.count("\n     0x")


@contextlib.contextmanager
def xvfb(depth, *options, over_tcp=False):
    """An X server of one screen at this depth, as the display of what follows;
    reached over TCP where asked."""
    listening = ["-listen", "tcp"] if over_tcp else ["-nolisten", "tcp"]
    server = subprocess.Popen(["Xvfb", "-displayfd", "1", "-screen", "0", "400x300x%d" % depth, *listening, *options],
                              stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
    number = server.stdout.readline().decode().strip()
    with as_display(server, ("localhost:" if over_tcp else ":") + number):
        yield


def first_colour():
    """The red, green and blue of the rings the form draws before its first change of colour."""
    trace = subprocess.run([TRACE], input="load\ntick\n", capture_output=True, text=True, check=True).stdout
    bgr = int(re.search(r"call frmtessary\.Circle \S+ \S+ \S+ (0x[0-9A-F]+)", trace).group(1), 16)
    return bgr & 0xFF, (bgr >> 8) & 0xFF, bgr >> 16


def trace_pictures(ticks):
    """The hash of the form's picture after each tick, at the form's own size."""
    trace = subprocess.run([TRACE], input="load\n" + "tick\npicture\n" * ticks, capture_output=True, text=True,
                           check=True).stdout
    return set(re.findall(r"^picture \d+ \d+ ([0-9a-f]{16})$", trace, re.MULTILINE))


def shown_hash(shot):
    """The window's pixels hashed as the trace driver hashes a picture."""
    value = 0xcbf29ce484222325
    for y in range(shot.height):
        for x in range(shot.width):
            for byte in shot.pixel(x, y):
                value = ((value ^ byte) * 0x100000001b3) & 0xFFFFFFFFFFFFFFFF
    return "%016x" % value


def shares_memory(process):
    """Whether the process holds a System V shared memory segment."""
    with open("/proc/%d/maps" % process.pid) as maps:
        return "/SYSV" in maps.read()


def reduced(value, mask):
    """An eight-bit channel cut to a mask's width, at its place."""
    shift = (mask & -mask).bit_length() - 1
    return (value >> (8 - bin(mask).count("1"))) << shift


@contextlib.contextmanager
def running_daemon(test):
    """The XScreenSaver daemon on DISPLAY, as an unprivileged user, set to run
    the module alone; yields how to command it, how to wait for something it
    should do (with what it said, where that fails), and how many modules it
    runs (its own: another test's daemon may run beside it)."""
    # Where the other user reaches it: the temporary folder may be one
    # only this user can enter.
    home = tempfile.mkdtemp(dir="/tmp" if os.getuid() == 0 else None)
    test.addCleanup(shutil.rmtree, home)
    os.makedirs(os.path.join(home, "bin"))
    shutil.copy(MODULE, os.path.join(home, "bin", "tessary"))
    with open(os.path.join(home, ".xscreensaver"), "w") as settings:
        settings.write("mode: one\nselected: 0\nprograms: tessary --root --change-every 1\n"
                       "lock: False\nfade: False\nunfade: False\nsplash: False\ntimeout: 1:00:00\n")
    # The daemon will not start modules as root.
    as_user = []
    if os.getuid() == 0:
        nobody = pwd.getpwnam("nobody")
        for folder, _, files in os.walk(home):
            for name in [folder] + [os.path.join(folder, f) for f in files]:
                os.chown(name, nobody.pw_uid, nobody.pw_gid)
        as_user = ["setpriv", "--reuid=nobody", "--regid=%d" % nobody.pw_gid, "--clear-groups", "--"]
    environment = dict(os.environ, HOME=home, PATH=os.path.join(home, "bin") + ":" + os.environ["PATH"])
    # What the daemon says stays aside, to be shown where it fails.
    with tempfile.TemporaryFile() as said:
        # A session of its own, which the modules it starts are in.
        daemon = subprocess.Popen(as_user + ["xscreensaver", "-no-splash", "-verbose"], env=environment,
                                  stdout=said, stderr=subprocess.STDOUT, start_new_session=True)

        def until_or_say(condition, why):
            try:
                return until(condition, why)
            except AssertionError:
                said.seek(0)
                raise AssertionError("%s; the daemon said:\n%s" % (why, said.read().decode(errors="replace")[-3000:]))

        command = lambda *words: subprocess.run(as_user + ["xscreensaver-command", *words], env=environment,
                                                capture_output=True).returncode == 0
        modules = lambda: len(subprocess.run(["pgrep", "-x", "-s", str(daemon.pid), "tessary"], capture_output=True,
                                             text=True).stdout.split())
        try:
            yield command, until_or_say, modules
        finally:
            daemon.terminate()
            daemon.wait()


class BareWindow:
    """A plain window on the display, as XScreenSaver would make one."""

    def __init__(self, width, height):
        x = ctypes.CDLL("libX11.so.6")
        x.XOpenDisplay.restype = ctypes.c_void_p
        x.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
        x.XDefaultRootWindow.restype = ctypes.c_ulong
        x.XCreateSimpleWindow.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int, ctypes.c_uint,
                                          ctypes.c_uint, ctypes.c_uint, ctypes.c_ulong, ctypes.c_ulong]
        x.XCreateSimpleWindow.restype = ctypes.c_ulong
        self.x = x
        self.display = ctypes.c_void_p(x.XOpenDisplay(None))
        self.id = x.XCreateSimpleWindow(self.display, x.XDefaultRootWindow(self.display), 0, 0, width, height, 0, 0, 0)
        x.XMapWindow(self.display, ctypes.c_ulong(self.id))
        x.XFlush(self.display)

    def close(self):
        self.x.XCloseDisplay(self.display)


class X11SaverTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        # Open to every local client: the daemon runs as another user.
        cls.server = subprocess.Popen(["Xvfb", "-displayfd", "1", "-screen", "0", "640x480x24", "-nolisten", "tcp", "-ac"],
                                      stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
        os.environ["DISPLAY"] = ":" + cls.server.stdout.readline().decode().strip()

    @classmethod
    def tearDownClass(cls):
        cls.server.terminate()
        cls.server.wait()

    def test_run_directly_it_draws_in_the_window_given_follows_its_size_and_ends_on_sigterm(self):
        window = BareWindow(*SMALL)
        self.addCleanup(window.close)
        before = top_level_windows()
        module = subprocess.Popen([MODULE, "--window-id", hex(window.id), "--change-every", "1"])
        self.addCleanup(lambda: module.poll() is not None or (module.kill(), module.wait()))
        until(lambda: XwdShot(window.id).lit(), "no rings in the window")
        self.assertEqual(top_level_windows(), before, "the module opened a window of its own")
        subprocess.run(["xdotool", "windowsize", str(window.id), *map(str, LARGE)], check=True)
        # A new centre comes every second, somewhere in the window as it is now.
        until(lambda: any(x >= SMALL[0] or y >= SMALL[1] for x, y in XwdShot(window.id).lit(4)),
              "no rings beyond the window's first size")
        module.send_signal(signal.SIGTERM)
        self.assertEqual(module.wait(timeout=SIGTERM_GRACE), 0)

    def test_a_window_that_is_not_there_is_said_on_standard_error_with_status_1(self):
        refused = subprocess.run([MODULE, "--window-id", "0x7ffffff"], capture_output=True, text=True, timeout=PATIENCE)
        self.assertEqual((refused.returncode, refused.stderr.split(": ", 1)[-1].strip()),
                         (1, "the window 0x7ffffff cannot be reached"))

    def test_the_daemon_runs_it_when_activated_and_ends_it_when_deactivated(self):
        with running_daemon(self) as (command, until_or_say, modules):
            until_or_say(lambda: command("-activate"), "the daemon did not take -activate")
            until_or_say(lambda: modules() > 0, "the daemon did not start the module")
            until(lambda: XwdShot().lit(4), "no rings on the screen")
            until_or_say(lambda: command("-deactivate"), "the daemon did not take -deactivate")
            until(lambda: modules() == 0, "the module was left running")


class X11MonitorsTest(unittest.TestCase):
    def test_on_two_monitors_of_two_sizes_the_daemon_runs_one_module_drawing_in_each(self):
        with dummy_xorg.two_monitors() as monitors, running_daemon(self) as (command, until_or_say, modules):
            until_or_say(lambda: command("-activate"), "the daemon did not take -activate")
            until_or_say(lambda: modules() == len(monitors), "the daemon did not start a module for each monitor")
            within = lambda point, box: box[0] <= point[0] < box[0] + box[2] and box[1] <= point[1] < box[1] + box[3]
            until(lambda: all(any(within(p, m) for p in XwdShot().lit(8)) for m in monitors),
                  "no rings on each monitor")
            until_or_say(lambda: command("-deactivate"), "the daemon did not take -deactivate")
            until(lambda: modules() == 0, "the modules were left running")


class X11SharedMemoryTest(unittest.TestCase):
    def test_through_shared_memory_or_not_the_window_shows_the_picture_exactly(self):
        pictures = trace_pictures(4000)
        form = (353, 214)
        for why, options, over_tcp, shared in (("shared memory", [], False, True),
                                               ("a server without it", ["-extension", "MIT-SHM"], False, False),
                                               ("a server over TCP", [], True, False)):
            with self.subTest(why), xvfb(24, *options, over_tcp=over_tcp), \
                    contextlib.closing(BareWindow(*form)) as window:
                module = subprocess.Popen([MODULE, "--window-id", hex(window.id), "--change-every", "60"])
                try:
                    until(lambda: len(XwdShot(window.id).lit()) > 200, "no rings through %s" % why)
                    self.assertEqual(shares_memory(module), shared)
                    # Stopped, it shows its last picture, whole.
                    module.send_signal(signal.SIGSTOP)
                    shown = until(lambda: (lambda a, b: a == b and a)(shown_hash(XwdShot(window.id)),
                                                                      shown_hash(XwdShot(window.id))), "no still picture")
                    module.send_signal(signal.SIGCONT)
                finally:
                    module.kill()
                    module.wait()
                self.assertIn(shown, pictures, "the window shows no picture the form drew")


class X11DepthTest(unittest.TestCase):
    def test_every_true_colour_depth_shows_the_pictures_colours_reduced_to_its_bits(self):
        red, green, blue = first_colour()
        for depth in (16, 24):
            # Everything on the display gone before it goes: Xlib ends a
            # process whose display vanishes.
            with self.subTest(depth=depth), xvfb(depth), contextlib.closing(BareWindow(*SMALL)) as window:
                module = subprocess.Popen([MODULE, "--window-id", hex(window.id), "--change-every", "60"])
                try:
                    until(lambda: XwdShot(window.id).lit(), "no rings at depth %d" % depth)
                    shot = XwdShot(window.id)
                finally:
                    module.kill()
                    module.wait()
                expected = reduced(red, shot.masks[0]) | reduced(green, shot.masks[1]) | reduced(blue, shot.masks[2])
                # The bits of a pixel beyond its colour's are nobody's.
                colour = shot.masks[0] | shot.masks[1] | shot.masks[2]
                self.assertEqual({shot.raw(x, y) & colour for x, y in shot.lit()}, {expected})

    def test_a_visual_that_is_not_true_colour_is_said_with_status_1(self):
        with xvfb(8):
            refused = subprocess.run([MODULE, "--root"], capture_output=True, text=True, timeout=PATIENCE)
        self.assertEqual((refused.returncode, refused.stderr.split(": ", 1)[-1].strip()),
                         (1, "the window's visual is not true colour"))


if __name__ == "__main__":
    unittest.main(verbosity=2)

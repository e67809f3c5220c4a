"""A real X server with no screen (Xorg's dummy driver), of two monitors of
different sizes side by side, which Xvfb cannot give: its +xinerama puts
every head at 0,0."""
import contextlib
import os
import subprocess
import tempfile

from x_server import as_display

# The first monitor, and the second right of it: a virtual screen of 1824x768.
MONITORS = [(0, 0, 1024, 768), (1024, 0, 800, 600)]
CONFIG = """Section "Device"
  Identifier "dummy"
  Driver "dummy"
  VideoRam 256000
EndSection
Section "Monitor"
  Identifier "monitor"
  HorizSync 5.0-1000.0
  VertRefresh 5.0-200.0
EndSection
Section "Screen"
  Identifier "screen"
  Device "dummy"
  Monitor "monitor"
  DefaultDepth 24
  SubSection "Display"
    Depth 24
    Virtual 2048 1024
  EndSubSection
EndSection
"""


def xrandr(*words):
    subprocess.run(["xrandr", *words], check=True, capture_output=True)


@contextlib.contextmanager
def two_monitors():
    """The server as DISPLAY while it lasts, open to every local client."""
    with tempfile.TemporaryDirectory() as folder:
        config = os.path.join(folder, "xorg.conf")
        with open(config, "w") as out:
            out.write(CONFIG)
        os.mkdir(os.path.join(folder, "xorg.conf.d"))
        # Xorg itself: its wrapper refuses anyone not at the console.
        server = subprocess.Popen(["/usr/lib/xorg/Xorg", "-displayfd", "1", "-config", config, "-configdir",
                                   os.path.join(folder, "xorg.conf.d"), "-logfile", os.path.join(folder, "xorg.log"),
                                   "-noreset", "-nolisten", "tcp", "-ac"],
                                  stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
        with as_display(server, ":" + server.stdout.readline().decode().strip()):
            (x, y, width, height), (x2, y2, width2, height2) = MONITORS
            xrandr("--output", "DUMMY0", "--mode", "%dx%d" % (width, height))
            xrandr("--addmode", "DUMMY1", "%dx%d" % (width2, height2))
            xrandr("--output", "DUMMY1", "--mode", "%dx%d" % (width2, height2), "--right-of", "DUMMY0")
            # The driver says the second output is connected only when asked
            # afresh: once asked, clients that read the server's current state
            # alone (Wine) see it too.
            xrandr()
            yield MONITORS

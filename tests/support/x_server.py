"""An X server the tests started, as the display while it lasts."""
import contextlib
import os


@contextlib.contextmanager
def as_display(server, name):
    """DISPLAY is name until the block ends; then the server ends, and DISPLAY is as it was."""
    before = os.environ.get("DISPLAY")
    os.environ["DISPLAY"] = name
    try:
        yield
    finally:
        server.terminate()
        server.wait()
        if before is None:
            del os.environ["DISPLAY"]
        else:
            os.environ["DISPLAY"] = before

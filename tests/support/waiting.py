"""Waiting, in the tests that drive a real program from outside, for what the
right behaviour brings, and watching for a while that what must not come does
not: never a bare sleep that counts."""
import subprocess
import time

POLL = 0.05  # seconds between looks


def until(condition, why, patience):
    """The first true value of condition within patience seconds; else a failure saying why.
    A probe that fails (a command's non-zero exit while there is no window yet,
    or nothing is active yet) means "not yet", never that the test failed."""
    deadline = time.monotonic() + patience
    failed = None
    while time.monotonic() < deadline:
        try:
            value = condition()
        except subprocess.CalledProcessError as failure:
            value, failed = None, failure
        if value:
            return value
        time.sleep(POLL)
    raise AssertionError(why if failed is None else "%s (the last look failed: %s)" % (why, failed))


def holds(condition, seconds):
    """Whether condition stays true for so many seconds."""
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        if not condition():
            return False
        time.sleep(POLL)
    return True

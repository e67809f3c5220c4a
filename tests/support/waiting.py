"""Waiting, in the tests that drive a real program from outside, for what the
right behaviour brings, and watching for a while that what must not come does
not: never a bare sleep that counts."""
import time

POLL = 0.05  # seconds between looks


def until(condition, why, patience):
    """The first true value of condition within patience seconds; else a failure saying why."""
    deadline = time.monotonic() + patience
    while time.monotonic() < deadline:
        value = condition()
        if value:
            return value
        time.sleep(POLL)
    raise AssertionError(why)


def holds(condition, seconds):
    """Whether condition stays true for so many seconds."""
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        if not condition():
            return False
        time.sleep(POLL)
    return True

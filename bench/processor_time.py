"""Processor time of running processes to the nanosecond, from each thread's
/proc/PID/task/TID/schedstat. /proc/PID/stat counts in clock ticks of 10 ms:
at a few percent of a core, a ten-second round is forty of them, and a tick
more or less in each of the three processes measured moves a ratio of two
such rounds by a tenth."""
import os


def _nanoseconds(pid):
    total = 0
    try:
        threads = os.listdir("/proc/%s/task" % pid)
    except OSError:
        return 0
    for thread in threads:
        try:
            with open("/proc/%s/task/%s/schedstat" % (pid, thread)) as stat:
                total += int(stat.read().split()[0])
        except (OSError, ValueError, IndexError):
            continue  # the thread ended while being read
    return total


def seconds_of(pid):
    return _nanoseconds(pid) / 1e9


def seconds_named(names, exact=False):
    """Of every process of one of these names, or whose name begins so (/proc
    cuts names at 15 characters, so the names are cut as it cuts them)."""
    cut = [name[:15] for name in names]
    total = 0
    for entry in filter(str.isdigit, os.listdir("/proc")):
        try:
            with open("/proc/%s/comm" % entry) as comm:
                name = comm.read().rstrip("\n")
        except OSError:
            continue
        if any(name == n if exact else name.startswith(n) for n in cut):
            total += _nanoseconds(entry)
    return total / 1e9

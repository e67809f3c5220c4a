#!/usr/bin/python3
"""Tessary.exe under Wine at interval 1, beside the desktop build in the same
X server: ticks per second, the message loop's wake-ups per second (counted
by the bench build itself, since Wine's traffic with its server hides them
from outside), processor time, and the size of Tessary.exe. These are Wine's
figures on Linux, not a Windows machine's.
Usage: wine_bench.py BUILD-WINDOWS-DIR DESKTOP-PROGRAM OUTPUT.json"""
import json
import os
import subprocess
import sys
import tempfile
import time

SHORT, LONG = 3, 13  # seconds; the difference of the two runs leaves start-up out
TICKS_PER_SECOND = 995
WAKE_UP_MARGIN = 1.1
REFRESH_HZ = 60
CLOCK_TICKS = os.sysconf("SC_CLK_TCK")


def quietly(*words):
    subprocess.run(words, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, check=True)


def processor_seconds(names):
    """User and system time of the running processes with these names, from /proc."""
    total = 0.0
    for entry in filter(str.isdigit, os.listdir("/proc")):
        try:
            with open("/proc/%s/stat" % entry) as stat:
                text = stat.read()
        except OSError:
            continue
        name, rest = text.split("(", 1)[1].rsplit(")", 1)
        if any(name.startswith(n) for n in names):
            fields = rest.split()
            total += (int(fields[11]) + int(fields[12])) / CLOCK_TICKS
    return total


def close(title):
    subprocess.run(["wmctrl", "-c", title], check=False)


def wine_run(build, seconds, out):
    program = subprocess.Popen(["wine", os.path.join(build, "Tessary-bench.exe")],
                               env=dict(os.environ, TESSARY_BENCH_OUT="Z:" + out.replace("/", "\\")),
                               stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    time.sleep(seconds)
    cpu = processor_seconds(["Tessary-bench", "wineserver"])
    close("Form1")
    program.wait(timeout=30)
    counts = {}
    with open(out, "rb") as lines:
        for _ in range(3):
            key, value = lines.readline().split()
            counts[key.decode()] = float(value)
    counts["cpu"] = cpu
    return counts


def desktop_cpu(program, seconds):
    started = subprocess.Popen([program], stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    time.sleep(1)
    before = processor_seconds([os.path.basename(program)])
    time.sleep(seconds)
    after = processor_seconds([os.path.basename(program)])
    started.terminate()
    started.wait()
    return (after - before) / seconds


def main(build, desktop, output):
    home = tempfile.TemporaryDirectory()
    os.environ.update(WINEPREFIX=os.path.join(home.name, "prefix"), WINEDEBUG="-all", WINEDLLOVERRIDES="mscoree,mshtml=")
    server = subprocess.Popen(["Xvfb", "-displayfd", "1", "-screen", "0", "1024x768x24", "-nolisten", "tcp"],
                              stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
    os.environ["DISPLAY"] = ":" + server.stdout.readline().decode().strip()
    manager = subprocess.Popen(["openbox", "--sm-disable"], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        quietly("wineboot", "-i")
        wineserver = subprocess.Popen(["wineserver", "-f", "-p"], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        quietly("wineboot")
        out = os.path.join(home.name, "counts")
        short, long = wine_run(build, SHORT, out), wine_run(build, LONG, out)
        span = long["seconds"] - short["seconds"]
        ticks = (long["rings"] - short["rings"]) / span
        wakeups = (long["wakeups"] - short["wakeups"]) / span
        cpu = (long["cpu"] - short["cpu"]) / (LONG - SHORT)
        native = desktop_cpu(desktop, LONG - SHORT)
        size = os.path.getsize(os.path.join(build, "Tessary.exe"))
        subprocess.run(["wineserver", "-k"], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        wineserver.wait()
    finally:
        manager.terminate()
        server.terminate()
    limit = REFRESH_HZ * WAKE_UP_MARGIN
    rows = [
        ("ticks per second", ticks, ">= 995", ticks >= TICKS_PER_SECOND),
        ("message loop wake-ups per second", wakeups, "<= %.0f (frame + 10%%)" % limit, wakeups <= limit),
        ("processor, % of one core (with wineserver)", 100 * cpu, "", None),
        ("the desktop build beside it, %", 100 * native, "", None),
        ("Tessary.exe, kB", size / 1024, "", None),
    ]
    print("\nUnder Wine (not a Windows machine) in Xvfb with openbox, interval 1 ms, %d s" % (LONG - SHORT))
    for figure, value, target, met in rows:
        print("  %-44s %10.2f  %-24s %s" % (figure, value, target, "" if met is None else ("met" if met else "NOT MET")))
    with open(output, "w") as out:
        json.dump({"ticks_per_s": ticks, "wakeups_per_s": wakeups, "cpu_share": cpu, "desktop_cpu_share": native,
                   "exe_bytes": size}, out, indent=1)


if __name__ == "__main__":
    main(*sys.argv[1:4])

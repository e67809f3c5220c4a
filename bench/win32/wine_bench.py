#!/usr/bin/python3
"""Tessary.exe under Wine at interval 1, beside a Win32 frame floor (the least
a Win32 window can do that repaints once a frame) and the desktop build, and
Tessary.scr full screen, in the same Wine and X server (1920x1080): ticks per
second, the message loop's wake-ups a frame (counted by the bench builds
themselves, since Wine's traffic with its server hides them from outside),
processor time (the program, wineserver and the X server), ticks per second
while the title bar is held down in a Wine virtual desktop, where Wine runs
the move loop itself, and the size of Tessary.exe. These are Wine's figures
on Linux, not a Windows machine's.
Usage: wine_bench.py BUILD-WINDOWS-DIR DESKTOP-PROGRAM OUTPUT.json"""
import json
import os
import statistics
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
from processor_time import seconds_named  # noqa: E402

SHORT, LONG = 3, 13  # seconds; the difference of the two runs leaves start-up out
RUNS = 9
TICKS_PER_SECOND = 995
WAKE_UPS_PER_FRAME = 1.1
PROCESSOR_OVER_FLOOR = 1.1  # the most Tessary.exe may cost beside the floor
SHARED = ["wineserver", "Xvfb"]
TITLE_BAR = ("150", "12")  # from the frame's top left
PATIENCE = 20
SCREEN = "1920x1080x24"  # which the screen saver covers


def quietly(*words):
    subprocess.run(words, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, check=True)


def xdotool(*words):
    return subprocess.run(["xdotool", *words], capture_output=True, text=True).stdout.split()


def wine_run(build, program, title, seconds, out, dragged=False, arguments=(), measured=False):
    """Runs a program of the bench, which ends itself so many seconds in;
    measured: reads the processor time of it and the shared servers between
    SHORT seconds in and a second before it ends, whatever start-up took;
    dragged: inside a virtual desktop, its title bar held and moved all along."""
    if os.path.exists(out):
        os.remove(out)
    inside = ["explorer", "/desktop=tessary-bench,800x600"] if dragged else []
    samples, sample_at = [], (SHORT, seconds - 1) if measured else ()
    begun = time.monotonic()
    started = subprocess.Popen(["wine", *inside, os.path.join(build, program), *arguments],
                               env=dict(os.environ, TESSARY_BENCH_OUT="Z:" + out.replace("/", "\\"),
                                        TESSARY_BENCH_SECONDS=str(seconds)),
                               stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    deadline = time.monotonic() + seconds + PATIENCE
    if dragged:
        while not (window := xdotool("search", "--onlyvisible", "--name", "^%s$" % title)):
            if time.monotonic() > deadline:
                raise RuntimeError("no window " + title)
            time.sleep(0.05)
        xdotool("mousemove", "--window", window[0], *TITLE_BAR, "mousedown", "1")
    step = 0
    while not os.path.exists(out) or b"processor" not in open(out, "rb").read():
        if len(samples) < len(sample_at) and time.monotonic() - begun >= sample_at[len(samples)]:
            samples.append((time.monotonic(), seconds_named([program, *SHARED])))
        if time.monotonic() > deadline:
            raise RuntimeError(program + " wrote no counts")
        if dragged:
            xdotool("mousemove_relative", "--", str(4 - 8 * (step % 2)), "0")
            step += 1
        time.sleep(0.1)
    if dragged:
        xdotool("mouseup", "1")
        # Wine's move loop may have kept the end it posted itself: the counts are all it owes.
        subprocess.run(["pkill", "-f", program], check=False)
        subprocess.run(["wmctrl", "-c", "tessary-bench - Wine desktop"], check=False)
        # The desktop ends the session as it goes: the next run must not start inside that.
        while subprocess.run(["pgrep", "-f", "desktop=tessary-bench"], stdout=subprocess.DEVNULL).returncode == 0:
            if time.monotonic() > deadline:
                raise RuntimeError("the virtual desktop stayed")
            time.sleep(0.05)
    started.wait(timeout=PATIENCE)
    counts = {}
    with open(out, "rb") as lines:
        for _ in range(4):
            key, value = lines.readline().split()
            counts[key.decode()] = float(value)
    if measured:
        if len(samples) < len(sample_at):
            raise RuntimeError(program + " ended before its processor time was read")
        (first, used_first), (last, used_last) = samples
        counts["cpu"] = (used_last - used_first) / (last - first)
    return counts


def per_second(build, program, title, out, dragged=False, arguments=()):
    """Rings (frames, for the floor), wake-ups and processor a second, start-up left out."""
    short = wine_run(build, program, title, SHORT, out, dragged, arguments)
    long = wine_run(build, program, title, LONG, out, dragged, arguments, measured=True)
    span = long["seconds"] - short["seconds"]
    return {"rings": (long["rings"] - short["rings"]) / span, "wakeups": (long["wakeups"] - short["wakeups"]) / span,
            "cpu": long["cpu"]}


def median_of(runs):
    return {key: statistics.median(run[key] for run in runs) for key in runs[0]}


def desktop_cpu(program, seconds):
    started = subprocess.Popen([program], stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    time.sleep(1)
    # Exactly its name: Tessary-bench.exe may still be leaving.
    before = seconds_named([os.path.basename(program)], exact=True)
    time.sleep(seconds)
    after = seconds_named([os.path.basename(program)], exact=True)
    started.terminate()
    started.wait()
    return (after - before) / seconds


def main(build, desktop, output):
    home = tempfile.TemporaryDirectory()
    os.environ.update(WINEPREFIX=os.path.join(home.name, "prefix"), WINEDEBUG="-all", WINEDLLOVERRIDES="mscoree,mshtml=")
    server = subprocess.Popen(["Xvfb", "-displayfd", "1", "-screen", "0", SCREEN, "-nolisten", "tcp"],
                              stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
    os.environ["DISPLAY"] = ":" + server.stdout.readline().decode().strip()
    manager = subprocess.Popen(["openbox", "--sm-disable"], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        quietly("wineboot", "-i")
        wineserver = subprocess.Popen(["wineserver", "-f", "-p"], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        quietly("wineboot")
        out = os.path.join(home.name, "counts")
        # Taken in turns, several times: at a few percent of a core, the
        # program's and the shared servers' time varies by a third between
        # rounds, however exactly it is read.
        floors, ours, savers = [], [], []
        for _ in range(RUNS):
            floors.append(per_second(build, "tessary-frame-floor.exe", "Frame floor", out))
            ours.append(per_second(build, "Tessary-bench.exe", "Form1", out))
            savers.append(per_second(build, "Tessary-saver-bench.scr", "Tessary", out, arguments=["/s"]))
        floor, tessary, saver = median_of(floors), median_of(ours), median_of(savers)
        ratios = [t["cpu"] / f["cpu"] for t, f in zip(ours, floors)]
        over_floor = statistics.median(ratios)
        dragged = per_second(build, "Tessary-bench.exe", "Form1", out, dragged=True)
        native = desktop_cpu(desktop, LONG - SHORT)
        size = os.path.getsize(os.path.join(build, "Tessary.exe"))
        subprocess.run(["wineserver", "-k"], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        wineserver.wait()
    finally:
        manager.terminate()
        server.terminate()
    frame_rate = floor["rings"]
    wakeups_per_frame = tessary["wakeups"] / frame_rate
    saver_wakeups_per_frame = saver["wakeups"] / frame_rate
    rows = [
        ("ticks per second", tessary["rings"], ">= %d" % TICKS_PER_SECOND, tessary["rings"] >= TICKS_PER_SECOND),
        ("ticks per second, title bar held and dragged", dragged["rings"], ">= %d" % TICKS_PER_SECOND,
         dragged["rings"] >= TICKS_PER_SECOND),
        ("frames per second of the floor", frame_rate, "", None),
        ("message loop wake-ups a frame", wakeups_per_frame, "<= %.2f" % WAKE_UPS_PER_FRAME,
         wakeups_per_frame <= WAKE_UPS_PER_FRAME),
        ("processor, % of one core (with Wine and X)", 100 * tessary["cpu"], "", None),
        ("the floor's, % of one core", 100 * floor["cpu"], "", None),
        ("processor over the floor's (median of the rounds' ratios)", over_floor, "<= %.2f" % PROCESSOR_OVER_FLOOR,
         over_floor <= PROCESSOR_OVER_FLOOR),
        ("  its spread: least", min(ratios), "", None),
        ("  its spread: most", max(ratios), "", None),
        ("processor while dragged, %", 100 * dragged["cpu"], "", None),
        ("the desktop build beside it, %", 100 * native, "", None),
        ("Tessary.exe, kB", size / 1024, "", None),
        ("screen saver full screen (%s): ticks per second" % SCREEN.rsplit("x", 1)[0], saver["rings"],
         ">= %d" % TICKS_PER_SECOND, saver["rings"] >= TICKS_PER_SECOND),
        ("screen saver: message loop wake-ups a frame", saver_wakeups_per_frame, "<= %.2f" % WAKE_UPS_PER_FRAME,
         saver_wakeups_per_frame <= WAKE_UPS_PER_FRAME),
        ("screen saver: processor, % of one core (with Wine and X)", 100 * saver["cpu"], "", None),
    ]
    print("\nUnder Wine (not a Windows machine) in Xvfb with openbox, interval 1 ms, median of %d interleaved rounds of %d s"
          % (RUNS, LONG - SHORT))
    for figure, value, target, met in rows:
        print("  %-56s %10.2f  %-10s %s" % (figure, value, target, "" if met is None else ("met" if met else "NOT MET")))
    with open(output, "w") as out:
        json.dump({"ticks_per_s": tessary["rings"], "dragged_ticks_per_s": dragged["rings"], "floor_frames_per_s": frame_rate,
                   "wakeups_per_frame": wakeups_per_frame, "cpu_share": tessary["cpu"], "floor_cpu_share": floor["cpu"],
                   "over_floor": over_floor, "over_floor_spread": [min(ratios), max(ratios)],
                   "dragged_cpu_share": dragged["cpu"], "desktop_cpu_share": native, "exe_bytes": size,
                   "saver_ticks_per_s": saver["rings"], "saver_wakeups_per_frame": saver_wakeups_per_frame,
                   "saver_cpu_share": saver["cpu"]}, out, indent=1)


if __name__ == "__main__":
    main(*sys.argv[1:4])

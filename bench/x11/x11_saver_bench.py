#!/usr/bin/python3
"""The XScreenSaver module full screen on a 1920x1080 X server (Xvfb): with
shared memory, without it (a server started without MIT-SHM), and beside the
floor (tessary-x11-frame-floor: the same rings, put through shared memory,
and nothing else), in interleaved rounds; and beside the desktop program's
window. Figures: ticks per second, the module's wake-ups a frame (its own
count), and processor time (the program and the X server). Each is the
difference of a long and a short run, which leaves start-up out.
Usage: x11_saver_bench.py MODULE-BENCH FLOOR DESKTOP-PROGRAM OUTPUT.json"""
import json
import os
import signal
import statistics
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
from processor_time import seconds_of  # noqa: E402

SHORT, LONG = 2, 8  # seconds
RUNS = 3  # of the window
ROUNDS = 9  # of the module with and without shared memory and of the floor
FLOOR_RATIO = 1.1  # the most the module with shared memory may cost beside the floor
SCREEN = "1920x1080x24"
FRAMES_PER_SECOND = 60  # what the module paces to: plain Xlib tells no refresh rate
TICKS_PER_SECOND = 995
WAKE_UPS_PER_FRAME = 1.1


def module_run(module, seconds, server):
    """The module's own counts and the X server's processor time over a run."""
    x_before = seconds_of(server)
    process = subprocess.Popen([module], stdout=subprocess.PIPE, text=True)
    time.sleep(seconds)
    process.send_signal(signal.SIGTERM)
    counts = dict(line.split(" ", 1) for line in process.communicate()[0].splitlines())
    return {"seconds": float(counts["seconds"]), "rings": int(counts["rings"]), "wakeups": int(counts["wakeups"]),
            "processor": float(counts["processor"]), "x": seconds_of(server) - x_before,
            "picture": counts["picture"]}


def window_run(program, seconds, server):
    """The desktop window's processor time and the X server's over a run."""
    x_before = seconds_of(server)
    process = subprocess.Popen([program], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    time.sleep(seconds)
    used = seconds_of(process.pid)
    process.send_signal(signal.SIGTERM)
    process.wait()
    return {"seconds": seconds, "processor": used, "x": seconds_of(server) - x_before}


def difference(longer, shorter, key):
    return longer[key] - shorter[key]


def server(*options):
    process = subprocess.Popen(["Xvfb", "-displayfd", "1", "-screen", "0", SCREEN, "-nolisten", "tcp", *options],
                               stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
    return process, ":" + process.stdout.readline().decode().strip()


def share(program, on):
    """The processor share of a program with its X server, a long run less a short one."""
    os.environ["DISPLAY"] = on[1]
    short, long = module_run(program, SHORT, on[0].pid), module_run(program, LONG, on[0].pid)
    span = difference(long, short, "seconds")
    return long, short, span, (difference(long, short, "processor") + difference(long, short, "x")) / span


def spread(values):
    return "%.1f-%.1f%%" % (100 * min(values), 100 * max(values))


def main(module, floor, desktop, output):
    shared, plain = server(), server("-extension", "MIT-SHM")
    try:
        ticks, wakes, with_shm, without_shm, floors, ratios, window, picture = [], [], [], [], [], [], [], None
        for _ in range(ROUNDS):
            long, short, span, cost = share(module, shared)
            ticks.append(difference(long, short, "rings") / span)
            wakes.append(difference(long, short, "wakeups") / span / FRAMES_PER_SECOND)
            picture = long["picture"]
            with_shm.append(cost)
            without_shm.append(share(module, plain)[3])
            floors.append(share(floor, shared)[3])
            ratios.append(with_shm[-1] / floors[-1])
        os.environ["DISPLAY"] = shared[1]
        for _ in range(RUNS):
            short, long = window_run(desktop, SHORT, shared[0].pid), window_run(desktop, LONG, shared[0].pid)
            span = difference(long, short, "seconds")
            window.append((difference(long, short, "processor") + difference(long, short, "x")) / span)
    finally:
        shared[0].terminate()
        plain[0].terminate()
    median = statistics.median
    figures = {"ticks_per_s": median(ticks), "wakeups_per_frame": median(wakes),
               "saver_processor_share": median(with_shm), "saver_processor_share_without_shm": median(without_shm),
               "floor_processor_share": median(floors), "saver_over_floor": median(ratios),
               "saver_over_floor_spread": [min(ratios), max(ratios)], "window_processor_share": median(window),
               "picture": picture}
    with open(output, "w") as out:
        json.dump(figures, out, indent=2)
    met = (figures["ticks_per_s"] >= TICKS_PER_SECOND and figures["wakeups_per_frame"] <= WAKE_UPS_PER_FRAME
           and figures["saver_over_floor"] <= FLOOR_RATIO)
    print("The XScreenSaver module full screen (%s, picture %s), %d interleaved rounds of %d s less %d s" % (
        SCREEN, picture, ROUNDS, LONG, SHORT))
    print("  %-44s %10s %14s  %s" % ("", "median", "spread", "target"))
    print("  %-44s %10.1f %14s  >= %d" % ("ticks a second", figures["ticks_per_s"], "", TICKS_PER_SECOND))
    print("  %-44s %10.2f %14s  <= %.1f" % ("wake-ups a frame", figures["wakeups_per_frame"], "", WAKE_UPS_PER_FRAME))
    print("  %-44s %9.2f%% %14s" % ("processor, module with shared memory", 100 * median(with_shm), spread(with_shm)))
    print("  %-44s %9.2f%% %14s" % ("processor, module without it", 100 * median(without_shm), spread(without_shm)))
    print("  %-44s %9.2f%% %14s" % ("processor, the floor", 100 * median(floors), spread(floors)))
    print("  %-44s %10.2f %14s  <= %.1f" % ("module with shared memory over the floor", median(ratios),
                                             "%.2f-%.2f" % (min(ratios), max(ratios)), FLOOR_RATIO))
    print("  %-44s %9.2f%% %14s" % ("processor, the window beside (median of %d)" % RUNS, 100 * median(window), ""))
    print("  targets %s" % ("met" if met else "NOT MET"))
    return 0 if met else 1


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:]))

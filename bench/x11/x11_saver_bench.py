#!/usr/bin/python3
"""The XScreenSaver module full screen on a 1920x1080 X server (Xvfb), beside
the desktop program's window at the same interval on the same server: ticks
per second, the module's wake-ups a frame (its own count), and processor time
(the program and the X server). Each figure is the difference of a long and a
short run, which leaves start-up out; the median of three.
Usage: x11_saver_bench.py MODULE-BENCH DESKTOP-PROGRAM OUTPUT.json"""
import json
import os
import signal
import statistics
import subprocess
import sys
import time

SHORT, LONG = 2, 8  # seconds
RUNS = 3
SCREEN = "1920x1080x24"
FRAMES_PER_SECOND = 60  # what the module paces to: plain Xlib tells no refresh rate
TICKS_PER_SECOND = 995
WAKE_UPS_PER_FRAME = 1.1
CLOCK_TICKS = os.sysconf("SC_CLK_TCK")


def processor_seconds(pid):
    with open("/proc/%d/stat" % pid) as stat:
        fields = stat.read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / CLOCK_TICKS


def module_run(module, seconds, server):
    """The module's own counts and the X server's processor time over a run."""
    x_before = processor_seconds(server)
    process = subprocess.Popen([module], stdout=subprocess.PIPE, text=True)
    time.sleep(seconds)
    process.send_signal(signal.SIGTERM)
    counts = dict(line.split(" ", 1) for line in process.communicate()[0].splitlines())
    return {"seconds": float(counts["seconds"]), "rings": int(counts["rings"]), "wakeups": int(counts["wakeups"]),
            "processor": float(counts["processor"]), "x": processor_seconds(server) - x_before,
            "picture": counts["picture"]}


def window_run(program, seconds, server):
    """The desktop window's processor time and the X server's over a run."""
    x_before = processor_seconds(server)
    process = subprocess.Popen([program], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    time.sleep(seconds)
    used = processor_seconds(process.pid)
    process.send_signal(signal.SIGTERM)
    process.wait()
    return {"seconds": seconds, "processor": used, "x": processor_seconds(server) - x_before}


def difference(longer, shorter, key):
    return longer[key] - shorter[key]


def main(module, desktop, output):
    server = subprocess.Popen(["Xvfb", "-displayfd", "1", "-screen", "0", SCREEN, "-nolisten", "tcp"],
                              stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
    os.environ["DISPLAY"] = ":" + server.stdout.readline().decode().strip()
    try:
        ticks, wakes, saver, window, picture = [], [], [], [], None
        for _ in range(RUNS):
            short, long = module_run(module, SHORT, server.pid), module_run(module, LONG, server.pid)
            span = difference(long, short, "seconds")
            ticks.append(difference(long, short, "rings") / span)
            wakes.append(difference(long, short, "wakeups") / span / FRAMES_PER_SECOND)
            saver.append((difference(long, short, "processor") + difference(long, short, "x")) / span)
            picture = long["picture"]
            short, long = window_run(desktop, SHORT, server.pid), window_run(desktop, LONG, server.pid)
            span = difference(long, short, "seconds")
            window.append((difference(long, short, "processor") + difference(long, short, "x")) / span)
    finally:
        server.terminate()
    figures = {"ticks_per_s": statistics.median(ticks), "wakeups_per_frame": statistics.median(wakes),
               "saver_processor_share": statistics.median(saver), "window_processor_share": statistics.median(window),
               "picture": picture}
    with open(output, "w") as out:
        json.dump(figures, out, indent=2)
    met = figures["ticks_per_s"] >= TICKS_PER_SECOND and figures["wakeups_per_frame"] <= WAKE_UPS_PER_FRAME
    print("The XScreenSaver module full screen (%s, picture %s), beside the window, %d runs of %d s less %d s" % (
        SCREEN, picture, RUNS, LONG, SHORT))
    print("  %-36s %10s %10s  %s" % ("", "saver", "window", "target"))
    print("  %-36s %10.1f %10s  >= %d" % ("ticks a second", figures["ticks_per_s"], "", TICKS_PER_SECOND))
    print("  %-36s %10.2f %10s  <= %.1f" % ("wake-ups a frame", figures["wakeups_per_frame"], "", WAKE_UPS_PER_FRAME))
    print("  %-36s %9.1f%% %9.1f%%" % ("processor (program and X server)", 100 * figures["saver_processor_share"],
                                        100 * figures["window_processor_share"]))
    print("  targets %s" % ("met" if met else "NOT MET"))
    return 0 if met else 1


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:]))

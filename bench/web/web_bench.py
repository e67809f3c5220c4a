#!/usr/bin/python3
"""Tessary's page in headless Chromium at interval 1 for 10 seconds, beside a
plain web port in the same run: ticks and frames per second, processor time of
the browser's processes, the page's size and the time to the first ring.
Usage: web_bench.py TESSARY-BENCH.html PLAIN-PORT.html OUTPUT.json"""
import json
import os
import statistics
import sys
import time

from selenium import webdriver
from selenium.webdriver.chrome.service import Service

SECONDS = 10
WARM_UP = 1
RUNS = 3
TICKS_PER_SECOND = 995
PAGE_BYTES = 512 * 1024
FIRST_RING_MS = 200
CLOCK_TICKS = os.sysconf("SC_CLK_TCK")


def processor_seconds(root):
    """User and system time of every process below root, from /proc."""
    parents, times = {}, {}
    for entry in os.listdir("/proc"):
        if not entry.isdigit():
            continue
        try:
            with open("/proc/%s/stat" % entry) as stat:
                fields = stat.read().rsplit(")", 1)[1].split()
        except OSError:
            continue
        parents[int(entry)] = int(fields[1])
        times[int(entry)] = (int(fields[11]) + int(fields[12])) / CLOCK_TICKS
    below = {root}
    for _ in range(len(parents)):
        grown = below | {pid for pid, parent in parents.items() if parent in below}
        if grown == below:
            break
        below = grown
    return sum(times.get(pid, 0) for pid in below)


def measure(page, counter, scope):
    options = webdriver.ChromeOptions()
    options.binary_location = "/usr/bin/chromium"
    for argument in ("--headless=new", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
                     "--disable-background-networking", "--disable-component-update", "--disable-sync"):
        options.add_argument(argument)
    service = Service("/usr/bin/chromedriver")
    driver = webdriver.Chrome(service=service, options=options)
    try:
        driver.get("file://" + os.path.abspath(page))
        time.sleep(WARM_UP)
        counts = "return [%s, %s.frames]" % (counter, scope)
        first = driver.execute_script("return %s.firstRingAt" % scope)
        before, busy = driver.execute_script(counts), processor_seconds(service.process.pid)
        started = time.monotonic()
        time.sleep(SECONDS)
        after, spent = driver.execute_script(counts), processor_seconds(service.process.pid)
        elapsed = time.monotonic() - started
        # Once more in a browser that is up: what a reload or a second visit costs.
        driver.refresh()
        time.sleep(WARM_UP)
        again = driver.execute_script("return %s.firstRingAt" % scope)
        return {"ticks_per_s": (after[0] - before[0]) / elapsed, "frames_per_s": (after[1] - before[1]) / elapsed,
                "cpu_share": (spent - busy) / elapsed, "first_ring_ms": first, "first_ring_again_ms": again}
    finally:
        driver.quit()


def median_of(runs):
    return {key: statistics.median(run[key] for run in runs) for key in runs[0]}


def main(tessary, plain, output):
    ours, base = [], []
    for _ in range(RUNS):
        ours.append(measure(tessary, "Module._tessary_rings()", "Module.page"))
        base.append(measure(plain, "page.rings", "page"))
    ours, base = median_of(ours), median_of(base)
    size = os.path.getsize(tessary.replace("Tessary-bench.html", "Tessary.html"))
    rows = [
        ("ticks per second", ours["ticks_per_s"], base["ticks_per_s"], ">= 995", ours["ticks_per_s"] >= TICKS_PER_SECOND),
        ("frames per second", ours["frames_per_s"], base["frames_per_s"], "", None),
        ("browser processor, % of one core", 100 * ours["cpu_share"], 100 * base["cpu_share"], "<= plain port",
         ours["cpu_share"] <= base["cpu_share"]),
        ("navigation to first ring (ms)", ours["first_ring_ms"], base["first_ring_ms"], "<= 200",
         ours["first_ring_ms"] <= FIRST_RING_MS),
        ("the same, reloaded (ms)", ours["first_ring_again_ms"], base["first_ring_again_ms"], "<= 200",
         ours["first_ring_again_ms"] <= FIRST_RING_MS),
        ("page size (kB)", size / 1024, None, "<= 512", size <= PAGE_BYTES),
    ]
    print("\nHeadless Chromium, interval 1 ms, median of %d runs of %d s (tessary, plain web port)" % (RUNS, SECONDS))
    for figure, value, baseline, target, met in rows:
        print("  %-34s %12.2f %12s  %-22s %s" % (figure, value, "" if baseline is None else "%.2f" % baseline, target,
                                                 "" if met is None else ("met" if met else "NOT MET")))
    with open(output, "w") as out:
        json.dump({"tessary": ours, "plain_web_port": base, "page_bytes": size}, out, indent=1)


if __name__ == "__main__":
    main(*sys.argv[1:4])

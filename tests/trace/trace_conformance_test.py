#!/usr/bin/python3
"""The trace driver built for another host (node, Wine) against the native
one: the same sessions, byte for byte, pictures included, and bad input
refused alike.
Usage: trace_conformance_test.py NATIVE-DRIVER COMMAND [ARGUMENT...]"""
import random
import subprocess
import sys

PLAIN = ["tick", "tick", "tick", "move", "color", "clear", "slower", "faster", "stop", "click", "picture"]
OPERATIONS = ["get frmtessary.ScaleWidth", "get frmtessary.ScaleHeight", "set frmtessary.FillColor",
              "call frmtessary.Circle", "call frmtessary.Line", "get tmrtime.Interval", "set tmrtime.Interval",
              "set tmrtime.Enabled"]
SESSIONS = 60


def session(rng):
    events = ["load"]
    for _ in range(60):
        pick = rng.random()
        if pick < 0.85:
            events.append(rng.choice(PLAIN))
        elif pick < 0.92:
            events.append("fail " + rng.choice(OPERATIONS))
        else:
            events.append("resize %d %s" % (rng.randint(0, 30000), rng.choice(["0", "7.5", "3210", "12345.25"])))
    return "\n".join(events + ["picture"]) + "\n"


def run(command, script):
    done = subprocess.run(command, input=script.encode(), capture_output=True)
    return done.returncode, done.stdout, done.stderr


def main(native, other):
    rng = random.Random(20261209)
    scripts = [session(rng) for _ in range(SESSIONS)]
    scripts += ["load\nresize 300000 10\n", "load\njump\n", "tick\n"]
    failed = 0
    for number, script in enumerate(scripts, 1):
        expected = run([native], script)
        actual = run(other, script)
        if actual != expected:
            failed += 1
            print("session %d differs (status %d against %d)" % (number, actual[0], expected[0]))
    print("%d passed, %d failed" % (len(scripts) - failed, failed))
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1], sys.argv[2:]))

#!/usr/bin/python3
"""The rooms of platform/ build on each other in one order, and a host on the
rooms alone: no include runs back up the order or from one host to another.
Usage: platform_rooms_test.py SOURCE-DIR"""
import pathlib
import re
import sys

ORDER = ["services", "form", "picture", "runner", "hosts"]


def main(source):
    wrong = []
    for path in sorted((pathlib.Path(source) / "platform").rglob("*")):
        if path.suffix not in (".h", ".cpp"):
            continue
        room = path.parts[-len(path.relative_to(source).parts) + 1]
        for included in re.findall(r'#include "platform/([^"]+)"', path.read_text()):
            parts = included.split("/")
            if ORDER.index(parts[0]) > ORDER.index(room) or (
                    room == "hosts" and parts[0] == "hosts" and parts[1] != path.parent.name):
                wrong.append("%s includes platform/%s" % (path.relative_to(source), included))
    print("\n".join(wrong))
    print("%d passed, %d failed" % (0 if wrong else 1, 1 if wrong else 0))
    return 1 if wrong else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))

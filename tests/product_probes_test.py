#!/usr/bin/python3
"""What ships holds nothing only a bench or a test reads: the page exports
only what its own script calls, and no source the programs build from keeps
a count that nothing in them reads (a bench's or a test's count comes through
their own HostProbe instead).
Usage: product_probes_test.py SOURCE-DIR"""
import pathlib
import re
import sys

PRODUCT = ["logic", "window", "platform"]
# A statement that only counts, a declaration, or an accessor that only hands the count out.
NOT_A_READ = [r"^\s*(\+\+%s|%s\+\+);", r"^\s*[\w:<>]+\s+%s\s*(=[^=].*)?;", r"\breturn %s;"]


def page_exports_unused(source):
    cmake = (source / "platform/hosts/web/CMakeLists.txt").read_text()
    exports = re.search(r"set\(tessary_page_exports ([^)\s]+)\)", cmake).group(1).split(",")
    shell = (source / "platform/hosts/web/shell.html").read_text()
    return ["the page exports %s, which its script never calls" % name for name in exports
            if name != "_main" and "Module.%s(" % name not in shell and "'%s'" % name[1:] not in shell]


def counts_nothing_reads(source):
    files = [p for room in PRODUCT for p in sorted((source / room).rglob("*")) if p.suffix in (".h", ".cpp")]
    lines = [line for p in files for line in p.read_text().splitlines()]
    counted = {m for line in lines for m in re.findall(r"\+\+(\w+_)\b|\b(\w+_)\+\+", line) for m in m if m}
    wrong = []
    for name in sorted(counted):
        uses = [line for line in lines if re.search(r"\b%s\b" % name, line)]
        reads = [line for line in uses
                 if not any(re.search(pattern.replace("%s", re.escape(name)), line) for pattern in NOT_A_READ)]
        if not reads:
            wrong.append("%s is counted but nothing that ships reads it" % name)
    return wrong


def main(source):
    source = pathlib.Path(source)
    wrong = page_exports_unused(source) + counts_nothing_reads(source)
    print("\n".join(wrong))
    print("%d passed, %d failed" % (0 if wrong else 1, 1 if wrong else 0))
    return 1 if wrong else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))

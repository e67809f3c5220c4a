#!/usr/bin/python3
"""The trace driver's `picture` line against a picture drawn here from the
trace's own Circle and Line calls, by the disc rule written out afresh: a
pixel is in a ring's disc when its squared distance from the centre is at
most r^2 + r, on the outline when a side neighbour is outside the disc."""
import math
import subprocess
import sys

SESSION = """load
tick tick tick tick tick
clear
tick tick tick
move color tick tick tick
resize 4000 2500
tick tick move color tick tick
resize 6000 1800
move tick tick tick
picture
"""


def nearest(value):
    """Half away from zero, exactly, as C's llround."""
    whole = math.floor(abs(value))
    return int(math.copysign(whole + (abs(value) - whole >= 0.5), value))


def rgb(text):
    colour = int(text, 16)
    return (colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF)


class Raster:
    def __init__(self, width, height):
        self.width, self.height = width, height
        self.rows = [[(0, 0, 0)] * width for _ in range(height)]
        self.fill = (0, 0, 0)

    def resize(self, width, height):
        rows = [[(0, 0, 0)] * width for _ in range(height)]
        for y in range(min(height, self.height)):
            rows[y][:min(width, self.width)] = self.rows[y][:min(width, self.width)]
        self.width, self.height, self.rows = width, height, rows

    def circle(self, x, y, radius, colour):
        cx, cy = nearest(x / 15), nearest(y / 15)
        r = nearest(radius / 15) if radius / 15 >= 1 else 0
        inside = lambda px, py: (px - cx) ** 2 + (py - cy) ** 2 <= r * r + r
        for py in range(max(0, cy - r), min(self.height, cy + r + 1)):
            for px in range(max(0, cx - r), min(self.width, cx + r + 1)):
                if inside(px, py):
                    edge = not all(inside(px + dx, py + dy) for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)))
                    self.rows[py][px] = colour if edge else self.fill

    def box(self, x1, y1, x2, y2, colour):
        left, right = sorted((nearest(x1 / 15), nearest(x2 / 15)))
        top, bottom = sorted((nearest(y1 / 15), nearest(y2 / 15)))
        for py in range(max(0, top), min(self.height, bottom + 1)):
            for px in range(max(0, left), min(self.width, right + 1)):
                edge = px in (left, right) or py in (top, bottom)
                self.rows[py][px] = colour if edge else self.fill

    def fnv1a(self):
        value = 0xCBF29CE484222325
        for row in self.rows:
            for pixel in row:
                for byte in pixel:
                    value = ((value ^ byte) * 0x100000001B3) & 0xFFFFFFFFFFFFFFFF
        return value


def main(trace):
    lines = subprocess.run([trace], input=SESSION, capture_output=True, text=True, check=True).stdout.splitlines()
    # The window opens at the size the form's code reads at load.
    sizes = [float(line.split()[2]) for line in lines if line.startswith("get frmtessary.Scale")]
    raster = Raster(nearest(sizes[0] / 15), nearest(sizes[1] / 15))
    for line in lines:
        words = line.split()
        if words[:2] == [">", "resize"]:
            raster.resize(nearest(float(words[2]) / 15), nearest(float(words[3]) / 15))
        elif words[:2] == ["set", "frmtessary.FillColor"]:
            raster.fill = rgb(words[2])
        elif words[:2] == ["call", "frmtessary.Circle"]:
            raster.circle(*map(float, words[2:5]), rgb(words[5]))
        elif words[:2] == ["call", "frmtessary.Line"]:
            raster.box(*map(float, words[2:6]), rgb(words[6]))
    expected = "picture %d %d %016x" % (raster.width, raster.height, raster.fnv1a())
    rings = sum(line.startswith("call frmtessary.Circle") for line in lines)
    print("%d rings, a Clear and two resizes drawn here: %s" % (rings, expected))
    if lines[-1] != expected:
        print("the trace driver says: %s" % lines[-1])
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))

"""A window's pixels, read with xwd: what a person would see of it."""
import struct
import subprocess


class XwdShot:
    def __init__(self, window="root"):
        where = ["-root"] if window == "root" else ["-id", str(window)]
        data = subprocess.run(["xwd", "-silent", *where], capture_output=True, check=True).stdout
        header = struct.unpack(">25I", data[:100])
        self.width, self.height, bytes_per_line, colours = header[4], header[5], header[12], header[19]
        start = header[0] + 12 * colours
        self.rows = [data[start + y * bytes_per_line:start + y * bytes_per_line + 4 * self.width] for y in range(self.height)]

    def pixel(self, x, y):
        b, g, r = self.rows[y][4 * x:4 * x + 3]
        return (r, g, b)

    def lit(self, step=1):
        """Where it is not black, every step-th pixel each way."""
        black = bytes(3)
        return [(x, y) for y in range(0, self.height, step) for x in range(0, self.width, step)
                if self.rows[y][4 * x:4 * x + 3] != black]

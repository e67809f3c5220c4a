"""A window's pixels, read with xwd: what a person would see of it."""
import struct
import subprocess

LSB_FIRST = 0  # xwd's byte order of the pixels


class XwdShot:
    def __init__(self, window="root"):
        where = ["-root"] if window == "root" else ["-id", str(window)]
        data = subprocess.run(["xwd", "-silent", *where], capture_output=True, check=True).stdout
        header = struct.unpack(">25I", data[:100])
        self.width, self.height, bytes_per_line, colours = header[4], header[5], header[12], header[19]
        self.order = "little" if header[7] == LSB_FIRST else "big"
        self.bytes = header[11] // 8
        self.masks = header[14:17]
        start = header[0] + 12 * colours
        self.rows = [data[start + y * bytes_per_line:start + y * bytes_per_line + self.bytes * self.width]
                     for y in range(self.height)]

    def pixel(self, x, y):
        """Red, green and blue of a pixel of 24 or 32 bits."""
        b, g, r = self.rows[y][self.bytes * x:self.bytes * x + 3]
        return (r, g, b)

    def raw(self, x, y):
        """The pixel's value, as the visual has it."""
        return int.from_bytes(self.rows[y][self.bytes * x:self.bytes * (x + 1)], self.order)

    def lit(self, step=1):
        """Where it is not black, every step-th pixel each way."""
        colour = self.masks[0] | self.masks[1] | self.masks[2]
        return [(x, y) for y in range(0, self.height, step) for x in range(0, self.width, step)
                if self.raw(x, y) & colour]

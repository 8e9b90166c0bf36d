"""Writes a 24-bit BMP of size x size pixels, bottom-up rows, for the screenshot scripts."""
import struct


def write(path, size, color_at):
    """color_at(x, y) gives (red, green, blue) as numbers; they are rounded and kept in 0..255."""
    rows = []
    for y in range(size):
        row = bytearray()
        for x in range(size):
            r, g, b = color_at(x, y)
            row += bytes(max(0, min(255, int(round(c)))) for c in (b, g, r))
        row += bytes(-len(row) % 4)
        rows.append(row)
    data = b"".join(reversed(rows))
    header = struct.pack("<2sIHHI", b"BM", 54 + len(data), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, size, size, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    with open(path, "wb") as file:
        file.write(header + info + data)

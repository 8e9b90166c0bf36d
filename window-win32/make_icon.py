#!/usr/bin/env python3
"""Writes the program's Windows icon (.ico) from its PNG icon: one 32-bit image at each size
asked for, each a whole multiple of the drawn icon enlarged by repeating pixels, so the pixel art
stays sharp. Images up to 64 pixels are bitmaps, which every Windows reads; larger ones are PNG,
as Windows keeps them. Standard library only: zlib reads and writes the PNG data.

usage: make_icon.py icon.png out.ico size..."""
import struct
import sys
import zlib


def chunks(data):
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        raise ValueError("not a PNG file")
    at = 8
    while at < len(data):
        length, kind = struct.unpack(">I4s", data[at:at + 8])
        yield kind, data[at + 8:at + 8 + length]
        at += 12 + length


def unfilter(raw, width, height, channels):
    """The rows of 8-bit samples, undoing each row's filter."""
    stride = width * channels
    rows, previous, at = [], bytearray(stride), 0
    for _ in range(height):
        kind, row = raw[at], bytearray(raw[at + 1:at + 1 + stride])
        at += 1 + stride
        for i in range(stride):
            left = row[i - channels] if i >= channels else 0
            up = previous[i]
            corner = previous[i - channels] if i >= channels else 0
            if kind == 1:
                row[i] = (row[i] + left) & 255
            elif kind == 2:
                row[i] = (row[i] + up) & 255
            elif kind == 3:
                row[i] = (row[i] + (left + up) // 2) & 255
            elif kind == 4:
                p = left + up - corner
                pa, pb, pc = abs(p - left), abs(p - up), abs(p - corner)
                nearest = left if pa <= pb and pa <= pc else up if pb <= pc else corner
                row[i] = (row[i] + nearest) & 255
        rows.append(row)
        previous = row
    return rows


def read_png(path):
    """Width, height and the pixels as (r, g, b, a) tuples, top row first."""
    data = open(path, "rb").read()
    palette, alpha, idat = b"", b"", b""
    for kind, body in chunks(data):
        if kind == b"IHDR":
            width, height, depth, colour, _, _, interlace = struct.unpack(">IIBBBBB", body)
        elif kind == b"PLTE":
            palette = body
        elif kind == b"tRNS":
            alpha = body
        elif kind == b"IDAT":
            idat += body
    channels = {0: 1, 2: 3, 3: 1, 4: 2, 6: 4}.get(colour)
    if depth != 8 or interlace != 0 or channels is None:
        raise ValueError(f"{path}: only non-interlaced 8-bit PNG pictures are read")
    pixels = []
    for row in unfilter(zlib.decompress(idat), width, height, channels):
        for x in range(width):
            s = row[x * channels:(x + 1) * channels]
            if colour == 3:
                r, g, b = palette[3 * s[0]:3 * s[0] + 3]
                pixels.append((r, g, b, alpha[s[0]] if s[0] < len(alpha) else 255))
            elif colour == 0:
                pixels.append((s[0], s[0], s[0], 255))
            elif colour == 4:
                pixels.append((s[0], s[0], s[0], s[1]))
            elif colour == 2:
                pixels.append((s[0], s[1], s[2], 255))
            else:
                pixels.append(tuple(s))
    return width, height, pixels


def enlarged(width, pixels, factor):
    """The rows of the picture with every pixel repeated factor times each way."""
    rows = [pixels[y * width:(y + 1) * width] for y in range(len(pixels) // width)]
    return [[p for p in row for _ in range(factor)] for row in rows for _ in range(factor)]


def bitmap_image(rows):
    """An icon image as a bitmap: the header (twice the height: colour and mask), the 32-bit
    rows bottom up as blue, green, red, alpha, then the 1-bit mask rows (transparent set)."""
    side = len(rows)
    header = struct.pack("<IiiHHIIiiII", 40, side, side * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    colours = b"".join(bytes((b, g, r, a)) for row in reversed(rows) for (r, g, b, a) in row)
    mask_stride = ((side + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(rows):
        line = bytearray(mask_stride)
        for x, (_, _, _, a) in enumerate(row):
            if a == 0:
                line[x // 8] |= 0x80 >> (x % 8)
        mask += line
    return header + colours + bytes(mask)


def png_image(rows):
    """An icon image as a PNG of 8-bit RGBA."""
    side = len(rows)

    def chunk(kind, body):
        return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))

    raw = b"".join(b"\0" + bytes(v for p in row for v in p) for row in rows)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", side, side, 8, 6, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def main(source, target, sizes):
    width, height, pixels = read_png(source)
    if width != height:
        raise SystemExit(f"make_icon: {source} is not a square picture")
    images = []
    for size in sizes:
        if size <= 0 or size % width != 0 or size > 256:
            raise SystemExit(f"make_icon: {size} is not a multiple of the icon's side {width} up to 256")
        rows = enlarged(width, pixels, size // width)
        images.append((size, bitmap_image(rows) if size <= 64 else png_image(rows)))
    directory = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    body = b""
    for size, image in images:
        directory += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(image), offset)
        offset += len(image)
        body += image
    with open(target, "wb") as out:
        out.write(directory + body)


if __name__ == "__main__":
    if len(sys.argv) < 4:
        raise SystemExit(__doc__.split("\n\n")[-1])
    main(sys.argv[1], sys.argv[2], [int(s) for s in sys.argv[3:]])

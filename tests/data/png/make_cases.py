#!/usr/bin/python3
"""Writes the PNG reader's test pictures: one small picture of every colour type, bit depth,
transparency and interlacing a PNG can have, and beside each the pixels it must read as.

Every picture is written here sample by sample (so each depth and interlacing is exactly what it
claims), then read back with Pillow, and the expected pixels are Pillow's wherever Pillow reads
8 bits per channel; for 16-bit channels (which Pillow gives as 16-bit numbers for grey) the
expected byte is the high byte of the sample. NAME.expect holds the depth the reader must give
(8 indexed, 24 colour, 32 colour with alpha) as one byte, then red, green, blue, alpha per pixel.

Run from anywhere: /usr/bin/python3 make_cases.py (Debian's python3-pil).
"""
import os
import struct
import zlib

from PIL import Image

HERE = os.path.dirname(os.path.abspath(__file__))
W, H = 7, 5
ADAM7 = [(0, 0, 8, 8), (4, 0, 8, 8), (0, 4, 4, 8), (2, 0, 4, 4), (0, 2, 2, 4), (1, 0, 2, 2),
         (0, 1, 1, 2)]
CHANNELS = {0: 1, 2: 3, 3: 1, 4: 2, 6: 4}


def chunk(kind, data):
    body = kind + data
    return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)


def pack_row(samples, depth):
    if depth == 16:
        return b"".join(struct.pack(">H", s) for s in samples)
    if depth == 8:
        return bytes(samples)
    out, acc, bits = bytearray(), 0, 0
    for s in samples:
        acc = (acc << depth) | s
        bits += depth
        if bits == 8:
            out.append(acc)
            acc, bits = 0, 0
    if bits:
        out.append(acc << (8 - bits))
    return bytes(out)


def raw_data(pixels, channels, depth, interlace):
    """pixels[y][x] is a tuple of samples."""
    def rows(xs, ys):
        data = b""
        for y in ys:
            samples = [s for x in xs for s in pixels[y][x]]
            data += b"\x00" + pack_row(samples, depth)
        return data
    if not interlace:
        return rows(range(W), range(H))
    data = b""
    for x0, y0, dx, dy in ADAM7:
        xs, ys = list(range(x0, W, dx)), list(range(y0, H, dy))
        if xs and ys:
            data += rows(xs, ys)
    return data


def write_png(path, color_type, depth, pixels, interlace=False, plte=None, trns=None):
    channels = CHANNELS[color_type]
    ihdr = struct.pack(">IIBBBBB", W, H, depth, color_type, 0, 0, 1 if interlace else 0)
    out = b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", ihdr)
    if plte is not None:
        out += chunk(b"PLTE", b"".join(bytes(c) for c in plte))
    if trns is not None:
        out += chunk(b"tRNS", trns)
    out += chunk(b"IDAT", zlib.compress(raw_data(pixels, channels, depth, interlace)))
    out += chunk(b"IEND", b"")
    with open(path, "wb") as f:
        f.write(out)


def sample(x, y, k, depth):
    top = (1 << depth) - 1
    return (x * 37 + y * 91 + k * 53 + x * y * 7) % (top + 1)


def high(v, depth):
    return v >> 8 if depth == 16 else v * 255 // ((1 << depth) - 1)


def case(name, color_type, depth, interlace=False, with_trns=False):
    channels = CHANNELS[color_type]
    pixels = [[tuple(sample(x, y, k, depth) for k in range(channels)) for x in range(W)]
              for y in range(H)]
    plte = trns = None
    if color_type == 3:
        count = 1 << depth
        plte = [((i * 47) % 256, (i * 101 + 3) % 256, (i * 29 + 200) % 256) for i in range(count)]
        if with_trns:
            trns = bytes((i * 61) % 256 for i in range(count // 2 + 1))
    elif with_trns:
        key = pixels[1][2]
        trns = b"".join(struct.pack(">H", s) for s in key)
    path = os.path.join(HERE, name + ".png")
    write_png(path, color_type, depth, pixels, interlace, plte, trns)

    has_alpha = color_type in (4, 6) or (trns is not None and color_type != 3)
    indexed_alpha = color_type == 3 and trns is not None
    depth_out = 8 if color_type == 3 else (32 if has_alpha else 24)
    expected = bytearray([depth_out])
    for y in range(H):
        for x in range(W):
            s = pixels[y][x]
            if color_type == 3:
                r, g, b = plte[s[0]]
                a = trns[s[0]] if indexed_alpha and s[0] < len(trns) else 255
            elif color_type in (0, 4):
                r = g = b = high(s[0], depth)
                a = high(s[1], depth) if color_type == 4 else 255
            else:
                r, g, b = (high(v, depth) for v in s[:3])
                a = high(s[3], depth) if color_type == 6 else 255
            if trns is not None and color_type in (0, 2) and s == pixels[1][2]:
                a = 0
            expected += bytes((r, g, b, a))
    with open(os.path.join(HERE, name + ".expect"), "wb") as f:
        f.write(expected)

    # Pillow must read the same wherever it gives 8 bits per channel.
    image = Image.open(path)
    if depth <= 8 or color_type in (2, 6, 4):
        rgba = image.convert("RGBA")
        got = bytearray()
        for y in range(H):
            for x in range(W):
                got += bytes(rgba.getpixel((x, y)))
        assert got == expected[1:], name


CASES = [
    ("grey1", 0, 1), ("grey2", 0, 2), ("grey4", 0, 4), ("grey8", 0, 8), ("grey16", 0, 16),
    ("grey8_trns", 0, 8, False, True), ("grey16_trns", 0, 16, False, True),
    ("grey_alpha8", 4, 8), ("grey_alpha16", 4, 16),
    ("rgb8", 2, 8), ("rgb16", 2, 16), ("rgb8_trns", 2, 8, False, True),
    ("rgba8", 6, 8), ("rgba16", 6, 16),
    ("indexed1", 3, 1), ("indexed2", 3, 2), ("indexed4", 3, 4), ("indexed8", 3, 8),
    ("indexed8_trns", 3, 8, False, True), ("indexed2_trns", 3, 2, False, True),
    ("indexed1_interlaced", 3, 1, True), ("grey4_interlaced", 0, 4, True),
    ("rgb8_interlaced", 2, 8, True), ("rgba16_interlaced", 6, 16, True),
]



def broken_cases():
    """Pictures the reader must refuse, each written beside the good ones."""
    good = os.path.join(HERE, "grey8.png")
    with open(good, "rb") as f:
        data = f.read()
    # The IHDR chunk's checksum spoiled.
    spoiled = bytearray(data)
    spoiled[29] ^= 0xFF
    with open(os.path.join(HERE, "broken_crc.png"), "wb") as f:
        f.write(spoiled)
    # The file cut off inside the image data.
    with open(os.path.join(HERE, "broken_truncated.png"), "wb") as f:
        f.write(data[: len(data) - 20])
    # A header of 600 x 600 pixels, above every square this program makes.
    ihdr = struct.pack(">IIBBBBB", 600, 600, 1, 0, 0, 0, 0)
    rows = (b"\x00" + bytes(75)) * 600
    with open(os.path.join(HERE, "broken_too_large.png"), "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", ihdr) + chunk(b"IDAT", zlib.compress(rows, 9))
                + chunk(b"IEND", b""))
    # 7 x 5 pixels declared, image data that inflates to 16 MiB.
    ihdr = struct.pack(">IIBBBBB", W, H, 8, 0, 0, 0, 0)
    bomb = zlib.compress(bytes(16 * 1024 * 1024), 9)
    with open(os.path.join(HERE, "broken_bomb.png"), "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", ihdr) + chunk(b"IDAT", bomb)
                + chunk(b"IEND", b""))


if __name__ == "__main__":
    for c in CASES:
        case(*c)
    broken_cases()
    print(len(CASES), "cases and 4 broken pictures written to", HERE)

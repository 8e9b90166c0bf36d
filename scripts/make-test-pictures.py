#!/usr/bin/env python3
"""Writes generated pictures into a folder, for comparing the Linux and the Windows programs.

Usage: make-test-pictures.py FOLDER KIND:NAME:WIDTH:HEIGHT:SEED ...
KIND is bmp8, bmp24 or bmp32 (bottom-up BMPs, the 8-bit ones with a generated colour table),
png8 or png16 (RGBA PNGs of that channel depth, alpha from 0 to 255, every row filter in turn),
or a broken PNG: png-crc (a changed image byte, so the checksum fails), png-cut (cut off in its
image data) or png-fake (BMP bytes under a PNG name).
"""
import struct
import sys
import zlib


def bmp(width, height, bits, seed):
    """A bottom-up BMP of generated pixels: 24 or 32 bits, or 8 bits with a generated palette."""
    pixel = bits // 8
    stride = (width * pixel + 3) & ~3
    rows = bytearray()
    for y in range(height):
        row = bytearray()
        for x in range(width):
            if bits == 8:
                row.append((x * 5 + y * 3 + seed) % 256)
            else:
                row += bytes(((x * 7 + y * 13 + seed) % 256, (x * 3 + seed * 5) % 256,
                              (y * 11 + x * seed) % 256))
                if bits == 32:
                    row.append(255)
        rows += row.ljust(stride, b"\0")
    table = b""
    if bits == 8:
        table = b"".join(bytes(((i * 3 + seed) % 256, (i * 7) % 256, (255 - i), 0)) for i in range(256))
    offset = 54 + len(table)
    header = b"BM" + struct.pack("<IHHI", offset + len(rows), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, 0, len(rows), 2835, 2835,
                       256 if bits == 8 else 0, 0)
    return header + info + table + rows


def paeth(left, up, up_left):
    estimate = left + up - up_left
    distances = (abs(estimate - left), abs(estimate - up), abs(estimate - up_left))
    return (left, up, up_left)[distances.index(min(distances))]


def filtered(kind, raw, previous, step):
    """One row under PNG filter kind (0 none, 1 sub, 2 up, 3 average, 4 Paeth)."""
    out = bytearray()
    for i, value in enumerate(raw):
        left = raw[i - step] if i >= step else 0
        up = previous[i]
        up_left = previous[i - step] if i >= step else 0
        predictor = (0, left, up, (left + up) // 2, paeth(left, up, up_left))[kind]
        out.append((value - predictor) % 256)
    return bytes(out)


def chunk(kind, data):
    return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))


def png(width, height, depth, seed):
    """An RGBA PNG of generated pixels and alpha; each row with the next of the five filters."""
    step = 4 * depth // 8
    previous = bytes(width * step)
    image = bytearray()
    for y in range(height):
        raw = bytearray()
        for x in range(width):
            rgba = ((x * 9 + y * 5 + seed) % 256, (x * 4 + seed * 3) % 256,
                    (y * 13 + x * seed) % 256, (x * 37 + y * 11 + seed) % 256)
            if depth == 8:
                raw += bytes(rgba)
            else:
                raw += struct.pack(">4H", *(c * 257 ^ (x + y) % 7 for c in rgba))
        image += bytes((y % 5,)) + filtered(y % 5, raw, previous, step)
        previous = raw
    header = struct.pack(">IIBBBBB", width, height, depth, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(bytes(image), 9))
            + chunk(b"IEND", b""))


def picture(kind, width, height, seed):
    if kind.startswith("bmp"):
        return bmp(width, height, int(kind[3:]), seed)
    if kind in ("png8", "png16"):
        return png(width, height, int(kind[3:]), seed)
    good = png(width, height, 8, seed)
    image_data = good.index(b"IDAT") + 4
    if kind == "png-crc":
        return good[:image_data + 10] + bytes((good[image_data + 10] ^ 0x55,)) + good[image_data + 11:]
    if kind == "png-cut":
        return good[:image_data + 20]
    if kind == "png-fake":
        return bmp(width, height, 24, seed)
    raise SystemExit(f"unknown kind {kind}")


def main():
    folder = sys.argv[1]
    for request in sys.argv[2:]:
        kind, name, width, height, seed = request.split(":")
        with open(f"{folder}/{name}", "wb") as out:
            out.write(picture(kind, int(width), int(height), int(seed)))


main()

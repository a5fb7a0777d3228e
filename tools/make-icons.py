#!/usr/bin/env python3
"""Draws the three program icons (a ledger page with the edition's letter) as .ico files.

Run once when the artwork changes; the .ico files are committed.
"""
import struct
import sys
from pathlib import Path

FONT = {  # 5x7 letters
    "A": ["01110", "10001", "10001", "11111", "10001", "10001", "10001"],
    "B": ["11110", "10001", "10001", "11110", "10001", "10001", "11110"],
    "G": ["01110", "10001", "10000", "10111", "10001", "10001", "01111"],
}
EDITIONS = {"LinkAlpha": ("A", (0x1F, 0x5F, 0xBF)), "LinkBeta": ("B", (0x2E, 0x8B, 0x3A)),
            "LinkGamma": ("G", (0xD9, 0x6A, 0x12))}


def draw(size, letter, colour):
    white, ink, clear = (255, 255, 255, 255), (*colour, 255), (0, 0, 0, 0)
    px = [[clear] * size for _ in range(size)]
    margin = max(1, size // 16)
    for y in range(margin, size - margin):
        for x in range(margin, size - margin):
            px[y][x] = ink
    # The ledger page: a white sheet with ruled lines in the lower right.
    page = size // 2
    for y in range(size - margin - page, size - margin - 1):
        for x in range(size - margin - page, size - margin - 1):
            ruled = (y - (size - margin - page)) % max(2, size // 8) == max(2, size // 8) - 1
            px[y][x] = ink if ruled and x > size - margin - page + 1 else white
    scale = max(1, size // 16)
    glyph = FONT[letter]
    for gy, row in enumerate(glyph):
        for gx, bit in enumerate(row):
            if bit == "1":
                for dy in range(scale):
                    for dx in range(scale):
                        px[margin + 1 + gy * scale + dy][margin + 1 + gx * scale + dx] = white
    return px


def bmp(px):
    size = len(px)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    rows = b"".join(bytes(c for p in row for c in (p[2], p[1], p[0], p[3])) for row in reversed(px))
    mask_row = ((size + 31) // 32) * 4
    return header + rows + bytes(mask_row * size)


def ico(images):
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    blobs = []
    for size, blob in images:
        out += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(blob), offset)
        offset += len(blob)
        blobs.append(blob)
    return out + b"".join(blobs)


def main():
    folder = Path(sys.argv[1] if len(sys.argv) > 1 else Path(__file__).resolve().parent.parent / "src/editions/icons")
    for name, (letter, colour) in EDITIONS.items():
        images = [(s, bmp(draw(s, letter, colour))) for s in (32, 16)]
        (folder / f"{name}.ico").write_bytes(ico(images))


if __name__ == "__main__":
    main()

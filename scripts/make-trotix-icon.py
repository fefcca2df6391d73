#!/usr/bin/env python3
"""Writes res/TrotixIcon.ico, the program's Windows icon, from the XPM
pictures the Linux shell compiles in: one 32x32 and one 16x16 image, each
with 16 colours (4 bits per pixel) and a transparency mask.

    scripts/make-trotix-icon.py            # rewrites res/TrotixIcon.ico
"""
import pathlib
import re
import struct

ROOT = pathlib.Path(__file__).resolve().parent.parent
SOURCES = [ROOT / "res" / "TrotixIcon32.xpm", ROOT / "res" / "TrotixIcon16.xpm"]
TARGET = ROOT / "res" / "TrotixIcon.ico"
PALETTE_SIZE = 16


def read_xpm(path):
    """Width, height, {symbol: (r, g, b) or None}, rows of symbols."""
    strings = re.findall(r'"([^"]*)"', path.read_text())
    width, height, colours, per_pixel = (int(v) for v in strings[0].split()[:4])
    table = {}
    for line in strings[1:1 + colours]:
        symbol, value = line[:per_pixel], line[per_pixel:].split()[-1]
        table[symbol] = None if value.lower() == "none" else (
            int(value[1:3], 16), int(value[3:5], 16), int(value[5:7], 16))
    rows = [[row[i:i + per_pixel] for i in range(0, width * per_pixel, per_pixel)]
            for row in strings[1 + colours:1 + colours + height]]
    return width, height, table, rows


def padded(row_bytes):
    return row_bytes + b"\0" * (-len(row_bytes) % 4)


def icon_image(width, height, table, rows):
    """A DIB of the icon: header, palette, colour bits, then the mask."""
    # Index 0 is black: transparent pixels are black in the colour bits.
    palette = [(0, 0, 0)]
    for colour in table.values():
        if colour is not None and colour not in palette:
            palette.append(colour)
    if len(palette) > PALETTE_SIZE:
        raise SystemExit("more than 16 colours")
    palette += [(0, 0, 0)] * (PALETTE_SIZE - len(palette))
    colour_bits = b""
    mask_bits = b""
    for row in reversed(rows):  # bottom row first
        indices = [palette.index(table[s]) if table[s] is not None else 0 for s in row]
        colour_bits += padded(bytes(indices[i] << 4 | indices[i + 1]
                                    for i in range(0, width, 2)))
        mask = 0
        for symbol in row:
            mask = mask << 1 | (table[symbol] is None)
        mask_bits += padded(mask.to_bytes(width // 8, "big"))
    header = struct.pack("<IiiHHIIiiII", 40, width, 2 * height, 1, 4, 0,
                         len(colour_bits) + len(mask_bits), 0, 0, PALETTE_SIZE, 0)
    palette_bytes = b"".join(struct.pack("BBBB", b, g, r, 0) for r, g, b in palette)
    return header + palette_bytes + colour_bits + mask_bits


def main():
    images = [(read_xpm(path), icon_image(*read_xpm(path))) for path in SOURCES]
    directory = struct.pack("<HHH", 0, 1, len(images))
    offset = len(directory) + 16 * len(images)
    entries = b""
    for (width, height, _, _), image in images:
        entries += struct.pack("<BBBBHHII", width, height, PALETTE_SIZE, 0, 1, 4,
                               len(image), offset)
        offset += len(image)
    TARGET.write_bytes(directory + entries + b"".join(image for _, image in images))


if __name__ == "__main__":
    main()

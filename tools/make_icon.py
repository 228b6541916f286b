#!/usr/bin/env python3
"""Turns the icon's text drawing into a Windows .ico file, or a cursor's into
a .cur file.

usage: make_icon.py SOURCE.txt OUTPUT.ico|OUTPUT.cur

The source holds one character per pixel. Lines starting with "#" are comments,
"colour C N" lets character C stand for entry N of the standard 16-colour
palette, "transparent C" names the see-through character, and "size N" starts
an N x N image whose N rows follow. Every image becomes a 16-colour (4 bits per
pixel) entry of the icon, as Windows 95 shows them. "hotspot X Y" makes it a
cursor that points at that pixel.
"""
import struct
import sys

# The standard 16-colour palette of Windows, in its usual order.
PALETTE = [
    (0x00, 0x00, 0x00), (0x80, 0x00, 0x00), (0x00, 0x80, 0x00), (0x80, 0x80, 0x00),
    (0x00, 0x00, 0x80), (0x80, 0x00, 0x80), (0x00, 0x80, 0x80), (0xC0, 0xC0, 0xC0),
    (0x80, 0x80, 0x80), (0xFF, 0x00, 0x00), (0x00, 0xFF, 0x00), (0xFF, 0xFF, 0x00),
    (0x00, 0x00, 0xFF), (0xFF, 0x00, 0xFF), (0x00, 0xFF, 0xFF), (0xFF, 0xFF, 0xFF),
]


class SourceError(Exception):
    pass


def parse(text):
    colours, transparent, images, hotspot = {}, None, [], None
    rows, size = None, 0
    for number, raw in enumerate(text.splitlines(), 1):
        line = raw.rstrip()
        if rows is not None and len(rows) < size:
            if len(line) != size:
                raise SourceError(f"line {number}: {len(line)} pixels, expected {size}")
            rows.append(line)
            continue
        if not line or line.startswith("#"):
            continue
        word = line.split()
        if word[0] == "colour" and len(word) >= 3 and len(word[1]) == 1:
            index = int(word[2])
            if not 0 <= index < 16:
                raise SourceError(f"line {number}: colour {index} is not in the palette")
            colours[word[1]] = index
        elif word[0] == "transparent" and len(word) == 2 and len(word[1]) == 1:
            transparent = word[1]
        elif word[0] == "hotspot" and len(word) == 3:
            hotspot = (int(word[1]), int(word[2]))
        elif word[0] == "size" and len(word) == 2:
            size = int(word[1])
            if size not in (16, 32, 48):
                raise SourceError(f"line {number}: icons are 16, 32 or 48 pixels wide")
            rows = []
            images.append((size, rows))
        else:
            raise SourceError(f"line {number}: cannot read {line!r}")
    if rows is not None and len(rows) < size:
        raise SourceError(f"the {size} x {size} image has only {len(rows)} rows")
    if not images:
        raise SourceError("no image")
    for size, rows in images:
        for y, row in enumerate(rows):
            for ch in row:
                if ch != transparent and ch not in colours:
                    raise SourceError(f"{size} x {size}, row {y + 1}: unknown colour {ch!r}")
    return colours, transparent, images, hotspot


def padded(data):
    return data + b"\0" * (-len(data) % 4)


def bitmap(size, rows, colours, transparent):
    """One icon image: header, palette, colour pixels, then the transparency mask."""
    header = struct.pack("<IiiHHIIiiII", 40, size, 2 * size, 1, 4, 0, 0, 0, 0, 16, 0)
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE)
    pixels, mask = b"", b""
    for row in reversed(rows):  # bitmaps are stored bottom row first
        indices = [0 if ch == transparent else colours[ch] for ch in row]
        pixels += padded(bytes(hi << 4 | lo for hi, lo in zip(indices[0::2], indices[1::2])))
        bits = [1 if ch == transparent else 0 for ch in row]
        mask += padded(bytes(
            sum(bit << (7 - i) for i, bit in enumerate(bits[k:k + 8])) for k in range(0, size, 8)))
    return header + palette + pixels + mask


def icon(colours, transparent, images, hotspot):
    # A cursor's directory holds its hot spot where an icon's holds planes and bits.
    blobs = [bitmap(size, rows, colours, transparent) for size, rows in images]
    out = struct.pack("<HHH", 0, 2 if hotspot else 1, len(blobs))
    offset = 6 + 16 * len(blobs)
    for (size, _), blob in zip(images, blobs):
        out += struct.pack("<BBBBHHII", size, size, 16, 0, *(hotspot or (1, 4)), len(blob), offset)
        offset += len(blob)
    return out + b"".join(blobs)


def main(argv):
    if len(argv) != 3:
        sys.stderr.write(__doc__)
        return 2
    try:
        with open(argv[1], encoding="ascii") as f:
            data = icon(*parse(f.read()))
    except (OSError, SourceError, ValueError) as e:
        sys.stderr.write(f"{argv[1]}: {e}\n")
        return 1
    with open(argv[2], "wb") as f:
        f.write(data)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))

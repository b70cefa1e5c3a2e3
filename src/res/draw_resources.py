#!/usr/bin/env python3
"""Draw Chromivo's icon and cursors and write them as Windows resource files.

Writes three files next to this script:

    Chromivo.ico  application icon, 32 x 32, 32-bit BGRA plus a 1-bit AND mask
    target.cur    "TARGET" cross-hair cursor, 32 x 32, 16 colours, hot spot (11, 8)
    hand.cur      pointing hand cursor, 32 x 32, 16 colours, hot spot (7, 2)

Run it from the repository root after changing a picture:

    python3 src/res/draw_resources.py

Only the Python standard library is used, and the output is the same bytes on
every run, so the generated files can be kept under version control.

Each picture is an ASCII grid: one character per pixel, top row first, with a
legend mapping characters to colours.  '.' is always transparent.
"""

import os
import struct
import sys

SIZE = 32

# The classic 16-colour palette, in its usual index order, as (r, g, b).
PALETTE_16 = [
    (0x00, 0x00, 0x00),  # 0  black
    (0x80, 0x00, 0x00),  # 1  dark red
    (0x00, 0x80, 0x00),  # 2  dark green
    (0x80, 0x80, 0x00),  # 3  olive
    (0x00, 0x00, 0x80),  # 4  navy
    (0x80, 0x00, 0x80),  # 5  purple
    (0x00, 0x80, 0x80),  # 6  teal
    (0xC0, 0xC0, 0xC0),  # 7  light grey
    (0x80, 0x80, 0x80),  # 8  dark grey
    (0xFF, 0x00, 0x00),  # 9  red
    (0x00, 0xFF, 0x00),  # 10 green
    (0xFF, 0xFF, 0x00),  # 11 yellow
    (0x00, 0x00, 0xFF),  # 12 blue
    (0xFF, 0x00, 0xFF),  # 13 magenta
    (0x00, 0xFF, 0xFF),  # 14 cyan
    (0xFF, 0xFF, 0xFF),  # 15 white
]

TRANSPARENT = "."

# --------------------------------------------------------------------------
# Application icon: an eyedropper holding a red sample, its tip touching
# three overlapping light discs (red, green, blue) that mix to yellow,
# magenta, cyan and white where they overlap.
# --------------------------------------------------------------------------

ICON_LEGEND = {
    "#": (28, 28, 36),     # outline of the eyedropper
    "1": (128, 136, 156),  # rubber bulb, lit side
    "2": (78, 84, 100),    # rubber bulb
    "3": (46, 50, 62),     # rubber bulb, shaded side
    "4": (240, 242, 246),  # metal collar, lit side
    "5": (186, 192, 202),  # metal collar
    "6": (118, 124, 136),  # metal collar, shaded side
    "7": (255, 255, 255),  # glass highlight
    "8": (198, 226, 242),  # glass
    "r": (232, 36, 44),    # red (disc and the sample in the glass)
    "R": (150, 18, 28),    # red, edge
    "g": (44, 190, 70),    # green
    "G": (16, 112, 44),    # green, edge
    "b": (40, 96, 240),    # blue
    "B": (22, 44, 150),    # blue, edge
    "y": (252, 226, 44),   # red + green
    "Y": (168, 144, 16),   # red + green, edge
    "m": (226, 48, 214),   # red + blue
    "M": (136, 20, 130),   # red + blue, edge
    "c": (44, 216, 232),   # green + blue
    "C": (14, 126, 140),   # green + blue, edge
    "w": (255, 255, 255),  # all three
}

ICON = """\
................................
.........................####...
........................##11##..
.......................##1112##.
.....................###111222##
.....................#441122233#
.....................#444222333#
.....................##4552333##
....................##7755533##.
...................##7788566##..
..................##77rr8#66#...
.................##77rrR#####...
................##77rrR##.......
........RRRRRR..#7rrrR##........
.......RrrrrrrR.#7rrR##.........
......RrrrrrrrrR#rrr##..........
.....Rrrrrrrrrrr#####...........
.....RrrrrrrrrrrR...............
.....RrrrrrrrrrrR...............
.....YyyyrrrrmmmM...............
....GyyyyyymmmmmmB..............
...GgyyyyywwmmmmmbB.............
..GgggyyywwwwmmmbbbB............
..GggggyywwwwmmbbbbB............
.GggggggywwwwmbbbbbbB...........
.GgggggggccccbbbbbbbB...........
.GgggggggccccbbbbbbbB...........
..GggggggccccbbbbbbB............
..GggggggccccbbbbbbB............
...GggggggCCbbbbbbB.............
....GGGGGG..BBBBBB..............
................................
"""

# --------------------------------------------------------------------------
# Cursors: 16 colours.  The legend maps characters to palette indices.
# --------------------------------------------------------------------------

CURSOR_LEGEND = {
    "X": 0,   # black
    "B": 12,  # blue
    "W": 15,  # white
}

# Cross-hair over an arrow.  The blue lines cross at column 10, row 8; the
# arrow's tip sits just below and to the right of that, at (11, 9).  The hot
# spot is (11, 8), one pixel right of the crossing.
TARGET_HOTSPOT = (11, 8)
TARGET_CROSSING = (10, 8)
TARGET = """\
................................
..........B.....................
..........B.....................
..........B.....................
........BBBBB...................
.......B..B..B..................
......B...B...B.................
......B...B...B.................
...BBBBBBBBBBBBBBB..............
......B...BX..B.................
......B...BXX.B.................
.......B..BXWB..................
........BBBBBWX.................
..........BXWWWX................
..........BXWWWWX...............
..........BXWWWWWX..............
...........XWWWWWWX.............
...........XWWWWWWWX............
...........XWWWWWWWWX...........
...........XWWWWWXXXXX..........
...........XWWXWWX..............
...........XWX.XWWX.............
...........XX..XWWX.............
...........X....XWWX............
................XWWX............
.................XX.............
................................
................................
................................
................................
................................
................................
"""

# Pointing hand; the hot spot is the top of the index finger.
HAND_HOTSPOT = (7, 2)
HAND = """\
................................
................................
......XXX.......................
.....XWWWX......................
.....XWWWX......................
.....XWWWX......................
.....XWWWX......................
.....XWWWX......................
.....XWWWXXXX...................
.....XWWWXWWWXXXX...............
.....XWWWXWWWXWWWXXX............
.....XWWWXWWWXWWWXWWX...........
.....XWWWXWWWXWWWXWWWX..........
..XXXXWWWXWWWXWWWXWWWX..........
.XWWWXWWWWWWWWWWWWWWWX..........
.XWWWWXWWWWWWWWWWWWWWX..........
.XWWWWWXWWWWWWWWWWWWWX..........
..XWWWWWWWWWWWWWWWWWWX..........
...XWWWWWWWWWWWWWWWWWX..........
....XWWWWWWWWWWWWWWWX...........
.....XWWWWWWWWWWWWWWX...........
......XWWWWWWWWWWWWX............
.......XWWWWWWWWWWWX............
.......XWWWWWWWWWWWX............
.......XXXXXXXXXXXXX............
................................
................................
................................
................................
................................
................................
................................
"""


# --------------------------------------------------------------------------
# Grid handling
# --------------------------------------------------------------------------

def parse_grid(text, legend, name):
    """Split a picture into rows and make sure it is SIZE x SIZE and uses
    only characters from its legend (or the transparent '.')."""
    rows = text.splitlines()
    if len(rows) != SIZE:
        raise ValueError("%s: %d rows, expected %d" % (name, len(rows), SIZE))
    for y, row in enumerate(rows):
        if len(row) != SIZE:
            raise ValueError("%s: row %d has %d pixels, expected %d"
                             % (name, y, len(row), SIZE))
        for x, ch in enumerate(row):
            if ch != TRANSPARENT and ch not in legend:
                raise ValueError("%s: unknown character %r at (%d, %d)"
                                 % (name, ch, x, y))
    return rows


def and_mask(rows):
    """1-bit AND mask, bottom row first, each row padded to 4 bytes.
    A set bit means "keep the screen" (transparent)."""
    row_bytes = ((SIZE + 31) // 32) * 4
    out = bytearray()
    for row in reversed(rows):
        line = bytearray(row_bytes)
        for x, ch in enumerate(row):
            if ch == TRANSPARENT:
                line[x // 8] |= 0x80 >> (x % 8)
        out += line
    return bytes(out)


def xor_4bpp(rows, legend):
    """4-bit palette indices, bottom row first, high nibble = left pixel.
    Transparent pixels are index 0 so that AND 1 / XOR 0 leaves the screen
    untouched."""
    row_bytes = ((SIZE * 4 + 31) // 32) * 4
    out = bytearray()
    for row in reversed(rows):
        line = bytearray(row_bytes)
        for x, ch in enumerate(row):
            index = 0 if ch == TRANSPARENT else legend[ch]
            line[x // 2] |= index << (4 if x % 2 == 0 else 0)
        out += line
    return bytes(out)


def xor_32bpp(rows, legend):
    """BGRA pixels, bottom row first; transparent pixels are all zero."""
    out = bytearray()
    for row in reversed(rows):
        for ch in row:
            if ch == TRANSPARENT:
                out += b"\0\0\0\0"
            else:
                r, g, b = legend[ch]
                out += bytes((b, g, r, 255))
    return bytes(out)


def dib(bit_count, palette, xor_bits, mask_bits):
    """BITMAPINFOHEADER + palette + XOR image + AND mask.  The height field
    is doubled because the mask follows the image."""
    header = struct.pack(
        "<IiiHHIIiiII",
        40,                              # biSize
        SIZE,                            # biWidth
        SIZE * 2,                        # biHeight: image + mask
        1,                               # biPlanes
        bit_count,                       # biBitCount
        0,                               # biCompression: BI_RGB
        len(xor_bits) + len(mask_bits),  # biSizeImage
        0, 0,                            # pixels per metre
        0, 0,                            # colours used / important: all
    )
    quads = b"".join(bytes((b, g, r, 0)) for r, g, b in palette)
    return header + quads + xor_bits + mask_bits


def resource_file(kind, colour_count, field1, field2, image):
    """One-image .ico (kind 1) or .cur (kind 2).  For an icon field1/field2
    are planes and bit count; for a cursor they are the hot spot x and y."""
    header = struct.pack("<HHH", 0, kind, 1)
    offset = len(header) + 16
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, colour_count, 0,
                        field1, field2, len(image), offset)
    return header + entry + image


def make_icon():
    rows = parse_grid(ICON, ICON_LEGEND, "icon")
    image = dib(32, [], xor_32bpp(rows, ICON_LEGEND), and_mask(rows))
    return resource_file(1, 0, 1, 32, image)


def make_cursor(picture, hotspot, name):
    rows = parse_grid(picture, CURSOR_LEGEND, name)
    hx, hy = hotspot
    if rows[hy][hx] == TRANSPARENT:
        raise ValueError("%s: hot spot (%d, %d) is on a transparent pixel"
                         % (name, hx, hy))
    image = dib(4, PALETTE_16, xor_4bpp(rows, CURSOR_LEGEND), and_mask(rows))
    return resource_file(2, 16, hx, hy, image)


def check_crossing(picture, at):
    """The two blue lines of the cross-hair must meet at `at`."""
    rows = picture.splitlines()
    x, y = at
    if not (rows[y][x - 1] == rows[y][x] == rows[y][x + 1] == "B"
            and rows[y - 1][x] == rows[y + 1][x] == "B"):
        raise ValueError("target: blue lines do not cross at (%d, %d)" % at)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    check_crossing(TARGET, TARGET_CROSSING)
    outputs = {
        "Chromivo.ico": make_icon(),
        "target.cur": make_cursor(TARGET, TARGET_HOTSPOT, "target"),
        "hand.cur": make_cursor(HAND, HAND_HOTSPOT, "hand"),
    }
    for name, data in outputs.items():
        path = os.path.join(here, name)
        with open(path, "wb") as f:
            f.write(data)
        print("wrote %s (%d bytes)" % (path, len(data)))
    return 0


if __name__ == "__main__":
    sys.exit(main())

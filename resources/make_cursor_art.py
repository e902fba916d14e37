#!/usr/bin/env python3
"""Draws the component library's two cursors (our own art) as 32 x 32 cursor files beside this
script: VT_HANDCUR (a pointing hand, hot spot at the finger tip) and VT_DRAGCUR (an arrow
carrying a small sheet, hot spot at the arrow's tip). Run it again after a change."""
import os
import struct

SIZE = 32


def hand():
    rows = [
        "     XX         ",
        "    X..X        ",
        "    X..X        ",
        "    X..X        ",
        "    X..XXX      ",
        "    X..X..XXX   ",
        "    X..X..X..XX ",
        " XX X..X..X..X.X",
        "X..XX........X.X",
        "X...X..........X",
        " X.............X",
        "  X............X",
        "  X...........X ",
        "   X..........X ",
        "    X........X  ",
        "    XXXXXXXXXX  ",
    ]
    return rows, (5, 0)


def drag():
    rows = [
        "X               ",
        "XX              ",
        "X.X             ",
        "X..X            ",
        "X...X           ",
        "X....X          ",
        "X.....X         ",
        "X......X        ",
        "X....XXXX       ",
        "X..X..X         ",
        "X.X X..X        ",
        "XX  X..X XXXXXX ",
        "     X..XX....X ",
        "     XX  X....X ",
        "         X....X ",
        "         XXXXXX ",
    ]
    return rows, (0, 0)


def cursor_file(rows, hot):
    """One 32-bit image with its AND mask; 'X' black, '.' white, blank transparent."""
    pixels = bytearray()
    mask = bytearray()
    grid = [r.ljust(SIZE) for r in rows] + [" " * SIZE] * (SIZE - len(rows))
    for row in reversed(grid):  # bottom-up
        bits = 0
        for x, c in enumerate(row[:SIZE]):
            if c == "X":
                pixels += bytes((0, 0, 0, 255))
            elif c == ".":
                pixels += bytes((255, 255, 255, 255))
            else:
                pixels += bytes((0, 0, 0, 0))
                bits |= 1 << (31 - x)
        mask += struct.pack(">I", bits)
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 32, 0, len(pixels) + len(mask), 0, 0, 0, 0)
    image = header + bytes(pixels) + bytes(mask)
    directory = struct.pack("<HHH", 0, 2, 1)
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 0, 0, hot[0], hot[1], len(image), 6 + 16)
    return directory + entry + image


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    for name, art in (("VT_HANDCUR", hand), ("VT_DRAGCUR", drag)):
        rows, hot = art()
        with open(os.path.join(here, name + ".cur"), "wb") as f:
            f.write(cursor_file(rows, hot))


if __name__ == "__main__":
    main()

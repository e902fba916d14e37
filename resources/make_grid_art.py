#!/usr/bin/env python3
"""Draws the data-aware grid's and status label's bitmaps (our own art) as 24-bit BMP files
beside this script: the field glyphs DBG_BLOB ... DBG_NOTEMPTY (olive paper, the grid draws
olive as transparent), the sort marks DBG_SMDOWN and DBG_SMUP (fuchsia paper), the selection
marks DBG_MSDOT and DBG_MSARROW (white paper, the image list's mask colour) and DS_STATES,
seven cells for the data-set states (fuchsia paper). Run it again after a change."""
from make_component_art import BLACK, FUCHSIA, GREEN, GREY, NAVY, RED, WHITE, Image

OLIVE = (128, 128, 0)
YELLOW = (255, 255, 0)
INKS = {'#': BLACK, 'n': NAVY, 'w': WHITE, 'r': RED, 'g': GREY, 'G': GREEN, 'y': YELLOW}

# Field glyphs: 16 x 12 pictures; '.' is the paper.
BLOB = [
    "................", "..############..", "..#ww#ww#ww#w#..", "..#w#w#w#w#ww#..",
    "..#ww#ww#ww#w#..", "..#w#w#w#w#ww#..", "..#ww#ww#ww#w#..", "..#w#w#w#w#ww#..",
    "..#ww#ww#ww#w#..", "..############..", "................", "................",
]
MEMO = [
    "................", "...#########....", "...#wwwwwww##...", "...#w#####w#w#..",
    "...#wwwwwwwwww..", "...#w######ww#..", "...#wwwwwwwww#..", "...#w#####www#..",
    "...#wwwwwwwww#..", "...###########..", "................", "................",
]
PICT = [
    "................", "..############..", "..#wwwwwwwwww#..", "..#wwwwwwyyww#..",
    "..#wwwwwwyyww#..", "..#wwGwwwwwww#..", "..#wGGGwwwGww#..", "..#GGGGGwGGGw#..",
    "..#GGGGGGGGGG#..", "..############..", "................", "................",
]
OLE = [
    "................", "..nnnnnnnnnnnn..", "..nwwwwwwwwwwn..", "..nw##ww#wwwwn..",
    "..nw#w#w#wwwwn..", "..nw#w#w#wwwwn..", "..nw##ww###wwn..", "..nwwwwwwwwwwn..",
    "..nnnnnnnnnnnn..", "................", "................", "................",
]
OBJECT = [
    "................", "....########....", "...#wwwwwwww#...", "..#wwwrrrrwww#..",
    "..#wwrwwwwrww#..", "..#wwrwwwwrww#..", "..#wwwrrrrwww#..", "...#wwwwwwww#...",
    "....########....", "................", "................", "................",
]
DATA = [
    "................", "..############..", "..#nnnnnnnnnn#..", "..#ww#ww#ww#w#..",
    "..############..", "..#ww#ww#ww#w#..", "..############..", "..#ww#ww#ww#w#..",
    "..############..", "................", "................", "................",
]
NOTEMPTY = [
    "................", "................", "................", "......####......",
    ".....######.....", ".....######.....", ".....######.....", "......####......",
    "................", "................", "................", "................",
]

# Sort marks, 8 x 8.
SMDOWN = [
    "........", "#######.", ".#####..", ".#####..", "..###...", "..###...", "...#....", "........",
]

# Selection marks, 8 x 8.
MSDOT = [
    "........", "........", "...##...", "..####..", "..####..", "...##...", "........", "........",
]
MSARROW = [
    "........", "..#.....", "..##....", "..###...", "..####..", "..###...", "..##....", "..#.....",
]

# Data-set states, 12 x 12 each: closed, browse, edit, insert, search, calculate, and spare.
CLOSED = [
    "............", "..########..", "..#gggggg#..", "..#g####g#..", "..#g#..#g#..", "..#g#..#g#..",
    "..#g####g#..", "..#gggggg#..", "..########..", "............", "............", "............",
]
BROWSE = [
    "............", "...#........", "...##.......", "...###......", "...####.....", "...#####....",
    "...####.....", "...###......", "...##.......", "...#........", "............", "............",
]
EDIT = [
    "............", ".........##.", "........#rr#", ".......#yy#.", "......#yy#..", ".....#yy#...",
    "....#yy#....", "...#yy#.....", "...##.#.....", "..###.......", "............", "............",
]
INSERT = [
    "............", ".....##.....", ".....GG.....", ".....GG.....", "..GGGGGGGG..", "..GGGGGGGG..",
    ".....GG.....", ".....GG.....", ".....##.....", "............", "............", "............",
]
SEARCH = [
    "............", "...####.....", "..#wwww#....", ".#wwwwww#...", ".#wwwwww#...", ".#wwwwww#...",
    "..#wwww#....", "...#####....", ".......##...", "........##..", ".........##.", "............",
]
CALCULATE = [
    "............", "..########..", "..#nnnnnn#..", "..#nnnnnn#..", "..########..", "..#w#w#w##..",
    "..########..", "..#w#w#w##..", "..########..", "..#w#w#w##..", "..########..", "............",
]
SPARE = ["." * 12] * 12


def draw(name, paper, *pictures):
    """Saves the pictures side by side as one bitmap on the given paper."""
    rows = [''.join(parts) for parts in zip(*pictures)]
    img = Image(len(rows[0]), len(rows), paper)
    for y, row in enumerate(rows):
        for x, c in enumerate(row):
            if c != '.':
                img.set(x, y, INKS[c])
    img.save(name)


if __name__ == '__main__':
    for name, picture in (('DBG_BLOB', BLOB), ('DBG_MEMO', MEMO), ('DBG_PICT', PICT), ('DBG_OLE', OLE),
                          ('DBG_OBJECT', OBJECT), ('DBG_DATA', DATA), ('DBG_NOTEMPTY', NOTEMPTY)):
        draw(name, OLIVE, picture)
    draw('DBG_SMDOWN', FUCHSIA, SMDOWN)
    draw('DBG_SMUP', FUCHSIA, SMDOWN[-2::-1] + ["........"])
    draw('DBG_MSDOT', WHITE, MSDOT)
    draw('DBG_MSARROW', WHITE, MSARROW)
    draw('DS_STATES', FUCHSIA, CLOSED, BROWSE, EDIT, INSERT, SEARCH, CALCULATE, SPARE)

#!/usr/bin/env python3
"""Draws the date controls' bitmaps (our own art) as 24-bit BMP files beside this script:
DEDITBMP (date-edit button, enabled and disabled glyph) and the calendar's navigation arrows
PREV2, PREV1, NEXT1, NEXT2. Fuchsia is the glyphs' transparent colour. Run it again after a change."""
from make_component_art import BLACK, FUCHSIA, GREY, NAVY, RED, WHITE, Image

INKS = {'#': BLACK, 'n': NAVY, 'w': WHITE, 'r': RED, 'g': GREY, '.': FUCHSIA}

CALENDAR_PAGE = [
    "............",
    ".nnnnnnnnnn.",
    ".nnnnnnnnnn.",
    ".#wwwwwwww#.",
    ".#w#w#w#ww#.",
    ".#wwwwwwww#.",
    ".#w#w#w#ww#.",
    ".#wwwwwwww#.",
    ".#w#w#wrww#.",
    ".#wwwwwwww#.",
    ".##########.",
    "............",
]

PREV1 = [
    "....#.",
    "...##.",
    "..###.",
    ".####.",
    "..###.",
    "...##.",
    "....#.",
    "......",
]

PREV2 = [
    "....#...#.",
    "...##..##.",
    "..###.###.",
    ".########.",
    "..###.###.",
    "...##..##.",
    "....#...#.",
    "..........",
]


def greyed(picture):
    """The disabled glyph: grey ink, no paper."""
    return [''.join('.' if c in '.w' else 'g' for c in row) for row in picture]


def mirrored(picture):
    return [row[::-1] for row in picture]


def draw(name, *pictures):
    """Saves the pictures side by side as one bitmap."""
    rows = [''.join(parts) for parts in zip(*pictures)]
    img = Image(len(rows[0]), len(rows), FUCHSIA)
    for y, row in enumerate(rows):
        for x, c in enumerate(row):
            img.set(x, y, INKS[c])
    img.save(name)


if __name__ == '__main__':
    draw('DEDITBMP', CALENDAR_PAGE, greyed(CALENDAR_PAGE))
    draw('PREV1', PREV1)
    draw('PREV2', PREV2)
    draw('NEXT1', mirrored(PREV1))
    draw('NEXT2', mirrored(PREV2))

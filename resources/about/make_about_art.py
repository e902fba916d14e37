#!/usr/bin/env python3
"""Draws the about box's pictures (our own art) as 24-bit BMP files beside this script: the banner
ABOUTBANNER (281 x 129, a valley with fern-green hills under an evening sky) and the 16 tiles
ABOUTTILE1 .. ABOUTTILE16 (32 x 32 each), which together make a 128 x 128 picture of a ball on a
pitch, row by row from the top left. make_about_gifs.sh runs it and turns the tiles into GIF pictures."""
import math
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))


def save_bmp(name, width, height, pixel):
    row = (width * 3 + 3) & ~3
    data = bytearray()
    for y in reversed(range(height)):                 # BMP rows run bottom-up
        line = bytearray()
        for x in range(width):
            r, g, b = pixel(x, y)
            line += bytes((b, g, r))
        data += line + b'\0' * (row - len(line))
    header = struct.pack('<2sIHHI', b'BM', 54 + len(data), 0, 0, 54)
    info = struct.pack('<IiiHHIIiiII', 40, width, height, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    with open(os.path.join(HERE, name + '.bmp'), 'wb') as f:
        f.write(header + info + data)


def mix(a, b, t):
    t = max(0.0, min(1.0, t))
    return tuple(int(a[i] + (b[i] - a[i]) * t) for i in range(3))


def banner(x, y):
    sky = mix((40, 60, 140), (250, 190, 120), y / 80.0)
    far = 70 + 14 * math.sin(x / 23.0) + 8 * math.sin(x / 9.0 + 1.3)
    near = 92 + 12 * math.sin(x / 31.0 + 2.0) + 5 * math.sin(x / 7.0)
    sun = math.hypot(x - 210, y - 52)
    if y > near:
        return mix((46, 110, 40), (20, 60, 22), (y - near) / 40.0)
    if y > far:
        return mix((90, 140, 80), (60, 110, 60), (y - far) / 30.0)
    if sun < 16:
        return (255, 236, 170)
    return sky


def mosaic(x, y):
    cx, cy, radius = 64, 66, 34
    d = math.hypot(x - cx, y - cy)
    if d < radius:
        # Pentagon patches: dark where the angle falls near one of five spokes, and in the middle.
        angle = (math.atan2(y - cy, x - cx) + math.pi) / (2 * math.pi) * 5
        spoke = abs(angle - round(angle))
        dark = d < 9 or (radius * 0.55 < d < radius * 0.85 and spoke < 0.12)
        shade = 1.0 - 0.35 * max(0.0, (x - cx + y - cy) / (2.0 * radius))
        base = (30, 30, 30) if dark else (245, 245, 245)
        return tuple(int(c * shade) for c in base)
    if y > 100 + 2 * math.sin(x / 10.0):
        stripe = (x // 16) % 2
        return (60, 150, 60) if stripe else (50, 130, 50)
    return mix((120, 180, 240), (200, 230, 255), y / 100.0)


if __name__ == '__main__':
    save_bmp('ABOUTBANNER', 281, 129, banner)
    for tile in range(16):
        left, top = (tile % 4) * 32, (tile // 4) * 32
        save_bmp('ABOUTTILE%d' % (tile + 1), 32, 32,
                 lambda x, y, left=left, top=top: mosaic(left + x, top + y))

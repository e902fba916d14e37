#!/usr/bin/env python3
"""Draws the component library's bitmaps (our own art) as 24-bit BMP files beside this script:
CEDITBMP (calculator-edit button, 2 glyphs), CALCBTNS (6 calculator key glyphs) and
CHECK_IMAGES (6 x 3 check-box, radio and check-mark cells) and FEDITBMP (file-edit button: a
folder). Run it again after a change."""
import os
import struct

FUCHSIA = (255, 0, 255)      # the transparent colour of button glyphs
FACE = (192, 192, 192)
WHITE = (255, 255, 255)
BLACK = (0, 0, 0)
GREY = (128, 128, 128)
NAVY = (0, 0, 128)
RED = (192, 0, 0)
GREEN = (0, 128, 0)


class Image:
    def __init__(self, width, height, fill):
        self.width, self.height = width, height
        self.pixels = [[fill] * width for _ in range(height)]

    def set(self, x, y, colour):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.pixels[y][x] = colour

    def rect(self, x0, y0, x1, y1, colour):
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                self.set(x, y, colour)

    def frame(self, x0, y0, x1, y1, colour):
        for x in range(x0, x1 + 1):
            self.set(x, y0, colour)
            self.set(x, y1, colour)
        for y in range(y0, y1 + 1):
            self.set(x0, y, colour)
            self.set(x1, y, colour)

    def save(self, name):
        row = (self.width * 3 + 3) & ~3
        data = b''
        for y in reversed(range(self.height)):          # BMP rows run bottom-up
            line = b''.join(struct.pack('<BBB', b, g, r) for (r, g, b) in self.pixels[y])
            data += line + b'\0' * (row - len(line))
        header = struct.pack('<2sIHHI', b'BM', 54 + len(data), 0, 0, 54)
        info = struct.pack('<IiiHHIIiiII', 40, self.width, self.height, 1, 24, 0, len(data),
                           2835, 2835, 0, 0)
        with open(os.path.join(os.path.dirname(os.path.abspath(__file__)), name + '.bmp'), 'wb') as f:
            f.write(header + info + data)


def calculator(img, ox, colour, shadow):
    """A small calculator: a body with a display and a 3 x 2 grid of keys."""
    img.frame(ox + 2, 0, ox + 9, 11, colour)
    img.rect(ox + 3, 1, ox + 8, 3, shadow)
    for ky in (5, 8):
        for kx in (3, 5, 7):
            img.rect(ox + kx, ky, ox + kx + 1, ky + 1, colour)


def cedit():
    img = Image(24, 12, FUCHSIA)
    calculator(img, 0, BLACK, NAVY)
    calculator(img, 12, GREY, GREY)
    img.save('CEDITBMP')


def calcbtns():
    img = Image(96, 16, FUCHSIA)
    for i in range(4, 12):                                   # 0: Cancel, a red cross
        img.rect(i, i, i + 1, i, RED)
        img.rect(i, 15 - i, i + 1, 15 - i, RED)
    for i, y in enumerate((9, 10, 11, 10, 9, 8, 7, 6, 5, 4)):  # 1: OK, a green tick
        img.rect(16 + 3 + i, y, 16 + 3 + i, y + 1, GREEN)
    img.rect(32 + 7, 3, 32 + 8, 9, BLACK)                    # 2: sign change
    img.rect(32 + 4, 5, 32 + 11, 6, BLACK)
    img.rect(32 + 4, 11, 32 + 11, 12, BLACK)
    for i in range(4, 12):                                   # 3: multiply
        img.set(48 + i, i, BLACK)
        img.set(48 + 15 - i, i, BLACK)
    img.rect(64 + 3, 7, 64 + 12, 8, BLACK)                   # 4: subtract
    img.rect(80 + 3, 7, 80 + 12, 8, BLACK)                   # 5: add
    img.rect(80 + 7, 3, 80 + 8, 12, BLACK)
    img.save('CALCBTNS')


def check_images():
    cell = 13
    img = Image(6 * cell, 3 * cell, FACE)
    for kind in range(3):
        for col in range(6):
            state, disabled = col % 3, col >= 3
            x0, y0 = col * cell, kind * cell
            ink = GREY if disabled else BLACK
            back = FACE if disabled else WHITE
            if kind == 0:                                    # check box
                img.rect(x0 + 1, y0 + 1, x0 + 11, y0 + 11, back)
                img.frame(x0 + 1, y0 + 1, x0 + 11, y0 + 11, GREY)
            elif kind == 1:                                  # radio button: a rounded frame
                img.rect(x0 + 3, y0 + 1, x0 + 9, y0 + 11, back)
                img.rect(x0 + 1, y0 + 3, x0 + 11, y0 + 9, back)
                for (a, b) in ((3, 1), (9, 1), (1, 3), (11, 3), (1, 9), (11, 9), (3, 11), (9, 11)):
                    img.set(x0 + a, y0 + b, GREY)
            mark = ink if state == 1 else GREY
            if state == 0:
                continue
            if kind == 1:
                img.rect(x0 + 5, y0 + 5, x0 + 7, y0 + 7, mark)
            else:
                for i, y in enumerate((6, 7, 8, 7, 6, 5, 4)):
                    img.rect(x0 + 3 + i, y0 + y, x0 + 3 + i, y0 + y + 1, mark)
    img.save('CHECK_IMAGES')


def feditbmp():
    """An open folder: a tab on the back, the front leaning forward."""
    img = Image(14, 12, FUCHSIA)
    img.rect(1, 2, 5, 3, (192, 160, 0))
    img.frame(1, 3, 11, 10, BLACK)
    img.rect(2, 4, 10, 9, (255, 224, 96))
    for y in range(6, 11):
        img.set(2 + (10 - y), y, BLACK)
    img.rect(4, 6, 12, 6, BLACK)
    img.save('FEDITBMP')


if __name__ == '__main__':
    cedit()
    feditbmp()
    calcbtns()
    check_images()

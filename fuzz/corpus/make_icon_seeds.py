#!/usr/bin/env python3
"""Writes the seeds of the animated-cursor and icon-list fuzz targets: small files built as the
reader tests build theirs (tests/components/graphics/IconFile.h, AniFile_test.cpp, IcoList_test.cpp).
Run from anywhere; it rewrites ani_cursor/ and icon_list/ beside this script."""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))


def icon_file(size, bits, kind=1, hot_x=0, hot_y=0):
    """One image of 4 or 32 bits per pixel; kind 1 = icon, 2 = cursor (hot spot in the entry)."""
    colors = 1 << bits if bits <= 8 else 0
    xor_stride = ((size * bits + 31) // 32) * 4
    and_stride = ((size + 31) // 32) * 4
    image_size = 40 + 4 * colors + (xor_stride + and_stride) * size
    b = struct.pack('<HHH', 0, kind, 1)
    b += bytes([size, size, 16 if colors == 16 else 0, 0])
    b += struct.pack('<HHII', hot_x if kind == 2 else 1, hot_y if kind == 2 else bits, image_size, 22)
    b += struct.pack('<IiiHH', 40, size, size * 2, 1, bits) + bytes(24)
    b += b''.join(struct.pack('<I', 0x00FF0000 if i == 1 else 0) for i in range(colors))
    pixel = (lambda x: 0xFF if x % 4 == 3 else 0x40) if bits == 32 else (lambda x: 0x11)
    b += bytes(pixel(x) for _ in range(size) for x in range(xor_stride))
    return b + bytes(and_stride * size)


def chunk(name, body):
    return name + struct.pack('<I', len(body)) + body + (b'\0' if len(body) % 2 else b'')


def riff_list(kind, chunks):
    return chunk(b'LIST', kind + b''.join(chunks))


def values(*numbers):
    return struct.pack('<%dI' % len(numbers), *numbers)


def header(frames, steps, rate, flags=1):
    return chunk(b'anih', values(36, frames, steps, 0, 0, 0, 0, rate, flags))


def riff(chunks):
    return chunk(b'RIFF', b'ACON' + b''.join(chunks))


def icon_list(icons):
    """The icon list's stream: the count, then each icon's size and bytes (size 0: an empty slot)."""
    return struct.pack('<i', len(icons)) + b''.join(struct.pack('<i', len(i)) + i for i in icons)


def write(folder, name, data):
    with open(os.path.join(HERE, folder, name), 'wb') as f:
        f.write(data)


icon8 = icon_file(8, 4)
cursor8 = icon_file(8, 32, 2, 5, 7)

write('ani_cursor', 'frames_rates_sequence.ani', riff([
    header(2, 2, 6),
    chunk(b'rate', values(12, 99)),
    chunk(b'seq ', values(1)),
    chunk(b'seq ', values(0)),
    chunk(b'odd ', b'\1\2\3'),
    riff_list(b'fram', [chunk(b'icon', icon8), chunk(b'icon', cursor8), chunk(b'icon', icon8)]),
    riff_list(b'INFO', [chunk(b'INAM', b'title'), chunk(b'IART', b'Me\0')]),
]))
write('ani_cursor', 'frame_without_icon.ani', riff([
    header(3, 3, 6), chunk(b'seq ', values(0)), chunk(b'seq ', values(5)),
    riff_list(b'fram', [chunk(b'icon', icon8)]),
]))
write('ani_cursor', 'cut_icon_list.ani',
      riff([header(1, 1, 6), riff_list(b'fram', [chunk(b'icon', icon8)])])[:-40])

write('icon_list', 'icons_and_empty_slot.bin', icon_list([icon8, b'', cursor8]))
write('icon_list', 'empty.bin', icon_list([]))

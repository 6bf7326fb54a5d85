#!/usr/bin/env python3
"""Draws the application icon: a blue lower-case e outlined in black, circled by a tilted
blue orbit ring, on a transparent background. One 32x32 image, 256 colours, with mask.
Usage: make_icon.py OUT.ico"""
import math
import struct
import sys

SIZE = 32
CX, CY = 15.5, 15.5
TRANSPARENT, BLACK, E_BLUE, ORBIT_BLUE, E_LIGHT = 0, 1, 2, 3, 4
PALETTE = {BLACK: (0, 0, 0), E_BLUE: (24, 72, 200), ORBIT_BLUE: (70, 150, 255), E_LIGHT: (110, 160, 240)}
TILT = math.radians(-28)


def in_e(x, y):
    dx, dy = x - CX, y - CY
    r = math.hypot(dx, dy)
    if abs(dy) <= 1.3 and abs(dx) <= 8.2:
        return True                                  # the cross stroke
    if not 4.6 <= r <= 8.4:
        return False
    angle = math.atan2(dy, dx)                       # screen y grows downwards
    return not 0.28 < angle < 0.80                   # the opening below the stroke on the right


def orbit(x, y):
    dx, dy = x - CX, y - CY
    u = dx * math.cos(TILT) + dy * math.sin(TILT)
    v = -dx * math.sin(TILT) + dy * math.cos(TILT)
    d = math.hypot(u / 15.0, v / 6.2)
    if abs(d - 1.0) > 0.075:
        return None
    return 'front' if v > 0 else 'back'


def sample(x, y):
    o = orbit(x, y)
    if o == 'front':
        return ORBIT_BLUE
    if in_e(x, y):
        # a lighter upper-left for a little depth
        return E_LIGHT if (x - CX) + (y - CY) < -6 else E_BLUE
    for ox, oy in ((1, 0), (-1, 0), (0, 1), (0, -1), (0.7, 0.7), (-0.7, 0.7), (0.7, -0.7), (-0.7, -0.7)):
        if in_e(x + ox * 1.1, y + oy * 1.1):
            return BLACK
    return ORBIT_BLUE if o == 'back' else TRANSPARENT


def render():
    pixels = []
    for py in range(SIZE):
        row = []
        for px in range(SIZE):
            counts = {}
            for sy in range(4):
                for sx in range(4):
                    c = sample(px + (sx + 0.5) / 4, py + (sy + 0.5) / 4)
                    counts[c] = counts.get(c, 0) + 1
            if counts.get(TRANSPARENT, 0) >= 10:
                row.append(TRANSPARENT)
            else:
                counts.pop(TRANSPARENT, None)
                row.append(max(counts, key=lambda k: (counts[k], k == BLACK)))
        pixels.append(row)
    return pixels


def ico(pixels):
    palette = b''.join(struct.pack('<BBBB', *reversed(PALETTE.get(i, (0, 0, 0))), 0) for i in range(256))
    xor = b''.join(bytes(row) for row in reversed(pixels))
    and_rows = []
    for row in reversed(pixels):
        bits = 0
        for i, c in enumerate(row):
            if c == TRANSPARENT:
                bits |= 1 << (31 - i)
        and_rows.append(struct.pack('>I', bits))
    mask = b''.join(and_rows)
    header = struct.pack('<IiiHHIIiiII', 40, SIZE, SIZE * 2, 1, 8, 0, len(xor) + len(mask), 0, 0, 256, 0)
    image = header + palette + xor + mask
    directory = struct.pack('<HHH', 0, 1, 1) + struct.pack('<BBBBHHII', SIZE, SIZE, 0, 0, 1, 8, len(image), 22)
    return directory + image


if __name__ == '__main__':
    with open(sys.argv[1], 'wb') as f:
        f.write(ico(render()))

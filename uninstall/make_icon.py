#!/usr/bin/env python3
"""Draws the uninstaller's icon: an open box with a red disc and a white
cross in its corner, 32 x 32 pixels in the 16 standard colours, and writes
it as uninstall.ico (one image, 4 bits per pixel, with its AND mask).

Run from anywhere: python3 uninstall/make_icon.py [output.ico]"""
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'tools'))
from icon16 import SIZE, blank, fill, ico_bytes  # noqa: E402

BLACK, OLIVE, SILVER, GREY, RED, YELLOW, WHITE = 0, 3, 7, 8, 9, 11, 15


def draw():
    """Rows top to bottom; each pixel a palette index or CLEAR."""
    px = blank()

    # The box: a yellow front, an olive inside seen through the open top,
    # two flaps folded out, black edges.
    fill(px, 4, 12, 25, 28, BLACK)
    fill(px, 5, 13, 24, 27, YELLOW)
    fill(px, 5, 13, 24, 15, OLIVE)
    for i in range(6):  # left and right flaps, slanting outwards
        fill(px, 1 + i, 11 - i, 4 + i, 11 - i, BLACK if i in (0, 5) else SILVER)
        fill(px, 25 - i, 11 - i, 28 - i, 11 - i, BLACK if i in (0, 5) else SILVER)
    fill(px, 8, 19, 21, 19, GREY)  # tape across the front
    # The disc with the cross, lower right, over the box.
    cx, cy, r = 23.5, 23.5, 7.5
    for y in range(SIZE):
        for x in range(SIZE):
            d = ((x - cx) ** 2 + (y - cy) ** 2) ** 0.5
            if d <= r:
                px[y][x] = BLACK if d > r - 1 else RED
    for i in range(-3, 4):
        for dx in (0, 1):
            px[int(cy + i)][int(cx + i) + dx - 1] = WHITE
            px[int(cy + i)][int(cx - i) + dx] = WHITE
    return px


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(os.path.abspath(__file__)), 'uninstall.ico')
    with open(out, 'wb') as f:
        f.write(ico_bytes(draw()))


if __name__ == '__main__':
    main()

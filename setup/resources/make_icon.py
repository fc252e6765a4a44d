#!/usr/bin/env python3
"""Writes setup.ico: setup's 32 x 32, 16-colour icon (a parcel with an
arrow pointing into it). The .ico is committed.

Run from anywhere: python3 setup/resources/make_icon.py"""
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', '..', 'tools'))
from icon16 import blank, fill, ico_bytes  # noqa: E402

BLACK, DARK_YELLOW, GREY, LIGHT_GREY, GREEN, DARK_GREEN, YELLOW, WHITE = 0, 3, 8, 7, 10, 2, 11, 15


def draw():
    px = blank()

    # The parcel: front face, lid, outline and a strip of tape.
    fill(px, 4, 16, 27, 30, DARK_YELLOW)
    fill(px, 4, 13, 27, 15, YELLOW)
    fill(px, 14, 13, 17, 30, LIGHT_GREY)
    for x in range(4, 28):
        px[12][x] = px[31][x] = BLACK
        px[16][x] = BLACK if x not in range(14, 18) else GREY
    for y in range(12, 32):
        px[y][3] = px[y][28] = BLACK
    # The arrow: a shaft and a head pointing down into the parcel.
    fill(px, 13, 0, 18, 7, GREEN)
    for row in range(7):
        y = 7 + row
        fill(px, 8 + row, y, 23 - row, y, GREEN)
    for y in range(0, 8):
        px[y][12] = px[y][19] = DARK_GREEN
    for row in range(7):
        y = 7 + row
        px[y][7 + row] = px[y][24 - row] = DARK_GREEN
    return px


if __name__ == "__main__":
    here = os.path.dirname(os.path.abspath(__file__))
    with open(os.path.join(here, "setup.ico"), "wb") as f:
        f.write(ico_bytes(draw()))

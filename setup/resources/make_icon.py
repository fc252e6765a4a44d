#!/usr/bin/env python3
"""Writes setup.ico: setup's 32 x 32, 16-colour icon (a parcel with an
arrow pointing into it). Run it from this folder; the .ico is committed."""
import struct

# The standard 16-colour palette (index: blue, green, red, reserved).
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]  # as (r, g, b)
BLACK, DARK_YELLOW, GREY, LIGHT_GREY, GREEN, DARK_GREEN, YELLOW, WHITE = 0, 3, 8, 7, 10, 2, 11, 15
CLEAR = None

SIZE = 32


def draw():
    px = [[CLEAR] * SIZE for _ in range(SIZE)]

    def rect(x0, y0, x1, y1, colour):
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                px[y][x] = colour

    # The parcel: front face, lid, outline and a strip of tape.
    rect(4, 16, 27, 30, DARK_YELLOW)
    rect(4, 13, 27, 15, YELLOW)
    rect(14, 13, 17, 30, LIGHT_GREY)
    for x in range(4, 28):
        px[12][x] = px[31][x] = BLACK
        px[16][x] = BLACK if x not in range(14, 18) else GREY
    for y in range(12, 32):
        px[y][3] = px[y][28] = BLACK
    # The arrow: a shaft and a head pointing down into the parcel.
    rect(13, 0, 18, 7, GREEN)
    for row in range(7):
        y = 7 + row
        rect(8 + row, y, 23 - row, y, GREEN)
    for y in range(0, 8):
        px[y][12] = px[y][19] = DARK_GREEN
    for row in range(7):
        y = 7 + row
        px[y][7 + row] = px[y][24 - row] = DARK_GREEN
    return px


def icon_bytes(px):
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 4, 0, 0, 0, 0, 16, 0)
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in PALETTE)
    xor = bytearray()
    mask = bytearray()
    for y in reversed(range(SIZE)):  # bottom-up rows
        row = px[y]
        for x in range(0, SIZE, 2):
            hi = row[x] if row[x] is not None else 0
            lo = row[x + 1] if row[x + 1] is not None else 0
            xor.append((hi << 4) | lo)
        bits = 0
        for x in range(SIZE):
            bits = (bits << 1) | (1 if row[x] is None else 0)
        mask += struct.pack(">I", bits)
    image = header + palette + bytes(xor) + bytes(mask)
    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 16, 0, 1, 4, len(image), 6 + 16)
    return directory + entry + image


if __name__ == "__main__":
    with open("setup.ico", "wb") as f:
        f.write(icon_bytes(draw()))

"""A 32 x 32 icon in the 16 standard colours, as .ico bytes: the one
format both programs' icons use. Their make_icon.py scripts draw the
pixels (a palette index per pixel, or CLEAR) on a blank() canvas, with
fill() for rectangles, and write the file with ico_bytes()."""
import struct

SIZE = 32
CLEAR = None
# The 16 standard colours as (red, green, blue).
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]


def blank():
    """A canvas of SIZE rows, top to bottom, every pixel CLEAR."""
    return [[CLEAR] * SIZE for _ in range(SIZE)]


def fill(px, x0, y0, x1, y1, colour):
    """The rectangle from (x0, y0) to (x1, y1), both corners included."""
    for y in range(y0, y1 + 1):
        for x in range(x0, x1 + 1):
            px[y][x] = colour


def ico_bytes(px):
    """One image, 4 bits per pixel, with its AND mask (CLEAR pixels)."""
    colour_rows = []
    mask_rows = []
    for row in reversed(px):  # bitmaps run bottom-up
        nibbles = [0 if p is CLEAR else p for p in row]
        colour_rows.append(bytes((nibbles[i] << 4) | nibbles[i + 1] for i in range(0, SIZE, 2)))
        bits = 0
        for p in row:
            bits = (bits << 1) | (1 if p is CLEAR else 0)
        mask_rows.append(bits.to_bytes(SIZE // 8, 'big'))
    palette = b''.join(struct.pack('<BBBB', b, g, r, 0) for (r, g, b) in PALETTE)
    # BITMAPINFOHEADER; the height counts the colour and the mask bitmaps.
    header = struct.pack('<IiiHHIIiiII', 40, SIZE, SIZE * 2, 1, 4, 0,
                         len(b''.join(colour_rows)) + len(b''.join(mask_rows)), 0, 0, 16, 0)
    image = header + palette + b''.join(colour_rows) + b''.join(mask_rows)
    directory = struct.pack('<HHH', 0, 1, 1)
    entry = struct.pack('<BBBBHHII', SIZE, SIZE, 16, 0, 1, 4, len(image), 6 + 16)
    return directory + entry + image

"""A 32 x 32 icon in the 16 standard colours, as .ico bytes: the one
format both programs' icons use. Their make_icon.py scripts draw the
pixels (a palette index per pixel, or CLEAR) on a blank() canvas, with
fill() for rectangles, and write the file with ico_bytes().

The image is stored PNG-compressed, as icons may be since Windows Vista:
a palette of the colours the picture uses plus one transparent entry, 4
bits a pixel. The same picture as a bitmap with its AND mask takes 744
bytes, three times as many, in programs that count their bytes."""
import struct
import zlib

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


def _chunk(kind, data):
    return struct.pack('>I', len(data)) + kind + data + struct.pack('>I', zlib.crc32(kind + data))


def png_bytes(px):
    """The picture as a palette PNG: the colours it uses, then, when some
    pixels are CLEAR, one fully transparent entry."""
    used = sorted({p for row in px for p in row if p is not CLEAR})
    entries = [PALETTE[p] for p in used]
    index = {p: i for i, p in enumerate(used)}
    if any(p is CLEAR for row in px for p in row):
        index[CLEAR] = len(entries)
        entries.append((0, 0, 0))
    if len(entries) > 16:
        raise ValueError('more than 15 colours and transparency do not fit 4 bits a pixel')
    rows = b''
    for row in px:
        nibbles = [index[p] for p in row]
        rows += b'\0' + bytes((nibbles[i] << 4) | nibbles[i + 1] for i in range(0, SIZE, 2))
    header = struct.pack('>IIBBBBB', SIZE, SIZE, 4, 3, 0, 0, 0)  # 4-bit palette, no interlace
    alpha = bytes(0 if i == index.get(CLEAR) else 255 for i in range(len(entries)))
    return (b'\x89PNG\r\n\x1a\n' + _chunk(b'IHDR', header) +
            _chunk(b'PLTE', b''.join(struct.pack('BBB', *c) for c in entries)) +
            _chunk(b'tRNS', alpha.rstrip(b'\xff')) +
            _chunk(b'IDAT', zlib.compress(rows, 9)) + _chunk(b'IEND', b''))


def ico_bytes(px):
    """One image of 16 colours (4 bits a pixel in the icon's directory)."""
    image = png_bytes(px)
    directory = struct.pack('<HHH', 0, 1, 1)
    entry = struct.pack('<BBBBHHII', SIZE, SIZE, 16, 0, 1, 4, len(image), 6 + 16)
    return directory + entry + image

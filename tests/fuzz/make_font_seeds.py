#!/usr/bin/env python3
"""Seeds for the font name fuzzer, made from real fonts of Debian's packages:
each keeps a font's table directory and its name table only (the other
tables' records point at nothing), so that the seeds stay a few KB.

usage: make_font_seeds.py OUTDIR"""
import os
import struct
import sys

FONTS = {
    "dejavu.ttf": "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf",
    "nimbus.otf": "/usr/share/fonts/opentype/urw-base35/NimbusSans-Regular.otf",
}


def strip(font):
    """The directory with the name table moved right behind it."""
    count = struct.unpack_from(">H", font, 4)[0]
    head = bytearray(font[:12 + 16 * count])
    for i in range(count):
        at = 12 + 16 * i
        tag, _, offset, length = struct.unpack_from(">4sIII", font, at)
        if tag == b"name":
            struct.pack_into(">I", head, at + 8, len(head))
            return bytes(head) + font[offset:offset + length]
    raise ValueError("no name table")


def collection(fonts):
    """A .ttc of the stripped fonts, offsets counted from its start."""
    out = bytearray(b"ttcf" + struct.pack(">II", 0x10000, len(fonts)) + bytes(4 * len(fonts)))
    for k, font in enumerate(fonts):
        base = len(out)
        struct.pack_into(">I", out, 12 + 4 * k, base)
        font = bytearray(font)
        for i in range(struct.unpack_from(">H", font, 4)[0]):
            at = 12 + 16 * i + 8
            struct.pack_into(">I", font, at, struct.unpack_from(">I", font, at)[0] + base)
        out += font
    return bytes(out)


def main(out):
    os.makedirs(out, exist_ok=True)
    stripped = []
    for name, path in FONTS.items():
        with open(path, "rb") as f:
            stripped.append(strip(f.read()))
        with open(os.path.join(out, name), "wb") as f:
            f.write(stripped[-1])
    with open(os.path.join(out, "both.ttc"), "wb") as f:
        f.write(collection(stripped))


if __name__ == "__main__":
    main(sys.argv[1])

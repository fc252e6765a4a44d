#!/usr/bin/env python3
"""Large installers of random data, made and checked without holding them.

  random_installer.py make STUB OUT SCRIPT --size BYTES [--entries N] [--seed S] [--add NAME=FILE ...]
  random_installer.py verify DIR --size BYTES [--entries N] [--seed S]

make writes STUB, marker 1, SCRIPT (LF line ends become CR LF, no line
break after the last line), marker 2 and a ZIP archive whose offsets count
from its own first byte: the --add files, then N stored entries
data/partNN.bin of random bytes that together hold BYTES. The archive is
written as it is made, so a 1.9 GB installer needs no 1.9 GB of memory.
mkinstaller stores random data too, since deflate cannot shrink it; it is
not used here because it holds the whole payload in memory several times.

verify compares DIR/data/partNN.bin byte for byte with the bytes that make
wrote for the same size, entry count and seed, and exits 1 naming the first
difference.

The bytes: 1 MiB slices, at random offsets, of a 16 MiB pool of random
bytes, both drawn from the seed. Every slice starts somewhere else, so an
entry read from the wrong place or shifted by any number of bytes differs;
deflate's 32 KiB window finds nothing to shrink.
"""
import argparse
import random
import sys
import zipfile

BLOCK = 1 << 20
POOL = 16 << 20
# "-overlay1-" and "-overlay2-" without writing them here whole.
MARKER1 = b"-" + b"overlay1-"
MARKER2 = b"-" + b"overlay2-"


class RandomData:
    def __init__(self, seed):
        self.seed = seed
        self.pool = random.Random(seed).randbytes(POOL)

    def blocks(self, entry, size):
        """The bytes of one entry, in blocks of at most 1 MiB."""
        pick = random.Random(self.seed * 1000003 + entry)
        while size > 0:
            n = min(BLOCK, size)
            at = pick.randrange(POOL - n)
            yield self.pool[at:at + n]
            size -= n


def entry_sizes(total, entries):
    """N sizes that add up to total; the first entries take the remainder."""
    base, rest = divmod(total, entries)
    return [base + (1 if i < rest else 0) for i in range(entries)]


def entry_name(i):
    return "data/part%02d.bin" % i


class FromHere:
    """A file seen from its current position: the archive's offsets then
    count from its own first byte, not from the start of the installer."""

    def __init__(self, f):
        self.f = f
        self.base = f.tell()

    def tell(self):
        return self.f.tell() - self.base

    def seek(self, offset, whence=0):
        return self.f.seek(offset + (self.base if whence == 0 else 0), whence) - self.base

    def write(self, data):
        return self.f.write(data)

    def flush(self):
        self.f.flush()

    def seekable(self):
        return True


def stored_info(name, size):
    info = zipfile.ZipInfo(name, date_time=(2024, 1, 1, 12, 0, 0))
    info.compress_type = zipfile.ZIP_STORED
    info.create_system = 0  # MS-DOS: the external attributes are DOS bits
    info.external_attr = 0x20  # archive
    info.file_size = size
    return info


def make(args):
    with open(args.script, "rb") as f:
        script = f.read().rstrip(b"\n").replace(b"\r\n", b"\n").replace(b"\n", b"\r\n")
    data = RandomData(args.seed)
    with open(args.out, "wb") as out:
        with open(args.stub, "rb") as f:
            out.write(f.read())
        out.write(MARKER1 + script + MARKER2)
        with zipfile.ZipFile(FromHere(out), "w") as archive:
            for pair in args.add:
                name, path = pair.split("=", 1)
                with open(path, "rb") as f:
                    content = f.read()
                archive.writestr(stored_info(name, len(content)), content)
            for i, size in enumerate(entry_sizes(args.size, args.entries)):
                with archive.open(stored_info(entry_name(i), size), "w") as entry:
                    for block in data.blocks(i, size):
                        entry.write(block)
    return 0


def verify(args):
    data = RandomData(args.seed)
    for i, size in enumerate(entry_sizes(args.size, args.entries)):
        path = "%s/%s" % (args.dir, entry_name(i))
        try:
            f = open(path, "rb")
        except OSError as e:
            print("%s: %s" % (path, e.strerror))
            return 1
        with f:
            offset = 0
            for block in data.blocks(i, size):
                got = f.read(len(block))
                if got != block:
                    at = next((k for k in range(min(len(got), len(block))) if got[k] != block[k]), len(got))
                    print("%s: differs at byte %d" % (path, offset + at))
                    return 1
                offset += len(block)
            if f.read(1):
                print("%s: longer than %d bytes" % (path, size))
                return 1
    return 0


def main():
    parser = argparse.ArgumentParser()
    sub = parser.add_subparsers(dest="command", required=True)
    for name in ("make", "verify"):
        p = sub.add_parser(name)
        if name == "make":
            p.add_argument("stub")
            p.add_argument("out")
            p.add_argument("script")
            p.add_argument("--add", action="append", default=[], metavar="NAME=FILE")
        else:
            p.add_argument("dir")
        p.add_argument("--size", type=int, required=True)
        p.add_argument("--entries", type=int, default=4)
        p.add_argument("--seed", type=int, default=1)
    args = parser.parse_args()
    if args.entries < 1 or args.size < 0:
        parser.error("at least one entry, and a size of 0 or more")
    return make(args) if args.command == "make" else verify(args)


if __name__ == "__main__":
    sys.exit(main())

#!/usr/bin/env python3
"""Writes an uninstall.dat the way setup lays it out, for the end-to-end tests.

usage: make_uninstall_dat.py [--ansi] [--flags N] OUT APPNAME [INSTALLED...] -- [LINKS...] -- [GENERATED...]
Names are given as setup records them (backslashes). The form setup writes
now: magic "SS02", UTF-8; with --ansi the earlier one: "SS01", code page 1252.
--flags N adds the trailer behind the lists (bit 0: the first link's folder
was there before setup); without it the file ends after the lists, as
earlier releases wrote it."""
import struct
import sys


def record(app, installed, links, generated, ansi=False, flags=None):
    def text(s):
        return s.encode('cp1252' if ansi else 'utf-8') + b'\0'

    def names(items):
        return struct.pack('<i', len(items)) + b''.join(text(s) for s in items)

    trailer = b'' if flags is None else struct.pack('<i', flags)
    return (b'SS01' if ansi else b'SS02') + text(app) + names(installed) + names(links) + names(generated) + trailer


def main(argv):
    ansi = len(argv) > 1 and argv[1] == '--ansi'
    if ansi:
        argv = argv[:1] + argv[2:]
    flags = None
    if len(argv) > 2 and argv[1] == '--flags':
        flags = int(argv[2])
        argv = argv[:1] + argv[3:]
    out, app, rest = argv[1], argv[2], argv[3:]
    groups = [[]]
    for arg in rest:
        if arg == '--':
            groups.append([])
        else:
            groups[-1].append(arg)
    groups += [[]] * (3 - len(groups))
    with open(out, 'wb') as f:
        f.write(record(app, *groups[:3], ansi=ansi, flags=flags))


if __name__ == '__main__':
    main(sys.argv)

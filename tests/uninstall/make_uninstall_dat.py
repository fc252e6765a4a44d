#!/usr/bin/env python3
"""Writes an uninstall.dat the way setup lays it out, for the uninstaller's
end-to-end test.

usage: make_uninstall_dat.py OUT APPNAME [INSTALLED...] -- [LINKS...] -- [GENERATED...]
Names are given as setup records them (backslashes, code page 1252)."""
import struct
import sys


def record(app, installed, links, generated):
    def text(s):
        return s.encode('cp1252') + b'\0'

    def names(items):
        return struct.pack('<i', len(items)) + b''.join(text(s) for s in items)

    return b'SS01' + text(app) + names(installed) + names(links) + names(generated)


def main(argv):
    out, app, rest = argv[1], argv[2], argv[3:]
    groups = [[]]
    for arg in rest:
        if arg == '--':
            groups.append([])
        else:
            groups[-1].append(arg)
    groups += [[]] * (3 - len(groups))
    with open(out, 'wb') as f:
        f.write(record(app, *groups[:3]))


if __name__ == '__main__':
    main(sys.argv)

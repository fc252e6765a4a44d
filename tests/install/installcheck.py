#!/usr/bin/env python3
"""Checks an installation made by setup.exe in a wine prefix against what
its script and payload say, independently of the product's code.

  installcheck.py record DAT --installer EXE --payload DIR --script TXT
                  --group G --startup S --desktop K [--group-existed]
                  [--stopped ENTRY [--earlier DAT]]
      uninstall.dat field by field: the archive's names in archive order,
      the link paths of the three shortcut lists, the generated names, and
      the trailer's flags: bit 0 when the program group was there before
      setup (--group-existed) and holds the first link. For an
      installation stopped at ENTRY the archive's names end with it and no
      new link is listed; the names of an earlier record of the same
      application that the new lists lack follow them, and its links are
      listed, with its flags.
  installcheck.py links --script TXT --dest D --group G --startup S
                  --desktop K --prefix P [--absent]
      every .lnk of the script exists and names its target (or, with
      --absent, none of them exists).
  installcheck.py targets --script TXT --dest D --group G --startup S --desktop K
      prints each .lnk of the script with its target and arguments,
      tab-separated, for the driver's link query.
  installcheck.py dump DAT
      prints the record.

Windows paths are given as setup sees them (C:\\...). uninstall.dat is read
in both forms: "SS02" (UTF-8) and the earlier "SS01" (Windows-1252). Archive
names without the UTF-8 flag are OEM bytes: code page 437, or --oem.
Prints one line per difference; exit status 1 when there is one."""
import argparse
import os
import struct
import sys
import zipfile

# What each magic says the texts are.
ENCODINGS = {b'SS02': 'utf-8', b'SS01': 'cp1252'}


# ---- uninstall.dat, read the way its layout is written down ----

class Record:
    def __init__(self, app, installed, links, generated, flags=0):
        self.app, self.installed, self.links, self.generated = app, installed, links, generated
        self.flags = flags


def read_record(path):
    data = open(path, 'rb').read()
    pos = 0

    def text():
        nonlocal pos
        end = data.index(b'\0', pos)
        value, pos = data[pos:end], end + 1
        return value.decode(encoding)

    def names():
        nonlocal pos
        (count,) = struct.unpack_from('<i', data, pos)
        pos += 4
        return [text() for _ in range(max(count, 0))]

    encoding = ENCODINGS.get(data[:4])
    if encoding is None:
        raise ValueError('%s: magic %r' % (path, data[:4]))
    pos = 4
    record = Record(text(), names(), names(), names())
    # The trailer, which files of earlier releases lack.
    if len(data) - pos == 4:
        (record.flags,) = struct.unpack_from('<i', data, pos)
    elif pos != len(data):
        raise ValueError('%s: %d bytes after the last list' % (path, len(data) - pos))
    return record


# ---- the script, as the test wrote it (LF line ends, UTF-8) ----

class Script:
    def __init__(self, path):
        self.lines = open(path, encoding='utf-8').read().split('\n')

    def section(self, key):
        """The lines after the first line holding KEY, up to one that begins with '#'."""
        for i, line in enumerate(self.lines):
            if key in line:
                out = []
                for item in self.lines[i + 1:]:
                    if item.startswith('#'):
                        break
                    out.append(item)
                return out
        return []

    def app_name(self):
        for i, line in enumerate(self.lines):
            if '#AppName' in line and i + 1 < len(self.lines):
                return self.lines[i + 1]
        return 'Application'

    def shortcuts(self, key):
        """(target, arguments, caption) per line pair; a lone last line is no shortcut."""
        lines = self.section(key)
        out = []
        for target_line, caption in zip(lines[0::2], lines[1::2]):
            target, arguments = target_line, ''
            dot = target_line.find('.')
            blank = target_line.find(' ', dot) if dot >= 0 else -1
            if blank >= 0:
                target, arguments = target_line[:blank], target_line[blank + 1:]
            out.append((target, arguments, caption))
        return out


def expected_links(script, group, startup, desktop):
    """(link path, target, arguments) in the order setup records them."""
    out = []
    for key, folder in (('#Shortcuts', group), ('#StartupShortcuts', startup), ('#DesktopShortcuts', desktop)):
        for target, arguments, caption in script.shortcuts(key):
            out.append((folder + '\\' + caption + '.lnk', target, arguments))
    return out


# ---- the payload ----

def archive_names(installer, oem):
    """Entry names in archive order, as setup records them, with backslashes.
    zipfile reads a name without the UTF-8 flag (bit 11) as code page 437."""
    with zipfile.ZipFile(installer) as archive:
        return [(info.filename if info.flag_bits & 0x800 else info.filename.encode('cp437').decode(oem))
                .replace('/', '\\') for info in archive.infolist()]


def payload_names(folder):
    names = []
    for root, dirs, files in os.walk(folder):
        rel = os.path.relpath(root, folder)
        prefix = '' if rel == '.' else rel.replace('/', '\\') + '\\'
        names += [prefix + d + '\\' for d in dirs]
        names += [prefix + f for f in files]
    return sorted(names)


# ---- Windows paths of the prefix ----

def unix_path(prefix, win):
    """The Unix path of a Windows path, its components matched without regard to case as wine does."""
    drive, rest = win[0:1].lower(), win[3:]
    path = os.path.realpath(os.path.join(prefix, 'dosdevices', drive + ':'))
    for part in [p for p in rest.split('\\') if p]:
        candidate = os.path.join(path, part)
        if not os.path.exists(candidate) and os.path.isdir(path):
            for entry in os.listdir(path):
                if entry.lower() == part.lower():
                    candidate = os.path.join(path, entry)
                    break
        path = candidate
    return path


# ---- the checks ----

class Differences:
    def __init__(self):
        self.count = 0

    def __call__(self, what, got, expected):
        if got != expected:
            self.count += 1
            print('%s: expected %r, got %r' % (what, expected, got))

    def list(self, what, got, expected):
        self(what + ' count', len(got), len(expected))
        for i, (g, e) in enumerate(zip(got, expected)):
            self('%s[%d]' % (what, i), g, e)


def check_record(args, diff):
    script = Script(args.script)
    record = read_record(args.dat)
    table = archive_names(args.installer, args.oem)
    diff('the archive holds the payload folder', sorted(table), payload_names(args.payload))
    links = [link for link, _, _ in expected_links(script, args.group, args.startup, args.desktop)]
    generated = script.section('#GeneratedFiles')
    installed = list(table)
    flags = 1 if args.group_existed and script.shortcuts('#Shortcuts') else 0
    if args.stopped:
        # Nothing behind the entry it stopped at, and no shortcut was made
        # yet; the earlier record's names stay listed.
        installed = table[:table.index(args.stopped) + 1]
        earlier = read_record(args.earlier) if args.earlier else Record('', [], [], [])
        installed += [n for n in earlier.installed if n not in installed]
        links = list(earlier.links)
        flags = earlier.flags
        generated += [n for n in earlier.generated if n not in generated]
    diff('application name', record.app, script.app_name())
    diff.list('installed', record.installed, installed)
    diff.list('links', record.links, links)
    diff.list('generated', record.generated, generated)
    diff('flags', record.flags, flags)
    if diff.count == 0:
        print('uninstall.dat: %d installed, %d links, %d generated' % (len(installed), len(links), len(generated)))


def ansi(text):
    """The text in Windows-1252, or None where it has no such form."""
    try:
        return text.encode('cp1252')
    except UnicodeEncodeError:
        return None


def check_links(args, diff):
    script = Script(args.script)
    for link, target, arguments in expected_links(script, args.group, args.startup, args.desktop):
        path = unix_path(args.prefix, link)
        name = link
        if args.absent:
            diff(name + ' exists', os.path.exists(path), False)
            continue
        if not os.path.isfile(path):
            diff(name + ' exists', False, True)
            continue
        data = open(path, 'rb').read()
        # The shell link keeps its strings in UTF-16 (or, written by ANSI
        # calls, in the code page).
        for what, text in (('target', args.dest + '\\' + target), ('arguments', arguments)):
            if text:
                forms = [text.encode('utf-16-le')] + ([ansi(text)] if ansi(text) else [])
                found = any(form in data for form in forms)
                diff('%s names its %s %s' % (name, what, text), found, True)
    if diff.count == 0:
        print('links %s' % ('absent' if args.absent else 'present and naming their targets'))


def targets(args, _):
    script = Script(args.script)
    for link, target, arguments in expected_links(script, args.group, args.startup, args.desktop):
        print('%s\t%s\\%s\t%s' % (link, args.dest, target, arguments))


def dump(args, _):
    record = read_record(args.dat)
    print('app: %s' % record.app)
    for what in ('installed', 'links', 'generated'):
        for name in getattr(record, what):
            print('%s: %s' % (what, name))
    print('flags: %d' % record.flags)


def main():
    parser = argparse.ArgumentParser()
    commands = parser.add_subparsers(dest='command', required=True)
    record = commands.add_parser('record')
    record.add_argument('dat')
    record.add_argument('--stopped', metavar='ENTRY')
    record.add_argument('--earlier')
    record.add_argument('--group-existed', action='store_true')
    links = commands.add_parser('links')
    links.add_argument('--prefix', required=True)
    links.add_argument('--absent', action='store_true')
    shortcut_targets = commands.add_parser('targets')
    for sub in (links, shortcut_targets):
        sub.add_argument('--dest', required=True)
    for sub in (record, links, shortcut_targets):
        sub.add_argument('--script', required=True)
        sub.add_argument('--group', required=True)
        sub.add_argument('--startup', required=True)
        sub.add_argument('--desktop', required=True)
    for option in ('--installer', '--payload'):
        record.add_argument(option, required=True)
    record.add_argument('--oem', default='cp437', help="the archive's OEM code page")
    commands.add_parser('dump').add_argument('dat')
    args = parser.parse_args()
    diff = Differences()
    try:
        {'record': check_record, 'links': check_links, 'targets': targets, 'dump': dump}[args.command](args, diff)
    except (OSError, ValueError, struct.error, zipfile.BadZipFile) as e:
        print(e)
        return 1
    return 1 if diff.count else 0


if __name__ == '__main__':
    sys.exit(main())

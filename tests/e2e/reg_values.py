#!/usr/bin/env python3
"""reg_values.py FILE.reg: the values of the first key of a file that reg
export wrote (UTF-16), one NAME=DATA line each: strings unescaped, DWORDs as
0x... (reg query's form); other types as exported. Exit 1 without a key."""
import re
import sys


def main(path):
    text = open(path, 'rb').read().decode('utf-16')
    lines = text.splitlines()
    starts = [i for i, line in enumerate(lines) if line.startswith('[')]
    if not starts:
        return 1
    for line in lines[starts[0] + 1:]:
        if line.startswith('['):
            break
        match = re.match(r'^(@|"((?:[^"\\]|\\.)*)")=(.*)$', line)
        if not match:
            continue
        name = '' if match.group(1) == '@' else re.sub(r'\\(.)', r'\1', match.group(2))
        data = match.group(3)
        if data.startswith('"') and data.endswith('"'):
            data = re.sub(r'\\(.)', r'\1', data[1:-1])
        elif data.startswith('dword:'):
            data = '0x%x' % int(data[6:], 16)
        print('%s=%s' % (name, data))
    return 0


if __name__ == '__main__':
    sys.exit(main(sys.argv[1]))

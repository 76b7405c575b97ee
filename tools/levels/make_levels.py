#!/usr/bin/env python3
"""Turns the level sources in this folder (*.txt) into the shipped level files.

A source holds header lines and then the map, one character a cell:
    out campaign/Level1.cam    where the level file goes, below levels/
    required 5                 rubies that open the exit
    way X Y [RUBIES]           a waypoint for quillmere-solve (ignored here)
    # ...                      a comment
    map                        the rows follow, all of one width
Legend: '#' wall, '%' brick (the outer wall's tile: a blast breaks it), '*' ruby, 'P' the
player, '.' earth, 'O' rock, ' ' empty, 'X' closed exit, 'E' open exit, '>' 'v' '<' '^'
creatures heading right, down, left, up, 's' slime.
"""
import pathlib
import sys

CODES = {'%': 0, '*': 1, 'P': 2, '.': 3, 'O': 4, ' ': 5, 'X': 6, 'E': 7,
         '>': 8, 'v': 9, '<': 10, '^': 11, 's': 12, '#': 13}

HERE = pathlib.Path(__file__).resolve().parent
LEVELS = HERE.parent.parent / 'levels'


def convert(source):
    out, required, rows, in_map = None, None, [], False
    for line in source.read_text().split('\n'):
        if in_map:
            if line.strip():
                rows.append(line)
            continue
        words = line.split()
        if not words or words[0].startswith('#'):
            continue
        if words[0] == 'out':
            out = words[1]
        elif words[0] == 'required':
            required = int(words[1])
        elif words[0] == 'map':
            in_map = True
    width = max(len(r) for r in rows)
    if out is None or required is None:
        sys.exit(f'{source.name}: needs "out" and "required"')
    if any(len(r) != width for r in rows):
        sys.exit(f'{source.name}: rows of different widths')
    if width > 101 or len(rows) > 101:
        sys.exit(f'{source.name}: larger than 101 x 101')
    players = [(x, y) for y, r in enumerate(rows) for x, c in enumerate(r) if c == 'P']
    if len(players) != 1:
        sys.exit(f'{source.name}: needs exactly one player')
    bad = {c for r in rows for c in r if c not in CODES}
    if bad:
        sys.exit(f'{source.name}: unknown cells {sorted(bad)}')
    rubies = sum(r.count('*') for r in rows)
    lines = [str(width), str(len(rows)), str(players[0][0]), str(players[0][1]), str(required)]
    lines += [' '.join(str(CODES[c]) for c in r) for r in rows]
    target = LEVELS / out
    target.write_bytes(('\r\n'.join(lines) + '\r\n').encode('ascii'))
    print(f'{out}: {width} x {len(rows)}, {required} required, {rubies} rubies on the board')


if __name__ == '__main__':
    for path in sorted(HERE.glob('*.txt')):
        convert(path)

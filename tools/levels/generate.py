#!/usr/bin/env python3
"""Builds the level sources that are easier to lay out with a few lines of code than by hand:
galleries, tunnels, rings for the creatures, and the large caves. Writes LevelNN.txt and the
single levels' sources here; make_levels.py turns every source into the shipped file.

Each builder places every room, rock and ruby on purpose; the only randomness is a seeded
sprinkle of rocks and rubies in the earth of the large caves, between the designed rooms."""
import pathlib
import random

HERE = pathlib.Path(__file__).resolve().parent


class Grid:
    def __init__(self, w, h, fill='#'):
        self.w, self.h = w, h
        self.g = [[fill] * w for _ in range(h)]
        self.ways = []

    def put(self, x, y, c):
        assert 0 <= x < self.w and 0 <= y < self.h, (x, y)
        self.g[y][x] = c

    def at(self, x, y):
        return self.g[y][x]

    def row(self, y, x0, x1, c=' '):
        for x in range(min(x0, x1), max(x0, x1) + 1):
            self.put(x, y, c)

    def col(self, x, y0, y1, c=' '):
        for y in range(min(y0, y1), max(y0, y1) + 1):
            self.put(x, y, c)

    def box(self, x0, y0, x1, y1, c):
        for y in range(y0, y1 + 1):
            self.row(y, x0, x1, c)

    def ring(self, x0, y0, x1, y1, c=' '):
        self.row(y0, x0, x1, c)
        self.row(y1, x0, x1, c)
        self.col(x0, y0, y1, c)
        self.col(x1, y0, y1, c)

    def border(self, c='#'):
        self.ring(0, 0, self.w - 1, self.h - 1, c)

    def text(self, x, y, rows):
        for dy, r in enumerate(rows):
            for dx, c in enumerate(r):
                if c != '?':
                    self.put(x + dx, y + dy, c)

    def way(self, x, y, rubies=None):
        self.ways.append((x, y, rubies))

    def write(self, name, header):
        lines = [l for l in header.strip('\n').split('\n')]
        lines += [f'way {x} {y}' + ('' if r is None else f' {r}') for x, y, r in self.ways]
        lines.append('map')
        lines += [''.join(r) for r in self.g]
        (HERE / name).write_text('\n'.join(lines) + '\n')


def level4():
    g = Grid(26, 14)
    # gallery 1 (y=1) to the right, pits below it, a drop at x=24 to gallery 2
    g.row(1, 1, 24)
    g.put(1, 1, 'P')
    for x in (4, 11, 18):
        g.put(x, 1, 'O')
        g.put(x + 1, 2, ' ')
    for x in (8, 15, 21):
        g.put(x, 1, '*')
    g.col(24, 2, 3)
    # gallery 2 (y=4) to the left; a ruby drops from the ceiling as the level starts
    g.row(4, 1, 24)
    for x in (20, 13, 6):
        g.put(x, 4, 'O')
        g.put(x - 1, 5, ' ')
    for x in (16, 9, 3):
        g.put(x, 4, '*')
    g.put(2, 3, '*')
    g.col(1, 5, 6)
    # gallery 3 (y=7) to the right: the first rock needs two pushes before it drops
    g.row(7, 1, 24)
    for x, pit in ((5, 7), (12, 14), (19, 21)):
        g.put(x, 7, 'O')
        g.put(pit, 8, ' ')
    for x in (9, 16, 22):
        g.put(x, 7, '*')
    g.col(24, 8, 9)
    # gallery 4 (y=10) to the left, two rubies in a well and the exit at its end
    g.row(10, 1, 24)
    for x in (21, 14, 7):
        g.put(x, 10, 'O')
        g.put(x - 1, 11, ' ')
    for x in (17, 10, 4):
        g.put(x, 10, '*')
    g.col(1, 11, 12, '*')
    g.put(0, 10, 'X')
    g.write('Level04.txt', '''
# Level 4, "Shoulder to the stone": rocks can be pushed sideways into an empty cell, never up
# or down, and a ruby or another rock behind one stops it. Four galleries joined by drops; a
# rock pushed over a hole falls in and the way goes on over it.
out campaign/Level4.cam
required 10
''')


def level5():
    g = Grid(24, 12)
    g.box(1, 1, 3, 10, '.')
    g.put(1, 1, 'P')
    for x, y in ((2, 2), (2, 4), (2, 6), (3, 9)):
        g.put(x, y, '*')
    # tunnel 1 (y=3): earth under each ceiling rock, a ruby in a pocket below it
    g.row(3, 4, 22)
    for x in (7, 11, 15, 19):
        g.put(x, 2, 'O')
        g.put(x, 3, '.')
        g.put(x, 4, '*')
    g.col(22, 4, 6)
    # tunnel 2 (y=7) back to the left: two rocks stacked over each earth cell
    g.row(7, 4, 22)
    for x in (20, 16, 12, 8):
        g.col(x, 5, 6, 'O')
        g.put(x, 7, '.')
        g.put(x, 8, '*')
    g.row(10, 4, 22, '.')
    for x in (6, 9, 13, 17, 21):
        g.put(x, 10, '*')
    g.put(23, 10, 'X')
    g.way(3, 9, 4)
    g.way(19, 3, 8)
    g.way(22, 7, 8)
    g.way(8, 7, 12)
    g.write('Level05.txt', '''
# Level 5, "At arm's length": Shift with an arrow digs, takes a ruby or pushes a rock on the
# neighbouring cell without moving. Under each rock in the tunnels' ceilings a ruby waits in a
# pocket below the floor: step down into it and the rock follows; reach down with Shift.
out campaign/Level5.cam
required 13
''')


BUILDERS = [level4, level5]

if __name__ == '__main__':
    for build in BUILDERS:
        build()

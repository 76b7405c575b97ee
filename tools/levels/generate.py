#!/usr/bin/env python3
"""Builds the level sources that are easier to lay out with a few lines of code than by hand:
galleries, tunnels, rings for the creatures, pockets, slime traps and the large caves. Writes
Level04.txt ... Level15.txt and Cave.txt here; the other sources (levels 1 to 3, Puzzle.txt,
Race.txt) are drawn by hand. make_levels.py turns every source into the shipped file.

Each builder places every room, rock and ruby on purpose; the only randomness is a seeded
sprinkle of rocks and rubies in the earth of the mines and caves, between the designed rooms.
The "way" and "blast" lines each builder adds guide quillmere-solve through the level."""
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

    def way(self, x, y, rubies=None, kind='way'):
        """A waypoint for the solver: the player on (x, y), or with kind 'blast' a ruby on it."""
        self.ways.append((kind, x, y, rubies))

    def blast(self, x, y, rubies=None):
        self.way(x, y, rubies, 'blast')

    def tour(self, start, cells, every=3, share=0.8, base=0):
        """Waypoints that lead the solver from ruby to ruby, nearest first: every `every`-th
        ruby of the tour, asking for `share` of the rubies met so far (plus `base`), so that
        one buried on the way does not stop it."""
        left, at, met = list(cells), start, 0
        while left:
            nxt = min(left, key=lambda c: abs(c[0] - at[0]) + abs(c[1] - at[1]))
            left.remove(nxt)
            at, met = nxt, met + 1
            if met % every == 0 or not left:
                self.way(at[0], at[1], base + int(met * share))
        return base + int(met * share)

    def rubies_in(self, x0, y0, x1, y1):
        return [(x, y) for y in range(y0, y1 + 1) for x in range(x0, x1 + 1) if self.at(x, y) == '*']

    def write(self, name, header):
        lines = [l for l in header.strip('\n').split('\n')]
        lines += [f'{k} {x} {y}' + ('' if r is None else f' {r}') for k, x, y, r in self.ways]
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


def crawler_ring(g, x0, y0, x1, y1, creature, start, niches):
    """An empty track round a wall island; the creature starts on the track at `start`, and
    each niche in the island's edge holds a ruby, to be taken from the track."""
    g.box(x0, y0, x1, y1, '#')
    g.ring(x0, y0, x1, y1, ' ')
    g.put(*start, creature)
    for x, y in niches:
        g.put(x, y, '*')


def level6():
    g = Grid(32, 18, '.')
    g.border()
    g.put(1, 1, 'P')
    crawler_ring(g, 3, 3, 10, 7, '>', (5, 3), [(6, 4), (9, 6)])
    crawler_ring(g, 14, 2, 19, 9, 'v', (19, 4), [(15, 5), (18, 8)])
    crawler_ring(g, 23, 3, 29, 8, '<', (27, 8), [(24, 4), (28, 7)])
    crawler_ring(g, 5, 11, 15, 15, '^', (5, 13), [(8, 12), (12, 14)])
    crawler_ring(g, 19, 12, 27, 15, '>', (20, 12), [(22, 13)])
    for x, y in ((7, 1), (12, 5), (2, 9), (21, 1), (30, 10), (17, 16), (29, 16), (2, 16),
                 (12, 9), (24, 10)):
        g.put(x, y, '*')
    g.put(31, 13, 'X')
    g.write('Level06.txt', '''
# Level 6, "Crawlers": creatures crawl along the walls of the empty tracks, one of each
# heading, turning as the walls turn. Stepping onto a creature or beside one is the end, and
# so is being beside the cell a creature steps into. Rubies wait in the islands' edges: step
# onto the track behind a creature, take one with Shift, step back into the earth.
out campaign/Level6.cam
required 14
''')


def pocket(g, x, y, creature, drop=1, side=-1):
    """A creature shut in one cell, turning on the spot through its four headings, with
    bricks on three sides and earth above, and a rock `drop` + 1 cells above it resting on
    that earth. Dig the earth from the `side` (-1 left, 1 right) and the rock comes down on
    the creature; the bricks go up with it, as rubies."""
    g.put(x, y, creature)
    g.col(x, y - drop, y - 1, '.')
    g.put(x, y - drop - 1, 'O')
    for bx, by in [(x - 1, y), (x + 1, y), (x - 1, y + 1), (x, y + 1), (x + 1, y + 1)] + \
            [(x - side, y - d) for d in range(1, drop + 1)]:
        if g.at(bx, by) in '. ':
            g.put(bx, by, '%')


def level7():
    g = Grid(30, 16, '.')
    g.border()
    g.put(1, 1, 'P')
    for x, y, c in ((5, 6, '>'), (12, 8, 'v'), (19, 6, '<'), (25, 9, '^'), (9, 13, '>'),
                    (20, 13, 'v')):
        pocket(g, x, y, c)
    # the rest of the rubies lie in the open earth
    for x, y in ((3, 2), (15, 2), (27, 2), (2, 11), (28, 14), (15, 12)):
        g.put(x, y, '*')
    g.put(29, 11, 'X')
    g.write('Level07.txt', '''
# Level 7, "Stone on a crawler": a falling rock that comes down on a creature blows it up,
# and the creature and everything round it turn into rubies. Each creature here is shut in one
# cell of earth and turns on the spot; its colour tells its heading. Dig away the earth under
# its rock with Shift from the side and step back out of the blast's reach.
out campaign/Level7.cam
required 24
''')


def level8():
    g = Grid(32, 18, '.')
    g.border()
    g.put(1, 16, 'P')
    # the vault behind bricks, and a creature's pocket against its right-hand side
    g.box(2, 2, 10, 6, '%')
    g.box(3, 3, 9, 5, '*')
    pocket(g, 11, 4, '>', side=1)
    # the same vault behind walls with one brick in them: the blast leaves the walls standing
    g.box(16, 2, 24, 6, '#')
    g.box(17, 3, 23, 5, '*')
    g.put(24, 4, '%')
    pocket(g, 25, 4, 'v', side=1)
    # the exit beside a pocket: a blast cannot harm it
    g.put(31, 11, 'X')
    pocket(g, 30, 11, '<', 2)
    # six creatures side by side in a brick box: one rock through the lid sets off them all
    g.box(12, 13, 21, 15, '%')
    g.row(14, 13, 20, '>')
    for x in (14, 17, 19):
        g.put(x, 14, '^')
    g.put(16, 13, '.')
    g.put(16, 11, 'O')
    for x, y in ((2, 10), (28, 1), (27, 16), (5, 13)):
        g.put(x, y, '*')
    g.write('Level08.txt', '''
# Level 8, "Bricks and walls": a blast turns everything round it into rubies except the dark
# walls and the exit, which stand; light bricks go up like earth. Two vaults full of rubies,
# one behind bricks and one behind walls with a single brick in them, each with a creature's
# pocket beside it; a row of creatures in a brick box that goes up in one chain; and the exit
# beside a creature's pocket.
out campaign/Level8.cam
required 30
''')


def slime_trap(g, x0, x1, y, slime_x, creature_x, creature):
    """A walled track one cell high under a roof of bricks, with a creature on it and slime
    set into the roof, walled in but for the track: the creature crawls along until it meets
    the slime and blows up, roof and all. Being shut in on every other side, the slime cannot
    grow before that except into the track, where the blast catches it too."""
    g.box(x0, y - 1, x1, y + 1, '#')
    g.row(y - 1, x0 + 1, x1 - 1, '%')
    g.row(y, x0 + 1, x1 - 1, ' ')
    g.put(slime_x, y - 1, 's')
    g.put(slime_x, y - 2, '#')
    g.put(creature_x, y, creature)


def level9():
    g = Grid(34, 18, '.')
    g.border()
    g.put(1, 1, 'P')
    # each creature sits one cell short of the slime over its track: it crawls into it on the
    # first tick and goes up before the slime can grow anywhere, whatever the draws
    slime_trap(g, 3, 12, 4, 11, 10, '>')
    slime_trap(g, 17, 30, 4, 18, 19, '<')
    slime_trap(g, 4, 15, 10, 9, 8, '>')
    slime_trap(g, 19, 31, 13, 30, 29, '>')
    # a walled garden where slime grows as it likes and harms nobody
    g.box(20, 7, 29, 11, '#')
    g.box(21, 8, 28, 10, ' ')
    g.put(24, 9, 's')
    for x, y in ((14, 2), (2, 8), (32, 8), (16, 16), (8, 15), (26, 14), (2, 15), (24, 16)):
        g.put(x, y, '*')
    g.put(33, 16, 'X')
    g.write('Level09.txt', '''
# Level 9, "Slime": the green growth blows up any creature that touches it and spreads into
# empty cells and earth now and then. Four creatures crawl into slime set in the brick roofs
# of their tracks; each blast turns roof and track into rubies: dig down to them from above.
# In the walled garden the slime grows as it likes.
out campaign/Level9.cam
required 24
''')


def sprinkle(g, x0, y0, x1, y1, seed, rubies, rocks):
    """Rubies and rocks scattered over the earth of a room (only earth cells are used)."""
    rng = random.Random(seed)
    cells = [(x, y) for y in range(y0, y1 + 1) for x in range(x0, x1 + 1) if g.at(x, y) == '.']
    rng.shuffle(cells)
    for x, y in cells[:rubies]:
        g.put(x, y, '*')
    for x, y in cells[rubies:rubies + rocks]:
        g.put(x, y, 'O')


def level10():
    g = Grid(40, 30, '.')
    g.border()
    # the open mine: enough rubies for the exit
    sprinkle(g, 1, 1, 24, 13, 10, 24, 14)
    g.put(1, 1, 'P')
    g.put(2, 1, '.')
    g.put(1, 2, '.')
    # vault A, shut by two rocks one behind the other in its door: neither can be pushed in,
    # but once the anti-rock has taken the first, the second goes
    g.box(27, 2, 37, 9, '#')
    g.box(28, 3, 36, 8, '*')
    g.put(27, 6, 'O')
    g.put(28, 6, 'O')
    g.put(29, 6, ' ')
    # vault B, a wall round rubies with bricks on one side, and beside the bricks a creature's
    # pocket whose rock is missing: one from the shop, placed over the earth and let down by
    # digging that earth from the right, does the work
    g.box(2, 17, 12, 27, '#')
    g.box(3, 18, 11, 26, '*')
    g.col(12, 21, 23, '%')
    g.put(13, 22, '>')
    g.put(13, 21, '.')
    g.put(13, 20, ' ')
    g.put(14, 20, '#')
    g.put(14, 21, '.')
    # the garden: rubies heaped inside a creature's track; earth from the shop, placed on the
    # track, stops the creature
    g.box(18, 17, 32, 26, '#')
    g.ring(19, 18, 31, 25, ' ')
    g.put(19, 18, '>')
    g.box(20, 19, 30, 24, '*')
    g.put(25, 17, '.')
    g.put(39, 27, 'X')
    for x, y in ((35, 14), (36, 20), (15, 20), (15, 27), (33, 28), (2, 28)):
        g.put(x, y, '*')
    g.way(12, 12, 12)
    g.way(30, 13, 14)
    g.write('Level10.txt', '''
# Level 10, "What money buys": enough rubies lie in the open mine for the exit, but three
# treasures need the shop. Vault A is shut by two rocks one behind the other (an anti-rock, 30,
# takes the first away); vault B has bricks beside a creature's pocket whose rock is missing (a
# rock, 10, placed over the earth); the garden's rubies are heaped inside a creature's track
# (earth, 5, placed on the track stops it). Hold the item's digit and press an arrow.
out campaign/Level10.cam
required 18
''')


def gallery(g, x0, x1, y, rocks, rubies):
    """A push gallery: an empty row with a pit under the cell past each rock (the side the
    player comes from is the rock's other side), rubies between."""
    g.row(y, x0, x1, ' ')
    g.row(y + 1, x0, x1, '#')
    for x, dx in rocks:
        g.put(x, y, 'O')
        g.put(x + dx, y + 1, ' ')
        g.put(x + dx, y + 2, '#')
    for x in rubies:
        g.put(x, y, '*')


def level11():
    g = Grid(48, 32, '.')
    g.border()
    # the north: a mine of rocks and rubies
    sprinkle(g, 1, 1, 30, 10, 111, 26, 30)
    g.box(1, 1, 3, 3, '.')
    g.put(1, 1, 'P')
    # a wall down the middle with two doors, one of them under a creature's ring
    g.col(31, 1, 22, '#')
    g.put(31, 4, '.')
    crawler_ring(g, 34, 2, 44, 8, '<', (42, 8), [(37, 3), (41, 7), (38, 6)])
    g.put(31, 14, ' ')
    # the east: two push galleries going down
    gallery(g, 32, 46, 12, [(36, 1), (41, 1)], [39, 44])
    g.col(46, 13, 14, ' ')
    gallery(g, 32, 46, 15, [(43, -1), (37, -1)], [40, 34])
    g.col(32, 16, 17, ' ')
    gallery(g, 32, 46, 18, [(36, 1), (42, 1)], [39, 45])
    # the west below the mine: pockets of creatures with their rocks
    for x, y, c in ((4, 15, '>'), (10, 17, 'v'), (16, 15, '<'), (22, 18, '^'), (27, 15, '>')):
        pocket(g, x, y, c)
    g.row(21, 1, 30, '#')
    g.put(6, 21, '.')
    g.put(25, 21, '.')
    # the south: an open cave with a creature loose in it, and the exit beyond
    g.box(2, 23, 40, 29, ' ')
    for x, y in ((8, 25), (14, 27), (20, 24), (27, 28), (33, 25), (38, 27), (12, 23), (30, 23)):
        g.put(x, y, '*')
    for x, y in ((10, 26), (24, 26), (35, 28)):
        g.put(x, y, '#')
    g.put(18, 26, 'v')
    g.box(41, 20, 46, 30, '.')
    g.put(47, 28, 'X')
    g.way(15, 11, 16)
    for x, y in ((4, 15), (10, 17), (16, 15), (22, 18), (27, 15)):
        g.way(x - 1, y - 2)
        g.blast(x, y)
    g.way(25, 23, 38)
    g.way(27, 29, 40)
    g.write('Level11.txt', '''
# Level 11, "Down the mine" (48 x 32, the board scrolls both ways): the lessons so far, one
# region after another. A mine of rocks in the north, a creature's ring at the east door,
# three push galleries down the east side, creature pockets with their rocks in the west, and
# a cave in the south where a creature runs loose along the walls.
out campaign/Level11.cam
required 40
''')


def level12():
    g = Grid(44, 30, '.')
    g.border()
    g.put(1, 1, 'P')
    # a terrace of slime traps down the west side
    slime_trap(g, 3, 14, 4, 13, 4, '>')
    slime_trap(g, 3, 16, 9, 4, 14, '<')
    slime_trap(g, 3, 12, 14, 11, 4, '>')
    # in the middle a store of rubies behind bricks, with a creature's pocket against it, and
    # a creature's ring beyond
    g.box(19, 3, 27, 11, '%')
    g.box(20, 4, 26, 10, '*')
    pocket(g, 28, 7, '<', side=1)
    crawler_ring(g, 31, 2, 41, 8, 'v', (31, 4), [(34, 3), (38, 7)])
    # pockets in the south, with rocks
    for x, y, c in ((6, 21, '>'), (12, 23, '^'), (18, 21, '<'), (25, 24, 'v'), (31, 21, '>')):
        pocket(g, x, y, c)
    # rocks and rubies in the east
    sprinkle(g, 30, 11, 42, 27, 12, 14, 16)
    g.box(28, 11, 29, 11, '.')
    g.put(43, 27, 'X')
    for x, y in ((2, 27), (16, 27), (22, 15), (38, 1)):
        g.put(x, y, '*')
    for x, y in ((13, 4), (4, 9), (11, 14), (28, 7), (6, 21), (12, 23), (18, 21), (25, 24)):
        g.blast(x, y)
    g.write('Level12.txt', '''
# Level 12, "The slime garden" (44 x 30): slime traps in a terrace, a store of rubies behind
# bricks with a creature's pocket against it, a creature's ring, creature pockets in the south
# and a field of rocks in the east.
out campaign/Level12.cam
required 50
''')


def galleries(g, x0, x1, y0, count, seed):
    """Push galleries cut into solid wall, one below the other, joined by drops at alternate
    ends: each has two rocks in the way, each rock with its pit one cell further on, and a
    ruby past each pit. The player enters at the top-left corner (x0, y0)."""
    rng = random.Random(seed)
    g.box(x0 - 1, y0 - 1, x1 + 1, y0 + 3 * count, '#')
    for i in range(count):
        y = y0 + 3 * i
        rightwards = i % 2 == 0
        g.row(y, x0, x1, ' ')
        span = x1 - x0
        first = x0 + 3 + rng.randrange(0, span // 4)
        second = x0 + span // 2 + rng.randrange(1, span // 4)
        step = 1 if rightwards else -1
        for x in (first, second) if rightwards else (x1 - (first - x0), x1 - (second - x0)):
            g.put(x, y, 'O')
            g.put(x + step, y + 1, ' ')
            g.put(x + 3 * step, y, '*')
        end = x1 if rightwards else x0
        if i + 1 < count:
            g.col(end, y + 1, y + 2, ' ')


def level13():
    g = Grid(60, 40, '.')
    g.border()
    # the mine in the north-west, where the player starts
    sprinkle(g, 1, 1, 27, 12, 1313, 30, 22)
    g.box(1, 1, 3, 2, '.')
    g.put(1, 1, 'P')
    # push galleries in the north-east, entered from the mine through a door
    galleries(g, 32, 57, 2, 4, 13)
    g.row(2, 28, 31, '.')
    g.put(31, 2, ' ')
    g.put(32, 12, ' ')
    g.col(32, 13, 14, '.')
    # the middle: three rings and four pockets in the earth
    crawler_ring(g, 4, 16, 13, 22, '>', (6, 16), [(7, 17), (11, 21), (9, 19)])
    crawler_ring(g, 40, 17, 50, 23, '<', (47, 23), [(43, 18), (48, 22)])
    crawler_ring(g, 22, 28, 30, 33, 'v', (30, 30), [(25, 29), (27, 32)])
    for x, y, c in ((18, 19, '>'), (25, 21, '^'), (32, 19, 'v'), (56, 20, '<')):
        pocket(g, x, y, c)
    # slime traps in the south-west
    slime_trap(g, 2, 14, 27, 13, 3, '>')
    slime_trap(g, 2, 16, 33, 3, 15, '<')
    # the south-east: a store behind bricks with a pocket against it, and the exit
    g.box(38, 27, 52, 35, '%')
    g.box(39, 28, 51, 34, '*')
    pocket(g, 53, 31, '<', side=1)
    g.put(59, 37, 'X')
    for x, y in ((2, 38), (20, 37), (34, 25), (57, 30), (16, 26), (36, 14)):
        g.put(x, y, '*')
    g.way(27, 12, 14)
    g.way(32, 13)
    g.blast(18, 19)
    g.blast(25, 21)
    g.blast(13, 27)
    g.blast(3, 33)
    g.blast(53, 31)
    g.write('Level13.txt', '''
# Level 13, "Deep galleries" (60 x 40): a mine in the north-west, four push galleries cut in
# the rock of the north-east, creatures' rings and pockets across the middle, slime traps in
# the south-west and a store behind bricks in the south-east.
out campaign/Level13.cam
required 75
''')


def checker(g, x0, y0, x1, y1):
    """Rubies and earth in a chequer, filling a store."""
    for y in range(y0, y1 + 1):
        for x in range(x0, x1 + 1):
            g.put(x, y, '*' if (x + y) % 2 == 0 else '.')


def spinners(g, x0, y0, x1, y1, places):
    """An open cave; each creature in it circles a square of two by two cells for ever."""
    g.box(x0, y0, x1, y1, ' ')
    for x, y, c in places:
        g.put(x, y, c)


def level14():
    g = Grid(101, 101, '.')
    g.border()
    for k in (33, 67):
        g.col(k, 1, 99, '#')
        g.row(k, 1, 99, '#')
    # north-west: the mine where the player starts
    sprinkle(g, 1, 1, 32, 32, 1401, 40, 40)
    g.box(1, 1, 3, 3, '.')
    g.put(1, 1, 'P')
    g.put(33, 16, '.')
    # north: three creatures' rings
    crawler_ring(g, 37, 4, 48, 11, '>', (39, 4), [(40, 5), (45, 10), (43, 7)])
    crawler_ring(g, 52, 4, 63, 13, 'v', (63, 6), [(55, 5), (60, 12), (57, 9)])
    crawler_ring(g, 40, 18, 60, 28, '<', (50, 28), [(45, 19), (55, 27), (50, 23), (42, 25)])
    sprinkle(g, 34, 1, 66, 32, 1402, 12, 6)
    g.put(67, 30, '.')
    # north-east: push galleries, entered from the west at their foot and left at their top
    galleries(g, 70, 97, 4, 8, 1403)
    g.box(68, 26, 99, 32, '.')
    g.put(69, 4, ' ')
    g.col(69, 1, 3, '.')
    g.row(1, 68, 99, '.')
    sprinkle(g, 68, 26, 99, 32, 1404, 6, 4)
    g.put(84, 33, '.')
    # east: creatures' pockets in rows
    for i, x in enumerate(range(72, 98, 5)):
        pocket(g, x, 42, '>v<^'[i % 4])
        pocket(g, x + 2, 55, '^<v>'[i % 4])
    sprinkle(g, 68, 34, 99, 66, 1405, 10, 6)
    g.put(67, 60, '.')
    # the middle: a store behind bricks with pockets at both sides
    g.box(44, 44, 56, 54, '%')
    checker(g, 45, 45, 55, 53)
    pocket(g, 57, 48, '<', side=1)
    pocket(g, 43, 51, '>')
    g.put(33, 62, '.')
    # west: slime traps
    slime_trap(g, 3, 20, 38, 19, 4, '>')
    slime_trap(g, 5, 28, 45, 6, 26, '<')
    slime_trap(g, 3, 24, 53, 23, 5, '>')
    slime_trap(g, 8, 30, 60, 9, 28, '<')
    g.put(16, 67, '.')
    # south-west: a cave where creatures circle in the open
    spinners(g, 4, 70, 30, 96, [(8, 74, '>'), (15, 80, 'v'), (24, 73, '<'), (10, 90, '^'),
                                (20, 88, '>'), (27, 94, 'v'), (17, 94, '<')])
    for x, y in ((6, 96), (12, 96), (19, 96), (25, 96), (29, 96), (13, 85), (22, 79)):
        g.put(x, y, '*')
    g.col(4, 70, 96, '.')
    g.put(33, 84, '.')
    # south: the deep mine
    sprinkle(g, 34, 68, 66, 99, 1406, 36, 44)
    g.put(67, 90, '.')
    # south-east: the last store, behind walls with one brick, and the exit
    g.box(78, 74, 94, 84, '#')
    checker(g, 79, 75, 93, 83)
    g.put(94, 79, '%')
    pocket(g, 95, 79, 'v', side=1)
    sprinkle(g, 68, 87, 99, 99, 1407, 8, 10)
    g.put(100, 97, 'X')
    g.way(32, 16, 20)
    g.way(66, 30)
    g.way(84, 34)
    for i, x in enumerate(range(72, 98, 5)):
        g.blast(x, 42)
        g.way(x, 41, 20 + 5 * (i + 1))
    g.way(68, 60, 45)
    g.blast(57, 48)
    got = g.tour((57, 48), g.rubies_in(45, 45, 55, 53), every=4, share=0.8, base=45)
    g.way(34, 62, got)
    g.blast(19, 38)
    g.blast(6, 45)
    g.way(17, 68, got)
    g.way(32, 84, got)
    got = g.tour((34, 84), g.rubies_in(34, 68, 66, 99), every=4, share=0.6, base=got)
    g.way(66, 90, got)
    g.blast(95, 79)
    g.tour((95, 79), g.rubies_in(79, 75, 93, 83), every=4, share=0.8, base=got)
    g.write('Level14.txt', '''
# Level 14, "The Deep" (101 x 101, the largest board there is): nine regions behind walls with
# one door each, visited in a long snake: the mine where the player starts, creatures' rings,
# push galleries, rows of creature pockets, a store behind bricks in the middle, slime traps,
# a cave where creatures circle in the open, the deep mine, and a last store beside the exit.
out campaign/Level14.cam
required 150
''')


def patrol(g, x0, x1, y, creature_x, creature, niches, doors):
    """An empty corridor one cell high between walls, a creature running up and down it,
    rubies in niches in the corridor's ceiling, and doors of earth across it."""
    g.box(x0 - 1, y - 1, x1 + 1, y + 1, '#')
    g.row(y, x0, x1, ' ')
    g.put(creature_x, y, creature)
    for x in niches:
        g.put(x, y - 1, '*')
    for x in doors:
        g.put(x, y - 1, '.')
        g.put(x, y + 1, '.')


def level15():
    g = Grid(52, 36, '.')
    g.border()
    g.put(1, 1, 'P')
    # rings across the north, every niche ruby needed
    crawler_ring(g, 3, 3, 12, 8, '>', (5, 3), [(6, 4), (10, 7), (8, 6)])
    crawler_ring(g, 15, 2, 24, 9, '<', (22, 9), [(17, 3), (22, 8), (19, 5)])
    crawler_ring(g, 27, 3, 36, 8, 'v', (36, 5), [(30, 4), (34, 7)])
    crawler_ring(g, 39, 2, 49, 9, '^', (39, 7), [(42, 3), (47, 8), (44, 6)])
    # two patrolled corridors to cross, rubies in their ceilings
    patrol(g, 2, 49, 12, 10, '>', [7, 16, 25, 33, 41, 46], [3, 48])
    g.put(30, 12, '<')
    patrol(g, 2, 49, 16, 40, '<', [4, 12, 21, 29, 38], [25])
    g.put(18, 16, '>')
    # creature pockets in the middle
    for x, y, c in ((4, 21, '>'), (11, 23, 'v'), (18, 21, '<'), (26, 23, '^'), (33, 21, '>'),
                    (40, 23, 'v'), (47, 21, '<')):
        pocket(g, x, y, c)
    # a rocky mine in the south
    sprinkle(g, 1, 26, 50, 34, 1515, 24, 40)
    # the exit, with a pocket beside it
    g.put(51, 33, 'X')
    pocket(g, 50, 33, '^', 2)
    for x in (1, 2, 3):
        g.put(x, 34, '.')
    g.way(3, 10, 11)
    g.way(48, 14, 17)
    g.way(25, 18, 22)
    for x, y, c in ((4, 21, '>'), (11, 23, 'v'), (18, 21, '<'), (26, 23, '^'), (33, 21, '>'),
                    (40, 23, 'v'), (47, 21, '<')):
        g.blast(x, y)
    for x, more in ((44, 4), (38, 8), (31, 12), (24, 16), (17, 20), (10, 24), (3, 28)):
        g.way(x, 20, 22 + more)
    g.way(2, 27, 52)
    g.way(25, 30, 60)
    g.way(49, 32, 70)
    g.write('Level15.txt', '''
# Level 15, "The last vault" (52 x 36), the hardest: nearly every ruby is needed. Four rings in
# the north with their niches, two corridors to cross where creatures run both ways with
# rubies in the ceilings, seven creature pockets, a rocky mine, and the exit beside a pocket.
out campaign/Level15.cam
required 75
''')


def cave_single():
    g = Grid(80, 60, '.')
    g.border()
    # hollows carved out of the earth, some with a creature circling in them
    rng = random.Random(8060)
    hollows = [(6, 5, 14, 10), (30, 4, 41, 9), (55, 6, 66, 12), (12, 22, 22, 30),
               (40, 20, 52, 27), (62, 25, 73, 33), (5, 40, 16, 48), (28, 42, 40, 50),
               (52, 44, 64, 53)]
    for i, (x0, y0, x1, y1) in enumerate(hollows):
        g.box(x0, y0, x1, y1, ' ')
        if i % 2 == 1:
            g.put((x0 + x1) // 2, (y0 + y1) // 2, '>v<^'[i % 4])
    # rocks and rubies through the earth, and pillars of wall
    sprinkle(g, 1, 1, 78, 58, 8061, 90, 60)
    for _ in range(14):
        x, y = rng.randrange(3, 75), rng.randrange(3, 55)
        g.col(x, y, y + rng.randrange(2, 6), '#')
    # two creature pockets and a slime trap for those who look for them
    pocket(g, 24, 14, '>')
    pocket(g, 47, 35, 'v')
    slime_trap(g, 66, 76, 40, 75, 67, '>')
    g.box(1, 1, 3, 3, '.')
    g.put(1, 1, 'P')
    g.put(79, 55, 'X')
    g.box(76, 53, 78, 57, '.')
    g.tour((1, 1), g.rubies_in(1, 1, 78, 58)[:48], every=4, share=0.6)
    g.write('Cave.txt', '''
# Single level "The great cave" (80 x 60): one wide cave to roam, with hollows where
# creatures circle, rocks and rubies all through the earth, walls standing like pillars, two
# creature pockets and a slime trap off the way. The exit is in the far corner.
out single/Cave.lvl
required 28
''')


BUILDERS = [level4, level5, level6, level7, level8, level9, level10, level11, level12, level13,
            level14, level15, cave_single]

if __name__ == '__main__':
    for build in BUILDERS:
        build()

#include "rules/player_moves.h"

#include <array>
#include <cstdint>

#include "game/int32.h"
#include "game/tiles.h"
#include "rules/items.h"

namespace {

struct Cell {
  int x;
  int y;
};

Cell Offset(Cell c, Direction d) { return {c.x + d.dx, c.y + d.dy}; }

std::uint8_t& At(GameState& s, Cell c) { return s.world.Board(c.x, c.y); }

bool IsSideways(Direction d) { return d.dy == 0; }

// True when a step from `p` along `d` stays on the playfield.
bool StepStaysInside(const GameState& s, Cell p, Direction d) {
  if (d.dx < 0) return p.x != 0;
  if (d.dx > 0) return p.x != s.world.BoardWidth - 1;
  if (d.dy < 0) return p.y != 0;
  return p.y != s.world.BoardHeight - 1;
}

// Counts one more ruby, refreshes the status line and opens every closed exit when the count
// reaches the level's requirement exactly (only here: later rubies change nothing).
void CollectRuby(GameState& s, PlayHost& host) {
  s.world.RubiesCollected = Wrap32(std::int64_t{s.world.RubiesCollected} + 1);
  host.UpdateRubyStatus();
  if (s.world.RubiesCollected != s.world.RubiesRequired) return;
  for (int x = 0; x < s.world.BoardWidth; ++x) {
    for (int y = 0; y < s.world.BoardHeight; ++y) {
      if (s.world.Board(x, y) == tiles::ClosedExit) s.world.Board(x, y) = tiles::Exit;
    }
  }
}

// Pushes a rock at `rock` one cell along `d` when the cell beyond it is empty.
void PushRock(GameState& s, PlayHost& host, Cell rock, Direction d) {
  if (At(s, rock) != tiles::Rock) return;
  const Cell beyond = Offset(rock, d);
  if (At(s, beyond) != tiles::Empty) return;
  host.DrawCell(beyond.x, beyond.y, tiles::Rock);
  host.DrawCell(rock.x, rock.y, tiles::Empty);
  At(s, beyond) = tiles::Rock;
  At(s, rock) = tiles::Empty;
}

// A Shift arrow works the adjacent cell without moving: push, dig, pick up a ruby.
void ActOnAdjacent(GameState& s, PlayHost& host, Cell a, Direction d) {
  if (IsSideways(d)) PushRock(s, host, a, d);
  if (At(s, a) == tiles::Earth) At(s, a) = tiles::Empty;
  if (At(s, a) == tiles::Ruby) {
    At(s, a) = tiles::Empty;
    CollectRuby(s, host);
  }
}

// An arrow key: returns the cell the player heads for (the own cell when he stays).
Cell DirectionStep(GameState& s, PlayHost& host, Cell p, Direction d, bool shift) {
  const Cell t = !shift && StepStaysInside(s, p, d) ? Offset(p, d) : p;
  // Tested whatever the Shift state; with the player's own cell as target it never applies.
  if (IsSideways(d)) PushRock(s, host, t, d);
  if (shift) ActOnAdjacent(s, host, Offset(p, d), d);
  return t;
}

bool CreatureAtOrBeside(const GameState& s, Cell t) {
  constexpr std::array<Direction, 5> kAround{{{0, 0}, {-1, 0}, {1, 0}, {0, -1}, {0, 1}}};
  for (const Direction d : kAround) {
    if (tiles::IsCreature(s.world.Board(t.x + d.dx, t.y + d.dy))) return true;
  }
  return false;
}

bool SameCell(Cell a, Cell b) { return a.x == b.x && a.y == b.y; }

// Every key in play ends here; `t` may be the player's own cell.
void TargetStep(GameState& s, PlayHost& host, Cell p, Cell t) {
  if (At(s, t) == tiles::Exit) {
    if (!host.LevelFinished()) return;
    t = {s.world.PlayerX, s.world.PlayerY};
  }
  // Until the next tick the own cell still holds the ruby the player stepped onto and counted.
  if (At(s, t) == tiles::Ruby && !SameCell(t, p)) CollectRuby(s, host);
  if (tiles::IsBlocking(At(s, t))) return;
  if (CreatureAtOrBeside(s, t)) s.world.PlayerDead = 1;
  host.DrawCell(p.x, p.y, tiles::Empty);
  At(s, p) = tiles::Empty;
  s.world.PlayerX = t.x;
  s.world.PlayerY = t.y;
  // The board keeps what the player stepped onto until the next tick writes tile 2 there.
  host.DrawCell(t.x, t.y, tiles::Player);
  host.PlaceBoard();
  host.PresentBoard();
}

}  // namespace

void PlayKeyDown(GameState& s, PlayHost& host, int key, bool shift) {
  s.world.Timer1Enabled = true;
  const Cell p{s.world.PlayerX, s.world.PlayerY};
  Cell t = p;
  if (!UseHeldItem(s, host, key)) {
    if (key == vk::Escape) {
      host.LeavePlayForMenu();
    } else if (const auto d = ArrowDirection(key)) {
      t = DirectionStep(s, host, p, *d, shift);
    }
  }
  TargetStep(s, host, p, t);
}

#include "rules/world_update.h"

#include <array>
#include <cstdint>

#include "game/tiles.h"
#include "rules/explode.h"

namespace {

struct Offset {
  int dx;
  int dy;
};

constexpr Offset kHere{0, 0};
constexpr Offset kAbove{0, -1};
constexpr Offset kBelow{0, 1};
constexpr Offset kLeft{-1, 0};
constexpr Offset kRight{1, 0};
constexpr Offset kBelowLeft{-1, 1};
constexpr Offset kBelowRight{1, 1};

// One step a creature may take: where to, the heading it then has, and the cells around its
// new cell where it catches the player.
struct Step {
  Offset to;
  std::uint8_t heading;
  std::array<Offset, 3> kills;
  int killCount;
};

// A creature turns clockwise when it can, else goes straight on, else turns counter-clockwise
// on the spot.
struct CreatureRule {
  Step turn;
  Step straight;
  std::uint8_t onSpot;
};

// Indexed by heading - 8: right, down, left, up.
constexpr std::array<CreatureRule, 4> kCreatureRules{{
    {{kBelow, 9, {kBelow, kRight}, 2}, {kRight, 8, {kAbove, kBelow, kRight}, 3}, 11},
    {{kLeft, 10, {kLeft, kBelow}, 2}, {kBelow, 9, {kLeft, kRight, kBelow}, 3}, 8},
    {{kAbove, 11, {kAbove, kLeft}, 2}, {kLeft, 10, {kAbove, kBelow, kLeft}, 3}, 9},
    {{kRight, 8, {kRight, kAbove}, 2}, {kAbove, 11, {kAbove, kLeft, kRight}, 3}, 10},
}};

// Where slime grows for draws 0..3 (any other draw grows nothing), and the cells beside it whose
// creatures it blows up, in the order it looks at them.
constexpr std::array<Offset, 4> kGrowth{{kRight, kBelow, kLeft, kAbove}};
constexpr std::array<Offset, 4> kSlimeTouch{{kLeft, kRight, kAbove, kBelow}};

// One update pass over the playfield.
class Pass {
 public:
  Pass(World& w, GameState& s, RandomSource& rng) : w_(w), s_(s), rng_(rng) {}

  // Scans bottom-up and right to left, then takes this pass's marks away; true when something
  // fell, rolled or lived.
  bool Run() {
    for (int y = w_.BoardHeight - 1; y >= 0; --y) {
      for (int x = w_.BoardWidth - 1; x >= 0; --x) Visit(x, y);
    }
    Unmark();
    return active_;
  }

 private:
  std::uint8_t& At(int x, int y, Offset o = kHere) { return w_.Board(x + o.dx, y + o.dy); }

  void Visit(int x, int y) {
    const std::uint8_t c = At(x, y);
    switch (c) {
      case tiles::Ruby:
      case tiles::Rock:
        Resting(x, y, c);
        break;
      case tiles::FallingRuby:
      case tiles::FallingRock:
        Falling(x, y, static_cast<std::uint8_t>(c - tiles::Mark));
        break;
      case tiles::CreatureRight:
      case tiles::CreatureDown:
      case tiles::CreatureLeft:
      case tiles::CreatureUp:
        Creature(x, y, c);
        break;
      case tiles::Slime:
        Slime(x, y);
        break;
      default:
        break;
    }
  }

  // The object leaves (x, y) for the cell `to` and is falling there; a player right under that
  // cell is crushed.
  void MoveObject(int x, int y, Offset to, std::uint8_t object) {
    At(x, y) = tiles::Empty;
    At(x, y, to) = object + tiles::Mark;
    active_ = true;
    if (At(x + to.dx, y + to.dy, kBelow) == tiles::Player) w_.PlayerDead = 1;
  }

  // Rolls the object down to the left, else down to the right; false when both are closed.
  bool Roll(int x, int y, std::uint8_t object) {
    if (At(x, y, kLeft) == tiles::Empty && At(x, y, kBelowLeft) == tiles::Empty) {
      MoveObject(x, y, kBelowLeft, object);
    } else if (At(x, y, kRight) == tiles::Empty && At(x, y, kBelowRight) == tiles::Empty) {
      MoveObject(x, y, kBelowRight, object);
    } else {
      return false;
    }
    return true;
  }

  // A ruby or rock at rest falls into an empty cell, or rolls off another ruby or rock.
  void Resting(int x, int y, std::uint8_t object) {
    const std::uint8_t below = At(x, y, kBelow);
    if (below == tiles::Empty) {
      MoveObject(x, y, kBelow, object);
    } else if (below == tiles::Ruby || below == tiles::Rock) {
      Roll(x, y, object);
    }
  }

  // A falling ruby or rock lands on hard ground, crushes the player, falls on, blows up a
  // creature, or rolls; where it can do none of these it comes to rest.
  void Falling(int x, int y, std::uint8_t object) {
    const std::uint8_t below = At(x, y, kBelow);
    switch (below) {
      case tiles::Earth:
      case tiles::OuterWall:
      case tiles::ClosedExit:
      case tiles::Wall:
      case tiles::Exit:
        At(x, y) = object;
        return;
      case tiles::Player:
        w_.PlayerDead = 1;
        return;
      case tiles::Empty:
        MoveObject(x, y, kBelow, object);
        return;
      default:
        break;
    }
    if (tiles::IsCreature(below)) {
      Explode(s_, x, y + 1);
    } else if (!Roll(x, y, object)) {
      At(x, y) = object;
    }
  }

  // Takes `step` when its cell is empty; the creature there is marked as moved.
  bool TryStep(int x, int y, const Step& step) {
    if (At(x, y, step.to) != tiles::Empty) return false;
    At(x, y) = tiles::Empty;
    const int nx = x + step.to.dx;
    const int ny = y + step.to.dy;
    At(nx, ny) = step.heading + tiles::Mark;
    for (int i = 0; i < step.killCount; ++i) {
      if (At(nx, ny, step.kills[i]) == tiles::Player) w_.PlayerDead = 1;
    }
    return true;
  }

  void Creature(int x, int y, std::uint8_t heading) {
    active_ = true;
    const CreatureRule& rule = kCreatureRules[heading - tiles::CreatureRight];
    if (TryStep(x, y, rule.turn) || TryStep(x, y, rule.straight)) return;
    At(x, y) = rule.onSpot + tiles::Mark;
  }

  // Slime blows up the creature that has just moved down below-right of it and every creature
  // beside it, then grows into an empty or earth cell for one draw in 50 of each of four.
  void Slime(int x, int y) {
    active_ = true;
    if (At(x, y, kBelowRight) == tiles::CreatureDown + tiles::Mark) {
      At(x, y, kBelowRight) = tiles::Empty;
      Explode(s_, x + 1, y);
    }
    for (const Offset o : kSlimeTouch) {
      if (tiles::IsCreature(At(x, y, o))) Explode(s_, x + o.dx, y + o.dy);
    }
    const std::int32_t draw = rng_.Random(50);
    if (draw < 0 || draw >= static_cast<std::int32_t>(kGrowth.size())) return;
    std::uint8_t& target = At(x, y, kGrowth[draw]);
    if (target == tiles::Empty || target == tiles::Earth) target = tiles::NewSlime;
  }

  // Every mark of this pass goes; falling rubies and rocks stay falling.
  void Unmark() {
    for (int x = 0; x < w_.BoardWidth; ++x) {
      for (int y = 0; y < w_.BoardHeight; ++y) {
        std::uint8_t& cell = At(x, y);
        if (cell > tiles::Mark && cell != tiles::FallingRuby && cell != tiles::FallingRock) {
          cell -= tiles::Mark;
        }
      }
    }
  }

  World& w_;
  GameState& s_;  // for blasts
  RandomSource& rng_;
  bool active_ = false;
};

}  // namespace

void UpdateWorld(GameState& s, RandomSource& rng) {
  if (!s.world.Timer1Enabled) return;
  s.world.Timer1Enabled = Pass(s.world, s, rng).Run();
}

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

constexpr Offset kAbove{0, -1};
constexpr Offset kBelow{0, 1};
constexpr Offset kLeft{-1, 0};
constexpr Offset kRight{1, 0};

// What a creature of one heading tries each pass, and whom it catches after a step.
struct Choice {
  Offset step;
  std::uint8_t heading;         // the code after the step
  std::array<Offset, 3> kills;  // cells around the new cell that catch the player
  int killCount;
};

struct CreatureRule {
  Choice turn;          // clockwise, then a step
  Choice straight;      // a step straight on
  std::uint8_t onSpot;  // counter-clockwise, no step
};

// Indexed by heading - 8 (right, down, left, up). A turning step looks only ahead in the new
// and the old heading; a straight step looks at all but the cell it came from.
constexpr std::array<CreatureRule, 4> kCreatureRules{{
    {{kBelow, 9, {kBelow, kRight}, 2}, {kRight, 8, {kAbove, kBelow, kRight}, 3}, 11},
    {{kLeft, 10, {kLeft, kBelow}, 2}, {kBelow, 9, {kLeft, kRight, kBelow}, 3}, 8},
    {{kAbove, 11, {kAbove, kLeft}, 2}, {kLeft, 10, {kAbove, kBelow, kLeft}, 3}, 9},
    {{kRight, 8, {kRight, kAbove}, 2}, {kAbove, 11, {kAbove, kLeft, kRight}, 3}, 10},
}};

// Where slime may grow, by the random draw 0..3; every other draw grows nothing.
constexpr std::array<Offset, 4> kGrowth{{kRight, kBelow, kLeft, kAbove}};
constexpr int kGrowthOdds = 50;

// The neighbours a slime cell blows up, in this order.
constexpr std::array<Offset, 4> kSlimeTouch{{kLeft, kRight, kAbove, kBelow}};

// tiles::IsCreature as one look-up: every slime cell asks it for four neighbours each pass.
constexpr std::array<bool, 256> kIsCreature = [] {
  std::array<bool, 256> table{};
  for (int code = 0; code < 256; ++code) {
    table[code] = tiles::IsCreature(static_cast<std::uint8_t>(code));
  }
  return table;
}();

constexpr std::uint8_t kCaughtBesideSlime = tiles::CreatureDown + tiles::Mark;

class Pass {
 public:
  Pass(GameState& s, RandomSource& rng) : s_(s), rng_(rng) {}

  // Scans bottom-up and right-to-left, so whatever moves down or right lands behind the scan.
  bool Run() {
    for (int y = s_.BoardHeight - 1; y >= 0; --y) {
      for (int x = s_.BoardWidth - 1; x >= 0; --x) Visit(x, y);
    }
    Unmark();
    return active_;
  }

 private:
  std::uint8_t& At(int x, int y, Offset o = {0, 0}) { return s_.Board(x + o.dx, y + o.dy); }

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

  // `object` leaves (x, y) for the empty cell `to` away and is falling from now on.
  void MoveObject(int x, int y, Offset to, std::uint8_t object) {
    At(x, y) = tiles::Empty;
    At(x, y, to) = object + tiles::Mark;
    active_ = true;
    if (At(x + to.dx, y + to.dy, kBelow) == tiles::Player) s_.PlayerDead = 1;
  }

  // Rolls off to the left if it can, else to the right. False when both sides are closed.
  bool Roll(int x, int y, std::uint8_t object) {
    constexpr Offset kBelowLeft{-1, 1};
    constexpr Offset kBelowRight{1, 1};
    if (At(x, y, kLeft) == tiles::Empty && At(x, y, kBelowLeft) == tiles::Empty) {
      MoveObject(x, y, kBelowLeft, object);
    } else if (At(x, y, kRight) == tiles::Empty && At(x, y, kBelowRight) == tiles::Empty) {
      MoveObject(x, y, kBelowRight, object);
    } else {
      return false;
    }
    return true;
  }

  // A resting object harms nothing beneath it; it only falls or rolls off rubies and rocks.
  void Resting(int x, int y, std::uint8_t object) {
    const std::uint8_t below = At(x, y, kBelow);
    if (below == tiles::Empty) {
      MoveObject(x, y, kBelow, object);
    } else if (below == tiles::Ruby || below == tiles::Rock) {
      Roll(x, y, object);
    }
  }

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
        s_.PlayerDead = 1;  // it stays where it is, still falling
        return;
      case tiles::Empty:
        MoveObject(x, y, kBelow, object);
        return;
      default:
        break;
    }
    if (kIsCreature[below]) {
      Explode(s_, x, y + 1);
    } else if (!Roll(x, y, object)) {
      At(x, y) = object;
    }
  }

  // Only an empty cell can be entered; after the step the creature looks for the player only
  // where its table says, so one that merely stays beside him does no harm.
  bool TryStep(int x, int y, const Choice& choice) {
    if (At(x, y, choice.step) != tiles::Empty) return false;
    At(x, y) = tiles::Empty;
    const int nx = x + choice.step.dx;
    const int ny = y + choice.step.dy;
    At(nx, ny) = choice.heading + tiles::Mark;
    for (int i = 0; i < choice.killCount; ++i) {
      if (At(nx, ny, choice.kills[i]) == tiles::Player) s_.PlayerDead = 1;
    }
    return true;
  }

  void Creature(int x, int y, std::uint8_t heading) {
    active_ = true;
    const CreatureRule& rule = kCreatureRules[heading - tiles::CreatureRight];
    if (TryStep(x, y, rule.turn) || TryStep(x, y, rule.straight)) return;
    At(x, y) = rule.onSpot + tiles::Mark;
  }

  void Slime(int x, int y) {
    active_ = true;
    // A creature that stood right of the slime and stepped down earlier in this pass is caught
    // where it stood.
    constexpr Offset kBelowRight{1, 1};
    if (At(x, y, kBelowRight) == kCaughtBesideSlime) {
      At(x, y, kBelowRight) = tiles::Empty;
      Explode(s_, x + 1, y);
    }
    for (const Offset o : kSlimeTouch) {
      if (kIsCreature[At(x, y, o)]) Explode(s_, x + o.dx, y + o.dy);
    }
    // Grows even when a blast has just taken the slime cell itself.
    const std::int32_t draw = rng_.Random(kGrowthOdds);
    if (draw < 0 || draw >= static_cast<std::int32_t>(kGrowth.size())) return;
    std::uint8_t& target = At(x, y, kGrowth[draw]);
    if (target == tiles::Empty || target == tiles::Earth) target = tiles::NewSlime;
  }

  // Cells that acted in this pass become plain again; falling objects keep falling.
  void Unmark() {
    for (int x = 0; x < s_.BoardWidth; ++x) {
      for (int y = 0; y < s_.BoardHeight; ++y) {
        std::uint8_t& cell = At(x, y);
        if (cell > tiles::Mark && cell != tiles::FallingRuby && cell != tiles::FallingRock) {
          cell -= tiles::Mark;
        }
      }
    }
  }

  GameState& s_;
  RandomSource& rng_;
  bool active_ = false;
};

}  // namespace

void UpdateWorld(GameState& s, RandomSource& rng) {
  if (!s.Timer1Enabled) return;
  s.Timer1Enabled = Pass(s, rng).Run();
}

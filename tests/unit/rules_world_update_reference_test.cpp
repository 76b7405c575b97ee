// The update pass against the plain cell-by-cell pass it replaced: on random boards, tick after
// tick, both must leave the same bytes, the same PlayerDead and the same timer, and ask the
// dice for the same ranges in the same order.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <iterator>
#include <random>
#include <vector>

#include "game/tiles.h"
#include "rules/explode.h"
#include "rules/world_update.h"

namespace {

namespace reference {

struct Offset {
  int dx;
  int dy;
};

constexpr Offset kAbove{0, -1};
constexpr Offset kBelow{0, 1};
constexpr Offset kLeft{-1, 0};
constexpr Offset kRight{1, 0};

struct Choice {
  Offset step;
  std::uint8_t heading;
  std::array<Offset, 3> kills;
  int killCount;
};

struct CreatureRule {
  Choice turn;
  Choice straight;
  std::uint8_t onSpot;
};

constexpr std::array<CreatureRule, 4> kCreatureRules{{
    {{kBelow, 9, {kBelow, kRight}, 2}, {kRight, 8, {kAbove, kBelow, kRight}, 3}, 11},
    {{kLeft, 10, {kLeft, kBelow}, 2}, {kBelow, 9, {kLeft, kRight, kBelow}, 3}, 8},
    {{kAbove, 11, {kAbove, kLeft}, 2}, {kLeft, 10, {kAbove, kBelow, kLeft}, 3}, 9},
    {{kRight, 8, {kRight, kAbove}, 2}, {kAbove, 11, {kAbove, kLeft, kRight}, 3}, 10},
}};

constexpr std::array<Offset, 4> kGrowth{{kRight, kBelow, kLeft, kAbove}};
constexpr std::array<Offset, 4> kSlimeTouch{{kLeft, kRight, kAbove, kBelow}};

class Pass {
 public:
  Pass(GameState& s, RandomSource& rng) : s_(s), rng_(rng) {}

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

  void MoveObject(int x, int y, Offset to, std::uint8_t object) {
    At(x, y) = tiles::Empty;
    At(x, y, to) = object + tiles::Mark;
    active_ = true;
    if (At(x + to.dx, y + to.dy, kBelow) == tiles::Player) s_.PlayerDead = 1;
  }

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
        s_.PlayerDead = 1;
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
    constexpr Offset kBelowRight{1, 1};
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

void UpdateWorld(GameState& s, RandomSource& rng) {
  if (!s.Timer1Enabled) return;
  s.Timer1Enabled = Pass(s, rng).Run();
}

}  // namespace reference

// The same dice for both passes: a seeded stream that grows slime often, and a log of every
// range asked for.
class SeededDice : public RandomSource {
 public:
  explicit SeededDice(unsigned seed) : engine_(seed) {}
  std::int32_t Random(std::int32_t n) override {
    ranges.push_back(n);
    return std::uniform_int_distribution<std::int32_t>(0, 7)(engine_) % n;
  }
  std::vector<std::int32_t> ranges;

 private:
  std::mt19937 engine_;
};

// A board of `width` x `height` drawn from a mixture that changes from board to board: some
// crowded with creatures and slime, some mostly rocks over open space, and now and then the
// odd codes a level file may hold.
GameState RandomBoard(std::mt19937& gen, int width, int height) {
  static constexpr int kCommon[] = {5, 5, 5, 3, 3,  1,  1,  4,   4,  13,
                                    6, 7, 8, 9, 10, 11, 12, 101, 104};
  static constexpr int kOdd[] = {0, 108, 109, 110, 111, 112, 20, 113, 150, 255, 100};
  std::vector<int> codes(std::begin(kCommon), std::end(kCommon));
  codes.insert(codes.end(), std::begin(kOdd), std::end(kOdd));
  std::uniform_real_distribution<double> weight(0.0, 1.0);
  std::vector<double> weights;
  for (std::size_t i = 0; i < codes.size(); ++i) {
    const double w = weight(gen);
    weights.push_back(i < std::size(kCommon) ? w : w * w * w * 0.2);
  }
  std::discrete_distribution<std::size_t> pick(weights.begin(), weights.end());
  GameState s;
  s.BoardWidth = width;
  s.BoardHeight = height;
  for (int x = 0; x < width; ++x) {
    for (int y = 0; y < height; ++y) s.Board(x, y) = static_cast<std::uint8_t>(codes[pick(gen)]);
  }
  s.PlayerX = std::uniform_int_distribution<int>(0, width - 1)(gen);
  s.PlayerY = std::uniform_int_distribution<int>(0, height - 1)(gen);
  return s;
}

// Ticks `start` with both passes, as the timer would while the player keeps pressing keys,
// and stops at the first difference.
void ExpectSameTicks(const GameState& start, unsigned seed, int ticks) {
  GameState game = start;
  GameState ref = start;
  SeededDice gameDice(seed);
  SeededDice refDice(seed);
  SilentSounds silence;
  for (int tick = 0; tick < ticks; ++tick) {
    for (GameState* s : {&game, &ref}) {
      s->Board(s->PlayerX, s->PlayerY) = tiles::Player;
      s->Timer1Enabled = true;
    }
    UpdateWorld(game, gameDice, silence);
    reference::UpdateWorld(ref, refDice);
    ASSERT_EQ(game.Board.bytes, ref.Board.bytes) << "seed " << seed << " tick " << tick;
    ASSERT_EQ(game.PlayerDead, ref.PlayerDead) << "seed " << seed << " tick " << tick;
    ASSERT_EQ(game.Timer1Enabled, ref.Timer1Enabled) << "seed " << seed << " tick " << tick;
    ASSERT_EQ(gameDice.ranges, refDice.ranges) << "seed " << seed << " tick " << tick;
  }
}

TEST(WorldUpdateReference, SmallRandomBoardsTickAlike) {
  std::mt19937 gen(4111);
  std::uniform_int_distribution<int> side(1, 12);
  for (unsigned seed = 0; seed < 600; ++seed) {
    const GameState start = RandomBoard(gen, side(gen), side(gen));
    ExpectSameTicks(start, seed, 12);
  }
}

TEST(WorldUpdateReference, LargeRandomBoardsTickAlike) {
  // Rows longer than the stretch the scan lists after a blast, and the largest board.
  std::mt19937 gen(977);
  std::uniform_int_distribution<int> side(30, MaxBoardSize);
  for (unsigned seed = 0; seed < 40; ++seed) {
    const int width = seed % 4 == 0 ? MaxBoardSize : side(gen);
    const GameState start = RandomBoard(gen, width, side(gen));
    ExpectSameTicks(start, seed, 25);
  }
}

TEST(WorldUpdateReference, ABlastAheadOfTheScanWakesTheCellsItReaches) {
  // The slime at the right end of row 1 sets off the chain of creatures along row 0, whose
  // blasts turn the earth of row 1 into rubies further left, further than the scan lists at a
  // time after a blast: each of them must still fall in this pass.
  GameState s;
  s.BoardWidth = 70;
  s.BoardHeight = 3;
  for (int x = 0; x < s.BoardWidth; ++x) {
    s.Board(x, 0) = x < 34 ? tiles::Wall : tiles::CreatureUp;
    s.Board(x, 1) = tiles::Earth;
    s.Board(x, 2) = tiles::Empty;
  }
  s.Board(69, 1) = tiles::Slime;
  s.PlayerX = 0;
  s.PlayerY = 2;
  ExpectSameTicks(s, 1, 3);

  GameState game = s;
  SeededDice dice(1);
  SilentSounds silence;
  game.Board(0, 2) = tiles::Player;
  game.Timer1Enabled = true;
  UpdateWorld(game, dice, silence);
  for (int x = 33; x < 69; ++x) EXPECT_EQ(game.Board(x, 2), tiles::FallingRuby) << x;
  EXPECT_EQ(game.Board(32, 1), tiles::Earth);
}

}  // namespace

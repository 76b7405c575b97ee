#include "rules/world_update.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "game/tiles.h"
#include "rules/explode.h"

namespace {

// Neighbours as distances in bytes: the board is stored column by column, so the cell to the
// right is a whole column further on. The pass works on cell pointers and needs coordinates
// only for a blast.
using Offset = std::ptrdiff_t;

constexpr Offset kAbove = -1;
constexpr Offset kBelow = 1;
constexpr Offset kLeft = -BoardStride;
constexpr Offset kRight = BoardStride;
constexpr Offset kBelowLeft = kLeft + kBelow;
constexpr Offset kBelowRight = kRight + kBelow;

// What a creature of one heading tries each pass, and whom it catches after a step.
struct Step {
  Offset to;
  std::uint8_t heading;         // the code after the step
  std::array<Offset, 3> kills;  // cells around the new cell that catch the player
};

struct CreatureRule {
  std::array<Step, 2> steps;  // clockwise, then straight on
  std::uint8_t onSpot;        // counter-clockwise, no step
};

// Indexed by heading - 8 (right, down, left, up). A turning step looks only ahead in the new
// and the old heading; a straight step looks at all but the cell it came from. A turning step
// names its first cell twice, so that every step makes three looks.
constexpr std::array<CreatureRule, 4> kCreatureRules{{
    {{{{kBelow, 9, {kBelow, kRight, kBelow}}, {kRight, 8, {kAbove, kBelow, kRight}}}}, 11},
    {{{{kLeft, 10, {kLeft, kBelow, kLeft}}, {kBelow, 9, {kLeft, kRight, kBelow}}}}, 8},
    {{{{kAbove, 11, {kAbove, kLeft, kAbove}}, {kLeft, 10, {kAbove, kBelow, kLeft}}}}, 9},
    {{{{kRight, 8, {kRight, kAbove, kRight}}, {kAbove, 11, {kAbove, kLeft, kRight}}}}, 10},
}};

// Where slime may grow, by the random draw 0..3; every other draw grows nothing.
constexpr std::array<Offset, 4> kGrowth{{kRight, kBelow, kLeft, kAbove}};
constexpr int kGrowthOdds = 50;

// The neighbours a slime cell blows up, in this order.
constexpr std::array<Offset, 4> kSlimeTouch{{kLeft, kRight, kAbove, kBelow}};

constexpr std::uint8_t kCaughtBesideSlime = tiles::CreatureDown + tiles::Mark;

// Which rule a code calls for when the scan reaches it.
enum class Rule : std::uint8_t { None, Resting, Falling, Creature, Slime };

constexpr std::array<Rule, 256> kRule = [] {
  std::array<Rule, 256> table{};
  table[tiles::Ruby] = Rule::Resting;
  table[tiles::Rock] = Rule::Resting;
  table[tiles::FallingRuby] = Rule::Falling;
  table[tiles::FallingRock] = Rule::Falling;
  for (int code = tiles::CreatureRight; code <= tiles::CreatureUp; ++code) {
    table[code] = Rule::Creature;
  }
  table[tiles::Slime] = Rule::Slime;
  return table;
}();

// What a falling object meets below it: ground it lands on, the player, a creature, an empty
// cell, or anything else, which it rolls off if it can and otherwise lands on.
enum class Under : std::uint8_t { Other, Ground, Player, Creature, Empty };

constexpr std::array<Under, 256> kUnder = [] {
  std::array<Under, 256> table{};
  for (const std::uint8_t code :
       {tiles::Earth, tiles::OuterWall, tiles::ClosedExit, tiles::Wall, tiles::Exit}) {
    table[code] = Under::Ground;
  }
  table[tiles::Player] = Under::Player;
  for (const std::uint8_t code : tiles::CreatureTiles) table[code] = Under::Creature;
  table[tiles::Empty] = Under::Empty;
  return table;
}();

// How many cells the scan lists at a time after a blast: a longer stretch is more often listed
// in vain when the next blast comes, a shorter one more often ends at a mispredicted branch.
constexpr int kSpanAfterBlast = 32;

// The scan lists the cells that call for a rule before it visits them, so that the cells
// calling for none, most of any level, cost no branch of their own.
constexpr std::array<int, 256> kCallsForRule = [] {
  std::array<int, 256> table{};
  for (int code = 0; code < 256; ++code) table[code] = kRule[code] != Rule::None;
  return table;
}();

// What the end of a pass turns each code into: the marks of having acted go, falling stays.
constexpr std::array<std::uint8_t, 256> kUnmarked = [] {
  std::array<std::uint8_t, 256> table{};
  for (int code = 0; code < 256; ++code) {
    const bool acted =
        code > tiles::Mark && code != tiles::FallingRuby && code != tiles::FallingRock;
    table[code] = static_cast<std::uint8_t>(acted ? code - tiles::Mark : code);
  }
  return table;
}();

// The end of a pass on eight cells of a column at once, byte by byte inside one word: on a busy
// board the marks lie scattered at random, and a test per cell would mostly guess wrong.
constexpr std::uint64_t EveryByte(std::uint8_t b) { return 0x0101010101010101ull * b; }
constexpr std::uint64_t kHighBits = EveryByte(0x80);
constexpr std::uint64_t kLowBits = EveryByte(0x7F);

// The high bit of each byte that is not 0. No byte carries into the next.
constexpr std::uint64_t NonZeroBytes(std::uint64_t w) {
  return (((w & kLowBits) + kLowBits) | w) & kHighBits;
}

constexpr std::uint64_t UnmarkWord(std::uint64_t w) {
  const std::uint64_t aboveMark =
      (((w & kLowBits) + EveryByte(0x80 - tiles::Mark - 1)) | w) & kHighBits;
  const std::uint64_t acted = aboveMark & NonZeroBytes(w ^ EveryByte(tiles::FallingRuby)) &
                              NonZeroBytes(w ^ EveryByte(tiles::FallingRock));
  return w - (acted >> 7) * tiles::Mark;
}

// Every code in every byte of the word, next to other codes, agrees with the table.
constexpr bool UnmarkWordAgreesWithTable() {
  for (int code = 0; code < 256; ++code) {
    for (int lane = 0; lane < 8; ++lane) {
      const int other = (code * 37 + lane * 101 + 11) % 256;
      std::uint64_t word = EveryByte(static_cast<std::uint8_t>(other));
      word &= ~(std::uint64_t{0xFF} << (8 * lane));
      word |= std::uint64_t(code) << (8 * lane);
      const std::uint64_t unmarked = UnmarkWord(word);
      for (int at = 0; at < 8; ++at) {
        const auto in = static_cast<std::uint8_t>(word >> (8 * at));
        if (static_cast<std::uint8_t>(unmarked >> (8 * at)) != kUnmarked[in]) return false;
      }
    }
  }
  return true;
}
static_assert(UnmarkWordAgreesWithTable());

class Pass {
 public:
  Pass(GameState& s, RandomSource& rng, SoundSink& sounds) : s_(s), rng_(rng), sounds_(sounds) {}

  // Scans bottom-up and right-to-left, so whatever moves down or right lands behind the scan.
  bool Run() {
    for (int y = s_.BoardHeight - 1; y >= 0; --y) ScanRow(&s_.Board(0, y), s_.BoardWidth);
    Unmark();
    return active_;
  }

 private:
  using DueList = std::array<std::uint8_t*, MaxBoardSize>;

  // A row is listed whole and then visited right to left. Only a blast can give a cell still
  // ahead of the scan a rule it did not call for when it was listed, so after one the rest of
  // the row is listed again, a short stretch at a time: a chain of blasts lists little twice.
  void ScanRow(std::uint8_t* const row, int width) {
    int end = width;
    int span = width;
    while (end > 0) {
      const int first = std::max(end - span, 0);
      DueList due;
      const int dueCount = List(row + first * BoardStride, end - first, due);
      end = first;
      span = width;
      for (int i = 0; i < dueCount; ++i) {
        exploded_ = false;
        Visit(due[i]);
        if (exploded_) {
          end = static_cast<int>((due[i] - row) / BoardStride);
          span = kSpanAfterBlast;
          break;
        }
      }
    }
  }

  // The cells among `count` from `start` on that call for a rule, the rightmost first. Every
  // cell is written to the list and only those that count move its end on: the listing takes
  // no branch on what the cells hold.
  static int List(std::uint8_t* const start, int count, DueList& due) {
    int listed = 0;
    for (std::uint8_t* cell = start + (count - 1) * BoardStride; cell >= start;
         cell -= BoardStride) {
      due[listed] = cell;
      listed += kCallsForRule[*cell];
    }
    return listed;
  }

  void Visit(std::uint8_t* const cell) {
    const std::uint8_t c = *cell;
    switch (kRule[c]) {
      case Rule::Resting:
        Resting(cell, c);
        break;
      case Rule::Falling:
        Falling(cell, static_cast<std::uint8_t>(c - tiles::Mark));
        break;
      case Rule::Creature:
        Creature(cell, c);
        break;
      case Rule::Slime:
        Slime(cell);
        break;
      case Rule::None:
        break;
    }
  }

  void Blast(const std::uint8_t* const cell) {
    const std::ptrdiff_t at = cell - s_.Board.bytes.data();
    Explode(s_, static_cast<int>(at / BoardStride) - 1, static_cast<int>(at % BoardStride) - 1);
    exploded_ = true;
    sounds_.Raise(Sound::Blast);
  }

  // `object` leaves `cell` for the empty cell `to` away and is falling from now on.
  void MoveObject(std::uint8_t* const cell, Offset to, std::uint8_t object) {
    std::uint8_t* const target = cell + to;
    *cell = tiles::Empty;
    *target = object + tiles::Mark;
    active_ = true;
    if (target[kBelow] == tiles::Player) s_.PlayerDead = 1;
  }

  // Whether the cells beside and diagonally below an object are open for it to roll into.
  struct OpenSides {
    bool left;
    bool right;
  };

  static OpenSides SidesOf(const std::uint8_t* const cell) {
    const bool left = (cell[kLeft] == tiles::Empty) & (cell[kBelowLeft] == tiles::Empty);
    const bool right = (cell[kRight] == tiles::Empty) & (cell[kBelowRight] == tiles::Empty);
    return {left, right};
  }

  // A resting object harms nothing beneath it; it only falls, or rolls off rubies and rocks.
  // Where it goes is worked out whole before the one test whether it goes at all: on a busy
  // board each single question is a toss-up.
  void Resting(std::uint8_t* const cell, std::uint8_t object) {
    const std::uint8_t below = cell[kBelow];
    const bool falls = below == tiles::Empty;
    const bool rolls = (below == tiles::Ruby) | (below == tiles::Rock);
    const OpenSides open = SidesOf(cell);
    const bool left = rolls & open.left;
    const bool right = rolls & open.right;
    if (!(falls | left | right)) return;
    MoveObject(cell, falls ? kBelow : left ? kBelowLeft : kBelowRight, object);
  }

  // Worked out like a resting object's move, after the tests for what is rarer.
  void Falling(std::uint8_t* const cell, std::uint8_t object) {
    const Under under = kUnder[cell[kBelow]];
    if (under == Under::Player) {
      s_.PlayerDead = 1;  // it stays where it is, still falling
      return;
    }
    if (under == Under::Creature) {
      Blast(cell + kBelow);
      return;
    }
    const bool falls = under == Under::Empty;
    const bool rolls = under == Under::Other;
    const OpenSides open = SidesOf(cell);
    const bool left = rolls & open.left;
    const bool right = rolls & open.right;
    if (falls | left | right) {
      MoveObject(cell, falls ? kBelow : left ? kBelowLeft : kBelowRight, object);
    } else {
      *cell = object;
      sounds_.Raise(Sound::Land);
    }
  }

  // Only an empty cell can be entered; after a step the creature looks for the player only
  // where its table says, so one that merely stays beside him does no harm. Which of its three
  // moves it makes is chosen without a branch, for the same reason as a resting object's.
  void Creature(std::uint8_t* const cell, std::uint8_t heading) {
    active_ = true;
    const CreatureRule& rule = kCreatureRules[heading - tiles::CreatureRight];
    const bool turns = cell[rule.steps[0].to] == tiles::Empty;
    const bool steps = turns | (cell[rule.steps[1].to] == tiles::Empty);
    const Step& step = rule.steps[!turns];
    std::uint8_t* const target = cell + (steps ? step.to : 0);
    *cell = tiles::Empty;
    *target = (steps ? step.heading : rule.onSpot) + tiles::Mark;
    const bool caught = (target[step.kills[0]] == tiles::Player) |
                        (target[step.kills[1]] == tiles::Player) |
                        (target[step.kills[2]] == tiles::Player);
    if (steps & caught) s_.PlayerDead = 1;
  }

  void Slime(std::uint8_t* const cell) {
    active_ = true;
    // A creature that stood right of the slime and stepped down earlier in this pass is caught
    // where it stood.
    if (cell[kBelowRight] == kCaughtBesideSlime) {
      cell[kBelowRight] = tiles::Empty;
      Blast(cell + kRight);
    }
    for (const Offset o : kSlimeTouch) {
      if (tiles::IsCreature(cell[o])) Blast(cell + o);
    }
    // Grows even when a blast has just taken the slime cell itself.
    const std::int32_t draw = rng_.Random(kGrowthOdds);
    if (draw < 0 || draw >= static_cast<std::int32_t>(kGrowth.size())) return;
    std::uint8_t& target = cell[kGrowth[draw]];
    if (target != tiles::Empty && target != tiles::Earth) return;
    target = tiles::NewSlime;
    sounds_.Raise(Sound::Slime);
  }

  // Cells that acted in this pass become plain again; falling objects keep falling.
  void Unmark() {
    for (int x = 0; x < s_.BoardWidth; ++x) {
      std::uint8_t* cell = &s_.Board(x, 0);
      std::uint8_t* const end = cell + s_.BoardHeight;
      for (; end - cell >= 8; cell += 8) {
        std::uint64_t word;
        std::memcpy(&word, cell, sizeof word);
        word = UnmarkWord(word);
        std::memcpy(cell, &word, sizeof word);
      }
      for (; cell != end; ++cell) *cell = kUnmarked[*cell];
    }
  }

  GameState& s_;
  RandomSource& rng_;
  SoundSink& sounds_;
  bool active_ = false;
  bool exploded_ = false;
};

}  // namespace

void UpdateWorld(GameState& s, RandomSource& rng, SoundSink& sounds) {
  if (!s.Timer1Enabled) return;
  s.Timer1Enabled = Pass(s, rng, sounds).Run();
}

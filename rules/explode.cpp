#include "rules/explode.h"

#include <array>
#include <cstdint>

#include "game/tiles.h"

namespace {

struct Offset {
  int dx;
  int dy;
};

// The fixed order in which a blast looks at the cells around its centre; a chain follows it.
constexpr std::array<Offset, 8> kBlastOrder{{
    {0, -1},   // above
    {0, 1},    // below
    {-1, -1},  // above-left
    {-1, 0},   // left
    {-1, 1},   // below-left
    {1, -1},   // above-right
    {1, 0},    // right
    {1, 1},    // below-right
}};

// The code sets of tiles.h as one look-up per cell: a chain asks for every cell it reaches.
constexpr std::uint8_t kCreature = 1;
constexpr std::uint8_t kProtected = 2;
constexpr std::array<std::uint8_t, 256> kBlastClass = [] {
  std::array<std::uint8_t, 256> table{};
  for (int code = 0; code < 256; ++code) {
    const auto c = static_cast<std::uint8_t>(code);
    table[code] = static_cast<std::uint8_t>((tiles::IsCreature(c) ? kCreature : 0) |
                                            (tiles::IsIndestructible(c) ? kProtected : 0));
  }
  return table;
}();

// One blast in progress: its centre and the next neighbour it will look at.
struct Frame {
  std::int16_t x;
  std::int16_t y;
  std::uint8_t next;
};

// Each creature becomes a ruby as its blast starts, so it heads at most one frame; the first
// centre may be no creature. Kept out of the call stack: a chain can cross the whole board.
constexpr std::size_t kMaxFrames = MaxBoardSize * MaxBoardSize + 1;
std::array<Frame, kMaxFrames> chainScratch;

void HitCentre(GameState& s, int x, int y) {
  std::uint8_t& cell = s.world.Board(x, y);
  if (cell == tiles::Player) {
    s.world.PlayerDead = 1;
  } else if (!(kBlastClass[cell] & kProtected)) {
    cell = tiles::Ruby;
  }
}

// A neighbour that is no creature: the blast reaches it unless protected or off the playfield.
void HitNeighbour(GameState& s, int x, int y) {
  std::uint8_t& cell = s.world.Board(x, y);
  if ((kBlastClass[cell] & kProtected) || !s.world.InPlayfield(x, y)) return;
  if (cell == tiles::Player) {
    s.world.PlayerDead = 1;
  } else {
    cell = tiles::Ruby;
  }
}

}  // namespace

void Explode(GameState& s, int x, int y) {
  std::size_t depth = 0;
  HitCentre(s, x, y);
  chainScratch[depth++] = {static_cast<std::int16_t>(x), static_cast<std::int16_t>(y), 0};
  while (depth > 0) {
    Frame& top = chainScratch[depth - 1];
    if (top.next == kBlastOrder.size()) {
      --depth;
      continue;
    }
    const Offset o = kBlastOrder[top.next++];
    const int nx = top.x + o.dx;
    const int ny = top.y + o.dy;
    if (kBlastClass[s.world.Board(nx, ny)] & kCreature) {
      // The creature's own blast runs to its end before this one looks further.
      HitCentre(s, nx, ny);
      chainScratch[depth++] = {static_cast<std::int16_t>(nx), static_cast<std::int16_t>(ny), 0};
    } else {
      HitNeighbour(s, nx, ny);
    }
  }
}

#pragma once
// Tile codes of the board and the code sets the rules share.
#include <array>
#include <cstdint>

namespace tiles {

constexpr std::uint8_t OuterWall = 0;
constexpr std::uint8_t Ruby = 1;
constexpr std::uint8_t Player = 2;
constexpr std::uint8_t Earth = 3;
constexpr std::uint8_t Rock = 4;
constexpr std::uint8_t Empty = 5;
constexpr std::uint8_t ClosedExit = 6;
constexpr std::uint8_t Exit = 7;
constexpr std::uint8_t CreatureRight = 8;
constexpr std::uint8_t CreatureDown = 9;
constexpr std::uint8_t CreatureLeft = 10;
constexpr std::uint8_t CreatureUp = 11;
constexpr std::uint8_t Slime = 12;
constexpr std::uint8_t Wall = 13;

// Adding Mark to a code marks the cell: 101 and 104 fall, 108..112 acted this pass.
constexpr std::uint8_t Mark = 100;
constexpr std::uint8_t FallingRuby = 101;
constexpr std::uint8_t FallingRock = 104;
constexpr std::uint8_t NewSlime = 112;

constexpr int TileSize = 36;

// The player cannot enter these.
constexpr std::array<std::uint8_t, 8> BlockingCodes{0, 2, 4, 6, 12, 13, 101, 104};
// A cell holding one of these counts as a creature.
constexpr std::array<std::uint8_t, 8> CreatureTiles{8, 9, 10, 11, 108, 109, 110, 111};
// A blast leaves these cells alone.
constexpr std::array<std::uint8_t, 3> IndestructibleCodes{6, 7, 13};

// A 256-entry membership table built from a code set, so that the rules test a code in one load.
template <std::size_t N>
constexpr std::array<bool, 256> CodeTable(const std::array<std::uint8_t, N>& set) {
  std::array<bool, 256> table{};
  for (const std::uint8_t c : set) table[c] = true;
  return table;
}

inline constexpr std::array<bool, 256> kBlocking = CodeTable(BlockingCodes);
inline constexpr std::array<bool, 256> kCreature = CodeTable(CreatureTiles);
inline constexpr std::array<bool, 256> kIndestructible = CodeTable(IndestructibleCodes);

// True when the player cannot step onto `code`.
constexpr bool IsBlocking(std::uint8_t code) { return kBlocking[code]; }
// True for the four headings, marked or not.
constexpr bool IsCreature(std::uint8_t code) { return kCreature[code]; }
// True for the codes a blast cannot change.
constexpr bool IsIndestructible(std::uint8_t code) { return kIndestructible[code]; }

}  // namespace tiles

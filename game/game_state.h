#pragma once
// The whole game as one plain struct: every handler reads and writes it directly.
#include <array>
#include <cstdint>
#include <string>

constexpr int BoardStride = 103;   // the playfield plus a ring of tile 0 on each side
constexpr int MaxBoardSize = 101;  // largest playfield in either direction

// 103 x 103 bytes, column by column; cell (x, y) for x, y in -1..101.
struct BoardGrid {
  std::array<std::uint8_t, BoardStride * BoardStride> bytes{};

  // True when (x, y) lies inside the 103 x 103 grid.
  static constexpr bool InGrid(int x, int y) {
    return x >= -1 && x <= MaxBoardSize && y >= -1 && y <= MaxBoardSize;
  }
  // The byte of cell (x, y); the caller keeps (x, y) inside the grid.
  std::uint8_t& operator()(int x, int y) { return bytes[Index(x, y)]; }
  std::uint8_t operator()(int x, int y) const { return bytes[Index(x, y)]; }
  // Sets every cell of the grid to tile 0.
  void Clear() { bytes.fill(0); }

  static constexpr std::size_t Index(int x, int y) {
    return static_cast<std::size_t>((x + 1) * BoardStride + (y + 1));
  }
};

struct GameState {
  BoardGrid Board;
  std::int32_t BoardWidth = 0;
  std::int32_t BoardHeight = 0;
  std::int32_t PlayerX = 0;
  std::int32_t PlayerY = 0;

  std::int32_t RubiesRequired = 0;
  std::int32_t RubiesCollected = 0;
  std::int32_t Money = 0;
  std::array<std::int32_t, 10> Inventory{};  // items 1..9; [0] unused

  std::uint8_t ScreenState = 0;  // 0 menu, 1 score table, 2 shop, 3 play
  std::int32_t MenuItem = 0;
  std::int32_t ShopItem = 0;  // 1..4 items, 5 Save, kShopPlayEntry Play
  std::uint8_t PlayerDead = 0;
  std::string CurrentLevelFile;  // a path in the platform's own spelling

  std::int32_t BoardOriginX = 0;
  std::int32_t BoardOriginY = 0;
  std::int32_t ViewCenterX = 0;
  std::int32_t ViewCenterY = 0;
  std::int32_t ScreenWidth = 0;
  std::int32_t ScreenHeight = 0;

  std::string PlayerName;  // code page 1251
  bool Timer1Enabled = false;

  // True when (x, y) lies on the playfield.
  bool InPlayfield(int x, int y) const {
    return x >= 0 && x < BoardWidth && y >= 0 && y < BoardHeight;
  }
};

// The shop's last entry, "Play": where a finished level or a loaded campaign opens the shop.
constexpr std::int32_t kShopPlayEntry = 6;

namespace screen_state {
constexpr std::uint8_t Menu = 0;
constexpr std::uint8_t ScoreTable = 1;
constexpr std::uint8_t Shop = 2;
constexpr std::uint8_t Play = 3;
}  // namespace screen_state

namespace vk {
constexpr int Enter = 13;
constexpr int Shift = 16;
constexpr int Escape = 27;
constexpr int Left = 37;
constexpr int Up = 38;
constexpr int Right = 39;
constexpr int Down = 40;
constexpr int Digit0 = 48;
constexpr int A = 65;
}  // namespace vk

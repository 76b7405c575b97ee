#pragma once
// The game's state: the level in play, the campaign, the screens and the view.
#include <array>
#include <cstdint>
#include <string>

constexpr int BoardStride = 103;   // the playfield plus a ring of tile 0 on each side
constexpr int MaxBoardSize = 101;  // largest playfield in either direction

// 103 x 103 bytes, column by column; cell (x, y) for x, y in -1..101.
struct BoardGrid {
  std::array<std::uint8_t, BoardStride * BoardStride> bytes{};

  // The byte of cell (x, y); the caller keeps (x, y) inside the grid.
  std::uint8_t& operator()(int x, int y) { return bytes[Index(x, y)]; }
  std::uint8_t operator()(int x, int y) const { return bytes[Index(x, y)]; }
  // Sets every cell of the grid to tile 0.
  void Clear() { bytes.fill(0); }

  static constexpr std::size_t Index(int x, int y) {
    return static_cast<std::size_t>((x + 1) * BoardStride + (y + 1));
  }
};

// The level in play: the board, the player, the level's counters and the timer that moves it.
struct World {
  BoardGrid Board;
  std::int32_t BoardWidth = 0;
  std::int32_t BoardHeight = 0;
  std::int32_t PlayerX = 0;
  std::int32_t PlayerY = 0;
  std::int32_t RubiesRequired = 0;
  std::int32_t RubiesCollected = 0;
  std::uint8_t PlayerDead = 0;
  bool Timer1Enabled = false;

  // True when (x, y) lies on the playfield.
  bool InPlayfield(int x, int y) const {
    return x >= 0 && x < BoardWidth && y >= 0 && y < BoardHeight;
  }
};

// The four items the shop sells and play uses, by their number in Inventory.
namespace item {
constexpr int Ruby = 1;
constexpr int Rock = 2;
constexpr int Earth = 3;
constexpr int AntiRock = 4;
}  // namespace item

// What the player carries from level to level.
struct Campaign {
  std::int32_t Money = 0;
  std::array<std::int32_t, 10> Inventory{};  // items 1..9; [0] unused
  std::string CurrentLevelFile;  // a path in the platform's own spelling
  std::string PlayerName;        // code page 1251
};

// What the window shows and which keys apply.
enum class Screen : std::uint8_t { Menu = 0, ScoreTable = 1, Shop = 2, Play = 3 };

// The shop's entries as ShopItem counts them, top to bottom: the four items by their numbers,
// then Save and Play.
namespace shop_entry {
constexpr std::int32_t FirstItem = item::Ruby;
constexpr std::int32_t LastItem = item::AntiRock;
constexpr std::int32_t Save = 5;
constexpr std::int32_t Play = 6;
}  // namespace shop_entry

// The screens and the entries selected on them.
struct Screens {
  Screen ScreenState = Screen::Menu;
  std::int32_t MenuItem = 0;  // 1..6
  std::int32_t ShopItem = 0;  // a shop_entry
};

// Where the board stands on the screen.
struct View {
  std::int32_t BoardOriginX = 0;
  std::int32_t BoardOriginY = 0;
  std::int32_t ViewCenterX = 0;
  std::int32_t ViewCenterY = 0;
  std::int32_t ScreenWidth = 0;
  std::int32_t ScreenHeight = 0;
};

// The whole game: every handler reads and writes it directly.
struct GameState {
  World world;
  Campaign campaign;
  Screens screens;
  View view;
};

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

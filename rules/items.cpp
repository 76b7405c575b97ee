#include "rules/items.h"

#include <array>
#include <cstdint>

#include "game/tiles.h"

namespace {

struct ItemRule {
  int key;                 // virtual-key code of the digit
  int item;                // index into Inventory
  std::uint8_t required;   // what the aimed cell must hold
  std::uint8_t placed;     // what it holds afterwards
};

// In the order the keys are looked at: with several held, the lowest digit wins.
constexpr std::array<ItemRule, 4> kItems{{
    {vk::Digit0 + 1, 1, tiles::Empty, tiles::Ruby},
    {vk::Digit0 + 2, 2, tiles::Empty, tiles::Rock},
    {vk::Digit0 + 3, 3, tiles::Empty, tiles::Earth},
    {vk::Digit0 + 4, 4, tiles::Rock, tiles::Empty},
}};

}  // namespace

std::optional<Direction> ArrowDirection(int key) {
  switch (key) {
    case vk::Left: return Direction{-1, 0};
    case vk::Up: return Direction{0, -1};
    case vk::Right: return Direction{1, 0};
    case vk::Down: return Direction{0, 1};
    default: return std::nullopt;
  }
}

bool UseHeldItem(GameState& s, PlayHost& host, int key) {
  for (const ItemRule& rule : kItems) {
    if (!host.IsKeyDown(rule.key) || s.Inventory[rule.item] < 1) continue;
    if (const auto d = ArrowDirection(key)) {
      // No bounds test: the ring around the playfield holds tile 0, which no item accepts.
      std::uint8_t& cell = s.Board(s.PlayerX + d->dx, s.PlayerY + d->dy);
      if (cell == rule.required) {
        cell = rule.placed;
        --s.Inventory[rule.item];
      }
    }
    return true;
  }
  return false;
}

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
    {vk::Digit0 + item::Ruby, item::Ruby, tiles::Empty, tiles::Ruby},
    {vk::Digit0 + item::Rock, item::Rock, tiles::Empty, tiles::Rock},
    {vk::Digit0 + item::Earth, item::Earth, tiles::Empty, tiles::Earth},
    {vk::Digit0 + item::AntiRock, item::AntiRock, tiles::Rock, tiles::Empty},
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
    if (!host.IsKeyDown(rule.key) || s.campaign.Inventory[rule.item] < 1) continue;
    if (const auto d = ArrowDirection(key)) {
      // No bounds test: the ring around the playfield holds tile 0, which no item accepts.
      std::uint8_t& cell = s.world.Board(s.world.PlayerX + d->dx, s.world.PlayerY + d->dy);
      if (cell == rule.required) {
        cell = rule.placed;
        --s.campaign.Inventory[rule.item];
      }
    }
    return true;
  }
  return false;
}

#include <gtest/gtest.h>

#include "rules/player_moves.h"
#include "rules/world_update.h"
#include "tests/unit/rules_test_support.h"

namespace {

using rules_test::Filled;
using rules_test::RecordingHost;
using rules_test::Rows;
using rules_test::RowsOf;
using rules_test::ScriptedRandom;
using rules_test::StateFromRows;

constexpr int kDigit1 = vk::Digit0 + 1;
constexpr int kDigit2 = vk::Digit0 + 2;

// A 5 x 5 level of empty cells with the player in the middle.
struct Play {
  Play() : s(StateFromRows(Filled(5, 5, 5))), host(s) {
    s.world.PlayerX = 2;
    s.world.PlayerY = 2;
    s.world.Board(2, 2) = 2;
    s.screens.ScreenState = Screen::Play;
  }
  void Press(int key, bool shift = false) { PlayKeyDown(s, host, key, shift); }

  GameState s;
  RecordingHost host;
};

struct Aim {
  int key;
  int x;
  int y;
};
constexpr Aim kAims[] = {{vk::Left, 1, 2}, {vk::Up, 2, 1}, {vk::Right, 3, 2}, {vk::Down, 2, 3}};

TEST(Items, EachItemChangesTheAimedCellAndCostsOne) {
  struct Case {
    int item;
    int required;
    int placed;
  };
  for (const Case c : {Case{1, 5, 1}, Case{2, 5, 4}, Case{3, 5, 3}, Case{4, 4, 5}}) {
    Play p;
    p.host.held = {vk::Digit0 + c.item};
    p.s.campaign.Inventory[c.item] = 4;
    for (const Aim a : kAims) {
      p.s.world.Board(a.x, a.y) = static_cast<std::uint8_t>(c.required);
      p.Press(a.key);
      EXPECT_EQ(p.s.world.Board(a.x, a.y), c.placed) << "item " << c.item << " key " << a.key;
    }
    EXPECT_EQ(p.s.campaign.Inventory[c.item], 0);
    EXPECT_EQ(p.s.world.PlayerX, 2);
    EXPECT_EQ(p.s.world.PlayerY, 2);
    EXPECT_TRUE(p.host.calls.empty()) << "items draw nothing; the tick shows them";
    EXPECT_TRUE(p.s.world.Timer1Enabled);
  }
}

TEST(Items, AWrongCellCostsNothing) {
  Play p;
  p.s.world.Board(1, 2) = 3;
  p.s.world.Board(3, 2) = 104;
  p.host.held = {kDigit1};
  p.s.campaign.Inventory[1] = 1;
  p.Press(vk::Left);
  EXPECT_EQ(p.s.world.Board(1, 2), 3);
  EXPECT_EQ(p.s.campaign.Inventory[1], 1);

  p.host.held = {vk::Digit0 + 4};
  p.s.campaign.Inventory[4] = 1;
  p.Press(vk::Right);
  EXPECT_EQ(p.s.world.Board(3, 2), 104) << "a falling rock is out of reach of the anti-rock";
  p.Press(vk::Up);
  EXPECT_EQ(p.s.world.Board(2, 1), 5);
  EXPECT_EQ(p.s.campaign.Inventory[4], 1);

  // From the edge the aim falls on the ring, which holds tile 0.
  p.s.world.PlayerX = 0;
  p.host.held = {kDigit1};
  p.Press(vk::Left);
  EXPECT_EQ(p.s.world.Board(-1, 2), 0);
  EXPECT_EQ(p.s.campaign.Inventory[1], 1);
  EXPECT_TRUE(rules_test::RingIsClear(p.s));
}

TEST(Items, AnItemKeyWithoutStockLeavesTheArrowsToMoves) {
  Play p;
  p.host.held = {kDigit1, vk::Digit0 + 3};
  p.s.campaign.Inventory[2] = 5;  // stock of an item whose key is not held
  p.Press(vk::Left);
  EXPECT_EQ(p.s.world.PlayerX, 1);
  EXPECT_EQ(p.s.world.Board(1, 2), 5);
}

TEST(Items, TheLowestHeldDigitWithStockTakesTheKey) {
  Play p;
  p.host.held = {kDigit1, kDigit2};
  p.s.campaign.Inventory[1] = 1;
  p.s.campaign.Inventory[2] = 1;
  p.Press(vk::Left);
  EXPECT_EQ(p.s.world.Board(1, 2), 1);
  EXPECT_EQ(p.s.campaign.Inventory[1], 0);
  EXPECT_EQ(p.s.campaign.Inventory[2], 1);

  p.Press(vk::Right);  // digit 1 has run out: digit 2 takes over
  EXPECT_EQ(p.s.world.Board(3, 2), 4);
  EXPECT_EQ(p.s.campaign.Inventory[2], 0);
  EXPECT_EQ(p.s.world.PlayerX, 2);
}

TEST(Items, AHeldItemSwallowsEveryKeyAndIgnoresShift) {
  Play p;
  p.host.held = {kDigit1};
  p.s.campaign.Inventory[1] = 2;
  p.s.world.Board(1, 2) = 3;
  p.Press(vk::Escape);
  p.Press(vk::A);
  EXPECT_TRUE(p.host.calls.empty()) << "Escape does not leave play";
  EXPECT_EQ(p.s.screens.ScreenState, Screen::Play);
  p.Press(vk::Left, true);
  EXPECT_EQ(p.s.world.Board(1, 2), 3) << "Shift does not dig while an item is held";
  p.Press(vk::Right, true);
  EXPECT_EQ(p.s.world.Board(3, 2), 1);
  EXPECT_EQ(p.s.campaign.Inventory[1], 1);
}

TEST(Items, APlacedRubyIsAnOrdinaryRuby) {
  Play p;
  p.host.held = {kDigit1};
  p.s.campaign.Inventory[1] = 1;
  p.Press(vk::Up);
  p.host.held.clear();
  p.Press(vk::Up);
  EXPECT_EQ(p.s.world.RubiesCollected, 1);
  EXPECT_EQ(p.s.world.PlayerY, 1);

  Play falls;
  falls.host.held = {kDigit1};
  falls.s.campaign.Inventory[1] = 1;
  falls.s.world.Board(2, 4) = 5;
  falls.Press(vk::Down);
  ScriptedRandom rng;
  UpdateWorld(falls.s, rng);
  EXPECT_EQ(falls.s.world.Board(2, 3), 5);
  EXPECT_EQ(falls.s.world.Board(2, 4), 101);
}

}  // namespace

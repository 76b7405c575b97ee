#include <gtest/gtest.h>

#include <algorithm>
#include <climits>

#include "game/runtime_error.h"
#include "rules/player_moves.h"
#include "tests/unit/rules_test_support.h"

namespace {

using rules_test::Filled;
using rules_test::RecordingHost;
using rules_test::RingIsClear;
using rules_test::Rows;
using rules_test::RowsOf;
using rules_test::StateFromRows;
using Calls = std::vector<std::string>;

// A level in play with the player at (px, py), his tile already written by a tick.
struct Play {
  Play(const Rows& rows, int px, int py) : s(StateFromRows(rows)), host(s) {
    s.world.PlayerX = px;
    s.world.PlayerY = py;
    PlacePlayerTile(s);
    s.screens.ScreenState = Screen::Play;
    s.campaign.CurrentLevelFile = "Level3.cam";
  }
  void Press(int key, bool shift = false) { PlayKeyDown(s, host, key, shift); }
  // What the next timer tick does first.
  void Tick() { PlacePlayerTile(s); }

  GameState s;
  RecordingHost host;
};

TEST(PlayerMoves, PlainArrowsStepOntoEnterableCellsAndLeaveEmptyBehind) {
  Play p(Filled(5, 3, 5), 2, 1);
  p.s.world.Board(1, 1) = 3;
  p.s.world.Board(3, 1) = 20;  // an unknown code is enterable

  p.Press(vk::Left);
  EXPECT_EQ(p.host.calls, (Calls{"DrawCell 2 1 5", "DrawCell 1 1 2", "PlaceBoard", "PresentBoard"}));
  EXPECT_EQ(p.s.world.PlayerX, 1);
  EXPECT_EQ(p.s.world.Board(2, 1), 5);
  EXPECT_EQ(p.s.world.Board(1, 1), 3) << "the cell keeps its code until the next tick";
  EXPECT_TRUE(p.s.world.Timer1Enabled);

  p.Press(vk::Right);  // no tick in between: the earth left behind still becomes empty
  EXPECT_EQ(p.s.world.Board(1, 1), 5);
  p.Tick();
  p.Press(vk::Right);
  EXPECT_EQ(p.s.world.PlayerX, 3);
  EXPECT_EQ(p.s.world.Board(3, 1), 20);
  p.Tick();
  p.Press(vk::Up);
  p.Tick();
  p.Press(vk::Down);
  EXPECT_EQ(p.s.world.PlayerX, 3);
  EXPECT_EQ(p.s.world.PlayerY, 1);
  EXPECT_EQ(p.s.world.PlayerDead, 0);
}

TEST(PlayerMoves, OtherKeysOnlyStartTheTimer) {
  Play p(Filled(3, 3, 5), 1, 1);
  const Rows before = RowsOf(p.s);
  for (const int key : {vk::Enter, vk::Shift, vk::A, vk::Digit0 + 1}) {
    p.s.world.Timer1Enabled = false;
    p.Press(key);
    EXPECT_TRUE(p.s.world.Timer1Enabled) << key;
  }
  EXPECT_TRUE(p.host.calls.empty());
  EXPECT_EQ(RowsOf(p.s), before);
}

TEST(PlayerMoves, AtTheEdgeTheTargetIsTheOwnCell) {
  Play p(Filled(2, 2, 5), 0, 0);
  p.Press(vk::Left);
  p.Press(vk::Up);
  EXPECT_TRUE(p.host.calls.empty()) << "the own cell holds the player's tile and blocks";

  // Before the next tick the own cell still holds what the player stepped onto: aiming at it
  // empties it, aiming at the ring would leave it.
  struct Edge {
    int key;
    int x;
    int y;
  };
  for (const Edge e : {Edge{vk::Left, 0, 1}, {vk::Up, 1, 0}, {vk::Right, 1, 1}, {vk::Down, 0, 1}}) {
    Play q(Filled(2, 2, 5), e.x, e.y);
    q.s.world.Board(e.x, e.y) = 3;
    q.Press(e.key);
    const std::string own = std::to_string(e.x) + " " + std::to_string(e.y);
    EXPECT_EQ(q.host.calls,
              (Calls{"DrawCell " + own + " 5", "DrawCell " + own + " 2", "PlaceBoard", "PresentBoard"}))
        << e.key;
    EXPECT_EQ(q.s.world.Board(e.x, e.y), 5) << e.key;
    EXPECT_TRUE(RingIsClear(q.s)) << e.key;
  }
}

TEST(PlayerMoves, BlockingCodesStopAPlainMove) {
  for (const int code : {0, 2, 4, 6, 12, 13, 101, 104}) {
    Play p(Filled(3, 3, 5), 1, 1);
    p.s.world.Board(1, 0) = static_cast<std::uint8_t>(code);
    const Rows before = RowsOf(p.s);
    p.Press(vk::Up);
    EXPECT_EQ(p.s.world.PlayerY, 1) << code;
    EXPECT_TRUE(p.host.calls.empty()) << code;
    EXPECT_EQ(RowsOf(p.s), before) << code;
  }
}

TEST(PlayerMoves, RocksArePushedSidewaysIntoEmptyCellsOnly) {
  Play p({{5, 4, 2, 4, 5}}, 2, 0);
  p.Press(vk::Left);
  EXPECT_EQ(p.host.calls, (Calls{"DrawCell 0 0 4", "DrawCell 1 0 5", "DrawCell 2 0 5",
                                 "DrawCell 1 0 2", "PlaceBoard", "PresentBoard"}));
  EXPECT_EQ(RowsOf(p.s), (Rows{{4, 5, 5, 4, 5}}));
  EXPECT_EQ(p.s.world.PlayerX, 1) << "the player takes the rock's old cell in the same key press";

  p.Tick();
  p.Press(vk::Right);
  p.Tick();
  p.Press(vk::Right);
  EXPECT_EQ(RowsOf(p.s), (Rows{{4, 5, 5, 5, 4}}));
  EXPECT_EQ(p.s.world.PlayerX, 3);

  p.Tick();
  p.host.calls.clear();
  p.Press(vk::Right);  // the ring behind the rock
  EXPECT_EQ(RowsOf(p.s), (Rows{{4, 5, 5, 2, 4}}));
  EXPECT_TRUE(p.host.calls.empty());

  for (const int behind : {1, 3, 4, 12}) {
    Play q({{5, 2, 4, behind}}, 1, 0);
    q.Press(vk::Right);
    EXPECT_EQ(RowsOf(q.s), (Rows{{5, 2, 4, behind}})) << behind;
    EXPECT_TRUE(q.host.calls.empty()) << behind;
  }
}

TEST(PlayerMoves, UpAndDownNeverPush) {
  Play p({{5}, {4}, {2}, {4}, {5}}, 0, 2);
  for (const bool shift : {false, true}) {
    p.Press(vk::Up, shift);
    p.Press(vk::Down, shift);
  }
  EXPECT_EQ(RowsOf(p.s), (Rows{{5}, {4}, {2}, {4}, {5}}));
  EXPECT_TRUE(p.host.calls.empty());
}

TEST(PlayerMoves, ShiftArrowsWorkTheAdjacentCellWithoutMoving) {
  Play p({{5, 5, 5, 5}, {1, 2, 3, 5}, {5, 5, 8, 5}}, 1, 1);
  p.s.world.RubiesRequired = 9;
  p.Press(vk::Right, true);
  EXPECT_EQ(p.s.world.Board(2, 1), 5) << "earth dug away";
  EXPECT_TRUE(p.host.calls.empty()) << "digging draws nothing";
  p.Press(vk::Right, true);  // empty now: nothing
  p.Press(vk::Up, true);
  p.Press(vk::Left, true);
  EXPECT_EQ(p.s.world.Board(0, 1), 5) << "ruby picked up";
  EXPECT_EQ(p.s.world.RubiesCollected, 1);
  EXPECT_EQ(p.host.calls, (Calls{"UpdateRubyStatus 1"}));
  p.Press(vk::Left, true);  // the ring
  EXPECT_EQ(p.s.world.Board(-1, 1), 0);
  EXPECT_EQ(p.s.world.PlayerX, 1);
  EXPECT_EQ(p.s.world.PlayerY, 1);
  EXPECT_EQ(p.s.world.PlayerDead, 0);

  Play push({{5, 4, 2, 4, 3}}, 2, 0);
  push.Press(vk::Left, true);
  EXPECT_EQ(push.host.calls, (Calls{"DrawCell 0 0 4", "DrawCell 1 0 5"}));
  push.Press(vk::Right, true);  // earth behind the rock
  EXPECT_EQ(RowsOf(push.s), (Rows{{4, 5, 2, 4, 3}}));
  EXPECT_EQ(push.s.world.PlayerX, 2);
}

TEST(PlayerMoves, RubiesOpenTheClosedExitsAtTheExactCount) {
  Play p({{6, 5, 5, 5, 5, 5}, {5, 1, 2, 1, 1, 5}, {5, 5, 5, 5, 5, 6}}, 2, 1);
  p.s.world.RubiesRequired = 2;
  p.s.world.Board(7, 0) = 6;  // inside the grid, beyond the ring: not playfield

  p.Press(vk::Left);
  EXPECT_EQ(p.s.world.RubiesCollected, 1);
  EXPECT_EQ(p.s.world.Board(1, 1), 1) << "a ruby stepped onto keeps its code until the tick";
  EXPECT_EQ(p.s.world.Board(0, 0), 6);
  p.Tick();
  p.Press(vk::Right);
  p.Tick();
  p.Press(vk::Right);
  EXPECT_EQ(p.s.world.RubiesCollected, 2);
  EXPECT_EQ(p.s.world.Board(0, 0), 7);
  EXPECT_EQ(p.s.world.Board(5, 2), 7);
  EXPECT_EQ(p.s.world.Board(7, 0), 6);

  p.s.world.Board(0, 2) = 6;
  p.Tick();
  p.Press(vk::Right);
  EXPECT_EQ(p.s.world.RubiesCollected, 3);
  EXPECT_EQ(p.s.world.Board(0, 2), 6) << "only the exact count opens exits";
  EXPECT_EQ(std::count(p.host.calls.begin(), p.host.calls.end(), "UpdateRubyStatus 3"), 1);

  Play none({{6, 1, 2}}, 2, 0);
  none.Press(vk::Left);
  EXPECT_EQ(none.s.world.Board(0, 0), 6) << "a level asking for no rubies never opens";

  Play wrap({{1, 2}}, 1, 0);
  wrap.s.world.RubiesCollected = INT32_MAX;
  wrap.Press(vk::Left);
  EXPECT_EQ(wrap.s.world.RubiesCollected, INT32_MIN);
}

TEST(PlayerMoves, CreaturesAtOrBesideTheTargetCatchThePlayer) {
  // Moving right from (1, 2) to (2, 2); the fourth neighbour of the target is the player.
  const int around[][2] = {{0, 0}, {1, 0}, {0, -1}, {0, 1}};
  for (const int code : {8, 9, 10, 11, 108, 109, 110, 111}) {
    for (const auto& o : around) {
      Play p(Filled(5, 5, 5), 1, 2);
      p.s.world.Board(2 + o[0], 2 + o[1]) = static_cast<std::uint8_t>(code);
      p.Press(vk::Right);
      EXPECT_EQ(p.s.world.PlayerX, 2) << code;
      EXPECT_EQ(p.s.world.PlayerDead, 1) << code << " at " << o[0] << "," << o[1];
    }
  }
  for (const int diagonal : {-1, 1}) {
    Play p(Filled(5, 5, 5), 1, 2);
    p.s.world.Board(3, 2 + diagonal) = 8;
    p.s.world.Board(2, 2 + diagonal) = 12;
    p.Press(vk::Right);
    EXPECT_EQ(p.s.world.PlayerX, 2);
    EXPECT_EQ(p.s.world.PlayerDead, 0);
  }
}

TEST(PlayerMoves, TheExitOfACampaignLevelOpensTheShop) {
  Play p({{2, 7}}, 0, 0);
  p.s.campaign.Money = 10;
  p.s.world.RubiesCollected = 2;
  p.s.world.RubiesRequired = 5;
  p.Press(vk::Right);
  EXPECT_EQ(p.host.calls, (Calls{"ShowShopAfterLevel"}));
  EXPECT_EQ(p.s.campaign.CurrentLevelFile, "Level4.cam");
  EXPECT_EQ(p.s.screens.ScreenState, Screen::Shop);
  EXPECT_EQ(p.s.screens.ShopItem, 6);
  EXPECT_EQ(p.s.campaign.Money, 7) << "fewer rubies than required cost money";
  EXPECT_FALSE(p.s.world.Timer1Enabled);
  EXPECT_EQ(p.s.world.PlayerX, 0);
  EXPECT_EQ(RowsOf(p.s), (Rows{{2, 7}}));

  Play wrap({{2, 7}}, 0, 0);
  wrap.s.campaign.CurrentLevelFile = "Level09.cam";
  wrap.s.campaign.Money = INT32_MAX;
  wrap.s.world.RubiesCollected = 3;
  wrap.s.world.RubiesRequired = 1;
  wrap.Press(vk::Right);
  EXPECT_EQ(wrap.s.campaign.CurrentLevelFile, "Level10.cam");
  EXPECT_EQ(wrap.s.campaign.Money, INT32_MIN + 1);
}

TEST(PlayerMoves, TheExitOfAnyOtherLevelClosesTheWindow) {
  for (const char* name : {"levels/cave.lvl", "Level.cam", "level3.cam", "Level3.cam.lvl"}) {
    Play p({{1, 7}}, 0, 0);
    p.s.world.Board(0, 0) = 1;  // a ruby under the player is not collected once the window closes
    p.s.campaign.CurrentLevelFile = name;
    p.s.campaign.Money = 10;
    p.Press(vk::Right);
    EXPECT_EQ(p.host.calls, (Calls{"CloseWindow"})) << name;
    EXPECT_EQ(p.s.campaign.CurrentLevelFile, name);
    EXPECT_EQ(p.s.campaign.Money, 10);
    EXPECT_EQ(p.s.world.RubiesCollected, 0);
    EXPECT_EQ(p.s.screens.ScreenState, Screen::Play);
    EXPECT_FALSE(p.s.world.Timer1Enabled);
  }
}

// Until the next tick the player's own cell still holds the ruby he stepped onto: a key whose
// target is that cell empties it but never counts the ruby a second time.
TEST(PlayerMoves, AKeyOnTheOwnCellNeverCountsTheRubyAgain) {
  const struct {
    const char* what;
    int key;
    bool shift;
    int heldItem;  // 0: none
  } keys[] = {
      {"Shift arrow", vk::Up, true, 0},
      {"arrow against the edge", vk::Right, false, 0},
      {"item key", vk::Up, false, 3},
      {"any other key", vk::Enter, false, 0},
      {"Escape", vk::Escape, false, 0},
  };
  for (const auto& k : keys) {
    Play p({{5, 2, 1}}, 1, 0);
    p.s.world.RubiesRequired = 5;
    p.s.campaign.Inventory[3] = 1;
    p.Press(vk::Right);
    p.host.calls.clear();
    if (k.heldItem != 0) p.host.held = {vk::Digit0 + k.heldItem};
    p.Press(k.key, k.shift);
    EXPECT_EQ(p.s.world.RubiesCollected, 1) << k.what;
    EXPECT_EQ(std::count(p.host.calls.begin(), p.host.calls.end(), "UpdateRubyStatus 2"), 0)
        << k.what;
    EXPECT_EQ(p.s.world.Board(2, 0), 5) << k.what << ": the rest of the step empties the cell";
    EXPECT_EQ(p.s.world.PlayerX, 2) << k.what;
  }

  // The exit reached before the next tick: the shop opens with the money reckoned once, and
  // the own cell, now the target, is not counted again.
  Play p({{5, 1, 7}}, 0, 0);
  p.s.world.RubiesRequired = 0;
  p.Press(vk::Right);
  p.host.calls.clear();
  p.Press(vk::Right);
  EXPECT_EQ(p.s.campaign.Money, 1);
  EXPECT_EQ(p.s.world.RubiesCollected, 1);
  EXPECT_EQ(p.host.calls, (Calls{"ShowShopAfterLevel", "DrawCell 1 0 5", "DrawCell 1 0 2",
                                 "PlaceBoard", "PresentBoard"}));
  EXPECT_EQ(p.s.world.Board(1, 0), 5);
}

TEST(PlayerMoves, ALevelNumberBeyondThirtyTwoBitsFailsAtTheExit) {
  Play p({{2, 7}}, 0, 0);
  p.s.campaign.CurrentLevelFile = "Level4294967296.cam";
  EXPECT_THROW(p.Press(vk::Right), RuntimeError);
  EXPECT_EQ(p.s.campaign.CurrentLevelFile, "Level4294967296.cam");
  EXPECT_EQ(p.s.screens.ScreenState, Screen::Play);
  EXPECT_FALSE(p.s.world.Timer1Enabled);
}

TEST(PlayerMoves, EscapeLeavesForTheMenuWithTheLevelAsItWas) {
  Play p({{5, 2, 8}}, 1, 0);
  p.Press(vk::Escape);
  EXPECT_EQ(p.host.calls, (Calls{"LeavePlayForMenu"}));
  EXPECT_EQ(p.s.screens.ScreenState, Screen::Menu);
  EXPECT_FALSE(p.s.world.Timer1Enabled);
  EXPECT_EQ(RowsOf(p.s), (Rows{{5, 2, 8}}));
  EXPECT_EQ(p.s.world.PlayerDead, 0);

  // Before a tick the own cell holds earth: the target step still runs on it.
  Play q({{5, 3, 8}}, 1, 0);
  q.s.world.Board(1, 0) = 3;
  q.Press(vk::Escape);
  EXPECT_EQ(q.host.calls, (Calls{"LeavePlayForMenu", "DrawCell 1 0 5", "DrawCell 1 0 2",
                                 "PlaceBoard", "PresentBoard"}));
  EXPECT_EQ(q.s.world.Board(1, 0), 5);
  EXPECT_EQ(q.s.world.PlayerDead, 1) << "the creature beside the own cell";
}

}  // namespace

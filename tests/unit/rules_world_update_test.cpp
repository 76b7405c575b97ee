#include <gtest/gtest.h>

#include "rules/world_update.h"
#include "tests/unit/rules_test_support.h"

namespace {

using rules_test::Filled;
using rules_test::Rows;
using rules_test::RowsOf;
using rules_test::ScriptedRandom;
using rules_test::StateFromRows;

// One pass over `rows` with the timer running.
struct Pass {
  explicit Pass(const Rows& rows, std::vector<std::int32_t> draws = {})
      : s(StateFromRows(rows)), rng(std::move(draws)) {
    s.world.Timer1Enabled = true;
  }
  Pass& Tick() {
    UpdateWorld(s, rng);
    return *this;
  }
  Rows Board() const { return RowsOf(s); }

  GameState s;
  ScriptedRandom rng;
};

TEST(WorldUpdate, NothingHappensWhileTheTimerIsOff) {
  Pass w(Rows{{5, 104, 8, 12}, {5, 5, 5, 5}});
  w.s.world.Timer1Enabled = false;
  w.Tick();
  EXPECT_EQ(w.Board(), (Rows{{5, 104, 8, 12}, {5, 5, 5, 5}}));
  EXPECT_FALSE(w.s.world.Timer1Enabled);
  EXPECT_TRUE(w.rng.ranges.empty());
}

TEST(WorldUpdate, ABoardAtRestStopsTheTimer) {
  const Rows rest{{4, 1, 3, 20, 7}, {13, 4, 0, 6, 3}, {1, 3, 2, 5, 5}};
  Pass w(rest);
  w.Tick();
  EXPECT_EQ(w.Board(), rest);
  EXPECT_FALSE(w.s.world.Timer1Enabled);
  EXPECT_EQ(w.s.world.PlayerDead, 0);
}

TEST(WorldUpdate, FallingRollingAndDeathByAFallingRuby) {
  Pass w(Rows{{6, 1, 5, 5, 4, 6},
              {6, 4, 5, 5, 5, 6},
              {6, 6, 5, 5, 101, 6},
              {6, 5, 5, 5, 5, 6},
              {6, 3, 5, 5, 2, 6},
              {6, 6, 6, 6, 6, 6}});
  w.s.world.PlayerX = 4;
  w.s.world.PlayerY = 4;
  w.Tick();
  EXPECT_EQ(w.Board(), (Rows{{6, 5, 5, 5, 5, 6},
                             {6, 4, 101, 5, 104, 6},
                             {6, 6, 5, 5, 5, 6},
                             {6, 5, 5, 5, 101, 6},
                             {6, 3, 5, 5, 2, 6},
                             {6, 6, 6, 6, 6, 6}}));
  EXPECT_EQ(w.s.world.PlayerDead, 1);
  EXPECT_TRUE(w.s.world.Timer1Enabled);
}

TEST(WorldUpdate, ACreatureSteppingAwayFromSlimeIsCaughtAndTheChainGoesUp) {
  const Rows before{{6, 6, 6, 6, 6, 6},
                    {6, 5, 5, 5, 5, 6},
                    {6, 9, 12, 8, 5, 6},
                    {6, 5, 5, 5, 5, 6},
                    {6, 5, 5, 5, 2, 6},
                    {6, 6, 6, 6, 6, 6}};
  const Rows after{{6, 6, 6, 6, 6, 6},
                   {6, 1, 1, 1, 1, 6},
                   {6, 1, 1, 1, 1, 6},
                   {6, 1, 1, 1, 1, 6},
                   {6, 5, 5, 5, 2, 6},
                   {6, 6, 6, 6, 6, 6}};
  for (const std::int32_t draw : {0, 1, 2, 3, 49}) {
    Pass w(before, {draw});
    w.Tick();
    EXPECT_EQ(w.Board(), after) << "draw " << draw;
    EXPECT_EQ(w.s.world.PlayerDead, 0);
    EXPECT_TRUE(w.s.world.Timer1Enabled);
    EXPECT_EQ(w.rng.ranges, (std::vector<std::int32_t>{50}));
  }
}

TEST(WorldUpdate, ObjectsAtRestFallOrRollButHarmNothingBelow) {
  Pass above(Rows{{4}, {2}});
  above.Tick();
  EXPECT_EQ(above.Board(), (Rows{{4}, {2}}));
  EXPECT_EQ(above.s.world.PlayerDead, 0);
  EXPECT_FALSE(above.s.world.Timer1Enabled);

  Pass stack(Rows{{4}, {4}, {1}, {5}, {5}});
  stack.Tick();
  EXPECT_EQ(stack.Board(), (Rows{{5}, {104}, {104}, {101}, {5}})) << "a column falls together";
  EXPECT_TRUE(stack.s.world.Timer1Enabled);

  Pass both(Rows{{5, 4, 5}, {5, 1, 5}});
  both.Tick();
  EXPECT_EQ(both.Board(), (Rows{{5, 5, 5}, {104, 1, 5}})) << "left goes first";
  Pass right(Rows{{3, 4, 5}, {5, 4, 5}});
  right.Tick();
  EXPECT_EQ(right.Board(), (Rows{{3, 5, 5}, {5, 4, 104}}));
  Pass stuck(Rows{{3, 4, 5}, {5, 1, 3}});
  stuck.Tick();
  EXPECT_EQ(stuck.Board(), (Rows{{3, 4, 5}, {5, 1, 3}}));
  EXPECT_FALSE(stuck.s.world.Timer1Enabled);

  for (const int ground : {3, 12, 13, 6, 7, 20}) {
    Pass w(Rows{{5, 4, 5}, {5, ground, 5}}, {49});
    w.Tick();
    EXPECT_EQ(w.s.world.Board(1, 0), 4) << "a resting rock does not roll off " << ground;
  }
}

TEST(WorldUpdate, FallingObjectsLandRollOrKill) {
  for (const int ground : {3, 0, 6, 13, 7}) {
    Pass w(Rows{{104}, {ground}});
    w.Tick();
    EXPECT_EQ(w.Board(), (Rows{{4}, {ground}})) << ground;
    EXPECT_FALSE(w.s.world.Timer1Enabled) << "landing is no activity";
  }
  Pass floor(Rows{{5}, {101}});
  floor.Tick();
  EXPECT_EQ(floor.Board(), (Rows{{5}, {1}})) << "lands on the ring";

  for (const int ground : {1, 4, 12, 101, 104, 112}) {
    Pass rolls(Rows{{5, 104, 5}, {5, ground, 5}}, {49});
    rolls.Tick();
    EXPECT_EQ(rolls.s.world.Board(0, 1), 104) << ground;
    Pass lands(Rows{{3, 104, 3}, {5, ground, 5}}, {49});
    lands.Tick();
    EXPECT_EQ(lands.s.world.Board(1, 0), 4) << ground;
  }

  Pass crush(Rows{{104}, {2}});
  crush.Tick();
  EXPECT_EQ(crush.Board(), (Rows{{104}, {2}})) << "it stays where it is, still falling";
  EXPECT_EQ(crush.s.world.PlayerDead, 1);

  Pass into(Rows{{4}, {5}, {2}});
  into.Tick();
  EXPECT_EQ(into.s.world.PlayerDead, 1) << "a rock that falls into the cell above the player";
  Pass roll(Rows{{5, 1}, {5, 4}, {2, 3}});
  roll.Tick();
  EXPECT_EQ(roll.Board(), (Rows{{5, 5}, {101, 4}, {2, 3}}));
  EXPECT_EQ(roll.s.world.PlayerDead, 1) << "a ruby that rolls into the cell above the player";
}

TEST(WorldUpdate, AFallingObjectBlowsUpACreatureAndBecomesARuby) {
  // The creature, hemmed in, only turns before the rock comes down on it.
  Pass w(Rows{{3, 104, 3}, {3, 10, 3}, {5, 5, 5}, {3, 3, 3}});
  w.Tick();
  EXPECT_EQ(w.Board(), (Rows{{1, 1, 1}, {1, 1, 1}, {1, 1, 1}, {3, 3, 3}}));
}

TEST(WorldUpdate, ACreatureTriesClockwiseThenStraightThenTurnsBack) {
  Pass open(Filled(4, 4, 5));
  open.s.world.Board(1, 1) = 8;
  const int headings[] = {9, 10, 11, 8};
  const int cells[][2] = {{1, 2}, {0, 2}, {0, 1}, {1, 1}};
  for (int tick = 0; tick < 4; ++tick) {
    open.Tick();
    Rows expected = Filled(4, 4, 5);
    expected[cells[tick][1]][cells[tick][0]] = headings[tick];
    EXPECT_EQ(open.Board(), expected) << "tick " << tick;
    EXPECT_TRUE(open.s.world.Timer1Enabled);
  }

  Pass straight(Rows{{8, 5}, {13, 13}});
  straight.Tick();
  EXPECT_EQ(straight.Board(), (Rows{{5, 8}, {13, 13}}));
  Pass walled(Rows{{8, 13}, {13, 13}});
  walled.Tick();
  EXPECT_EQ(walled.Board(), (Rows{{11, 13}, {13, 13}}));
  EXPECT_TRUE(walled.s.world.Timer1Enabled);
  for (const int other : {1, 2, 3, 4, 7}) {
    Pass w(Rows{{8, 5}, {other, 13}});
    w.Tick();
    EXPECT_EQ(w.s.world.Board(1, 0), 8) << "only an empty cell can be entered, not " << other;
  }
}

TEST(WorldUpdate, ACreatureMovesAtMostOneCellPerPass) {
  Pass w(Rows{{5, 5, 5, 5}, {5, 13, 10, 5}, {5, 5, 9, 13}});
  w.Tick();
  // The left-heading one turns up into the row still to come; the down-heading one steps left.
  EXPECT_EQ(w.Board(), (Rows{{5, 5, 11, 5}, {5, 13, 5, 5}, {5, 10, 5, 13}}));
}

TEST(WorldUpdate, ACreatureCatchesThePlayerOnlyWhereItsTableLooks) {
  struct Offset {
    int dx;
    int dy;
  };
  const Offset above{0, -1}, below{0, 1}, left{-1, 0}, right{1, 0};
  struct Step {
    Offset move;
    std::vector<Offset> kills;
  };
  struct Heading {
    int code;
    Step turn;
    Step straight;
  };
  const Heading headings[] = {
      {8, {below, {below, right}}, {right, {above, below, right}}},
      {9, {left, {left, below}}, {below, {left, right, below}}},
      {10, {above, {above, left}}, {left, {above, below, left}}},
      {11, {right, {right, above}}, {above, {above, left, right}}},
  };
  for (const Heading& h : headings) {
    for (const bool turning : {true, false}) {
      const Step& step = turning ? h.turn : h.straight;
      for (const Offset around : {above, below, left, right}) {
        Pass w(Filled(7, 7, 5));
        w.s.world.Board(3, 3) = static_cast<std::uint8_t>(h.code);
        if (!turning) w.s.world.Board(3 + h.turn.move.dx, 3 + h.turn.move.dy) = 13;
        const int nx = 3 + step.move.dx;
        const int ny = 3 + step.move.dy;
        if (nx + around.dx == 3 && ny + around.dy == 3) continue;  // where it came from
        w.s.world.Board(nx + around.dx, ny + around.dy) = 2;
        w.Tick();
        bool listed = false;
        for (const Offset k : step.kills) listed |= k.dx == around.dx && k.dy == around.dy;
        ASSERT_NE(w.s.world.Board(nx, ny), 5) << "heading " << h.code;
        EXPECT_EQ(w.s.world.PlayerDead, listed ? 1 : 0)
            << "heading " << h.code << (turning ? " turning" : " straight") << ", player at "
            << around.dx << "," << around.dy << " of the new cell";
      }
    }
  }
  Pass stays(Rows{{8, 13}, {2, 13}});
  stays.Tick();
  EXPECT_EQ(stays.s.world.Board(0, 0), 11);
  EXPECT_EQ(stays.s.world.PlayerDead, 0) << "a turn on the spot catches nobody";
}

TEST(WorldUpdate, TheEndOfAPassUnmarksAllButFallingObjects) {
  // The falling ones are stuck on the player, so they stay falling.
  Pass w(Rows{{108, 109, 110, 111}, {112, 150, 100, 255}, {101, 104, 3, 3}, {2, 2, 3, 3}});
  w.Tick();
  EXPECT_EQ(w.Board(),
            (Rows{{8, 9, 10, 11}, {12, 50, 100, 155}, {101, 104, 3, 3}, {2, 2, 3, 3}}));
  EXPECT_FALSE(w.s.world.Timer1Enabled) << "marked cells are inert; falling ones stay stuck";
}

TEST(WorldUpdate, SlimeGrowsIntoEmptyCellsAndEarthByTheDraw) {
  const int targets[][2] = {{3, 2}, {2, 3}, {1, 2}, {2, 1}};
  for (int draw = 0; draw < 4; ++draw) {
    for (const int ground : {5, 3}) {
      Pass w(Filled(5, 5, ground), {draw});
      w.s.world.Board(2, 2) = 12;
      w.Tick();
      Rows expected = Filled(5, 5, ground);
      expected[2][2] = 12;
      expected[targets[draw][1]][targets[draw][0]] = 12;
      EXPECT_EQ(w.Board(), expected) << "draw " << draw;
      EXPECT_EQ(w.rng.ranges, (std::vector<std::int32_t>{50})) << "new slime waits a pass";
    }
  }
  for (const std::int32_t draw : {4, 49}) {
    Pass w(Filled(3, 3, 5), {draw});
    w.s.world.Board(1, 1) = 12;
    w.Tick();
    EXPECT_EQ(w.Board(), (Rows{{5, 5, 5}, {5, 12, 5}, {5, 5, 5}}));
    EXPECT_TRUE(w.s.world.Timer1Enabled);
  }
  for (const int ground : {1, 4, 13, 2, 0}) {
    Pass w(Rows{{12, ground}}, {0});
    w.Tick();
    EXPECT_EQ(w.s.world.Board(1, 0), ground);
  }
}

TEST(WorldUpdate, SlimeBlowsUpTheCreaturesBesideIt) {
  // Creatures left and above are still in place when the scan meets the slime; right and below
  // they have already acted, so they stand there marked.
  const int sides[][3] = {{1, 2, 9}, {2, 1, 8}, {3, 2, 110}, {2, 3, 111}};
  for (const auto& side : sides) {
    Pass w(Filled(5, 5, 3), {49});
    w.s.world.Board(2, 2) = 12;
    w.s.world.Board(side[0], side[1]) = static_cast<std::uint8_t>(side[2]);
    w.Tick();
    EXPECT_EQ(w.s.world.Board(2, 2), 1) << side[2];
    for (int dx = -1; dx <= 1; ++dx) {
      for (int dy = -1; dy <= 1; ++dy) EXPECT_EQ(w.s.world.Board(side[0] + dx, side[1] + dy), 1);
    }
  }
}

TEST(WorldUpdate, ACreatureSteppingDownFromBesideSlimeIsCaughtWhereItStood) {
  Pass w(Rows{{13, 13, 13, 13, 13},
              {13, 5, 5, 5, 13},
              {13, 12, 8, 5, 13},
              {13, 5, 5, 5, 13},
              {13, 13, 13, 13, 13}});
  w.Tick();
  EXPECT_EQ(w.Board(), (Rows{{13, 13, 13, 13, 13},
                             {13, 1, 1, 1, 13},
                             {13, 1, 1, 1, 13},
                             {13, 1, 1, 1, 13},
                             {13, 13, 13, 13, 13}}));

  Pass away(
      Rows{{13, 13, 13, 13, 13}, {13, 5, 12, 5, 13}, {13, 5, 9, 5, 13}, {13, 13, 13, 13, 13}});
  away.Tick();
  EXPECT_EQ(away.Board(), (Rows{{13, 13, 13, 13, 13},
                                {13, 5, 12, 5, 13},
                                {13, 10, 5, 5, 13},
                                {13, 13, 13, 13, 13}}))
      << "a creature below the slime that stepped away escapes";
}

TEST(WorldUpdate, SlimeStillGrowsAfterItsOwnCellWasBlownUp) {
  Pass w(Filled(5, 3, 5), {0});
  w.s.world.Board(2, 1) = 12;
  w.s.world.Board(1, 1) = 9;
  w.Tick();
  EXPECT_EQ(w.Board(), (Rows{{1, 1, 1, 5, 5}, {1, 1, 1, 12, 5}, {1, 1, 1, 5, 5}}));
}

}  // namespace

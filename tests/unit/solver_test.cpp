// The level solver: it plays the game's own rules, so what it finds the driver replays.
#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "game/tiles.h"
#include "tools/solver/play_step.h"
#include "tools/solver/replay_check.h"
#include "tools/solver/search.h"

namespace {

std::string WriteLevel(const std::string& name, const std::string& text) {
  const std::string path = ::testing::TempDir() + name;
  std::ofstream(path, std::ios::binary) << text;
  return path;
}

int ShiftPresses(const std::vector<StepAction>& actions) {
  int n = 0;
  for (const StepAction& a : actions) n += a.shift ? 1 : 0;
  return n;
}

// A ruby in a pocket under the player's cell, with a rock over that cell: stepping down into
// the pocket lets the rock fall on the player, so only Shift-down takes the ruby. The shortest
// way is right, Shift-down, and three times right into the exit.
TEST(Solver, FindsTheShortestWayWithShiftAndItsReplayReachesTheExit) {
  const std::string level = WriteLevel("shift.lvl",
                                       "6\r\n4\r\n1\r\n1\r\n1\r\n"
                                       "13 13 4 13 13 13\r\n"
                                       "13 2 3 5 5 6\r\n"
                                       "13 13 1 13 13 13\r\n"
                                       "13 13 13 13 13 13\r\n");
  GameState start = LoadLevelForPlay(level);
  NoGrowth none;
  PlayStep(start, StepAction{}, none);
  const SearchResult r = Search(start, SearchGoal{}, SearchLimits{}, nullptr);
  ASSERT_TRUE(r.found);
  EXPECT_EQ(r.actions.size(), 5u);
  EXPECT_EQ(ShiftPresses(r.actions), 1);

  std::string script = "key enter\ntick\n";
  for (const StepAction& a : r.actions) script += KeyLine(a) + "\ntick\n";
  script += "dump\n";
  std::string shown;
  EXPECT_TRUE(
      ReplayReachesExit(level, script, std::string(QUILLMERE_SOURCE_DIR) + "/assets/", shown))
      << shown;
  EXPECT_EQ(SeedsReachingExit(level, script, 3), 3);
}

// The exit needs two rubies and one of them is walled in: with no creature to blow up into
// new rubies, the search sees it and gives up long before its limit.
TEST(Solver, GivesUpWhenTooFewRubiesAreWithinReach) {
  const std::string level = WriteLevel("walled.lvl",
                                       "7\r\n3\r\n1\r\n1\r\n2\r\n"
                                       "13 13 13 13 13 13 13\r\n"
                                       "13 2 1 3 13 1 6\r\n"
                                       "13 13 13 13 13 13 13\r\n");
  const GameState start = LoadLevelForPlay(level);
  SearchLimits limits;
  limits.maxStates = 1000;
  const SearchResult r = Search(start, SearchGoal{}, limits, nullptr);
  EXPECT_FALSE(r.found);
  EXPECT_LT(r.expanded, 20u);
}

// A creature shut in bricks under earth and a rock: the search digs the earth from the side
// while the creature turns away, steps out of reach and waits for the blast.
TEST(Solver, ReachesABlastWaypoint) {
  const std::string level = WriteLevel("pocket.lvl",
                                       "7\r\n6\r\n1\r\n1\r\n1\r\n"
                                       "13 13 13 13 13 13 13\r\n"
                                       "13 2 3 4 3 3 13\r\n"
                                       "13 3 3 3 0 3 13\r\n"
                                       "13 3 0 10 0 3 13\r\n"
                                       "13 3 0 0 0 3 6\r\n"
                                       "13 13 13 13 13 13 13\r\n");
  GameState start = LoadLevelForPlay(level);
  SearchGoal blast;
  blast.exit = false;
  blast.blast = true;
  blast.x = 3;
  blast.y = 3;
  GameState end;
  const SearchResult r = Search(start, blast, SearchLimits{}, &end);
  ASSERT_TRUE(r.found);
  EXPECT_EQ(end.world.Board(3, 3), tiles::Ruby);
  EXPECT_EQ(end.world.PlayerDead, 0);
}

}  // namespace

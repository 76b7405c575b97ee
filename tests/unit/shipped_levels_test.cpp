// The shipped levels, read and replayed through the rules.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "game/game_state.h"
#include "game/random.h"
#include "game/tiles.h"
#include "tools/solver/play_step.h"
#include "tools/solver/replay_check.h"

namespace {

namespace fs = std::filesystem;

// The shipped levels, replayed through the rules: every level can be finished by its shipped
// replay, also with other slime growth than the headless driver's.

std::string ShippedPath(const std::string& relative) {
  return std::string(QUILLMERE_SOURCE_DIR) + "/levels/" + relative;
}

std::string ReadWhole(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Every shipped level, as "campaign/Level1.cam" or "single/Sample.lvl".
std::vector<std::string> ShippedLevels() {
  std::vector<std::string> levels;
  for (const char* folder : {"campaign", "single"}) {
    for (const auto& entry : fs::directory_iterator(ShippedPath(folder))) {
      const std::string ext = entry.path().extension().string();
      if (ext == ".cam" || ext == ".lvl") {
        levels.push_back(std::string(folder) + "/" + entry.path().filename().string());
      }
    }
  }
  std::sort(levels.begin(), levels.end());
  return levels;
}

std::string ReplayOf(const std::string& level) {
  return ShippedPath("replays/" + fs::path(level).stem().string() + ".script");
}

// Plays the replay's key presses, one tick after each, as the headless driver does.
std::string Replay(GameState& s, const std::vector<StepAction>& actions, unsigned seed) {
  SeededRandom random(seed);
  for (std::size_t i = 0; i < actions.size(); ++i) {
    const StepOutcome outcome = PlayStep(s, actions[i], random);
    if (outcome == StepOutcome::Finished) return "finished";
    if (outcome == StepOutcome::Caught) return "caught at step " + std::to_string(i);
  }
  return "still playing";
}

TEST(ShippedLevels, EveryLevelIsFinishedByItsReplayWithAnySlimeGrowth) {
  const std::vector<std::string> levels = ShippedLevels();
  ASSERT_GE(levels.size(), 19u);
  for (const std::string& level : levels) {
    std::string error;
    const auto actions = ReadReplayActions(ReadWhole(ReplayOf(level)), error);
    ASSERT_TRUE(error.empty() && !actions.empty()) << level << ": " << error;
    for (unsigned seed = 1; seed <= 6; ++seed) {
      GameState s = LoadLevelForPlay(ShippedPath(level));
      EXPECT_EQ(Replay(s, actions, seed), "finished") << level << " seed " << seed;
      EXPECT_GE(s.world.RubiesCollected, s.world.RubiesRequired) << level;
    }
  }
}

// Rubies to spare: those on the board, and those a blast of each creature can make (its cell
// and eight around it), must be more than the level asks for.
TEST(ShippedLevels, AreFramedByWallsWithOneClosedExitAndRubiesToSpare) {
  for (const std::string& level : ShippedLevels()) {
    const GameState s = LoadLevelForPlay(ShippedPath(level));
    int exits = 0;
    int rubies = 0;
    for (int y = 0; y < s.world.BoardHeight; ++y) {
      for (int x = 0; x < s.world.BoardWidth; ++x) {
        const std::uint8_t code = s.world.Board(x, y);
        const bool border =
            x == 0 || y == 0 || x == s.world.BoardWidth - 1 || y == s.world.BoardHeight - 1;
        if (border) {
          EXPECT_TRUE(code == tiles::Wall || code == tiles::ClosedExit)
              << level << " " << x << "," << y;
        }
        exits += code == tiles::ClosedExit ? 1 : 0;
        rubies += code == tiles::Ruby ? 1 : tiles::IsCreature(code) ? 9 : 0;
      }
    }
    EXPECT_EQ(exits, 1) << level;
    EXPECT_GT(rubies, s.world.RubiesRequired) << level;
    EXPECT_EQ(s.world.Board(s.world.PlayerX, s.world.PlayerY), tiles::Player) << level;
  }
}

TEST(ShippedLevels, TheCampaignUsesEveryTileScrollsFarAndHasCrLfLines) {
  std::set<int> used;
  int large = 0;
  int tall = 0;
  for (const std::string& level : ShippedLevels()) {
    if (level.rfind("campaign/", 0) != 0) continue;
    const GameState s = LoadLevelForPlay(ShippedPath(level));
    for (int y = 0; y < s.world.BoardHeight; ++y) {
      for (int x = 0; x < s.world.BoardWidth; ++x) used.insert(s.world.Board(x, y));
    }
    large += s.world.BoardWidth >= 60 && s.world.BoardHeight >= 40 ? 1 : 0;
    tall += s.world.BoardWidth * 36 <= 800 && s.world.BoardHeight * 36 > 600 ? 1 : 0;
    const std::string text = ReadWhole(ShippedPath(level));
    for (std::size_t i = text.find('\n'); i != std::string::npos; i = text.find('\n', i + 1)) {
      ASSERT_TRUE(i > 0 && text[i - 1] == '\r') << level << " byte " << i;
    }
  }
  EXPECT_EQ(used, (std::set<int>{0, 1, 2, 3, 4, 5, 6, 8, 9, 10, 11, 12, 13}));
  EXPECT_GE(large, 1);  // a board that scrolls both ways
  EXPECT_GE(tall, 1);   // and one that scrolls only up and down
}

}  // namespace

#include "menu/campaign_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "game/level_file.h"
#include "game/runtime_error.h"
#include "game/text_file.h"
#include "game/tiles.h"
#include "tools/solver/play_step.h"
#include "tools/solver/replay_check.h"

namespace {

namespace fs = std::filesystem;

class CampaignFile : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/quillmere-ksv-XXXXXX";
    ASSERT_NE(::mkdtemp(pattern), nullptr);
    dir_ = pattern;
    path_ = (dir_ / "save.ksv").string();
  }
  void TearDown() override { fs::remove_all(dir_); }

  void Write(const std::string& bytes) const { std::ofstream(path_, std::ios::binary) << bytes; }
  std::string Read() const {
    std::ifstream in(path_, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }
  std::string ErrorOfRead(GameState& state) const {
    try {
      ReadCampaignFile(path_, state);
    } catch (const RuntimeError& e) {
      return e.what();
    }
    return "no error";
  }

  fs::path dir_;
  std::string path_;
};

TEST_F(CampaignFile, WritesElevenCrLfLinesWithSignedNumbers) {
  GameState state;
  state.Money = -5;
  state.Inventory = {99, 1, 2, 3, 4, 0, 0, 0, -2147483647 - 1, 2147483647};
  WriteCampaignFile(path_, "4", state);
  EXPECT_EQ(Read(), "4\r\n-5\r\n1\r\n2\r\n3\r\n4\r\n0\r\n0\r\n0\r\n-2147483648\r\n2147483647\r\n");
}

TEST_F(CampaignFile, ReadsWhatItWroteAndTheFirstLineAsText) {
  GameState saved;
  saved.Money = 1234;
  for (int i = 1; i <= 9; ++i) saved.Inventory[i] = i * 11 - 50;
  WriteCampaignFile(path_, "007", saved);
  GameState loaded;
  loaded.Inventory[0] = 77;
  EXPECT_EQ(ReadCampaignFile(path_, loaded), "007");
  EXPECT_EQ(loaded.Money, 1234);
  for (int i = 1; i <= 9; ++i) EXPECT_EQ(loaded.Inventory[i], i * 11 - 50) << i;
  EXPECT_EQ(loaded.Inventory[0], 77);
}

TEST_F(CampaignFile, RestOfEachNumberLineIsSkippedAndLineOneKeptWhole) {
  Write("12 next \r\n30 coins\r\n1\t\r\n2\n3\r\n4\r\n5\r\n6\r\n7\r\n8\r\n9 last\r\n10\r\n");
  GameState state;
  EXPECT_EQ(ReadCampaignFile(path_, state), "12 next ");
  EXPECT_EQ(state.Money, 30);
  EXPECT_EQ(state.Inventory, (std::array<std::int32_t, 10>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
}

TEST_F(CampaignFile, MissingValuesReadAsZero) {
  GameState state;
  state.Money = 50;
  state.Inventory.fill(3);
  Write("5\r\n17\r\n4\r\n");
  EXPECT_EQ(ReadCampaignFile(path_, state), "5");
  EXPECT_EQ(state.Money, 17);
  EXPECT_EQ(state.Inventory[1], 4);
  for (int i = 2; i <= 9; ++i) EXPECT_EQ(state.Inventory[i], 0) << i;

  Write("");
  EXPECT_EQ(ReadCampaignFile(path_, state), "");
  EXPECT_EQ(state.Money, 0);
}

TEST_F(CampaignFile, BadNumberStopsTheReadingAndKeepsWhatWasRead) {
  Write("3\r\n100\r\n1\r\n2\r\nthree\r\n4\r\n5\r\n6\r\n7\r\n8\r\n9\r\n");
  GameState state;
  state.Inventory.fill(-1);
  EXPECT_EQ(ErrorOfRead(state), rtl::InvalidNumericInput);
  EXPECT_EQ(state.Money, 100);
  EXPECT_EQ(state.Inventory[1], 1);
  EXPECT_EQ(state.Inventory[2], 2);
  EXPECT_EQ(state.Inventory[3], -1);
  EXPECT_EQ(state.Inventory[9], -1);
}

TEST_F(CampaignFile, FilesThatCannotBeOpenedOrCreatedAreRunTimeErrors) {
  GameState state;
  EXPECT_EQ(ErrorOfRead(state), rtl::FileNotFound);
  EXPECT_THROW(WriteCampaignFile((dir_ / "no" / "x.ksv").string(), "1", state), RuntimeError);
}

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

class SeededRandom : public RandomSource {
 public:
  explicit SeededRandom(unsigned seed) : engine_(seed) {}
  std::int32_t Random(std::int32_t n) override {
    return std::uniform_int_distribution<std::int32_t>(0, n - 1)(engine_);
  }

 private:
  std::mt19937 engine_;
};

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
      EXPECT_GE(s.RubiesCollected, s.RubiesRequired) << level;
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
    for (int y = 0; y < s.BoardHeight; ++y) {
      for (int x = 0; x < s.BoardWidth; ++x) {
        const std::uint8_t code = s.Board(x, y);
        const bool border = x == 0 || y == 0 || x == s.BoardWidth - 1 || y == s.BoardHeight - 1;
        if (border) {
          EXPECT_TRUE(code == tiles::Wall || code == tiles::ClosedExit)
              << level << " " << x << "," << y;
        }
        exits += code == tiles::ClosedExit ? 1 : 0;
        rubies += code == tiles::Ruby ? 1 : tiles::IsCreature(code) ? 9 : 0;
      }
    }
    EXPECT_EQ(exits, 1) << level;
    EXPECT_GT(rubies, s.RubiesRequired) << level;
    EXPECT_EQ(s.Board(s.PlayerX, s.PlayerY), tiles::Player) << level;
  }
}

TEST(ShippedLevels, TheCampaignUsesEveryTileScrollsFarAndHasCrLfLines) {
  std::set<int> used;
  int large = 0;
  int widest = 0;
  for (const std::string& level : ShippedLevels()) {
    if (level.rfind("campaign/", 0) != 0) continue;
    const GameState s = LoadLevelForPlay(ShippedPath(level));
    for (int y = 0; y < s.BoardHeight; ++y) {
      for (int x = 0; x < s.BoardWidth; ++x) used.insert(s.Board(x, y));
    }
    large += s.BoardWidth >= 40 && s.BoardHeight >= 30 ? 1 : 0;
    widest = std::max(widest, s.BoardWidth * s.BoardHeight);
    const std::string text = ReadWhole(ShippedPath(level));
    for (std::size_t i = text.find('\n'); i != std::string::npos; i = text.find('\n', i + 1)) {
      ASSERT_TRUE(i > 0 && text[i - 1] == '\r') << level << " byte " << i;
    }
  }
  EXPECT_EQ(used, (std::set<int>{0, 1, 2, 3, 4, 5, 6, 8, 9, 10, 11, 12, 13}));
  EXPECT_GE(large, 3);
  EXPECT_EQ(widest, 101 * 101);
}

}  // namespace

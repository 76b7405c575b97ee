#include "menu/campaign_file.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <set>

#include "game/level_file.h"
#include "game/runtime_error.h"
#include "game/text_file.h"
#include "game/tiles.h"
#include "rules/play_host.h"
#include "rules/player_moves.h"
#include "rules/world_update.h"
#include "test_files.h"

namespace {

namespace fs = std::filesystem;

class CampaignFile : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = NewTempFolder("quillmere-ksv-");
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

// The shipped levels, replayed through the rules: every level can be finished, also with
// other slime growth than the one seen while designing it.

// The window during a replay: only the end of the level matters.
class ReplayHost : public PlayHost {
 public:
  void DrawCell(int, int, std::uint8_t) override {}
  void PlaceBoard() override {}
  void PresentBoard() override {}
  void UpdateRubyStatus() override {}
  bool IsKeyDown(int) override { return false; }
  void ShowShopAfterLevel() override { finished = true; }
  void LeavePlayForMenu() override {}
  void CloseWindow() override { finished = true; }

  bool finished = false;
};

class SeededRandom : public RandomSource {
 public:
  explicit SeededRandom(unsigned seed) : engine_(seed) {}
  std::int32_t Random(std::int32_t n) override {
    return std::uniform_int_distribution<std::int32_t>(0, n - 1)(engine_);
  }

 private:
  std::mt19937 engine_;
};

std::string ShippedPath(const std::string& relative) {
  return std::string(QUILLMERE_SOURCE_DIR) + "/levels/" + relative;
}

GameState LoadShipped(const std::string& relative) {
  GameState s;
  const auto reader = TextReader::OpenOrThrow(ShippedPath(relative));
  ReadLevel(*reader, s, relative);
  s.CurrentLevelFile = std::filesystem::path(relative).filename().string();
  return s;
}

int ArrowOf(char key) {
  switch (key) {
    case 'L': return vk::Left;
    case 'R': return vk::Right;
    case 'U': return vk::Up;
    case 'D': return vk::Down;
    default: return 0;
  }
}

// Plays `keys` (arrows L R U D, '.' for none) with one timer tick after each, as a player
// pressing five keys a second would.
std::string Replay(GameState& s, const std::string& keys, unsigned seed) {
  ReplayHost host;
  SeededRandom random(seed);
  s.ScreenState = screen_state::Play;
  s.Timer1Enabled = true;
  for (std::size_t i = 0; i < keys.size(); ++i) {
    if (const int key = ArrowOf(keys[i]); key != 0) PlayKeyDown(s, host, key, false);
    if (host.finished) return "finished";
    s.Board(s.PlayerX, s.PlayerY) = tiles::Player;
    UpdateWorld(s, random);
    if (s.PlayerDead != 0) return "caught after key " + std::to_string(i);
  }
  return "still playing";
}

struct Solution {
  const char* level;
  const char* keys;
};

constexpr Solution kSolutions[] = {
    {"campaign/Level1.cam",
     "RRRRRRRRRDRR..DLLL.URRRDDDLLLRRRRRURDRRR.UUUULLRRRRDDDDDDDLLLL.L.L.DLDRRRRLLLLUUUL"
     "RRRRRRRRDDR"},
    {"campaign/Level2.cam",
     "RRRRRRDLLLLDLDDRR.DDLLRRURRRDRDDDDRDLLRRRRRRRUUUULRRRDDRRRUUURURRRUUUDDDDLLLDDDDDRRRRR"},
    {"campaign/Level3.cam",
     "RRRRRRRDDRURRRRR.DDLRRRRRRUUURRRDRDDDRUR.UURRR.DDDDDDDDDDDDLLUUL.ULL.LLLLLUDDDRDLULLUL"
     "DDLLLLLURRRRRRRRRRRRRRRRRRDR"},
    {"single/Sample.lvl", "RRRRDRRRRRR.RRDDDLL.DRL.LLLLLLLDURRRRRRRDRRRR"},
};

TEST(ShippedLevels, EveryLevelCanBeFinished) {
  for (const Solution& solution : kSolutions) {
    for (unsigned seed = 1; seed <= 8; ++seed) {
      GameState s = LoadShipped(solution.level);
      EXPECT_EQ(Replay(s, solution.keys, seed), "finished") << solution.level << " seed " << seed;
      EXPECT_GE(s.RubiesCollected, s.RubiesRequired) << solution.level;
    }
  }
}

TEST(ShippedLevels, AreFramedByWallsWithAClosedExitAndSpareRubies) {
  for (const Solution& solution : kSolutions) {
    const GameState s = LoadShipped(solution.level);
    int exits = 0;
    int rubies = 0;
    for (int y = 0; y < s.BoardHeight; ++y) {
      for (int x = 0; x < s.BoardWidth; ++x) {
        const std::uint8_t code = s.Board(x, y);
        const bool border = x == 0 || y == 0 || x == s.BoardWidth - 1 || y == s.BoardHeight - 1;
        if (border) {
          EXPECT_TRUE(code == tiles::Wall || code == tiles::ClosedExit)
              << solution.level << " " << x << "," << y;
        }
        exits += code == tiles::ClosedExit ? 1 : 0;
        rubies += code == tiles::Ruby ? 1 : 0;
      }
    }
    EXPECT_GE(exits, 1) << solution.level;
    EXPECT_GT(rubies, s.RubiesRequired) << solution.level;
    EXPECT_EQ(s.Board(s.PlayerX, s.PlayerY), tiles::Player) << solution.level;
  }
}

TEST(ShippedLevels, TheCampaignUsesEveryTileAndCrLfLines) {
  std::set<int> used;
  for (const char* level : {"campaign/Level1.cam", "campaign/Level2.cam", "campaign/Level3.cam"}) {
    const GameState s = LoadShipped(level);
    for (int y = 0; y < s.BoardHeight; ++y) {
      for (int x = 0; x < s.BoardWidth; ++x) used.insert(s.Board(x, y));
    }
    std::ifstream in(ShippedPath(level), std::ios::binary);
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    for (std::size_t i = text.find('\n'); i != std::string::npos; i = text.find('\n', i + 1)) {
      ASSERT_TRUE(i > 0 && text[i - 1] == '\r') << level << " byte " << i;
    }
  }
  EXPECT_EQ(used, (std::set<int>{0, 1, 2, 3, 4, 5, 6, 8, 9, 10, 11, 12, 13}));
}

}  // namespace

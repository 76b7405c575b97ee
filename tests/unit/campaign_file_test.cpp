#include "menu/campaign_file.h"

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <random>
#include <set>
#include <string>
#include <sys/resource.h>
#include <vector>

#include "game/cp1251.h"
#include "game/level_file.h"
#include "game/runtime_error.h"
#include "game/score_table.h"
#include "game/text_file.h"
#include "game/tiles.h"
#include "tools/solver/play_step.h"
#include "tools/solver/replay_check.h"
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
  std::string ErrorOfRead() const {
    try {
      ReadCampaignFile(path_, "save.ksv");
    } catch (const RuntimeError& e) {
      return Cp1251ToUtf8(e.what());
    }
    return "no error";
  }
  std::vector<std::string> Files() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir_)) names.push_back(entry.path().filename());
    return names;
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
  for (int i = 1; i <= 9; ++i) saved.Inventory[i] = i * 11;
  saved.Inventory[9] = 2147483647;
  WriteCampaignFile(path_, "007", saved);
  const SavedCampaign loaded = ReadCampaignFile(path_, "save.ksv");
  EXPECT_EQ(loaded.NumberText, "007");
  EXPECT_EQ(loaded.Money, 1234);
  for (int i = 1; i <= 9; ++i) EXPECT_EQ(loaded.Inventory[i], saved.Inventory[i]) << i;
  Write(" 12 \r\n30\t\r\n1\n2\n3\n4\n5\n6\n7\n8\n9\n\r\n  \r\n");
  EXPECT_EQ(ReadCampaignFile(path_, "save.ksv").NumberText, "12") << "blanks around values";
}

// bad input: Saved campaign | empty, fewer than 11 lines, noise, a byte-order mark, no level number, a negative or non-numeric or 32-bit-overflowing count, data after line 11, larger than 4 KB | refused with a message naming the file and what is wrong — nothing is taken from it
// Only eleven lines of a level number and counts that are not negative make a saved campaign.
TEST_F(CampaignFile, AnythingElseIsRefusedNamingTheFile) {
  const std::string good = "3\r\n100\r\n1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8\r\n9\r\n";
  std::string noise;
  for (int i = 0; i < 300; ++i) noise += static_cast<char>((i * 7919 + 13) % 256);
  const struct {
    std::string bytes;
    const char* reason;
  } refused[] = {
      {"", "в файле меньше 11 строк"},
      {"5\r\n17\r\n4\r\n", "в файле меньше 11 строк"},
      {noise, "в файле меньше 11 строк"},
      {"\xEF\xBB\xBF" + good, "в строке 1 нет номера уровня"},
      {"\r\n" + good.substr(3), "в строке 1 нет номера уровня"},
      {"3\r\n-1000\r\n" + good.substr(8), "в строке 2 нет целого неотрицательного числа"},
      {good.substr(0, 11) + "-5\r\n" + good.substr(14),
       "в строке 4 нет целого неотрицательного числа"},
      {"3\r\n30 coins\r\n" + good.substr(8), "в строке 2 нет целого неотрицательного числа"},
      {"3\r\n2147483648\r\n" + good.substr(8), "в строке 2 нет целого неотрицательного числа"},
      {good + "10\r\n", "после 11-й строки есть ещё данные"},
      {good + std::string(5000, ' '), "файл слишком велик"},
  };
  for (const auto& file : refused) {
    Write(file.bytes);
    EXPECT_EQ(ErrorOfRead(), std::string("Сохранённая кампания «save.ksv» не загружена: ") +
                                 file.reason + ".")
        << file.bytes;
  }
  ::unlink(path_.c_str());
  EXPECT_EQ(ErrorOfRead(), rtl::FileNotFound);
}

// bad input: Writing a file | a save and a table update on a disk that takes only a few bytes | an error — the old files byte for byte, no work file left
// A save that fails half-way (here: a disk that takes only a few bytes) leaves the save it was
// to replace byte for byte, and no file beside it; likewise the score table.
TEST_F(CampaignFile, AFailedWriteKeepsTheOldFileAndLeavesNoWorkFile) {
  const std::string table = (dir_ / "High.scr").string();
  const std::string old = "1\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n";
  Write(old);
  std::ofstream(table, std::ios::binary) << EncodeScoreLine("Old | 100") + "\r\n";
  const std::vector<std::string> before = Files();
  GameState state;
  state.Money = 123456;
  struct rlimit saved {};
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
  const auto previousSignal = std::signal(SIGXFSZ, SIG_IGN);
  struct rlimit tiny = saved;
  tiny.rlim_cur = 8;
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &tiny), 0);
  EXPECT_THROW(WriteCampaignFile(path_, "4", state), RuntimeError);
  EXPECT_THROW(UpdateScoreTable(table, (dir_ / "High.tmp").string(), "Player", 500), RuntimeError);
  ::setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, previousSignal);
  EXPECT_EQ(Read(), old);
  EXPECT_EQ(Files(), before);
  WriteCampaignFile(path_, "4", state);
  EXPECT_EQ(ReadCampaignFile(path_, "save.ksv").Money, 123456);
  EXPECT_EQ(Files(), before);
}

// bad input: Writing a file | a save into a missing folder or over a folder | an error — no work file left
TEST_F(CampaignFile, FilesThatCannotBeCreatedAreRunTimeErrors) {
  GameState state;
  EXPECT_THROW(WriteCampaignFile((dir_ / "no" / "x.ksv").string(), "1", state), RuntimeError);
  fs::create_directory(dir_ / "folder.ksv");
  EXPECT_THROW(WriteCampaignFile((dir_ / "folder.ksv").string(), "1", state), RuntimeError);
  EXPECT_EQ(Files().size(), 1u) << "no work file left beside a folder that was not replaced";
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

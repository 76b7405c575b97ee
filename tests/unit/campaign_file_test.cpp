#include "game/campaign_file.h"

#include <climits>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <string>
#include <sys/resource.h>
#include <unistd.h>
#include <vector>

#include "game/cp1251.h"
#include "game/level_file.h"
#include "game/runtime_error.h"
#include "game/score_table.h"
#include "game/text_file.h"
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
  state.campaign.Money = -5;
  state.campaign.Inventory = {99, 1, 2, 3, 4, 0, 0, 0, -2147483647 - 1, 2147483647};
  WriteCampaignFile(path_, "4", state);
  EXPECT_EQ(Read(), "4\r\n-5\r\n1\r\n2\r\n3\r\n4\r\n0\r\n0\r\n0\r\n-2147483648\r\n2147483647\r\n");
}

TEST_F(CampaignFile, ReadsWhatItWroteAndTheFirstLineAsText) {
  GameState saved;
  saved.campaign.Money = 1234;
  for (int i = 1; i <= 9; ++i) saved.campaign.Inventory[i] = i * 11;
  saved.campaign.Inventory[9] = 2147483647;
  WriteCampaignFile(path_, "007", saved);
  const SavedCampaign loaded = ReadCampaignFile(path_, "save.ksv");
  EXPECT_EQ(loaded.NumberText, "007");
  EXPECT_EQ(loaded.Money, 1234);
  for (int i = 1; i <= 9; ++i) EXPECT_EQ(loaded.Inventory[i], saved.campaign.Inventory[i]) << i;
  Write(" 12 \r\n30\t\r\n1\n2\n3\n4\n5\n6\n7\n8\n9\n\r\n  \r\n");
  EXPECT_EQ(ReadCampaignFile(path_, "save.ksv").NumberText, "12") << "blanks around values";
  // Every money value a save can hold, and a byte-order mark that an editor put first.
  for (const std::int32_t money : {-6, INT32_MIN, INT32_MAX}) {
    saved.campaign.Money = money;
    WriteCampaignFile(path_, "3", saved);
    EXPECT_EQ(ReadCampaignFile(path_, "save.ksv").Money, money);
    Write("\xEF\xBB\xBF" + Read());
    EXPECT_EQ(ReadCampaignFile(path_, "save.ksv").Money, money) << "after a byte-order mark";
  }
}

// bad input: Saved campaign | empty, fewer than 11 lines, noise, a byte-order mark not at the start, no level number, money that is no 32-bit integer, a negative or non-numeric or 32-bit-overflowing item count, data after line 11, larger than 4 KB | refused with a message naming the file and what is wrong — nothing is taken from it
// Only eleven lines of a level number, money and item counts that are not negative make a
// saved campaign.
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
      {"3\r\n\xEF\xBB\xBF" + good.substr(3), "в строке 2 нет целого числа"},
      {"\r\n" + good.substr(3), "в строке 1 нет номера уровня"},
      {good.substr(0, 11) + "-5\r\n" + good.substr(14),
       "в строке 4 нет целого неотрицательного числа"},
      {"3\r\n30 coins\r\n" + good.substr(8), "в строке 2 нет целого числа"},
      {"3\r\n-2147483649\r\n" + good.substr(8), "в строке 2 нет целого числа"},
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
  state.campaign.Money = 123456;
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

// bad input: Writing a file | work files left beside a save by games killed while writing it | the next save of that file removes them — a running game's, and every other file, are left alone
TEST_F(CampaignFile, TheNextSaveRemovesWhatKilledSavesLeft) {
  // No process has the largest id; this test's parent runs.
  const std::string ended = "save.ksv.saving-2147483647.tmp";
  const std::string running = "save.ksv.saving-" + std::to_string(::getppid()) + ".tmp";
  const std::vector<std::string> others{running, "save.ksv.saving-12x.tmp", "save.ksv.bak",
                                        "other.ksv.saving-2147483647.tmp"};
  for (const std::string& name : others) std::ofstream(dir_ / name) << "2\r\n";
  std::ofstream(dir_ / ended) << "2\r\n";
  WriteCampaignFile(path_, "3", GameState{});
  EXPECT_FALSE(fs::exists(dir_ / ended));
  for (const std::string& name : others) EXPECT_TRUE(fs::exists(dir_ / name)) << name;
  EXPECT_EQ(Files().size(), others.size() + 1);
}

}  // namespace

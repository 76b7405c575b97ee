#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <sstream>

#include "game/runtime_error.h"
#include "game/snapshot_file.h"
#include "platform/file_system.h"

namespace {

class SnapshotFile : public testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = testing::TempDir() + "quillmere-snapshot-XXXXXX";
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    dir_ = pattern;
    path_ = dir_ + "/Kolbrin.tmp";
  }
  void TearDown() override {
    for (const char* name : {"/Kolbrin.tmp", "/elsewhere"}) ::unlink((dir_ + name).c_str());
    ::rmdir(dir_.c_str());
  }
  static std::string Contents(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
  }
  static void Plant(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
  }

  std::string dir_;
  std::string path_;
};

GameState Owning(std::int32_t money, int first) {
  GameState s;
  s.campaign.Money = money;
  for (int i = 1; i <= 9; ++i) s.campaign.Inventory[i] = first + i - 1;
  return s;
}

TEST_F(SnapshotFile, HoldsTenCrLfLinesAndReadsBack) {
  WriteSnapshot(Owning(-5, 1), path_);
  EXPECT_EQ(Contents(path_), "-5\r\n1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8\r\n9\r\n");

  GameState extremes = Owning(INT32_MIN, 0);
  extremes.campaign.Inventory[9] = INT32_MAX;
  WriteSnapshot(extremes, path_);
  GameState back = Owning(77, 50);
  ReadSnapshot(back, path_);
  EXPECT_EQ(back.campaign.Money, INT32_MIN);
  EXPECT_EQ(back.campaign.Inventory, extremes.campaign.Inventory);
}

TEST_F(SnapshotFile, IsCreatedForTheOwnerOnly) {
  WriteSnapshot(Owning(1, 1), path_);
  struct stat st {};
  ASSERT_EQ(::stat(path_.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0600u);
}

// bad input: Snapshot | a symbolic link planted under its name | writing is refused — the link's target is untouched
TEST_F(SnapshotFile, APlantedLinkIsRefusedNotFollowed) {
  const std::string target = dir_ + "/elsewhere";
  Plant(target, "keep me");
  ASSERT_EQ(::symlink(target.c_str(), path_.c_str()), 0);
  EXPECT_THROW(WriteSnapshot(Owning(1, 1), path_), RuntimeError);
  EXPECT_EQ(Contents(target), "keep me");
}

// bad input: Snapshot | missing | money and items stay as they are, no message
TEST_F(SnapshotFile, AMissingFileChangesNothing) {
  GameState s = Owning(12, 3);
  ReadSnapshot(s, path_);
  EXPECT_EQ(s.campaign.Money, 12);
  EXPECT_EQ(s.campaign.Inventory, Owning(12, 3).campaign.Inventory);
}

// bad input: Snapshot | text after the numbers, empty lines, too few lines | the numbers are read, the rest of each line skipped, missing values are 0
TEST_F(SnapshotFile, ReadsTokensSkipsLineRestsAndZeroFillsAShortFile) {
  Plant(path_, "  40 coins\r\n\r\n2 x\n-3\r\n");
  GameState s = Owning(99, 10);
  ReadSnapshot(s, path_);
  EXPECT_EQ(s.campaign.Money, 40);
  EXPECT_EQ(s.campaign.Inventory[1], 2);
  EXPECT_EQ(s.campaign.Inventory[2], -3);
  for (int i = 3; i <= 9; ++i) EXPECT_EQ(s.campaign.Inventory[i], 0) << i;
}

// bad input: Snapshot | a word where a number belongs | "Invalid numeric input" — the values before it are taken, the rest kept
TEST_F(SnapshotFile, ABadValueStopsWithTheValuesBeforeItKept) {
  Plant(path_, "7\r\n3\r\nfour\r\n5\r\n");
  GameState s = Owning(99, 10);
  try {
    ReadSnapshot(s, path_);
    FAIL() << "no error";
  } catch (const RuntimeError& e) {
    EXPECT_STREQ(e.what(), "Invalid numeric input");
  }
  EXPECT_EQ(s.campaign.Money, 7);
  EXPECT_EQ(s.campaign.Inventory[1], 3);
  EXPECT_EQ(s.campaign.Inventory[2], 11);
  EXPECT_EQ(s.campaign.Inventory[3], 12);
}

TEST_F(SnapshotFile, DeletingIsQuietWhenTheFileIsGone) {
  WriteSnapshot(Owning(1, 1), path_);
  DeleteSnapshot(path_);
  EXPECT_NE(::access(path_.c_str(), F_OK), 0);
  DeleteSnapshot(path_);
}

// Sets an environment variable for one scope and restores it afterwards.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const char* value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    if (value) {
      ::setenv(name, value, 1);
    } else {
      ::unsetenv(name);
    }
  }
  ~ScopedEnv() {
    if (old_) {
      ::setenv(name_, old_->c_str(), 1);
    } else {
      ::unsetenv(name_);
    }
  }

 private:
  const char* name_;
  std::optional<std::string> old_;
};

TEST(SnapshotPath, PrefersThePrivateRuntimeFolderElseAPerUserTempName) {
  const std::string perUser = "Kolbrin-" + std::to_string(::getuid()) + ".tmp";
  {
    ScopedEnv runtime("XDG_RUNTIME_DIR", "/run/user/1000");
    EXPECT_EQ(DefaultSnapshotPath(), "/run/user/1000/Kolbrin.tmp");
  }
  for (const char* unusable : {static_cast<const char*>(nullptr), "", "run/user"}) {
    ScopedEnv runtime("XDG_RUNTIME_DIR", unusable);
    {
      ScopedEnv temp("TMPDIR", "/var/tmp/");
      EXPECT_EQ(DefaultSnapshotPath(), "/var/tmp/" + perUser);
    }
    ScopedEnv temp("TMPDIR", nullptr);
    EXPECT_EQ(DefaultSnapshotPath(), "/tmp/" + perUser);
  }
}

}  // namespace

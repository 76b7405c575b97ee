#include "game/level_file.h"

#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "game/cp1251.h"
#include "game/runtime_error.h"
#include "test_files.h"

namespace {

GameState LoadText(const std::string& text) {
  const std::string path = WriteTempFile("level.cam", text);
  GameState s;
  PutLevel(ReadLevelFile(path), s);
  return s;
}

std::string Refusal(const std::string& text) {
  const std::string path = WriteTempFile("bad.cam", text);
  Level level;
  const auto reader = TextReader::Open(path);
  try {
    ReadLevel(*reader, level, "bad.cam");
  } catch (const RuntimeError& e) {
    EXPECT_EQ(level.Width, 0);
    EXPECT_EQ(level.Height, 0);
    EXPECT_EQ(level.PlayerX, 0);
    EXPECT_EQ(level.PlayerY, 0);
    return Cp1251ToUtf8(e.what());
  }
  return "";
}

TEST(LevelFile, ReadsCellsRowByRowAndIgnoresTheRest) {
  const GameState s = LoadText("3\r\n2\r\n1\r\n0\r\n4\r\n1 2 3\r\n4 5 6\r\n7\r\n");
  EXPECT_EQ(s.world.BoardWidth, 3);
  EXPECT_EQ(s.world.BoardHeight, 2);
  EXPECT_EQ(s.world.PlayerX, 1);
  EXPECT_EQ(s.world.PlayerY, 0);
  EXPECT_EQ(s.world.RubiesRequired, 4);
  const int expected[2][3] = {{1, 2, 3}, {4, 5, 6}};
  for (int y = 0; y < 2; ++y) {
    for (int x = 0; x < 3; ++x) EXPECT_EQ(s.world.Board(x, y), expected[y][x]) << x << "," << y;
  }
  EXPECT_EQ(s.world.Board(3, 0), 0) << "a seventh value is ignored";
}

TEST(LevelFile, LayoutOfCellsDoesNotMatter) {
  const GameState oneLine = LoadText("3\n2\n0\n0\n0\n1 2 3 4 5 6\n");
  const GameState sixLines = LoadText("3\n2\n0\n0\n0\n1\n2\n3\n\t4\n5\n  6");
  EXPECT_EQ(oneLine.world.Board.bytes, sixLines.world.Board.bytes);
}

TEST(LevelFile, HeaderLinesSkipTheirRestAndEmptyLines) {
  const GameState s = LoadText("12 columns wide\r\n\r\n2 rows\r\n0 x\r\n1 y\r\n25 to open\r\n");
  EXPECT_EQ(s.world.BoardWidth, 12);
  EXPECT_EQ(s.world.BoardHeight, 2);
  EXPECT_EQ(s.world.PlayerY, 1);
  EXPECT_EQ(s.world.RubiesRequired, 25);
}

TEST(LevelFile, CellsKeepTheirLowEightBits) {
  const GameState s = LoadText("3\n1\n0\n0\n0\n256 261 -1\n");
  EXPECT_EQ(s.world.Board(0, 0), 0);
  EXPECT_EQ(s.world.Board(1, 0), 5);
  EXPECT_EQ(s.world.Board(2, 0), 255);
}

TEST(LevelFile, MissingValuesReadAsZero) {
  const GameState s = LoadText("4\n3\n1\n1\n2\n");
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 4; ++x) EXPECT_EQ(s.world.Board(x, y), 0);
  }
  const GameState partial = LoadText("2\n2\n0\n0\n0\n9 9");
  EXPECT_EQ(partial.world.Board(1, 0), 9);
  EXPECT_EQ(partial.world.Board(0, 1), 0);
}

TEST(LevelFile, LargestPlayfieldLeavesTheRingClear) {
  std::string text = "101\n101\n100\n100\n0\n";
  for (int i = 0; i < 101 * 101; ++i) text += "13 ";
  const GameState s = LoadText(text);
  EXPECT_EQ(s.world.Board(100, 100), 13);
  for (int i = -1; i <= 101; ++i) {
    EXPECT_EQ(s.world.Board(-1, i), 0);
    EXPECT_EQ(s.world.Board(101, i), 0);
    EXPECT_EQ(s.world.Board(i, -1), 0);
    EXPECT_EQ(s.world.Board(i, 101), 0);
  }
}

// bad input: Level file | a letter among the cells | "Invalid numeric input" — the cells read before it are kept
TEST(LevelFile, NonIntegerStopsTheReadKeepingCellsReadBefore) {
  const std::string path = WriteTempFile("letter.cam", "3\n1\n0\n0\n0\n7 x 7\n");
  Level level;
  const auto reader = TextReader::Open(path);
  try {
    ReadLevel(*reader, level, path);
    FAIL() << "expected an error";
  } catch (const RuntimeError& e) {
    EXPECT_STREQ(e.what(), "Invalid numeric input");
  }
  EXPECT_EQ(level.Board(0, 0), 7);
  EXPECT_EQ(level.Board(2, 0), 0);
  EXPECT_EQ(level.Width, 3);
}

// bad input: Level file | numbers beyond 32 bits, a doubled sign, a lone sign | refused as numbers that do not parse
TEST(LevelFile, NumbersBeyondThirtyTwoBitsAreNotIntegers) {
  for (const char* text : {"99999999999\n1\n0\n0\n0\n", "1\n1\n0\n0\n0\n4294967301\n",
                           "1\n1\n0\n0\n0\n--5\n", "1\n1\n0\n0\n0\n+\n"}) {
    const std::string path = WriteTempFile("big.cam", text);
    EXPECT_THROW(ReadLevelFile(path), RuntimeError) << text;
  }
}

// bad input: Level file | width or height outside 1 to 101, a start outside the playfield, an empty file | refused with a message naming the file and the value
TEST(LevelFile, RefusesSizesAndStartsOutsideTheGrid) {
  EXPECT_NE(Refusal("0\n5\n0\n0\n0\n").find("ширина"), std::string::npos);
  EXPECT_NE(Refusal("102\n5\n0\n0\n0\n").find("ширина"), std::string::npos);
  EXPECT_NE(Refusal("5\n-3\n0\n0\n0\n").find("высота"), std::string::npos);
  EXPECT_NE(Refusal("5\n200\n0\n0\n0\n").find("высота"), std::string::npos);
  EXPECT_NE(Refusal("5\n5\n5\n0\n0\n").find("игрока"), std::string::npos);
  EXPECT_NE(Refusal("5\n5\n0\n-1\n0\n").find("игрока"), std::string::npos);
  EXPECT_NE(Refusal("").find("ширина"), std::string::npos) << "an empty file";
  EXPECT_NE(Refusal("5\n5\n2\n9\n0\n").find("bad.cam"), std::string::npos) << "names the file";
  // A 101 x 101 level spread over lines of blanks is still read; a file far beyond any level is
  // refused before a byte of it is read.
  const std::string level = "101\n101\n0\n0\n0\n";
  const std::string cells = std::string(101 * 101, '0');
  std::string spread;
  for (const char cell : cells) spread += std::string(90, ' ') + cell;
  EXPECT_EQ(Refusal(level + spread), "");
}

// bad input: Level file | missing, or a link to nothing | no level there: the end of a campaign — a message naming the level where a level is asked for by name (Custom, New, Restart)
// bad input: Level file | a folder, a pipe, no permission to read it | a message naming the level: the file cannot be opened
// bad input: Level file | a file far larger than any level (2 MB, 20 MB, 3 GB) | a message naming the level that it is too large, before a byte of it is read
TEST(LevelFile, OnlyANameWithNoFileBehindItIsNoLevel) {
  const std::string folder = TempDir() + "/levels";
  std::filesystem::create_directories(folder + "/Folder.cam");
  std::vector<std::pair<std::string, std::string>> refused{
      {folder + "/Folder.cam", "файл не удаётся открыть"}};
  for (const std::uintmax_t size : {std::uintmax_t{2} << 20, std::uintmax_t{20} << 20,
                                    std::uintmax_t{3} << 30}) {
    const std::string big = folder + "/Big" + std::to_string(size) + ".cam";
    std::ofstream(big) << "1\n1\n0\n0\n0\n3\n";
    std::filesystem::resize_file(big, size);
    refused.emplace_back(big, "файл длиннее 1048576 байт — больше любого уровня");
  }
  std::vector<std::string> absent{folder + "/Missing.cam", folder + "/no-folder/Level1.cam"};
#ifndef _WIN32
  ASSERT_EQ(::mkfifo((folder + "/Pipe.cam").c_str(), 0600), 0);
  refused.emplace_back(folder + "/Pipe.cam", "файл не удаётся открыть");
  if (::geteuid() != 0) {  // a superuser reads every file
    std::ofstream(folder + "/Locked.cam") << "1\n1\n0\n0\n0\n3\n";
    ::chmod((folder + "/Locked.cam").c_str(), 0);
    refused.emplace_back(folder + "/Locked.cam", "файл не удаётся открыть");
  }
  std::filesystem::create_symlink(folder + "/Nowhere.cam", folder + "/Gone.cam");
  absent.push_back(folder + "/Gone.cam");
#endif
  for (const std::string& name : absent) {
    EXPECT_FALSE(ReadLevelIfPresent(name).has_value()) << name;
    try {
      ReadLevelFile(name);
      ADD_FAILURE() << name;
    } catch (const RuntimeError& e) {
      EXPECT_EQ(Cp1251ToUtf8(e.what()), "Уровень «" + name + "» не загружен: файл не удаётся открыть.");
    }
  }
  for (const auto& [name, reason] : refused) {
    try {
      ReadLevelIfPresent(name);
      ADD_FAILURE() << name;
    } catch (const RuntimeError& e) {
      EXPECT_EQ(Cp1251ToUtf8(e.what()), "Уровень «" + name + "» не загружен: " + reason + ".");
    }
  }
  std::filesystem::remove_all(folder);
}

// bad input: Level file | 5000 bytes of noise | an error, never a crash — the size read stays within the grid
TEST(LevelFile, GarbageIsAnErrorNotACrash) {
  std::string garbage;
  for (int i = 0; i < 5000; ++i) garbage += static_cast<char>((i * 7919) % 256);
  const std::string path = WriteTempFile("garbage.cam", garbage);
  Level level;
  const auto reader = TextReader::Open(path);
  EXPECT_THROW(ReadLevel(*reader, level, path), RuntimeError);
  EXPECT_TRUE(level.Width >= 0 && level.Width <= MaxBoardSize);
}

}  // namespace

// The reader every text file of the game goes through: levels, saved campaigns, the snapshot,
// the table and the settings.
#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/stat.h>
#endif

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "game/runtime_error.h"
#include "game/text_file.h"
#include "platform/file_system.h"
#include "test_files.h"

namespace {

// Byte 26 ends a text file wherever it stands: what follows it is never read, and a value
// missing at the end reads 0.
TEST(TextFile, ByteTwentySixEndsTheFile) {
  const auto reader = TextReader::Open(WriteTempFile("eof.txt", std::string("12 -3\r\n7\x1A" "99 x\r\n", 15)));
  ASSERT_NE(reader, nullptr);
  EXPECT_EQ(reader->ReadInt(), 12);
  EXPECT_EQ(reader->ReadInt(), -3);
  EXPECT_EQ(reader->ReadInt(), 7);
  EXPECT_TRUE(reader->Eof());
  EXPECT_EQ(reader->ReadInt(), 0);
  EXPECT_EQ(reader->ReadLine(), "");

  const auto line = TextReader::Open(WriteTempFile("eofline.txt", std::string("ab\x1A" "cd\r\n", 7)));
  ASSERT_NE(line, nullptr);
  EXPECT_EQ(line->ReadLine(), "ab");
  EXPECT_TRUE(line->Eof());
}

// bad input: Level file | a folder, a named pipe or a device under the file's name | a file that cannot be read, not a missing one — refused at once without waiting for a writer
// What keeps a file from being read, as the readers tell it: only a name with nothing behind it
// (missing, a link to nothing) is a missing file; a file over the limit is too large however
// large it is.
TEST(TextFile, ReasonsAFileCannotBeRead) {
  const std::string big = TempDir() + "/big.txt";
  std::ofstream(big).put('1');
  std::filesystem::resize_file(big, std::uintmax_t{3} << 30);
  std::vector<std::pair<std::string, FileError>> cases{
      {TempDir() + "/no-such-file", FileError::kNotFound},
      {TempDir() + "/no-such-folder/file", FileError::kNotFound},
      {TempDir(), FileError::kAccessDenied},
      {big, FileError::kTooLarge},
#ifdef _WIN32
      {"NUL", FileError::kAccessDenied},
      {"CON", FileError::kAccessDenied},
#else
      {"/dev/zero", FileError::kAccessDenied},
#endif
  };
#ifndef _WIN32
  const std::string fifo = TempDir() + "/Level9.cam";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const std::string dangling = TempDir() + "/gone.cam";
  std::filesystem::create_symlink(TempDir() + "/nowhere.cam", dangling);
  cases.insert(cases.end(), {{fifo, FileError::kAccessDenied}, {dangling, FileError::kNotFound}});
#endif
  for (const auto& [path, expected] : cases) {
    FileError error = FileError::kNone;
    EXPECT_EQ(TextReader::Open(path, 1 << 20, error), nullptr) << path;
    EXPECT_EQ(error, expected) << path;
  }
  std::filesystem::remove(big);
  EXPECT_STREQ(NotRead(FileError::kNotFound).what(), "File not found");
  EXPECT_STREQ(NotRead(FileError::kAccessDenied).what(), "File access denied");
}

TEST(TextFile, ReadLineStopsAtAnyLineEnd) {
  const auto reader = TextReader::Open(WriteTempFile("lines.txt", "first\r\nsecond\nthird"));
  EXPECT_EQ(reader->ReadLine(), "first");
  EXPECT_EQ(reader->ReadLine(), "second");
  EXPECT_EQ(reader->ReadLine(), "third");
  EXPECT_TRUE(reader->Eof());
  EXPECT_EQ(reader->ReadInt(), 0);
}

}  // namespace

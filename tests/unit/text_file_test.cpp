// The reader every text file of the game goes through: levels, saved campaigns, the snapshot,
// the table and the settings.
#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/stat.h>
#endif

#include <string>

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

// bad input: Level file | a folder under the file's name | cannot be opened, reported as a missing file
TEST(TextFile, AFolderCannotBeOpened) {
  EXPECT_EQ(TextReader::Open(TempDir()), nullptr);
  EXPECT_FALSE(IsReadableFile(TempDir()));
  EXPECT_FALSE(IsReadableFile(TempDir() + "/no-such-file"));
  try {
    TextReader::OpenOrThrow(TempDir() + "/no-such-file");
    FAIL();
  } catch (const RuntimeError& e) {
    EXPECT_STREQ(e.what(), "File not found");
  }
}

// bad input: Level file | a named pipe or a device under the file's name | refused at once without waiting for a writer
TEST(TextFile, PipesAndDevicesAreNotReadAsFiles) {
#ifdef _WIN32
  const std::string device = "CON";
  EXPECT_EQ(TextReader::Open("NUL"), nullptr);
#else
  const std::string device = "/dev/zero";
  const std::string fifo = TempDir() + "/Level9.cam";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  EXPECT_EQ(TextReader::Open(fifo), nullptr) << "opening must not wait for a writer";
#endif
  EXPECT_EQ(TextReader::Open(device), nullptr);
  EXPECT_THROW(TextReader::OpenOrThrow(device), RuntimeError);
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

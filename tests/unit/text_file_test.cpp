// The reader every text file of the game goes through: levels, saved campaigns, the snapshot,
// the table and the settings.
#include <gtest/gtest.h>

#include <string>

#include "game/runtime_error.h"
#include "game/text_file.h"
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

}  // namespace

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "app/player_folder.h"
#include "app/start_up.h"
#include "game/cp1251.h"
#include "game/text_file.h"
#include "test_files.h"

namespace {

// bad input: Player.cfg | saved in UTF-8, with letters code page 1251 lacks, or bytes that are almost UTF-8 (overlong, a surrogate, cut short) | UTF-8 is read as such, its letters outside code page 1251 as "?" — anything else is taken as code page 1251
// The name file as editors save it: UTF-8 with letters beyond ASCII is taken as UTF-8, anything
// else as code page 1251.
TEST(PlayerFiles, TheNameIsReadAsUtf8WhenItIsUtf8AndAsCodePage1251Otherwise) {
  const struct {
    std::string file;
    std::string name;  // code page 1251
  } cases[] = {
      {"\xD0\x98\xD0\xB3\xD1\x80\xD0\xBE\xD0\xBA\r\nsecond\r\n", Utf8ToCp1251("Игрок")},
      {Utf8ToCp1251("Игрок") + "\r\n", Utf8ToCp1251("Игрок")},
      {"Rook\r\n", "Rook"},
      {"\xE2\x82\xAC Zo\xC3\xAB \xE2\x98\x83 \xF0\x9F\x98\x80\r\n", "\x88 Zo? ? ?"},
      {"\xC0\xAF\xED\xA0\x80\r\n", "\xC0\xAF\xED\xA0\x80"},  // overlong, a surrogate: not UTF-8
      {"\xD0\x98\xD0\r\n", "\xD0\x98\xD0"},                    // cut short: not UTF-8
  };
  const std::string folder = TempDir() + "/";
  for (const auto& c : cases) {
    WriteTempFile("Player.cfg", c.file);
    EXPECT_EQ(ReadPlayerName(folder), c.name) << c.file;
  }
  std::filesystem::remove(folder + "Player.cfg");
  EXPECT_EQ(ReadPlayerName(folder), "Player");
}

// The player's folder is made with its parents on the first start and gets the shipped table;
// a table of the player's own is never replaced.
TEST(PlayerFiles, TheFirstStartMakesThePlayersFolderWithACopyOfTheShippedTable) {
  const std::string shipped = TempDir() + "/shipped/";
  const std::string data = TempDir() + "/home/.local/share";
  std::filesystem::create_directories(shipped);
  WriteTempFile("shipped/High.scr", "shipped table\r\n");
  ASSERT_EQ(setenv("XDG_DATA_HOME", data.c_str(), 1), 0);
  std::string why;
  const std::optional<std::string> folder = SetUpPlayerFolder(shipped, why);
  ASSERT_TRUE(folder);
  EXPECT_EQ(*folder, data + "/quillmere/");
  EXPECT_EQ(why, "");
  EXPECT_EQ(ReadWholeFile(*folder + "High.scr", 100).bytes, "shipped table\r\n");

  WriteTempFile("home/.local/share/quillmere/High.scr", "the player's\r\n");
  EXPECT_TRUE(SetUpPlayerFolder(shipped, why));
  EXPECT_EQ(ReadWholeFile(*folder + "High.scr", 100).bytes, "the player's\r\n");

  std::filesystem::remove(*folder + "High.scr");
  std::filesystem::remove(shipped + "High.scr");
  EXPECT_TRUE(SetUpPlayerFolder(shipped, why)) << "the game goes on without a table";
  EXPECT_NE(why.find("High.scr"), std::string::npos) << why;

  WriteTempFile("home/.local/share/not-a-folder", "");
  ASSERT_EQ(setenv("XDG_DATA_HOME", (data + "/not-a-folder").c_str(), 1), 0);
  EXPECT_FALSE(SetUpPlayerFolder(shipped, why));
  EXPECT_NE(why.find("data folder"), std::string::npos) << why;
  unsetenv("XDG_DATA_HOME");
}

}  // namespace

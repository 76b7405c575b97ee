#include <gtest/gtest.h>

#include <sstream>

#include "app/tform1.h"
#include "game/text_file.h"
#include "platform/file_system.h"
#include "platform/scripted/scripted_platform.h"
#include "test_files.h"

namespace {

// The window on a scripted platform, started in its own program folder.
struct Started {
  std::ostringstream shown;
  ScriptedPlatform platform{800, 600, shown};
  ForcedRandom random;
  std::string folder = TempDir() + "/";
  std::string snapshot = TempDir() + "/snapshot.tmp";
  TForm1 form{platform, random, FormOptions{folder, "/nonexistent/", snapshot}};

  Started() {
    WriteTempFile("Level1.cam", "2\r\n1\r\n0\r\n0\r\n0\r\n5 7\r\n");
    EXPECT_TRUE(EnterFolder(folder));
    form.LoadPictures(DecodeGamePictures("/nonexistent/", false));
    form.FormCreate();
  }
};

TEST(Form, StartUpHidesTheTaskbarAndClosingRestoresItAndRemovesTheSnapshot) {
  Started s;
  EXPECT_FALSE(s.platform.TaskbarVisible());
  EXPECT_GT(s.platform.Presents(), 0) << "the menu was shown";
  EXPECT_FALSE(s.platform.TimerEnabled());
  WriteTempFile("snapshot.tmp", "5\r\n");
  s.form.OnClose();
  EXPECT_TRUE(s.form.IsClosed());
  EXPECT_TRUE(s.platform.QuitRequested());
  EXPECT_TRUE(s.platform.TaskbarVisible());
  EXPECT_FALSE(IsReadableFile(s.snapshot));
  EXPECT_EQ(s.shown.str(), "") << "no message at the design size";
}

TEST(Form, TheTimerFollowsPlayAndKeysAfterClosingAreIgnored) {
  Started s;
  s.form.OnKeyDown(13, false);  // Return
  EXPECT_TRUE(s.platform.TimerEnabled());
  s.form.OnKeyDown(39, false);  // Right, into the open exit
  EXPECT_EQ(s.form.State().screens.ScreenState, Screen::Shop) << "the exit opened the shop";
  EXPECT_FALSE(s.platform.TimerEnabled());
  s.form.OnClose();
  s.form.OnKeyDown(40, false);
  EXPECT_EQ(s.form.State().screens.ShopItem, 6) << "a closed window handles no key";
}

// bad input: Level file | Restart on a level that became unreadable or was deleted | the message, then the menu with the game in progress, its money, items and board kept
// Restart reads the level before anything else: when it cannot, the game in progress keeps its
// board and its money, and the snapshot's money is not taken either.
TEST(Form, RestartOnALevelThatCannotBeReadKeepsTheGameInProgress) {
  Started s;
  s.form.OnKeyDown(13, false);  // Return
  s.form.OnKeyDown(27, false);  // Escape
  WriteTempFile("snapshot.tmp", "50\r\n1\r\n1\r\n1\r\n1\r\n0\r\n0\r\n0\r\n0\r\n0\r\n");
  const GameState before = s.form.State();
  s.form.OnKeyDown(40, false);  // Down
  s.form.OnKeyDown(40, false);  // Down, to Restart
  WriteTempFile("Level1.cam", "2\r\n1\r\n0\r\n0\r\n0\r\n5 x\r\n");
  s.form.OnKeyDown(13, false);
  ::unlink((s.folder + "Level1.cam").c_str());
  s.form.OnKeyDown(13, false);
  EXPECT_EQ(s.shown.str(),
            "message \"Quillmere\" \"Invalid numeric input\"\n"
            "message \"Quillmere\" "
            "\"Уровень «Level1.cam» не загружен: файл не удаётся открыть.\"\n");
  const GameState& after = s.form.State();
  EXPECT_EQ(after.screens.ScreenState, Screen::Menu);
  EXPECT_EQ(after.screens.MenuItem, 3);
  EXPECT_FALSE(s.platform.TimerEnabled());
  EXPECT_EQ(after.campaign.Money, before.campaign.Money);
  EXPECT_EQ(after.campaign.Inventory, before.campaign.Inventory);
  EXPECT_EQ(after.world.Board.bytes, before.world.Board.bytes);
  EXPECT_EQ(after.world.PlayerX, before.world.PlayerX);
  EXPECT_EQ(after.campaign.CurrentLevelFile, before.campaign.CurrentLevelFile);
}

}  // namespace

#include <gtest/gtest.h>

#include <sstream>

#include "app/tform1.h"
#include "game/text_file.h"
#include "platform/file_system.h"
#include "platform/scripted_platform.h"
#include "test_files.h"

namespace {

// The window on a scripted platform, started in its own program folder.
struct Started {
  std::ostringstream shown;
  ScriptedPlatform platform{800, 600, shown};
  std::string folder = TempDir() + "/";
  std::string snapshot = TempDir() + "/snapshot.tmp";
  TForm1 form{platform, FormOptions{folder, "/nonexistent/", snapshot, false}};

  Started() {
    WriteTempFile("Level1.cam", "2\r\n1\r\n0\r\n0\r\n0\r\n5 7\r\n");
    EXPECT_TRUE(EnterFolder(folder));
    form.LoadPictures();
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
  EXPECT_FALSE(FileCanBeOpened(s.snapshot));
  EXPECT_EQ(s.shown.str(), "") << "no message at the design size";
}

TEST(Form, TheTimerFollowsPlayAndKeysAfterClosingAreIgnored) {
  Started s;
  s.form.OnKeyDown(13, false);  // Return
  EXPECT_TRUE(s.platform.TimerEnabled());
  s.form.OnKeyDown(39, false);  // Right, into the open exit
  EXPECT_EQ(s.form.State().ScreenState, 2) << "the exit opened the shop";
  EXPECT_FALSE(s.platform.TimerEnabled());
  s.form.OnClose();
  s.form.OnKeyDown(40, false);
  EXPECT_EQ(s.form.State().ShopItem, 6) << "a closed window handles no key";
}

}  // namespace

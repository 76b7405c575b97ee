// Faults the fuzz targets found, each kept as the smallest case that showed it.
#include <gtest/gtest.h>
#include <unistd.h>

#include <sstream>

#include "app/tform1.h"
#include "platform/scripted/scripted_platform.h"
#include "test_files.h"

namespace {

// The window on a scripted platform in the temporary folder, with `level` as the first level.
struct Game {
  std::ostringstream shown;
  ScriptedPlatform platform{800, 600, shown};
  ForcedRandom random;
  TForm1 form{platform, random, FormOptions{TempDir() + "/", "/nonexistent/", TempDir() + "/snap.tmp"}};

  explicit Game(const std::string& level) {
    WriteTempFile("Level1.cam", level);
    EXPECT_EQ(::chdir(TempDir().c_str()), 0);
    form.LoadPictures(DecodeGamePictures("/nonexistent/", false));
    form.FormCreate();
  }

  // Every cell of the grid outside the playfield holds tile 0.
  bool NothingOutsideThePlayfield() const {
    const GameState& s = form.State();
    for (int x = -1; x <= MaxBoardSize; ++x) {
      for (int y = -1; y <= MaxBoardSize; ++y) {
        if (!s.world.InPlayfield(x, y) && s.world.Board(x, y) != 0) return false;
      }
    }
    return true;
  }
};

// bad input: Level file | a first level of width 0 (found by fuzzing) | refused — playing the empty field left behind writes nothing outside the playfield
TEST(FuzzFindings, PlayingTheEmptyFieldOfARefusedLevelWritesNoPlayerOutsideIt) {
  Game g("0\r\n0\r\n0\r\n0\r\n0\r\n");
  EXPECT_NE(g.shown.str().find("message"), std::string::npos) << "the level was refused";
  g.form.OnKeyDown(vk::Enter, false);  // Return to the empty field
  g.form.OnTimer();
  g.form.OnKeyDown(vk::Right, false);
  g.form.OnTimer();
  EXPECT_TRUE(g.NothingOutsideThePlayfield());
}

}  // namespace

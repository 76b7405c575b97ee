// The level editor's model: files, keys on the board, undo, the checks, the check's search.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "editor/edited_level.h"
#include "editor/editor_window.h"
#include "editor/level_editor.h"
#include "editor/way_check.h"
#include "game/runtime_error.h"
#include "game/tiles.h"
#include "platform/scripted/scripted_platform.h"
#include "tests/unit/test_files.h"

namespace {

std::string ReadWhole(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Every shipped level opened and written back is the same file, byte for byte.
TEST(EditedLevel, EveryShippedLevelIsWrittenBackUnchanged) {
  int levels = 0;
  for (const char* folder : {"campaign", "single"}) {
    for (const auto& entry : std::filesystem::directory_iterator(std::string(QUILLMERE_SOURCE_DIR) +
                                                                 "/levels/" + folder)) {
      const std::string ext = entry.path().extension().string();
      if (ext != ".cam" && ext != ".lvl") continue;
      const std::string path = entry.path().string();
      EXPECT_EQ(LevelText(ReadEditedLevel(path)), ReadWhole(path)) << path;
      ++levels;
    }
  }
  EXPECT_GE(levels, 19);
}

// Comments after the header values and codes without a picture survive; the layout is the
// game's; a failed save leaves the old file whole.
TEST(EditedLevel, KeepsWhatItDoesNotUnderstandAndSavesInOneStep) {
  const std::string path = WriteTempFile(
      "odd.lvl", "3 ; columns\n2\n\n0 start\n1\n1\n13 200 -1\n261 2 7 and then some\n");
  const EditedLevel level = ReadEditedLevel(path);
  EXPECT_EQ(level.Board(1, 0), 200);
  EXPECT_EQ(level.Board(2, 0), 255);
  EXPECT_EQ(level.Board(0, 1), 5);
  EXPECT_EQ(LevelText(level), "3 ; columns\r\n2\r\n0 start\r\n1\r\n1\r\n13 200 255\r\n5 2 7\r\n");

  ASSERT_EQ(SaveEditedLevel(path, level), FileError::kNone);
  EXPECT_EQ(ReadWhole(path), LevelText(level));
  EXPECT_NE(SaveEditedLevel(TempDir() + "/no/such/folder/x.lvl", level), FileError::kNone);
  EXPECT_THROW(ReadEditedLevel(WriteTempFile("wide.lvl", "102\n3\n1\n1\n0\n")), RuntimeError);
  EXPECT_THROW(ReadEditedLevel(WriteTempFile("word.lvl", "2\n1\n0\n0\n0\n13 x\n")), RuntimeError);
}

TEST(EditedLevel, NewLevelCanBeFinishedAsItStands) {
  const EditedLevel level = NewLevel(5, 6);
  EXPECT_EQ(LevelText(level),
            "5\r\n6\r\n1\r\n1\r\n0\r\n"
            "13 13 13 13 13\r\n13 2 3 3 13\r\n13 3 3 3 13\r\n13 3 3 3 13\r\n13 3 3 7 13\r\n"
            "13 13 13 13 13\r\n");
  EXPECT_TRUE(CheckLevel(level).empty());
  WayCheck check(level);
  while (!check.Run(1000)) {
  }
  EXPECT_TRUE(check.Found());
  EXPECT_EQ(check.Keys(), 5);
}

TEST(EditedLevel, ChecksNameWhatIsWrong) {
  struct Case {
    const char* what;
    void (*change)(EditedLevel&);
    int errors;
    int warnings;
  };
  const Case cases[] = {
      {"no exit", [](EditedLevel& l) { l.Board(3, 3) = tiles::Earth; }, 1, 0},
      {"start off the board", [](EditedLevel& l) { l.StartX = 9; }, 1, 0},
      {"too many rubies", [](EditedLevel& l) { l.RubiesRequired = 2; }, 0, 1},
      {"blasts make enough",
       [](EditedLevel& l) {
         l.RubiesRequired = 10;
         l.Board(2, 2) = tiles::Ruby;
         l.Board(3, 2) = tiles::CreatureUp;
       },
       0, 0},
      {"closed exit never opens", [](EditedLevel& l) { l.Board(3, 3) = tiles::ClosedExit; }, 0, 1},
  };
  for (const Case& c : cases) {
    EditedLevel level = NewLevel(5, 5);
    c.change(level);
    int errors = 0;
    int warnings = 0;
    for (const LevelProblem& p : CheckLevel(level)) (p.warning ? warnings : errors) += 1;
    EXPECT_EQ(errors, c.errors) << c.what;
    EXPECT_EQ(warnings, c.warnings) << c.what;
  }
}

TEST(LevelEditor, CursorSelectionAndPainting) {
  LevelEditor e(NewLevel(6, 5));        // the cursor starts on the player's cell (1, 1)
  EXPECT_NE(e.Paint(tiles::Rock), "");  // the player's cell is refused...
  EXPECT_FALSE(e.Modified());
  e.MoveCursor(-1, 0, false);
  e.MoveCursor(-1, 0, false);  // stays on the board
  EXPECT_EQ(e.CursorX(), 0);
  e.MoveCursor(1, 0, false);
  e.MoveCursor(1, 1, true);
  e.MoveCursor(1, 1, true);  // selection (1,1)..(3,3), the start among it
  ASSERT_TRUE(e.Selection());
  EXPECT_NE(e.Paint(tiles::Rock), "");  // ...and left out of a selection
  EXPECT_EQ(e.Level().Board(1, 1), tiles::Player);
  EXPECT_EQ(e.Level().Board(3, 3), tiles::Rock);
  EXPECT_EQ(e.Level().Board(4, 2), tiles::Earth);
  EXPECT_TRUE(e.Modified());
  ASSERT_TRUE(e.Undo());  // the whole selection was one step
  EXPECT_EQ(e.Level(), NewLevel(6, 5));
  EXPECT_FALSE(e.Modified());
  e.MoveCursor(0, 0, false);
  EXPECT_FALSE(e.Selection());

  // A creature turns clockwise; on a selection creatures head right.
  const std::uint8_t turns[] = {tiles::CreatureRight, tiles::CreatureDown, tiles::CreatureLeft,
                                tiles::CreatureUp, tiles::CreatureRight};
  for (const std::uint8_t heading : turns) {
    e.PlaceCreature();
    EXPECT_EQ(e.Level().Board(3, 3), heading);
  }
  e.MoveCursor(-1, 0, true);
  e.PlaceCreature();
  EXPECT_EQ(e.Level().Board(2, 3), tiles::CreatureRight);
  EXPECT_EQ(e.Level().Board(3, 3), tiles::CreatureRight);

  // The start moves; the cell it leaves becomes empty.
  e.MoveCursor(0, 0, false);
  e.MoveStart();
  EXPECT_EQ(e.Level().Board(1, 1), tiles::Empty);
  EXPECT_EQ(e.Level().Board(2, 3), tiles::Player);
  EXPECT_EQ(e.Level().StartX, 2);
  e.ChangeRequired(-1);
  EXPECT_EQ(e.Level().RubiesRequired, 0);
}

TEST(LevelEditor, UndoesAndRedoesManySteps) {
  LevelEditor e(NewLevel(20, 20));
  const EditedLevel first = e.Level();
  for (int i = 0; i < 250; ++i) e.ChangeRequired(1);
  e.MarkSaved("a.lvl");
  const EditedLevel last = e.Level();
  for (int i = 0; i < 250; ++i) ASSERT_TRUE(e.Undo()) << i;
  EXPECT_EQ(e.Level(), first);
  EXPECT_TRUE(e.Modified());
  for (int i = 0; i < 250; ++i) ASSERT_TRUE(e.Redo()) << i;
  EXPECT_EQ(e.Level(), last);
  EXPECT_FALSE(e.Modified());
  EXPECT_FALSE(e.Redo());
  e.Undo();
  e.ChangeRequired(5);  // a new change drops what could be redone
  EXPECT_FALSE(e.Redo());

  // Another level in its place is one more step, and undo brings back the name too.
  const EditedLevel before = e.Level();
  e.Replace(NewLevel(5, 5), "b.lvl");
  EXPECT_EQ(e.FileName(), "b.lvl");
  EXPECT_FALSE(e.Modified());
  e.ChangeRequired(1);
  ASSERT_TRUE(e.Undo());
  ASSERT_TRUE(e.Undo());
  EXPECT_EQ(e.Level(), before);
  EXPECT_EQ(e.FileName(), "a.lvl");
  ASSERT_TRUE(e.Redo());
  EXPECT_EQ(e.FileName(), "b.lvl");
  EXPECT_FALSE(e.Modified());
}

}  // namespace

// The editor in a scripted window, with its dialogs' folders recorded.
class DialogRecorder : public ScriptedPlatform {
 public:
  explicit DialogRecorder(std::ostream& out) : ScriptedPlatform(800, 600, out) {}
  std::optional<std::string> OpenDialog(const FileDialogSetup& setup) override {
    shown.push_back("open " + setup.initialFolder + setup.fileName);
    return ScriptedPlatform::OpenDialog(setup);
  }
  std::optional<std::string> SaveDialog(const FileDialogSetup& setup) override {
    shown.push_back("save " + setup.initialFolder + setup.fileName);
    return ScriptedPlatform::SaveDialog(setup);
  }
  std::vector<std::string> shown;
};

// An installed editor's dialogs start in the player's folder and it never writes a shipped
// level: F2 on one asks for a name there. A portable editor saves where the level came from.
TEST(EditorWindowFiles, AShippedLevelIsSavedInThePlayersFolder) {
  constexpr int kF2 = 113, kF3 = 114;
  const std::string shipped = TempDir() + "/shipped/", player = TempDir() + "/player/";
  std::filesystem::create_directories(shipped + "levels");
  std::filesystem::create_directories(player);
  const std::string level =
      ReadWhole(std::string(QUILLMERE_SOURCE_DIR) + "/tests/e2e/editor_level.lvl");
  const struct {
    std::string shippedFolder;  // empty: a portable editor
    std::string opened;
    std::string dialogAnswer;
    std::vector<std::string> dialogs;  // after F2, F2 and F3
    std::string written;
  } cases[] = {
      {shipped, shipped + "levels/../levels/A.lvl", player + "A.lvl",
       {"save " + player + "A.lvl", "open " + player + "A.lvl"}, player + "A.lvl"},
      {shipped, "", player + "B.lvl", {"save " + player, "open " + player + "B.lvl"},
       player + "B.lvl"},
      {"", shipped + "levels/A.lvl", "", {"open " + shipped + "levels/A.lvl"},
       shipped + "levels/A.lvl"},
  };
  for (const auto& c : cases) {
    std::ofstream(shipped + "levels/A.lvl", std::ios::binary) << level;
    std::filesystem::remove(player + "A.lvl");
    std::ostringstream out;
    DialogRecorder platform(out);
    ForcedRandom random;
    EditorWindow editor(platform, random, EditorOptions{player, "/nonexistent/", c.shippedFolder});
    editor.LoadPictures(DecodeGamePictures("/nonexistent/", false));
    editor.Start(c.opened);
    editor.OnKeyDown(39, false);  // Right, off the player's start
    editor.OnKeyDown('W', false);
    if (!c.dialogAnswer.empty()) platform.QueueDialogAnswer(c.dialogAnswer);
    editor.OnKeyDown(kF2, false);
    editor.OnKeyDown(kF2, false);
    platform.QueueDialogAnswer(std::nullopt);
    editor.OnKeyDown(kF3, false);
    EXPECT_EQ(platform.shown, c.dialogs) << c.opened;
    EXPECT_EQ(editor.Editor().FileName(), c.written) << c.opened;
    EXPECT_NE(ReadWhole(c.written), level) << "the change was saved in " << c.written;
    if (!c.shippedFolder.empty()) {
      EXPECT_EQ(ReadWhole(shipped + "levels/A.lvl"), level) << "a shipped level was written";
    }
  }
}

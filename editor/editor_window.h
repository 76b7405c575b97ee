#pragma once
// The editor's one window: the level drawn with the game's cell pictures, a status line, the
// help screen, the questions for a new level's size, play-testing with the game's rules and the
// check with the solver. Keyboard only.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "editor/level_editor.h"
#include "editor/way_check.h"
#include "game/game_state.h"
#include "game/random.h"
#include "game/sounds.h"
#include "play/flow_host.h"
#include "platform/platform.h"
#include "platform/text_raster.h"
#include "rules/play_host.h"
#include "tools/solver/play_step.h"
#include "view/board_view.h"
#include "view/catalogue.h"
#include "view/text_box.h"
#include "view/window_model.h"

struct EditorOptions {
  std::string levelsFolder;   // full path ending with '/': the player's levels, dialogs start here
  std::string assetsFolder;   // full path ending with '/': pictures and font
  // Full path ending with '/', or empty: the files an installed game ships, only read. A level
  // opened from there is saved under a name the player chooses, as with Shift + F2.
  std::string shippedFolder;
};

// Caption of the editor's boxes.
inline constexpr const char* kEditorTitle = "Quillmere";

class EditorWindow : public WindowEvents, private PlayHost, private FlowHost {
 public:
  // `random` grows the slime in play-testing.
  EditorWindow(Platform& platform, RandomSource& random, EditorOptions options);
  ~EditorWindow() override;

  // Gives the window the game's pictures (DecodeGamePictures) and the font.
  void LoadPictures(GamePictures pictures);
  // Start-up: opens the level file `path`, or starts a new 20 x 12 level when it is empty or
  // cannot be read (after saying why).
  void Start(const std::string& path);

  void OnKeyDown(int key, bool shift) override;
  void OnTimer() override;
  void OnPaint() override;
  void OnClose() override;
  bool IsClosed() const override { return closed_; }

  // Runs a check begun with F9 to its end at once (the headless driver does so).
  void FinishCheck();

  const LevelEditor& Editor() const { return editor_; }
  const WindowModel& Window() const { return window_; }
  // The last message of the status line (UTF-8).
  const std::string& Message() const { return message_; }

 private:
  enum class Mode { Edit, Help, AskWidth, AskHeight, Play, Check, ShowWay };

  // Runs a handler: an error ends it with a box; then the screen is brought up to date.
  void Handle(void (EditorWindow::*handler)(int, bool), int key, bool shift);
  void KeyDown(int key, bool shift);
  void Tick(int, bool);
  void Sync();

  // Keys by mode.
  void EditKey(int key, bool shift);
  void SizeKey(int key);
  void PlayKey(int key, bool shift);

  // Files.
  bool Save(bool askName);
  void Open();
  void NewLevel();
  // With unsaved changes, asks whether to save them first; true when the editor may end.
  bool MayLeave();
  // Another level in this one's place, as one undo step.
  void Replace(EditedLevel level, std::string fileName);
  // Says what is wrong with the level; true when nothing stops saving or playing.
  bool Checked(const std::string& doing);
  FileDialogSetup DialogSetup() const;
  // True when `path` is one of the shipped files, which the editor never writes.
  bool IsShipped(const std::string& path) const;

  // Play-testing and the check.
  void StartPlay(Mode mode);
  void PlayTick();
  void WayTick();
  void EndPlay(const std::string& message);
  void StartCheck();
  void CheckSlice();
  void EndCheck();

  // Drawing.
  void Draw();
  void DrawBoard();
  void DrawStatus();
  void DrawHelp();
  std::string StatusText() const;
  const Surface& CellPicture(std::uint8_t code) const;
  void DrawText(int x, int y, const std::string& utf8, std::uint32_t colour, TextRaster* raster);

  // PlayHost: the game's rules in play-testing.
  void DrawCell(int x, int y, std::uint8_t code) override;
  void PlaceBoard() override;
  void PresentBoard() override;
  void UpdateRubyStatus() override;
  bool IsKeyDown(int key) override;
  bool LevelFinished() override;
  void LeavePlayForMenu() override;
  // Play-testing is silent: the editor has no sound of its own.
  SoundSink& Sounds() override { return silence_; }

  // FlowHost: the game's flow in play-testing.
  void ShowMessage(const std::string& caption, const std::string& text) override;
  void ShowError(const std::string& text) override;
  void ClearBoardView() override;
  void ShowLevel() override;
  void RedrawBoard() override;
  // Play-testing never reaches a campaign's end: no table is asked for or shown.
  std::string ScoreTablePath() override { return {}; }
  void ShowScoreTable() override;
  void ShowMenuOverFirstLevel() override;

  void Close();

  Platform& platform_;
  RandomSource& random_;
  SilentSounds silence_;
  EditorOptions options_;
  WindowModel window_;
  Surface unknownCode_;
  std::unique_ptr<TextRaster> statusFont_;
  std::unique_ptr<TextRaster> helpFont_;
  std::unique_ptr<TextBoxRenderer> edit1Font_;  // the ruby status box of play-testing
  LevelEditor editor_;
  std::string message_;
  Mode mode_ = Mode::Edit;
  std::string typed_;  // digits of the size being asked for
  int newWidth_ = 0;   // the width answered, while the height is asked
  bool closed_ = false;

  // Play-testing: the game's state and board picture.
  GameState play_;
  BoardView board_;
  bool playEnded_ = false;
  std::string playEnd_;  // why play ended (UTF-8)

  // The check and the way it found, for the level as it was then.
  std::unique_ptr<WayCheck> check_;
  std::optional<EditedLevel> wayLevel_;
  std::vector<StepAction> way_;
  std::size_t wayStep_ = 0;
  NoGrowth noGrowth_;
};

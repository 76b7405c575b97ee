#pragma once
// The one window of the game: owns the state, the window model and the platform's services,
// and wires the key, timer, paint and close handlers to the rules and the screens, serving both
// as their host.
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "app/sound_gate.h"
#include "game/game_state.h"
#include "game/level_file.h"
#include "menu/main_menu.h"
#include "menu/menu_host.h"
#include "platform/platform.h"
#include "play/flow_host.h"
#include "rules/play_host.h"
#include "view/board_view.h"
#include "view/catalogue.h"
#include "view/surface.h"
#include "view/text_box.h"
#include "view/window_model.h"

struct FormOptions {
  std::string programFolder;  // full path ending with '/': dialogs start here
  std::string assetsFolder;   // full path ending with the separator: pictures and font
  std::string snapshotPath;   // where the snapshot of money and items lives
  // The player's own files (the table, the name, saved campaigns): in the working folder when
  // empty, else in this full path ending with the separator.
  std::string playerFolder{};
  // Where Custom's dialog starts: the program's folder when empty.
  std::string levelsFolder{};
};

// Caption of the run-time error box.
inline constexpr const char* kApplicationTitle = "Quillmere";
// What a second copy of the game tells the player before it ends (UTF-8).
inline constexpr const char* kAlreadyRunningText = "Игра уже запущена.";

class TForm1 : public WindowEvents, private PlayHost, private MenuHost, private FlowHost {
 public:
  // `random` is the program's one generator, seeded (or not) by the caller.
  TForm1(Platform& platform, RandomSource& random, FormOptions options);
  ~TForm1() override;

  // Takes the pictures decoded beforehand (DecodeGamePictures) and loads the status font;
  // throws std::runtime_error naming the font when it is missing and the pictures were required.
  void LoadPictures(GamePictures pictures);
  // The window's creation handler: name, warning, layout, the first level behind the menu.
  void FormCreate();

  void OnKeyDown(int vk, bool shift) override;
  void OnTimer() override;
  void OnPaint() override;
  void OnClose() override;
  bool IsClosed() const override { return closed_; }

  const GameState& State() const { return state_; }
  const WindowModel& Window() const { return window_; }

 private:
  // Runs one handler: a run-time error ends it with the error box; afterwards the timer,
  // the pending repaint and the screen are brought up to date.
  void RunHandler(const std::function<void()>& handler);
  void SyncWindow();

  // Handlers.
  void FormKeyDown(int key, bool shift);
  // Beside the design: turns sound off or on and keeps the choice for the next run.
  void ToggleSound();
  void Timer1Timer();
  void FormPaint(const Rect& clip);
  void FormClose();
  void FormDestroy();
  void CloseWindowNow();

  // Levels (start-up, the shop's Play, leaving the table; New, Restart, Custom), through the
  // game's flow.
  void LoadLevel(const std::string& name) override;
  void EnterLevel(const Level& level) override;

  // Menu actions.
  void RunMenuEntry(MenuEntry entry);
  void ImReturnMouseDown();
  void ImNewMouseDown();
  void ImRestartMouseDown();
  void ImCustomMouseDown();
  void ImLoadMouseDown();
  void ImExitMouseDown();

  // PlayHost and MenuHost.
  void Edit2Change() override;
  RandomSource& Random() override;
  SoundSink& Sounds() override { return sounds_; }
  std::optional<std::string> OpenDialog(const FileDialogSetup& setup) override;
  std::optional<std::string> SaveDialog(const FileDialogSetup& setup) override;
  void DrawCell(int x, int y, std::uint8_t code) override;
  void PlaceBoard() override;
  void PresentBoard() override;
  void UpdateRubyStatus() override;
  bool IsKeyDown(int vk) override;
  bool LevelFinished() override;
  void LeavePlayForMenu() override;

  // FlowHost.
  void ShowMessage(const std::string& caption, const std::string& text) override;
  void ShowError(const std::string& message) override;
  void ClearBoardView() override;
  void ShowLevel() override;
  void RedrawBoard() override;
  std::string ScoreTablePath() override;
  void ShowScoreTable() override;
  void ShowMenuOverFirstLevel() override;

  Platform& platform_;
  RandomSource& random_;
  FormOptions options_;
  GameState state_;
  WindowModel window_;
  BoardView board_;
  Surface digitList_;
  Surface unknownCode_;
  Surface blankScore_;  // the score picture as painted, before any table was drawn on it
  std::unique_ptr<TextBoxRenderer> statusFont_;
  MenuFiles files_;
  SoundGate sounds_;
  bool closed_ = false;
};
